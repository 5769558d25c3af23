#pragma once

#include "core/DbError.h"

#include <QPair>
#include <QSqlDatabase>
#include <QString>

// The one connection to the article database: an existing SQLite file, opened for reading and
// writing. Opening never creates a file. Every record set of the program works through one of
// these.
class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the database file at `path`. Throws DbError (NotFound for a missing file,
    // NotADatabase for a file that is not an SQLite database, General otherwise).
    void open(const QString& path);
    bool isOpen() const;
    void close();

    const QString& path() const { return m_path; }
    // What happened to the database file since it was opened, in words: gone, replaced by
    // another file, damaged or read-only. Empty when the file looks as it did.
    QString fileProblem() const;
    // Changes when anything wrote the database since the last call that returned the same
    // value: another connection's commit, or any statement of this one (triggers included).
    QPair<qint64, qint64> changeStamp();
    // The engine's own version text, e.g. "3.40.1".
    QString engineVersion() const;

    // For the record-set layer only.
    QSqlDatabase& database() { return m_db; }
    const QString& connectionName() const { return m_name; }

private:
    QString m_name;
    QString m_path;
    QSqlDatabase m_db;
    quint64 m_device = 0; // the file that was opened
    quint64 m_inode = 0;
    struct sqlite3* m_handle = nullptr;
};
