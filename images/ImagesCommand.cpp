#include "articles/frmDisplay.h"

#include "MessageBox.h"
#include "frmMain.h"
#include "images/frmImages.h"
#include "mdlMain.h"

#include <QLineEdit>

#include <memory>

void frmDisplay::Command1_Click()
{
    if (frmImages* open = frmImages::loaded(m_main)) {
        open->raise();
        open->activateWindow();
        return;
    }
    const RecordSet& rs = m_app.rsMain;
    if (!rs.isOpen() || !rs.hasCurrentRow()) {
        showMessage(&m_main, QStringLiteral("There is no article to attach images to."));
        return;
    }
    auto dialog = std::make_unique<frmImages>(m_main);
    if (!dialog->Form_Load())
        return;
    frmImages* shown = dialog.release(); // owned by the main window from here on
    shown->show();
    shown->Text[0]->setFocus();
}
