// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/DatabaseCopy.h"

#include "core/Connection.h"
#include "core/DbError.h"
#include "core/History.h"
#include "core/NewDatabase.h"
#include "core/Pictures.h"
#include "core/QuickSearch.h"
#include "core/Schema.h"
#include "core/SearchNarrowing.h"
#include "core/ServerAddress.h"
#include "core/Transaction.h"
#include "core/db/Engine.h"
#include "core/db/Query.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QLocale>
#include <QSqlError>
#include <QStringDecoder>
#include <QVariant>

#include <algorithm>
#include <limits>

namespace
{

// Rows read and written at a time; also how often progress is told.
constexpr int kBlockRows = 500;

// Tables of an article database and of its additions; a server database holding any of them is
// not a new target.
const char* const kOwnTables[] = {"ar",
                                  "categories",
                                  "users",
                                  "cuinfo",
                                  "customize",
                                  "ardentry_schema",
                                  "ardentry_history",
                                  "ardentry_trash",
                                  "ardentry_search",
                                  "ardentry_pairs",
                                  "ardentry_pairs_pending",
                                  "ardentry_writer",
                                  "ardentry_turn",
                                  "ardentry_picture",
                                  "ardentry_thumbnail",
                                  "ardentry_picture_use"};

[[noreturn]] void fail(const QString& message)
{
    throw DbError(message);
}

// Runs one statement; a failure names it.
db::Query run(QSqlDatabase& database, const QString& sql, const QVariantList& binds = {})
{
    db::Query query(database, QStringLiteral("\"%1\" failed").arg(sql));
    if (!query.tryRun(sql, binds))
        fail(QStringLiteral("\"%1\" failed: %2.").arg(sql, query.engineText()));
    return query;
}

QVariant scalar(QSqlDatabase& database, const QString& sql, const QVariantList& binds = {})
{
    return run(database, sql, binds).scalar();
}

// How a column keeps its values in a database with typed columns (a file keeps any value in any
// column).
enum class Kind {
    Any,    // between two databases that keep any value anywhere
    Number, // bigint
    Text,   // text
    Time,   // timestamptz; in a file the text "yyyy-MM-dd HH:mm:ss.zzz" in UTC
    Bytes,  // bytea; in a file a blob
};

struct Column {
    QString name;
    Kind kind = Kind::Any;
};

struct Table {
    QString name;
    QString fileText; // the statement that makes one of the five tables in a file
    QString key;      // the row key: "rowid", or a history table's own key column
    QList<Column> columns;
    int blockRows = kBlockRows; // rows read at a time

