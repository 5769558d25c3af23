// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/DbError.h"
#include "core/ServerAddress.h"
#include "core/db/Engine.h"

#include <QPair>
#include <QSqlDatabase>
#include <QString>

// The one connection to the article database: an existing SQLite file, opened for reading and
// writing, or a database on a PostgreSQL server (a "postgresql://" address). Opening never
// creates a file or a database. Every record set of the program works through one of these.
class Connection;

// True for a connection to a PostgreSQL server (the record-set layer's other engine).
inline bool isServerDatabase(const QSqlDatabase& database)
{
    return database.driverName() == QLatin1String("QPSQL");
}

class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the database file at `path`, or the server database when `path` is a server
    // address. Throws DbError (NotFound for a missing file, NotADatabase for a file that is not an
    // SQLite database, PasswordNeeded when the server wants a password that neither the address,
    // setPassword(), ~/.pgpass nor libpq's environment gives, General otherwise).
    void open(const QString& path);
    // The password for the server of the next open() (and of every reconnection after it);
    // kept in memory only.
    void setPassword(const QString& password) { m_password = password; }
    // Likewise the password of the client's SSL key (libpq's sslpassword).
    void setSslPassword(const QString& password) { m_sslPassword = password; }

    // What differs between a file and a server: every feature asks it.
    const db::Engine& engine() const { return *m_engine; }
    bool isServer() const { return m_engine->kind() == db::Engine::Kind::Server; }
    // "SQLite" or "PostgreSQL".
    QString engineName() const;
    // What the user may see of the database in use: the file path, or the server address
    // without any password.
    QString displayPath() const;
    // After a command failed on a server: whether the connection was lost and could be opened
    // again (false for a file, for a connection that still answers, or a server still away).
    bool revive();
    // At the start of a command that reads or writes, never inside a transaction: a server
    // connection that was lost (a restart, an administrator, the network) is opened again, so the
    // first command after the server is back works. Throws DbError saying why when the database
    // cannot be reached, or when none is open.
    void ensureAlive();
    // Why the connection cannot be used, in words: the lost server connection that could not be
    // made again (with the server's reason), else "No database is open.".
    QString unreachable() const;
    // Why the last revive() could not open the connection again.
    const QString& reviveFailure() const { return m_reviveFailure; }
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

    // The name the history's triggers record for this connection's writes (the person using
    // it); empty records none.
    void setWriterName(const QString& name) { m_writer = name; }
    const QString& writerName() const { return m_writer; }
    // The connection that holds this handle, or none (a handle of its own, a file being made).
    static const Connection* owning(const QSqlDatabase& database);

    // For the record-set layer only.
    QSqlDatabase& database() { return m_db; }
    const QString& connectionName() const { return m_name; }

private:
    void openServer(const QString& address);

    QString m_name;
    QString m_path;
    QString m_password;
    QString m_sslPassword;
    const db::Engine* m_engine = &db::Engine::file();
    QString m_writer;
    ServerAddress m_address;
    qint64 m_serverStamp = 0;
    QString m_reviveFailure;
    QSqlDatabase m_db;
    quint64 m_device = 0; // the file that was opened
    quint64 m_inode = 0;
};
