// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Transaction.h"

#include "core/Connection.h"
#include "core/DbError.h"

#include <QCoreApplication>

#include <utility>

Transaction::Transaction(Connection& connection, QString failure)
    : Transaction(connection.database(), connection.engine(), connection.writerName(),
                  std::move(failure))
{
}

namespace
{
QString writerOf(const QSqlDatabase& database)
{
    const Connection* owner = Connection::owning(database);
    return owner ? owner->writerName() : QString();
}
} // namespace

Transaction::Transaction(QSqlDatabase& database, QString failure)
    : Transaction(database, db::Engine::of(database), writerOf(database), std::move(failure))
{
}

Transaction::Transaction(QSqlDatabase& database, const db::Engine& engine, const QString& writer,
                         QString failure)
    : m_database(database), m_engine(engine), m_failure(std::move(failure))
{
    const QString beginText = m_engine.beginText();
    db::Query begin(m_database, m_failure);
    if (!begin.tryRun(beginText) && m_engine.reconnects()) {
        // A server connection that was lost (the server restarted, the network came back)
        // is opened once more before the write is given up.
        if (const QString reason = m_engine.reopen(m_database); !reason.isEmpty())
            throw DbError(
                m_failure +
                QCoreApplication::translate("Transaction",
                                            ": the connection to the database server was lost and "
                                            "cannot be made again: ") +
                reason + QCoreApplication::translate("Transaction", ". Nothing was saved."));
        begin = db::Query(m_database, m_failure);
        begin.tryRun(beginText);
    }
    if (!begin.ok())
        throw DbError(m_failure + QStringLiteral(": ") + begin.engineText() +
                      QCoreApplication::translate("Transaction", ". Nothing was saved."));
    m_open = true;
    db::Query lock(m_database, m_failure);
    if (!m_engine.takeTurn(lock))
        fail(lock);
    if (writer.isEmpty())
        return;
    db::Query name(m_database, m_failure);
    if (!m_engine.nameWriter(name, writer, m_writerSet))
        fail(name);
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
        if (!clear.tryRun(m_engine.clearWriterText()))
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
    if (m_engine.mayLoseCommitAnswer() && !answers()) {
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
