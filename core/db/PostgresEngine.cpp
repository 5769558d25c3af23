// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/db/PostgresEngine.h"

#include "core/DbError.h"
#include "core/ServerGuard.h"
#include "core/db/Query.h"

#include <QCoreApplication>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QtEndian>

#include <libpq-fe.h>
#include <poll.h>

#include <memory>
#include <vector>

namespace
{
// The advisory lock every writer of a server database made before the turn table takes for its
// transaction.
constexpr qint64 kWriterLock = 0x41726465; // "Arde"

// ---- Binary values through the driver's own libpq connection ----
// Qt's driver sends and reads a bytea value as hexadecimal text, twice its size, escaped and
// unescaped on both sides. The same connection (its transaction, its writer's turn, its
// session's settings) runs the statements that carry pictures with the values in binary form.

struct ResultClear {
    void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ResultClear>;

PGconn* handleOf(const QSqlDatabase& database)
{
    if (!database.isValid() || !database.isOpen())
        return nullptr;
    // Qt names the type as the compiler spells it: "pg_conn*", in older versions "PGconn*".
    const QVariant handle = database.driver()->handle();
    if (handle.isValid() &&
        (qstrcmp(handle.typeName(), "pg_conn*") == 0 || qstrcmp(handle.typeName(), "PGconn*") == 0))
        return *static_cast<PGconn* const*>(handle.constData());
    return nullptr;
}

// The statement with libpq's numbered marks for the driver's "?" (none stands in a quoted text
// or name of the program's statements, but those are skipped all the same).
QByteArray numberedMarks(const QString& sql)
{
    QString text;
    text.reserve(sql.size() + 16);
    int marks = 0;
    QChar quote;
    for (const QChar c : sql) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char('?')) {
            text += QLatin1Char('$') + QString::number(++marks);
            continue;
        }
        text += c;
    }
    return text.toUtf8();
}

// The server's failure as the driver words it ("ERROR:  ...\n(SQLSTATE)"), so that it reads
// like every other failure (serverWords()).
QSqlError errorOf(PGconn* connection, const PGresult* result)
{
    QString text = QString::fromUtf8(result ? PQresultErrorMessage(result) : "");
    if (text.trimmed().isEmpty())
        text = QString::fromUtf8(PQerrorMessage(connection));
    const QString code =
        result ? QString::fromLatin1(PQresultErrorField(result, PG_DIAG_SQLSTATE)) : QString();
    if (!code.isEmpty())
        text += QStringLiteral("(%1)").arg(code);
    return QSqlError(QString(), text, QSqlError::StatementError, code);
}

// Runs one statement: QByteArray values go in binary form, the others as text whose type the
// server infers; the result comes in binary form when `binaryResult`. A failure throws DbError
// as db::Query does. A lost connection fails as it does for the driver's statements: the
// connection is made again by the next Connection::ensureAlive() (its "SELECT 1" finds it
// lost), and the driver's own handle, not one kept here, is taken every time.
Result execute(QSqlDatabase& database, const QString& failure, const QString& sql,
               const QVariantList& binds, bool binaryResult)
{
    PGconn* connection = handleOf(database);
    if (!connection)
        throw DbError(QCoreApplication::translate("Connection", "No database is open."));
    std::vector<QByteArray> held;
    held.reserve(binds.size());
    std::vector<const char*> values;
    std::vector<int> lengths;
    std::vector<int> formats;
    for (const QVariant& value : binds) {
        const bool binary = value.typeId() == QMetaType::QByteArray;
        const bool null = !value.isValid() || value.isNull();
        held.push_back(null     ? QByteArray()
                       : binary ? value.toByteArray()
                                : value.toString().toUtf8());
        values.push_back(null ? nullptr : held.back().constData());
        lengths.push_back(int(held.back().size()));
        formats.push_back(binary ? 1 : 0);
    }
    Result result(PQexecParams(connection, numberedMarks(sql).constData(), int(binds.size()),
                               nullptr, values.data(), lengths.data(), formats.data(),
                               binaryResult ? 1 : 0));
    const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw DbError(failure + QStringLiteral(": ") +
                      serverWords(errorOf(connection, result.get())) + QLatin1Char('.'));
    return result;
}

} // namespace

QString db::PostgresEngine::name() const
{
    return QStringLiteral("PostgreSQL");
}

QString db::PostgresEngine::version(const QSqlDatabase& database) const
{
    QSqlQuery query(database);
    if (query.exec(QStringLiteral("SHOW server_version")) && query.next())
        return query.value(0).toString().section(QLatin1Char(' '), 0, 0);
    return QString();
}

QString db::PostgresEngine::prepareSession(QSqlDatabase& database) const
{
    // A write that waits for another's lock gives up as a file's does, after a few seconds.
    QString reason;
    {
        QSqlQuery setup(database);
        if (!setup.exec(QStringLiteral("SET client_min_messages = error")) ||
            !setup.exec(QStringLiteral("SET lock_timeout = '3s'")))
            reason = engineReason(setup.lastError());
    }
    if (!reason.isEmpty())
        database.close();
    return reason;
}

