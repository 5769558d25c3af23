// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ServerGuard.h"

#include "core/DbError.h"
#include "core/History.h"
#include "core/Pictures.h"
#include "core/QuickSearch.h"
#include "core/Schema.h"
#include "core/SearchNarrowing.h"
#include "core/Transaction.h"

#include <QCoreApplication>
#include <QVariant>

namespace
{

QString failure()
{
    return QCoreApplication::translate("ServerGuard",
                                       "The database could not be made safe for its writers");
}

void run(QSqlDatabase& database, const QString& sql)
{
    db::Query(database, failure()).run(sql);
}

bool yes(QSqlDatabase& database, const QString& sql)
{
    return db::scalar(database, failure(), sql).toBool();
}

// The roles (by oid, 0 for PUBLIC) other than the owner that may change the articles, and
// those that may lock the turn.
const char* const kWriters =
    "SELECT a.grantee FROM pg_class c, aclexplode(c.relacl) a WHERE c.oid = 'ar'::regclass AND "
    "a.privilege_type IN ('INSERT', 'UPDATE', 'DELETE') AND a.grantee <> c.relowner";
const char* const kTurnTakers =
    "SELECT a.grantee FROM pg_class c, aclexplode(c.relacl) a WHERE c.oid = "
    "to_regclass('ardentry_turn') AND a.privilege_type = 'UPDATE' AND a.grantee <> c.relowner";

// The turn goes to the writers of the articles and to no one else; whoever may read the
// articles may read which additions the database has.
const char* const kTurnGrants =
    "DO $turn$ DECLARE g record; BEGIN "
    "FOR g IN SELECT DISTINCT a.grantee FROM pg_class c, aclexplode(c.relacl) a WHERE c.oid = "
    "'ardentry_turn'::regclass AND a.grantee <> c.relowner LOOP EXECUTE format('REVOKE ALL ON "
    "ardentry_turn FROM %1$s', CASE WHEN g.grantee = 0 THEN 'PUBLIC' ELSE "
    "quote_ident(pg_get_userbyid(g.grantee)) END); END LOOP; "
    "FOR g IN SELECT DISTINCT a.grantee, a.privilege_type = 'SELECT' AS reads FROM pg_class c, "
    "aclexplode(c.relacl) a WHERE c.oid = 'ar'::regclass AND a.privilege_type IN ('SELECT', "
    "'INSERT', 'UPDATE', 'DELETE') AND a.grantee <> c.relowner LOOP EXECUTE format(CASE WHEN "
    "g.reads THEN 'GRANT SELECT ON ardentry_schema TO %1$s' ELSE 'GRANT SELECT, UPDATE ON "
    "ardentry_turn TO %1$s' END, CASE WHEN g.grantee = 0 THEN 'PUBLIC' ELSE "
    "quote_ident(pg_get_userbyid(g.grantee)) END); END LOOP; END $turn$";

// Every statement that changes the articles, by any writer, adds one to the counter; the
// session's own count lets it tell its writes from those of others. One row is enough: writers
// take turns already, and a statement (not each row) counts, so a bulk write costs one update.
const char* const kCounter =
    "CREATE OR REPLACE FUNCTION ardentry_count_change() RETURNS trigger LANGUAGE plpgsql "
    "SECURITY DEFINER SET search_path = %1, pg_temp AS $body$ BEGIN UPDATE ardentry_change SET "
    "counter = counter + 1; PERFORM set_config('ardentry.own_changes', "
    "(COALESCE(NULLIF(current_setting('ardentry.own_changes', true), ''), '0')::bigint + "
    "1)::text, false); RETURN NULL; END $body$";
const char* const kCounterReaders =
    "DO $reader$ DECLARE g record; BEGIN FOR g IN SELECT DISTINCT a.grantee FROM pg_class c, "
    "aclexplode(c.relacl) a WHERE c.oid = 'ar'::regclass AND a.privilege_type = 'SELECT' AND "
    "a.grantee <> c.relowner LOOP EXECUTE format('GRANT SELECT ON ardentry_change TO %s', CASE "
    "WHEN g.grantee = 0 THEN 'PUBLIC' ELSE quote_ident(pg_get_userbyid(g.grantee)) END); END "
    "LOOP; END $reader$";

void addChangeCounter(QSqlDatabase& database)
{
    run(database, QStringLiteral("CREATE TABLE IF NOT EXISTS ardentry_change (counter bigint "
                                 "NOT NULL)"));
    run(database, QStringLiteral("INSERT INTO ardentry_change SELECT 0 WHERE NOT EXISTS (SELECT "
                                 "1 FROM ardentry_change)"));
    run(database, QString::fromLatin1(kCounter).arg(schema::serverSchema(database)));
    run(database, QStringLiteral("DROP TRIGGER IF EXISTS ardentry_change_ar ON ar"));
    run(database, QStringLiteral("CREATE TRIGGER ardentry_change_ar AFTER INSERT OR UPDATE OR "
                                 "DELETE OR TRUNCATE ON ar FOR EACH STATEMENT EXECUTE FUNCTION "
                                 "ardentry_count_change()"));
    run(database, QString::fromLatin1(kCounterReaders));
    schema::markAdded(database, schema::ChangeCounter);
}

} // namespace

void serverguard::addTurn(QSqlDatabase& database)
{
    run(database, QStringLiteral("CREATE TABLE IF NOT EXISTS ardentry_turn (turn integer PRIMARY "
                                 "KEY CHECK (turn = 1))"));
    run(database, QStringLiteral("INSERT INTO ardentry_turn VALUES (1) ON CONFLICT DO NOTHING"));
    schema::markAdded(database, schema::Guarded);
    run(database, QString::fromLatin1(kTurnGrants));
    addChangeCounter(database);
}

bool serverguard::renewIfOwner(QSqlDatabase& database)
{
    // Only the owner of the articles and of every function of the program may make them again.
    if (!yes(database,
             QStringLiteral("SELECT c.relowner = r.oid AND NOT EXISTS (SELECT 1 FROM pg_proc p "
                            "WHERE p.pronamespace = c.relnamespace AND p.proname LIKE "
                            "'ardentry\\_%' AND p.proowner <> r.oid) FROM pg_class c, pg_roles r "
                            "WHERE c.oid = to_regclass('ar') AND r.rolname = current_user")))
        return false;
    const auto due = [&database] {
        const int additions = schema::additions(database);
        return !(additions & schema::Guarded) || !(additions & schema::ChangeCounter) ||
               !(additions & schema::SearchNarrowing) || !(additions & schema::Pictures) ||
               yes(database, QStringLiteral("SELECT EXISTS ((%1 EXCEPT %2) UNION (%2 EXCEPT %1))")
                                 .arg(QLatin1String(kWriters), QLatin1String(kTurnTakers)));
    };
    if (!due())
        return false;
    Transaction transaction(database, failure());
    if (!due()) // another copy of the program did it meanwhile
        return false;
    const int additions = schema::additions(database);
    if (!(additions & schema::Guarded)) {
        if (additions & schema::QuickSearchIndex)
            quicksearch::renewServerFunctions(database);
        if (additions & schema::History)
            history::renewServerFunctions(database);
    }
    if (!(additions & schema::SearchNarrowing))
        searchnarrowing::add(database, true);
    // The whole team stores pictures once the owner's program has opened the database.
    if (!(additions & schema::Pictures))
        pictures::createTables(database);
    addTurn(database);
    transaction.commit();
    return true;
}
