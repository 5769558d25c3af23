// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestFolder.h"

#include "core/Connection.h"
#include "core/History.h"
#include "core/QuickSearch.h"
#include "core/RecordSet.h"
#include "core/SearchNarrowing.h"
#include "core/ServerAddress.h"
#include "core/TextMatch.h"
#include "core/Transaction.h"

#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QtTest>

#include <memory>
#include <optional>
#include <thread>

namespace
{
const char* const kArticles = "SELECT * FROM AR ORDER BY ID";

// One user of the database: a connection and the article record set, as the program has them.
struct Client {
    Connection connection;
    RecordSet articles;

    explicit Client(const QString& path)
    {
        connection.open(path);
        articles.setActiveConnection(connection);
        articles.open(kArticles);
    }

    // The number Add New gives: one more than the largest.
    QString nextNumber()
    {
        QSqlQuery query(connection.database());
        return query.exec("SELECT MAX(ID) + 1 FROM AR") && query.next() ? query.value(0).toString()
                                                                        : QString();
    }

    void moveTo(int position)
    {
        articles.moveFirst();
        while (articles.absolutePosition() < position)
            articles.moveNext();
    }

    // The kind of failure of updateBatch(), or "saved".
    QString save(const QString& unique = QString())
    {
        try {
            articles.updateBatch(unique);
            return "saved";
        } catch (const DbError& e) {
            return e.kind() == DbError::Kind::Conflict    ? "conflict"
                   : e.kind() == DbError::Kind::Duplicate ? "duplicate"
                                                          : "failed: " + e.message();
        }
    }
};
// A login role of the test server for one test, dropped with what it owns.
struct Role {
    Role(const TestFolder& folder, const QString& kind, const QString& grants)
        : db(folder), name(QString("%1_%2").arg(kind).arg(QCoreApplication::applicationPid()))
    {
        db.exec("CREATE ROLE " + name + " LOGIN");
        if (!grants.isEmpty())
            db.exec(QString(grants).replace("$role", name));
    }
    ~Role()
    {
        db.exec("DROP OWNED BY " + name);
        db.exec("DROP ROLE " + name);
    }
    // The database's address with this role as its user.
    QString address() const
    {
        ServerAddress address;
        ServerAddress::parse(db.dbPath(), address);
        address.user = name;
        return address.display();
    }
    const TestFolder& db;
    QString name;
};

const char* const kEdits = "GRANT SELECT, INSERT, UPDATE, DELETE ON ar TO $role";

// From a connection of its own, ends the session of the database that waits on `event` (as
// pg_stat_activity names it) as soon as one does; false when none did within 30 seconds.
bool endSessionWaitingOn(const QString& address, const QString& event)
{
    Connection killer;
    killer.open(address);
    QSqlQuery query(killer.database());
    const QString waiting = "FROM pg_stat_activity WHERE datname = current_database() AND "
                            "wait_event = '" +
                            event + "'";
    return query.exec("DO $$ BEGIN FOR i IN 1..600 LOOP PERFORM pg_stat_clear_snapshot(); IF "
                      "EXISTS (SELECT 1 " +
                      waiting + ") THEN PERFORM pg_terminate_backend(pid) " + waiting +
                      "; RETURN; END IF; PERFORM pg_sleep(0.05); END LOOP; RAISE "
                      "EXCEPTION 'no session waited'; END $$");
}
} // namespace

