// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ArticleImport.h"

#include "core/AccessDatabase.h"
#include "core/Connection.h"
#include "core/DbError.h"
#include "core/Pictures.h"
#include "core/TextMatch.h"
#include "core/Transaction.h"
#include "core/db/Engine.h"
#include "core/db/Query.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <unordered_set>
#include <utility>

namespace
{

const char* const kColumns[ArticleField::Count] = {
    "ID",           "CUName",   "techname",   "Title",  "Problem", "solution", "reference",
    "InitialEntry", "EditedBy", "DateEdited", "Image1", "Image2",  "Image3",   "Image4",
    "Image5",       "Image6",   "Image7",     "Image8", "Image9",  "Image10"};

const char* const kCaptions[ArticleField::Image1] = {
    QT_TRANSLATE_NOOP("ArticleImport", "Article Number"),
    QT_TRANSLATE_NOOP("ArticleImport", "Category"),
    QT_TRANSLATE_NOOP("ArticleImport", "Entered By"),
    QT_TRANSLATE_NOOP("ArticleImport", "Title"),
    QT_TRANSLATE_NOOP("ArticleImport", "Problem"),
    QT_TRANSLATE_NOOP("ArticleImport", "Solution"),
    QT_TRANSLATE_NOOP("ArticleImport", "Reference"),
    QT_TRANSLATE_NOOP("ArticleImport", "Date Entered"),
    QT_TRANSLATE_NOOP("ArticleImport", "Edited By"),
    QT_TRANSLATE_NOOP("ArticleImport", "Date Edited")};

// Lower case letters and digits only: "Entered By:" -> "enteredby".
QString nameKey(const QString& name)
{
    QString key;
    const QString decomposed = name.normalized(QString::NormalizationForm_KD);
    for (const QChar c : decomposed) {
        if (c.isLetterOrNumber())
            key += c.toLower();
    }
    return key;
}

// Header names that stand for each field, as keys.
const QList<QStringList>& aliases()
{
    static const QList<QStringList> all = [] {
        QList<QStringList> a(ArticleField::Count);
        a[ArticleField::Id] = {
            "id", "arnumber", "articlenumber", "articleno", "articleid", "number",
            "no", "nr",       "num",           "problemid", "kbid",      "kbnumber"};
        a[ArticleField::Category] = {"category", "cuname",  "categoryname", "cat",
                                     "topic",    "section", "categories"};
        a[ArticleField::EnteredBy] = {"techname", "enteredby",   "author", "technician",
                                      "tech",     "createdby",   "writer", "owner",
                                      "addedby",  "submittedby", "user",   "username"};
        a[ArticleField::Title] = {"title",   "subject",  "summary",
                                  "heading", "headline", "articletitle"};
        a[ArticleField::Problem] = {
            "problem", "problemdescription", "description", "question", "issue",
            "symptom", "symptoms",           "query"};
        a[ArticleField::Solution] = {"solution", "answer",     "resolution",
                                     "fix",      "workaround", "response"};
        a[ArticleField::Reference] = {"reference", "ref",    "link",   "url",
                                      "document",  "source", "seealso"};
        a[ArticleField::InitialEntry] = {
            "initialentry", "date",        "dateentered",  "entered",     "entrydate", "created",
            "createdon",    "datecreated", "creationdate", "createddate", "dateadded", "added"};
        a[ArticleField::EditedBy] = {"editedby",     "modifiedby", "updatedby",
                                     "lasteditedby", "changedby",  "editor"};
        a[ArticleField::DateEdited] = {"dateedited",   "edited",     "modified",    "datemodified",
                                       "lastmodified", "modifiedon", "updated",     "updatedon",
                                       "lastupdated",  "editdate",   "dateupdated", "changed"};
        for (int i = 0; i < 10; ++i) {
            const QString n = QString::number(i + 1);
            a[ArticleField::Image1 + i] = {"image" + n, "picture" + n, "pict" + n, "screenshot" + n,
                                           "img" + n};
        }
        a[ArticleField::Image1] << "image"
                                << "picture"
                                << "screenshot";
        return a;
    }();
    return all;
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

bool wholeNumber(const QString& text, qint64& number)
{
    static const QRegularExpression whole(QStringLiteral("^\\s*[+-]?\\d+\\s*$"));
    if (!whole.match(text).hasMatch())
        return false;
    bool ok = false;
    number = text.trimmed().toLongLong(&ok);
    return ok;
}

int twoDigitYear(int year)
{
    return year < 50 ? 2000 + year : 1900 + year;
}

int monthByName(const QString& name)
{
    static const char* const months[12] = {"jan", "feb", "mar", "apr", "may", "jun",
                                           "jul", "aug", "sep", "oct", "nov", "dec"};
    const QString key = name.toLower();
    if (key.size() < 3)
        return 0;
    static const char* const full[12] = {"january",   "february", "march",    "april",
                                         "may",       "june",     "july",     "august",
                                         "september", "october",  "november", "december"};
    for (int m = 0; m < 12; ++m) {
        const QString f = QLatin1String(full[m]);
        if (key == f ||
            (key.size() <= f.size() && f.startsWith(key) &&
             key.startsWith(QLatin1String(months[m]))) ||
            (m == 8 && key == QLatin1String("sept")))
            return m + 1;
    }
    return 0;
}

QString formatted(const QDate& date)
{
    return date.toString(QStringLiteral("MM/dd/yyyy"));
}

bool isNotAvailable(const QString& text)
{
    return text.trimmed().compare(QLatin1String("N/A"), Qt::CaseInsensitive) == 0;
}

QString notAvailable()
{
    return QStringLiteral("N/A");
}

// A text that binds as the empty text, never as a Null.
QVariant asText(const QString& text)
{
    return text.isEmpty() ? QVariant(QString(QLatin1String(""))) : QVariant(text);
}

QString fieldNames(const QList<int>& fields)
{
    QStringList names;
    for (int f : fields)
        names << ArticleField::shownCaption(f);
    if (names.size() == 1)
        return QCoreApplication::translate("ArticleImport", "the %1 is").arg(names.first());
    return QCoreApplication::translate("ArticleImport", "the %1 and the %2 are")
        .arg(names.first(), names.last());
}

// The user cancelled during the first pass over the file.
struct ImportCancelled {
};

class ImportError : public std::runtime_error
{
public:
    explicit ImportError(const QString& message)
        : std::runtime_error(message.toStdString()), text(message)
    {
    }
    QString text;
};

} // namespace

// ---- Fields ----

QString ArticleField::column(int field)
{
    return field >= 0 && field < Count ? QString::fromLatin1(kColumns[field]) : QString();
}

QString ArticleField::caption(int field)
{
    if (field >= 0 && field < Image1)
        return QString::fromLatin1(kCaptions[field]);
    if (field >= Image1 && field < Count)
        return QStringLiteral("Image %1").arg(field - Image1 + 1);
    return QString();
}

QString ArticleField::shownCaption(int field)
{
    if (field >= 0 && field < Image1)
        return QCoreApplication::translate("ArticleImport", kCaptions[field]);
    if (field >= Image1 && field < Count)
        return QCoreApplication::translate("frmHistory", "Image %1").arg(field - Image1 + 1);
    return QString();
}

std::optional<int> ArticleField::fromName(const QString& name)
{
    const QString key = nameKey(name);
    if (key.isEmpty())
        return std::nullopt;
    static const char* const own[Image1] = {"id",       "category",  "enteredby", "title",
                                            "problem",  "solution",  "reference", "dateentered",
                                            "editedby", "dateedited"};
    for (int f = 0; f < Count; ++f) {
        if (key == nameKey(column(f)) || key == nameKey(caption(f)) ||
            key == nameKey(shownCaption(f)) || (f < Image1 && key == QLatin1String(own[f])))
            return f;
    }
    return std::nullopt;
}

// ---- Guesses ----

QList<int> guessMapping(const QStringList& header)
{
    QList<int> mapping(ArticleField::Count, -1);
    QList<bool> used(header.size(), false);
    const QList<QStringList>& names = aliases();
    // Exact column names first (an export's header), then the other names in order of
    // preference: "Problem Description" beats "Description".
    for (int f = 0; f < ArticleField::Count; ++f) {
        const QString own = nameKey(ArticleField::column(f));
        for (qsizetype c = 0; c < header.size(); ++c) {
            if (!used[c] && nameKey(header[c]) == own) {
                mapping[f] = int(c);
                used[c] = true;
                break;
            }
        }
    }
    for (int rank = 0; rank < 16; ++rank) {
        for (int f = 0; f < ArticleField::Count; ++f) {
            if (mapping[f] >= 0 || rank >= names[f].size())
                continue;
            for (qsizetype c = 0; c < header.size(); ++c) {
                if (!used[c] && nameKey(header[c]) == names[f][rank]) {
                    mapping[f] = int(c);
                    used[c] = true;
                    break;
                }
            }
        }
    }
    return mapping;
}

bool guessDayFirst(const QList<QStringList>& rows, const QList<int>& mapping)
{
    // A slash date whose first number cannot be a month: the file writes the day first.
    for (int f : {int(ArticleField::InitialEntry), int(ArticleField::DateEdited)}) {
        const int c = mapping.value(f, -1);
        if (c < 0)
            continue;
        for (const QStringList& row : rows) {
            const QString value = row.value(c);
            if (!readDate(value, false) && readDate(value, true))
                return true;
        }
    }
    return false;
}

bool isArdentryExport(const QStringList& header)
{
    QSet<QString> keys;
    for (const QString& name : header)
        keys.insert(name.trimmed().toLower());
    for (int f = 0; f < ArticleField::Count; ++f) {
        if (!keys.contains(ArticleField::column(f).toLower()))
            return false;
    }
    return true;
}

std::optional<QDate> readDate(const QString& text, bool dayFirst)
{
    static const QString time = QStringLiteral(
        "(?:(?:[T ]|,\\s*)\\d{1,2}:\\d{2}(?::\\d{2}(?:[.,]\\d+)?)?\\s*(?:[AaPp]\\.?[Mm]\\.?)?"
        "\\s*(?:Z|[+-]\\d{2}:?\\d{2}|[A-Z]{3,4})?)?");
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})([-/.])(\\d{1,2})\\2(\\d{1,2})") +
                                        time + QStringLiteral("$"));
    static const QRegularExpression numeric(
        QStringLiteral("^(\\d{1,2})([-/.])(\\d{1,2})\\2(\\d{4}|\\d{2})") + time +
        QStringLiteral("$"));
    static const QRegularExpression dayMonth(
        QStringLiteral("^(?:[A-Za-z]+,?\\s+)?(\\d{1,2})(?:st|nd|rd|th)?[ -]([A-Za-z]+)\\.?,?[ "
                       "-](\\d{4}|\\d{2})") +
        time + QStringLiteral("$"));
    static const QRegularExpression monthDay(
        QStringLiteral(
            "^(?:[A-Za-z]+,?\\s+)?([A-Za-z]+)\\.?[ -](\\d{1,2})(?:st|nd|rd|th)?,?[ -](\\d{4})") +
        time + QStringLiteral("$"));
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    int year = 0;
    int month = 0;
    int day = 0;
    QRegularExpressionMatch m = iso.match(t);
    if (m.hasMatch()) {
        year = m.captured(1).toInt();
        month = m.captured(3).toInt();
        day = m.captured(4).toInt();
    } else if ((m = numeric.match(t)).hasMatch()) {
        const int first = m.captured(1).toInt();
        const int second = m.captured(3).toInt();
        const bool dots = m.captured(2) == QLatin1String(".");
        if (dots || dayFirst) {
            day = first;
            month = second;
        } else {
            month = first;
            day = second;
        }
        year =
            m.captured(4).size() == 2 ? twoDigitYear(m.captured(4).toInt()) : m.captured(4).toInt();
    } else if ((m = dayMonth.match(t)).hasMatch()) {
        day = m.captured(1).toInt();
        month = monthByName(m.captured(2));
        year =
            m.captured(3).size() == 2 ? twoDigitYear(m.captured(3).toInt()) : m.captured(3).toInt();
    } else if ((m = monthDay.match(t)).hasMatch()) {
        month = monthByName(m.captured(1));
        day = m.captured(2).toInt();
        year = m.captured(3).toInt();
    } else {
        return std::nullopt;
    }
    const QDate date(year, month, day);
    if (!date.isValid() || year < 1000)
        return std::nullopt;
    return date;
}

