// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Connection.h"

#include "core/ServerGuard.h"
#include "core/TextMatch.h"
#include "core/Transaction.h"
#include "core/db/Query.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>
#include <QVariant>

#include <sqlite3.h>

#include <memory>
#include <optional>

#include <sys/stat.h>

namespace
{

QAtomicInt connectionCounter;

// The connections alive, by connection name, for a transaction on a bare handle.
struct Living {
    QMutex mutex;
    QHash<QString, const Connection*> byName;
};

Living& living()
{
    static Living all;
    return all;
}

int primaryCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? (code & 0xff) : -1;
}

} // namespace

Connection::Connection()
    : m_name(QStringLiteral("ardentry-db-%1").arg(connectionCounter.fetchAndAddRelaxed(1) + 1))
{
    Living& all = living();
    const QMutexLocker lock(&all.mutex);
    all.byName.insert(m_name, this);
}

Connection::~Connection()
{
    {
        Living& all = living();
        const QMutexLocker lock(&all.mutex);
        all.byName.remove(m_name);
    }
    const bool registered = m_db.isValid();
    if (m_db.isOpen())
        m_db.close();
    m_db = QSqlDatabase();
    if (registered)
        QSqlDatabase::removeDatabase(m_name);
}

void Connection::open(const QString& path)
{
    close();
    m_path = path;
    if (ServerAddress::looks(path)) {
        openServer(path);
        return;
    }
    m_engine = &db::Engine::file();
    m_address = ServerAddress();
    if (path.trimmed().isEmpty())
        throw DbError(DbError::Kind::NotFound,
                      QCoreApplication::translate("Connection", "No database file is named."));
    const QFileInfo info(path);
    if (!info.exists())
        throw DbError(
            DbError::Kind::NotFound,
            QCoreApplication::translate("Connection", "The database file \"%1\" does not exist.")
                .arg(path));
    if (info.isDir())
        throw DbError(
            DbError::Kind::NotADatabase,
            QCoreApplication::translate("Connection", "\"%1\" is a folder, not a database file.")
                .arg(path));
    if (info.size() == 0)
        throw DbError(
            DbError::Kind::NotADatabase,
            QCoreApplication::translate(
                "Connection", "The file \"%1\" is not an SQLite database: the file is empty.")
                .arg(path));

    if (m_db.isValid() && m_db.driverName() != QLatin1String("QSQLITE")) {
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    if (!m_db.isValid()) {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        if (!m_db.isValid())
            throw DbError(QCoreApplication::translate(
                "Connection", "The SQLite database driver is not available."));
    }
    // "mode=rw" never creates a file, even if it vanished since the check above.
    const QByteArray encoded = QUrl::toPercentEncoding(info.absoluteFilePath(), "/");
    m_db.setDatabaseName(QStringLiteral("file:") + QString::fromLatin1(encoded) +
                         QStringLiteral("?mode=rw"));
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=2000"));
    if (!m_db.open()) {
        const QString reason = engineReason(m_db.lastError());
        const bool vanished = !QFileInfo::exists(path);
        throw DbError(
            vanished ? DbError::Kind::NotFound : DbError::Kind::General,
            QCoreApplication::translate("Connection", "Cannot open the database file \"%1\": %2.")
                .arg(path, reason));
    }

    {
        std::optional<db::Query> probe(std::in_place, m_db, QString());
        if (!probe->tryRun(QStringLiteral("SELECT count(*) FROM sqlite_master")) ||
            !probe->tryNext()) {
            const QSqlError error = probe->lastError();
            const int code = primaryCode(error);
            probe.reset();
            m_db.close();
            if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT)
                throw DbError(DbError::Kind::NotADatabase,
                              QCoreApplication::translate(
                                  "Connection", "The file \"%1\" is not an SQLite database: %2.")
                                  .arg(path, engineReason(error)));
            throw DbError(QCoreApplication::translate("Connection",
                                                      "Cannot read the database file \"%1\": %2.")
                              .arg(path, engineReason(error)));
        }
    }

    if (const QString reason = m_engine->prepareSession(m_db); !reason.isEmpty())
        throw DbError(reason);
    struct stat opened {
    };
    if (::stat(QFile::encodeName(info.absoluteFilePath()).constData(), &opened) == 0) {
        m_device = quint64(opened.st_dev);
        m_inode = quint64(opened.st_ino);
    }
}

