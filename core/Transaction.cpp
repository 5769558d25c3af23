#include "core/Transaction.h"

#include "core/DbError.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <utility>

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
    QSqlQuery commit(m_database);
    if (!commit.exec(QStringLiteral("COMMIT")))
        throw DbError(m_failure + QStringLiteral(": ") + engineReason(commit.lastError()) +
                      QStringLiteral(". Nothing was saved."));
    m_open = false;
}
