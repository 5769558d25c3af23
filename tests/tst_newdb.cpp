#include "tests/TestFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

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
        const TestFolder db;
        const QString folder = db.path("out"), path = db.path("out/new.db");
        if (existing != "<none>")
            db.writeFile("out/new.db", existing);
        QVERIFY(QDir().mkpath(folder));
        arguments.replaceInStrings("%db", path);
        QString program = QCoreApplication::applicationDirPath() + "/ardentry-newdb";
        if (arguments.value(0) == "<full disk>") {
            arguments =
                QStringList{"-c", "trap '' XFSZ; ulimit -f 200; exec \"$0\" \"$@\"", program} +
                arguments.mid(1);
            program = "/bin/sh";
        }
        QProcess process;
        process.setWorkingDirectory(folder);
        process.start(program, arguments);
        QVERIFY(process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit);
        const QString out = process.readAllStandardOutput(), err = process.readAllStandardError();
        QVERIFY2(process.exitCode() == exitCode, qPrintable(out + err));
        QVERIFY2((exitCode == 0 ? out : err).contains(output), qPrintable(out + err));
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
};

QTEST_GUILESS_MAIN(tst_NewDb)
#include "tst_newdb.moc"