QString db::PostgresEngine::reopen(QSqlDatabase& database) const
{
    database.close();
    if (!database.open()) {
        const QString reason = engineReason(database.lastError());
        database.close();
        return reason;
    }
    return prepareSession(database);
}

QPair<qint64, qint64> db::PostgresEngine::changeStamp(QSqlDatabase& database, qint64& counter) const
{
    // The change counter (schema::ChangeCounter) less this session's own changes: what others
    // wrote; then the whole counter. (Looked for first: a failed statement would end a
    // transaction around it.)
    QSqlQuery query(database);
    if (query.exec(QStringLiteral("SELECT has_table_privilege(to_regclass('ardentry_change'), "
                                  "'SELECT')")) &&
        query.next() && query.value(0).toBool() &&
        query.exec(QStringLiteral(
            "SELECT counter - COALESCE(NULLIF(current_setting('ardentry.own_changes', true), ''), "
            "'0')::bigint, counter FROM ardentry_change")) &&
        query.next())
        return {query.value(0).toLongLong(), query.value(1).toLongLong()};
    // Without the counter a server does not tell what others wrote since a given moment: every
    // stamp is new, so the rows are always read again.
    return {-2, ++counter};
}

QString db::PostgresEngine::beginText() const
{
    return QStringLiteral("BEGIN");
}

bool db::PostgresEngine::takeTurn(Query& query) const
{
    // One writer at a time, as on a file: checks made inside the transaction (a number that must
    // be free, a row that must be unchanged) hold until the commit. The turn is the row of
    // ardentry_turn, which only those who may change the articles may lock (a reader takes
    // none: its write fails on the articles themselves).
    QString take = QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kWriterLock);
    if (query.tryRun(QStringLiteral("SELECT CASE WHEN to_regclass('ardentry_turn') IS NULL "
                                    "THEN 0 WHEN has_table_privilege(to_regclass('ar'), "
                                    "'INSERT, UPDATE, DELETE') THEN 1 ELSE 2 END")) &&
        query.next() && query.value(0).toInt() != 0)
        take = query.value(0).toInt() == 1
                   ? QStringLiteral("SELECT 1 FROM ardentry_turn FOR UPDATE")
                   : QString();
    return take.isEmpty() || query.tryRun(take);
}

bool db::PostgresEngine::nameWriter(Query& query, const QString& writer, bool& clearAtCommit) const
{
    // The name lives as long as the transaction; the server's triggers read it.
    clearAtCommit = false;
    return query.tryRun(QStringLiteral("SELECT set_config('ardentry.writer', ?, true)"), {writer});
}

QString db::PostgresEngine::clearWriterText() const
{
    return QStringLiteral("SELECT set_config('ardentry.writer', '', true)");
}

QString db::PostgresEngine::fingerprint(const QStringList& quotedColumns) const
{
    // A server has no function of ours: the text of the whole row tells Null from empty text
    // and keeps every character.
    return QStringLiteral("md5(ROW(%1)::text)").arg(quotedColumns.join(QLatin1String(", ")));
}

QString db::PostgresEngine::sameAs() const
{
    return QStringLiteral("IS NOT DISTINCT FROM");
}

QString db::PostgresEngine::utcText(const QString& column) const
{
    // A server keeps a timestamp.
    return QStringLiteral("to_char(%1 AT TIME ZONE 'UTC', 'YYYY-MM-DD HH24:MI:SS.MS')").arg(column);
}

QString db::PostgresEngine::onlyWholeNumbers(const QString&) const
{
    // A server's number column holds whole numbers only.
    return QString();
}

int db::PostgresEngine::additions(Query& query) const
{
    // A server database keeps the bits in a one-row table of its own.
    // (A failed statement would end the transaction around it: look before reading.)
    if (!query.run(QStringLiteral("SELECT to_regclass('ardentry_schema') IS NOT NULL"))
             .scalar()
             .toBool())
        return 0;
    return query.run(QStringLiteral("SELECT COALESCE(MAX(additions), 0) FROM ardentry_schema"))
        .scalar()
        .toInt();
}

void db::PostgresEngine::recordAdditions(Query& query, int additions) const
{
    query.run(QStringLiteral("CREATE TABLE IF NOT EXISTS ardentry_schema (additions integer "
                             "NOT NULL)"));
    query.run(QStringLiteral("DELETE FROM ardentry_schema"));
    query.run(QStringLiteral("INSERT INTO ardentry_schema VALUES (%1)").arg(additions));
}

QString db::PostgresEngine::tableText(const QString& fileTableText) const
{
    // Same tables on a server, each with the hidden row key the program uses as a file's
    // rowid. Names are written unquoted, so the server keeps them in lower case and every
    // query finds them whatever the case it is written in.
    // The key comes last, so that a plain "INSERT INTO Users VALUES ('name')" still fills the
    // columns it means.
    QString text = fileTableText;
    const int close = text.lastIndexOf(QLatin1Char(')'));
    text.insert(close,
                QStringLiteral(", rowid bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"));
    text.replace(QLatin1String(" INTEGER"), QLatin1String(" bigint"));
    return text;
}

