#include "core/Connection.h"

#include "core/ServerGuard.h"
#include "core/TextMatch.h"
#include "core/Transaction.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>

#include <sqlite3.h>

#include <memory>

#include <sys/stat.h>

namespace
{

QAtomicInt connectionCounter;

int primaryCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? (code & 0xff) : -1;
}

// The text of a number or Null as the filter sees it: decimal form, Null empty.
QByteArray numberOrNullText(sqlite3_value* value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return textmatch::numberText(static_cast<qlonglong>(sqlite3_value_int64(value))).toUtf8();
    case SQLITE_FLOAT:
        return textmatch::numberText(sqlite3_value_double(value)).toUtf8();
    default:
        return QByteArray();
    }
}

QString argumentText(sqlite3_value* value)
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return data ? QString::fromUtf8(data, sqlite3_value_bytes(value)) : QString();
}

template <typename T> void deleteAux(void* p)
{
    delete static_cast<T*>(p);
}

// ardentry_like(value, needle, mode): the text pattern of the filter. `mode` is the number of
// textmatch::TextPattern::Mode. The prepared pattern is kept with the statement.
void likeFunction(sqlite3_context* context, int, sqlite3_value** args)
{
    using textmatch::TextPattern;
    auto* pattern = static_cast<TextPattern*>(sqlite3_get_auxdata(context, 1));
    std::unique_ptr<TextPattern> fresh;
    if (!pattern) {
        const int mode = sqlite3_value_int(args[2]);
        if (mode < 0 || mode > static_cast<int>(TextPattern::Mode::Everything)) {
            sqlite3_result_error(context, "ardentry_like: unknown mode", -1);
            return;
        }
        fresh = std::make_unique<TextPattern>(argumentText(args[1]),
                                              static_cast<TextPattern::Mode>(mode));
        pattern = fresh.get();
    }
    bool result = false;
    if (pattern->mode() == TextPattern::Mode::Everything) {
        result = true;
    } else if (sqlite3_value_type(args[0]) == SQLITE_TEXT ||
               sqlite3_value_type(args[0]) == SQLITE_BLOB) {
        const auto* data = reinterpret_cast<const char*>(sqlite3_value_text(args[0]));
        result = pattern->matchesUtf8(data ? data : "", data ? sqlite3_value_bytes(args[0]) : 0);
    } else {
        const QByteArray text = numberOrNullText(args[0]);
        result = pattern->matchesUtf8(text.constData(), text.size());
    }
    sqlite3_result_int(context, result ? 1 : 0);
    if (fresh)
        sqlite3_set_auxdata(context, 1, fresh.release(), &deleteAux<TextPattern>);
}

// ardentry_number_equals(value, number): numeric equality; a needle that is not a number
// matches nothing.
void numberEqualsFunction(sqlite3_context* context, int, sqlite3_value** args)
{
    using textmatch::NumberPattern;
    auto* pattern = static_cast<NumberPattern*>(sqlite3_get_auxdata(context, 1));
    std::unique_ptr<NumberPattern> fresh;
    if (!pattern) {
        fresh = std::make_unique<NumberPattern>(argumentText(args[1]));
        pattern = fresh.get();
    }
    bool result = false;
    switch (sqlite3_value_type(args[0])) {
    case SQLITE_INTEGER:
        result = pattern->matches(static_cast<qlonglong>(sqlite3_value_int64(args[0])));
        break;
    case SQLITE_FLOAT:
        result = pattern->matches(sqlite3_value_double(args[0]));
        break;
    case SQLITE_NULL:
        break;
    default:
        result = pattern->matchesText(argumentText(args[0]));
        break;
    }
    sqlite3_result_int(context, result ? 1 : 0);
    if (fresh)
        sqlite3_set_auxdata(context, 1, fresh.release(), &deleteAux<NumberPattern>);
}

// A 64-bit FNV-1a hash of the values as stored: each value's type, size and bytes (text as its
// stored bytes, without any conversion), so two reads of an unchanged row give the same number.
void fingerprintFunction(sqlite3_context* context, int count, sqlite3_value** args)
{
    quint64 hash = 14695981039346656037ULL;
    const auto mix = [&hash](const void* data, size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i) {
            hash ^= bytes[i];
            hash *= 1099511628211ULL;
        }
    };
    for (int i = 0; i < count; ++i) {
        const unsigned char type = static_cast<unsigned char>(sqlite3_value_type(args[i]));
        mix(&type, 1);
        switch (type) {
        case SQLITE_INTEGER: {
            const sqlite3_int64 v = sqlite3_value_int64(args[i]);
            mix(&v, sizeof v);
            break;
        }
        case SQLITE_FLOAT: {
            const double v = sqlite3_value_double(args[i]);
            mix(&v, sizeof v);
            break;
        }
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            const void* data = type == SQLITE_TEXT
                                   ? static_cast<const void*>(sqlite3_value_text(args[i]))
                                   : sqlite3_value_blob(args[i]);
            const int size = sqlite3_value_bytes(args[i]);
            mix(&size, sizeof size);
            if (data && size > 0)
                mix(data, size_t(size));
            break;
        }
        default:
            break;
        }
    }
    sqlite3_result_int64(context, static_cast<sqlite3_int64>(hash));
}

