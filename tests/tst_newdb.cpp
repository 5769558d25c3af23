// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestFolder.h"

#include "core/Connection.h"
#include "core/History.h"
#include "core/Pictures.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSqlQuery>
#include <QtTest>

#include <csignal>
#include <optional>

namespace
{
struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// The tool run as a process; "<full disk>" first limits the size of the files it writes;
// `interrupt`: Ctrl+C as soon as it tells its progress.
Run runTool(QStringList arguments, const QString& folder = QString(), bool interrupt = false)
{
    QString program = QCoreApplication::applicationDirPath() + "/ardentry-newdb";
    if (arguments.value(0) == "<full disk>") {
        arguments = QStringList{"-c", "trap '' XFSZ; ulimit -f 200; exec \"$0\" \"$@\"", program} +
                    arguments.mid(1);
        program = "/bin/sh";
    }
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    Run run;
    if (interrupt) {
        const bool started = QTest::qWaitFor([&] {
            run.err += process.readAllStandardError();
            return run.err.contains("Copying:") || process.state() == QProcess::NotRunning;
        });
        if (started && process.state() == QProcess::Running)
            ::kill(pid_t(process.processId()), SIGINT);
    }
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err += process.readAllStandardError();
    return run;
}

// The address of a server database for the role that must give its password.
QString clerk(const QString& address)
{
    return QString(address).replace("//ardentry@", "//clerk@");
}

// A value of a server database, through a connection of its own.
QVariant serverScalar(const QString& address, const QString& sql)
{
    Connection connection;
    connection.open(address);
    QSqlQuery query(connection.database());
    return query.exec(sql) && query.next() ? query.value(0) : QVariant("failed: " + sql);
}

// Every row of the five tables and the history tables of an SQLite database ("main" or an attached
// one), each value with its type and bytes, in row key order.
QList<QVariantList> exactRows(const TestFolder& db, const QString& schema)
{
    QList<QVariantList> all;
    for (const QString& table :
         db.rows(
               QString("SELECT group_concat(name) FROM (SELECT name FROM %1.sqlite_master WHERE "
                       "name IN ('AR', "
                       "'Categories', 'Users', 'CUINFO', 'Customize', 'ardentry_history', "
                       "'ardentry_trash', 'ardentry_picture', 'ardentry_thumbnail') ORDER BY name)")
                   .arg(schema))[0][0]
             .toString()
             .split(',')) {
        QStringList values{"rowid"};
        for (const QVariantList& column :
             db.rows(QString("SELECT name FROM pragma_table_info('%1')").arg(table)))
            values << QString("typeof(%1) || hex(%1)").arg(column[0].toString());
        all += db.rows(QString("SELECT '%1', %2 FROM %3.%1 ORDER BY rowid")
                           .arg(table, values.join(", "), schema));
    }
    return all;
}
} // namespace

class tst_NewDb : public QObject
{
    Q_OBJECT

private slots:
    void layout_data()
    {
        QTest::addColumn<bool>("sample");
        QTest::addColumn<int>("generated");
        QTest::newRow("plain + 25") << false << 25;
        QTest::newRow("sample + 7") << true << 7;
        QTest::newRow("plain + 1000") << false << 1000;
    }

