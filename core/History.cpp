// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/History.h"

#include "core/Backup.h"
#include "core/Connection.h"
#include "core/Schema.h"
#include "core/TextMatch.h"
#include "core/Transaction.h"
#include "core/db/Engine.h"

#include <QCoreApplication>
#include <QHash>
#include <QTimeZone>

#include <sqlite3.h>

#include <optional>

#include <pwd.h>
#include <unistd.h>

namespace
{

// At the start of each command: a lost server connection is made again. Never inside a
// transaction, which a new connection would not continue.
QSqlDatabase& openDatabase(Connection& connection)
{
    connection.ensureAlive();
    return connection.database();
}

bool numberTakenIn(QSqlDatabase& database, const QVariant& number);

db::Query run(QSqlDatabase& database, const QString& sql, const QVariantList& binds,
              const QString& failure)
{
    db::Query query(database, failure);
    query.run(sql, binds);
    return query;
}

// "column = ?" with the value bound, or "column IS NULL" for a Null: the same on both engines,
// and unlike "IS ?" (on a server "IS NOT DISTINCT FROM ?") it can use an index.
QString matching(const QString& column, const QVariant& value, QVariantList& binds)
{
    if (value.isNull())
        return column + QStringLiteral(" IS NULL");
    binds << value;
    return column + QStringLiteral(" = ?");
}

// A stored moment as "yyyy-MM-dd HH:mm:ss.zzz" in UTC: a file keeps that text, a server a
// timestamp.
QString timeText(const QSqlDatabase& database, const QString& column)
{
    return db::Engine::of(database).utcText(column);
}

// "prefix.ID, prefix.CUName, ..." (no prefix: the bare names).
QString columnList(const QString& prefix = QString())
{
    QStringList names;
    for (const QString& column : history::articleColumns())
        names << (prefix.isEmpty() ? column : prefix + QLatin1Char('.') + column);
    return names.join(QStringLiteral(", "));
}

// The moment of a change in the engine's own terms (UTC), to the millisecond.
const char* const kNow = "strftime('%Y-%m-%d %H:%M:%f', 'now')";
const char* const kWriter = "(SELECT name FROM ardentry_writer WHERE slot = 1)";
// On a server: the writer's name lives in a setting of the writing transaction (see
// Transaction); a connection that never set it, or set it in an earlier transaction, gives ''.
const char* const kServerNow = "pg_catalog.statement_timestamp()";
const char* const kServerWriter = "NULLIF(pg_catalog.current_setting('ardentry.writer', true), '')";

// The statements that add the history and the trash to a file, in order.
QStringList fileSchemaStatements()
{
    QStringList copied; // the twenty columns without a type: values are kept exactly as stored
    QStringList differs;
    for (const QString& column : history::articleColumns()) {
        copied << column;
        differs << QStringLiteral("OLD.%1 IS NOT NEW.%1").arg(column);
    }
    const QString now = QString::fromLatin1(kNow);
    const QString writer = QString::fromLatin1(kWriter);
    return {
        QStringLiteral("CREATE TABLE ardentry_writer (slot INTEGER PRIMARY KEY CHECK (slot = 1), "
                       "name TEXT)"),
        // `article`: the number the article has now; `trash`: the trash entry while the article
        // is deleted; `article_row`: its row key when the version was made (tells apart articles
        // that share a number for a moment, as in "UPDATE AR SET ID = ID + 1").
        QStringLiteral("CREATE TABLE ardentry_history (version INTEGER PRIMARY KEY, article, "
                       "article_row INTEGER, trash INTEGER, changed_at TEXT NOT NULL, "
                       "changed_by TEXT, %1)")
            .arg(copied.join(QStringLiteral(", "))),
        QStringLiteral("CREATE INDEX ardentry_history_article ON ardentry_history (article)"),
        QStringLiteral("CREATE INDEX ardentry_history_trash ON ardentry_history (trash)"),
        QStringLiteral("CREATE TABLE ardentry_trash (entry INTEGER PRIMARY KEY, "
                       "article_row INTEGER, deleted_at TEXT NOT NULL, deleted_by TEXT, %1)")
            .arg(copied.join(QStringLiteral(", "))),
        // A change that alters no column keeps no version.
        QStringLiteral("CREATE TRIGGER ardentry_history_ar_update AFTER UPDATE ON AR WHEN %1 "
                       "BEGIN INSERT INTO ardentry_history (article, article_row, changed_at, "
                       "changed_by, %2) VALUES (NEW.ID, NEW.rowid, %3, %4, %5); END")
            .arg(differs.join(QStringLiteral(" OR ")), columnList(), now, writer,
                 columnList(QStringLiteral("OLD"))),
        // A new number takes the article's earlier versions along. While two rows share the old
        // number (a renumbering of many rows in one statement), only this row's versions move.
        QStringLiteral("CREATE TRIGGER ardentry_history_ar_renumber AFTER UPDATE OF ID ON AR "
                       "WHEN OLD.ID IS NOT NEW.ID BEGIN UPDATE ardentry_history SET article = "
                       "NEW.ID, article_row = NEW.rowid WHERE article IS OLD.ID AND trash IS NULL "
                       "AND (article_row = OLD.rowid OR NOT EXISTS (SELECT 1 FROM AR WHERE ID IS "
                       "OLD.ID)); END"),
        // A deleted article goes to the trash with its earlier versions.
        QStringLiteral("CREATE TRIGGER ardentry_trash_ar_delete AFTER DELETE ON AR BEGIN "
                       "INSERT INTO ardentry_trash (article_row, deleted_at, deleted_by, %1) "
                       "VALUES (OLD.rowid, %2, %3, %4); "
                       "UPDATE ardentry_history SET trash = last_insert_rowid() WHERE article IS "
                       "OLD.ID AND trash IS NULL AND (article_row = OLD.rowid OR NOT EXISTS "
                       "(SELECT 1 FROM AR WHERE ID IS OLD.ID)); END")
            .arg(columnList(), now, writer, columnList(QStringLiteral("OLD"))),
    };
}

// The trigger functions of the history on a server, in the schema of the articles (`schemaName`,
// quoted). They run with the rights of the one who added them, so whoever may change articles
// gets their versions kept without rights of their own on the history's tables; for the same
// reason nothing they touch may be found through the writer's search path: every name carries
// its schema, their own path is that schema with the session's temporary objects last, and no
// one may call them directly.
QStringList serverFunctionStatements(const QString& schemaName)
{
    QStringList before;
    for (const QString& column : history::articleColumns())
        before << QStringLiteral("OLD.") + column;
    const QString now = QString::fromLatin1(kServerNow);
    const QString writer = QString::fromLatin1(kServerWriter);
    const auto function = [&schemaName](const QString& name, const QString& body) {
        return QStringLiteral("CREATE OR REPLACE FUNCTION %2.%1() RETURNS trigger LANGUAGE "
                              "plpgsql SECURITY DEFINER SET search_path = %2, pg_temp AS $body$ "
                              "%3 RETURN NULL; END $body$")
            .arg(name, schemaName, body);
    };
    // A statement about the article's number (written "%number"): "IS NULL" for an article
    // without one, else "= OLD.ID", each of which an index serves.
    const auto byNumber = [](const QString& statement) {
        return QStringLiteral("IF OLD.ID IS NULL THEN %1; ELSE %2; END IF;")
            .arg(QString(statement).replace(QLatin1String("%number"), QLatin1String(" IS NULL")),
                 QString(statement).replace(QLatin1String("%number"),
                                            QLatin1String(" OPERATOR(pg_catalog.=) OLD.ID")));
    };
    const QString sameArticle =
        QStringLiteral("article%number AND trash IS NULL AND (article_row OPERATOR(pg_catalog.=) "
                       "OLD.rowid OR NOT EXISTS (SELECT 1 FROM %1.AR WHERE ID%number))")
            .arg(schemaName);
    return {
        function(
            QStringLiteral("ardentry_history_ar_update"),
            QStringLiteral("BEGIN INSERT INTO %5.ardentry_history (article, article_row, "
                           "changed_at, changed_by, %1) VALUES (NEW.ID, NEW.rowid, %2, %3, "
                           "%4);")
                .arg(columnList(), now, writer, before.join(QStringLiteral(", ")), schemaName)),
        function(QStringLiteral("ardentry_history_ar_renumber"),
                 QStringLiteral("BEGIN ") +
                     byNumber(QStringLiteral("UPDATE %1.ardentry_history SET article = NEW.ID, "
                                             "article_row = NEW.rowid WHERE ")
                                  .arg(schemaName) +
                              sameArticle)),
        function(
            QStringLiteral("ardentry_trash_ar_delete"),
            QStringLiteral("DECLARE kept bigint; BEGIN INSERT INTO %5.ardentry_trash "
                           "(article_row, deleted_at, deleted_by, %1) VALUES (OLD.rowid, "
                           "%2, %3, %4) RETURNING entry INTO kept; ")
                    .arg(columnList(), now, writer, before.join(QStringLiteral(", ")), schemaName) +
                byNumber(QStringLiteral("UPDATE %1.ardentry_history SET trash = kept WHERE ")
                             .arg(schemaName) +
                         sameArticle)),
        QStringLiteral("REVOKE EXECUTE ON FUNCTION %1.ardentry_history_ar_update(), "
                       "%1.ardentry_history_ar_renumber(), %1.ardentry_trash_ar_delete() FROM "
                       "PUBLIC")
            .arg(schemaName),
    };
}

// The same tables and triggers on a server. The copied columns have the types of the article
// table (`types`, in the order of articleColumns()); the row keys are identity columns. Triggers
// of a server fire once the statement is done, so the articles they look at are the ones after
// the whole statement; for the renumbering of many rows in one statement that comes to the same
// as on a file.
QStringList serverSchemaStatements(const QStringList& types, const QString& schemaName)
{
    QStringList typed;
    QStringList before;
    QStringList after;
    for (int c = 0; c < history::articleColumns().size(); ++c) {
        const QString& column = history::articleColumns()[c];
        typed << column + QLatin1Char(' ') + types[c];
        before << QStringLiteral("OLD.") + column;
        after << QStringLiteral("NEW.") + column;
    }
    return QStringList{
               QStringLiteral("CREATE TABLE ardentry_history (version bigint GENERATED BY "
                              "DEFAULT AS IDENTITY PRIMARY KEY, article %1, article_row bigint, "
                              "trash bigint, changed_at timestamptz NOT NULL, changed_by text, "
                              "%2)")
                   .arg(types.first(), typed.join(QStringLiteral(", "))),
               QStringLiteral("CREATE INDEX ardentry_history_article ON ardentry_history "
                              "(article)"),
               // Only versions in the trash: the server's planner, lacking figures for a new
               // table, would otherwise read the whole index for "trash IS NULL" in every
               // trigger call.
               QStringLiteral("CREATE INDEX ardentry_history_trash ON ardentry_history (trash) "
                              "WHERE trash IS NOT NULL"),
               QStringLiteral("CREATE TABLE ardentry_trash (entry bigint GENERATED BY DEFAULT AS "
                              "IDENTITY PRIMARY KEY, article_row bigint, deleted_at timestamptz "
                              "NOT NULL, deleted_by text, %1)")
                   .arg(typed.join(QStringLiteral(", ")))} +
           serverFunctionStatements(schemaName) +
           QStringList{
               QStringLiteral("CREATE TRIGGER ardentry_history_ar_update AFTER UPDATE ON AR FOR "
                              "EACH ROW WHEN ((%1) IS DISTINCT FROM (%2)) EXECUTE FUNCTION "
                              "ardentry_history_ar_update()")
                   .arg(before.join(QStringLiteral(", ")), after.join(QStringLiteral(", "))),
               QStringLiteral("CREATE TRIGGER ardentry_history_ar_renumber AFTER UPDATE OF ID ON "
                              "AR FOR EACH ROW WHEN (OLD.ID IS DISTINCT FROM NEW.ID) EXECUTE "
                              "FUNCTION ardentry_history_ar_renumber()"),
               QStringLiteral("CREATE TRIGGER ardentry_trash_ar_delete AFTER DELETE ON AR FOR "
                              "EACH ROW EXECUTE FUNCTION ardentry_trash_ar_delete()"),
           };
}

// On a server: whoever has rights on the articles gets the same rights on the history and the
// trash (to read them, restore and empty the trash), and may read which additions the database
// has. Later grants on the articles are the administrator's to repeat.
const char* const kServerGrants =
    "DO $grants$ DECLARE g record; BEGIN FOR g IN SELECT DISTINCT a.privilege_type AS what, "
    "CASE WHEN a.grantee = 0 THEN 'PUBLIC' ELSE quote_ident(pg_get_userbyid(a.grantee)) END AS "
    "who FROM pg_class c, aclexplode(c.relacl) a WHERE c.oid = 'ar'::regclass AND "
    "a.privilege_type IN ('SELECT', 'INSERT', 'UPDATE', 'DELETE') LOOP EXECUTE "
    "format('GRANT %s ON ardentry_history, ardentry_trash TO %s', g.what, g.who); IF g.what = "
    "'SELECT' THEN EXECUTE format('GRANT SELECT ON ardentry_schema TO %s', g.who); END IF; END "
    "LOOP; END $grants$";

// The history's own statements on each engine.
struct Dialect {
    // The columns of AR: name, and on a server its type.
    QString columns;
    // The row key a server's table needs beside the twenty columns; empty for a file.
    QString rowKey;
    // The statements that add the tables and triggers (`types`: the columns' types; `schema`
    // the database's schema, quoted), then those that share the rights on the articles.
    QStringList (*schema)(QSqlDatabase& database, const QStringList& types);
    QString grants;
    // Whether this connection may change the articles, and add the history.
    bool (*mayWrite)(Connection& connection);
    bool (*mayInstall)(Connection& connection);
};

bool fileMayWrite(Connection& connection)
{
    return sqlite3_db_readonly(backup::engineHandle(connection), "main") == 0;
}

bool serverMayWrite(Connection& connection)
{
    return run(connection.database(),
               QStringLiteral("SELECT has_table_privilege('ar', 'UPDATE') AND "
                              "current_setting('transaction_read_only') = 'off'"),
               {},
               QCoreApplication::translate("History", "The rights on the database cannot be read"))
        .scalar()
        .toBool();
}

bool serverMayInstall(Connection& connection)
{
    return run(connection.database(),
               QStringLiteral("SELECT has_schema_privilege(current_schema(), 'CREATE') "
                              "AND has_table_privilege('ar', 'TRIGGER')"),
               {},
               QCoreApplication::translate("History", "The rights on the database cannot be read"))
        .scalar()
        .toBool();
}

const Dialect& dialectOf(const QSqlDatabase& handle)
{
    static const Dialect file{
        QStringLiteral("SELECT name, '' FROM pragma_table_info('AR')"),
        QString(),
        [](QSqlDatabase&, const QStringList&) { return fileSchemaStatements(); },
        QString(),
        &fileMayWrite,
        [](Connection&) { return true; },
    };
    // (A type of the server's own without a plain name, an array say, goes by its own.)
    static const Dialect server{
        QStringLiteral("SELECT column_name, CASE WHEN data_type IN ('USER-DEFINED', 'ARRAY') "
                       "THEN format('%I.%I', udt_schema, udt_name) ELSE data_type END FROM "
                       "information_schema.columns WHERE table_schema = current_schema() AND "
                       "table_name = 'ar'"),
        QStringLiteral("rowid"),
        [](QSqlDatabase& database, const QStringList& types) {
            return serverSchemaStatements(types, schema::serverSchema(database));
        },
        QString::fromLatin1(kServerGrants),
        &serverMayWrite,
        &serverMayInstall,
    };
    return db::Engine::of(handle).pick(file, server);
}

// Checks that the article table has the twenty columns (and on a server its row key); returns
// their types in the order of articleColumns() (empty texts for a file).
QStringList articleColumnTypes(QSqlDatabase& database, const QString& failure)
{
    const Dialect& dialect = dialectOf(database);
    QHash<QString, QString> present; // lower-case name -> type
    {
        db::Query query = run(database, dialect.columns, {}, failure);
        while (query.next())
            present.insert(query.value(0).toString().toLower(), query.value(1).toString());
    }
    QStringList types;
    QStringList needed = history::articleColumns();
    if (!dialect.rowKey.isEmpty())
        needed << dialect.rowKey;
    for (const QString& column : needed) {
        const auto found = present.constFind(column.toLower());
        if (found == present.constEnd())
            throw DbError(DbError::Kind::NotFound,
                          QCoreApplication::translate(
                              "History", "The table \"AR\" has no column \"%1\", so the history "
                                         "of articles cannot be kept.")
                              .arg(column));
        types << found.value();
    }
    return types;
}

QDateTime fromEngineTime(const QString& text)
{
    QDateTime when = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    if (!when.isValid())
        when = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    when.setTimeZone(QTimeZone::utc());
    return when.toLocalTime();
}

bool isInteger(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

bool isNumber(const QVariant& value)
{
    return isInteger(value) || value.typeId() == QMetaType::Double;
}

// Two stored values are the same when they have the same kind and the same content.
bool sameValue(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    if (isInteger(a) && isInteger(b))
        return a.toLongLong() == b.toLongLong();
    if (isNumber(a) || isNumber(b))
        return isNumber(a) && isNumber(b) && isInteger(a) == isInteger(b) &&
               a.toDouble() == b.toDouble();
    const bool aBytes = a.typeId() == QMetaType::QByteArray;
    if (aBytes != (b.typeId() == QMetaType::QByteArray))
        return false;
    return aBytes ? a.toByteArray() == b.toByteArray() : a.toString() == b.toString();
}

// An article number as rsMain shows it, typed as the column holds it: Null for "", a number for
// a number text, else the text.
QVariant numberValue(const QString& shown)
{
    if (shown.isEmpty())
        return QVariant();
    if (const std::optional<QVariant> number = textmatch::parseNumber(shown))
        return *number;
    return shown;
}

QString shownNumber(const QVariant& number)
{
    if (number.isNull())
        return QStringLiteral("(none)");
    if (isInteger(number))
        return textmatch::numberText(number.toLongLong());
    if (number.typeId() == QMetaType::Double)
        return textmatch::numberText(number.toDouble());
    return number.toString();
}

QVariantList rowValues(const db::Query& query, int first)
{
    QVariantList values;
    for (int c = 0; c < history::articleColumns().size(); ++c)
        values << (query.isNull(first + c) ? QVariant() : query.value(first + c));
    return values;
}

// The row key of the one article with that number. Throws DbError(NotFound) for none or several.
qint64 rowOfNumber(QSqlDatabase& database, const QVariant& number, const QString& failure)
{
    QVariantList binds;
    db::Query query = run(database,
                          QStringLiteral("SELECT rowid FROM AR WHERE %1 LIMIT 2")
                              .arg(matching(QStringLiteral("ID"), number, binds)),
                          binds, failure);
    if (!query.next())
        throw DbError(
            DbError::Kind::NotFound,
            QCoreApplication::translate("History", "No article has the number %1 any more.")
                .arg(shownNumber(number)));
    const qint64 row = query.value(0).toLongLong();
    if (query.next())
        throw DbError(
            DbError::Kind::NotFound,
            QCoreApplication::translate("History", "More than one article has the number %1.")
                .arg(shownNumber(number)));
    return row;
}

} // namespace

const QStringList& history::articleColumns()
{
    static const QStringList columns{
        QStringLiteral("ID"),         QStringLiteral("CUName"),       QStringLiteral("techname"),
        QStringLiteral("Title"),      QStringLiteral("Problem"),      QStringLiteral("solution"),
        QStringLiteral("reference"),  QStringLiteral("InitialEntry"), QStringLiteral("EditedBy"),
        QStringLiteral("DateEdited"), QStringLiteral("Image1"),       QStringLiteral("Image2"),
        QStringLiteral("Image3"),     QStringLiteral("Image4"),       QStringLiteral("Image5"),
        QStringLiteral("Image6"),     QStringLiteral("Image7"),       QStringLiteral("Image8"),
        QStringLiteral("Image9"),     QStringLiteral("Image10")};
    return columns;
}

bool history::isInstalled(Connection& connection)
{
    return schema::has(openDatabase(connection), schema::History);
}

bool history::isWritable(Connection& connection)
{
    return dialectOf(openDatabase(connection)).mayWrite(connection);
}

bool history::mayInstall(Connection& connection)
{
    return isWritable(connection) && dialectOf(connection.database()).mayInstall(connection);
}

void history::createTables(QSqlDatabase& database)
{
    const QString failure = QCoreApplication::translate(
        "History", "The history of articles could not be added to the database");
    const Dialect& dialect = dialectOf(database);
    const QStringList types = articleColumnTypes(database, failure);
    for (const QString& sql : dialect.schema(database, types))
        run(database, sql, {}, failure);
    schema::markAdded(database, schema::History);
    if (!dialect.grants.isEmpty())
        run(database, dialect.grants, {}, failure);
}

void history::renewServerFunctions(QSqlDatabase& database)
{
    for (const QString& sql : serverFunctionStatements(schema::serverSchema(database)))
        run(database, sql, {},
            QCoreApplication::translate(
                "History", "The history of articles could not be renewed in the database"));
}

bool history::install(Connection& connection)
{
    QSqlDatabase& database = openDatabase(connection);
    Transaction transaction(
        connection, QCoreApplication::translate(
                        "History", "The history of articles could not be added to the database"));
    // Checked inside the transaction: another copy of the program may have added it meanwhile.
    if (schema::has(database, schema::History))
        return false;
    createTables(database);
    transaction.commit();
    return true;
}

QString history::loginName()
{
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    QByteArray buffer(size > 0 ? int(size) : 16384, '\0');
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), size_t(buffer.size()), &found) == 0 && found &&
        found->pw_name && *found->pw_name)
        return QString::fromLocal8Bit(found->pw_name);
    for (const char* variable : {"LOGNAME", "USER", "USERNAME"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty())
            return name;
    }
    return QString();
}

