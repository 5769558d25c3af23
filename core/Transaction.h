#pragma once

#include <QSqlDatabase>
#include <QString>

class QSqlError;

// The engine's own words for a failure: its database text, else the driver's text.
QString engineReason(const QSqlError& error);
// A failed write in the user's words first and the engine's text after, for a server's refusal
// (no right to a table) or a lock waited for too long: "You may read the articles but not change
// them (the server refused: permission denied for table ar)". Otherwise engineReason().
QString serverWords(const QSqlError& error);

// One write transaction: begun on construction ("BEGIN IMMEDIATE" on SQLite, so a second writer
// waits or fails before anything is read), rolled back on destruction unless commit() ran.
// Every failure throws DbError with `failure` followed by the engine's reason.
class Transaction
{
public:
    // `failure` is the start of every error message, e.g. "The changes could not be saved".
    Transaction(QSqlDatabase& database, QString failure);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();
    // Ends the transaction without saving anything (the destructor does the same).
    void rollback();

    // The writer step: once a name is set for a connection (by its connection name), each of its
    // transactions puts that name in the one-row table ardentry_writer right after it begins and
    // clears it right before it commits, so the triggers of the file can tell who wrote. A file
    // without that table records nothing. An empty name ends the step.
    static void setWriterName(const QString& connectionName, const QString& name);

private:
    QSqlDatabase& m_database;
    QString m_failure;
    bool m_open = false;
    bool m_writerSet = false;
};
