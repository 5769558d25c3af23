// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Csv.h"

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The article fields of the AR table, in its column order.
namespace ArticleField
{
enum : int {
    Id,
    Category,  // CUName
    EnteredBy, // techname
    Title,
    Problem,
    Solution,     // solution
    Reference,    // reference
    InitialEntry, // the date entered
    EditedBy,
    DateEdited,
    Image1, // Image1 .. Image10 follow
    Count = Image1 + 10,
};

// The AR column of a field: "ID", "CUName", "techname", ...
QString column(int field);
// The field as the article form names it: "Article Number", "Category", "Entered By", ...
// Always English, so that a file's header matches it whatever the language of the program.
QString caption(int field);
// The caption in the language of the program, as the import window and its messages show it.
QString shownCaption(int field);
// A field named by its column, its caption or its name here (Id, Category, EnteredBy, Title,
// Problem, Solution, Reference, DateEntered, EditedBy, DateEdited, Image1..Image10); letter case,
// blanks and punctuation do not count.
std::optional<int> fromName(const QString& name);
} // namespace ArticleField

// How the file is read.
struct ImportFormat {
    csv::Encoding encoding = csv::Encoding::Utf8;
    QChar separator = QLatin1Char(',');
    bool header = true; // the first row holds the column names
};

struct ImportOptions {
    ImportFormat format;
    // Per article field (ArticleField::Count entries): the column of the file (0 = first) or -1
    // for a field the file does not give. Problem and Solution must have a column.
    QList<int> mapping;
    enum class Numbering {
        KeepFileNumbers, // a free number of the file is kept, a taken one skips its row; rows
                         // without a number are numbered after the highest of table and file
        AfterHighest,    // every article is numbered after the highest existing one
    };
    Numbering numbering = Numbering::KeepFileNumbers;
    // Values as written: an unquoted empty field is a Null, a quoted one the empty text, no
    // "N/A" filled in, dates not rewritten, empty problems allowed. For files that Ardentry
    // exported (see isArdentryExport), so that export and import give the same articles.
    bool exact = false;
    bool dayFirst = false; // slash dates are day/month/year (else month/day/year)
    bool dryRun = false;   // everything is done and reported, then rolled back
    // When set: the header row the preview showed; a file whose header reads otherwise now
    // has changed since, and is not imported.
    QStringList expectedHeader;
    qsizetype maxFieldLength = csv::Reader::DefaultMaxFieldLength;
    // When set, the file is an Access database and the rows are those of this table, its
    // columns in the table's order (the encoding, separator and header row do not apply).
    QString table;
};

// The first rows of a file and the choices guessed from them, for the import window and the
// command-line tool.
struct ImportPreview {
    csv::Sniff sniff;             // what the file is (kind, encoding found, separator found)
    ImportFormat format;          // as read for the preview
    QStringList header;           // the first row as read, when it holds the column names
    QStringList columns;          // the header's names, or "Column 1", "Column 2", ...
    QList<QStringList> rows;      // the first data rows
    QList<qint64> lines;          // the line of each of them
    bool headerGuessed = false;   // the first row looks like column names
    QList<int> mapping;           // guessed from the column names
    bool exactGuessed = false;    // the header is Ardentry's export header
    bool dayFirstGuessed = false; // a slash date of the preview reads only day first
    QString problem;              // why the file cannot be imported; empty when it can
    QStringList tables;           // an Access database: its tables
    QString table;                // an Access database: the table shown

    bool ok() const { return problem.isEmpty(); }
};

// Reads the first `rows` data rows. Without `format`, the encoding, separator and header row
// are detected; with it, they are taken as given (the header guess is still made).
ImportPreview previewImport(const QString& path, const std::optional<ImportFormat>& format = {},
                            int rows = 20);

// The same for a table of an Access database: its tables, and the first rows of `table` (or of
// its AR table, else its first table, when `table` is empty), its column names as the header.
ImportPreview previewAccessImport(const QString& path, const QString& table = QString(),
                                  int rows = 20);

// Guesses the column of each field from the header's names ("Title", "Problem", "Solution",
// "Category", "Author", "Entered By", "Date", the AR column names, ...). Each column serves one
// field at most.
QList<int> guessMapping(const QStringList& header);
// True when a date of the rows in a mapped date column reads only day first (31/12/2022).
bool guessDayFirst(const QList<QStringList>& rows, const QList<int>& mapping);
// True when the names include every column of AR (what Ardentry's export writes).
bool isArdentryExport(const QStringList& header);
// A date as a file may write it: 03/14/2022, 3/14/22, 2022-03-14, 14.03.2022, 14 March 2022,
// March 14, 2022, each with a time or not. Slash and dash dates are month first unless
// `dayFirst`; dot dates are always day first.
std::optional<QDate> readDate(const QString& text, bool dayFirst);

// What an import did, or would do (dry run).
struct ImportReport {
    enum class Outcome {
        Imported,  // committed (possibly zero articles, then nothing was written)
        DryRun,    // everything done, then rolled back
        Cancelled, // stopped by the user; rolled back
        Declined,  // the confirmation said no; rolled back
        Failed,    // a fault of the file or the database; rolled back
    };
    struct Line {
        qint64 line = 0;
        QString text;
    };

    Outcome outcome = Outcome::Failed;
    QString file;
    QString table;   // the Access table read, when the file is an Access database
    QString failure; // for Failed
    ImportFormat format;
    bool exact = false;
    qint64 rowsRead = 0;   // data rows, empty lines not counted
    qint64 imported = 0;   // articles written (or that would be)
    qint64 blankLines = 0; // empty rows passed over
    qint64 lowestNumber = 0;
    qint64 highestNumber = 0;
    qint64 datedToday = 0; // articles without an entry date that got today's
    QList<Line> skipped;   // rows not imported, and why
    QList<Line> notes;     // rows imported with a remark (a date that cannot be read)
    QStringList categoriesAdded;
    QStringList usersAdded;

    bool changedDatabase() const { return outcome == Outcome::Imported && imported > 0; }
    // The report as text, one fact a line, for the window, the tool and a saved report file.
    QString text() const;
};

// Done/total bytes; returning false cancels the import.
using ImportProgress = std::function<bool(qint64 done, qint64 total)>;
// Asked after every row was written and before the commit; false rolls everything back.
using ImportConfirm = std::function<bool(const ImportReport& report)>;

// Imports the file into the AR table of `database` in one transaction: plain INSERTs, so the
// table's triggers run as for any other new article; new categories and users go to the
// Categories and Users tables. Cancel, a refused confirmation, a dry run and any failure roll
// everything back and leave the database file as it was. Never throws.
ImportReport importArticles(QSqlDatabase& database, const QString& path,
                            const ImportOptions& options, const ImportProgress& progress = {},
                            const ImportConfirm& confirm = {});