    // Every value a text or a number, never Null; articles numbered 1..n, each once, with their
    // categories and authors from the lists and the date of entry as month/day/year. Generated
    // articles: "printer" in the problem of every tenth, "toner" in the solution of every
    // hundredth (the benchmark counts on both); about 2 KB of text each; always the same.
    void layout()
    {
        QFETCH(bool, sample);
        QFETCH(int, generated);
        const TestFolder db({sample, generated});
        for (const QVariantList& column :
             db.rows("SELECT m.name || ' WHERE ' || p.name FROM sqlite_master m, "
                     "pragma_table_info(m.name) p WHERE m.name IN ('AR', 'CUINFO', 'Categories', "
                     "'Customize', 'Users')"))
            QCOMPARE(db.scalar("SELECT COUNT(*) FROM " + column[0].toString() + " IS NULL"), 0);
        const QString articles = db.scalar("SELECT COUNT(*) FROM AR").toString();
        QVERIFY(articles.toInt() > generated);
        QCOMPARE(db.scalar("SELECT COUNT(DISTINCT ID) || '|' || MIN(ID) || '|' || MAX(ID) || '|' "
                           "|| SUM(CUName NOT IN (SELECT Category FROM Categories) OR techname "
                           "NOT IN (SELECT Users FROM Users) OR InitialEntry NOT GLOB "
                           "'[01][0-9]/[0-3][0-9]/[12][0-9][0-9][0-9]') FROM AR WHERE typeof(ID) "
                           "= 'integer'"),
                 articles + "|1|" + articles + "|0");
        if (generated < 1000)
            return;
        QCOMPARE(db.scalar("SELECT SUM(Problem LIKE '%printer%') || SUM((solution || Title) LIKE "
                           "'%printer%') || SUM(solution LIKE '%toner%') || SUM(Problem LIKE "
                           "'%toner%') || (AVG(length(Problem) + length(solution)) BETWEEN 1800 "
                           "AND 2400) FROM AR WHERE ID > 1"),
                 "10001001");
        const QString all = "SELECT * FROM AR ORDER BY ID";
        QCOMPARE(TestFolder({false, 1000}).rows(all), db.rows(all));
    }

    void command_data()
    {
        QTest::addColumn<QStringList>("arguments"); // "%db" stands for a new file in the folder
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("made");   // "": nothing made; else "sample?|generated articles"
        QTest::addColumn<QString>("output"); // a piece of stdout (exit 0) or stderr
        QTest::addColumn<QByteArray>("existing"); // a file there before: "<none>" for none
        const auto row = [](const char* name, const QStringList& arguments, int exitCode,
                            const char* made, const char* output,
                            const QByteArray& existing = "<none>") {
            QTest::newRow(name) << arguments << exitCode << QString(made) << QString(output)
                                << existing;
        };
        row("no arguments", {}, 1, "", "Usage: ardentry-newdb PATH");
        row("help", {"--help"}, 0, "", "--articles N");
        row("plain", {"%db"}, 0, "0|0", "Created");
        row("sample and articles", {"%db", "--sample", "--articles", "5"}, 0, "1|5", "Created");
        row("articles first", {"--articles=3", "%db"}, 0, "0|3", "Created");
        row("bad count", {"%db", "--articles", "many"}, 1, "", "--articles needs a number");
        row("negative count", {"%db", "--articles", "-1"}, 1, "", "--articles needs a number");
        row("count missing", {"%db", "--articles"}, 1, "", "--articles needs a number");
        row("unknown option", {"%db", "--force"}, 1, "", "--force");
        row("two paths", {"%db", "other.db"}, 1, "", "Only one");
        row("missing folder", {"no/such/folder/new.db"}, 1, "", "does not exist");
        row("existing file", {"%db", "--sample"}, 1, "", "exists", "precious data");
        row("existing empty file", {"%db"}, 1, "", "exists", "");
        // A server is named by its address, never with its password.
        row("server", {"%server", "--articles", "2"}, 0, "0|2", "Created postgresql://ardentry@");
        row("server wants a password, no terminal", {"%clerk"}, 1, "", "PGPASSWORD");
        // A file size limit makes the disk "full" half-way: no half-made file is left behind.
        row("disk full", {"<full disk>", "%db", "--articles", "5000"}, 1, "", "Cannot create");
    }

