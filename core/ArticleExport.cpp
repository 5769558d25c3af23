// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ArticleExport.h"

#include "core/ArticleImport.h"
#include "core/Connection.h"
#include "core/Csv.h"
#include "core/DbError.h"
#include "core/Pictures.h"
#include "core/PrintPage.h"
#include "core/QuickSearch.h"
#include "core/RecordSet.h"
#include "core/TextMatch.h"
#include "core/Transaction.h"
#include "core/db/Engine.h"
#include "core/db/Query.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSaveFile>
#include <QSet>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtEndian>

#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace
{

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// ---- Sources ----

// A column name as the program writes it: a server keeps names in lower case, so an article
// field's column gets the field's own spelling back, and an export reads the same on either
// engine.
QString programName(const QString& column)
{
    for (int f = 0; f < ArticleField::Count; ++f) {
        if (ArticleField::column(f).compare(column, Qt::CaseInsensitive) == 0)
            return ArticleField::column(f);
    }
    return column;
}

class TableSource : public ArticleSource
{
public:
    // The rows of AR that `where` selects (with its bound values), in the order of the article
    // form: by number, rows of one number in the order they were added.
    explicit TableSource(QSqlDatabase& database, const QString& where = QStringLiteral("1 = 1"),
                         const QVariantList& binds = {})
        : m_database(database), m_query(database, readFailure())
    {
        using Open = void (TableSource::*)(const QString&, const QVariantList&);
        (this->*db::Engine::of(database).pick<Open>(&TableSource::openOnFile,
                                                    &TableSource::openOnServer))(where, binds);
    }

    QStringList columns() const override { return m_columns; }
    qint64 count() const override { return m_count; }
    bool next(QList<QVariant>& values) override
    {
        if (!m_block.isEmpty())
            return nextOfServer(values);
        if (!m_query.next())
            return false;
        values.resize(m_columns.size());
        for (int i = 0; i < m_columns.size(); ++i)
            values[i] = m_query.isNull(i) ? QVariant() : m_query.value(i);
        return true;
    }

private:
    static QString readFailure()
    {
        return QCoreApplication::translate("ArticleExport", "The articles cannot be read");
    }

    // (Prepared also without values: the statement is run as the caller wrote it.)
    static void run(db::Query& query, const QString& sql, const QVariantList& binds)
    {
        if (!query.tryPrepare(sql) || !query.tryExec(binds))
            fail(query);
    }

    void openOnServer(const QString& where, const QVariantList& binds)
    {
        QSqlDatabase& database = m_database;
        {
            // A server's table has its row key as a column; it is not one of the article's.
            db::Query names(database, readFailure());
            if (!names.tryRun(QStringLiteral("SELECT column_name FROM information_schema.columns "
                                             "WHERE table_schema = current_schema() AND "
                                             "table_name = 'ar' AND column_name <> 'rowid' ORDER "
                                             "BY ordinal_position")))
                fail(names);
            QStringList quoted;
            while (names.next()) {
                const QString name = names.value(0).toString();
                m_columns << programName(name);
                quoted << QLatin1Char('"') +
                              QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
                              QLatin1Char('"');
            }
            // The keys in order first, then the rows a block at a time: a server drops the rest
            // of a result read row by row as soon as anything else runs on the connection.
            db::Query keys(database, readFailure());
            run(keys,
                QStringLiteral("SELECT rowid FROM AR WHERE %1 ORDER BY ID NULLS FIRST, rowid")
                    .arg(where),
                binds);
            while (keys.next())
                m_keys << keys.value(0).toLongLong();
            m_count = m_keys.size();
            m_block = QStringLiteral("SELECT rowid, %1 FROM AR WHERE rowid = ANY (CAST(? AS "
                                     "bigint[]))")
                          .arg(quoted.join(QStringLiteral(", ")));
        }
    }

    void openOnFile(const QString& where, const QVariantList& binds)
    {
        {
            db::Query counter(m_database, readFailure());
            run(counter, QStringLiteral("SELECT count(*) FROM AR WHERE ") + where, binds);
            m_count = counter.scalar().toLongLong();
        }
        run(m_query, QStringLiteral("SELECT * FROM AR WHERE %1 ORDER BY ID, rowid").arg(where),
            binds);
        const QSqlRecord record = m_query.record();
        for (int i = 0; i < record.count(); ++i)
            m_columns << record.fieldName(i);
    }

    [[noreturn]] static void fail(const db::Query& query)
    {
        throw DbError(
            QCoreApplication::translate("ArticleExport", "The articles cannot be read: %1.")
                .arg(query.engineText()));
    }

    bool nextOfServer(QList<QVariant>& values)
    {
        constexpr qsizetype BlockSize = 256;
        for (;;) {
            if (m_nextKey >= m_keys.size())
                return false;
            if (!m_rows.contains(m_keys[m_nextKey])) {
                if (m_nextKey < m_readUpTo) {
                    ++m_nextKey; // deleted since the keys were read
                    continue;
                }
                m_rows.clear();
                m_readUpTo = std::min(m_nextKey + BlockSize, m_keys.size());
                QStringList keys;
                for (qsizetype k = m_nextKey; k < m_readUpTo; ++k)
                    keys << QString::number(m_keys[k]);
                db::Query block(m_database, readFailure());
                run(block, m_block,
                    {QLatin1Char('{') + keys.join(QLatin1Char(',')) + QLatin1Char('}')});
                while (block.next()) {
                    QList<QVariant> row(m_columns.size());
                    for (int i = 0; i < m_columns.size(); ++i)
                        row[i] = block.isNull(i + 1) ? QVariant() : block.value(i + 1);
                    m_rows.insert(block.value(0).toLongLong(), row);
                }
                continue;
            }
            values = m_rows.take(m_keys[m_nextKey++]);
            return true;
        }
    }

    QByteArray storedPicture(const QString& id) override { return pictures::read(m_database, id); }

    QSqlDatabase& m_database;
    db::Query m_query;
    QStringList m_columns;
    qint64 m_count = 0;
    // On a server:
    QString m_block; // reads the rows of a block of keys
    QList<qint64> m_keys;
    qsizetype m_nextKey = 0;
    qsizetype m_readUpTo = 0; // the keys read so far
    QHash<qint64, QList<QVariant>> m_rows;
};

QStringList programNames(QStringList columns)
{
    for (QString& column : columns)
        column = programName(column);
    return columns;
}

class RecordSetSource : public ArticleSource
{
public:
    RecordSetSource(RecordSet& rs, QSqlDatabase& database)
        : m_rs(rs), m_database(database), m_columns(programNames(rs.columnNames())),
          m_position(rs.absolutePosition()), m_wasEof(rs.eof() && !rs.bof())
    {
    }
    ~RecordSetSource() override
    {
        // Back to the row that was current.
        try {
            if (m_rs.recordCount() == 0)
                return;
            if (m_position > 0) {
                m_rs.moveFirst();
                for (int i = 1; i < m_position && !m_rs.eof(); ++i)
                    m_rs.moveNext();
                if (m_rs.eof())
                    m_rs.moveLast();
            } else if (m_wasEof) {
                m_rs.moveLast();
                m_rs.moveNext();
            } else {
                m_rs.moveFirst();
                m_rs.movePrevious();
            }
        } catch (const DbError&) {
        }
    }

    QStringList columns() const override { return m_columns; }
    qint64 count() const override { return m_rs.recordCount(); }
    bool next(QList<QVariant>& values) override
    {
        for (;;) {
            if (!m_started) {
                m_started = true;
                if (m_rs.recordCount() == 0)
                    return false;
                m_rs.moveFirst();
            } else if (!m_rs.eof()) {
                m_rs.moveNext();
            }
            if (m_rs.eof())
                return false;
            values.resize(m_columns.size());
            bool any = false;
            for (int i = 0; i < m_columns.size(); ++i) {
                const QString text = m_rs.value(m_columns[i]);
                any = any || !text.isEmpty();
                if (m_rs.isNumberColumn(m_columns[i]) && !text.isEmpty())
                    values[i] = text; // the number as the record set shows it
                else
                    values[i] =
                        text.isEmpty() ? QVariant(QString(QLatin1String(""))) : QVariant(text);
            }
            if (any)
                return true;
        }
    }
    QByteArray storedPicture(const QString& id) override { return pictures::read(m_database, id); }

private:
    RecordSet& m_rs;
    QSqlDatabase& m_database;
    QStringList m_columns;
    int m_position;
    bool m_wasEof;
    bool m_started = false;
};

QString text(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    if (value.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(value.toByteArray());
    return value.toString();
}

// ---- Web pages ----

const char* const kStyle =
    "body{font-family:sans-serif;max-width:60em;margin:1em auto;padding:0 1em;color:#222}"
    "th{text-align:left;vertical-align:top;padding-right:1em;white-space:nowrap}"
    ".text{white-space:pre-wrap;border:1px solid #bbb;padding:.5em;overflow-wrap:anywhere}"
    "img{max-width:100%}.footer{margin-top:3em;text-align:center;color:#666}";

QString pageStart(const QString& title)
{
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                          "<title>%1</title>\n<style>%2</style>\n</head>\n<body>\n")
        .arg(PrintPage::escaped(title), QString::fromLatin1(kStyle));
}

QString pageEnd(const QDate& date)
{
    return QStringLiteral("<p class=\"footer\">%1</p>\n</body>\n</html>\n")
        .arg(PrintPage::escaped(QStringLiteral("Exported by Ardentry on ") +
                                date.toString(QStringLiteral("MM/dd/yyyy"))));
}

bool isWebAddress(const QString& text)
{
    return text.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           text.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

// Letters, digits, dot, dash and underscore only; never empty.
QString safeFileName(const QString& name)
{
    QString safe;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        const bool plain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') ||
                           (u >= '0' && u <= '9') || u == '.' || u == '-' || u == '_';
        safe += plain ? c : QLatin1Char('_');
    }
    while (safe.startsWith(QLatin1Char('.')))
        safe.remove(0, 1);
    if (safe.isEmpty())
        safe = QStringLiteral("image");
    return safe.left(80);
}

// Whether the file begins as a PNG, JPEG, GIF, BMP, TIFF or WebP picture does.
bool hasPictureSignature(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(16);
    static const QByteArray signatures[] = {QByteArray("\x89PNG\r\n\x1a\n", 8),
                                            QByteArray("\xff\xd8\xff", 3),
                                            QByteArray("GIF87a"),
                                            QByteArray("GIF89a"),
                                            QByteArray("II*\0", 4),
                                            QByteArray("MM\0*", 4)};
    for (const QByteArray& signature : signatures)
        if (head.startsWith(signature))
            return true;
    if (head.startsWith("BM") && head.size() >= 14) // the file's size follows, little-endian
        return qFromLittleEndian<quint32>(head.constData() + 2) == quint32(file.size());
    return head.startsWith("RIFF") && head.mid(8, 4) == "WEBP";
}

bool writeWholeFile(const QString& path, const QString& content, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        error = QCoreApplication::translate("ArticleExport", "%1 cannot be written: %2.")
                    .arg(shown(path), file.errorString());
        return false;
    }
    const QByteArray bytes = content.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        error = QCoreApplication::translate("ArticleExport", "%1 cannot be written: %2.")
                    .arg(shown(path), file.errorString());
        return false;
    }
    return true;
}

