#pragma once

#include "core/db/Query.h"

#include <QSqlDatabase>
#include <QString>

class Connection;

// One write transaction: begun on construction ("BEGIN IMMEDIATE" on SQLite, so a second writer
// waits or fails before anything is read), rolled back on destruction unless commit() ran.
// Every failure throws DbError with `failure` followed by the engine's reason; a failure after
// BEGIN rolls back first, so the session is never left in a broken transaction.
class Transaction
{
public:
    // `failure` is the start of every error message, e.g. "The changes could not be saved".
    Transaction(Connection& connection, QString failure);
    // For code that holds only the handle of a database (a file being made, the import): the
    // engine is the handle's driver's.
    Transaction(QSqlDatabase& database, QString failure);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // When the server connection is lost during COMMIT, the changes may have landed or not: it
    // throws DbError(CommitUnknown), and the caller finds out once the connection is made again.
    void commit();
    // Ends the transaction without saving anything (the destructor does the same).
    void rollback();

    // The writer step: once a name is set for a connection (by its connection name), each of its
    // transactions puts that name in the one-row table ardentry_writer right after it begins and
    // clears it right before it commits, so the triggers of the file can tell who wrote. A file
    // without that table records nothing. An empty name ends the step.
    static void setWriterName(const QString& connectionName, const QString& name);

private:
    Transaction(QSqlDatabase& database, bool server, QString failure);

    // Rolls back (while `query` still exists, so that a server can drop its statement) and
    // throws with the query's reason.
    [[noreturn]] void fail(const db::Query& query);

    QSqlDatabase& m_database;
    bool m_server = false;
    QString m_failure;
    bool m_open = false;
    bool m_writerSet = false;
};