    // The tool, run in a folder of its own; what it made is read through the test database.
    void command()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, made);
        QFETCH(QString, output);
        QFETCH(QByteArray, existing);
        TestFolder db;
        const QString folder = db.path("out"), path = db.path("out/new.db");
        const QString server = arguments.contains("%server") ? db.newServerDatabase() : "";
        arguments.replaceInStrings("%server", QString(server).replace("@", ":secret@"));
        if (arguments.contains("%clerk"))
            arguments.replaceInStrings("%clerk", clerk(db.newServerDatabase()));
        if (existing != "<none>")
            db.writeFile("out/new.db", existing);
        QVERIFY(QDir().mkpath(folder));
        arguments.replaceInStrings("%db", path);
        const Run run = runTool(arguments, folder);
        const QString &out = run.out, &err = run.err;
        QVERIFY2(run.exitCode == exitCode, qPrintable(out + err));
        QVERIFY2((exitCode == 0 ? out : err).contains(output), qPrintable(out + err));
        QVERIFY2(!out.contains("secret") && out.contains(server), qPrintable(out));
        if (!server.isEmpty()) {
            QCOMPARE(serverScalar(server, "SELECT (COUNT(*) > 40)::int || '|' || SUM((Title LIKE "
                                          "'Generated%')::int) FROM AR"),
                     made);
            return;
        }
        if (made.isEmpty()) { // nothing changed, nothing left behind
            QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                     existing == "<none>" ? QStringList() : QStringList{"new.db"});
            QFile file(path);
            QVERIFY(!file.exists() ||
                    (file.open(QIODevice::ReadOnly) && file.readAll() == existing));
            return;
        }
        db.exec("ATTACH DATABASE ? AS made", {path});
        QCOMPARE(db.scalar("SELECT (COUNT(*) > 40) || '|' || SUM(Title LIKE 'Generated%') FROM "
                           "made.AR"),
                 made);
    }

    void copy_data()
    {
        QTest::addColumn<QStringList>("hops"); // where the copies go, one after the other
        QTest::addColumn<bool>("history");
        QTest::newRow("file > server > file") << QStringList{"server", "file"} << true;
        QTest::newRow("file > file") << QStringList{"file"} << false;
        QTest::newRow("file > server > server > file")
            << QStringList{"server", "server", "file"} << true;
    }

    // Copies from engine to engine give back every row as it was: Nulls, empty texts, line
    // ends, quotes, text beyond ASCII, numbers beyond a double's precision, the row keys with
    // their gaps, the earlier versions of articles and the trash with their times and writers,
    // stored pictures byte for byte; on a server, new rows take keys after the copied ones.
    void copy()
    {
        QFETCH(QStringList, hops);
        QFETCH(bool, history);
        TestFolder db({true, 5});
        {
            Connection connection;
            connection.open(db.dbPath());
            QVERIFY(!history || history::install(connection));
            // Pictures of a few bytes and of several megabytes (sent in blocks of their own).
            QImage image(1200, 900, QImage::Format_RGB32);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    image.setPixel(x, y, quint32(x * 7919 + y * 104729) * 2654435761u);
            QByteArray big;
            QBuffer buffer(&big);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            QByteArray small;
            QBuffer smallBuffer(&small);
            smallBuffer.open(QIODevice::WriteOnly);
            image.copy(0, 0, 40, 30).save(&smallBuffer, "JPEG");
            db.exec("UPDATE AR SET Image2 = ?, Image7 = ? WHERE ID = 1",
                    {pictures::store(connection, big, "big.png"),
                     pictures::store(connection, small, "small.jpg")});
        }
        db.exec("DELETE FROM AR WHERE ID = 3");
        db.exec("INSERT INTO AR (rowid, ID, CUName, techname, Title, Problem, solution) VALUES "
                "(1000, 9007199254740993, NULL, '', 'It''s \"quoted\" \\ here', 'one' || "
                "char(13, 10) || 'two' || char(13, 10), 'Größe 日本語 ✓ 😀'), (-5, -7, ' ', "
                "'\t', 'x', 'printer', NULL)");
        db.exec("UPDATE Customize SET Labels = NULL WHERE ID = 2");
        db.exec("INSERT INTO CUINFO VALUES ('a' || char(10), NULL)");
        if (history) {
            db.exec("INSERT INTO ardentry_writer VALUES (1, 'Jörg')");
            db.exec("UPDATE AR SET Problem = 'changed', ID = 99 WHERE ID = 2");
            db.exec("DELETE FROM AR WHERE ID = 4");
            db.exec("DELETE FROM ardentry_writer");
            QCOMPARE(db.scalar("SELECT count(*) FROM ardentry_history WHERE changed_by = 'Jörg' "
                               "AND changed_at LIKE '20__-__-__ __:__:__.___'"),
                     1);
        }
        QString from = db.dbPath();
        QStringList servers;
        for (const QString& hop : hops) {
            const QString to = hop == "file" ? db.path(QString("copy%1.db").arg(servers.size()))
                                             : db.newServerDatabase();
            if (hop == "server") // a time zone far from UTC: moments must not move
                serverScalar(to, "DO $$ BEGIN EXECUTE format('ALTER DATABASE %I SET timezone = "
                                 "%L', current_database(), 'Pacific/Chatham'); END $$");
            const Run run = runTool({"--copy", from, to});
            QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
            QVERIFY2(run.out.contains("Copied") && run.out.contains(to), qPrintable(run.out));
            if (hop == "server")
                servers << to;
            from = to;
        }
        db.exec("ATTACH DATABASE ? AS made", {from});
        const QList<QVariantList> copied = exactRows(db, "made");
        QVERIFY(copied.size() > 50);
        QCOMPARE(copied, exactRows(db, "main"));
        QCOMPARE(db.scalar("SELECT count(*) FROM made.sqlite_master WHERE name IN ('AR_ID', "
                           "'ardentry_trash_ar_delete')"),
                 history ? 2 : 1);
        // Which slots use the pictures is made anew from the articles.
        QCOMPARE(db.scalar("SELECT ifnull(group_concat(slot), '') FROM made.ardentry_picture_use"),
                 "2,7");
        // The quick-search index goes with the articles, filled.
        QCOMPARE(db.scalar("SELECT count(*) FROM made.ardentry_search WHERE ardentry_search "
                           "MATCH 'printer'"),
                 db.scalar("SELECT count(*) FROM ardentry_search WHERE ardentry_search "
                           "MATCH 'printer'"));
        for (const QString& server : servers)
            QCOMPARE(serverScalar(server, QString("SELECT nextval(pg_get_serial_sequence('ar', "
                                                  "'rowid')) > 1000 AND nextval(pg_get_serial_"
                                                  "sequence('customize', 'rowid')) > 6 AND %1 "
                                                  "FROM ardentry_schema")
                                              .arg(history ? "additions = 127 AND nextval(pg_get_"
                                                             "serial_sequence('ardentry_trash', "
                                                             "'entry')) > 1"
                                                           : "additions = 125")),
                     QVariant(true));
    }

    void refused_data()
    {
        QTest::addColumn<QString>("source"); // SQL run on the file copied from first
        QTest::addColumn<QString>("target"); // file, existing file, server, server with tables
        QTest::addColumn<QString>("message");
        QTest::newRow("file exists") << ""
                                     << "existing file"
                                     << "exists already";
        QTest::newRow("server database with tables") << ""
                                                     << "server with tables"
                                                     << "holds tables of an article database";
        QTest::newRow("text number")
            << "UPDATE AR SET ID = 'abc'"
            << "server"
            << "table AR, row 1, holds the text \"abc\" in the column ID, where";
        QTest::newRow("fraction") << "UPDATE Customize SET ID = 2.5 WHERE ID = 6"
                                  << "server"
                                  << "table Customize, row 6, holds the number 2.5";
        QTest::newRow("zero character") << "UPDATE Users SET Users = 'a' || char(0) || 'b'"
                                        << "server"
                                        << "zero character";
        QTest::newRow("binary data") << "UPDATE AR SET reference = x'00ff'"
                                     << "server"
                                     << "binary data (2 bytes)";
        QTest::newRow("not UTF-8") << "UPDATE AR SET Title = CAST(x'41ff' AS TEXT)"
                                   << "file"
                                   << "column Title that is not UTF-8";
        QTest::newRow("not an article database") << "DROP TABLE CUINFO"
                                                 << "server"
                                                 << "has no table CUINFO";
        QTest::newRow("extra column") << "ALTER TABLE Users ADD COLUMN Phone TEXT"
                                      << "file"
                                      << "column phone that an article database does not have";
        QTest::newRow("disk full") << "<5000>"
                                   << "full disk"
                                   << "Nothing was copied";
        QTest::newRow("Ctrl+C") << "<10000>"
                                << "interrupted server"
                                << "Cancelled";
        QTest::newRow("one database") << ""
                                      << ""
                                      << "--copy needs two databases";
    }

    // A copy that is refused, fails half-way or is cancelled leaves nothing behind: no file, no
    // table on the server, an existing database as it was.
    void refused()
    {
        QFETCH(QString, source);
        QFETCH(QString, target);
        QFETCH(QString, message);
        const int generated = source.startsWith('<') ? source.mid(1).chopped(1).toInt() : 0;
        TestFolder db({false, generated});
        if (!source.isEmpty() && !generated)
            db.exec(source);
        std::optional<TestFolder> existing;
        QString to = db.path("copy.db");
        if (target == "server with tables")
            to = existing.emplace(TestFolder::Engine::Server).dbPath();
        else if (target.contains("server"))
            to = db.newServerDatabase();
        if (target == "existing file")
            db.writeFile("copy.db", "precious data");
        QStringList arguments{"--copy", db.dbPath(), to};
        if (target.isEmpty())
            arguments.removeLast();
        if (target == "full disk")
            arguments.prepend("<full disk>");
        const QString tables = "SELECT count(*) FROM pg_tables WHERE schemaname = 'public'";
        const QVariant tablesBefore =
            target.contains("server") ? serverScalar(to, tables) : QVariant();
        const Run run = runTool(arguments, db.folder(), target.startsWith("interrupted"));
        QVERIFY2(run.exitCode == 1, qPrintable(run.out + run.err));
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!run.out.contains("Copied"));
        QFile file(db.path("copy.db"));
        if (target == "existing file")
            QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == "precious data");
        else
            QCOMPARE(QDir(db.folder()).entryList({"copy.db*"}), QStringList());
        if (target.contains("server"))
            QCOMPARE(serverScalar(to, tables), tablesBefore);
    }

    // A server that wants a password: asked for on the terminal, not echoed; a wrong one is
    // said so and asked again.
    void passwordOnTerminal()
    {
        TestFolder db;
        const QString server = clerk(db.newServerDatabase());
        QProcess terminal;
        terminal.start("script", {"-qec",
                                  "'" + QCoreApplication::applicationDirPath() +
                                      "/ardentry-newdb' '" + server + "'",
                                  "/dev/null"});
        QString seen;
        for (const char* typed : {"wrong\n", "s3cret pass'word\n"}) {
            QVERIFY2(QTest::qWaitFor([&] {
                         seen += terminal.readAll();
                         return seen.count("Password for") > (typed[0] == 'w' ? 0 : 1);
                     }),
                     qPrintable(seen));
            terminal.write(typed);
        }
        QVERIFY(terminal.waitForFinished(60000));
        seen += terminal.readAll();
        QVERIFY2(terminal.exitCode() == 0 && seen.contains("Created postgresql://clerk@") &&
                     seen.contains("password authentication failed"),
                 qPrintable(seen));
        QVERIFY2(!seen.contains("s3cret") && !seen.contains("wrong"), qPrintable(seen));
        QCOMPARE(serverScalar(server.section('?', 0, 0).replace("clerk@", "ardentry@"),
                              "SELECT COUNT(*) FROM AR"),
                 1);
    }
};

QTEST_GUILESS_MAIN(tst_NewDb)
#include "tst_newdb.moc"