    bool keyIsColumn() const
    {
        return std::any_of(columns.begin(), columns.end(),
                           [this](const Column& column) { return column.name == key; });
    }
};

// The five tables, read from the statements that make them.
QList<Table> articleTables()
{
    QList<Table> tables;
    const QString create = QStringLiteral("CREATE TABLE ");
    for (const QString& text : articleTableTexts()) {
        Table table;
        table.fileText = text;
        table.key = QStringLiteral("rowid");
        const int open = text.indexOf(QLatin1Char('('));
        table.name = text.mid(create.size(), open - create.size()).trimmed();
        const QString inside = text.mid(open + 1, text.lastIndexOf(QLatin1Char(')')) - open - 1);
        for (const QString& definition : inside.split(QLatin1Char(','))) {
            const QStringList words = definition.simplified().split(QLatin1Char(' '));
            const bool number =
                words.value(1).compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
            table.columns.append({words.value(0), number ? Kind::Number : Kind::Text});
        }
        tables << table;
    }
    return tables;
}

// The tables of the additions whose rows are copied, each with a key column of its own: the
// history of articles and the trash, the pictures and their thumbnails (a few at a time: a
// picture may be 16 MB). Which slots use a picture is made anew from the articles.
struct AdditionTable {
    const char* name;
    const char* key;
    schema::Addition addition;
    int blockRows;
};
const AdditionTable kAdditionTables[] = {
    {"ardentry_history", "version", schema::History, kBlockRows},
    {"ardentry_trash", "entry", schema::History, kBlockRows},
    {"ardentry_picture", "picture", schema::Pictures, 4},
    {"ardentry_thumbnail", "picture", schema::Pictures, kBlockRows},
};

struct ColumnInfo {
    QString name; // lower case
    QString type; // as declared in a file, the data type on a server
};

// The columns of a table in their order, without a server's hidden row key; none when the table
// is missing.
QList<ColumnInfo> tableColumns(QSqlDatabase& database, const QString& table)
{
    db::Query query = run(database, db::Engine::of(database).columnsText(), {table});
    QList<ColumnInfo> columns;
    while (query.next())
        columns << ColumnInfo{query.value(0).toString(), query.value(1).toString()};
    return columns;
}

Kind typedKind(const QString& type)
{
    if (type == QLatin1String("bigint") || type == QLatin1String("integer") ||
        type == QLatin1String("smallint"))
        return Kind::Number;
    if (type.startsWith(QLatin1String("timestamp")))
        return Kind::Time;
    if (type == QLatin1String("bytea"))
        return Kind::Bytes;
    return Kind::Text;
}

// A value as a message names it.
QString shownText(const QString& text)
{
    constexpr int kShown = 40;
    QString shown = text.left(kShown);
    shown.replace(QChar(0), QStringLiteral("\\0"))
        .replace(QLatin1Char('\r'), QStringLiteral("\\r"))
        .replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return QLatin1Char('"') + shown +
           (text.size() > kShown ? QStringLiteral("…\"") : QStringLiteral("\""));
}

// Why a typed column (a server's) cannot keep the value as it is, as the end of "holds ...":
// empty when it can. It keeps whole numbers in a number column, text in a text column (without
// zero characters unless `zeroKept`) and a moment given as text in a time column.
QString unfitForServer(const QVariant& value, const Column& column, bool zeroKept)
{
    if (column.kind == Kind::Any || !value.isValid() || value.isNull())
        return QString();
    const int type = value.typeId();
    const bool whole = type == QMetaType::LongLong || type == QMetaType::Int;
    const bool text = type == QMetaType::QString;
    if (column.kind == Kind::Bytes && type == QMetaType::QByteArray)
        return QString();
    if ((column.kind == Kind::Number && whole) ||
        (column.kind != Kind::Number && text && (zeroKept || !value.toString().contains(QChar(0)))))
        return QString();
    QString what;
    if (type == QMetaType::QByteArray)
        what = QCoreApplication::translate("DatabaseCopy", "binary data (%1 bytes)")
                   .arg(value.toByteArray().size());
    else if (type == QMetaType::Double)
        what = QCoreApplication::translate("DatabaseCopy", "the number %1")
                   .arg(QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest));
    else if (whole)
        what = QCoreApplication::translate("DatabaseCopy", "the number %1").arg(value.toLongLong());
    else
        what = QCoreApplication::translate("DatabaseCopy", "the text %1")
                   .arg(shownText(value.toString()));
    if (column.kind != Kind::Number && text)
        return QCoreApplication::translate(
                   "DatabaseCopy", "%1 in the column %2: a zero character, which the server cannot "
                                   "keep in a text")
            .arg(what, column.name);
    const QString kept =
        column.kind == Kind::Number ? QCoreApplication::translate("DatabaseCopy", "whole numbers")
        : column.kind == Kind::Time ? QCoreApplication::translate("DatabaseCopy", "dates and times")
        : column.kind == Kind::Bytes ? QCoreApplication::translate("DatabaseCopy", "binary data")
                                     : QStringLiteral("text");
    return QCoreApplication::translate("DatabaseCopy",
                                       "%1 in the column %2, where the server keeps %3 only")
        .arg(what, column.name, kept);
}

struct Row {
    qint64 key = 0;
    QVariantList values;
};

// The database copied from, read in one snapshot: what another program writes meanwhile is not
// seen half.
class Source
{
public:
    explicit Source(const QString& from) : m_shown(databaseDisplayName(from))
    {
        m_connection.open(from);
        db::Query begin(db(), QString());
        if (!begin.tryRun(engine().beginSnapshotText()))
            fail(QCoreApplication::translate("DatabaseCopy", "Cannot read %1: %2.")
                     .arg(m_shown, begin.engineText()));
        m_reading = true;
    }
    ~Source()
    {
        if (m_reading)
            db::Query(db(), QString()).tryRun(QStringLiteral("ROLLBACK"));
    }
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;