class tst_Server : public QObject
{
    Q_OBJECT

private slots:
    // The ways libpq writes an address: each reads as the same server, shows without its
    // password and, given the test server's socket, reaches it (through the hosts in turn).
    void addresses_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown"); // "down: <shown>" for no server, "refused: <reason>"
        const auto row = [](const char* typed, const char* shown) {
            QTest::newRow(typed) << QString(typed) << QString(shown);
        };
        row("postgresql://ardentry@$enc/$db", "postgresql://ardentry@$enc/$db");
        row("postgres://ardentry:pa%3As%40s@$enc/$db", "postgresql://ardentry@$enc/$db");
        row("postgresql://ardentry@/$db?host=$dir", "postgresql://ardentry@$enc/$db");
        row("postgresql:///$db?user=ardentry&host=$dir&password=x&connect_timeout=3",
            "postgresql://ardentry@$enc/$db?connect_timeout=3");
        row("postgresql://ardentry@$enc:5432/$db", "postgresql://ardentry@$enc:5432/$db");
        row("postgresql://u@[::1]:6543/kb", "postgresql://u@[::1]:6543/kb");
        row("postgresql://ardentry@%2Fnowhere,$enc/$db?target_session_attrs=read-write",
            "postgresql://ardentry@%2Fnowhere,$enc/$db?target_session_attrs=read-write");
        row("postgresql://ardentry:x@%2Fnowhere:5433,$enc:5432/$db",
            "postgresql://ardentry@%2Fnowhere:5433,$enc:5432/$db");
        row("postgresql://ardentry@/$db?host=/nowhere,$dir&port=5433,5432",
            "postgresql://ardentry@%2Fnowhere:5433,$enc:5432/$db");
        row("postgresql://ardentry@$enc:5999,%2Fnowhere:5432/$db",
            "down: postgresql://ardentry@$enc:5999,%2Fnowhere:5432/$db");
        row("postgresql://u@h1,[::2]/kb?port=5433", "postgresql://u@h1:5433,[::2]:5433/kb");
        row("postgresql://u@h1,h2/kb?port=5432,5433,5434",
            "refused: The server address \"postgresql://u@h1,h2/kb\" names 2 hosts but 3 ports");
        row("postgresql://u@h1:54e2/kb", "refused: The server address \"postgresql://u@h1/kb\" has "
                                         "the port \"54e2\"");
        row("postgresql://u@host:0/kb", "refused: The server address");
        row("postgresql://u@host/", "refused: The server address \"postgresql://u@host/\" names "
                                    "no database");
        row("postgresql://u@host/kb?bad key=1", "refused: The server address");
        row("/srv/postgresql://x.db",
            "refused: \"/srv/postgresql://x.db\" is not a server address");
    }

    void addresses()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TestFolder folder(TestFolder::Engine::Server);
        ServerAddress server;
        QVERIFY(ServerAddress::parse(folder.dbPath(), server));
        const QString encoded = QUrl::toPercentEncoding(server.hosts.value(0));
        for (QString* text : {&typed, &shown})
            text->replace("$enc", encoded)
                .replace("$dir", server.hosts.value(0))
                .replace("$db", server.database);
        ServerAddress address;
        QString error;
        const bool read = ServerAddress::parse(typed, address, &error);
        const bool down = shown.startsWith("down: ");
        if (down)
            shown.remove(0, 6);
        QCOMPARE(read ? address.display() : "refused: " + error.left(shown.size() - 9), shown);
        if (!read || !address.hosts.contains(server.hosts.value(0)))
            return;
        Connection connection;
        if (down) {
            QVERIFY_THROWS_EXCEPTION(DbError, connection.open(typed));
            return;
        }
        connection.open(typed);
        QCOMPARE(connection.displayPath(), shown);
        QCOMPARE(connection.engineName(), "PostgreSQL");
        QSqlQuery query(connection.database());
        QVERIFY(query.exec("SELECT count(*) FROM AR") && query.next());
        QCOMPARE(query.value(0).toInt(), 1);
    }

    void twoClients_data()
    {
        QTest::addColumn<TestFolder::Engine>("engine");
        QTest::addColumn<QString>("scenario");
        for (const auto engine : {TestFolder::Engine::File, TestFolder::Engine::Server}) {
            for (const char* scenario :
                 {"stale overwrite", "add new", "row deleted meanwhile", "rule refuses"})
                QTest::addRow("%s, %s", TestFolder::engineName(engine), scenario)
                    << engine << QString(scenario);
        }
    }

    // Two users of one database: what one saved is never overwritten unseen by the other, two
    // new articles never share a number, and a batch that fails part-way writes nothing.
    void twoClients()
    {
        QFETCH(TestFolder::Engine, engine);
        QFETCH(QString, scenario);
        const TestFolder db(engine);
        db.fillArticles(3);
        const bool server = engine == TestFolder::Engine::Server;
        if (scenario == "rule refuses") {
            db.exec(server ? "CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN IF "
                             "new.problem = 'refused' THEN RAISE EXCEPTION 'refused by a rule'; "
                             "END IF; RETURN new; END $$ LANGUAGE plpgsql"
                           : "CREATE TRIGGER refuse BEFORE UPDATE ON AR WHEN new.Problem = "
                             "'refused' BEGIN SELECT RAISE(ABORT, 'refused by a rule'); END");
            if (server)
                db.exec("CREATE TRIGGER refuse BEFORE UPDATE ON ar FOR EACH ROW EXECUTE "
                        "FUNCTION refuse()");
        }
        Client a(db.dbPath()), b(db.dbPath());
        QCOMPARE(a.articles.value("Problem"), "Problem 1");
        QCOMPARE(b.articles.value("Problem"), "Problem 1");
        const auto problems = [&] {
            QStringList texts;
            for (const QVariantList& row : db.rows("SELECT ID, Problem FROM AR ORDER BY ID"))
                texts << row[0].toString() + ":" + row[1].toString();
            return texts.join(" | ");
        };

        if (scenario == "stale overwrite") {
            a.articles.collect("Problem", "A's text");
            QCOMPARE(a.save(), "saved");
            b.articles.collect("Problem", "B's text");
            QCOMPARE(b.save(), "conflict");
            QCOMPARE(problems(), "1:A's text | 2:Problem 2 | 3:Problem 3");
        } else if (scenario == "add new") {
            const QString number = a.nextNumber();
            QCOMPARE(b.nextNumber(), number);
            for (Client* client : {&a, &b}) {
                client->articles.addNew();
                client->articles.collect("ID", number);
                client->articles.collect("Problem", client == &a ? "new A" : "new B");
            }
            QCOMPARE(a.save("ID"), "saved");
            QCOMPARE(b.save("ID"), "duplicate");
            b.articles.collect("ID", b.nextNumber());
            QCOMPARE(b.save("ID"), "saved");
            QCOMPARE(problems(), "1:Problem 1 | 2:Problem 2 | 3:Problem 3 | 4:new A | 5:new B");
        } else {
            // B changes all three articles in one batch; the last one cannot be written.
            for (int position = 1; position <= 3; ++position) {
                b.moveTo(position);
                b.articles.collect("Problem", position == 3 ? "refused" : "changed");
            }
            if (scenario == "row deleted meanwhile") {
                a.moveTo(3);
                a.articles.deleteCurrent();
                QCOMPARE(a.save(), "saved");
                QCOMPARE(b.save(), "conflict");
            } else {
                QVERIFY(b.save().contains("refused by a rule"));
            }
            QVERIFY(b.articles.hasPendingChanges());
            QVERIFY(problems().startsWith("1:Problem 1 | 2:Problem 2"));
        }
    }

    void editorGainsNothing_data()
    {
        QTest::addColumn<QStringList>("attack"); // run by the editor before it saves
        // What the attack runs with the rights of whoever calls it: superuser, every table, no
        // history; harmless (and silent) with the editor's own.
        const QString payload =
            "BEGIN EXECUTE 'ALTER ROLE $role SUPERUSER'; EXECUTE 'GRANT ALL ON ALL TABLES IN "
            "SCHEMA public TO $role'; EXECUTE 'DELETE FROM public.ardentry_history'; EXCEPTION "
            "WHEN OTHERS THEN NULL; END;";
        QTest::newRow("temporary table")
            << QStringList{"CREATE FUNCTION pg_temp.evil() RETURNS trigger LANGUAGE plpgsql AS "
                           "$f$ BEGIN " +
                               payload + " RETURN NULL; END $f$",
                           "CREATE TEMP TABLE ardentry_search (rowid bigint, document tsvector, "
                           "title tsvector)",
                           "CREATE TRIGGER evil AFTER INSERT OR DELETE ON ardentry_search FOR EACH "
                           "ROW EXECUTE FUNCTION pg_temp.evil()"};
        QTest::newRow("function in its schema")
            << QStringList{"CREATE FUNCTION public.to_tsvector(text, text) RETURNS tsvector "
                           "LANGUAGE plpgsql AS $f$ BEGIN " +
                           payload + " RETURN pg_catalog.to_tsvector($2); END $f$"};
        QTest::newRow("operator in its schema")
            << QStringList{"CREATE FUNCTION public.evil(bigint, bigint) RETURNS boolean LANGUAGE "
                           "plpgsql AS $f$ BEGIN " +
                               payload +
                               " RETURN $1 OPERATOR(pg_catalog.=) "
                               "$2; END $f$",
                           "CREATE OPERATOR public.= (LEFTARG = bigint, RIGHTARG = bigint, "
                           "FUNCTION = public.evil)"};
    }

    // An editor of the articles (who may also create objects in the articles' schema) shadows
    // what the triggers use, then saves: the triggers, which run with their owner's rights, use
    // the program's own objects only.
    void editorGainsNothing()
    {
        QFETCH(QStringList, attack);
        const TestFolder db({false, 0, true}, TestFolder::Engine::Server);
        db.fillArticles(3);
        const Role editor(db, "editor",
                          QString(kEdits) + "; GRANT CREATE ON SCHEMA public TO $role");
        {
            Connection owner;
            owner.open(db.dbPath());
            QVERIFY(history::install(owner));
        }
        const QString grants = QString("SELECT count(*) FROM pg_class c, aclexplode(c.relacl) a "
                                       "WHERE a.grantee = '%1'::regrole")
                                   .arg(editor.name);
        const QVariant granted = db.scalar(grants);
        Client client(editor.address());
        QSqlQuery query(client.connection.database());
        for (const QString& sql : attack)
            QVERIFY2(query.exec(QString(sql).replace("$role", editor.name)),
                     qPrintable(query.lastError().text()));
        client.articles.collect("Title", "Edited by the clerk");
        QCOMPARE(client.save(), "saved");
        QCOMPARE(db.scalar("SELECT rolsuper FROM pg_roles WHERE rolname = ?", {editor.name}),
                 QVariant(false));
        QCOMPARE(db.scalar(grants), granted);
        QCOMPARE(db.scalar("SELECT count(*) FROM ardentry_history WHERE article = 1").toInt(), 1);
        QCOMPARE(db.scalar("SELECT count(*) FROM ardentry_search s JOIN ar USING (rowid) WHERE "
                           "ar.id = 1 AND s.title @@ to_tsquery('ardentry_search_text', 'clerk')")
                     .toInt(),
                 1);
    }

    void writersOverlap_data()
    {
        QTest::addColumn<TestFolder::Engine>("engine");
        for (const auto engine : {TestFolder::Engine::File, TestFolder::Engine::Server})
            QTest::newRow(TestFolder::engineName(engine)) << engine;
    }

    // Two programs adding articles at the same time, each on its own connection: each saves the
    // number Add New proposes as unique and takes the next one when it is refused. The second
    // writer waits for the first, so a number checked free is still free when it is written.
    void writersOverlap()
    {
        QFETCH(TestFolder::Engine, engine);
        const TestFolder db(engine);
        db.fillArticles(1);
        constexpr int kAdds = 30;
        const QString path = db.dbPath();
        QStringList failures[2];
        const auto add = [&path](QStringList* failed) {
            Client client(path);
            for (int added = 0; added < kAdds && failed->isEmpty();) {
                client.articles.addNew();
                client.articles.collect("Problem", "added");
                QString said;
                do {
                    client.articles.collect("ID", client.nextNumber());
                    said = client.save("ID");
                } while (said == "duplicate");
                if (said == "saved")
                    ++added;
                else
                    *failed << said;
            }
        };
        std::thread other(add, &failures[1]);
        add(&failures[0]);
        other.join();
        QCOMPARE(failures[0] + failures[1], QStringList());
        QCOMPARE(db.scalar("SELECT count(*) FROM AR").toInt(), 2 * kAdds + 1);
        QCOMPARE(db.scalar("SELECT count(DISTINCT ID) FROM AR").toInt(), 2 * kAdds + 1);
    }

    void writersTakeTurns_data()
    {
        QTest::addColumn<QString>("holder"); // who holds a transaction open: reader, owner, none
        QTest::addColumn<QString>("held");   // what it runs in it
        QTest::addColumn<bool>("refused");   // whether the server refuses it that
        QTest::addColumn<QString>("saver");  // who saves then: writer, reader
        QTest::addColumn<QString>("said");   // "saved" or what the failure says
        const QString lock = "SELECT 1 FROM ardentry_turn FOR UPDATE";
        QTest::newRow("a reader cannot take the turn") << "reader" << lock << true << "writer"
                                                       << "saved";
        QTest::newRow("a reader cannot lock the turn's table")
            << "reader"
            << "LOCK TABLE ardentry_turn IN EXCLUSIVE MODE" << true << "writer"
            << "saved";
        QTest::newRow("a reader's advisory lock holds no one")
            << "reader"
            << "SELECT pg_advisory_xact_lock(1098015845)" << false << "writer"
            << "saved";
        QTest::newRow("a writer waits too long")
            << "owner" << lock << false << "writer"
            << ": Another session holds the database for writing; try again. The server said: "
               "canceling statement due to lock timeout. Nothing was saved.";
        QTest::newRow("a reader saves")
            << "none" << QString() << false << "reader"
            << ": You may read the articles but not change them (the server refused: permission "
               "denied for table ar). Nothing was saved.";
    }

    // Writers take turns on something only writers may take: a reader holds up no save, and
    // a save that waits too long, or is not allowed, says so in words.
    void writersTakeTurns()
    {
        QFETCH(QString, holder);
        QFETCH(QString, held);
        QFETCH(bool, refused);
        QFETCH(QString, saver);
        QFETCH(QString, said);
        const TestFolder db(TestFolder::Engine::Server);
        db.fillArticles(3);
        const Role reader(db, "reader", "GRANT SELECT ON ar TO $role");
        const Role writer(db, "writer", kEdits);
        Connection holding;
        holding.open(db.dbPath()); // the owner's program gives the writer the turn
        holding.open(holder == "reader" ? reader.address() : db.dbPath());
        QSqlQuery query(holding.database());
        QVERIFY(query.exec("BEGIN"));
        if (!held.isEmpty()) {
            QCOMPARE(query.exec(held), !refused);
            if (refused)
                QCOMPARE(query.lastError().nativeErrorCode(), "42501");
        }
        Client client(saver == "reader" ? reader.address() : writer.address());
        client.articles.collect("Problem", "Saved meanwhile");
        const QString result = client.save();
        QVERIFY2(said == "saved" ? result == said : result.endsWith(said), qPrintable(result));
    }

    // A database made by an earlier version: its owner's program renews the triggers' functions
    // and adds the turn, the search indexes and the pictures' tables; another role's program works
    // on with it as it is.
    void ownerRenewsOlderDatabase()
    {
        const TestFolder db({false, 0, true}, TestFolder::Engine::Server);
        db.fillArticles(3);
        const Role writer(db, "writer", kEdits);
        const QString functions = "ardentry_search_row(), ardentry_search_truncate()";
        db.exec("ALTER FUNCTION ardentry_search_row() RESET search_path");
        db.exec("GRANT EXECUTE ON FUNCTION " + functions + " TO PUBLIC");
        db.exec("DROP TABLE ardentry_turn");
        db.exec("DROP INDEX ardentry_narrow_problem");
        db.exec("DROP FUNCTION ardentry_picture_use_ar() CASCADE");
        db.exec("DROP TABLE ardentry_picture_use, ardentry_thumbnail, ardentry_picture");
        db.exec("UPDATE ardentry_schema SET additions = 1");
        const QString state =
            "SELECT count(*) FILTER (WHERE proconfig = '{\"search_path=public, pg_temp\"}' AND "
            "NOT has_function_privilege('" +
            writer.name +
            "', oid, 'EXECUTE')) || ' ' || "
            "(SELECT additions FROM ardentry_schema) || ' ' || coalesce(has_table_privilege('" +
            writer.name +
            "', to_regclass('ardentry_turn'), 'UPDATE'), false) || ' ' || "
            "(to_regclass('ardentry_narrow_problem') IS NOT NULL) FROM pg_proc WHERE "
            "prosecdef AND proname IN ('ardentry_search_row', 'ardentry_search_truncate')";
        {
            Client client(writer.address());
            client.articles.collect("Problem", "Saved by another");
            QCOMPARE(client.save(), "saved");
        }
        QVERIFY(db.scalar("SELECT to_regclass('ardentry_turn') IS NULL").toBool());
        Connection owner;
        owner.open(db.dbPath());
        QCOMPARE(db.scalar(state).toString(), "2 61 true true");
    }

    // The search indexes that were left out when a large database was brought up to date: its
    // owner may build them (another role is never offered that), in one transaction with the
    // server's progress. Stopped at any moment (before the first index, between the two, while
    // the server waits for another session's hold on the articles), the database is as it was.
    void searchIndexesBuilt_data()
    {
        QTest::addColumn<int>("stopAt"); // the report that stops the build; 0: none
        QTest::addColumn<bool>("held");
        QTest::newRow("built") << 0 << false;
        QTest::newRow("stopped at once") << 1 << false;
        QTest::newRow("stopped after the first") << 2 << false;
        QTest::newRow("stopped while waiting") << 3 << true;
    }

    void searchIndexesBuilt()
    {
        QFETCH(int, stopAt);
        QFETCH(bool, held);
        const TestFolder db(TestFolder::Engine::Server);
        db.fillArticles(50);
        const QString state =
            "SELECT (SELECT additions FROM ardentry_schema) || ' ' || count(*) FROM pg_index i "
            "JOIN pg_class c ON c.oid = i.indexrelid WHERE c.relname LIKE "
            "'ardentry\\_narrow\\_%' AND i.indisvalid";
        const QString complete = db.scalar(state).toString();
        db.exec("DROP INDEX ardentry_narrow_problem, ardentry_narrow_solution");
        const Role writer(db, "writer", kEdits);
        Connection other;
        other.open(writer.address());
        QVERIFY(!searchnarrowing::mayBuild(other.database()));
        Connection owner;
        owner.open(db.dbPath());
        QVERIFY(searchnarrowing::mayBuild(owner.database()));
        Connection holder;
        if (held) {
            holder.open(db.dbPath());
            QSqlQuery hold(holder.database());
            QVERIFY(hold.exec("BEGIN") && hold.exec("LOCK TABLE ar IN ROW EXCLUSIVE MODE"));
        }
        // Unrecorded as well, so that what the build records shows.
        db.exec("UPDATE ardentry_schema SET additions = additions - 32");
        const QString before = db.scalar(state).toString();
        int reports = 0;
        qint64 last = 0;
        bool forward = true;
        const bool built = searchnarrowing::build(owner, [&](qint64 done, qint64 total) {
            forward = forward && done >= last && done <= total;
            last = done == total ? -1 : done;
            return ++reports != stopAt;
        });
        QCOMPARE(built, stopAt == 0);
        QCOMPARE(db.scalar(state).toString(), built ? complete : before);
        QCOMPARE(forward && last == -1, built);
        QCOMPARE(searchnarrowing::mayBuild(owner.database()), !built);
    }

    // The server keeps back the rows whose text cannot match before the program compares the
    // rest: random texts and needles of letters that fold into one another give exactly what
    // the program's own comparison finds among all rows, through the index and without it.
    void searchNarrowsExactly_data()
    {
        QTest::addColumn<bool>("indexed");
        QTest::newRow("index") << true;
        QTest::newRow("no index") << false;
    }

    void searchNarrowsExactly()
    {
        QFETCH(bool, indexed);
        // Only these non-ASCII characters fold into (or with) ASCII: the narrowing lets any run
        // stand for "k", "s", ";" and "`", and for every character beyond ASCII.
        for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
            if (QChar::isSurrogate(c))
                continue;
            for (const QChar f : textmatch::fold(QString::fromUcs4(&c, 1)))
                QVERIFY2(f.unicode() >= 0x80 || QString("ks;`").contains(f),
                         qPrintable(QString::number(uint(c), 16)));
        }
        const QStringList pieces = {"a",      "s",       "S",       "\u017f", "\u00df", "\u1e9e",
                                    "k",      "K",       "\u212a",  "e",      "E",      "\u00e9",
                                    "\u00c9", "e\u0301", "E\u0301", "\u0301", "i",      "I",
                                    "\u0130", "\u0131",  " ",       "%",      "_",      "\\",
                                    ";",      "\u037e",  "`",       "\u1fef", "\u03c3", "\u03a3",
                                    "\u03c2", "ss",      "SS"};
        QRandomGenerator random(indexed ? 7 : 11);
        const auto text = [&](int longest) {
            QString made;
            for (int n = random.bounded(longest + 1); n > 0; --n)
                made += pieces[random.bounded(int(pieces.size()))];
            return made;
        };
        TestFolder db(TestFolder::Engine::Server);
        if (!indexed)
            db.exec("DROP INDEX ardentry_narrow_problem");
        db.exec("DROP FUNCTION ardentry_picture_use_ar() CASCADE");
        db.exec("DROP TABLE ardentry_picture_use, ardentry_thumbnail, ardentry_picture");
        QCOMPARE(db.scalar("SELECT to_regclass('ardentry_narrow_problem') IS NOT NULL"), indexed);
        db.exec("DELETE FROM AR");
        QList<QVariant> texts{QVariant(), QString("")};
        while (texts.size() < 400)
            texts << text(8);
        for (int id = 0; id < texts.size(); ++id)
            db.exec("INSERT INTO AR (ID, Problem) VALUES (?, ?)", {id, texts[id]});
        Client client(db.dbPath());
        int found = 0;
        for (int i = 0; i < 300; ++i) {
            const char* const forms[] = {"*%1*", "%1*", "*%1", "%1"};
            const QString value = QString(forms[random.bounded(4)]).arg(text(3));
            const textmatch::TextPattern pattern = textmatch::TextPattern::like(value);
            QStringList wanted;
            for (int id = 0; id < texts.size(); ++id)
                if (pattern.matches(texts[id].toString()))
                    wanted << QString::number(id);
            client.articles.setFilter("Problem LIKE #" + value + "#");
            QStringList got;
            for (int n = client.articles.recordCount(); n > 0; --n) {
                got << client.articles.value("ID");
                client.articles.moveNext();
            }
            QCOMPARE(got.join(' ') + " for " + value, wanted.join(' ') + " for " + value);
            found += wanted.size() < texts.size() ? wanted.size() : 0;
        }
        QVERIFY(found > 1000);
    }

    void lostConnection_data()
    {
        QTest::addColumn<QString>("step");
        for (const char* step : {"save", "open", "requery", "search", "quick search"})
            QTest::newRow(step) << QString(step);
    }

    // The server ends the program's connection (a restart, an administrator, the network): the
    // next step opens it again and works.
    void lostConnection()
    {
        QFETCH(QString, step);
        const TestFolder db(TestFolder::Engine::Server);
        db.fillArticles(3);
        Client client(db.dbPath());
        QCOMPARE(client.articles.value("Problem"), "Problem 1");
        const QString others = "FROM pg_stat_activity WHERE pid <> pg_backend_pid() AND datname "
                               "= current_database()";
        db.exec("SELECT pg_terminate_backend(pid) " + others);
        QTRY_COMPARE(db.scalar("SELECT count(*) " + others).toInt(), 0);
        try {
            if (step == "save") {
                client.articles.collect("Problem", "after the break");
                QCOMPARE(client.save(), "saved");
                QCOMPARE(db.scalar("SELECT Problem FROM AR WHERE ID = 1"), "after the break");
            } else if (step == "open") {
                client.articles.open(kArticles);
            } else if (step == "requery") {
                client.articles.requery();
            } else if (step == "quick search") {
                QCOMPARE(quicksearch::search(client.connection, "problem").total, 3);
            } else {
                client.articles.setFilter("Problem LIKE #*3#");
                QCOMPARE(client.articles.value("ID"), "3");
            }
            QCOMPARE(client.articles.recordCount(), step == "search" ? 1 : 3);
        } catch (const DbError& e) {
            QFAIL(qPrintable(step + " failed: " + e.message()));
        }
    }

    // A write that waits too long for another writer gives up, and leaves a session that
    // works: the next read and the next Add New.
    void lockTimeout()
    {
        const TestFolder db(TestFolder::Engine::Server);
        db.fillArticles(3);
        Client a(db.dbPath()), b(db.dbPath());
        a.articles.addNew();
        a.articles.collect("ID", a.nextNumber());
        a.articles.collect("Problem", "new");
        {
            const Transaction holding(b.connection, "held");
            const QString refused = a.save("ID");
            QVERIFY2(refused.contains("lock timeout"), qPrintable(refused));
        }
        QCOMPARE(a.nextNumber(), "4");
        QCOMPARE(a.save("ID"), "saved");
        QCOMPARE(db.scalar("SELECT Problem FROM AR WHERE ID = 4"), "new");
    }

    void commitLost_data()
    {
        QTest::addColumn<bool>("landed");
        QTest::newRow("saved") << true;
        QTest::newRow("not saved") << false;
    }

    // The connection dies during COMMIT: after the commit landed (its wait for a standby ended
    // by an administrator) or before (a trigger run by the commit ended). The save says which,
    // and the record set agrees with the table.
    void commitLost()
    {
        QFETCH(bool, landed);
        const TestFolder db(TestFolder::Engine::Server);
        db.fillArticles(3);
        Client client(db.dbPath());
        struct Restore {
            const TestFolder& db;
            ~Restore()
            {
                db.exec("ALTER SYSTEM RESET synchronous_standby_names");
                db.exec("ALTER SYSTEM RESET synchronous_commit");
                db.exec("SELECT pg_reload_conf()");
            }
        };
        std::optional<Restore> restore;
        if (landed) {
            // Every other session commits as usual; this one waits for a standby that never
            // comes, after its commit is stored.
            restore.emplace(Restore{db});
            db.exec("ALTER SYSTEM SET synchronous_commit = local");
            db.exec("ALTER SYSTEM SET synchronous_standby_names = 'nobody'");
            db.exec("SELECT pg_reload_conf()");
            QTRY_COMPARE(db.scalar("SHOW synchronous_standby_names"), "nobody");
            QVERIFY(QSqlQuery(client.connection.database()).exec("SET synchronous_commit = on"));
        } else {
            db.exec("CREATE FUNCTION pause() RETURNS trigger AS $$ BEGIN PERFORM pg_sleep(60); "
                    "RETURN NULL; END $$ LANGUAGE plpgsql");
            db.exec("CREATE CONSTRAINT TRIGGER pause AFTER UPDATE ON ar DEFERRABLE INITIALLY "
                    "DEFERRED FOR EACH ROW EXECUTE FUNCTION pause()");
        }
        bool ended = false;
        std::thread killer([&, address = db.dbPath()] {
            ended = endSessionWaitingOn(address, landed ? "SyncRep" : "PgSleep");
        });
        client.articles.collect("Problem", "typed");
        const QString result = client.save();
        killer.join();
        QVERIFY(ended);
        QCOMPARE(db.scalar("SELECT Problem FROM AR WHERE ID = 1"), landed ? "typed" : "Problem 1");
        QCOMPARE(client.articles.value("Problem"), "typed");
        QCOMPARE(client.articles.hasPendingChanges(), !landed);
        if (landed) {
            QCOMPARE(result, "saved");
            QVERIFY(client.articles.saveNote().contains("were saved, but the connection"));
            return;
        }
        QVERIFY2(result.contains("lost during the commit; it was made again and the table is as "
                                 "it was. Nothing was saved."),
                 qPrintable(result));
        db.exec("DROP TRIGGER pause ON ar");
        QCOMPARE(client.save(), "saved");
    }
};

QTEST_GUILESS_MAIN(tst_Server)
#include "tst_server.moc"