void history::recordWriter(Connection& connection, const QString& name)
{
    connection.setWriterName(name);
}

history::ArticleHistory history::articleHistory(Connection& connection, const QString& number)
{
    QSqlDatabase& database = openDatabase(connection);
    const QString failure =
        QCoreApplication::translate("History", "The history of the article cannot be read");
    const QVariant key = numberValue(number);
    const qint64 row = rowOfNumber(database, key, failure);
    ArticleHistory result;
    result.row = row;
    {
        db::Query query =
            run(database, QStringLiteral("SELECT %1 FROM AR WHERE rowid = ?").arg(columnList()),
                {row}, failure);
        if (query.next())
            result.current = rowValues(query, 0);
    }
    QVariantList binds;
    db::Query query = run(database,
                          QStringLiteral("SELECT version, %1, changed_by, %2 FROM "
                                         "ardentry_history WHERE %3 AND trash IS NULL "
                                         "ORDER BY version DESC")
                              .arg(timeText(database, QStringLiteral("changed_at")), columnList(),
                                   matching(QStringLiteral("article"), key, binds)),
                          binds, failure);
    const QVariantList* after = &result.current;
    while (query.next()) {
        Version version;
        version.id = query.value(0).toLongLong();
        version.when = fromEngineTime(query.value(1).toString());
        version.who = query.value(2).toString();
        version.values = rowValues(query, 3);
        result.versions << version;
    }
    // What a change altered: the version before it against the state after it.
    for (Version& version : result.versions) {
        for (int c = 0; c < articleColumns().size(); ++c) {
            if (!sameValue(version.values[c], after->value(c)))
                version.changed << articleColumns()[c];
        }
        after = &version.values;
    }
    return result;
}