// ---- Preview ----

namespace
{
// Column names in words the guess does not know: short, distinct, not numbers or dates.
bool looksLikeNames(const QStringList& row)
{
    QSet<QString> seen;
    for (const QString& name : row) {
        const QString t = name.trimmed();
        qint64 number = 0;
        if (t.isEmpty() || t.size() > 40 || t.contains(QLatin1Char('\n')) ||
            t.contains(QLatin1Char('\r')) || seen.contains(t.toLower()) || wholeNumber(t, number) ||
            readDate(t, false) || readDate(t, true))
            return false;
        seen.insert(t.toLower());
    }
    return row.size() > 1;
}
} // namespace

ImportPreview previewImport(const QString& path, const std::optional<ImportFormat>& format,
                            int rows)
{
    ImportPreview preview;
    preview.mapping = QList<int>(ArticleField::Count, -1);
    preview.sniff = csv::sniffFile(path);
    if (preview.sniff.kind != csv::Sniff::Kind::Text || (preview.sniff.misfitLine && !format)) {
        preview.problem = preview.sniff.problem;
        return preview;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        preview.problem =
            QCoreApplication::translate("ArticleImport", "The file %1 cannot be read: %2.")
                .arg(shown(path), file.errorString());
        return preview;
    }
    ImportFormat used;
    used.encoding = preview.sniff.encoding;
    used.separator = preview.sniff.separator;
    if (format) {
        used.encoding = format->encoding;
        used.separator = format->separator;
    }
    csv::Reader reader(file, used.encoding, used.separator);
    reader.setMaxFieldLength(64 * 1024); // enough to show; the import reads everything
    QList<csv::Record> records;
    csv::Record record;
    while (records.size() <= rows && reader.next(record)) {
        if (!record.isBlank())
            records << record;
    }
    if (!reader.error().isEmpty()) {
        preview.problem =
            QCoreApplication::translate("ArticleImport", "The file %1 cannot be read: %2.")
                .arg(shown(path), reader.error());
        return preview;
    }
    if (records.isEmpty()) {
        preview.problem = QCoreApplication::translate(
                              "ArticleImport", "The file %1 holds no rows (only empty lines).")
                              .arg(shown(path));
        return preview;
    }
    const QStringList first = records.first().fields;
    const QList<int> guessed = guessMapping(first);
    preview.headerGuessed =
        std::any_of(guessed.cbegin(), guessed.cend(), [](int c) { return c >= 0; }) ||
        looksLikeNames(first);
    used.header = format ? format->header : preview.headerGuessed;
    preview.format = used;

    int width = 0;
    for (const csv::Record& r : records)
        width = std::max(width, int(r.fields.size()));
    if (used.header) {
        preview.header = first;
        preview.columns = first;
        for (qsizetype c = 0; c < preview.columns.size(); ++c) {
            if (preview.columns[c].trimmed().isEmpty())
                preview.columns[c] =
                    QCoreApplication::translate("ArticleImport", "Column %1").arg(c + 1);
        }
        preview.mapping = guessMapping(first);
        preview.exactGuessed = isArdentryExport(first);
        records.removeFirst();
    } else {
        for (int c = 0; c < width; ++c)
            preview.columns << QCoreApplication::translate("ArticleImport", "Column %1").arg(c + 1);
    }
    while (records.size() > rows)
        records.removeLast();
    for (const csv::Record& r : records) {
        preview.rows << r.fields;
        preview.lines << r.line;
    }
    preview.dayFirstGuessed = guessDayFirst(preview.rows, preview.mapping);
    return preview;
}

