// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class Frame;
class mdlMain;

// "Export Articles": writes all articles, the articles of the current search (the search filter
// of the articles, or what the quick search finds for the text in its box), to a CSV file
// (UTF-8 with byte order mark, every column of AR, a header row) or to a folder of web pages.
// The export shows progress and can be cancelled; nothing is written unless it finishes. While
// it is open the main window is disabled.
class frmExport : public QDialog
{
    Q_OBJECT
public:
    frmExport(Frame& frame, mdlMain& app);

    void Form_Load();
    void cmdBrowse_Click();
    void cmdExport_Click();

    void done(int result) override;

    QRadioButton* optAll = nullptr;
    QRadioButton* optSearch = nullptr;
    QRadioButton* optQuickSearch = nullptr;
    QRadioButton* optCsv = nullptr;
    QRadioButton* optWeb = nullptr;
    QLineEdit* txtTarget = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QLabel* lblStatus = nullptr;
    QPushButton* cmdExport = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    void formatChanged();

    Frame& m_frame;
    mdlMain& m_app;
    QString m_quickSearch; // the text of the quick search box when the window opened
};