qint64 history::restoreVersion(Connection& connection, qint64 version)
{
    QSqlDatabase& database = openDatabase(connection);
    const QString failure =
        QCoreApplication::translate("History", "The version could not be restored");
    Transaction transaction(connection, failure);
    QVariant article;
    QVariant number;
    {
        db::Query query = run(database,
                              QStringLiteral("SELECT article, ID FROM ardentry_history WHERE "
                                             "version = ? AND trash IS NULL"),
                              {version}, failure);
        if (!query.next())
            throw DbError(DbError::Kind::NotFound,
                          QCoreApplication::translate(
                              "History", "The version is no longer kept. Nothing was restored."));
        article = query.isNull(0) ? QVariant() : query.value(0);
        number = query.isNull(1) ? QVariant() : query.value(1);
    }
    const qint64 row = rowOfNumber(database, article, failure);
    if (!number.isNull() &&
        run(database, QStringLiteral("SELECT 1 FROM AR WHERE ID = ? AND rowid <> ? LIMIT 1"),
            {number, row}, failure)
            .next())
        throw DbError(DbError::Kind::Duplicate,
                      QCoreApplication::translate(
                          "History", "The version has the number %1, which another article holds "
                                     "now. Nothing was restored.")
                          .arg(shownNumber(number)));
    run(database,
        QStringLiteral("UPDATE AR SET (%1) = (SELECT %1 FROM ardentry_history WHERE version = ?) "
                       "WHERE rowid = ?")
            .arg(columnList()),
        {version, row}, failure);
    transaction.commit();
    return row;
}

