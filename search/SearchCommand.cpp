#include "frmMain.h"

#include "search/frmSearch.h"

// Menu item Search (F2) and toolbar button 6: the one search dialog, as it was left.
void frmMain::mnuSearch_Click()
{
    frmSearch::showSearch(*this, m_app);
}
