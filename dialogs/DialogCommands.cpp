#include "app/frmMain.h"
#include "app/mdlMain.h"
#include "dialogs/General.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmCustomizeLabels.h"
#include "dialogs/frmDataPath.h"

namespace
{
// The one open instance of a window, or nullptr. A closing window gives up its name at once, so
// it is never found again while it waits to be deleted.
template <typename T> T* openInstance(frmMain& main, const char* name)
{
    return main.findChild<T*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

void bringUp(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

// Creates, loads and shows a window that lives until it is closed.
template <typename T, typename... Args>
void openOnce(frmMain& main, const char* name, Args&... args)
{
    if (T* existing = openInstance<T>(main, name)) {
        bringUp(existing);
        return;
    }
    auto* window = new T(main, args...); // owned by main (parent), deleted on close
    window->Form_Load();
    bringUp(window);
}
} // namespace

void frmMain::mnuData_Click()
{
    openOnce<frmDataPath>(*this, "frmDataPath", app());
}

void frmMain::mnuLabels_Click()
{
    openOnce<frmCustomizeLabels>(*this, "frmCustomizeLabels", app());
}

void frmMain::mnuGen_Click()
{
    openOnce<General>(*this, "General", app());
}

void frmMain::mnuAbout_Click()
{
    openOnce<frmAbout>(*this, "frmAbout");
}
