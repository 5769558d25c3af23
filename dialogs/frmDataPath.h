// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class Frame;
class mdlMain;

// "Ardentry Database Path": shows and changes the stored path of the database file. The open
// database stays in use; a new path takes effect at the next start.
class frmDataPath : public QDialog
{
    Q_OBJECT
public:
    frmDataPath(Frame& frame, mdlMain& app);

    void Form_Load();
    void Command1_Click(); // OK: store the path and close
    void Command2_Click(); // Cancel
    void cmdBrowse_Click();

    // OK, Cancel, Escape and the title bar's close all end here.
    void done(int result) override;

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

private:
    Frame& m_frame;
    mdlMain& m_app;
};
