// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/db/SqliteEngine.h"

#include "core/TextMatch.h"
#include "core/db/Query.h"

#include <QCoreApplication>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QVariant>

#include <sqlite3.h>

#include <memory>
#include <string>

namespace
{

// ---- The word-pair tokenizer ----
//
// "ardentry_pairs" cuts a text into words exactly as FTS5's unicode61 tokenizer does (with the
// same options) and hands on each two neighbouring words as one token, "first second", at the
// place of the first. A phrase of N words is then a phrase of N - 1 such tokens, found through
// the lists of whole pairs instead of the long lists of common words.

struct Unicode61 {
    fts5_tokenizer api{};
    void* context = nullptr;
};

struct PairTokenizer {
    const Unicode61* words;
    Fts5Tokenizer* inner = nullptr;
};

struct PairSink {
    void* context;
    int (*token)(void*, int, const char*, int, int, int);
    std::string previous;
    int previousStart = -1;
    std::string pair;
};

int onWord(void* sink, int flags, const char* text, int size, int start, int end)
{
    auto* pairs = static_cast<PairSink*>(sink);
    if (flags & FTS5_TOKEN_COLOCATED)
        return SQLITE_OK;
    int rc = SQLITE_OK;
    if (pairs->previousStart >= 0) {
        pairs->pair.assign(pairs->previous).append(1, ' ').append(text, size_t(size));
        rc = pairs->token(pairs->context, 0, pairs->pair.data(), int(pairs->pair.size()),
                          pairs->previousStart, end);
    }
    pairs->previous.assign(text, size_t(size));
    pairs->previousStart = start;
    return rc;
}

int createPairs(void* context, const char** arguments, int count, Fts5Tokenizer** made)
{
    auto tokenizer = std::make_unique<PairTokenizer>();
    tokenizer->words = static_cast<const Unicode61*>(context);
    const int rc = tokenizer->words->api.xCreate(tokenizer->words->context, arguments, count,
                                                 &tokenizer->inner);
    if (rc == SQLITE_OK)
        *made = reinterpret_cast<Fts5Tokenizer*>(tokenizer.release());
    return rc;
}

void deletePairs(Fts5Tokenizer* made)
{
    std::unique_ptr<PairTokenizer> tokenizer(reinterpret_cast<PairTokenizer*>(made));
    tokenizer->words->api.xDelete(tokenizer->inner);
}

int tokenizePairs(Fts5Tokenizer* made, void* context, int flags, const char* text, int size,
                  int (*token)(void*, int, const char*, int, int, int))
{
    auto* tokenizer = reinterpret_cast<PairTokenizer*>(made);
    PairSink sink{context, token, {}, -1, {}};
    return tokenizer->words->api.xTokenize(tokenizer->inner, &sink, flags, text, size, &onWord);
}

} // namespace

int db::registerWordPairs(sqlite3* handle)
{
    fts5_api* api = nullptr;
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(handle, "SELECT fts5(?1)", -1, &statement, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_bind_pointer(statement, 1, &api, "fts5_api_ptr", nullptr);
        sqlite3_step(statement);
        rc = sqlite3_finalize(statement);
    }
    if (rc != SQLITE_OK)
        return rc;
    if (!api || api->iVersion < 2)
        return SQLITE_ERROR;
    auto words = std::make_unique<Unicode61>();
    rc = api->xFindTokenizer(api, "unicode61", &words->context, &words->api);
    if (rc != SQLITE_OK)
        return rc;
    static fts5_tokenizer pairs{&createPairs, &deletePairs, &tokenizePairs};
    // The connection owns `words` from here on.
    return api->xCreateTokenizer(api, "ardentry_pairs", words.release(), &pairs,
                                 [](void* owned) { delete static_cast<Unicode61*>(owned); });
}

namespace
{

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

sqlite3* handleOf(QSqlDatabase& database)
{
    const QVariant handle = database.driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        return *static_cast<sqlite3* const*>(handle.constData());
    return nullptr;
}

} // namespace

QString db::SqliteEngine::name() const
{
    return QStringLiteral("SQLite");
}

