#pragma once

#include <QSqlDatabase>
#include <QString>

class QSqlError;
class QSqlQuery;

// The engine's own words for a failure: its database text, else the driver's text.
QString engineReason(const QSqlError& error);
// A failed write in the user's words first and the engine's text after, for a server's refusal
// (no right to a table) or a lock waited for too long: "You may read the articles but not change
// them (the server refused: permission denied for table ar)". Otherwise engineReason().
QString serverWords(const QSqlError& error);

// One write transaction: begun on construction ("BEGIN IMMEDIATE" on SQLite, so a second writer
// waits or fails before anything is read), rolled back on destruction unless commit() ran.
// Every failure throws DbError with `failure` followed by the engine's reason; a failure after
// BEGIN rolls back first, so the session is never left in a broken transaction.
class Transaction
{
public:
    // `failure` is the start of every error message, e.g. "The changes could not be saved".
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
    // Rolls back (while `query` still exists, so that a server can drop its statement) and
    // throws with the query's reason.
    [[noreturn]] void fail(const QSqlQuery& query);

    QSqlDatabase& m_database;
    QString m_failure;
    bool m_open = false;
    bool m_writerSet = false;
};
