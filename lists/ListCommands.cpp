#include "frmMain.h"
#include "frmSetupCG.h"
#include "frmSetupUsers.h"

namespace
{
// Both editors borrow rsMain, so only one of them is open at a time; an open one is brought to
// the front instead. A closed one that waits for its deletion does not count.
template <typename Editor> void openListEditor(frmMain& main)
{
    for (auto* open : main.findChildren<ListEditor*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (open->isUnloaded())
            continue;
        open->show();
        open->raise();
        open->activateWindow();
        return;
    }
    auto* editor = new Editor(main);
    if (editor->Form_Load()) {
        editor->show();
        return;
    }
    editor->Form_Unload();
    delete editor;
}
} // namespace

void frmMain::mnuCategories_Click()
{
    openListEditor<frmSetupCG>(*this);
}
void frmMain::mnuUsers_Click()
{
    openListEditor<frmSetupUsers>(*this);
}
