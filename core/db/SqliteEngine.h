// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/db/Engine.h"

struct sqlite3;

namespace db
{

// Registers the program's FTS5 tokenizer "ardentry_pairs" (each two neighbouring words of a text
// as one token) on a connection; SQLITE_OK or the engine's error code. prepareSession does it.
int registerWordPairs(sqlite3* handle);

// An SQLite file: one writer at a time by BEGIN IMMEDIATE, the program's text functions and
// collation registered on each connection, the additions in PRAGMA user_version.
class SqliteEngine final : public Engine
{
public:
    Kind kind() const override { return Kind::File; }
    QString name() const override;
    QString version(const QSqlDatabase& database) const override;
    QString prepareSession(QSqlDatabase& database) const override;
    bool reconnects() const override { return false; }
    QString reopen(QSqlDatabase& database) const override;
    QPair<qint64, qint64> changeStamp(QSqlDatabase& database, qint64& counter) const override;
    QString beginText() const override;
    bool takeTurn(Query& query) const override;
    bool nameWriter(Query& query, const QString& writer, bool& clearAtCommit) const override;
    QString clearWriterText() const override;
    bool mayLoseCommitAnswer() const override { return false; }
    QString fingerprint(const QStringList& quotedColumns) const override;
    QString sameAs() const override;
    QString utcText(const QString& column) const override;
    QString onlyWholeNumbers(const QString& column) const override;
    bool matchesPatterns() const override { return true; }
    bool keepsCopies() const override { return true; }
    QString tableText(const QString& fileTableText) const override { return fileTableText; }
    QString articleNumberIndexText() const override;
    QStringList bulkFillSettings() const override;
    void addWritersTurn(QSqlDatabase&) const override {}
    QString beginSnapshotText() const override;
    QString columnsText() const override;
    bool typedColumns() const override { return false; }
    bool keepsZeroInText() const override { return true; }
    QString keysAfterText(const QString&, const QString&) const override { return QString(); }
    int additions(Query& query) const override;
    void recordAdditions(Query& query, int additions) const override;

protected:
    bool returnsKeys() const override { return false; }
};

} // namespace db