struct IndexEntry {
    QString number;
    QString title;
    QString page;
};

// The bytes of a stored picture that an exported article names; none, and a note saying so,
// when the source cannot give them.
std::optional<QByteArray> storedBytes(ArticleSource& source, const pictures::StoredRef& picture,
                                      const QString& number, ExportReport& report)
{
    try {
        return source.storedPicture(picture.id);
    } catch (const DbError& e) {
        report.notes << QCoreApplication::translate(
                            "ArticleExport", "article %1: the stored picture %2 was left out: %3")
                            .arg(number, shown(picture.name), e.message());
        return std::nullopt;
    }
}

class WebWriter
{
public:
    WebWriter(const QString& folder, const QString& imageBase, const QStringList& columns,
              PictureCheck isPicture, ArticleSource& source)
        : m_folder(folder), m_imageBase(imageBase), m_isPicture(std::move(isPicture)),
          m_source(source), m_date(QDate::currentDate())
    {
        auto find = [&columns](const char* name) {
            for (int i = 0; i < columns.size(); ++i) {
                if (columns[i].compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                    return i;
            }
            return -1;
        };
        m_id = find("ID");
        m_category = find("CUName");
        m_enteredBy = find("techname");
        m_title = find("Title");
        m_problem = find("Problem");
        m_solution = find("solution");
        m_reference = find("reference");
        m_entered = find("InitialEntry");
        m_editedBy = find("EditedBy");
        m_edited = find("DateEdited");
        for (int i = 1; i <= 10; ++i)
            m_images << find(QStringLiteral("Image%1").arg(i).toLatin1().constData());
    }

    // Writes the page of one article; false with `error` set when a file cannot be written.
    bool article(const QList<QVariant>& values, qint64 position, ExportReport& report,
                 QString& error);
    bool index(qint64 articles, QString& error);

private:
    QString value(const QList<QVariant>& values, int column) const
    {
        return column >= 0 && column < values.size() ? text(values[column]) : QString();
    }
    QString pageName(const QString& number, qint64 position);
    QString copyImage(const QString& path, const QString& number, ExportReport& report);
    QString writeStored(const pictures::StoredRef& picture, const QString& number,
                        ExportReport& report);
    // A new file name in images/ (made when needed); empty when the folder cannot be made.
    QString imageName(const QString& fileName);

    QString m_folder;
    QString m_imageBase;
    PictureCheck m_isPicture;
    ArticleSource& m_source;
    QDate m_date;
    int m_id, m_category, m_enteredBy, m_title, m_problem, m_solution, m_reference, m_entered,
        m_editedBy, m_edited;
    QList<int> m_images;
    QHash<QString, QString> m_pages;  // page names taken
    QHash<QString, QString> m_copied; // source file -> name in images/
    std::map<QString, std::vector<IndexEntry>> m_byCategory;
    bool m_imagesFolder = false;
};

QString WebWriter::pageName(const QString& number, qint64 position)
{
    bool whole = false;
    const qlonglong n = number.trimmed().toLongLong(&whole);
    QString name = whole ? QStringLiteral("article-%1.html").arg(n)
                         : QStringLiteral("article-row%1.html").arg(position);
    if (m_pages.contains(name))
        name = QStringLiteral("article-%1-row%2.html")
                   .arg(whole ? QString::number(n) : QString())
                   .arg(position);
    m_pages.insert(name, number);
    return name;
}

QString WebWriter::copyImage(const QString& path, const QString& number, ExportReport& report)
{
    QFileInfo info(path);
    if (info.isRelative())
        info = QFileInfo(QDir(m_imageBase).filePath(path));
    if (!info.isFile()) {
        report.notes << QCoreApplication::translate(
                            "ArticleExport", "article %1: the image %2 was not found; its page "
                                             "names it only.")
                            .arg(number, shown(path));
        return QString();
    }
    const QString source = info.canonicalFilePath();
    if (const auto found = m_copied.constFind(source); found != m_copied.constEnd())
        return found.value();
    // An article may name any file (a key, a password file, "../../"): only pictures go out.
    if (!(m_isPicture ? m_isPicture(source) : hasPictureSignature(source))) {
        report.notes << QCoreApplication::translate(
                            "ArticleExport", "article %1: %2 was left out, not a picture; its page "
                                             "names it only.")
                            .arg(number, shown(path));
        return QString();
    }
    const QString name = imageName(info.fileName());
    if (name.isEmpty() ||
        !QFile::copy(source, QDir(m_folder).filePath(QStringLiteral("images/") + name))) {
        report.notes << QCoreApplication::translate(
                            "ArticleExport",
                            "article %1: the image %2 could not be copied; its page "
                            "names it only.")
                            .arg(number, shown(path));
        return QString();
    }
    ++report.imagesCopied;
    m_copied.insert(source, name);
    return name;
}

QString WebWriter::imageName(const QString& fileName)
{
    if (!m_imagesFolder)
        m_imagesFolder = QDir(m_folder).mkpath(QStringLiteral("images"));
    return m_imagesFolder
               ? QStringLiteral("%1-%2").arg(m_copied.size() + 1).arg(safeFileName(fileName))
               : QString();
}

// A picture stored in the database goes out under its original name.
QString WebWriter::writeStored(const pictures::StoredRef& picture, const QString& number,
                               ExportReport& report)
{
    const QString key = QStringLiteral("picture://") + picture.id;
    if (const auto found = m_copied.constFind(key); found != m_copied.constEnd())
        return found.value();
    const std::optional<QByteArray> bytes = storedBytes(m_source, picture, number, report);
    if (!bytes)
        return QString();
    const QString name =
        imageName(picture.name.isEmpty() ? picture.id + QStringLiteral(".png") : picture.name);
    QFile file(QDir(m_folder).filePath(QStringLiteral("images/") + name));
    if (name.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size()) {
        report.notes << QCoreApplication::translate(
                            "ArticleExport", "article %1: the stored picture %2 could not be "
                                             "written; its page names it only.")
                            .arg(number, shown(picture.name));
        return QString();
    }
    ++report.imagesCopied;
    m_copied.insert(key, name);
    return name;
}

bool WebWriter::article(const QList<QVariant>& values, qint64 position, ExportReport& report,
                        QString& error)
{
    using PrintPage::escaped;
    const QString number = value(values, m_id);
    const QString title = value(values, m_title);
    const QString category = value(values, m_category);
    const QString page = pageName(number, position);

    QString html = pageStart(QStringLiteral("Article %1: %2").arg(number, title));
    html += QStringLiteral("<p><a href=\"index.html\">All articles</a></p>\n");
    html += QStringLiteral("<h1>%1</h1>\n<table>\n").arg(escaped(title));
    const auto row = [&html](const char* caption, const QString& content) {
        html += QStringLiteral("<tr><th>%1</th><td>%2</td></tr>\n")
                    .arg(QString::fromLatin1(caption), content);
    };
    row("Problem ID", escaped(number));
    row("Category", escaped(category));
    row("Entered By", escaped(value(values, m_enteredBy)));
    row("Date Entered", escaped(value(values, m_entered)));
    row("Edited By", escaped(value(values, m_editedBy)));
    row("Date Edited", escaped(value(values, m_edited)));
    const QString reference = value(values, m_reference);
    row("Reference", isWebAddress(reference) && !reference.contains(QLatin1Char('\n'))
                         ? QStringLiteral("<a href=\"%1\">%1</a>").arg(escaped(reference))
                         : escaped(reference));
    html += QStringLiteral("</table>\n");
    html += QStringLiteral("<h2>Problem Description</h2>\n<div class=\"text\">%1</div>\n")
                .arg(escaped(value(values, m_problem)));
    html += QStringLiteral("<h2>Solution</h2>\n<div class=\"text\">%1</div>\n")
                .arg(escaped(value(values, m_solution)));
    QString images;
    for (int column : std::as_const(m_images)) {
        const QString path = value(values, column);
        if (path.trimmed().isEmpty() || path.trimmed() == QLatin1String("N/A"))
            continue;
        const pictures::StoredRef stored = pictures::parse(path);
        const QString caption = stored.id.isEmpty() ? path : stored.name;
        const QString copied = stored.id.isEmpty() ? copyImage(path, number, report)
                                                   : writeStored(stored, number, report);
        if (copied.isEmpty())
            images += QStringLiteral("<p>%1</p>\n").arg(escaped(caption));
        else
            images += QStringLiteral("<figure><img src=\"images/%1\" alt=\"%2\">"
                                     "<figcaption>%2</figcaption></figure>\n")
                          .arg(escaped(copied), escaped(caption));
    }
    if (!images.isEmpty())
        html += QStringLiteral("<h2>Images</h2>\n") + images;
    html += pageEnd(m_date);
    if (!writeWholeFile(QDir(m_folder).filePath(page), html, error))
        return false;
    m_byCategory[category].push_back(IndexEntry{number, title, page});
    return true;
}

bool WebWriter::index(qint64 articles, QString& error)
{
    using PrintPage::escaped;
    QStringList categories;
    for (const auto& entry : m_byCategory)
        categories << entry.first;
    textmatch::sortNames(categories);
    QString html = pageStart(QStringLiteral("Ardentry articles"));
    html += QStringLiteral("<h1>Ardentry articles</h1>\n<p>%1</p>\n")
                .arg(escaped(QStringLiteral("%1 articles in %2 categories.")
                                 .arg(QLocale(QLocale::English).toString(articles))
                                 .arg(categories.size())));
    html += QStringLiteral("<ul>\n");
    for (int i = 0; i < categories.size(); ++i) {
        const QString name =
            categories[i].isEmpty() ? QStringLiteral("(no category)") : categories[i];
        html += QStringLiteral("<li><a href=\"#category-%1\">%2</a> (%3)</li>\n")
                    .arg(i + 1)
                    .arg(escaped(name))
                    .arg(m_byCategory[categories[i]].size());
    }
    html += QStringLiteral("</ul>\n");
    for (int i = 0; i < categories.size(); ++i) {
        const QString name =
            categories[i].isEmpty() ? QStringLiteral("(no category)") : categories[i];
        html +=
            QStringLiteral("<h2 id=\"category-%1\">%2</h2>\n<ul>\n").arg(i + 1).arg(escaped(name));
        for (const IndexEntry& e : m_byCategory[categories[i]])
            html +=
                QStringLiteral("<li><a href=\"%1\">%2</a></li>\n")
                    .arg(escaped(e.page), escaped(QStringLiteral("%1: %2").arg(e.number, e.title)));
        html += QStringLiteral("</ul>\n");
    }
    html += pageEnd(m_date);
    return writeWholeFile(QDir(m_folder).filePath(QStringLiteral("index.html")), html, error);
}

ExportReport failed(ExportReport report, const QString& why)
{
    report.outcome = ExportReport::Outcome::Failed;
    report.failure = why;
    report.articles = 0;
    report.imagesCopied = 0;
    return report;
}

} // namespace