QString db::SqliteEngine::version(const QSqlDatabase& database) const
{
    if (!database.isValid() || !database.isOpen())
        return QString::fromLatin1(sqlite3_libversion());
    QSqlQuery query(database);
    if (query.exec(QStringLiteral("SELECT sqlite_version()")) && query.next())
        return query.value(0).toString();
    return QString::fromLatin1(sqlite3_libversion());
}

QString db::SqliteEngine::prepareSession(QSqlDatabase& database) const
{
    sqlite3* raw = handleOf(database);
    if (!raw) {
        database.close();
        return QCoreApplication::translate("Backup", "The SQLite driver gives no engine handle.");
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
    if (rc == SQLITE_OK)
        rc = registerWordPairs(raw);
    if (rc != SQLITE_OK) {
        const QString reason = QString::fromUtf8(sqlite3_errmsg(raw));
        database.close();
        return QCoreApplication::translate("Connection",
                                           "Cannot prepare the database connection: %1.")
            .arg(reason);
    }
    return QString();
}

QString db::SqliteEngine::reopen(QSqlDatabase&) const
{
    // A file's connection is not lost the way a server's is: it stays as it is.
    return QCoreApplication::translate("SqliteEngine", "a database file is not opened again");
}

QPair<qint64, qint64> db::SqliteEngine::changeStamp(QSqlDatabase& database, qint64&) const
{
    sqlite3* raw = database.isValid() && database.isOpen() ? handleOf(database) : nullptr;
    if (!raw)
        return {-1, -1};
    QSqlQuery version(database);
    const qint64 dataVersion = version.exec(QStringLiteral("PRAGMA data_version")) && version.next()
                                   ? version.value(0).toLongLong()
                                   : -1;
    return {dataVersion, sqlite3_total_changes64(raw)};
}

QString db::SqliteEngine::beginText() const
{
    // A second writer waits or fails before anything is read.
    return QStringLiteral("BEGIN IMMEDIATE");
}

bool db::SqliteEngine::takeTurn(Query&) const
{
    return true; // BEGIN IMMEDIATE took it
}

bool db::SqliteEngine::nameWriter(Query& query, const QString& writer, bool& clearAtCommit) const
{
    // A file without the table records no name.
    clearAtCommit = query.tryRun(QStringLiteral("INSERT OR REPLACE INTO ardentry_writer "
                                                "(slot, name) VALUES (1, ?)"),
                                 {writer});
    return true;
}

QString db::SqliteEngine::clearWriterText() const
{
    return QStringLiteral("DELETE FROM ardentry_writer");
}

QString db::SqliteEngine::fingerprint(const QStringList& quotedColumns) const
{
    return QStringLiteral("ardentry_fingerprint(%1)").arg(quotedColumns.join(QLatin1String(", ")));
}

QString db::SqliteEngine::sameAs() const
{
    return QStringLiteral("IS");
}

QString db::SqliteEngine::utcText(const QString& column) const
{
    // A file keeps the moment as that text.
    return column;
}

QString db::SqliteEngine::onlyWholeNumbers(const QString& column) const
{
    return QStringLiteral(" WHERE typeof(%1) = 'integer'").arg(column);
}

int db::SqliteEngine::additions(Query& query) const
{
    return query.run(QStringLiteral("PRAGMA user_version")).scalar().toInt();
}

void db::SqliteEngine::recordAdditions(Query& query, int additions) const
{
    query.run(QStringLiteral("PRAGMA user_version = %1").arg(additions));
}

QString db::SqliteEngine::articleNumberIndexText() const
{
    return QStringLiteral("CREATE INDEX AR_ID ON AR (ID)");
}

QStringList db::SqliteEngine::bulkFillSettings() const
{
    // The file is removed if anything fails, so it need not survive a crash half-way. Articles
    // of 2 KB or more fit several to a page of 16 KB (a 4 KB page holds only one), which keeps
    // a large file about half as big.
    return {QStringLiteral("PRAGMA synchronous = OFF"), QStringLiteral("PRAGMA page_size = 16384")};
}

QString db::SqliteEngine::beginSnapshotText() const
{
    // A file's reader sees one state of it until its transaction ends.
    return QStringLiteral("BEGIN");
}

QString db::SqliteEngine::columnsText() const
{
    return QStringLiteral("SELECT lower(name), type FROM pragma_table_info(?) ORDER BY cid");
}