void Connection::openServer(const QString& text)
{
    QString why;
    ServerAddress address;
    if (!ServerAddress::parse(text, address, &why))
        throw DbError(DbError::Kind::NotFound, why);
    m_engine = &db::Engine::server();
    m_address = address;
    if (m_db.isValid() && m_db.driverName() != QLatin1String("QPSQL")) {
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    if (!m_db.isValid()) {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
        if (!m_db.isValid())
            throw DbError(QCoreApplication::translate(
                "Connection", "The PostgreSQL database driver is not available (Debian "
                              "package libqt6sql6-psql)."));
    }
    address.applyTo(m_db, m_password, m_sslPassword);
    if (const QString reason = m_engine->reopen(m_db); !reason.isEmpty()) {
        const bool password = reason.contains(QLatin1String("password"), Qt::CaseInsensitive) &&
                              (reason.contains(QLatin1String("no password supplied")) ||
                               reason.contains(QLatin1String("authentication failed")));
        throw DbError(password ? DbError::Kind::PasswordNeeded : DbError::Kind::General,
                      QCoreApplication::translate(
                          "Connection", "Cannot connect to the database server \"%1\": %2.")
                          .arg(address.display(), reason));
    }
    // The owner's program brings a database of an earlier version up to date; for everyone
    // else, or when that fails, the database works on as it is.
    try {
        serverguard::renewIfOwner(m_db);
    } catch (const DbError&) {
    }
}

bool Connection::revive()
{
    return m_engine->revive(m_db, m_reviveFailure);
}

void Connection::ensureAlive()
{
    m_reviveFailure.clear();
    if (!revive() && !m_reviveFailure.isEmpty())
        throw DbError(unreachable());
    if (!isOpen())
        throw DbError(unreachable());
}

QString Connection::unreachable() const
{
    if (isServer() && !m_reviveFailure.isEmpty())
        return QCoreApplication::translate(
                   "Connection", "The connection to the database server \"%1\" was lost and "
                                 "cannot be made again: %2.")
            .arg(displayPath(), m_reviveFailure);
    return QCoreApplication::translate("Connection", "No database is open.");
}

QString Connection::engineName() const
{
    return m_engine->name();
}

QString Connection::displayPath() const
{
    return isServer() ? m_address.display() : m_path;
}

QPair<qint64, qint64> Connection::changeStamp()
{
    return m_engine->changeStamp(m_db, m_serverStamp);
}

QString Connection::fileProblem() const
{
    if (m_path.isEmpty() || isServer())
        return QString();
    const QString shown = QDir::toNativeSeparators(m_path);
    struct stat now {
    };
    if (::stat(QFile::encodeName(QFileInfo(m_path).absoluteFilePath()).constData(), &now) != 0)
        return QCoreApplication::translate(
                   "Connection",
                   "The database file \"%1\" is gone: it was deleted, renamed or moved "
                   "while Ardentry had it open.")
            .arg(shown);
    if (m_inode != 0 && (quint64(now.st_ino) != m_inode || quint64(now.st_dev) != m_device))
        return QCoreApplication::translate(
                   "Connection", "The database file \"%1\" was replaced by another file while "
                                 "Ardentry had it open.")
            .arg(shown);
    QFile file(m_path);
    const QByteArray header = file.open(QIODevice::ReadOnly) ? file.read(16) : QByteArray();
    if (now.st_size == 0 || !header.startsWith("SQLite format 3"))
        return QCoreApplication::translate(
                   "Connection", "The database file \"%1\" is damaged: it no longer holds an "
                                 "SQLite database.")
            .arg(shown);
    if (!QFileInfo(m_path).isWritable())
        return QCoreApplication::translate(
                   "Connection",
                   "The database file \"%1\" is read-only: Ardentry may not change it.")
            .arg(shown);
    return QString();
}

bool Connection::isOpen() const
{
    return m_db.isValid() && m_db.isOpen();
}

void Connection::close()
{
    if (m_db.isValid() && m_db.isOpen())
        m_db.close();
}

QString Connection::engineVersion() const
{
    return m_engine->version(m_db);
}

const Connection* Connection::owning(const QSqlDatabase& database)
{
    Living& all = living();
    const QMutexLocker lock(&all.mutex);
    return all.byName.value(database.connectionName());
}
