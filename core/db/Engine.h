// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayList>
#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QSqlQuery;

namespace db
{

class Query;

// What differs between the kinds of database the program keeps its articles in: an SQLite file
// (SqliteEngine) and a database on a PostgreSQL server (PostgresEngine). There is one object per
// kind; a Connection holds its own, a bare handle finds it with of(). Features ask the engine
// for the statement or the behaviour they need and never test which kind they are on; a feature
// whose statements differ through and through keeps one set per kind and lets pick() choose.
class Engine
{
public:
    enum class Kind { File, Server };

    virtual ~Engine() = default;

    static const Engine& file();
    static const Engine& server();
    // The engine of a handle, by its driver.
    static const Engine& of(const QSqlDatabase& database);

    virtual Kind kind() const = 0;
    // A feature's own variant for this engine (its statements, its steps).
    template <typename T> const T& pick(const T& onFile, const T& onServer) const
    {
        return kind() == Kind::Server ? onServer : onFile;
    }

    // ---- The session ----
    // "SQLite" or "PostgreSQL".
    virtual QString name() const = 0;
    // The engine's own version text, e.g. "3.40.1"; empty when a server does not say.
    virtual QString version(const QSqlDatabase& database) const = 0;
    // Sets up an open connection as every connection of the program has it (a file's functions
    // and collation, a server's lock timeout). Returns the reason when it cannot, else the empty
    // text; the connection is then closed.
    virtual QString prepareSession(QSqlDatabase& database) const = 0;
    // Whether a connection that was lost can be opened again (a server's can).
    virtual bool reconnects() const = 0;
    // Opens a lost connection again and sets up its session; the reason when it cannot.
    virtual QString reopen(QSqlDatabase& database) const = 0;
    // After a command failed: whether the connection was lost and could be opened again (false
    // for an engine that does not reconnect, or a connection that still answers); `failure`
    // gets the reason when it could not.
    bool revive(QSqlDatabase& database, QString& failure) const;
    // Changes when anything wrote the database since the last call that returned the same
    // value. `counter` is the connection's own, for an engine that cannot tell.
    virtual QPair<qint64, qint64> changeStamp(QSqlDatabase& database, qint64& counter) const = 0;

    // ---- Writing ----
    // The statement that begins a write transaction.
    virtual QString beginText() const = 0;
    // Right after BEGIN: waits for the writer's turn, so checks made inside the transaction
    // hold until the commit. False when it fails (the reason in the query).
    virtual bool takeTurn(Query& query) const = 0;
    // Names the writer for the history's triggers. False when it fails; `clearAtCommit` tells
    // whether the name must be taken away before the commit.
    virtual bool nameWriter(Query& query, const QString& writer, bool& clearAtCommit) const = 0;
    // The statement that takes the name away again (see nameWriter).
    virtual QString clearWriterText() const = 0;
    // Whether a COMMIT whose answer was lost with the connection may have landed all the same.
    virtual bool mayLoseCommitAnswer() const = 0;
    // An INSERT statement made to tell the row key of its new row, and that key after it ran.
    QString insertGivingKey(const QString& insert, const QString& key) const;
    qint64 insertedKey(QSqlQuery& query) const;
    qint64 insertedKey(Query& query) const;

    // ---- Reading ----
    // An expression of the columns that changes whenever one of their values does (text as its
    // bytes, Null apart from empty text), for finding changes by others.
    virtual QString fingerprint(const QStringList& quotedColumns) const = 0;
    // The operator that compares two values with Null equal to Null.
    virtual QString sameAs() const = 0;
    // A stored moment of `column` as "yyyy-MM-dd HH:mm:ss.zzz" in UTC.
    virtual QString utcText(const QString& column) const = 0;
    // The condition, with a leading " WHERE", that keeps the rows whose `column` holds a whole
    // number; empty when the column holds nothing else.
    virtual QString onlyWholeNumbers(const QString& column) const = 0;
    // Whether the engine runs the program's text and number patterns itself (a file has them as
    // functions); otherwise the values are read and compared by the program.
    virtual bool matchesPatterns() const = 0;

    // ---- Large binary values (pictures) ----
    // Runs an INSERT whose values (the driver's "?" marks) hold large binary values, as
    // QByteArray, in the caller's transaction, and gives the row key `key` of the new row (0
    // when `key` is empty). A server receives those values as they are, not as the hexadecimal
    // text the driver makes of them. Throws DbError: `failure`, ": ", the reason in words, ".".
    virtual qint64 insertBytes(QSqlDatabase& database, const QString& failure,
                               const QString& insert, const QString& key,
                               const QVariantList& binds) const;
    // The rows of a SELECT of binary values and texts, each value as its bytes (a text as
    // UTF-8, Null as a null array); a server sends the binary values as they are. Throws as
    // insertBytes().
    virtual QList<QByteArrayList> selectBytes(QSqlDatabase& database, const QString& failure,
                                              const QString& select,
                                              const QVariantList& binds) const;
    // The first column of a SELECT of whole numbers (row keys), read the cheapest way the
    // engine has; a Null reads as 0. Throws as insertBytes().
    virtual std::vector<qint64> wholeNumbers(QSqlDatabase& database, const QString& failure,
                                             const QString& select) const;

    // Runs one statement that gives no rows and may take minutes (making an index) in the
    // caller's transaction, asking `goOn()` about ten times a second while the engine works on it;
    // once that returns false the statement is stopped. False when it was stopped: the
    // transaction must then be rolled back. Throws DbError as insertBytes(). An engine that
    // cannot stop a statement asks once, before it.
    virtual bool runStoppable(QSqlDatabase& database, const QString& failure, const QString& sql,
                              const std::function<bool()>& goOn) const;

    // Whether the program keeps copies of the database (a file's); a server's are its
    // administrator's.
    virtual bool keepsCopies() const = 0;

    // ---- Making and copying a database ----
    // A table of the article database as this engine makes it, from the statement that makes it
    // in a file.
    virtual QString tableText(const QString& fileTableText) const = 0;
    // The index that finds an article by its number.
    virtual QString articleNumberIndexText() const = 0;
    // Settings for filling a new database in one go, which is removed when anything fails.
    virtual QStringList bulkFillSettings() const = 0;
    // Makes what writers take turns by in a new database, inside its transaction.
    virtual void addWritersTurn(QSqlDatabase& database) const = 0;
    // The statement that begins reading a whole database as one snapshot.
    virtual QString beginSnapshotText() const = 0;
    // A statement giving the name (lower case) and type of each column of the table bound to
    // it, in their order, without a hidden row key.
    virtual QString columnsText() const = 0;
    // Whether every value of a column has the column's type (a file keeps any value anywhere).
    virtual bool typedColumns() const = 0;
    // Whether a text may hold the character zero.
    virtual bool keepsZeroInText() const = 0;
    // After rows were written with their own keys: the statement that makes keys given later
    // follow them; empty when nothing is needed.
    virtual QString keysAfterText(const QString& table, const QString& key) const = 0;

    // ---- The additions of the program (schema::Addition bits) ----
    virtual int additions(Query& query) const = 0;
    virtual void recordAdditions(Query& query, int additions) const = 0;

protected:
    virtual bool returnsKeys() const = 0;
};

} // namespace db