    QSqlDatabase& db() { return m_connection.database(); }
    const db::Engine& engine() const { return m_connection.engine(); }
    const QString& shown() const { return m_shown; }

    // Up to kBlockRows rows of the table with a key from `from` on (`inclusive`) or above it, in
    // key order, the values as stored: where any value may be in any column (a file) with its
    // type, text byte for byte (so text that is not UTF-8 is refused, not changed), numbers with
    // their type, Null as an invalid value. Typed moments come as text: with their offset for
    // typed columns, else in the form "yyyy-MM-dd HH:mm:ss.zzz" in UTC.
    QList<Row> rowsFrom(const Table& table, qint64 from, bool inclusive, bool toTyped)
    {
        const bool typed = engine().typedColumns();
        QStringList select;
        for (const Column& column : table.columns) {
            if (!typed)
                select << QStringLiteral("typeof(%1), CASE WHEN typeof(%1) = 'text' THEN CAST(%1 "
                                         "AS BLOB) ELSE %1 END")
                              .arg(column.name);
            else if (column.kind == Kind::Time && toTyped)
                select << QStringLiteral("CAST(%1 AS text)").arg(column.name);
            else if (column.kind == Kind::Time)
                select << engine().utcText(column.name);
            else
                select << column.name;
        }
        db::Query query = run(db(),
                              QStringLiteral("SELECT %1, %2 FROM %3 WHERE %1 %4 ? ORDER BY %1 "
                                             "LIMIT %5")
                                  .arg(table.key, select.join(QStringLiteral(", ")), table.name,
                                       inclusive ? QStringLiteral(">=") : QStringLiteral(">"),
                                       QString::number(table.blockRows)),
                              {from});
        QList<Row> rows;
        while (query.next()) {
            Row row;
            row.key = query.value(0).toLongLong();
            for (int c = 0; c < table.columns.size(); ++c) {
                if (typed) {
                    // (The driver gives a positive bigint as an unsigned number.)
                    const QVariant value = query.value(c + 1);
                    row.values << (query.isNull(c + 1) ? QVariant()
                                   : value.typeId() == QMetaType::ULongLong
                                       ? QVariant(value.toLongLong())
                                       : value);
                    continue;
                }
                const QString type = query.value(1 + 2 * c).toString();
                const QVariant raw = query.value(2 + 2 * c);
                if (type == QLatin1String("integer"))
                    row.values << QVariant(raw.toLongLong());
                else if (type == QLatin1String("real"))
                    row.values << QVariant(raw.toDouble());
                else if (type == QLatin1String("text"))
                    row.values << QVariant(decoded(raw.toByteArray(), table, row.key, c));
                else if (type == QLatin1String("blob"))
                    row.values << QVariant(raw.toByteArray());
                else
                    row.values << QVariant();
            }
            rows << row;
        }
        return rows;
    }

private:
    QString decoded(const QByteArray& bytes, const Table& table, qint64 key, int column) const
    {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        const QString text = utf8.decode(bytes);
        if (utf8.hasError())
            fail(QCoreApplication::translate(
                     "DatabaseCopy",
                     "The table %1, row %2, holds text in the column %3 that is not "
                     "UTF-8; it cannot be copied as it is.")
                     .arg(table.name)
                     .arg(key)
                     .arg(table.columns[column].name));
        return text;
    }

    QString m_shown;
    Connection m_connection;
    bool m_reading = false;
};

// The database copied to: a new file, or an existing server database without our tables. A file
// made by open() is removed again unless keep() was called, also when open() fails half-way.
class Target
{
public:
    Target() = default;
    void open(const QString& to)
    {
        m_shown = databaseDisplayName(to);
        if (ServerAddress::looks(to))
            openServer(to);
        else
            openFile(to);
    }
    ~Target()
    {
        if (m_server)
            return;
        if (m_file.isValid())
            m_file.close();
        m_file = QSqlDatabase();
        if (!m_connectionName.isEmpty())
            QSqlDatabase::removeDatabase(m_connectionName);
        if (m_made && !m_keep) {
            for (const char* end : {"", "-journal", "-wal", "-shm"})
                QFile::remove(m_path + QLatin1String(end));
        }
    }
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;

