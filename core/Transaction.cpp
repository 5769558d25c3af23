#include "core/Transaction.h"

#include "core/Connection.h"
#include "core/DbError.h"

#include <QCoreApplication>
#include <QHash>
#include <QMutex>

#include <utility>

namespace
{
// The advisory lock every writer of a server database made before the turn table takes for its
// transaction.
constexpr qint64 kWriterLock = 0x41726465; // "Arde"

struct Writers {
    QMutex mutex;
    QHash<QString, QString> names; // connection name -> login name
};

Writers& writers()
{
    static Writers all;
    return all;
}

QString writerName(const QString& connectionName)
{
    Writers& all = writers();
    const QMutexLocker lock(&all.mutex);
    return all.names.value(connectionName);
}
} // namespace

void Transaction::setWriterName(const QString& connectionName, const QString& name)
{
    Writers& all = writers();
    const QMutexLocker lock(&all.mutex);
    if (name.isEmpty())
        all.names.remove(connectionName);
    else
        all.names.insert(connectionName, name);
}

Transaction::Transaction(Connection& connection, QString failure)
    : Transaction(connection.database(), connection.isServer(), std::move(failure))
{
}

Transaction::Transaction(QSqlDatabase& database, QString failure)
    : Transaction(database, isServerDatabase(database), std::move(failure))
{
}

Transaction::Transaction(QSqlDatabase& database, bool server, QString failure)
    : m_database(database), m_server(server), m_failure(std::move(failure))
{
    const QString beginText = server ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE");
    db::Query begin(m_database, m_failure);
    if (!begin.tryRun(beginText) && server) {
        // A server connection that was lost (the server restarted, the network came back)
        // is opened once more before the write is given up.
        if (const QString reason = openServerSession(m_database); !reason.isEmpty())
            throw DbError(m_failure +
                          QStringLiteral(": the connection to the database server was lost and "
                                         "cannot be made again: ") +
                          reason +
                          QCoreApplication::translate("Transaction", ". Nothing was saved."));
        begin = db::Query(m_database, m_failure);
        begin.tryRun(beginText);
    }
    if (!begin.ok())
        throw DbError(m_failure + QStringLiteral(": ") + begin.engineText() +
                      QCoreApplication::translate("Transaction", ". Nothing was saved."));
    m_open = true;
    if (server) {
        // One writer at a time, as on a file: checks made inside the transaction (a number
        // that must be free, a row that must be unchanged) hold until the commit. The turn is
        // the row of ardentry_turn, which only those who may change the articles may lock (a
        // reader takes none: its write fails on the articles themselves).
        db::Query lock(m_database, m_failure);
        QString take = QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kWriterLock);
        if (lock.tryRun(QStringLiteral("SELECT CASE WHEN to_regclass('ardentry_turn') IS NULL "
                                       "THEN 0 WHEN has_table_privilege(to_regclass('ar'), "
                                       "'INSERT, UPDATE, DELETE') THEN 1 ELSE 2 END")) &&
            lock.next() && lock.value(0).toInt() != 0)
            take = lock.value(0).toInt() == 1
                       ? QStringLiteral("SELECT 1 FROM ardentry_turn FOR UPDATE")
                       : QString();
        if (!take.isEmpty() && !lock.tryRun(take))
            fail(lock);
    }
    const QString writer = writerName(m_database.connectionName());
    if (writer.isEmpty())
        return;
    db::Query name(m_database, m_failure);
    if (server) {
        // The name lives as long as the transaction; the server's triggers read it.
        if (!name.tryRun(QStringLiteral("SELECT set_config('ardentry.writer', ?, true)"), {writer}))
            fail(name);
    } else {
        // A file without the table records no name.
        m_writerSet = name.tryRun(QStringLiteral("INSERT OR REPLACE INTO ardentry_writer "
                                                 "(slot, name) VALUES (1, ?)"),
                                  {writer});
    }
}

void Transaction::fail(const db::Query& query)
{
    const QString reason = query.reason();
    rollback();
    throw DbError(m_failure + QStringLiteral(": ") + reason +
                  QCoreApplication::translate("Transaction", ". Nothing was saved."));
}

Transaction::~Transaction()
{
    rollback();
}

void Transaction::rollback()
{
    if (!m_open)
        return;
    m_open = false;
    // Nothing is left to save when even this fails: the session ended the transaction.
    db::Query(m_database, m_failure).tryRun(QStringLiteral("ROLLBACK"));
}

void Transaction::commit()
{
    if (m_writerSet) {
        // The name never outlives the transaction: another program's later write must not
        // find it.
        db::Query clear(m_database, m_failure);
        if (!clear.tryRun(QStringLiteral("DELETE FROM ardentry_writer")))
            fail(clear);
        m_writerSet = false;
    }
    db::Query commit(m_database, m_failure);
    if (commit.tryRun(QStringLiteral("COMMIT"))) {
        m_open = false;
        return;
    }
    const QString reason = commit.engineText();
    // A failed COMMIT on a connection that still answers ended the transaction without saving
    // it. A connection that no longer answers may have lost the answer to a COMMIT that landed.
    const auto answers = [this] {
        return m_database.isOpen() &&
               db::Query(m_database, m_failure).tryRun(QStringLiteral("SELECT 1"));
    };
    if (m_server && !answers()) {
        m_open = false;
        throw DbError(DbError::Kind::CommitUnknown,
                      m_failure +
                          QCoreApplication::translate(
                              "Transaction", ": the connection to the database server was lost "
                                             "while the changes were committed (") +
                          reason +
                          QCoreApplication::translate("Transaction",
                                                      "); they may or may not have been saved."));
    }
    rollback();
    throw DbError(m_failure + QStringLiteral(": ") + reason +
                  QCoreApplication::translate("Transaction", ". Nothing was saved."));
}
