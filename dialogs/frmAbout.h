// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class Frame;

// "About Ardentry": product name, version, build number and release date.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(Frame& frame);

    void Form_Load();
    void Command1_Click();

    // OK, Escape and the title bar's close all end here.
    void done(int result) override;

    QLabel* Image1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* Command1 = nullptr;

private:
    Frame& m_frame;
};
