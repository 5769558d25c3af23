// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class Frame;
class mdlMain;

// "Customize Labels": the captions of the article form's six field labels, stored in the first
// six rows of Customize (in ID order). The article form takes them at its next load. OK and Cancel
// hide the dialog and keep its boxes for the next showing; the title bar's close destroys it.
// The main window stays usable meanwhile.
class frmCustomizeLabels : public QDialog
{
    Q_OBJECT
public:
    frmCustomizeLabels(Frame& frame, mdlMain& app);

    // The dialog's own label captions, which are also the default texts.
    static const char* const DefaultTexts[6];

    void Form_Load();
    void Command1_Click(); // OK: store every box in its row, then hide
    void Command2_Click(); // Cancel: hide, keeping the edits
    void Command3_Click(); // Reset to Default (nothing is written)

    // Escape acts as Cancel.
    void reject() override;

    QLabel* Label[6] = {};
    QLineEdit* Text[6] = {};
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Frame& m_frame;
    mdlMain& m_app;
};
