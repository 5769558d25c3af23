// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/db/Engine.h"

namespace db
{

// A database on a PostgreSQL server: a lost connection is made again, writers take turns on the
// row of ardentry_turn (an advisory lock before that table exists), the history's triggers read
// the writer from a setting of the transaction, the additions in the table ardentry_schema.
// Large binary values travel through the driver's own libpq connection in binary form.
class PostgresEngine final : public Engine
{
public:
    Kind kind() const override { return Kind::Server; }
    QString name() const override;
    QString version(const QSqlDatabase& database) const override;
    QString prepareSession(QSqlDatabase& database) const override;
    bool reconnects() const override { return true; }
    QString reopen(QSqlDatabase& database) const override;
    QPair<qint64, qint64> changeStamp(QSqlDatabase& database, qint64& counter) const override;
    QString beginText() const override;
    bool takeTurn(Query& query) const override;
    bool nameWriter(Query& query, const QString& writer, bool& clearAtCommit) const override;
    QString clearWriterText() const override;
    bool mayLoseCommitAnswer() const override { return true; }
    QString fingerprint(const QStringList& quotedColumns) const override;
    QString sameAs() const override;
    QString utcText(const QString& column) const override;
    QString onlyWholeNumbers(const QString& column) const override;
    bool matchesPatterns() const override { return false; }
    QString tableText(const QString& fileTableText) const override;
    QString articleNumberIndexText() const override;
    QStringList bulkFillSettings() const override { return {}; }
    void addWritersTurn(QSqlDatabase& database) const override;
    QString beginSnapshotText() const override;
    QString columnsText() const override;
    bool typedColumns() const override { return true; }
    bool keepsZeroInText() const override { return false; }
    QString keysAfterText(const QString& table, const QString& key) const override;
    bool keepsCopies() const override { return false; }
    qint64 insertBytes(QSqlDatabase& database, const QString& failure, const QString& insert,
                       const QString& key, const QVariantList& binds) const override;
    QList<QByteArrayList> selectBytes(QSqlDatabase& database, const QString& failure,
                                      const QString& select,
                                      const QVariantList& binds) const override;
    std::vector<qint64> wholeNumbers(QSqlDatabase& database, const QString& failure,
                                     const QString& select) const override;
    bool runStoppable(QSqlDatabase& database, const QString& failure, const QString& sql,
                      const std::function<bool()>& goOn) const override;
    int additions(Query& query) const override;
    void recordAdditions(Query& query, int additions) const override;

protected:
    bool returnsKeys() const override { return true; }
};

} // namespace db