QList<history::TrashEntry> history::trash(Connection& connection)
{
    QSqlDatabase& database = openDatabase(connection);
    db::Query query = run(database,
                          QStringLiteral("SELECT entry, ID, Title, Problem, solution, %1, "
                                         "deleted_by FROM ardentry_trash ORDER BY entry DESC")
                              .arg(timeText(database, QStringLiteral("deleted_at"))),
                          {}, QCoreApplication::translate("History", "The trash cannot be read"));
    QList<TrashEntry> entries;
    while (query.next()) {
        TrashEntry entry;
        entry.id = query.value(0).toLongLong();
        entry.number = query.isNull(1) ? QVariant() : query.value(1);
        entry.title = query.value(2).toString();
        entry.problem = query.value(3).toString();
        entry.solution = query.value(4).toString();
        entry.when = fromEngineTime(query.value(5).toString());
        entry.who = query.value(6).toString();
        entries << entry;
    }
    return entries;
}

qint64 history::restoreFromTrash(Connection& connection, qint64 entry, const QVariant& number)
{
    QSqlDatabase& database = openDatabase(connection);
    const QString failure =
        QCoreApplication::translate("History", "The article could not be restored");
    Transaction transaction(connection, failure);
    QVariant target = number;
    {
        db::Query query =
            run(database, QStringLiteral("SELECT ID FROM ardentry_trash WHERE entry = ?"), {entry},
                failure);
        if (!query.next())
            throw DbError(
                DbError::Kind::NotFound,
                QCoreApplication::translate("History", "The article is no longer in the trash."));
        if (!target.isValid())
            target = query.isNull(0) ? QVariant() : query.value(0);
    }
    if (!target.isNull() && numberTakenIn(database, target))
        throw DbError(DbError::Kind::Duplicate,
                      QCoreApplication::translate(
                          "History", "Another article has the number %1. Nothing was restored.")
                          .arg(shownNumber(target)));
    QStringList others = articleColumns().mid(1);
    const db::Engine& engine = connection.engine();
    db::Query insert =
        run(database,
            engine.insertGivingKey(QStringLiteral("INSERT INTO AR (%1) SELECT ?, %2 FROM "
                                                  "ardentry_trash WHERE entry = ?")
                                       .arg(columnList(), others.join(QStringLiteral(", "))),
                                   QStringLiteral("rowid")),
            {target, entry}, failure);
    const qint64 row = engine.insertedKey(insert);
    run(database,
        QStringLiteral("UPDATE ardentry_history SET trash = NULL, article = ?, article_row = ? "
                       "WHERE trash = ?"),
        {target, row, entry}, failure);
    run(database, QStringLiteral("DELETE FROM ardentry_trash WHERE entry = ?"), {entry}, failure);
    transaction.commit();
    return row;
}

