// SPDX-License-Identifier: GPL-3.0-or-later
// ardentry-csv: imports articles from a CSV file into an Ardentry database, and exports them to
// CSV or web pages. Links the widget-free core only.

#include "core/ArticleExport.h"
#include "core/ArticleImport.h"
#include "core/Connection.h"
#include "core/Csv.h"
#include "core/DbError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace
{

const char* const kUsage =
    "Usage: ardentry-csv import DB FILE [options]\n"
    "       ardentry-csv export DB FILE [--web | --raw]\n"
    "\n"
    "import: reads the articles of the CSV file FILE into the Ardentry database DB in one\n"
    "transaction, prints a report (rows imported, rows skipped with their line numbers and\n"
    "reasons, categories and users added) and writes nothing when it fails.\n"
    "  --map FIELD=COLUMN   take FIELD from COLUMN of the file: a header name or a column\n"
    "                       number (1 = first); FIELD= leaves the field out. Fields: ID,\n"
    "                       Category, EnteredBy, Title, Problem, Solution, Reference,\n"
    "                       DateEntered, EditedBy, DateEdited, Image1 .. Image10 (the AR\n"
    "                       column names work too). Without --map the columns are guessed\n"
    "                       from the header's names; Problem and Solution must have one.\n"
    "  --dry-run            check every row and print the report; write nothing\n"
    "  --numbers keep|after-highest\n"
    "                       keep the file's numbers where they are free (default; a row\n"
    "                       whose number is taken is skipped), or number the articles after\n"
    "                       the highest existing one\n"
    "  --encoding NAME      utf-8, utf-16le, utf-16be or windows-1252 (default: detected)\n"
    "  --separator NAME     comma, semicolon or tab (default: detected)\n"
    "  --header, --no-header\n"
    "                       the first row holds column names, or data (default: guessed)\n"
    "  --exact, --no-exact  keep values exactly as written: Nulls, empty texts, dates\n"
    "                       (default: on for a file with Ardentry's export header)\n"
    "  --day-first, --month-first\n"
    "                       slash dates are day/month/year or month/day/year (default:\n"
    "                       month first unless the first rows show otherwise)\n"
    "  --report PATH        also save the report as a text file\n"
    "\n"
    "export: writes every article of DB to FILE as CSV (UTF-8 with byte order mark, a header\n"
    "row, every column of AR); with --web, FILE is a new or empty folder that gets web pages:\n"
    "index.html by category, one page per article, the images copied beside them. Texts that\n"
    "begin with =, +, -, @, tab or CR get a leading apostrophe, so that a spreadsheet does not\n"
    "run them as formulas (the import takes it away again); --raw writes them as they are.\n"
    "\n"
    "Exit status: 0 when every row was imported (or the export was written), 1 when rows were\n"
    "skipped, 2 when nothing was written (bad arguments, unreadable file or database, cancel).\n";

int usageError(const QString& message)
{
    std::fprintf(stderr, "ardentry-csv: %s\n\n%s", qPrintable(message), kUsage);
    return 2;
}

void print(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

int fail(const QString& message)
{
    std::fprintf(stderr, "ardentry-csv: %s\n", qPrintable(message));
    return 2;
}

// The column a --map value names: a header name (exact first, then ignoring case), or a number.
std::optional<int> columnOf(const QString& value, const QStringList& columns, bool header)
{
    if (header) {
        for (int c = 0; c < columns.size(); ++c) {
            if (columns[c] == value)
                return c;
        }
        for (int c = 0; c < columns.size(); ++c) {
            if (columns[c].trimmed().compare(value.trimmed(), Qt::CaseInsensitive) == 0)
                return c;
        }
    }
    bool ok = false;
    const int number = value.trimmed().toInt(&ok);
    if (ok && number >= 1)
        return number - 1; // beyond the file's columns: the import says so

    return std::nullopt;
}

int runImport(const QString& db, const QString& file, const QStringList& options)
{
    QStringList maps;
    std::optional<csv::Encoding> encoding;
    std::optional<QChar> separator;
    std::optional<bool> header;
    std::optional<bool> exact;
    std::optional<bool> dayFirst;
    bool dryRun = false;
    bool afterHighest = false;
    QString reportPath;
    for (int i = 0; i < options.size(); ++i) {
        const QString& arg = options[i];
        const auto valueOf = [&](const QString& name, QString& into) {
            if (arg.startsWith(name + QLatin1Char('='))) {
                into = arg.mid(name.size() + 1);
                return true;
            }
            if (arg == name) {
                if (i + 1 >= options.size())
                    return false;
                into = options[++i];
                return true;
            }
            return false;
        };
        QString value;
        if (arg == QLatin1String("--dry-run")) {
            dryRun = true;
        } else if (arg == QLatin1String("--header") || arg == QLatin1String("--no-header")) {
            header = arg == QLatin1String("--header");
        } else if (arg == QLatin1String("--exact") || arg == QLatin1String("--no-exact")) {
            exact = arg == QLatin1String("--exact");
        } else if (arg == QLatin1String("--day-first") || arg == QLatin1String("--month-first")) {
            dayFirst = arg == QLatin1String("--day-first");
        } else if (arg.startsWith(QLatin1String("--map"))) {
            if (!valueOf(QStringLiteral("--map"), value))
                return usageError(QStringLiteral("--map needs FIELD=COLUMN."));
            maps << value;
        } else if (arg.startsWith(QLatin1String("--numbers"))) {
            if (!valueOf(QStringLiteral("--numbers"), value))
                return usageError(QStringLiteral("--numbers needs keep or after-highest."));
            if (value == QLatin1String("keep"))
                afterHighest = false;
            else if (value == QLatin1String("after-highest"))
                afterHighest = true;
            else
                return usageError(
                    QStringLiteral("--numbers is keep or after-highest, not \"%1\".").arg(value));
        } else if (arg.startsWith(QLatin1String("--encoding"))) {
            if (!valueOf(QStringLiteral("--encoding"), value) ||
                !(encoding = csv::encodingFromName(value)))
                return usageError(QStringLiteral("--encoding is utf-8, utf-16le, utf-16be or "
                                                 "windows-1252."));
        } else if (arg.startsWith(QLatin1String("--separator"))) {
            if (!valueOf(QStringLiteral("--separator"), value) ||
                !(separator = csv::separatorFromName(value)))
                return usageError(QStringLiteral("--separator is comma, semicolon or tab."));
        } else if (arg.startsWith(QLatin1String("--report"))) {
            if (!valueOf(QStringLiteral("--report"), value) || value.isEmpty())
                return usageError(QStringLiteral("--report needs a file name."));
            reportPath = value;
        } else {
            return usageError(QStringLiteral("Unknown option \"%1\".").arg(arg));
        }
    }

    ImportPreview preview = previewImport(file);
    if (!preview.ok())
        return fail(preview.problem);
    if (encoding || separator || header) {
        ImportFormat format = preview.format;
        if (encoding)
            format.encoding = *encoding;
        if (separator)
            format.separator = *separator;
        if (header)
            format.header = *header;
        preview = previewImport(file, format);
        if (!preview.ok())
            return fail(preview.problem);
    }

    ImportOptions o;
    o.format = preview.format;
    o.mapping = preview.mapping;
    for (const QString& map : std::as_const(maps)) {
        const qsizetype equals = map.indexOf(QLatin1Char('='));
        if (equals < 0)
            return usageError(QStringLiteral("--map needs FIELD=COLUMN, not \"%1\".").arg(map));
        const std::optional<int> field = ArticleField::fromName(map.left(equals));
        if (!field)
            return usageError(
                QStringLiteral("\"%1\" is not an article field.").arg(map.left(equals)));
        const QString column = map.mid(equals + 1);
        if (column.isEmpty()) {
            o.mapping[*field] = -1;
            continue;
        }
        const std::optional<int> c = columnOf(column, preview.columns, o.format.header);
        if (!c)
            return usageError(QStringLiteral("The file has no column \"%1\".").arg(column));
        // A column serves one field: a field mapped before to it loses it.
        for (int f = 0; f < ArticleField::Count; ++f) {
            if (o.mapping[f] == *c)
                o.mapping[f] = -1;
        }
        o.mapping[*field] = *c;
    }
    o.numbering = afterHighest ? ImportOptions::Numbering::AfterHighest
                               : ImportOptions::Numbering::KeepFileNumbers;
    o.exact = exact.value_or(preview.exactGuessed);
    o.dayFirst = dayFirst.value_or(guessDayFirst(preview.rows, o.mapping));
    o.dryRun = dryRun;

    QStringList taken;
    for (int f = 0; f < ArticleField::Count; ++f) {
        const int c = o.mapping[f];
        if (c >= 0)
            taken << QStringLiteral("  %1 <- column %2%3")
                         .arg(ArticleField::caption(f))
                         .arg(c + 1)
                         .arg(o.format.header && c < preview.columns.size()
                                  ? QStringLiteral(" \"%1\"").arg(preview.columns[c])
                                  : QString());
    }
    print(QStringLiteral("Fields taken from the file:\n") +
          (taken.isEmpty() ? QStringLiteral("  none") : taken.join(QLatin1Char('\n'))) +
          QLatin1Char('\n'));

    Connection connection;
    try {
        connection.open(db);
    } catch (const DbError& e) {
        return fail(e.message());
    }
    const ImportReport report = importArticles(connection.database(), file, o);
    const QString text = report.text();
    print(text);
    if (!reportPath.isEmpty()) {
        QSaveFile saved(reportPath);
        if (!saved.open(QIODevice::WriteOnly) || saved.write(text.toUtf8()) < 0 || !saved.commit())
            std::fprintf(stderr, "ardentry-csv: the report could not be saved in %s: %s\n",
                         qPrintable(QDir::toNativeSeparators(reportPath)),
                         qPrintable(saved.errorString()));
    }
    switch (report.outcome) {
    case ImportReport::Outcome::Imported:
    case ImportReport::Outcome::DryRun:
        return report.skipped.isEmpty() ? 0 : 1;
    default:
        return 2;
    }
}

int runExport(const QString& db, const QString& file, const QStringList& options)
{
    bool web = false;
    bool raw = false;
    for (const QString& arg : options) {
        if (arg == QLatin1String("--web"))
            web = true;
        else if (arg == QLatin1String("--raw"))
            raw = true;
        else
            return usageError(QStringLiteral("Unknown option \"%1\".").arg(arg));
    }
    Connection connection;
    ExportReport report;
    try {
        connection.open(db);
        const std::unique_ptr<ArticleSource> source = allArticles(connection.database());
        report = web ? exportWeb(*source, file,
                                 connection.isServer() ? QDir::currentPath()
                                                       : QFileInfo(db).absolutePath())
                     : exportCsv(*source, file, {}, raw);
    } catch (const DbError& e) {
        return fail(e.message());
    }
    print(report.text());
    return report.outcome == ExportReport::Outcome::Exported ? 0 : 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.contains(QLatin1String("-h")) || args.contains(QLatin1String("--help"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args.size() < 3)
        return usageError(QStringLiteral("Name the command, the database and the file."));
    const QString command = args[0];
    if (command == QLatin1String("import"))
        return runImport(args[1], args[2], args.mid(3));
    if (command == QLatin1String("export"))
        return runExport(args[1], args[2], args.mid(3));
    return usageError(QStringLiteral("Unknown command \"%1\"; use import or export.").arg(command));
}
