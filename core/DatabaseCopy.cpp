#include "core/DatabaseCopy.h"

#include "core/Connection.h"
#include "core/DbError.h"
#include "core/NewDatabase.h"
#include "core/QuickSearch.h"
#include "core/Schema.h"
#include "core/ServerAddress.h"
#include "core/Transaction.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QVariant>

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
                                  "ardentry_writer"};

[[noreturn]] void fail(const QString& message)
{
    throw DbError(message);
}

QString reasonOf(const QSqlQuery& query)
{
    return engineReason(query.lastError());
}

// Runs one statement; one without values is not prepared (a server prepares no table
// statement).
QSqlQuery run(QSqlDatabase& database, const QString& sql, const QVariantList& binds = {})
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    bool done = false;
    if (binds.isEmpty()) {
        done = query.exec(sql);
    } else if (query.prepare(sql)) {
        for (const QVariant& value : binds)
            query.addBindValue(value);
        done = query.exec();
    }
    if (!done)
        fail(QStringLiteral("\"%1\" failed: %2.").arg(sql, reasonOf(query)));
    return query;
}

QVariant scalar(QSqlDatabase& database, const QString& sql, const QVariantList& binds = {})
{
    QSqlQuery query = run(database, sql, binds);
    return query.next() ? query.value(0) : QVariant();
}

struct Column {
    QString name;
    bool number = false; // declared INTEGER: a bigint on a server
};

struct Table {
    QString name;
    QString fileText; // the statement that makes it in a file
    QList<Column> columns;

