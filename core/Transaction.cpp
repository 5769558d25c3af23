#include "core/Transaction.h"

#include "core/DbError.h"

#include <QHash>
#include <QMutex>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <utility>

namespace
{
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
    const bool sqlite = m_database.driverName() == QLatin1String("QSQLITE");
    QSqlQuery begin(m_database);
    if (!begin.exec(sqlite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN")))
        throw DbError(m_failure + QStringLiteral(": ") + engineReason(begin.lastError()) +
                      QStringLiteral(". Nothing was saved."));
    m_open = true;
    const QString writer = writerName(m_database.connectionName());
    if (!writer.isEmpty()) {
        QSqlQuery name(m_database);
        name.prepare(QStringLiteral("INSERT OR REPLACE INTO ardentry_writer (slot, name) "
                                    "VALUES (1, ?)"));
        name.addBindValue(writer);
        m_writerSet = name.exec(); // a file without the table records no name
    }
}

Transaction::~Transaction()
{
    if (!m_open)
        return;
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
            throw DbError(m_failure + QStringLiteral(": ") + engineReason(clear.lastError()) +
                          QStringLiteral(". Nothing was saved."));
        m_writerSet = false;
    }
    QSqlQuery commit(m_database);
    if (!commit.exec(QStringLiteral("COMMIT")))
        throw DbError(m_failure + QStringLiteral(": ") + engineReason(commit.lastError()) +
                      QStringLiteral(". Nothing was saved."));
    m_open = false;
}