QString db::PostgresEngine::articleNumberIndexText() const
{
    // It holds the rows in the record set's order (numbers, Nulls first, then the row key), so
    // that opening reads it in order.
    return QStringLiteral("CREATE INDEX AR_ID ON AR (ID NULLS FIRST, rowid)");
}

void db::PostgresEngine::addWritersTurn(QSqlDatabase& database) const
{
    serverguard::addTurn(database);
}

QString db::PostgresEngine::beginSnapshotText() const
{
    return QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
}

QString db::PostgresEngine::columnsText() const
{
    return QStringLiteral("SELECT column_name, data_type FROM information_schema.columns WHERE "
                          "table_schema = current_schema() AND table_name = lower(?) AND "
                          "column_name <> 'rowid' ORDER BY ordinal_position");
}

QString db::PostgresEngine::keysAfterText(const QString& table, const QString& key) const
{
    return QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), COALESCE(MAX(%2), "
                          "0) + 1, false) FROM %1")
        .arg(table.toLower(), key);
}

qint64 db::PostgresEngine::insertBytes(QSqlDatabase& database, const QString& failure,
                                       const QString& insert, const QString& key,
                                       const QVariantList& binds) const
{
    // The key comes back as text: the one value not binary.
    const Result result = execute(
        database, failure, key.isEmpty() ? insert : insertGivingKey(insert, key), binds, false);
    if (key.isEmpty() || PQntuples(result.get()) < 1)
        return 0;
    return QByteArray(PQgetvalue(result.get(), 0, 0)).toLongLong();
}

QList<QByteArrayList> db::PostgresEngine::selectBytes(QSqlDatabase& database,
                                                      const QString& failure, const QString& select,
                                                      const QVariantList& binds) const
{
    // In binary form a bytea value is its bytes and a text its UTF-8.
    const Result result = execute(database, failure, select, binds, true);
    QList<QByteArrayList> rows;
    const int count = PQntuples(result.get());
    const int columns = PQnfields(result.get());
    rows.reserve(count);
    for (int row = 0; row < count; ++row) {
        QByteArrayList values;
        for (int column = 0; column < columns; ++column)
            values << (PQgetisnull(result.get(), row, column)
                           ? QByteArray()
                           : QByteArray(PQgetvalue(result.get(), row, column),
                                        PQgetlength(result.get(), row, column)));
        rows << values;
    }
    return rows;
}

std::vector<qint64> db::PostgresEngine::wholeNumbers(QSqlDatabase& database, const QString& failure,
                                                     const QString& select) const
{
    // In binary form a bigint is its eight bytes, most significant first: no text to parse.
    const Result result = execute(database, failure, select, {}, true);
    const int count = PQntuples(result.get());
    std::vector<qint64> numbers;
    numbers.reserve(size_t(count));
    for (int row = 0; row < count; ++row) {
        if (PQgetisnull(result.get(), row, 0) || PQgetlength(result.get(), row, 0) != 8)
            numbers.push_back(0);
        else
            numbers.push_back(qFromBigEndian<qint64>(PQgetvalue(result.get(), row, 0)));
    }
    return numbers;
}

bool db::PostgresEngine::runStoppable(QSqlDatabase& database, const QString& failure,
                                      const QString& sql, const std::function<bool()>& goOn) const
{
    // Sent without waiting for its answer: meanwhile the caller is asked, and a request to stop
    // reaches the server through a connection of its own (PQcancel).
    PGconn* connection = handleOf(database);
    if (!connection)
        throw DbError(QCoreApplication::translate("Connection", "No database is open."));
    const auto failed = [&](const PGresult* result) {
        return DbError(failure + QStringLiteral(": ") + serverWords(errorOf(connection, result)) +
                       QLatin1Char('.'));
    };
    if (!goOn())
        return false;
    if (!PQsendQuery(connection, sql.toUtf8().constData()))
        throw failed(nullptr);
    bool stopped = false;
    while (PQconsumeInput(connection) && PQisBusy(connection)) {
        pollfd socket{PQsocket(connection), POLLIN, 0};
        if (poll(&socket, 1, 100) != 0 || stopped || goOn())
            continue;
        stopped = true;
        // When the request cannot be sent, the statement runs to its end and the caller's
        // rollback takes it back.
        const std::unique_ptr<PGcancel, void (*)(PGcancel*)> cancel(PQgetCancel(connection),
                                                                    PQfreeCancel);
        char reason[256];
        if (cancel)
            PQcancel(cancel.get(), reason, sizeof reason);
    }
    // Every result is read, so that the driver finds the connection idle; the first failure
    // tells. A lost connection gives one too.
    Result refusal;
    bool answered = false;
    while (Result result{PQgetResult(connection)}) {
        answered = true;
        const ExecStatusType status = PQresultStatus(result.get());
        if (!refusal && status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
            refusal = std::move(result);
    }
    if (stopped && (!refusal || QByteArray(PQresultErrorField(refusal.get(), PG_DIAG_SQLSTATE)) ==
                                    "57014")) // query_canceled
        return false;
    if (refusal || !answered)
        throw failed(refusal.get());
    return true;
}
