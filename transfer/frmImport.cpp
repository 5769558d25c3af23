// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/frmImport.h"

#include "common/DesignedLayout.h"
#include "common/Frame.h"
#include "common/JobProgress.h"
#include "common/MessageBox.h"
#include "common/SingleInstance.h"
#include "core/AccessDatabase.h"
#include "core/mdlMain.h"
#include "transfer/TransferCommands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{

const csv::Encoding kEncodings[] = {csv::Encoding::Utf8, csv::Encoding::Utf16LE,
                                    csv::Encoding::Utf16BE, csv::Encoding::Windows1252};

// A cell of the preview: the first line of the value, cut short.
QString cellText(const QString& value)
{
    QString text = value.left(200);
    const qsizetype lineEnd = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (lineEnd >= 0)
        text = text.left(lineEnd) + QStringLiteral(" \u2026");
    else if (value.size() > 200)
        text += QStringLiteral("\u2026");
    return text;
}

} // namespace

frmImport::frmImport(Frame& frame, mdlMain& app)
    : QDialog(frame.window(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                  Qt::WindowCloseButtonHint),
      m_frame(frame), m_app(app)
{
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(tr("Import Articles"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
}

void frmImport::buildControls()
{
    QHBoxLayout* fileChoice = fileRow(this, tr("&File:"), "txtFile", txtFile, cmdBrowse);

    auto* reading = new QGroupBox(tr("How the file is read"), this);
    cboEncoding = new QComboBox(reading);
    cboEncoding->setObjectName(QStringLiteral("cboEncoding"));
    for (const csv::Encoding e : kEncodings)
        cboEncoding->addItem(csv::encodingName(e), int(e));
    cboSeparator = new QComboBox(reading);
    cboSeparator->setObjectName(QStringLiteral("cboSeparator"));
    cboSeparator->addItem(tr("Comma (,)"), QStringLiteral(","));
    cboSeparator->addItem(tr("Semicolon (;)"), QStringLiteral(";"));
    cboSeparator->addItem(tr("Tab"), QStringLiteral("\t"));
    chkHeader = new QCheckBox(tr("First row holds the column &names"), reading);
    chkHeader->setObjectName(QStringLiteral("chkHeader"));
    chkExact = new QCheckBox(tr("&Keep values exactly as written (a file that Ardentry "
                                "exported)"),
                             reading);
    chkExact->setObjectName(QStringLiteral("chkExact"));
    cboDates = new QComboBox(reading);
    cboDates->setObjectName(QStringLiteral("cboDates"));
    cboDates->addItem(tr("Month/day/year (03/14/2022)"));
    cboDates->addItem(tr("Day/month/year (14/03/2022)"));
    cboTable = new QComboBox(reading);
    cboTable->setObjectName(QStringLiteral("cboTable"));
    cboTable->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_tableLabel = new QLabel(tr("&Table:"), reading);
    m_tableLabel->setBuddy(cboTable);
    auto* readingGrid = new QGridLayout(reading);
    auto* encodingLabel = new QLabel(tr("&Encoding:"), reading);
    encodingLabel->setBuddy(cboEncoding);
    auto* separatorLabel = new QLabel(tr("&Separator:"), reading);
    separatorLabel->setBuddy(cboSeparator);
    auto* datesLabel = new QLabel(tr("&Dates:"), reading);
    datesLabel->setBuddy(cboDates);
    readingGrid->addWidget(encodingLabel, 0, 0);
    readingGrid->addWidget(cboEncoding, 0, 1);
    readingGrid->addWidget(separatorLabel, 0, 2);
    readingGrid->addWidget(cboSeparator, 0, 3);
    readingGrid->addWidget(datesLabel, 0, 4);
    readingGrid->addWidget(cboDates, 0, 5);
    readingGrid->addWidget(chkHeader, 1, 0, 1, 3);
    readingGrid->addWidget(chkExact, 1, 3, 1, 3);
    readingGrid->addWidget(m_tableLabel, 2, 0);
    readingGrid->addWidget(cboTable, 2, 1, 1, 5, Qt::AlignLeft);
    m_tableLabel->hide();
    cboTable->hide();

    grdPreview = new QTableWidget(this);
    grdPreview->setObjectName(QStringLiteral("grdPreview"));
    grdPreview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdPreview->setMinimumHeight(60);
    grdPreview->setAccessibleName(tr("The file's first rows"));
    grdPreview->horizontalHeader()->setDefaultSectionSize(120);

    auto* fields = new QGroupBox(tr("Article fields and the columns they come from"), this);
    auto* fieldGrid = new QGridLayout(fields);
    fieldGrid->setVerticalSpacing(2); // the window fits a screen 768 px high
    const int perColumn = (ArticleField::Count + 1) / 2;
    for (int f = 0; f < ArticleField::Count; ++f) {
        auto* box = new QComboBox(fields);
        box->setObjectName(QStringLiteral("cboMap_") + ArticleField::column(f));
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(18);
        auto* label = new QLabel(ArticleField::shownCaption(f) + QLatin1Char(':'), fields);
        label->setBuddy(box);
        const int row = f % perColumn;
        const int column = (f / perColumn) * 2;
        fieldGrid->addWidget(label, row, column);
        fieldGrid->addWidget(box, row, column + 1);
        cboMap[size_t(f)] = box;
        connect(box, &QComboBox::currentIndexChanged, this, [this, f](int index) {
            if (m_filling)
                return;
            // A column serves one field: another field that had it lets it go.
            if (index > 0) {
                m_filling = true;
                for (int g = 0; g < ArticleField::Count; ++g) {
                    if (g != f && cboMap[size_t(g)]->currentIndex() == index)
                        cboMap[size_t(g)]->setCurrentIndex(0);
                }
                m_filling = false;
            }
            if (f == ArticleField::InitialEntry || f == ArticleField::DateEdited)
                cboDates->setCurrentIndex(guessDayFirst(m_preview.rows, chosenMapping()) ? 1 : 0);
            updateImportButton();
        });
    }

    auto* numbers = new QGroupBox(tr("Article numbers"), this);
    optKeepNumbers =
        new QRadioButton(tr("Keep the file's numbers where they are &free (a row whose number is "
                            "taken is left out)"),
                         numbers);
    optKeepNumbers->setObjectName(QStringLiteral("optKeepNumbers"));
    optKeepNumbers->setChecked(true);
    optAfterHighest =
        new QRadioButton(tr("Number the articles &after the highest existing one"), numbers);
    optAfterHighest->setObjectName(QStringLiteral("optAfterHighest"));
    auto* numbersLayout = new QVBoxLayout(numbers);
    numbersLayout->addWidget(optKeepNumbers);
    numbersLayout->addWidget(optAfterHighest);

    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setWordWrap(true);
    txtReport = new QPlainTextEdit(this);
    txtReport->setObjectName(QStringLiteral("txtReport"));
    txtReport->setReadOnly(true);
    txtReport->setAccessibleName(tr("Import report"));
    txtReport->setMinimumHeight(50);
    txtReport->hide();

    cmdSaveReport = commandButton(this, "cmdSaveReport", tr("Save &Report..."));
    cmdSaveReport->setEnabled(false);
    cmdImport = commandButton(this, "cmdImport", tr("&Import"));
    cmdImport->setEnabled(false);
    cmdClose = commandButton(this, "cmdClose", tr("&Close"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSaveReport);
    buttons->addStretch();
    buttons->addWidget(cmdImport);
    buttons->addWidget(cmdClose);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(4);
    layout->addLayout(fileChoice);
    layout->addWidget(reading);
    layout->addWidget(grdPreview, 1);
    layout->addWidget(fields);
    layout->addWidget(numbers);
    layout->addWidget(lblStatus);
    layout->addWidget(txtReport, 1);
    layout->addLayout(buttons);

    connect(cmdBrowse, &QPushButton::clicked, this, &frmImport::cmdBrowse_Click);
    // Enter in the file box reads the file (no button of this window takes Enter).
    connect(txtFile, &QLineEdit::editingFinished, this, [this] {
        if (txtFile->text() != m_path)
            loadFile();
    });
    connect(cboTable, &QComboBox::currentIndexChanged, this, &frmImport::tableChanged);
    connect(cboEncoding, &QComboBox::currentIndexChanged, this, &frmImport::formatChanged);
    connect(cboSeparator, &QComboBox::currentIndexChanged, this, &frmImport::formatChanged);
    connect(chkHeader, &QCheckBox::toggled, this, &frmImport::formatChanged);
    connect(cmdImport, &QPushButton::clicked, this, &frmImport::cmdImport_Click);
    connect(cmdSaveReport, &QPushButton::clicked, this, &frmImport::cmdSaveReport_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
}

void frmImport::Form_Load()
{
    m_frame.disableWhileOpen(this);
    lblStatus->setText(tr("Name the CSV file to import, or choose it with Browse."));
    resize(sizeHint().expandedTo(QSize(820, 720)));
    fitScreen();
    txtFile->setFocus();
}

void frmImport::cmdBrowse_Click()
{
    QString folder = QDir::homePath();
    const QFileInfo typed(txtFile->text());
    if (!txtFile->text().isEmpty() && typed.absoluteDir().exists())
        folder = typed.absolutePath();
    QFileDialog chooser(this, tr("Import Articles"), folder);
    chooser.setObjectName(QStringLiteral("dlgImportFile"));
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setNameFilters({tr("CSV files (*.csv *.txt *.tsv)"),
                            tr("Access databases (*.mdb *.accdb)"), tr("All files (*)")});
    if (MessageBox::exec(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return;
    txtFile->setText(QDir::toNativeSeparators(chooser.selectedFiles().constFirst()));
    loadFile();
}

void frmImport::loadFile()
{
    m_path = txtFile->text();
    txtReport->hide();
    cmdSaveReport->setEnabled(false);
    const QString path = QDir::fromNativeSeparators(m_path.trimmed());
    m_access = accessdb::isAccessPath(path);
    // The tables of an Access database are read by mdbtools' tools, which takes a moment.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const ImportPreview preview = m_access ? previewAccessImport(path) : previewImport(path);
    QGuiApplication::restoreOverrideCursor();
    showPreview(preview, true);
}

void frmImport::tableChanged()
{
    if (m_filling || !m_access)
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const ImportPreview preview =
        previewAccessImport(QDir::fromNativeSeparators(m_path.trimmed()), cboTable->currentText());
    QGuiApplication::restoreOverrideCursor();
    showPreview(preview, true);
}

void frmImport::formatChanged()
{
    // An Access table has no encoding, separator or header row to choose; no encoding is
    // chosen while the file fits none.
    if (m_filling || m_path.isEmpty() || m_access || cboEncoding->currentIndex() < 0)
        return;
    ImportFormat format;
    format.encoding = csv::Encoding(cboEncoding->currentData().toInt());
    format.separator = cboSeparator->currentData().toString().at(0);
    format.header = chkHeader->isChecked();
    const QString path = QDir::fromNativeSeparators(m_path.trimmed());
    ImportPreview preview = previewImport(path, format);
    // The file was stopped before any of it was shown (its encoding was not clear): the
    // separator found and the header row guessed are taken, as for any other file.
    if (!m_preview.ok() && m_preview.sniff.misfitLine > 0 && preview.ok()) {
        format.separator = m_preview.sniff.separator;
        format.header = preview.headerGuessed;
        preview = previewImport(path, format);
    }
    showPreview(preview, true);
}

void frmImport::showPreview(const ImportPreview& preview, bool guessChoices)
{
    m_preview = preview;
    m_filling = true;
    grdPreview->clear();
    grdPreview->setRowCount(0);
    grdPreview->setColumnCount(0);
    for (QComboBox* box : cboMap) {
        box->clear();
        box->addItem(tr("(not imported)"));
    }
    cboTable->clear();
    cboTable->addItems(preview.tables);
    cboTable->setCurrentIndex(int(preview.tables.indexOf(preview.table)));
    cboTable->setVisible(m_access);
    m_tableLabel->setVisible(m_access);
    for (QWidget* csvOnly : {static_cast<QWidget*>(cboEncoding),
                             static_cast<QWidget*>(cboSeparator), static_cast<QWidget*>(chkHeader)})
        csvOnly->setEnabled(!m_access);
    // A UTF-8 file with a line that is not: no encoding is taken for it until the user picks one.
    if (!preview.ok() && preview.sniff.misfitLine > 0)
        cboEncoding->setCurrentIndex(-1);
    if (preview.ok() && !m_access) {
        cboEncoding->setCurrentIndex(cboEncoding->findData(int(preview.format.encoding)));
        cboSeparator->setCurrentIndex(cboSeparator->findData(QString(preview.format.separator)));
        chkHeader->setChecked(preview.format.header);
    }
    if (preview.ok()) {
        if (guessChoices) {
            chkExact->setChecked(preview.exactGuessed);
            cboDates->setCurrentIndex(preview.dayFirstGuessed ? 1 : 0);
        }
        grdPreview->setColumnCount(int(preview.columns.size()));
        grdPreview->setHorizontalHeaderLabels(preview.columns);
        grdPreview->setRowCount(int(preview.rows.size()));
        QStringList lines;
        for (qsizetype r = 0; r < preview.rows.size(); ++r) {
            lines << QString::number(preview.lines[r]);
            for (qsizetype c = 0; c < preview.rows[r].size() && c < preview.columns.size(); ++c)
                grdPreview->setItem(int(r), int(c),
                                    new QTableWidgetItem(cellText(preview.rows[r][c])));
        }
        grdPreview->setVerticalHeaderLabels(lines);
        for (qsizetype c = 0; c < preview.columns.size(); ++c) {
            for (QComboBox* box : cboMap)
                box->addItem(QStringLiteral("%1: %2").arg(c + 1).arg(preview.columns[c]));
        }
        for (int f = 0; f < ArticleField::Count; ++f)
            cboMap[size_t(f)]->setCurrentIndex(preview.mapping.value(f, -1) + 1);
    }
    m_filling = false;
    updateImportButton();
}

QList<int> frmImport::chosenMapping() const
{
    QList<int> mapping;
    for (const QComboBox* box : cboMap)
        mapping << box->currentIndex() - 1;
    return mapping;
}

void frmImport::updateImportButton()
{
    if (!m_preview.ok()) {
        cmdImport->setEnabled(false);
        lblStatus->setText(m_path.trimmed().isEmpty()
                               ? tr("Name the CSV file to import, or choose it with "
                                    "Browse.")
                               : m_preview.problem);
        return;
    }
    const QList<int> mapping = chosenMapping();
    const bool ready = mapping[ArticleField::Problem] >= 0 && mapping[ArticleField::Solution] >= 0;
    cmdImport->setEnabled(ready);
    QString text = m_access ? tr("The table %1 of the Access database, %2 columns; the first %3 "
                                 "rows are shown.")
                                  .arg(m_preview.table)
                                  .arg(m_preview.columns.size())
                                  .arg(m_preview.rows.size())
                            : tr("%1, %2-separated, %3 columns; the first %4 rows are shown.")
                                  .arg(csv::encodingName(m_preview.format.encoding),
                                       csv::separatorName(m_preview.format.separator))
                                  .arg(m_preview.columns.size())
                                  .arg(m_preview.rows.size());
    if (!ready)
        text += tr(" Choose the columns that hold the Problem and the Solution: every "
                   "article needs both.");
    lblStatus->setText(text);
}

void frmImport::cmdImport_Click()
{
    if (!m_preview.ok() || !cmdImport->isEnabled())
        return;
    ImportOptions options;
    options.format = m_preview.format;
    options.mapping = chosenMapping();
    options.numbering = optAfterHighest->isChecked() ? ImportOptions::Numbering::AfterHighest
                                                     : ImportOptions::Numbering::KeepFileNumbers;
    options.exact = chkExact->isChecked();
    options.dayFirst = cboDates->currentIndex() == 1;
    options.expectedHeader = m_preview.header;
    options.table = m_preview.table;

    const QString path = QDir::fromNativeSeparators(m_path.trimmed());
    QProgressDialog progress(tr("Importing the articles of %1...").arg(QFileInfo(path).fileName()),
                             tr("Cancel"), 0, 1000, this);
    setUpJobProgress(progress, "dlgImportProgress");
    cmdImport->setEnabled(false);

    const auto onProgress = [&progress](qint64 done, qint64 total) {
        progress.setValue(total > 0 ? int(done * 1000 / total) : 1000);
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };
    const auto onConfirm = [this, &progress](const ImportReport& report) {
        if (report.skipped.isEmpty())
            return true;
        progress.hide();
        return askYesNo(this,
                        tr("%1 of the %2 rows cannot be imported; the report lists "
                           "them with the reasons.\n\nImport the other %3 articles?")
                            .arg(report.skipped.size())
                            .arg(report.rowsRead)
                            .arg(report.imported),
                        QStringLiteral("Ardentry"), QMessageBox::No);
    };
    ImportReport report;
    try {
        // The first import after a server restart connects again.
        m_app.dbConnection.ensureAlive();
        report =
            importArticles(m_app.dbConnection.database(), path, options, onProgress, onConfirm);
    } catch (const DbError& e) {
        report.file = path;
        report.failure = e.message();
    }
    progress.close();
    if (report.changedDatabase()) {
        TransferCommands::reloadAfterImport(m_frame);
        cmdImport->setEnabled(false); // the same rows are never imported twice by one more click
    } else {
        updateImportButton();
    }
    showReport(report);
}

void frmImport::fitScreen()
{
    // On the screen, with room for a title bar: a 1366 x 768 one at 100 % keeps its taskbar.
    if (const QScreen* shown = screen())
        resize(size()
                   .boundedTo(shown->availableGeometry().size() - QSize(0, 40))
                   .expandedTo(minimumSizeHint()));
}

void frmImport::showReport(const ImportReport& report)
{
    m_report = report.text();
    if (report.outcome == ImportReport::Outcome::Failed) {
        const QString problem = m_app.dbConnection.fileProblem();
        if (!problem.isEmpty())
            m_report += problem + QLatin1Char('\n');
    }
    txtReport->setPlainText(m_report);
    txtReport->show();
    // The report takes its room from the window as it is, which stays on the screen.
    layout()->activate();
    fitScreen();
    cmdSaveReport->setEnabled(true);
    QString summary;
    switch (report.outcome) {
    case ImportReport::Outcome::Imported:
        summary = report.imported == 1 ? tr("1 article imported")
                                       : tr("%1 articles imported").arg(report.imported);
        if (report.skipped.size() == 1)
            summary += tr(", 1 row left out");
        else if (!report.skipped.isEmpty())
            summary += tr(", %1 rows left out").arg(report.skipped.size());
        summary += QLatin1Char('.');
        break;
    case ImportReport::Outcome::DryRun:
    case ImportReport::Outcome::Declined:
        summary = tr("Nothing was imported.");
        break;
    case ImportReport::Outcome::Cancelled:
        summary = tr("The import was cancelled; nothing was imported.");
        break;
    case ImportReport::Outcome::Failed:
        summary = tr("The import failed; nothing was imported.");
        break;
    }
    lblStatus->setText(summary);
}

void frmImport::cmdSaveReport_Click()
{
    const QFileInfo source(QDir::fromNativeSeparators(m_path.trimmed()));
    QFileDialog chooser(
        this, tr("Save Report"),
        source.dir().filePath(source.completeBaseName() + QStringLiteral("-import-report.txt")));
    chooser.setObjectName(QStringLiteral("dlgSaveReport"));
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setNameFilters({tr("Text files (*.txt)"), tr("All files (*)")});
    chooser.setDefaultSuffix(QStringLiteral("txt"));
    if (MessageBox::exec(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return;
    const QString target = chooser.selectedFiles().constFirst();
    QSaveFile file(target);
    const QByteArray bytes = m_report.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        showMessage(this, tr("The report could not be saved in %1: %2.")
                              .arg(QDir::toNativeSeparators(target), file.errorString()));
}

void frmImport::done(int result)
{
    m_frame.enableAgain();
    SingleInstance::markUnloaded(this);
    QDialog::done(result);
}
