// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Schema.h"

#include "core/DbError.h"
#include "core/Transaction.h"
#include "core/db/Engine.h"
#include "core/db/Query.h"

#include <QCoreApplication>

namespace
{
QString readFailure()
{
    return QCoreApplication::translate("Schema", "Cannot read the version of the database");
}
} // namespace

int schema::additions(QSqlDatabase& database)
{
    db::Query query(database, readFailure());
    return db::Engine::of(database).additions(query);
}

bool schema::has(QSqlDatabase& database, Addition addition)
{
    return (additions(database) & addition) != 0;
}

void schema::markAdded(QSqlDatabase& database, Addition addition)
{
    const int now = additions(database) | addition;
    db::Query query(database, QCoreApplication::translate(
                                  "Schema", "Cannot record the version of the database"));
    db::Engine::of(database).recordAdditions(query, now);
}

QString schema::serverSchema(QSqlDatabase& database)
{
    const QVariant name = db::scalar(
        database, QCoreApplication::translate("Schema", "Cannot read the schema of the database"),
        QStringLiteral("SELECT quote_ident(current_schema())"));
    if (name.isNull())
        throw DbError(QCoreApplication::translate(
            "Schema", "Cannot read the schema of the database: no schema is in "
                      "use."));
    return name.toString();
}
