// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/db/Engine.h"

#include "core/db/PostgresEngine.h"
#include "core/db/Query.h"
#include "core/db/SqliteEngine.h"

#include <QSqlQuery>

const db::Engine& db::Engine::file()
{
    static const SqliteEngine engine;
    return engine;
}

const db::Engine& db::Engine::server()
{
    static const PostgresEngine engine;
    return engine;
}

const db::Engine& db::Engine::of(const QSqlDatabase& database)
{
    return database.driverName() == QLatin1String("QPSQL") ? server() : file();
}

bool db::Engine::revive(QSqlDatabase& database, QString& failure) const
{
    if (!reconnects() || !database.isValid())
        return false;
    if (database.isOpen() && QSqlQuery(database).exec(QStringLiteral("SELECT 1")))
        return false;
    failure = reopen(database);
    return failure.isEmpty();
}

QString db::Engine::insertGivingKey(const QString& insert, const QString& key) const
{
    return returnsKeys() ? insert + QStringLiteral(" RETURNING ") + key : insert;
}

qint64 db::Engine::insertedKey(QSqlQuery& query) const
{
    if (!returnsKeys())
        return query.lastInsertId().toLongLong();
    return query.next() ? query.value(0).toLongLong() : 0;
}

qint64 db::Engine::insertedKey(Query& query) const
{
    if (!returnsKeys())
        return query.lastInsertId().toLongLong();
    return query.next() ? query.value(0).toLongLong() : 0;
}

qint64 db::Engine::insertBytes(QSqlDatabase& database, const QString& failure,
                               const QString& insert, const QString& key,
                               const QVariantList& binds) const
{
    Query query(database, failure);
    if (key.isEmpty()) {
        query.run(insert, binds);
        return 0;
    }
    query.run(insertGivingKey(insert, key), binds);
    return insertedKey(query);
}

std::vector<qint64> db::Engine::wholeNumbers(QSqlDatabase& database, const QString& failure,
                                             const QString& select) const
{
    std::vector<qint64> numbers;
    Query query(database, failure);
    query.run(select);
    while (query.next())
        numbers.push_back(query.value(0).toLongLong());
    return numbers;
}

QList<QByteArrayList> db::Engine::selectBytes(QSqlDatabase& database, const QString& failure,
                                              const QString& select,
                                              const QVariantList& binds) const
{
    QList<QByteArrayList> rows;
    Query query(database, failure);
    query.run(select, binds);
    const int columns = query.record().count();
    while (query.next()) {
        QByteArrayList row;
        for (int column = 0; column < columns; ++column)
            row << (query.isNull(column) ? QByteArray() : query.value(column).toByteArray());
        rows << row;
    }
    return rows;
}

bool db::Engine::runStoppable(QSqlDatabase& database, const QString& failure, const QString& sql,
                              const std::function<bool()>& goOn) const
{
    if (!goOn())
        return false;
    Query(database, failure).run(sql);
    return true;
}
