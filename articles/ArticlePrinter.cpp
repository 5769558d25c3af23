// SPDX-License-Identifier: GPL-3.0-or-later
#include "articles/ArticlePrinter.h"

#include "articles/frmBrowser.h"
#include "articles/frmDisplay.h"
#include "common/Frame.h"
#include "common/MessageBox.h"
#include "core/Pictures.h"
#include "core/PrintFile.h"
#include "core/PrintPage.h"
#include "core/mdlMain.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QUrl>

#include <memory>
#include <optional>

namespace
{

const char* const PrintQuestion =
    QT_TRANSLATE_NOOP("ArticlePrinter", "Do you want to print this article?");

// The printed columns of the current row of rsMain, with its stored pictures (one the database
// lacks is left out); none without a current row.
std::optional<PrintColumns> currentColumns(RecordSet& rs, Connection& connection)
{
    if (!rs.isOpen() || !rs.hasCurrentRow())
        return std::nullopt;
    PrintColumns c;
    c.id = rs.value(QStringLiteral("Id"));
    c.category = rs.value(QStringLiteral("CUName"));
    c.enteredBy = rs.value(QStringLiteral("techname"));
    c.problem = rs.value(QStringLiteral("Problem"));
    c.solution = rs.value(QStringLiteral("solution"));
    c.reference = rs.value(QStringLiteral("reference"));
    for (int slot = 1; slot <= 10; ++slot) {
        const pictures::StoredRef ref =
            pictures::parse(rs.value(QStringLiteral("Image%1").arg(slot)));
        if (ref.id.isEmpty())
            continue;
        try {
            c.pictures.append({ref.name, pictures::read(connection, ref.id)});
        } catch (const DbError& e) {
            if (e.kind() != DbError::Kind::NotFound)
                throw;
        }
    }
    return c;
}

// The printer of a print that did not come through the printer dialog: the default printer
// (or, without a default, the first one there is). None when there is no printer at all.
std::unique_ptr<QPrinter> defaultPrinter()
{
    if (frmBrowser::hasPrinterHook())
        return std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
        if (all.isEmpty())
            return nullptr;
        info = all.first();
    }
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

// A printer that writes a file would write the reference over the article page: the reference
// goes to a file of its own beside it ("page.pdf" -> "page (reference).pdf").
void separateReferenceFile(QPrinter& printer)
{
    const QString name = printer.outputFileName();
    if (name.isEmpty())
        return;
    const QFileInfo info(name);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    printer.setOutputFileName(
        info.dir().filePath(info.completeBaseName() + QStringLiteral(" (reference)") + suffix));
}

void printArticle(Frame& frame, QPrinter* chosen)
{
    if (const frmBrowser* window = frmBrowser::loaded(frame); window && window->isPrinting()) {
        frame.report(QCoreApplication::translate(
            "ArticlePrinter", "A print is still in progress. Try again when it has "
                              "finished."));
        return;
    }

    std::unique_ptr<QPrinter> ownPrinter;
    QPrinter* printer = chosen;
    if (!printer) {
        ownPrinter = defaultPrinter();
        if (!ownPrinter) {
            frame.report(QCoreApplication::translate(
                "ArticlePrinter", "No printer is available. Set up a printer on this "
                                  "computer, then print the article again."));
            return;
        }
        printer = ownPrinter.get();
    }

    if (frame.app().rsMain.currentIsNew()) {
        // Its columns are not written yet: the page would come out blank.
        frame.report(QCoreApplication::translate(
            "ArticlePrinter", "This article has not been saved yet. Save it, then print it."));
        return;
    }
    std::optional<PrintColumns> columns;
    try {
        columns = currentColumns(frame.app().rsMain, frame.app().dbConnection);
    } catch (const DbError& e) {
        frame.report(QCoreApplication::translate("ArticlePrinter",
                                                 "The article could not be read for printing: ") +
                     e.message());
        return;
    }
    if (!columns) {
        frame.report(
            QCoreApplication::translate("ArticlePrinter", "There is no article to print."));
        return;
    }

    const QString page = PrintPage::html(*columns, QDate::currentDate());
    QString fileError;
    const QString file = PrintFile::write(page, &fileError);
    if (file.isEmpty()) {
        frame.report(
            QCoreApplication::translate("ArticlePrinter", "The article could not be printed: ") +
            fileError + '.');
        return;
    }

    if (!askYesNo(frame.window(), QCoreApplication::translate("ArticlePrinter", PrintQuestion),
                  QStringLiteral("Ardentry"), QMessageBox::Yes))
        return;

    frmBrowser& browser = frmBrowser::load(frame);
    browser.show();
    printer->setDocName(QCoreApplication::translate("ArticlePrinter", "Ardentry article ") +
                        columns->id);
    const QString pageFailure = browser.printDocument(file, *printer);
    if (browser.abandoned())
        return;
    if (!pageFailure.isEmpty()) {
        browser.hide();
        frame.report(
            QCoreApplication::translate("ArticlePrinter", "The article could not be printed: ") +
            pageFailure + '.');
        return;
    }
    if (PrintPage::hasReference(columns->reference)) {
        if (!frmBrowser::hasPrinterHook())
            separateReferenceFile(*printer);
        const QString name = QFileInfo(QUrl(columns->reference.trimmed()).path()).fileName();
        printer->setDocName(name.isEmpty() ? columns->reference.trimmed() : name);
        const QString referenceFailure = browser.printDocument(columns->reference, *printer);
        if (browser.abandoned())
            return;
        if (!referenceFailure.isEmpty()) {
            browser.hide();
            frame.report(QCoreApplication::translate(
                             "ArticlePrinter", "The article was printed, but its reference \"%1\" "
                                               "could not be printed: %2.")
                             .arg(columns->reference, referenceFailure));
            return;
        }
    }
    browser.hide();
}

} // namespace

void ArticlePrinter::PrintRecord()
{
    printArticle(m_frame, nullptr);
}

void ArticlePrinter::mnuPrint_Click()
{
    // The printer and settings chosen in the dialog are used; cancelling it still leads to the
    // question, and then to the default printer.
    QPrinter printer(QPrinter::HighResolution);
    bool chosen = false;
    {
        // The dialog is gone before printing starts: the article form that owns it may be closed
        // while the print waits for a document.
        QPrintDialog CommonDialog1(&printer, &m_frame.display());
        CommonDialog1.setObjectName(QStringLiteral("CommonDialog1"));
        CommonDialog1.setWindowTitle(QCoreApplication::translate("ArticlePrinter", "Print"));
        chosen = MessageBox::exec(CommonDialog1) == QDialog::Accepted;
    }
    printArticle(m_frame, chosen ? &printer : nullptr);
}