ImportPreview previewAccessImport(const QString& path, const QString& table, int rows)
{
    ImportPreview preview;
    preview.mapping = QList<int>(ArticleField::Count, -1);
    preview.format.header = true;
    try {
        const accessdb::AccessFile file(path);
        preview.tables = file.tables();
        if (preview.tables.isEmpty()) {
            preview.problem = QCoreApplication::translate("ArticleImport",
                                                          "The Access database %1 holds no tables.")
                                  .arg(shown(path));
            return preview;
        }
        preview.table = file.table(table.isEmpty() ? QStringLiteral("AR") : table);
        if (preview.table.isEmpty() && !table.isEmpty()) {
            preview.problem = QCoreApplication::translate("ArticleImport",
                                                          "The Access database %1 has no table %2.")
                                  .arg(shown(path), table);
            return preview;
        }
        if (preview.table.isEmpty())
            preview.table = preview.tables.constFirst();
        const QList<accessdb::Column> columns = file.columns(preview.table);
        for (const accessdb::Column& column : columns)
            preview.columns << column.name;
        qint64 row = 0;
        file.readRows(preview.table, [&](const QVariantList& values) {
            QStringList texts;
            for (const QVariant& value : values)
                texts << value.toString();
            preview.rows << texts;
            preview.lines << ++row;
            return preview.rows.size() < rows;
        });
    } catch (const DbError& e) {
        preview.problem = e.message();
        return preview;
    }
    preview.header = preview.columns;
    preview.headerGuessed = true;
    preview.mapping = guessMapping(preview.columns);
    preview.dayFirstGuessed = guessDayFirst(preview.rows, preview.mapping);
    return preview;
}

// ---- Import ----

namespace
{

// A row's texts, one per article field.
struct RowValues {
    QString text[ArticleField::Count];
    bool null[ArticleField::Count] = {}; // the file gave it as a Null (unquoted empty, or absent)
    bool lost[ArticleField::Count] = {}; // the Access reader could not give it at all
};

class Importer
{
public:
    Importer(QSqlDatabase& database, const QString& path, const ImportOptions& options,
             const ImportProgress& progress, const ImportConfirm& confirm, ImportReport& report)
        : m_db(database), m_path(path), m_options(options), m_progress(progress),
          m_confirm(confirm), m_report(report)
    {
    }

