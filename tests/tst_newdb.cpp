#include "core/NewDatabase.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace
{

// A read-only connection of its own on a database file.
class Reader
{
public:
    explicit Reader(const QString& path) : m_name("tst_newdb_" + QString::number(++s_count))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", m_name);
        db.setDatabaseName(path);
        db.setConnectOptions("QSQLITE_OPEN_READONLY");
        db.open();
    }
    Reader(const Reader&) = delete;
    ~Reader()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    // Each row's values joined by "|".
    QStringList rows(const QString& sql) const
    {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        if (!query.exec(sql))
            qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
        QStringList result;
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < query.record().count(); ++i)
                values << query.value(i).toString();
            result << values.join('|');
        }
        return result;
    }
    QString value(const QString& sql) const { return rows(sql).value(0); }
    int count(const QString& where) const
    {
        return value("SELECT COUNT(*) FROM AR WHERE " + where).toInt();
    }

private:
    static inline int s_count = 0;
    QString m_name;
};

QString toolPath()
{
    return QCoreApplication::applicationDirPath() + "/ardentry-newdb";
}

} // namespace

class tst_NewDb : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void layout_data()
    {
        QTest::addColumn<bool>("sample");
        QTest::addColumn<int>("generated");
        QTest::newRow("plain") << false << 0;
        QTest::newRow("plain + 25") << false << 25;
        QTest::newRow("sample") << true << 0;
        QTest::newRow("sample + 7") << true << 7;
    }

    void layout()
    {
        QFETCH(bool, sample);
        QFETCH(int, generated);
        const Reader db = create({sample, generated});

        const QList<std::pair<QString, QStringList>> tables = {
            {"AR", QString("ID CUName techname Title Problem solution reference InitialEntry "
                           "EditedBy DateEdited Image1 Image2 Image3 Image4 Image5 Image6 Image7 "
                           "Image8 Image9 Image10")
                       .split(' ')},
            {"CUINFO", {"CUName", "EmployeeName"}},
            {"Categories", {"Category"}},
            {"Customize", {"ID", "Labels"}},
            {"Users", {"Users"}}};
        QStringList names;
        for (const auto& [table, columns] : tables) {
            names << table;
            const QString info = "SELECT name FROM pragma_table_info('" + table + "')";
            QCOMPARE(db.rows(info), columns);
            // Every value is a text or the numeric ID, never a Null.
            QCOMPARE(db.value("SELECT COUNT(*) FROM " + table + " WHERE " +
                              columns.join(" IS NULL OR ") + " IS NULL"),
                     u"0"_s);
        }
        QCOMPARE(db.rows("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"),
                 names);
        // ID is numeric in both tables that have one, so ordering by it is by number.
        QCOMPARE(db.rows("SELECT m.name || '.' || p.name || ' ' || p.type FROM sqlite_master m, "
                         "pragma_table_info(m.name) p WHERE p.type <> 'TEXT' ORDER BY 1"),
                 (QStringList{"AR.ID INTEGER", "Customize.ID INTEGER"}));
        QCOMPARE(db.value("SELECT COUNT(*) FROM pragma_index_list('AR') l "
                          "JOIN pragma_index_info(l.name) i WHERE i.name = 'ID'"),
                 u"1"_s);
        QCOMPARE(db.rows("SELECT ID, Labels FROM Customize ORDER BY ID"),
                 (QStringList{"1|AR Number:", "2|Category:", "3|Entered By:", "4|Title:",
                              "5|Problem Description:", "6|Solution:"}));
        QCOMPARE(
            db.value("SELECT (SELECT COUNT(*) FROM Categories) * (SELECT COUNT(*) FROM Users) > 0"),
            u"1"_s);

        // Numbers 1..n, each once, stored as numbers.
        const int articles = db.count("1"), own = articles - generated;
        QVERIFY2(sample ? own >= 35 && own <= 45 : own == 1, qPrintable(QString::number(own)));
        const QString ids =
            "SELECT COUNT(DISTINCT ID), MIN(ID), MAX(ID) FROM AR WHERE typeof(ID) = 'integer'";
        QCOMPARE(db.value(ids), u"%1|1|%1"_s.arg(articles));
        if (!sample)
            QVERIFY(db.value("SELECT Title FROM AR WHERE ID = 1").contains("Welcome"));
        // Every article's category and author come from the lists.
        QCOMPARE(db.count("CUName NOT IN (SELECT Category FROM Categories) OR techname NOT IN "
                          "(SELECT Users FROM Users)"),
                 0);
        for (const QString& entry : db.rows("SELECT InitialEntry FROM AR"))
            QCOMPARE(QDate::fromString(entry, "MM/dd/yyyy").toString("MM/dd/yyyy"), entry);
    }

    void sampleData()
    {
        const Reader db = create({true, 0});
        const QStringList users = db.rows("SELECT Users FROM Users");
        QVERIFY(users.size() >= 5);
        int lowerInitial = 0;
        for (const QString& user : users) {
            QVERIFY(!user.isEmpty());
            lowerInitial += user.at(0).isLower() ? 1 : 0;
        }
        QVERIFY(lowerInitial >= 1 && lowerInitial < users.size()); // the others are capitalised
        QCOMPARE(db.value("SELECT COUNT(*) >= 6 AND COUNT(DISTINCT Category) = COUNT(*) FROM "
                          "Categories"),
                 u"1"_s);
        QCOMPARE(db.value("SELECT COUNT(*) FROM Categories WHERE Category NOT IN "
                          "(SELECT CUName FROM AR)"),
                 u"0"_s); // every category has articles

        // The variety the rest of the program is tried on.
        QVERIFY(db.count("reference = 'N/A'") > db.count("reference <> 'N/A'"));
        QCOMPARE(db.count("Image10 = 'N/A'"), db.count("1"));
        QVERIFY(db.count("Image2 <> 'N/A'") >= 1);
        for (const char* where :
             {"reference LIKE 'https://%'", "reference LIKE '/%'", "Image1 <> 'N/A'",
              "EditedBy <> 'N/A' AND DateEdited <> 'N/A'",
              "EditedBy = 'N/A' AND DateEdited = 'N/A'", "solution LIKE '%' || char(10) || '%'",
              "Problem LIKE '%printer%'"})
            QVERIFY2(db.count(where) >= 2, where);
        for (const char* text : {"<", "&", "\"", "''", "#", "%", "Café"})
            QVERIFY2(db.count(QString("instr(Problem || solution || Title, '%1')").arg(text)),
                     text);
        // Lengths vary: short answers and long ones.
        QVERIFY(db.value("SELECT MIN(length(solution)) FROM AR").toInt() < 120);
        QVERIFY(db.value("SELECT MAX(length(solution)) FROM AR").toInt() > 300);
    }

    void generatedArticles()
    {
        const Reader db = create({false, 1000});
        QCOMPARE(db.count("ID > 1"), 1000);
        // "printer" in the problem of every tenth generated article, nowhere else;
        // "toner" in the solution of every hundredth.
        QCOMPARE(db.count("ID > 1 AND Problem LIKE '%printer%'"), 100);
        QCOMPARE(db.count("ID > 1 AND (solution LIKE '%printer%' OR Title LIKE '%printer%')"), 0);
        QCOMPARE(db.count("ID > 1 AND solution LIKE '%toner%'"), 10);
        QCOMPARE(db.count("ID > 1 AND Problem LIKE '%toner%'"), 0);
        const double average =
            db.value("SELECT AVG(length(Problem) + length(solution)) FROM AR WHERE ID > 1")
                .toDouble();
        QVERIFY2(average > 1800 && average < 2400, qPrintable(QString::number(average)));
        QVERIFY(db.value("SELECT MIN(length(Problem)) FROM AR WHERE ID > 1").toInt() > 500);
        QVERIFY(db.value("SELECT COUNT(DISTINCT InitialEntry) FROM AR").toInt() > 100);
    }

    void sameOptionsSameData()
    {
        const QString sql = "SELECT * FROM AR ORDER BY ID";
        const QStringList rows = create({true, 50}, "one.db").rows(sql);
        QCOMPARE(rows.size(), 90);
        QCOMPARE(rows, create({true, 50}, "two.db").rows(sql));
    }

    void command_data()
    {
        QTest::addColumn<QStringList>("arguments"); // "%db" stands for a new file in the folder
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("articles");        // -1: nothing is created, -2: sample and 5 more
        QTest::addColumn<QString>("output");      // a piece of stdout (exit 0) or stderr
        QTest::addColumn<QByteArray>("existing"); // a file there before: "<none>" for none
        const auto row = [](const char* name, const QStringList& arguments, int exitCode,
                            int articles, const char* output,
                            const QByteArray& existing = "<none>") {
            QTest::newRow(name) << arguments << exitCode << articles << QString(output) << existing;
        };
        row("no arguments", {}, 1, -1, "Usage: ardentry-newdb PATH");
        row("help", {"--help"}, 0, -1, "--articles N");
        row("plain", {"%db"}, 0, 1, "Created");
        row("sample and articles", {"%db", "--sample", "--articles", "5"}, 0, -2, "Created");
        row("articles first", {"--articles=3", "%db"}, 0, 4, "Created");
        row("bad count", {"%db", "--articles", "many"}, 1, -1, "--articles needs a number");
        row("negative count", {"%db", "--articles", "-1"}, 1, -1, "--articles needs a number");
        row("count missing", {"%db", "--articles"}, 1, -1, "--articles needs a number");
        row("unknown option", {"%db", "--force"}, 1, -1, "--force");
        row("two paths", {"%db", "other.db"}, 1, -1, "Only one");
        row("missing folder", {"no/such/folder/new.db"}, 1, -1, "does not exist");
        row("existing file", {"%db", "--sample"}, 1, -1, "exists", "precious data");
        row("existing empty file", {"%db"}, 1, -1, "exists", "");
    }

    void command()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(int, articles);
        QFETCH(QString, output);
        QFETCH(QByteArray, existing);
        const QString path = m_dir->filePath("new.db");
        QFile file(path);
        if (existing != "<none>")
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(existing) == existing.size());
        file.close();
        arguments.replaceInStrings("%db", path);
        const auto [code, out, err] = run(arguments);
        QVERIFY2(code == exitCode, qPrintable(out + err));
        QVERIFY2((exitCode == 0 ? out : err).contains(output), qPrintable(out + err));
        if (articles == -1) { // nothing changed, nothing left behind
            QVERIFY(!file.exists() ||
                    (file.open(QIODevice::ReadOnly) && file.readAll() == existing));
            QCOMPARE(left(), existing == "<none>" ? QStringList() : QStringList{"new.db"});
            return;
        }
        Reader db(path);
        const int count = db.count("1");
        if (articles == -2) { // numbered on from the sample
            QVERIFY2(count >= 40 && count <= 50, qPrintable(QString::number(count)));
            QCOMPARE(db.value("SELECT COUNT(*), MIN(ID) FROM AR WHERE Title LIKE 'Generated%'"),
                     u"5|%1"_s.arg(count - 4));
        } else {
            QCOMPARE(count, articles);
        }
        QCOMPARE(db.value("SELECT COUNT(*) FROM Customize"), u"6"_s);
    }

    // A file size limit makes the disk "full" half-way through the articles.
    void halfMadeFileRemoved()
    {
        const QString path = m_dir->filePath("full.db");
        const auto [code, out, err] =
            run({"-c", "trap '' XFSZ; ulimit -f 200; exec \"$0\" \"$1\" --articles 5000",
                 toolPath(), path},
                "/bin/sh");
        QVERIFY2(code == 1 && err.contains("Cannot create"), qPrintable(err));
        QCOMPARE(left(), QStringList()); // no file, no journal
    }

private:
    // A new database file in the folder, to read.
    Reader create(const NewDatabaseOptions& options, const QString& name = "new.db") const
    {
        createArticleDatabase(m_dir->filePath(name), options);
        return Reader(m_dir->filePath(name));
    }

    QStringList left() const
    {
        return QDir(m_dir->path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    // Runs the tool (or another program) in the test folder: exit code (-1 when it crashed or
    // did not finish), standard output, standard error.
    std::tuple<int, QString, QString> run(const QStringList& arguments,
                                          const QString& program = toolPath()) const
    {
        QProcess process;
        process.setWorkingDirectory(m_dir->path());
        process.start(program, arguments);
        const bool finished = process.waitForFinished(60000);
        return {finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(tst_NewDb)
#include "tst_newdb.moc"
