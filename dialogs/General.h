// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class Frame;
class mdlMain;

// "General Information": where the database file is, how many articles rsMain holds (taken once
// when the window opens) and which engine and file format are in use.
class General : public QDialog
{
    Q_OBJECT
public:
    General(Frame& frame, mdlMain& app);

    void Form_Load();
    void Command1_Click();

    // OK, Escape and the title bar's close all end here.
    void done(int result) override;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* Command1 = nullptr;

private:
    Frame& m_frame;
    mdlMain& m_app;
};
