// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SearchNarrowing.h"

#include "core/Schema.h"
#include "core/db/Engine.h"
#include "core/db/Query.h"

#include <QCoreApplication>

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
    QString trgm;
    if (quick) {
        const auto schemaOf = [&query] {
            return query
                .run(QStringLiteral("SELECT pg_catalog.quote_ident(n.nspname) FROM "
                                    "pg_catalog.pg_extension e JOIN pg_catalog.pg_namespace n ON "
                                    "n.oid = e.extnamespace WHERE e.extname = 'pg_trgm'"))
                .scalar()
                .toString();
        };
        trgm = schemaOf();
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
    }
    if (!trgm.isEmpty()) {
        // Every name is qualified: nothing found through the caller's search path is taken.
        for (const char* column : kColumns) {
            const QString name = QString::fromLatin1(column);
            query.run(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON ar USING gin "
                                     "(pg_catalog.lower(%2 COLLATE pg_catalog.\"C\") "
                                     "%3.gin_trgm_ops)")
                          .arg(indexName(name), name, trgm));
        }
    }
    schema::markAdded(database, schema::SearchNarrowing);
}