std::unique_ptr<ArticleSource> allArticles(QSqlDatabase& database)
{
    return std::make_unique<TableSource>(database);
}

std::unique_ptr<ArticleSource> quickSearchArticles(QSqlDatabase& database, const QString& typed)
{
    // What the quick search finds: the article whose number was typed, and the articles whose
    // texts hold every word.
    bool isNumber = false;
    const qlonglong number = typed.trimmed().toLongLong(&isNumber);
    QStringList conditions;
    QVariantList binds;
    if (isNumber) {
        conditions << QStringLiteral("ID = ?");
        binds << number;
    }
    if (quicksearch::hasIndex(database)) {
        const QString words = quicksearch::matchCondition(database, typed, binds);
        if (!words.isEmpty())
            conditions << words;
    }
    if (conditions.isEmpty())
        conditions << QStringLiteral("1 = 0");
    return std::make_unique<TableSource>(database, conditions.join(QLatin1String(" OR ")), binds);
}

std::unique_ptr<ArticleSource> recordSetArticles(RecordSet& articles, QSqlDatabase& database)
{
    if (!articles.isOpen())
        throw DbError(QCoreApplication::translate("ArticleExport", "The articles are not open."));
    return std::make_unique<RecordSetSource>(articles, database);
}

QByteArray ArticleSource::storedPicture(const QString& id)
{
    throw DbError(
        DbError::Kind::NotFound,
        QCoreApplication::translate("ArticleExport", "The stored picture %1 cannot be read here.")
            .arg(id));
}

