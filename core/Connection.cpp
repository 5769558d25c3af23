#include "core/Connection.h"

#include "core/TextMatch.h"
#include "core/Transaction.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>

#include <sqlite3.h>

#include <memory>

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
    if (path.trimmed().isEmpty())
        throw DbError(DbError::Kind::NotFound, QStringLiteral("No database file is named."));
    const QFileInfo info(path);
    if (!info.exists())
        throw DbError(DbError::Kind::NotFound,
                      QStringLiteral("The database file \"%1\" does not exist.").arg(path));
    if (info.isDir())
        throw DbError(DbError::Kind::NotADatabase,
                      QStringLiteral("\"%1\" is a folder, not a database file.").arg(path));
    if (info.size() == 0)
        throw DbError(
            DbError::Kind::NotADatabase,
            QStringLiteral("The file \"%1\" is not an SQLite database: the file is empty.")
                .arg(path));

    if (!m_db.isValid()) {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        if (!m_db.isValid())
            throw DbError(QStringLiteral("The SQLite database driver is not available."));
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
            QStringLiteral("Cannot open the database file \"%1\": %2.").arg(path, reason));
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
                              QStringLiteral("The file \"%1\" is not an SQLite database: %2.")
                                  .arg(path, engineReason(error)));
            throw DbError(QStringLiteral("Cannot read the database file \"%1\": %2.")
                              .arg(path, engineReason(error)));
        }
    }

    const QVariant handle = m_db.driver()->handle();
    sqlite3* raw = nullptr;
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        raw = *static_cast<sqlite3* const*>(handle.constData());
    if (!raw) {
        m_db.close();
        throw DbError(QStringLiteral("The SQLite driver gives no engine handle."));
    }
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    int rc = sqlite3_create_function_v2(raw, "ardentry_like", 3, flags, nullptr, &likeFunction,
                                        nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(raw, "ardentry_number_equals", 2, flags, nullptr,
                                        &numberEqualsFunction, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_collation_v2(raw, "ardentry_nocase", SQLITE_UTF8, nullptr,
                                         &noCaseCollation, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = QString::fromUtf8(sqlite3_errmsg(raw));
        m_db.close();
        throw DbError(QStringLiteral("Cannot prepare the database connection: %1.").arg(reason));
    }
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
    if (!isOpen())
        return QString::fromLatin1(sqlite3_libversion());
    QSqlQuery query(m_db);
    if (query.exec(QStringLiteral("SELECT sqlite_version()")) && query.next())
        return query.value(0).toString();
    return QString::fromLatin1(sqlite3_libversion());
}
