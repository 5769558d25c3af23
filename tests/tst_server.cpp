#include "tests/TestFolder.h"

#include "core/Connection.h"
#include "core/RecordSet.h"
#include "core/ServerAddress.h"

#include <QSqlQuery>
#include <QUrl>
#include <QtTest>

#include <memory>

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

    void lostConnection_data()
    {
        QTest::addColumn<QString>("step");
        for (const char* step : {"save", "open", "requery", "search"})
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
            } else {
                client.articles.setFilter("Problem LIKE #*3#");
                QCOMPARE(client.articles.value("ID"), "3");
            }
            QCOMPARE(client.articles.recordCount(), step == "search" ? 1 : 3);
        } catch (const DbError& e) {
            QFAIL(qPrintable(step + " failed: " + e.message()));
        }
    }
};

QTEST_GUILESS_MAIN(tst_Server)
#include "tst_server.moc"
