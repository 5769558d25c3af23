// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SearchNarrowing.h"

#include "core/Connection.h"
#include "core/Schema.h"
#include "core/Transaction.h"
#include "core/db/Engine.h"
#include "core/db/Query.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

namespace
{

// The article columns the Search dialog looks into.
const char* const kColumns[] = {"problem", "solution"};

// Above this many articles an index is not made while the database opens.
constexpr double kQuickRows = 200000;

QString failure()
{
    return QCoreApplication::translate("SearchNarrowing",
                                       "The search indexes could not be added to the database");
}

// ASCII characters that the folding also makes of other characters: "k" of the Kelvin sign, "s"
// of the long s and of "ß" (twice), ";" of the Greek question mark and "`" of the Greek varia.
// A NUL is never stored on a server.
bool madeOfOthers(char16_t c)
{
    return c == u'k' || c == u's' || c == u';' || c == u'`' || c == 0;
}

// Finds pg_trgm, or adds it when the server has it and the role may, inside the caller's
// transaction; its schema quoted, or empty when there is none.
QString trigramSchema(QSqlDatabase& database, db::Query& query)
{
    const auto schemaOf = [&query] {
        return query
            .run(QStringLiteral("SELECT pg_catalog.quote_ident(n.nspname) FROM "
                                "pg_catalog.pg_extension e JOIN pg_catalog.pg_namespace n ON "
                                "n.oid = e.extnamespace WHERE e.extname = 'pg_trgm'"))
            .scalar()
            .toString();
    };
    QString trgm = schemaOf();
    if (trgm.isEmpty() &&
        query
            .run(QStringLiteral("SELECT 1 FROM pg_catalog.pg_available_extensions WHERE name "
                                "= 'pg_trgm'"))
            .scalar()
            .isValid()) {
        // A statement that fails ends the transaction around it, unless a savepoint takes it
        // back. Since PostgreSQL 13 whoever may create in the database may add pg_trgm.
        query.run(QStringLiteral("SAVEPOINT ardentry_trgm"));
        if (query.tryRun(QStringLiteral("CREATE EXTENSION IF NOT EXISTS pg_trgm SCHEMA %1")
                             .arg(schema::serverSchema(database))))
            trgm = schemaOf();
        else
            query.run(QStringLiteral("ROLLBACK TO SAVEPOINT ardentry_trgm"));
        query.run(QStringLiteral("RELEASE SAVEPOINT ardentry_trgm"));
    }
    return trgm;
}

// The index of `column`, every name qualified: nothing found through the caller's search path
// is taken.
QString indexText(const QString& column, const QString& trgm)
{
    return QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON ar USING gin "
                          "(pg_catalog.lower(%2 COLLATE pg_catalog.\"C\") %3.gin_trgm_ops)")
        .arg(searchnarrowing::indexName(column), column, trgm);
}

// The steps of one index in build()'s progress.
constexpr qint64 kSteps = 1000;

// How far the server has got with the index that a session makes, read on a connection of its
// own (pg_stat_progress_create_index, PostgreSQL 12 and later): the share of the articles' pages
// read, in kSteps. Without that connection or that view, nothing is told.
class BuildWatch
{
public:
    BuildWatch(const QSqlDatabase& database, qint64 session)
        : m_name(QStringLiteral("ardentry-watch-%1").arg(quintptr(this))), m_session(session)
    {
        m_database = QSqlDatabase::cloneDatabase(database, m_name);
        m_database.open();
    }
    ~BuildWatch()
    {
        m_database.close();
        m_database = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    BuildWatch(const BuildWatch&) = delete;
    BuildWatch& operator=(const BuildWatch&) = delete;

    qint64 done() const
    {
        if (!m_database.isOpen())
            return 0;
        db::Query query(m_database, failure());
        if (!query.tryRun(QStringLiteral("SELECT blocks_done, blocks_total FROM "
                                         "pg_catalog.pg_stat_progress_create_index WHERE pid = ?"),
                          {m_session}) ||
            !query.tryNext() || query.value(1).toLongLong() <= 0)
            return 0;
        return std::min(kSteps, query.value(0).toLongLong() * kSteps / query.value(1).toLongLong());
    }

private:
    QString m_name;
    qint64 m_session;
    mutable QSqlDatabase m_database;
};

} // namespace

