#include "frmMain.h"

void frmMain::mnuSearch_Click() {}