namespace
{

// The stored pictures that the image columns of a row name, each once.
class StoredPictures
{
public:
    explicit StoredPictures(const QStringList& columns)
    {
        for (int i = 0; i < columns.size(); ++i) {
            if (columns[i].startsWith(QLatin1String("Image"), Qt::CaseInsensitive))
                m_columns << i;
        }
    }
    void collect(const QList<QVariant>& values, const QVariant& number)
    {
        for (int column : std::as_const(m_columns)) {
            const pictures::StoredRef ref = pictures::parse(values.value(column).toString());
            if (!ref.id.isEmpty() && !m_seen.contains(ref.id)) {
                m_seen.insert(ref.id);
                m_pictures << qMakePair(ref, number.toString());
            }
        }
    }
    // Writes them into a new folder beside the CSV file, which takes the name
    // pictures::csvPictureFolder() when `place` runs. False with `error` set when it cannot.
    bool write(ArticleSource& source, const QString& file, ExportReport& report, QString& error)
    {
        if (m_pictures.isEmpty())
            return true;
        const QString folder = pictures::csvPictureFolder(file);
        m_work = std::make_unique<QTemporaryDir>(folder + QStringLiteral(".partial-XXXXXX"));
        if (!m_work->isValid()) {
            error = QCoreApplication::translate("ArticleExport", "No folder can be made in %1: %2.")
                        .arg(shown(QFileInfo(folder).absolutePath()), m_work->errorString());
            return false;
        }
        for (const auto& [ref, number] : std::as_const(m_pictures)) {
            const std::optional<QByteArray> bytes = storedBytes(source, ref, number, report);
            if (!bytes)
                continue;
            QFile out(QDir(m_work->path()).filePath(pictures::csvPictureFile(ref)));
            if (!out.open(QIODevice::WriteOnly) || out.write(*bytes) != bytes->size()) {
                error = QCoreApplication::translate("ArticleExport",
                                                    "The file %1 cannot be written: %2.")
                            .arg(shown(out.fileName()), out.errorString());
                return false;
            }
            ++report.imagesCopied;
        }
        return true;
    }
    // The folder written takes its place, replacing the one of an earlier export.
    bool place(const QString& file, QString& error)
    {
        if (!m_work)
            return true;
        const QString folder = pictures::csvPictureFolder(file);
        QDir old(folder);
        if ((old.exists() && !old.removeRecursively()) || !QDir().rename(m_work->path(), folder)) {
            error = QCoreApplication::translate("ArticleExport", "The folder %1 cannot be made.")
                        .arg(shown(folder));
            return false;
        }
        m_work->setAutoRemove(false);
        return true;
    }

private:
    QList<int> m_columns;
    QSet<QString> m_seen;
    QList<QPair<pictures::StoredRef, QString>> m_pictures;
    std::unique_ptr<QTemporaryDir> m_work;
};

} // namespace

