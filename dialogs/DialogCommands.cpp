#include "frmMain.h"

void frmMain::mnuData_Click() {}
void frmMain::mnuLabels_Click() {}
void frmMain::mnuGen_Click() {}
void frmMain::mnuAbout_Click() {}
