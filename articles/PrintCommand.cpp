#include "frmMain.h"

void frmMain::PrintRecord() {}
void frmMain::mnuPrint_Click() {}