    QSqlDatabase& db() { return m_server ? m_connection.database() : m_file; }
    const db::Engine& engine() const
    {
        return m_server ? m_connection.engine() : db::Engine::of(m_file);
    }
    void keep() { m_keep = true; }

private:
    void openServer(const QString& to)
    {
        m_server = true;
        m_connection.open(to);
        QStringList taken;
        for (const char* table : kOwnTables) {
            if (scalar(db(), QStringLiteral("SELECT to_regclass(?) IS NOT NULL"),
                       {QString::fromLatin1(table)})
                    .toBool())
                taken << QString::fromLatin1(table);
        }
        if (!taken.isEmpty())
            fail(QCoreApplication::translate(
                     "DatabaseCopy", "The database %1 holds tables of an article database already "
                                     "(%2); they are not overwritten.")
                     .arg(m_shown, taken.join(QStringLiteral(", "))));
    }

    void openFile(const QString& to)
    {
        m_path = to;
        if (to.trimmed().isEmpty())
            fail(QCoreApplication::translate("DatabaseCopy", "No database file is named."));
        const QFileInfo info(to);
        if (info.exists() || info.isSymLink())
            fail(QCoreApplication::translate("DatabaseCopy",
                                             "The file %1 exists already; it is not overwritten.")
                     .arg(m_shown));
        if (!info.absoluteDir().exists())
            fail(QCoreApplication::translate("DatabaseCopy", "The folder %1 does not exist.")
                     .arg(QDir::toNativeSeparators(info.absolutePath())));
        // Made exclusively, so a file that appeared meanwhile is neither used nor removed.
        QFile file(to);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            fail(QCoreApplication::translate("DatabaseCopy", "Cannot create %1: %2.")
                     .arg(m_shown, file.errorString()));
        file.close();
        m_made = true;

        static QAtomicInt counter;
        m_connectionName = QStringLiteral("ardentry-copy-%1").arg(counter.fetchAndAddRelaxed(1));
        m_file = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        m_file.setDatabaseName(to);
        if (!m_file.open())
            fail(QCoreApplication::translate("DatabaseCopy", "Cannot create %1: %2.")
                     .arg(m_shown, engineReason(m_file.lastError())));
        // The program's own functions and tokenizer, which its additions use.
        if (const QString reason = db::Engine::file().prepareSession(m_file); !reason.isEmpty())
            fail(QCoreApplication::translate("DatabaseCopy", "Cannot create %1: %2.")
                     .arg(m_shown, reason));
        // As a new file is made: articles of 2 KB or more fit several to a page.
        run(m_file, QStringLiteral("PRAGMA page_size = 16384"));
    }

    QString m_shown;
    bool m_server = false;
    Connection m_connection;
    QString m_path;
    QString m_connectionName;
    QSqlDatabase m_file;
    bool m_made = false;
    bool m_keep = false;
};

class Copy
{
public:
    Copy(const QString& from, const QString& to,
         const std::function<bool(qint64, qint64)>& progress)
        : m_from(from), m_to(to), m_progress(progress)
    {
    }

