// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/frmExport.h"

#include "common/DesignedLayout.h"
#include "common/Frame.h"
#include "common/JobProgress.h"
#include "common/MessageBox.h"
#include "common/SingleInstance.h"
#include "core/ArticleExport.h"
#include "core/DbError.h"
#include "core/mdlMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace
{
const QString CsvSuffix = QStringLiteral(".csv");
}

frmExport::frmExport(Frame& frame, mdlMain& app)
    : QDialog(frame.window(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                  Qt::WindowCloseButtonHint),
      m_frame(frame), m_app(app)
{
    setObjectName(QStringLiteral("frmExport"));
    setWindowTitle(tr("Export Articles"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* which = new QGroupBox(tr("Articles"), this);
    optAll = new QRadioButton(tr("&All articles"), which);
    optAll->setObjectName(QStringLiteral("optAll"));
    optSearch = new QRadioButton(tr("The articles of the current &search"), which);
    optSearch->setObjectName(QStringLiteral("optSearch"));
    optQuickSearch = new QRadioButton(tr("What the &quick search finds"), which);
    optQuickSearch->setObjectName(QStringLiteral("optQuickSearch"));
    auto* whichLayout = new QVBoxLayout(which);
    whichLayout->addWidget(optAll);
    whichLayout->addWidget(optSearch);
    whichLayout->addWidget(optQuickSearch);

    auto* format = new QGroupBox(tr("Format"), this);
    optCsv = new QRadioButton(tr("&CSV file for spreadsheets (UTF-8, every column, a header row)"),
                              format);
    optCsv->setObjectName(QStringLiteral("optCsv"));
    optWeb = new QRadioButton(
        tr("&Web pages: a folder with an index by category, one page per article"), format);
    optWeb->setObjectName(QStringLiteral("optWeb"));
    auto* formatLayout = new QVBoxLayout(format);
    formatLayout->addWidget(optCsv);
    formatLayout->addWidget(optWeb);

    QHBoxLayout* targetRow = fileRow(this, tr("Sa&ve to:"), "txtTarget", txtTarget, cmdBrowse);

    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setWordWrap(true);
    cmdExport = commandButton(this, "cmdExport", tr("&Export"), true);
    cmdClose = commandButton(this, "cmdClose", tr("C&lose"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdExport);
    buttons->addWidget(cmdClose);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(which);
    layout->addWidget(format);
    layout->addLayout(targetRow);
    layout->addWidget(lblStatus);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(optWeb, &QRadioButton::toggled, this, &frmExport::formatChanged);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmExport::cmdBrowse_Click);
    connect(cmdExport, &QPushButton::clicked, this, &frmExport::cmdExport_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
}

void frmExport::Form_Load()
{
    m_frame.disableWhileOpen(this);
    qint64 all = -1;
    try {
        m_app.dbConnection.ensureAlive(); // a lost server connection is made again
        all = allArticles(m_app.dbConnection.database())->count();
    } catch (const DbError& e) {
        lblStatus->setText(e.message());
    }
    RecordSet& rs = m_app.rsMain;
    const qint64 shown = rs.isOpen() ? rs.recordCount() : 0;
    // A search is in force only while rsMain has a filter. Without one it shows every article it
    // read, which other programs may have added to since: that count is no search.
    const bool searching = rs.isOpen() && !rs.filter().isEmpty();
    if (all >= 0)
        optAll->setText(tr("&All articles (%1)").arg(all));
    optSearch->setText(searching ? tr("The articles of the current &search (%1)").arg(shown)
                                 : tr("The articles of the current &search (no search is "
                                      "active)"));
    optSearch->setEnabled(searching);
    // The quick search lists what it finds for the text in its box on the main window.
    const auto* box = m_frame.window()->findChild<QLineEdit*>(QStringLiteral("txtQuickSearch"));
    m_quickSearch = box ? box->text().trimmed() : QString();
    qint64 found = 0;
    try {
        if (!m_quickSearch.isEmpty())
            found = quickSearchArticles(m_app.dbConnection.database(), m_quickSearch)->count();
    } catch (const DbError& e) {
        m_quickSearch.clear();
        lblStatus->setText(e.message());
    }
    optQuickSearch->setText(m_quickSearch.isEmpty()
                                ? tr("What the &quick search finds (no quick search is active)")
                                : tr("What the &quick search finds for \"%1\" (%2)")
                                      .arg(m_quickSearch.left(60))
                                      .arg(found));
    optQuickSearch->setEnabled(!m_quickSearch.isEmpty());
    (searching ? optSearch : !m_quickSearch.isEmpty() ? optQuickSearch : optAll)->setChecked(true);
    optCsv->setChecked(true);
    txtTarget->setText(
        QDir::toNativeSeparators(QDir::home().filePath(QStringLiteral("ardentry-articles.csv"))));
    txtTarget->setFocus();
    txtTarget->selectAll();
}

void frmExport::formatChanged()
{
    // The proposed name follows the format: a file for CSV, a folder for web pages.
    QString target = txtTarget->text();
    if (optWeb->isChecked() && target.endsWith(CsvSuffix, Qt::CaseInsensitive))
        target.chop(CsvSuffix.size());
    else if (optCsv->isChecked() && !target.isEmpty() &&
             !target.endsWith(CsvSuffix, Qt::CaseInsensitive))
        target += CsvSuffix;
    txtTarget->setText(target);
}

void frmExport::cmdBrowse_Click()
{
    const bool web = optWeb->isChecked();
    QFileDialog chooser(this, tr("Export Articles"), QDir::fromNativeSeparators(txtTarget->text()));
    chooser.setObjectName(QStringLiteral("dlgExportTarget"));
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    if (web) {
        chooser.setFileMode(QFileDialog::Directory);
    } else {
        chooser.setNameFilters({tr("CSV files (*.csv)"), tr("All files (*)")});
        chooser.setDefaultSuffix(QStringLiteral("csv"));
    }
    if (MessageBox::exec(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return;
    txtTarget->setText(QDir::toNativeSeparators(chooser.selectedFiles().constFirst()));
}

void frmExport::cmdExport_Click()
{
    const QString target = QDir::fromNativeSeparators(txtTarget->text().trimmed());
    const bool web = optWeb->isChecked();
    if (target.isEmpty()) {
        lblStatus->setText(web ? tr("Name the folder for the web pages.")
                               : tr("Name the CSV file."));
        txtTarget->setFocus();
        return;
    }
    if (!web && QFileInfo(target).isFile() &&
        !askYesNo(
            this,
            tr("The file %1 exists already. Replace it?").arg(QDir::toNativeSeparators(target)),
            QStringLiteral("Ardentry"), QMessageBox::No))
        return;

    QProgressDialog progress(tr("Exporting the articles..."), tr("Cancel"), 0, 1000, this);
    setUpJobProgress(progress, "dlgExportProgress");
    const auto onProgress = [&progress](qint64 done, qint64 total) {
        progress.setValue(total > 0 ? int(std::min(done, total) * 1000 / total) : 1000);
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };

    ExportReport report;
    try {
        m_frame.DropUnsentChanges();
        m_app.dbConnection.ensureAlive();
        QSqlDatabase& database = m_app.dbConnection.database();
        const std::unique_ptr<ArticleSource> source =
            optSearch->isChecked()        ? recordSetArticles(m_app.rsMain, database)
            : optQuickSearch->isChecked() ? quickSearchArticles(database, m_quickSearch)
                                          : allArticles(database);
        // Relative image paths start beside a database file; a server's start in the home
        // folder.
        const QString imageBase = m_app.dbConnection.isServer()
                                      ? QDir::homePath()
                                      : QFileInfo(m_app.dbConnection.path()).absolutePath();
        // A picture is what Qt's image readers decode as one, whatever its name says.
        const auto isPicture = [](const QString& file) {
            QImageReader reader(file);
            reader.setDecideFormatFromContent(true);
            return reader.canRead() && !reader.read().isNull();
        };
        report = web ? exportWeb(*source, target, imageBase, onProgress, isPicture)
                     : exportCsv(*source, target, onProgress);
    } catch (const DbError& e) {
        report.target = target;
        report.failure = e.message();
    }
    progress.close();
    switch (report.outcome) {
    case ExportReport::Outcome::Exported:
        lblStatus->setText(tr("%1 articles exported.").arg(report.articles));
        showMessage(this, report.text());
        accept();
        break;
    case ExportReport::Outcome::Cancelled:
        lblStatus->setText(tr("The export was cancelled; nothing was written."));
        break;
    case ExportReport::Outcome::Failed:
        lblStatus->setText(tr("The export failed; nothing was written."));
        showMessage(this, report.text());
        break;
    }
}

void frmExport::done(int result)
{
    m_frame.enableAgain();
    SingleInstance::markUnloaded(this);
    QDialog::done(result);
}
