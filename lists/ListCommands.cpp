#include "frmMain.h"

void frmMain::mnuCategories_Click() {}
void frmMain::mnuUsers_Click() {}