    DatabaseCopyResult run()
    {
        DatabaseCopyResult result;
        Source source(m_from);
        const QList<Table> tables = articleTables();
        for (const Table& table : tables) {
            checkLayout(source, table);
            m_total += count(source, table.name);
        }
        const qint64 articles = count(source, QStringLiteral("AR"));
        const int additions = schema::additions(source.db());
        QStringList copied; // the tables of additions whose rows are copied
        for (const AdditionTable& table : kAdditionTables) {
            if ((additions & table.addition) &&
                !tableColumns(source.db(), QString::fromLatin1(table.name)).isEmpty()) {
                copied << QString::fromLatin1(table.name);
                m_total += count(source, copied.last());
            }
        }

        Target target;
        target.open(m_to);
        Transaction transaction(target.db(), QCoreApplication::translate(
                                                 "DatabaseCopy", "The copy could not be written"));
        const db::Engine& engine = target.engine();
        for (const Table& table : tables)
            ::run(target.db(), engine.tableText(table.fileText));
        for (const Table& table : tables) {
            if (!copyRows(source, target, table))
                return cancelled();
        }
        ::run(target.db(), engine.articleNumberIndexText());
        // The additions are made after the articles are in, so their triggers see no change.
        if (additions & schema::QuickSearchIndex)
            quicksearch::createIndex(target.db(), true);
        if (additions & schema::History)
            history::createTables(target.db());
        if (additions & schema::Pictures)
            pictures::createTables(target.db());
        for (const AdditionTable& added : kAdditionTables) {
            if (!copied.contains(QString::fromLatin1(added.name)))
                continue;
            Table table = additionTable(source, target, QString::fromLatin1(added.name),
                                        QString::fromLatin1(added.key), result);
            table.blockRows = added.blockRows;
            if (!copyRows(source, target, table))
                return cancelled();
        }
        engine.addWritersTurn(target.db());
        searchnarrowing::add(target.db());
        const int unknown =
            additions & ~(schema::QuickSearchIndex | schema::History | schema::Guarded |
                          schema::Pictures | schema::SearchNarrowing | schema::PhraseIndex);
        if (unknown != 0)
            result.notes << QCoreApplication::translate(
                                "DatabaseCopy",
                                "%1 has additions of a later program (%2) that were "
                                "not copied.")
                                .arg(source.shown(), QString::number(unknown));
        if (m_progress && !m_progress(m_done, m_total))
            return cancelled();
        transaction.commit();
        target.keep();
        result.articles = articles;
        result.rows = m_done;
        return result;
    }

private:
    static DatabaseCopyResult cancelled()
    {
        DatabaseCopyResult result;
        result.cancelled = true;
        return result;
    }

    static qint64 count(Source& source, const QString& table)
    {
        return scalar(source.db(), QStringLiteral("SELECT count(*) FROM %1").arg(table))
            .toLongLong();
    }

    // The source table must have the columns of an article database, no fewer (the target could
    // not be filled) and no more (they would be lost).
    static void checkLayout(Source& source, const Table& table)
    {
        QStringList has;
        for (const ColumnInfo& column : tableColumns(source.db(), table.name))
            has << column.name;
        if (has.isEmpty())
            fail(QCoreApplication::translate("DatabaseCopy",
                                             "%1 is not an article database: it has no table %2.")
                     .arg(source.shown(), table.name));
        QStringList wanted;
        for (const Column& column : table.columns)
            wanted << column.name.toLower();
        for (const QString& name : wanted) {
            if (!has.contains(name))
                fail(QCoreApplication::translate("DatabaseCopy",
                                                 "The table %1 of %2 has no column %3.")
                         .arg(table.name, source.shown(), name));
        }
        for (const QString& name : has) {
            if (!wanted.contains(name))
                fail(QCoreApplication::translate(
                         "DatabaseCopy",
                         "The table %1 of %2 has a column %3 that an article database "
                         "does not have; it would be lost.")
                         .arg(table.name, source.shown(), name));
        }
    }

    // A table of an addition as the target made it, with the columns both sides have; what the
    // server side keeps in each column decides how values go across.
    static Table additionTable(Source& source, Target& target, const QString& name,
                               const QString& key, DatabaseCopyResult& result)
    {
        const QList<ColumnInfo> from = tableColumns(source.db(), name);
        Table table;
        table.name = name;
        table.key = key;
        QStringList taken;
        for (const ColumnInfo& column : tableColumns(target.db(), name)) {
            const auto found = std::find_if(from.begin(), from.end(), [&](const ColumnInfo& c) {
                return c.name == column.name;
            });
            if (found == from.end())
                continue;
            const Kind kind = target.engine().typedColumns()   ? typedKind(column.type)
                              : source.engine().typedColumns() ? typedKind(found->type)
                                                               : Kind::Any;
            table.columns.append({column.name, kind});
            taken << column.name;
        }
        if (!taken.contains(key))
            fail(QCoreApplication::translate("DatabaseCopy", "The table %1 of %2 has no column %3.")
                     .arg(name, source.shown(), key));
        QStringList left;
        for (const ColumnInfo& column : from) {
            if (!taken.contains(column.name))
                left << column.name;
        }
        if (!left.isEmpty())
            result.notes << QCoreApplication::translate(
                                "DatabaseCopy",
                                "The columns %1 of the table %2 were not copied: the "
                                "new database has no such columns.")
                                .arg(left.join(QStringLiteral(", ")), name);
        return table;
    }

