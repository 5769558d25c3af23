// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;
class Frame;
class mdlMain;

// The search dialog: narrows rsMain by category, problem text, solution text or article number.
// The filter stays after the dialog is gone, until the articles are reloaded. A search hides the
// dialog (it keeps its choice and texts); Cancel and the close box unload it.
class frmSearch : public QDialog
{
    Q_OBJECT
public:
    frmSearch(Frame& frame, mdlMain& app);

    // Shows the loaded dialog (hidden or shown) as it was, or loads a new one.
    static void showSearch(Frame& frame);

    // The item texts of cboSearchBy, in order.
    static const char* const Choices[4];

    void Form_Load();
    void cboSearchBy_Click();
    void cmdSearch_Click();
    void Command1_Click();
    void Form_Unload();

    QLabel* lblSearchBy = nullptr;
    QComboBox* cboSearchBy = nullptr;
    QLabel* lblSearchString = nullptr;
    QLineEdit* txtSearchString = nullptr;
    QComboBox* cboSearchString = nullptr;
    QPushButton* cmdSearch = nullptr;
    QPushButton* Command1 = nullptr;

public slots:
    // Escape: the same as Cancel.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    // Colours every exact-case occurrence of `text` in `box` blue, letting pending events run
    // between two occurrences. False when the box went away meanwhile.
    static bool highlight(QTextEdit* box, const QString& text);
    void releaseMain();

    Frame& m_frame;
    mdlMain& m_app;
    bool m_holdsMain = false; // the main window is disabled by this dialog's load
};