ExportReport exportCsv(ArticleSource& source, const QString& file, const ExportProgress& progress,
                       bool raw)
{
    ExportReport report;
    report.target = file;
    if (file.isEmpty())
        return failed(report, QCoreApplication::translate("ArticleExport", "No file is named."));
    if (QFileInfo(file).isDir())
        return failed(report,
                      QCoreApplication::translate("ArticleExport", "%1 is a folder; name a file.")
                          .arg(shown(file)));
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return failed(report, QCoreApplication::translate("ArticleExport",
                                                          "The file %1 cannot be written: %2.")
                                  .arg(shown(file), out.errorString()));
    try {
        csv::Writer writer(out);
        writer.writeRecord(source.columns());
        writer.setSpreadsheetProtection(!raw);
        StoredPictures stored(source.columns());
        const int number = source.columns().indexOf(QStringLiteral("ID"));
        const qint64 total = source.count();
        QList<QVariant> values;
        while (source.next(values)) {
            writer.writeRecord(values);
            stored.collect(values, values.value(number));
            ++report.articles;
            if (report.articles % 256 == 0) {
                if (!writer.ok())
                    break;
                if (progress && !progress(report.articles, total)) {
                    out.cancelWriting();
                    report.outcome = ExportReport::Outcome::Cancelled;
                    report.articles = 0;
                    return report;
                }
            }
        }
        if (progress && !progress(report.articles, std::max(total, report.articles))) {
            out.cancelWriting();
            report.outcome = ExportReport::Outcome::Cancelled;
            report.articles = 0;
            return report;
        }
        if (!writer.flush()) {
            out.cancelWriting();
            return failed(report, QCoreApplication::translate("ArticleExport",
                                                              "The file %1 cannot be written: %2.")
                                      .arg(shown(file), writer.error()));
        }
        QString error;
        if (!stored.write(source, file, report, error) || !stored.place(file, error)) {
            out.cancelWriting();
            return failed(report, error);
        }
    } catch (const DbError& e) {
        out.cancelWriting();
        return failed(report, e.message());
    }
    if (!out.commit())
        return failed(report, QCoreApplication::translate("ArticleExport",
                                                          "The file %1 cannot be written: %2.")
                                  .arg(shown(file), out.errorString()));
    report.outcome = ExportReport::Outcome::Exported;
    return report;
}

