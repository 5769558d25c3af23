#pragma once

#include "core/DbError.h"

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
    // The engine's own version text, e.g. "3.40.1".
    QString engineVersion() const;

    // For the record-set layer only.
    QSqlDatabase& database() { return m_db; }
    const QString& connectionName() const { return m_name; }

private:
    QString m_name;
    QString m_path;
    QSqlDatabase m_db;
};