int history::emptyTrash(Connection& connection)
{
    QSqlDatabase& database = openDatabase(connection);
    const QString failure =
        QCoreApplication::translate("History", "The trash could not be emptied");
    Transaction transaction(connection, failure);
    db::Query count =
        run(database, QStringLiteral("SELECT count(*) FROM ardentry_trash"), {}, failure);
    const int removed = count.next() ? count.value(0).toInt() : 0;
    count.finish();
    run(database, QStringLiteral("DELETE FROM ardentry_history WHERE trash IS NOT NULL"), {},
        failure);
    run(database, QStringLiteral("DELETE FROM ardentry_trash"), {}, failure);
    transaction.commit();
    return removed;
}

bool history::numberTaken(Connection& connection, const QVariant& number)
{
    return numberTakenIn(openDatabase(connection), number);
}

namespace
{
bool numberTakenIn(QSqlDatabase& database, const QVariant& number)
{
    QVariantList binds;
    return run(database,
               QStringLiteral("SELECT 1 FROM AR WHERE %1 LIMIT 1")
                   .arg(matching(QStringLiteral("ID"), number, binds)),
               binds, QCoreApplication::translate("History", "The article numbers cannot be read"))
        .next();
}
} // namespace

qlonglong history::nextFreeNumber(Connection& connection)
{
    return nextFreeNumber(
        connection, QCoreApplication::translate("History", "The article numbers cannot be read"));
}

