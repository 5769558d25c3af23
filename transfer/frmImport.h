// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ArticleImport.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class Frame;
class mdlMain;

// "Import Articles": reads a CSV file, or a table of an Access database, into the article table.
// The file's encoding, separator and header row are detected and can be changed; the first rows are
// shown; each article field gets a column of the file (guessed from the header's names). Import
// runs in one transaction with progress and Cancel, asks before it commits when rows have to be
// left out, and shows the report, which can be saved as a text file. While it is open the main
// window is disabled.
class frmImport : public QDialog
{
    Q_OBJECT
public:
    frmImport(Frame& frame, mdlMain& app);

    void Form_Load();
    void cmdBrowse_Click();
    // Reads the file named in txtFile: detection, preview, guessed columns.
    void loadFile();
    void cmdImport_Click();
    void cmdSaveReport_Click();

    void done(int result) override;

    QLineEdit* txtFile = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QComboBox* cboTable = nullptr; // an Access database's tables; shown for such a file only
    QComboBox* cboEncoding = nullptr;
    QComboBox* cboSeparator = nullptr;
    QCheckBox* chkHeader = nullptr;
    QCheckBox* chkExact = nullptr;
    QComboBox* cboDates = nullptr;
    QTableWidget* grdPreview = nullptr;
    std::array<QComboBox*, ArticleField::Count> cboMap{}; // objectName "cboMap_<AR column>"
    QRadioButton* optKeepNumbers = nullptr;
    QRadioButton* optAfterHighest = nullptr;
    QLabel* lblStatus = nullptr;
    QPlainTextEdit* txtReport = nullptr;
    QPushButton* cmdSaveReport = nullptr;
    QPushButton* cmdImport = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    void buildControls();
    // Reads the file again with the encoding, separator and header row chosen.
    void formatChanged();
    // Reads the Access table chosen in cboTable.
    void tableChanged();
    void showPreview(const ImportPreview& preview, bool guessChoices);
    QList<int> chosenMapping() const;
    void updateImportButton();
    void fitScreen();
    void showReport(const ImportReport& report);

    Frame& m_frame;
    mdlMain& m_app;
    ImportPreview m_preview;
    QString m_path;
    bool m_access = false; // m_path names an Access database
    QLabel* m_tableLabel = nullptr;
    QString m_report;
    bool m_filling = false; // the controls are being filled, not changed by the user
};