    void run();

private:
    void readExisting();
    void readAccessTable();
    qint64 highestInFile(QFile& file);
    void startReader(QFile& file);
    // Takes the width of the header (a table's columns or the file's first row) and checks that
    // every field's column lies within it.
    void setHeaderWidth(qsizetype width);
    bool nextRecord(csv::Record& record);
    qint64 position() const;
    bool tick(qint64 done);
    void importRow(const csv::Record& record);
    // The steps of importRow(); each that says false has skipped the row.
    bool fitsHeader(const csv::Record& record);
    RowValues valuesOf(const csv::Record& record) const;
    void checkAccessLimits(qint64 line, RowValues& row);
    bool storable(qint64 line, const RowValues& row);
    bool numberFor(qint64 line, const RowValues& row, qint64& number);
    QVariantList boundValues(const csv::Record& record, const RowValues& row, qint64 number);
    void write(qint64 line, qint64 number, const QVariantList& bound);
    // Stores the pictures that stored-form image slots name and the database lacks, from the
    // folder an export wrote beside the file; those not found are noted.
    void bringPictures(qint64 line, const QVariantList& bound);
    void skip(qint64 line, const QString& why)
    {
        m_report.skipped << ImportReport::Line{line, why};
    }
    void note(qint64 line, const QString& why) { m_report.notes << ImportReport::Line{line, why}; }
    void addName(db::Query& insert, QSet<QString>& known, QStringList& added, const QString& name);
    QString dateValue(const csv::Record& record, int field, const QString& text, bool& bad);

    QSqlDatabase& m_db;
    QString m_path;
    const ImportOptions& m_options;
    const ImportProgress& m_progress;
    const ImportConfirm& m_confirm;
    ImportReport& m_report;

    std::unique_ptr<csv::Reader> m_reader;
    // An Access table: its columns and rows, read before the import begins (the tool gives the
    // whole table at once); a record's "line" is its row number and a Null is an unquoted empty
    // field.
    QList<accessdb::Column> m_accessColumns;
    QList<csv::Record> m_accessRows;
    qsizetype m_accessAt = 0;
    qsizetype m_headerWidth = -1;
    qint64 m_size = 0;
    qint64 m_passOffset = 0; // bytes of the first pass, for the progress
    qint64 m_total = 0;
    int m_sinceTick = 0;

