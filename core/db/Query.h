// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

class QSqlDatabase;
class QSqlError;

// The engine's own words for a failure: its database text, else the driver's text.
QString engineReason(const QSqlError& error);
// A failure in the user's words first and the engine's text after, for a server's refusal (no
// right to a table) or a lock waited for too long: "You may read the articles but not change
// them (the server refused: permission denied for table ar)". Otherwise engineReason().
QString serverWords(const QSqlError& error);

namespace db
{

// The one way the program runs SQL: a statement is prepared, given its values, run and checked.
// Every failure throws DbError: `failure` (what the user wanted, e.g. "The article numbers
// cannot be read"), ": ", the reason in words (serverWords) and ".".
class Query
{
public:
    Query(QSqlDatabase& database, QString failure);

    // Runs one statement with its values. A statement without values runs as it stands: a
    // server prepares no table, function or trigger statement.
    Query& run(const QString& sql, const QVariantList& binds = {});
    // Likewise, but a failure returns false (the reason in reason()) for a caller that words it
    // itself or goes on without.
    bool tryRun(const QString& sql, const QVariantList& binds = {});
    // A statement run many times: prepared once, then run with each set of values.
    Query& prepare(const QString& sql);
    Query& exec(const QVariantList& binds);
    // Likewise, but a failure returns false for a caller that words it itself.
    bool tryPrepare(const QString& sql);
    bool tryExec(const QVariantList& binds);

    // The next row; false after the last. A failure to read throws.
    bool next();
    // Likewise, but false also when the row cannot be read (the reason in lastError()).
    bool tryNext() { return m_query.next(); }
    QVariant value(int column) const { return m_query.value(column); }
    bool isNull(int column) const { return m_query.isNull(column); }
    int rowsAffected() const { return m_query.numRowsAffected(); }
    QVariant lastInsertId() const { return m_query.lastInsertId(); }
    // The columns of the result.
    QSqlRecord record() const { return m_query.record(); }
    // The first value of the next row, or an invalid QVariant when there is none.
    QVariant scalar();
    void finish() { m_query.finish(); }

    // Whether the last statement ran.
    bool ok() const { return m_ok; }
    // Why the last statement failed, in words.
    QString reason() const;
    // The engine's own text for it (engineReason), for a message that words it itself.
    QString engineText() const;
    // The engine's error as the driver gives it, for a message that words it itself.
    QSqlError lastError() const { return m_query.lastError(); }
    [[noreturn]] void fail() const;

private:
    QSqlQuery m_query;
    QString m_failure;
    bool m_ok = false;
};

// Runs one statement and gives the first value of its first row (invalid for none).
QVariant scalar(QSqlDatabase& database, const QString& failure, const QString& sql,
                const QVariantList& binds = {});

} // namespace db