    QString columnList() const
    {
        QStringList names;
        for (const Column& column : columns)
            names << column.name;
        return names.join(QStringLiteral(", "));
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
        const int open = text.indexOf(QLatin1Char('('));
        table.name = text.mid(create.size(), open - create.size()).trimmed();
        const QString inside = text.mid(open + 1, text.lastIndexOf(QLatin1Char(')')) - open - 1);
        for (const QString& definition : inside.split(QLatin1Char(','))) {
            const QStringList words = definition.simplified().split(QLatin1Char(' '));
            table.columns.append(
                {words.value(0),
                 words.value(1).compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0});
        }
        tables << table;
    }
    return tables;
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

// Why a server column cannot keep the value as it is, as the end of "holds ...": empty when it
// can. A server keeps whole numbers in a number column and text without zero characters in a
// text column; a file keeps anything.
QString unfitForServer(const QVariant& value, const Column& column)
{
    if (!value.isValid() || value.isNull())
        return QString();
    const int type = value.typeId();
    const bool whole = type == QMetaType::LongLong || type == QMetaType::Int;
    if (column.number && whole)
        return QString();
    if (!column.number && type == QMetaType::QString && !value.toString().contains(QChar(0)))
        return QString();
    QString what;
    if (type == QMetaType::QByteArray)
        what = QStringLiteral("binary data (%1 bytes)").arg(value.toByteArray().size());
    else if (type == QMetaType::Double)
        what = QStringLiteral("the number %1")
                   .arg(QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest));
    else if (whole)
        what = QStringLiteral("the number %1").arg(value.toLongLong());
    else
        what = QStringLiteral("the text %1").arg(shownText(value.toString()));
    if (!column.number && type == QMetaType::QString)
        return QStringLiteral("%1 in the column %2: a zero character, which the server cannot "
                              "keep in a text")
            .arg(what, column.name);
    return QStringLiteral("%1 in the column %2, where the server keeps %3 only")
        .arg(what, column.name,
             column.number ? QStringLiteral("whole numbers") : QStringLiteral("text"));
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
        QSqlQuery begin(db());
        if (!begin.exec(server() ? QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY")
                                 : QStringLiteral("BEGIN")))
            fail(QStringLiteral("Cannot read %1: %2.").arg(m_shown, reasonOf(begin)));
        m_reading = true;
    }
    ~Source()
    {
        if (m_reading) {
            QSqlQuery end(db());
            end.exec(QStringLiteral("ROLLBACK"));
        }
    }
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;

    QSqlDatabase& db() { return m_connection.database(); }
    bool server() const { return m_connection.isServer(); }
    const QString& shown() const { return m_shown; }

    // The columns of a table in lower case (without a server's row key); none when the table is
    // missing.
    QStringList columnsOf(const Table& table)
    {
        QStringList names;
        QSqlQuery query =
            server() ? run(db(),
                           QStringLiteral("SELECT column_name FROM information_schema.columns "
                                          "WHERE table_schema = current_schema() AND table_name "
                                          "= ? ORDER BY ordinal_position"),
                           {table.name.toLower()})
                     : run(db(), QStringLiteral("PRAGMA table_info(%1)").arg(table.name));
        while (query.next()) {
            const QString name = query.value(server() ? 0 : 1).toString().toLower();
            if (!(server() && name == QLatin1String("rowid")))
                names << name;
        }
        return names;
    }

    bool hasTable(const QString& name)
    {
        return server() ? scalar(db(), QStringLiteral("SELECT to_regclass(?) IS NOT NULL"), {name})
                              .toBool()
                        : scalar(db(),
                                 QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = "
                                                "'table' AND name = ? COLLATE NOCASE"),
                                 {name})
                                  .toInt() > 0;
    }

    // Up to kBlockRows rows of the table with a key from `from` on (`inclusive`) or above it, in
    // key order. Values as
    // stored: a file's text byte for byte (so text that is not UTF-8 is refused, not changed),
    // numbers with their type, Null as an invalid value.
    QList<Row> rowsFrom(const Table& table, qint64 from, bool inclusive)
    {
        QStringList select;
        for (const Column& column : table.columns) {
            if (server())
                select << column.name;
            else
                select << QStringLiteral("typeof(%1), CASE WHEN typeof(%1) = 'text' THEN CAST(%1 "
                                         "AS BLOB) ELSE %1 END")
                              .arg(column.name);
        }
        QSqlQuery query = run(db(),
                              QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid %3 ? ORDER BY "
                                             "rowid LIMIT %4")
                                  .arg(select.join(QStringLiteral(", ")), table.name,
                                       inclusive ? QStringLiteral(">=") : QStringLiteral(">"))
                                  .arg(kBlockRows),
                              {from});
        QList<Row> rows;
        while (query.next()) {
            Row row;
            row.key = query.value(0).toLongLong();
            for (int c = 0; c < table.columns.size(); ++c) {
                if (server()) {
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
            fail(QStringLiteral("The table %1, row %2, holds text in the column %3 that is not "
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
// is removed again unless keep() was called.
class Target
{
public:
    explicit Target(const QString& to) : m_shown(databaseDisplayName(to))
    {
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
    bool server() const { return m_server; }
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
            fail(QStringLiteral("The database %1 holds tables of an article database already "
                                "(%2); they are not overwritten.")
                     .arg(m_shown, taken.join(QStringLiteral(", "))));
    }

    void openFile(const QString& to)
    {
        m_path = to;
        if (to.trimmed().isEmpty())
            fail(QStringLiteral("No database file is named."));
        const QFileInfo info(to);
        if (info.exists() || info.isSymLink())
            fail(QStringLiteral("The file %1 exists already; it is not overwritten.").arg(m_shown));
        if (!info.absoluteDir().exists())
            fail(QStringLiteral("The folder %1 does not exist.")
                     .arg(QDir::toNativeSeparators(info.absolutePath())));
        // Made exclusively, so a file that appeared meanwhile is neither used nor removed.
        QFile file(to);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            fail(QStringLiteral("Cannot create %1: %2.").arg(m_shown, file.errorString()));
        file.close();
        m_made = true;

        static QAtomicInt counter;
        m_connectionName = QStringLiteral("ardentry-copy-%1").arg(counter.fetchAndAddRelaxed(1));
        m_file = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        m_file.setDatabaseName(to);
        if (!m_file.open())
            fail(QStringLiteral("Cannot create %1: %2.")
                     .arg(m_shown, engineReason(m_file.lastError())));
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
        QList<qint64> counts;
        for (const Table& table : tables) {
            checkLayout(source, table);
            counts << scalar(source.db(), QStringLiteral("SELECT count(*) FROM %1").arg(table.name))
                          .toLongLong();
            m_total += counts.last();
        }
        const int additions = schema::additions(source.db());

        Target target(m_to);
        Transaction transaction(target.db(), QStringLiteral("The copy could not be written"));
        for (const Table& table : tables)
            ::run(target.db(), target.server() ? serverTableText(table.fileText) : table.fileText);
        for (const Table& table : tables) {
            if (!copyRows(source, target, table)) {
                result.cancelled = true;
                return result;
            }
        }
        if (target.server()) {
            // Rows added later take keys after the copied ones.
            for (const Table& table : tables)
                scalar(target.db(),
                       QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', 'rowid'), "
                                      "COALESCE(MAX(rowid), 0) + 1, false) FROM %1")
                           .arg(table.name.toLower()));
        }
        ::run(target.db(), QStringLiteral("CREATE INDEX AR_ID ON AR (ID)"));
        if (additions & schema::QuickSearchIndex)
            quicksearch::createIndex(target.db(), true);
        if (additions & schema::History)
            result.notes << historyLeftBehind(source);
        const int unknown = additions & ~(schema::QuickSearchIndex | schema::History);
        if (unknown != 0)
            result.notes << QStringLiteral("%1 has additions of a later program (%2) that were "
                                           "not copied.")
                                .arg(source.shown(), QString::number(unknown));
        if (m_progress && !m_progress(m_done, m_total)) {
            result.cancelled = true;
            return result;
        }
        transaction.commit();
        target.keep();
        result.articles = counts.value(0);
        result.rows = m_done;
        return result;
    }

private:
    // The source table must have the columns of an article database, no fewer (the target could
    // not be filled) and no more (they would be lost).
    void checkLayout(Source& source, const Table& table)
    {
        const QStringList has = source.columnsOf(table);
        if (has.isEmpty())
            fail(QStringLiteral("%1 is not an article database: it has no table %2.")
                     .arg(source.shown(), table.name));
        QStringList wanted;
        for (const Column& column : table.columns)
            wanted << column.name.toLower();
        for (const QString& name : wanted) {
            if (!has.contains(name))
                fail(QStringLiteral("The table %1 of %2 has no column %3.")
                         .arg(table.name, source.shown(), name));
        }
        for (const QString& name : has) {
            if (!wanted.contains(name))
                fail(QStringLiteral("The table %1 of %2 has a column %3 that an article database "
                                    "does not have; it would be lost.")
                         .arg(table.name, source.shown(), name));
        }
    }

    bool copyRows(Source& source, Target& target, const Table& table)
    {
        QSqlQuery insert(target.db());
        if (!insert.prepare(QStringLiteral("INSERT INTO %1 (rowid, %2) VALUES (?%3)")
                                .arg(table.name, table.columnList(),
                                     QStringLiteral(", ?").repeated(table.columns.size()))))
            fail(
                QStringLiteral("Cannot write the table %1: %2.").arg(table.name, reasonOf(insert)));
        qint64 after = std::numeric_limits<qint64>::min();
        for (bool first = true;; first = false) {
            const QList<Row> rows = source.rowsFrom(table, after, first);
            if (rows.isEmpty())
                return true;
            for (const Row& row : rows) {
                insert.addBindValue(row.key);
                for (int c = 0; c < table.columns.size(); ++c) {
                    const QVariant& value = row.values[c];
                    if (target.server()) {
                        const QString why = unfitForServer(value, table.columns[c]);
                        if (!why.isEmpty())
                            fail(QStringLiteral("The table %1, row %2, holds %3.")
                                     .arg(table.name)
                                     .arg(row.key)
                                     .arg(why));
                    }
                    insert.addBindValue(value);
                }
                if (!insert.exec())
                    fail(QStringLiteral("The table %1, row %2, could not be written: %3.")
                             .arg(table.name)
                             .arg(row.key)
                             .arg(reasonOf(insert)));
            }
            after = rows.last().key;
            m_done += rows.size();
            if (m_progress && !m_progress(m_done, m_total))
                return false;
        }
    }

    // The history tables are not copied: a note says what stays behind in the source.
    QString historyLeftBehind(Source& source)
    {
        const auto count = [&](const char* table) {
            const QString name = QString::fromLatin1(table);
            return source.hasTable(name)
                       ? scalar(source.db(), QStringLiteral("SELECT count(*) FROM %1").arg(name))
                             .toLongLong()
                       : 0;
        };
        return QStringLiteral("The earlier versions of articles (%1) and the trash (%2 deleted "
                              "articles) were not copied; they stay in %3.")
            .arg(count("ardentry_history"))
            .arg(count("ardentry_trash"))
            .arg(source.shown());
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
                      QStringLiteral("Cannot copy %1 to %2: %3 Nothing was copied.")
                          .arg(databaseDisplayName(from), databaseDisplayName(to), e.message()));
    }
}

QString databaseDisplayName(const QString& pathOrAddress)
{
    if (ServerAddress::looks(pathOrAddress)) {
        ServerAddress address;
        if (ServerAddress::parse(pathOrAddress, address))
            return address.display();
        // An address that cannot be read may still hold a password: only its kind is shown.
        return pathOrAddress.trimmed().section(QStringLiteral("://"), 0, 0) +
               QStringLiteral("://…");
    }
    if (pathOrAddress.trimmed().isEmpty())
        return pathOrAddress;
    return QDir::toNativeSeparators(QFileInfo(pathOrAddress).absoluteFilePath());
}
