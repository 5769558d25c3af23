#include "core/Schema.h"

#include "core/Connection.h"
#include "core/DbError.h"
#include "core/Transaction.h"

namespace
{
const QString kReadFailure = QStringLiteral("Cannot read the version of the database");
} // namespace

int schema::additions(QSqlDatabase& database)
{
    db::Query query(database, kReadFailure);
    if (isServerDatabase(database)) {
        // A server database keeps the bits in a one-row table of its own.
        // (A failed statement would end the transaction around it: look before reading.)
        if (!query.run(QStringLiteral("SELECT to_regclass('ardentry_schema') IS NOT NULL"))
                 .scalar()
                 .toBool())
            return 0;
        return query.run(QStringLiteral("SELECT COALESCE(MAX(additions), 0) FROM ardentry_schema"))
            .scalar()
            .toInt();
    }
    return query.run(QStringLiteral("PRAGMA user_version")).scalar().toInt();
}

bool schema::has(QSqlDatabase& database, Addition addition)
{
    return (additions(database) & addition) != 0;
}

void schema::markAdded(QSqlDatabase& database, Addition addition)
{
    const int now = additions(database) | addition;
    db::Query query(database, QStringLiteral("Cannot record the version of the database"));
    if (isServerDatabase(database)) {
        query.run(QStringLiteral("CREATE TABLE IF NOT EXISTS ardentry_schema (additions integer "
                                 "NOT NULL)"));
        query.run(QStringLiteral("DELETE FROM ardentry_schema"));
        query.run(QStringLiteral("INSERT INTO ardentry_schema VALUES (%1)").arg(now));
        return;
    }
    query.run(QStringLiteral("PRAGMA user_version = %1").arg(now));
}

QString schema::serverSchema(QSqlDatabase& database)
{
    const QVariant name =
        db::scalar(database, QStringLiteral("Cannot read the schema of the database"),
                   QStringLiteral("SELECT quote_ident(current_schema())"));
    if (name.isNull())
        throw DbError(QStringLiteral("Cannot read the schema of the database: no schema is in "
                                     "use."));
    return name.toString();
}