qlonglong history::nextFreeNumber(Connection& connection, const QString& failure)
{
    db::Query query = run(openDatabase(connection),
                          QStringLiteral("SELECT max(ID) FROM AR") +
                              connection.engine().onlyWholeNumbers(QStringLiteral("ID")),
                          {}, failure);
    return query.next() && !query.isNull(0) ? query.value(0).toLongLong() + 1 : 1;
}

int history::positionOf(Connection& connection, qint64 row)
{
    // The order of rsMain: by number (Null first), then by row key.
    QSqlDatabase& database = openDatabase(connection);
    db::Query query =
        run(database,
            QStringLiteral("SELECT count(*) FROM AR, (SELECT ID AS k FROM AR WHERE "
                           "rowid = ?) t WHERE AR.ID < t.k OR (AR.ID %1 t.k AND "
                           "AR.rowid < ?) OR (AR.ID IS NULL AND t.k IS NOT NULL)")
                .arg(connection.engine().sameAs()),
            {row, row}, QCoreApplication::translate("History", "The articles cannot be read"));
    return query.next() ? query.value(0).toInt() + 1 : 0;
}

history::StoredArticle history::storedArticle(Connection& connection, qint64 row)
{
    StoredArticle result;
    QSqlDatabase& database = openDatabase(connection);
    const QString failure = QCoreApplication::translate("History", "The article cannot be read");
    {
        db::Query query =
            run(database, QStringLiteral("SELECT %1 FROM AR WHERE rowid = ?").arg(columnList()),
                {row}, failure);
        if (!query.next())
            return result;
        result.exists = true;
        result.values = rowValues(query, 0);
    }
    if (!isInstalled(connection))
        return result;
    db::Query query = run(database,
                          QStringLiteral("SELECT %1, changed_by FROM ardentry_history WHERE "
                                         "article_row = ? AND trash IS NULL ORDER BY version "
                                         "DESC LIMIT 1")
                              .arg(timeText(database, QStringLiteral("changed_at"))),
                          {row}, failure);
    if (query.next()) {
        result.changeKnown = true;
        result.when = fromEngineTime(query.value(0).toString());
        result.who = query.value(1).toString();
    }
    return result;
}