    bool copyRows(Source& source, Target& target, const Table& table)
    {
        const bool toTyped = target.engine().typedColumns();
        const bool fromTyped = source.engine().typedColumns();
        const bool zeroKept = target.engine().keepsZeroInText();
        QStringList names;
        QStringList values;
        if (!table.keyIsColumn()) {
            names << table.key;
            values << QStringLiteral("?");
        }
        for (const Column& column : table.columns) {
            names << column.name;
            // A moment as text: with its offset from typed columns, else in UTC.
            if (toTyped && column.kind == Kind::Time)
                values << (fromTyped ? QStringLiteral("CAST(? AS timestamptz)")
                                     : QStringLiteral("CAST(? AS timestamp) AT TIME ZONE 'UTC'"));
            else
                values << QStringLiteral("?");
        }
        db::Query insert(target.db(), QString());
        if (!insert.tryPrepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(table.name, names.join(QStringLiteral(", ")),
                                        values.join(QStringLiteral(", ")))))
            fail(QCoreApplication::translate("DatabaseCopy", "Cannot write the table %1: %2.")
                     .arg(table.name, insert.engineText()));
        qint64 after = std::numeric_limits<qint64>::min();
        for (bool first = true;; first = false) {
            const QList<Row> rows = source.rowsFrom(table, after, first, toTyped);
            if (rows.isEmpty())
                break;
            for (const Row& row : rows) {
                QVariantList binds;
                if (!table.keyIsColumn())
                    binds << row.key;
                for (int c = 0; c < table.columns.size(); ++c) {
                    const QVariant& value = row.values[c];
                    if (toTyped) {
                        const QString why = unfitForServer(value, table.columns[c], zeroKept);
                        if (!why.isEmpty())
                            fail(QCoreApplication::translate("DatabaseCopy",
                                                             "The table %1, row %2, holds %3.")
                                     .arg(table.name)
                                     .arg(row.key)
                                     .arg(why));
                    }
                    binds << value;
                }
                if (!insert.tryExec(binds))
                    fail(QCoreApplication::translate(
                             "DatabaseCopy", "The table %1, row %2, could not be written: %3.")
                             .arg(table.name)
                             .arg(row.key)
                             .arg(insert.engineText()));
            }
            after = rows.last().key;
            m_done += rows.size();
            if (m_progress && !m_progress(m_done, m_total))
                return false;
        }
        // Rows added later take keys after the copied ones.
        const QString keysAfter = target.engine().keysAfterText(table.name, table.key);
        if (!keysAfter.isEmpty())
            scalar(target.db(), keysAfter);
        return true;
    }

    QString m_from;
    QString m_to;
    const std::function<bool(qint64, qint64)>& m_progress;
    qint64 m_total = 0;
    qint64 m_done = 0;
};

} // namespace

DatabaseCopyResult copyArticleDatabase(const QString& from, const QString& to,
                                       const std::function<bool(qint64, qint64)>& progress)
{
    try {
        return Copy(from, to, progress).run();
    } catch (const DbError& e) {
        throw DbError(e.kind(),
                      QCoreApplication::translate("DatabaseCopy",
                                                  "Cannot copy %1 to %2: %3 Nothing was copied.")
                          .arg(databaseDisplayName(from), databaseDisplayName(to), e.message()));
    }
}

QString databaseDisplayName(const QString& pathOrAddress)
{
    if (ServerAddress::looks(pathOrAddress)) {
        return ServerAddress::withoutPasswords(pathOrAddress);
    }
    if (pathOrAddress.trimmed().isEmpty())
        return pathOrAddress;
    return QDir::toNativeSeparators(QFileInfo(pathOrAddress).absoluteFilePath());
}
