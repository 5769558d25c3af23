#include "core/Transaction.h"

#include "core/Connection.h"
#include "core/DbError.h"

#include <QHash>
#include <QMutex>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <utility>

namespace
{
// The advisory lock every writer of a server database takes for its transaction.
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

QString engineReason(const QSqlError& error)
{
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text().trimmed() : text;
}

Transaction::Transaction(QSqlDatabase& database, QString failure)
    : m_database(database), m_failure(std::move(failure))
{
    const bool server = isServerDatabase(m_database);
    const QString beginText = server ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE");
    QSqlQuery begin(m_database);
    bool begun = begin.exec(beginText);
    if (!begun && server) {
        // A server connection that was lost (the server restarted, the network came back)
        // is opened once more before the write is given up.
        if (const QString reason = openServerSession(m_database); !reason.isEmpty())
            throw DbError(m_failure +
                          QStringLiteral(": the connection to the database server was lost and "
                                         "cannot be made again: ") +
                          reason + QStringLiteral(". Nothing was saved."));
        QSqlQuery again(m_database);
        begun = again.exec(beginText);
        if (!begun)
            begin = std::move(again);
    }
    if (!begun)
        throw DbError(m_failure + QStringLiteral(": ") + engineReason(begin.lastError()) +
                      QStringLiteral(". Nothing was saved."));
    m_open = true;
    if (server) {
        // One writer at a time, as on a file: checks made inside the transaction (a number
        // that must be free, a row that must be unchanged) hold until the commit.
        QSqlQuery lock(m_database);
        if (!lock.exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kWriterLock)))
            fail(lock);
    }
    const QString writer = writerName(m_database.connectionName());
    if (server && !writer.isEmpty()) {
        // The name lives as long as the transaction; the server's triggers read it.
        QSqlQuery name(m_database);
        if (!name.prepare(QStringLiteral("SELECT set_config('ardentry.writer', ?, true)")))
            fail(name);
        name.addBindValue(writer);
        if (!name.exec())
            fail(name);
    } else if (!server && !writer.isEmpty()) {
        QSqlQuery name(m_database);
        // A file without the table records no name.
        m_writerSet = name.prepare(QStringLiteral("INSERT OR REPLACE INTO ardentry_writer "
                                                  "(slot, name) VALUES (1, ?)"));
        if (m_writerSet) {
            name.addBindValue(writer);
            m_writerSet = name.exec();
        }
    }
}

void Transaction::fail(const QSqlQuery& query)
{
    const QString reason = engineReason(query.lastError());
    rollback();
    throw DbError(m_failure + QStringLiteral(": ") + reason +
                  QStringLiteral(". Nothing was saved."));
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
    QSqlQuery rollback(m_database);
    rollback.exec(QStringLiteral("ROLLBACK"));
}

void Transaction::commit()
{
    if (m_writerSet) {
        // The name never outlives the transaction: another program's later write must not
        // find it.
        QSqlQuery clear(m_database);
        if (!clear.exec(QStringLiteral("DELETE FROM ardentry_writer")))
            fail(clear);
        m_writerSet = false;
    }
    QSqlQuery commit(m_database);
    if (commit.exec(QStringLiteral("COMMIT"))) {
        m_open = false;
        return;
    }
    const QString reason = engineReason(commit.lastError());
    // A failed COMMIT on a connection that still answers ended the transaction without saving
    // it. A connection that no longer answers may have lost the answer to a COMMIT that landed.
    const auto answers = [this] {
        QSqlQuery probe(m_database);
        return m_database.isOpen() && probe.exec(QStringLiteral("SELECT 1"));
    };
    if (isServerDatabase(m_database) && !answers()) {
        m_open = false;
        throw DbError(DbError::Kind::CommitUnknown,
                      m_failure +
                          QStringLiteral(": the connection to the database server was lost "
                                         "while the changes were committed (") +
                          reason + QStringLiteral("); they may or may not have been saved."));
    }
    rollback();
    throw DbError(m_failure + QStringLiteral(": ") + reason +
                  QStringLiteral(". Nothing was saved."));
}