int noCaseCollation(void*, int aSize, const void* a, int bSize, const void* b)
{
    return textmatch::compareIgnoringCase(static_cast<const char*>(a), aSize,
                                          static_cast<const char*>(b), bSize);
}

} // namespace

Connection::Connection()
    : m_name(QStringLiteral("ardentry-db-%1").arg(connectionCounter.fetchAndAddRelaxed(1) + 1))
{
}

Connection::~Connection()
{
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
    m_engine = Engine::SQLite;
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
        QSqlQuery probe(m_db);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !probe.next()) {
            const QSqlError error = probe.lastError();
            const int code = primaryCode(error);
            probe.finish();
            probe = QSqlQuery();
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

    const QVariant handle = m_db.driver()->handle();
    sqlite3* raw = nullptr;
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        raw = *static_cast<sqlite3* const*>(handle.constData());
    if (!raw) {
        m_db.close();
        throw DbError(
            QCoreApplication::translate("Connection", "The SQLite driver gives no engine handle."));
    }
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    int rc = sqlite3_create_function_v2(raw, "ardentry_like", 3, flags, nullptr, &likeFunction,
                                        nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(raw, "ardentry_number_equals", 2, flags, nullptr,
                                        &numberEqualsFunction, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(raw, "ardentry_fingerprint", -1, flags, nullptr,
                                        &fingerprintFunction, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_collation_v2(raw, "ardentry_nocase", SQLITE_UTF8, nullptr,
                                         &noCaseCollation, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = QString::fromUtf8(sqlite3_errmsg(raw));
        m_db.close();
        throw DbError(
            QCoreApplication::translate("Connection", "Cannot prepare the database connection: %1.")
                .arg(reason));
    }
    m_handle = raw;
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
    m_engine = Engine::PostgreSQL;
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
    if (const QString reason = openServerSession(m_db); !reason.isEmpty()) {
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

QString openServerSession(QSqlDatabase& database)
{
    database.close();
    if (!database.open()) {
        const QString reason = engineReason(database.lastError());
        database.close();
        return reason;
    }
    // A write that waits for another's lock gives up as a file's does, after a few seconds.
    QString reason;
    {
        QSqlQuery setup(database);
        if (!setup.exec(QStringLiteral("SET client_min_messages = error")) ||
            !setup.exec(QStringLiteral("SET lock_timeout = '3s'")))
            reason = engineReason(setup.lastError());
    }
    if (!reason.isEmpty())
        database.close();
    return reason;
}

bool Connection::revive()
{
    if (!isServer() || !m_db.isValid())
        return false;
    if (m_db.isOpen()) {
        QSqlQuery probe(m_db);
        if (probe.exec(QStringLiteral("SELECT 1")))
            return false;
    }
    m_reviveFailure = openServerSession(m_db);
    return m_reviveFailure.isEmpty();
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
    return isServer() ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite");
}

QString Connection::displayPath() const
{
    return isServer() ? m_address.display() : m_path;
}

QPair<qint64, qint64> Connection::changeStamp()
{
    // A server does not tell what others wrote since a given moment: every stamp is new, so
    // the rows are always read again.
    if (isServer())
        return {-2, ++m_serverStamp};
    if (!isOpen() || !m_handle)
        return {-1, -1};
    QSqlQuery version(m_db);
    const qint64 dataVersion = version.exec(QStringLiteral("PRAGMA data_version")) && version.next()
                                   ? version.value(0).toLongLong()
                                   : -1;
    return {dataVersion, sqlite3_total_changes64(m_handle)};
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
    m_handle = nullptr;
    if (m_db.isValid() && m_db.isOpen())
        m_db.close();
}

QString Connection::engineVersion() const
{
    if (isServer()) {
        QSqlQuery query(m_db);
        if (query.exec(QStringLiteral("SHOW server_version")) && query.next())
            return query.value(0).toString().section(QLatin1Char(' '), 0, 0);
        return QString();
    }
    if (!isOpen())
        return QString::fromLatin1(sqlite3_libversion());
    QSqlQuery query(m_db);
    if (query.exec(QStringLiteral("SELECT sqlite_version()")) && query.next())
        return query.value(0).toString();
    return QString::fromLatin1(sqlite3_libversion());
}
