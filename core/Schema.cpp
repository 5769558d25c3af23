#include "core/Schema.h"

#include "core/DbError.h"
#include "core/Transaction.h"

#include <QSqlError>
#include <QSqlQuery>

int schema::additions(QSqlDatabase& database)
{
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        throw DbError(QStringLiteral("Cannot read the version of the database: %1.")
                          .arg(engineReason(query.lastError())));
    return query.value(0).toInt();
}

bool schema::has(QSqlDatabase& database, Addition addition)
{
    return (additions(database) & addition) != 0;
}

void schema::markAdded(QSqlDatabase& database, Addition addition)
{
    const int now = additions(database) | addition;
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(now)))
        throw DbError(QStringLiteral("Cannot record the version of the database: %1.")
                          .arg(engineReason(query.lastError())));
}
