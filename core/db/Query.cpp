// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/db/Query.h"

#include "core/DbError.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSqlError>

#include <utility>

QString engineReason(const QSqlError& error)
{
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text().trimmed() : text;
}

QString serverWords(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    if (code != QLatin1String("42501") && code != QLatin1String("55P03"))
        return engineReason(error);
    // "ERROR:  permission denied for table ar\n(42501)", perhaps with a CONTEXT line: the
    // server's first sentence alone.
    static const QRegularExpression frame(QStringLiteral("^(ERROR|FATAL):\\s*"));
    const QString said =
        engineReason(error).remove(frame).section(QLatin1Char('\n'), 0, 0).trimmed();
    if (code == QLatin1String("55P03"))
        return QCoreApplication::translate(
                   "Transaction", "Another session holds the database for writing; try again. The "
                                  "server said: %1")
            .arg(said);
    static const QRegularExpression table(
        QStringLiteral("permission denied for (?:table|relation) \"?([^\"\\s]+)"));
    const QString name = table.match(said).captured(1);
    QString words;
    if (name.compare(QLatin1String("ar"), Qt::CaseInsensitive) == 0)
        words = QCoreApplication::translate("Transaction",
                                            "You may read the articles but not change them");
    else if (name == QLatin1String("ardentry_turn"))
        words = QCoreApplication::translate(
            "Transaction", "You may change the articles but not yet take your turn to write: "
                           "the owner of the database gives it by opening the database");
    else if (!name.isEmpty())
        words = QCoreApplication::translate("Transaction", "You may not change the table \"%1\"")
                    .arg(name);
    else
        words =
            QCoreApplication::translate("Transaction", "The server does not allow you to do this");
    return words +
           QCoreApplication::translate("Transaction", " (the server refused: %1)").arg(said);
}

db::Query::Query(QSqlDatabase& database, QString failure)
    : m_query(database), m_failure(std::move(failure))
{
    m_query.setForwardOnly(true);
}

bool db::Query::tryRun(const QString& sql, const QVariantList& binds)
{
    if (binds.isEmpty()) {
        m_ok = m_query.exec(sql);
    } else {
        m_ok = m_query.prepare(sql);
        for (const QVariant& value : binds)
            m_query.addBindValue(value);
        m_ok = m_ok && m_query.exec();
    }
    return m_ok;
}

db::Query& db::Query::run(const QString& sql, const QVariantList& binds)
{
    if (!tryRun(sql, binds))
        fail();
    return *this;
}

db::Query& db::Query::prepare(const QString& sql)
{
    if (!tryPrepare(sql))
        fail();
    return *this;
}

db::Query& db::Query::exec(const QVariantList& binds)
{
    if (!tryExec(binds))
        fail();
    return *this;
}

bool db::Query::tryPrepare(const QString& sql)
{
    m_ok = m_query.prepare(sql);
    return m_ok;
}

bool db::Query::tryExec(const QVariantList& binds)
{
    for (const QVariant& value : binds)
        m_query.addBindValue(value);
    m_ok = m_query.exec();
    return m_ok;
}

bool db::Query::next()
{
    if (m_query.next())
        return true;
    if (m_query.lastError().type() != QSqlError::NoError)
        fail();
    return false;
}

QVariant db::Query::scalar()
{
    return next() ? m_query.value(0) : QVariant();
}

QString db::Query::reason() const
{
    return serverWords(m_query.lastError());
}

QString db::Query::engineText() const
{
    return engineReason(m_query.lastError());
}

void db::Query::fail() const
{
    throw DbError(m_failure + QStringLiteral(": ") + reason() + QLatin1Char('.'));
}

QVariant db::scalar(QSqlDatabase& database, const QString& failure, const QString& sql,
                    const QVariantList& binds)
{
    return Query(database, failure).run(sql, binds).scalar();
}
