#include "core/Schema.h"

#include "core/Connection.h"
#include "core/DbError.h"
#include "core/Transaction.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>

int schema::additions(QSqlDatabase& database)
{
    QSqlQuery query(database);
    if (isServerDatabase(database)) {
        // A server database keeps the bits in a one-row table of its own.
        // (A failed statement would end the transaction around it: look before reading.)
        if (!query.exec(QStringLiteral("SELECT to_regclass('ardentry_schema') IS NOT NULL")) ||
            !query.next())
            throw DbError(QCoreApplication::translate(
                              "Schema", "Cannot read the version of the database: %1.")
                              .arg(engineReason(query.lastError())));
        if (!query.value(0).toBool())
            return 0;
        if (!query.exec(QStringLiteral("SELECT COALESCE(MAX(additions), 0) FROM "
                                       "ardentry_schema")) ||
            !query.next())
            throw DbError(QCoreApplication::translate(
                              "Schema", "Cannot read the version of the database: %1.")
                              .arg(engineReason(query.lastError())));
        return query.value(0).toInt();
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        throw DbError(
            QCoreApplication::translate("Schema", "Cannot read the version of the database: %1.")
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
    if (isServerDatabase(database)) {
        if (!query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS ardentry_schema (additions "
                                       "integer NOT NULL)")) ||
            !query.exec(QStringLiteral("DELETE FROM ardentry_schema")) ||
            !query.exec(QStringLiteral("INSERT INTO ardentry_schema VALUES (%1)").arg(now)))
            throw DbError(QCoreApplication::translate(
                              "Schema", "Cannot record the version of the database: %1.")
                              .arg(engineReason(query.lastError())));
        return;
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(now)))
        throw DbError(
            QCoreApplication::translate("Schema", "Cannot record the version of the database: %1.")
                .arg(engineReason(query.lastError())));
}

QString schema::serverSchema(QSqlDatabase& database)
{
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("SELECT quote_ident(current_schema())")) || !query.next())
        throw DbError(
            QCoreApplication::translate("Schema", "Cannot read the schema of the database: %1.")
                .arg(engineReason(query.lastError())));
    if (query.isNull(0))
        throw DbError(QCoreApplication::translate(
            "Schema", "Cannot read the schema of the database: no schema is in "
                      "use."));
    return query.value(0).toString();
}