    std::unordered_set<qint64> m_taken;
    bool m_hasNumbers = false;
    qint64 m_highest = 0;
    qint64 m_next = 1;
    QSet<QString> m_categories; // folded names
    QSet<QString> m_users;
    QSet<QString> m_pictures; // ids of stored pictures the database holds
    std::optional<db::Query> m_insert;
    std::optional<db::Query> m_insertCategory;
    std::optional<db::Query> m_insertUser;
    QString m_today;
};

void Importer::readExisting()
{
    db::Query query(
        m_db, QCoreApplication::translate("ArticleImport", "The article numbers cannot be read"));
    // A file's ID column may hold texts too.
    if (!query.tryRun(QStringLiteral("SELECT ID FROM AR") +
                      db::Engine::of(m_db).onlyWholeNumbers(QStringLiteral("ID"))))
        throw DbError(
            QCoreApplication::translate("ArticleImport", "The article numbers cannot be read: %1.")
                .arg(query.engineText()));
    while (query.next()) {
        if (query.isNull(0))
            continue;
        const qint64 n = query.value(0).toLongLong();
        m_taken.insert(n);
        m_highest = m_hasNumbers ? std::max(m_highest, n) : n;
        m_hasNumbers = true;
    }
    const auto names = [this](const QString& sql, QSet<QString>& into) {
        db::Query list(
            m_db, QCoreApplication::translate("ArticleImport",
                                              "The lists of categories and users cannot be read"));
        if (!list.tryRun(sql))
            throw DbError(
                QCoreApplication::translate("ArticleImport",
                                            "The lists of categories and users cannot be read: %1.")
                    .arg(list.engineText()));
        while (list.next())
            into.insert(textmatch::fold(list.value(0).toString()));
    };
    names(QStringLiteral("SELECT Category FROM Categories"), m_categories);
    names(QStringLiteral("SELECT Users FROM Users"), m_users);
}

void Importer::readAccessTable()
{
    const accessdb::AccessFile file(m_path);
    const QString table = file.table(m_options.table);
    if (table.isEmpty())
        throw ImportError(
            QCoreApplication::translate("ArticleImport", "The Access database %1 has no table %2.")
                .arg(shown(m_path), m_options.table));
    m_accessColumns = file.columns(table);
    QStringList names;
    for (const accessdb::Column& column : m_accessColumns)
        names << column.name;
    if (!m_options.expectedHeader.isEmpty() && names != m_options.expectedHeader)
        throw ImportError(
            QCoreApplication::translate("ArticleImport",
                                        "The table %1 of %2 has changed since it was shown: its "
                                        "columns now read differently. Look at it again before "
                                        "you import it.")
                .arg(table, shown(m_path)));
    setHeaderWidth(names.size());
    file.readRows(table, [this](const QVariantList& values) {
        csv::Record record;
        for (const QVariant& value : values) {
            record.fields << value.toString();
            record.quoted.push_back(!value.isNull());
        }
        record.line = record.lastLine = m_accessRows.size() + 1;
        m_accessRows << record;
        return true;
    });
    m_size = m_accessRows.size();
}

void Importer::setHeaderWidth(qsizetype width)
{
    m_headerWidth = width;
    for (int f = 0; f < ArticleField::Count; ++f) {
        if (m_options.mapping[f] < m_headerWidth)
            continue;
        const QString text =
            m_options.table.isEmpty()
                ? QCoreApplication::translate("ArticleImport",
                                              "The %1 is taken from column %2, but the file has "
                                              "only %3 columns.")
                : QCoreApplication::translate("ArticleImport",
                                              "The %1 is taken from column %2, but the table has "
                                              "only %3 columns.");
        throw ImportError(text.arg(ArticleField::shownCaption(f))
                              .arg(m_options.mapping[f] + 1)
                              .arg(m_headerWidth));
    }
}

bool Importer::nextRecord(csv::Record& record)
{
    if (m_reader)
        return m_reader->next(record);
    if (m_accessAt >= m_accessRows.size())
        return false;
    record = m_accessRows[m_accessAt++];
    return true;
}

qint64 Importer::position() const
{
    return m_reader ? m_reader->bytesRead() : m_accessAt;
}

void Importer::startReader(QFile& file)
{
    if (!m_options.table.isEmpty()) {
        m_accessAt = 0;
        return;
    }
    if (!file.seek(0))
        throw ImportError(
            QCoreApplication::translate("ArticleImport", "The file %1 cannot be read: %2.")
                .arg(shown(m_path), file.errorString()));
    m_reader =
        std::make_unique<csv::Reader>(file, m_options.format.encoding, m_options.format.separator);
    m_reader->setMaxFieldLength(m_options.maxFieldLength);
    if (!m_options.format.header)
        return;
    csv::Record header;
    if (!m_reader->next(header)) {
        if (!m_reader->error().isEmpty())
            throw ImportError(
                QCoreApplication::translate("ArticleImport", "The file %1 cannot be read: %2.")
                    .arg(shown(m_path), m_reader->error()));
        throw ImportError(QCoreApplication::translate("ArticleImport", "The file %1 holds no rows.")
                              .arg(shown(m_path)));
    }
    if (!m_options.expectedHeader.isEmpty() && header.fields != m_options.expectedHeader)
        throw ImportError(
            QCoreApplication::translate("ArticleImport",
                                        "The file %1 has changed since it was shown: its first "
                                        "row now reads differently. Look at it again before "
                                        "you import it.")
                .arg(shown(m_path)));
    setHeaderWidth(header.fields.size());
}

bool Importer::tick(qint64 done)
{
    if (++m_sinceTick < 64)
        return true;
    m_sinceTick = 0;
    return !m_progress || m_progress(std::min(done, m_total), m_total);
}

// The highest whole number of the number column (first pass of "keep the file's numbers").
qint64 Importer::highestInFile(QFile& file)
{
    startReader(file);
    const int column = m_options.mapping[ArticleField::Id];
    qint64 highest = std::numeric_limits<qint64>::min();
    csv::Record record;
    while (nextRecord(record)) {
        qint64 n = 0;
        if (column < record.fields.size() && wholeNumber(record.fields[column], n))
            highest = std::max(highest, n);
        if (!tick(position()))
            throw ImportCancelled();
    }
    if (m_reader && !m_reader->error().isEmpty())
        throw ImportError(QCoreApplication::translate(
                              "ArticleImport", "The file %1 could not be read to its end: %2.")
                              .arg(shown(m_path), m_reader->error()));
    return highest;
}

void Importer::addName(db::Query& insert, QSet<QString>& known, QStringList& added,
                       const QString& name)
{
    if (name.trimmed().isEmpty() || isNotAvailable(name))
        return;
    const QString key = textmatch::fold(name);
    if (known.contains(key))
        return;
    if (!insert.tryExec({name}))
        throw DbError(QCoreApplication::translate(
                          "ArticleImport", "The name \"%1\" could not be added to its list: %2.")
                          .arg(name, insert.engineText()));
    known.insert(key);
    added << name;
}

QString Importer::dateValue(const csv::Record& record, int field, const QString& text, bool& bad)
{
    bad = false;
    if (isNotAvailable(text))
        return notAvailable();
    const std::optional<QDate> date = readDate(text, m_options.dayFirst);
    if (date)
        return formatted(*date);
    bad = true;
    note(record.line, QCoreApplication::translate(
                          "ArticleImport", "the %1 \"%2\" cannot be read as a date; it was kept as "
                                           "written.")
                          .arg(ArticleField::shownCaption(field), text.left(80)));
    return text;
}

void Importer::importRow(const csv::Record& record)
{
    const qint64 line = record.line;
    if (!record.problem.isEmpty()) {
        skip(line, QCoreApplication::translate("ArticleImport", "the row cannot be read: %1.")
                       .arg(record.problem));
        return;
    }
    if (!fitsHeader(record))
        return;
    RowValues row = valuesOf(record);
    if (!m_accessColumns.isEmpty())
        checkAccessLimits(line, row);
    if (!storable(line, row))
        return;
    qint64 number = 0;
    if (!numberFor(line, row, number))
        return;
    write(line, number, boundValues(record, row, number));
}

bool Importer::fitsHeader(const csv::Record& record)
{
    if (m_headerWidth < 0 || record.fields.size() <= m_headerWidth)
        return true;
    bool extra = false;
    for (qsizetype c = m_headerWidth; c < record.fields.size() && !extra; ++c)
        extra = !record.fields[c].isEmpty();
    if (!extra)
        return true;
    skip(record.line,
         QCoreApplication::translate("ArticleImport",
                                     "the row has %1 fields but the header has %2, so its "
                                     "fields cannot be matched to the columns (a separator in "
                                     "a text that is not in quotes?).")
             .arg(record.fields.size())
             .arg(m_headerWidth));
    return false;
}

RowValues Importer::valuesOf(const csv::Record& record) const
{
    RowValues row;
    for (int f = 0; f < ArticleField::Count; ++f) {
        const int c = m_options.mapping[f];
        const bool present = c >= 0 && c < record.fields.size();
        // A CSV file may protect texts for spreadsheets; an Access table holds them as they are.
        row.text[f] = !present                    ? QString()
                      : m_accessColumns.isEmpty() ? csv::unprotectFromSpreadsheet(record.fields[c])
                                                  : record.fields[c];
        row.null[f] = !present || (row.text[f].isEmpty() && !record.quoted[size_t(c)]);
    }
    return row;
}

// What the Access reader cannot give as the file holds it is remarked; a value it cannot give at
// all is left out (Null), never stored as if it were right.
void Importer::checkAccessLimits(qint64 line, RowValues& row)
{
    for (int f = 0; f < ArticleField::Count; ++f) {
        const int c = m_options.mapping[f];
        if (c < 0)
            continue;
        const accessdb::Column& column = m_accessColumns[c];
        // Without "exactly as written", a Null and an empty text are imported alike anyway.
        if (column.kind == accessdb::ColumnKind::Text && row.null[f] && !m_options.exact)
            continue;
        const accessdb::Limit limit =
            accessdb::limitOf(row.null[f] ? QVariant() : QVariant(row.text[f]), column);
        if (limit.why.isEmpty())
            continue;
        note(line, QCoreApplication::translate("ArticleImport", "the %1 (column %2): %3")
                       .arg(ArticleField::shownCaption(f), column.name, limit.why));
        if (!limit.keep) {
            row.lost[f] = true;
            row.text[f].clear();
            row.null[f] = true;
        }
    }
}

bool Importer::storable(qint64 line, const RowValues& row)
{
    if (db::Engine::of(m_db).keepsZeroInText())
        return true;
    // The one text a file keeps and a server cannot.
    for (int f = 0; f < ArticleField::Count; ++f) {
        if (row.text[f].contains(QChar(0))) {
            skip(line, QCoreApplication::translate("ArticleImport",
                                                   "the %1 holds a NUL character, which a server "
                                                   "database cannot store.")
                           .arg(ArticleField::shownCaption(f)));
            return false;
        }
    }
    return true;
}

// The row's article number: checked before anything is written, so a skipped row takes no
// number.
bool Importer::numberFor(qint64 line, const RowValues& row, qint64& number)
{
    QList<int> missing;
    if (!m_options.exact) {
        for (int f : {int(ArticleField::Problem), int(ArticleField::Solution)}) {
            if (row.text[f].trimmed().isEmpty())
                missing << f;
        }
    }
    bool numberFromFile = false;
    const QString& idText = row.text[ArticleField::Id];
    if (m_options.numbering == ImportOptions::Numbering::KeepFileNumbers &&
        m_options.mapping[ArticleField::Id] >= 0 && !idText.trimmed().isEmpty()) {
        if (!wholeNumber(idText, number)) {
            skip(line,
                 QCoreApplication::translate(
                     "ArticleImport", "the article number \"%1\" is not a whole number (number "
                                      "the articles after the highest existing one to import "
                                      "this row).")
                     .arg(idText.left(80)));
            return false;
        }
        if (!missing.isEmpty()) {
            skip(
                line,
                QCoreApplication::translate("ArticleImport", "%1 empty.").arg(fieldNames(missing)));
            return false;
        }
        if (m_taken.count(number)) {
            skip(line, QCoreApplication::translate(
                           "ArticleImport", "article number %1 is already used by another article; "
                                            "it was not overwritten.")
                           .arg(number));
            return false;
        }
        numberFromFile = true;
    }
    if (!missing.isEmpty()) {
        skip(line,
             QCoreApplication::translate("ArticleImport", "%1 empty.").arg(fieldNames(missing)));
        return false;
    }
    if (!numberFromFile) {
        while (m_taken.count(m_next))
            ++m_next;
        number = m_next++;
    }
    return true;
}

QVariantList Importer::boundValues(const csv::Record& record, const RowValues& row, qint64 number)
{
    QVariantList bound(ArticleField::Count);
    bound[ArticleField::Id] = number;
    if (m_options.exact) {
        for (int f = 1; f < ArticleField::Count; ++f)
            bound[f] = row.null[f] ? QVariant() : asText(row.text[f]);
        return bound;
    }
    for (int f = 1; f < ArticleField::Count; ++f) {
        if (row.lost[f])
            continue; // Null
        QString text = row.text[f];
        const bool empty = text.trimmed().isEmpty();
        bool badDate = false;
        switch (f) {
        case ArticleField::Problem:
        case ArticleField::Solution:
            break;
        case ArticleField::InitialEntry:
            if (empty) {
                text = m_today;
                ++m_report.datedToday;
            } else {
                text = dateValue(record, f, text, badDate);
            }
            break;
        case ArticleField::DateEdited:
            text = empty ? notAvailable() : dateValue(record, f, text, badDate);
            break;
        default:
            // As Save does: an empty optional field reads "N/A".
            if (empty)
                text = notAvailable();
            break;
        }
        bound[f] = asText(text);
    }
    return bound;
}

void Importer::write(qint64 line, qint64 number, const QVariantList& bound)
{
    addName(*m_insertCategory, m_categories, m_report.categoriesAdded,
            bound[ArticleField::Category].toString());
    addName(*m_insertUser, m_users, m_report.usersAdded, bound[ArticleField::EnteredBy].toString());

    bringPictures(line, bound);
    if (!m_insert->tryExec(bound))
        throw DbError(QCoreApplication::translate(
                          "ArticleImport", "The article of line %1 could not be written: %2.")
                          .arg(line)
                          .arg(m_insert->engineText()));
    m_taken.insert(number);
    if (m_report.imported == 0) {
        m_report.lowestNumber = number;
        m_report.highestNumber = number;
    } else {
        m_report.lowestNumber = std::min(m_report.lowestNumber, number);
        m_report.highestNumber = std::max(m_report.highestNumber, number);
    }
    ++m_report.imported;
}

void Importer::bringPictures(qint64 line, const QVariantList& bound)
{
    for (int slot = 0; slot < ArticleField::Count - ArticleField::Image1; ++slot) {
        const pictures::StoredRef ref =
            pictures::parse(bound.value(ArticleField::Image1 + slot).toString());
        if (ref.id.isEmpty() || m_pictures.contains(ref.id))
            continue;
        if (pictures::contains(m_db, ref.id)) {
            m_pictures.insert(ref.id);
            continue;
        }
        const QString file =
            QDir(pictures::csvPictureFolder(m_path)).filePath(pictures::csvPictureFile(ref));
        const pictures::Checked checked = pictures::checkFile(file);
        QString why = checked.reason;
        if (checked.verdict == pictures::Checked::Verdict::Fine) {
            if (checked.sha256.startsWith(ref.id)) {
                pictures::store(m_db, checked, ref.name);
                m_pictures.insert(ref.id);
                continue;
            }
            why = QCoreApplication::translate("ArticleImport", "it is another picture");
        }
        note(line, QCoreApplication::translate(
                       "ArticleImport", "Image %1 names the stored picture %2, which the "
                                        "database lacks and which could not be taken from %3 "
                                        "(%4); the image shows nothing until it is stored.")
                       .arg(slot + 1)
                       .arg(ref.name, shown(file), why));
    }
}

void Importer::run()
{
    const ImportOptions& o = m_options;
    m_report.file = m_path;
    m_report.format = o.format;
    m_report.exact = o.exact;
    m_today = formatted(QDate::currentDate());
    if (o.mapping.size() != ArticleField::Count)
        throw ImportError(QCoreApplication::translate(
            "ArticleImport", "The columns of the file are not assigned to the "
                             "article fields."));
    {
        QList<int> unmapped;
        for (int f : {int(ArticleField::Problem), int(ArticleField::Solution)}) {
            if (o.mapping[f] < 0)
                unmapped << f;
        }
        if (!unmapped.isEmpty())
            throw ImportError(
                QCoreApplication::translate("ArticleImport",
                                            "Choose the column of the file that holds %1: "
                                            "every article needs a problem and a solution.")
                    .arg(unmapped.size() == 2
                             ? QCoreApplication::translate("ArticleImport",
                                                           "the Problem and the one that holds "
                                                           "the Solution")
                             : QCoreApplication::translate("ArticleImport", "the %1")
                                   .arg(ArticleField::shownCaption(unmapped.first()))));
        for (int f = 0; f < ArticleField::Count; ++f) {
            for (int g = f + 1; g < ArticleField::Count; ++g) {
                if (o.mapping[f] >= 0 && o.mapping[f] == o.mapping[g])
                    throw ImportError(
                        QCoreApplication::translate("ArticleImport",
                                                    "Column %1 of the file is chosen for both "
                                                    "the %2 and the %3; choose one field for "
                                                    "it.")
                            .arg(o.mapping[f] + 1)
                            .arg(ArticleField::shownCaption(f), ArticleField::shownCaption(g)));
            }
        }
    }

    m_report.table = o.table;
    QFile file(m_path);
    if (o.table.isEmpty()) {
        const csv::Sniff sniffed = csv::sniffFile(m_path);
        if (sniffed.kind != csv::Sniff::Kind::Text)
            throw ImportError(sniffed.problem);
        if (!file.open(QIODevice::ReadOnly))
            throw ImportError(
                QCoreApplication::translate("ArticleImport", "The file %1 cannot be read: %2.")
                    .arg(shown(m_path), file.errorString()));
        m_size = file.size();
    } else {
        readAccessTable(); // before the write lock: the tool may take a while
    }
    const bool twoPasses = o.numbering == ImportOptions::Numbering::KeepFileNumbers &&
                           o.mapping[ArticleField::Id] >= 0;
    m_total = twoPasses ? 2 * m_size : m_size;

    // Nothing is read from the database before the write lock is held, so no other writer can
    // take a number between the check and the write.
    Transaction transaction(
        m_db, QCoreApplication::translate("ArticleImport", "The articles could not be imported"));
    readExisting();
    m_next = m_hasNumbers ? m_highest + 1 : 1;
    if (twoPasses) {
        const qint64 fileHighest = highestInFile(file);
        if (fileHighest != std::numeric_limits<qint64>::min())
            m_next = std::max(m_next, fileHighest + 1);
        m_passOffset = m_size;
    }
    startReader(file);

    m_insert.emplace(m_db, QString());
    QStringList columns;
    for (int f = 0; f < ArticleField::Count; ++f)
        columns << ArticleField::column(f);
    if (!m_insert->tryPrepare(QStringLiteral("INSERT INTO AR (%1) VALUES (%2)")
                                  .arg(columns.join(QLatin1String(", ")),
                                       QStringList(ArticleField::Count, QStringLiteral("?"))
                                           .join(QLatin1String(", ")))))
        throw DbError(
            QCoreApplication::translate("ArticleImport", "The articles cannot be written: %1.")
                .arg(m_insert->engineText()));
    m_insertCategory.emplace(m_db, QString());
    m_insertUser.emplace(m_db, QString());
    if (!m_insertCategory->tryPrepare(
            QStringLiteral("INSERT INTO Categories (Category) VALUES (?)")) ||
        !m_insertUser->tryPrepare(QStringLiteral("INSERT INTO Users (Users) VALUES (?)")))
        throw DbError(QCoreApplication::translate(
            "ArticleImport", "The lists of categories and users cannot be written."));

    csv::Record record;
    while (nextRecord(record)) {
        if (record.problem.isEmpty() && record.isEmpty()) {
            ++m_report.blankLines;
            continue;
        }
        ++m_report.rowsRead;
        if (record.unclosedQuote)
            throw ImportError(
                QCoreApplication::translate("ArticleImport",
                                            "Line %1 of the file %2: a quote opens a field there "
                                            "and is never closed, so lines %1 to %3 would be one "
                                            "field; the rest of the file was not read. Nothing "
                                            "was imported: close the quote (or double it) and "
                                            "import again.")
                    .arg(record.line)
                    .arg(shown(m_path))
                    .arg(record.lastLine));
        importRow(record);
        if (!tick(m_passOffset + position())) {
            m_report.outcome = ImportReport::Outcome::Cancelled;
            return; // the transaction rolls back
        }
    }
    if (m_reader && !m_reader->error().isEmpty())
        throw ImportError(QCoreApplication::translate(
                              "ArticleImport", "The file %1 could not be read to its end: %2.")
                              .arg(shown(m_path), m_reader->error()));
    if (m_reader && m_reader->bytesRead() != m_size)
        throw ImportError(QCoreApplication::translate(
                              "ArticleImport",
                              "The file %1 changed while it was read (%2 bytes were read of %3).")
                              .arg(shown(m_path))
                              .arg(m_reader->bytesRead())
                              .arg(m_size));
    if (m_progress && !m_progress(m_total, m_total)) {
        m_report.outcome = ImportReport::Outcome::Cancelled;
        return;
    }
    m_insert.reset();
    m_insertCategory.reset();
    m_insertUser.reset();

    if (o.dryRun) {
        m_report.outcome = ImportReport::Outcome::DryRun;
        return;
    }
    if (m_report.imported == 0) {
        m_report.outcome = ImportReport::Outcome::Imported; // nothing to write
        return;
    }
    m_report.outcome = ImportReport::Outcome::Imported;
    if (m_confirm && !m_confirm(m_report)) {
        m_report.outcome = ImportReport::Outcome::Declined;
        return;
    }
    transaction.commit();
}

} // namespace

