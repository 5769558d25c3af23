#pragma once

#include <QSqlDatabase>
#include <QString>

class QSqlError;

// The engine's own words for a failure: its database text, else the driver's text.
QString engineReason(const QSqlError& error);

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

private:
    QSqlDatabase& m_database;
    QString m_failure;
    bool m_open = false;
};