ExportReport exportWeb(ArticleSource& source, const QString& folder, const QString& imageBase,
                       const ExportProgress& progress, const PictureCheck& isPicture)
{
    ExportReport report;
    report.target = folder;
    if (folder.isEmpty())
        return failed(report, QCoreApplication::translate("ArticleExport", "No folder is named."));
    const QFileInfo target(folder);
    if (target.exists() && !target.isDir())
        return failed(report, QCoreApplication::translate(
                                  "ArticleExport", "%1 is a file; name a new or empty folder.")
                                  .arg(shown(folder)));
    if (target.isDir() && !QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                QDir::Hidden | QDir::System))
        return failed(report,
                      QCoreApplication::translate("ArticleExport",
                                                  "The folder %1 is not empty; name a new or empty "
                                                  "folder so that no file is overwritten.")
                          .arg(shown(folder)));
    const QString parent = target.absolutePath();
    if (!QFileInfo(parent).isDir())
        return failed(report,
                      QCoreApplication::translate("ArticleExport", "The folder %1 does not exist.")
                          .arg(shown(parent)));

    // Everything is written into a new folder beside the target, which takes the target's name
    // at the end: a cancelled or failed export leaves nothing behind.
    QTemporaryDir work(
        QDir(parent).filePath(target.fileName() + QStringLiteral(".partial-XXXXXX")));
    if (!work.isValid())
        return failed(
            report, QCoreApplication::translate("ArticleExport", "No folder can be made in %1: %2.")
                        .arg(shown(parent), work.errorString()));
    try {
        WebWriter writer(work.path(), imageBase, source.columns(), isPicture, source);
        const qint64 total = source.count();
        QList<QVariant> values;
        QString error;
        while (source.next(values)) {
            if (!writer.article(values, report.articles + 1, report, error))
                return failed(report, error);
            ++report.articles;
            if (progress && report.articles % 64 == 0 && !progress(report.articles, total)) {
                report.outcome = ExportReport::Outcome::Cancelled;
                report.articles = 0;
                report.imagesCopied = 0;
                report.notes.clear();
                return report;
            }
        }
        if (!writer.index(report.articles, error))
            return failed(report, error);
        if (progress && !progress(report.articles, std::max(total, report.articles))) {
            report.outcome = ExportReport::Outcome::Cancelled;
            report.articles = 0;
            report.imagesCopied = 0;
            report.notes.clear();
            return report;
        }
    } catch (const DbError& e) {
        return failed(report, e.message());
    }
    if (target.isDir() && !QDir(parent).rmdir(target.fileName()))
        return failed(report, QCoreApplication::translate("ArticleExport",
                                                          "The empty folder %1 cannot be replaced.")
                                  .arg(shown(folder)));
    if (!QDir(parent).rename(QFileInfo(work.path()).fileName(), target.fileName()))
        return failed(report,
                      QCoreApplication::translate("ArticleExport", "The folder %1 cannot be made.")
                          .arg(shown(folder)));
    work.setAutoRemove(false);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                      QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                      QFile::ExeOther);
    report.outcome = ExportReport::Outcome::Exported;
    return report;
}

QString ExportReport::text() const
{
    const QLocale english(QLocale::English);
    QStringList out;
    out << QCoreApplication::translate("ArticleExport", "Export of articles to %1")
               .arg(shown(target));
    switch (outcome) {
    case Outcome::Failed:
        out << QCoreApplication::translate("ArticleExport", "The export failed: %1").arg(failure);
        out << QCoreApplication::translate("ArticleExport", "Nothing was written.");
        break;
    case Outcome::Cancelled:
        out << QCoreApplication::translate("ArticleExport",
                                           "The export was cancelled. Nothing was written.");
        break;
    case Outcome::Exported:
        out << QCoreApplication::translate("ArticleExport", "Articles written: %1")
                   .arg(english.toString(articles));
        if (imagesCopied > 0)
            out << QCoreApplication::translate("ArticleExport", "Images copied: %1")
                       .arg(english.toString(imagesCopied));
        if (!notes.isEmpty()) {
            out << QCoreApplication::translate("ArticleExport", "Remarks: %1")
                       .arg(english.toString(qint64(notes.size())));
            for (const QString& n : notes)
                out << QStringLiteral("  ") + n;
        }
        break;
    }
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
