// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/db/Query.h"

#include <QSqlDatabase>
#include <QString>

class Connection;

namespace db
{
class Engine;
}

// One write transaction: begun on construction (the engine's BEGIN, then its turn-taking, so a
// second writer waits or fails before anything is read), rolled back on destruction unless
// commit() ran. Every failure throws DbError with `failure` followed by the engine's reason; a
// failure after BEGIN rolls back first, so the session is never left in a broken transaction.
// When the connection names its writer, each transaction hands that name to the history's
// triggers for as long as it lasts.
class Transaction
{
public:
    // `failure` is the start of every error message, e.g. "The changes could not be saved".
    Transaction(Connection& connection, QString failure);
    // For code that holds only the handle of a database (a file being made, the import): the
    // engine is the handle's driver's, the writer that of the Connection holding it, if any.
    Transaction(QSqlDatabase& database, QString failure);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // When the server connection is lost during COMMIT, the changes may have landed or not: it
    // throws DbError(CommitUnknown), and the caller finds out once the connection is made again.
    void commit();
    // Ends the transaction without saving anything (the destructor does the same).
    void rollback();

private:
    Transaction(QSqlDatabase& database, const db::Engine& engine, const QString& writer,
                QString failure);

    // Rolls back (while `query` still exists, so that a server can drop its statement) and
    // throws with the query's reason.
    [[noreturn]] void fail(const db::Query& query);

    QSqlDatabase& m_database;
    const db::Engine& m_engine;
    QString m_failure;
    bool m_open = false;
    bool m_writerSet = false;
};