ImportReport importArticles(QSqlDatabase& database, const QString& path,
                            const ImportOptions& options, const ImportProgress& progress,
                            const ImportConfirm& confirm)
{
    ImportReport report;
    Importer importer(database, path, options, progress, confirm, report);
    try {
        importer.run();
    } catch (const ImportError& e) {
        report.outcome = ImportReport::Outcome::Failed;
        report.failure = e.text;
    } catch (const DbError& e) {
        report.outcome = ImportReport::Outcome::Failed;
        report.failure = e.message();
    } catch (const ImportCancelled&) {
        report.outcome = ImportReport::Outcome::Cancelled; // during the first pass
    } catch (const std::exception& e) {
        report.outcome = ImportReport::Outcome::Failed;
        report.failure = QString::fromLocal8Bit(e.what());
    }
    if (report.outcome != ImportReport::Outcome::Imported &&
        report.outcome != ImportReport::Outcome::DryRun) {
        report.imported = 0;
        report.categoriesAdded.clear();
        report.usersAdded.clear();
    }
    return report;
}

QString ImportReport::text() const
{
    const QLocale english(QLocale::English);
    QStringList out;
    out << QCoreApplication::translate("ArticleImport", "Import of articles from %1")
               .arg(shown(file));
    if (table.isEmpty())
        out << QCoreApplication::translate("ArticleImport", "Read as %1, %2-separated%3%4.")
                   .arg(csv::encodingName(format.encoding), csv::separatorName(format.separator),
                        format.header ? QCoreApplication::translate("ArticleImport",
                                                                    ", first row = column names")
                                      : QString(),
                        exact ? QCoreApplication::translate("ArticleImport",
                                                            ", values kept exactly as written")
                              : QString());
    else
        out << QCoreApplication::translate("ArticleImport",
                                           "Read from the table %1 of the Access database%2.")
                   .arg(table, exact ? QCoreApplication::translate(
                                           "ArticleImport", ", values kept exactly as written")
                                     : QString());
    // A row of a CSV file is named by the line where it begins, a row of a table by its number.
    const QString where = table.isEmpty() ? QCoreApplication::translate("ArticleImport", "line")
                                          : QCoreApplication::translate("ArticleImport", "row");
    switch (outcome) {
    case Outcome::Failed:
        out << QCoreApplication::translate("ArticleImport", "The import failed: %1").arg(failure);
        out << QCoreApplication::translate("ArticleImport", "Nothing was written to the database.");
        return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
    case Outcome::Cancelled:
        out << QCoreApplication::translate(
            "ArticleImport", "The import was cancelled. Nothing was written to the database.");
        return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
    case Outcome::Declined:
        out << QCoreApplication::translate(
            "ArticleImport", "The import was not confirmed. Nothing was written to the "
                             "database.");
        break;
    case Outcome::DryRun:
        out << QCoreApplication::translate(
            "ArticleImport", "Dry run: every row was checked; nothing was written to the "
                             "database.");
        break;
    case Outcome::Imported:
        break;
    }
    out << QCoreApplication::translate("ArticleImport", "Rows read: %1")
               .arg(english.toString(rowsRead));
    if (rowsRead == 0)
        out << QCoreApplication::translate("ArticleImport",
                                           "The file holds no articles: it has no rows%1.")
                   .arg(format.header
                            ? QCoreApplication::translate("ArticleImport", " after its header")
                            : QString());
    QString done = outcome == Outcome::Imported
                       ? QCoreApplication::translate("ArticleImport", "Articles imported: %1")
                       : QCoreApplication::translate("ArticleImport", "Articles that would be "
                                                                      "imported: %1");
    done = done.arg(english.toString(imported));
    if (imported > 0)
        done += lowestNumber == highestNumber
                    ? QCoreApplication::translate("ArticleImport", " (number %1)").arg(lowestNumber)
                    : QCoreApplication::translate("ArticleImport", " (numbers %1 to %2)")
                          .arg(lowestNumber)
                          .arg(highestNumber);
    out << done;
    out << QCoreApplication::translate("ArticleImport", "Rows skipped: %1")
               .arg(english.toString(qint64(skipped.size())));
    for (const Line& l : skipped)
        out << QStringLiteral("  %1 %2: %3").arg(where).arg(l.line).arg(l.text);
    if (!notes.isEmpty()) {
        out << QCoreApplication::translate("ArticleImport", "Remarks: %1")
                   .arg(english.toString(qint64(notes.size())));
        for (const Line& l : notes)
            out << QStringLiteral("  %1 %2: %3").arg(where).arg(l.line).arg(l.text);
    }
    if (datedToday > 0)
        out << QCoreApplication::translate(
                   "ArticleImport", "Articles without a date entered, given today's date: %1")
                   .arg(english.toString(datedToday));
    const QString added = outcome == Outcome::Imported
                              ? QCoreApplication::translate("ArticleImport", "added")
                              : QCoreApplication::translate("ArticleImport", "that would be added");
    out << QCoreApplication::translate("ArticleImport", "Categories %1: %2")
               .arg(added, categoriesAdded.isEmpty()
                               ? QCoreApplication::translate("ArticleImport", "none")
                               : categoriesAdded.join(QLatin1String(", ")));
    out << QCoreApplication::translate("ArticleImport", "Users %1: %2")
               .arg(added, usersAdded.isEmpty()
                               ? QCoreApplication::translate("ArticleImport", "none")
                               : usersAdded.join(QLatin1String(", ")));
    if (blankLines > 0)
        out << QCoreApplication::translate("ArticleImport", "Empty rows passed over: %1")
                   .arg(english.toString(blankLines));
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