QString searchnarrowing::widerLike(const textmatch::TextPattern& pattern)
{
    if (pattern.mode() == textmatch::TextPattern::Mode::Everything)
        return QString();
    // Where the folded needle has a character that folds the same from a character other than
    // itself, any run of characters may stand; ASCII's letter case is left to ILIKE.
    const QString folded = textmatch::fold(pattern.needle());
    QString like = QStringLiteral("%");
    bool literal = false;
    bool open = true; // the pattern ends with a wildcard
    for (const QChar c : folded) {
        const char16_t u = c.unicode();
        if (u >= 0x80 || madeOfOthers(u)) {
            if (!open)
                like += QLatin1Char('%');
            open = true;
            continue;
        }
        if (u == u'%' || u == u'_' || u == u'\\')
            like += QLatin1Char('\\');
        like += c;
        literal = true;
        open = false;
    }
    if (!literal)
        return QString();
    if (!open)
        like += QLatin1Char('%');
    return like;
}

QString searchnarrowing::indexName(const QString& column)
{
    return QStringLiteral("ardentry_narrow_") + column;
}

void searchnarrowing::add(QSqlDatabase& database, bool onlyWhenQuick)
{
    if (db::Engine::of(database).matchesPatterns())
        return;
    db::Query query(database, failure());
    const bool quick =
        !onlyWhenQuick ||
        query.run(QStringLiteral("SELECT reltuples FROM pg_catalog.pg_class WHERE oid = "
                                 "to_regclass('ar')"))
                .scalar()
                .toDouble() <= kQuickRows;
    if (const QString trgm = quick ? trigramSchema(database, query) : QString(); !trgm.isEmpty())
        for (const char* column : kColumns)
            query.run(indexText(QString::fromLatin1(column), trgm));
    schema::markAdded(database, schema::SearchNarrowing);
}

bool searchnarrowing::mayBuild(QSqlDatabase& database)
{
    if (db::Engine::of(database).matchesPatterns())
        return false;
    // Only the owner of the articles makes their indexes; pg_trgm is there, or may be added by
    // whoever may create in the database.
    return db::scalar(
               database, failure(),
               QStringLiteral(
                   "SELECT c.relowner = r.oid AND (EXISTS (SELECT 1 FROM pg_catalog.pg_extension "
                   "WHERE extname = 'pg_trgm') OR (EXISTS (SELECT 1 FROM "
                   "pg_catalog.pg_available_extensions WHERE name = 'pg_trgm') AND "
                   "pg_catalog.has_database_privilege(pg_catalog.current_database(), 'CREATE'))) "
                   "AND (SELECT count(*) FROM pg_catalog.pg_index i JOIN pg_catalog.pg_class x ON "
                   "x.oid = i.indexrelid WHERE i.indrelid = c.oid AND x.relname IN (?, ?)) < 2 "
                   "FROM pg_catalog.pg_class c, pg_catalog.pg_roles r WHERE c.oid = "
                   "pg_catalog.to_regclass('ar') AND r.rolname = current_user"),
               {indexName(QString::fromLatin1(kColumns[0])),
                indexName(QString::fromLatin1(kColumns[1]))})
        .toBool();
}

bool searchnarrowing::build(Connection& connection,
                            const std::function<bool(qint64, qint64)>& progress)
{
    connection.ensureAlive();
    QSqlDatabase& database = connection.database();
    Transaction transaction(connection, failure());
    QStringList missing;
    QString trgm;
    qint64 session = 0;
    {
        db::Query query(database, failure());
        for (const char* column : kColumns)
            if (!query
                     .run(QStringLiteral("SELECT to_regclass(?) IS NOT NULL"),
                          {indexName(QString::fromLatin1(column))})
                     .scalar()
                     .toBool())
                missing << QString::fromLatin1(column);
        trgm = trigramSchema(database, query);
        if (trgm.isEmpty())
            throw DbError(failure() +
                          QCoreApplication::translate(
                              "SearchNarrowing", ": the server does not have pg_trgm for it."));
        session = query.run(QStringLiteral("SELECT pg_backend_pid()")).scalar().toLongLong();
    }
    // The server tells how far each index got on another connection.
    const BuildWatch watch(database, session);
    const qint64 total = qint64(missing.size()) * kSteps;
    bool goOn = true;
    for (qsizetype i = 0; goOn && i < missing.size(); ++i)
        goOn =
            connection.engine().runStoppable(database, failure(), indexText(missing[i], trgm), [&] {
                return progress(i * kSteps + watch.done(), total);
            });
    if (!goOn)
        return false; // the transaction rolls back
    schema::markAdded(database, schema::SearchNarrowing);
    transaction.commit();
    progress(total, total);
    return true;
}
