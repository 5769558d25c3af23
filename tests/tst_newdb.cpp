#include "NewDatabase.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDate>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

#include <stdexcept>

namespace
{

// A read connection of its own on a database file.
class Reader
{
public:
    explicit Reader(const QString& path)
    {
        static int counter = 0;
        m_name = QStringLiteral("tst_newdb_%1").arg(++counter);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        m_open = db.open();
    }
    ~Reader()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    bool isOpen() const { return m_open; }

    QList<QVariantList> rows(const QString& sql) const
    {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        QList<QVariantList> result;
        if (!query.exec(sql)) {
            qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
            return result;
        }
        while (query.next()) {
            QVariantList row;
            for (int i = 0; i < query.record().count(); ++i)
                row << query.value(i);
            result << row;
        }
        return result;
    }
    QVariant scalar(const QString& sql) const
    {
        const auto all = rows(sql);
        return all.isEmpty() ? QVariant() : all.first().value(0);
    }
    QStringList column(const QString& sql) const
    {
        QStringList result;
        for (const QVariantList& row : rows(sql))
            result << row.value(0).toString();
        return result;
    }

private:
    QString m_name;
    bool m_open = false;
};

QByteArray hashOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

const QStringList kTables = {"AR", "Categories", "Users", "CUINFO", "Customize"};
const QStringList kArColumns = {"ID",       "CUName",    "techname",     "Title",    "Problem",
                                "solution", "reference", "InitialEntry", "EditedBy", "DateEdited",
                                "Image1",   "Image2",    "Image3",       "Image4",   "Image5",
                                "Image6",   "Image7",    "Image8",       "Image9",   "Image10"};
const QStringList kLabels = {
    "AR Number:", "Category:", "Entered By:", "Title:", "Problem Description:", "Solution:"};

QString toolPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/ardentry-newdb");
}

} // namespace

class tst_NewDb : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void layout_data();
    void layout();
    void sampleData();
    void generatedArticles();
    void sameOptionsSameData();
    void refused_data();
    void refused();
    void command_data();
    void command();
    void halfMadeFileRemoved();

private:
    QString dbPath(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void tst_NewDb::layout_data()
{
    QTest::addColumn<bool>("sample");
    QTest::addColumn<int>("generated");
    QTest::addColumn<int>("minArticles");
    QTest::addColumn<int>("maxArticles");

    QTest::newRow("plain") << false << 0 << 1 << 1;
    QTest::newRow("plain + 25") << false << 25 << 26 << 26;
    QTest::newRow("sample") << true << 0 << 35 << 45;
    QTest::newRow("sample + 7") << true << 7 << 42 << 52;
}

void tst_NewDb::layout()
{
    QFETCH(bool, sample);
    QFETCH(int, generated);
    QFETCH(int, minArticles);
    QFETCH(int, maxArticles);

    const QString path = dbPath(QStringLiteral("layout-%1.db").arg(QTest::currentDataTag()));
    NewDatabaseOptions options;
    options.sample = sample;
    options.syntheticArticles = generated;
    createArticleDatabase(path, options);

    Reader db(path);
    QVERIFY(db.isOpen());
    QStringList tables = db.column("SELECT name FROM sqlite_master WHERE type = 'table'");
    tables.sort();
    QStringList expectedTables = kTables;
    expectedTables.sort();
    QCOMPARE(tables, expectedTables);

    QCOMPARE(db.column("SELECT name FROM pragma_table_info('AR')"), kArColumns);
    QCOMPARE(db.column("SELECT name FROM pragma_table_info('Categories')"),
             QStringList{"Category"});
    QCOMPARE(db.column("SELECT name FROM pragma_table_info('Users')"), QStringList{"Users"});
    QCOMPARE(db.column("SELECT name FROM pragma_table_info('CUINFO')"),
             (QStringList{"CUName", "EmployeeName"}));
    QCOMPARE(db.column("SELECT name FROM pragma_table_info('Customize')"),
             (QStringList{"ID", "Labels"}));
    // ID is numeric in both tables that have one, so ordering by it is by number.
    QCOMPARE(db.scalar("SELECT type FROM pragma_table_info('AR') WHERE name = 'ID'").toString(),
             QStringLiteral("INTEGER"));
    QCOMPARE(
        db.scalar("SELECT type FROM pragma_table_info('Customize') WHERE name = 'ID'").toString(),
        QStringLiteral("INTEGER"));
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM pragma_index_list('AR') l "
                       "JOIN pragma_index_info(l.name) i WHERE i.name = 'ID'")
                 .toInt(),
             1);

    QCOMPARE(db.column("SELECT ID FROM Customize ORDER BY ID"),
             (QStringList{"1", "2", "3", "4", "5", "6"}));
    QCOMPARE(db.column("SELECT Labels FROM Customize ORDER BY ID"), kLabels);

    QVERIFY(db.scalar("SELECT COUNT(*) FROM Categories").toInt() >= 1);
    QVERIFY(db.scalar("SELECT COUNT(*) FROM Users").toInt() >= 1);
    const int articles = db.scalar("SELECT COUNT(*) FROM AR").toInt();
    QVERIFY2(articles >= minArticles && articles <= maxArticles,
             qPrintable(QString::number(articles)));
    // Numbers 1..n, each once, stored as numbers.
    QCOMPARE(db.scalar("SELECT COUNT(DISTINCT ID) FROM AR").toInt(), articles);
    QCOMPARE(db.scalar("SELECT MIN(ID) || '-' || MAX(ID) FROM AR").toString(),
             QStringLiteral("1-%1").arg(articles));
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM AR WHERE typeof(ID) <> 'integer'").toInt(), 0);
    if (!sample)
        QVERIFY(db.scalar("SELECT Title FROM AR WHERE ID = 1").toString().contains("Welcome"));

    // Every value of every table is a text (or the numeric ID), never a Null, and every
    // article's category and author come from the lists.
    for (const QString& table : kTables) {
        for (const QString& column :
             db.column(QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(table))) {
            QCOMPARE(
                db.scalar(
                      QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 IS NULL").arg(table, column))
                    .toInt(),
                0);
        }
    }
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM AR WHERE CUName NOT IN (SELECT Category FROM "
                       "Categories) OR techname NOT IN (SELECT Users FROM Users)")
                 .toInt(),
             0);
    const QRegularExpression date(QStringLiteral("^\\d\\d/\\d\\d/\\d\\d\\d\\d$"));
    for (const QString& entry : db.column("SELECT InitialEntry FROM AR")) {
        QVERIFY2(date.match(entry).hasMatch(), qPrintable(entry));
        QVERIFY2(QDate::fromString(entry, "MM/dd/yyyy").isValid(), qPrintable(entry));
    }
}

void tst_NewDb::sampleData()
{
    const QString path = dbPath("sample.db");
    NewDatabaseOptions options;
    options.sample = true;
    createArticleDatabase(path, options);
    Reader db(path);
    QVERIFY(db.isOpen());

    const QStringList users = db.column("SELECT Users FROM Users");
    QVERIFY(users.size() >= 5);
    int lowerInitial = 0;
    for (const QString& user : users) {
        QVERIFY(!user.isEmpty());
        if (user.at(0).isLower())
            ++lowerInitial;
    }
    QVERIFY(lowerInitial >= 1);
    QVERIFY(lowerInitial < users.size()); // the others are capitalised
    QVERIFY(db.column("SELECT Category FROM Categories").size() >= 6);
    QCOMPARE(db.scalar("SELECT COUNT(DISTINCT Category) FROM Categories").toInt(),
             db.scalar("SELECT COUNT(*) FROM Categories").toInt());

    auto count = [&](const QString& where) {
        return db.scalar(QStringLiteral("SELECT COUNT(*) FROM AR WHERE ") + where).toInt();
    };
    // The variety the rest of the program is tried on.
    QVERIFY(count("reference = 'N/A'") > count("reference <> 'N/A'"));
    QVERIFY(count("reference LIKE 'https://%'") >= 2);
    QVERIFY(count("reference LIKE '/%'") >= 2);
    QVERIFY(count("Image1 <> 'N/A'") >= 2);
    QVERIFY(count("Image2 <> 'N/A'") >= 1);
    QVERIFY(count("Image10 = 'N/A'") == count("1"));
    QVERIFY(count("EditedBy <> 'N/A' AND DateEdited <> 'N/A'") >= 3);
    QVERIFY(count("EditedBy = 'N/A' AND DateEdited = 'N/A'") >= 3);
    QVERIFY(count("solution LIKE '%' || char(10) || '%'") >= 2);
    QVERIFY(count("instr(Problem || solution || Title, '<') > 0") >= 1);
    QVERIFY(count("instr(Problem || solution, '&') > 0") >= 1);
    QVERIFY(count("instr(Problem || solution, '\"') > 0") >= 1);
    QVERIFY(count("instr(Problem || solution, '''') > 0") >= 1);
    QVERIFY(count("instr(Problem || solution, '#') > 0") >= 1);
    QVERIFY(count("instr(Problem || solution, '%') > 0") >= 1);
    QVERIFY(count(QString::fromUtf8("instr(Problem || solution || Title, 'Café') > 0")) >= 1);
    QVERIFY(count("Problem LIKE '%printer%'") >= 2);
    // Lengths vary: short answers and long ones.
    QVERIFY(db.scalar("SELECT MIN(length(solution)) FROM AR").toInt() < 120);
    QVERIFY(db.scalar("SELECT MAX(length(solution)) FROM AR").toInt() > 300);
    // Every category has articles.
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM Categories WHERE Category NOT IN "
                       "(SELECT CUName FROM AR)")
                 .toInt(),
             0);
}

void tst_NewDb::generatedArticles()
{
    const QString path = dbPath("generated.db");
    NewDatabaseOptions options;
    options.syntheticArticles = 1000;
    createArticleDatabase(path, options);
    Reader db(path);
    QVERIFY(db.isOpen());

    QCOMPARE(db.scalar("SELECT COUNT(*) FROM AR WHERE ID > 1").toInt(), 1000);
    // "printer" in the problem of every tenth generated article, nowhere else;
    // "toner" in the solution of every hundredth.
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM AR WHERE ID > 1 AND Problem LIKE '%printer%'").toInt(),
             100);
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM AR WHERE ID > 1 AND (solution LIKE '%printer%' OR "
                       "Title LIKE '%printer%')")
                 .toInt(),
             0);
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM AR WHERE ID > 1 AND solution LIKE '%toner%'").toInt(),
             10);
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM AR WHERE ID > 1 AND Problem LIKE '%toner%'").toInt(),
             0);
    const double average =
        db.scalar("SELECT AVG(length(Problem) + length(solution)) FROM AR WHERE ID > 1").toDouble();
    QVERIFY2(average > 1800 && average < 2400, qPrintable(QString::number(average)));
    QVERIFY(db.scalar("SELECT MIN(length(Problem)) FROM AR WHERE ID > 1").toInt() > 500);
    // The generated articles are spread over the lists too.
    QVERIFY(db.scalar("SELECT COUNT(DISTINCT InitialEntry) FROM AR").toInt() > 100);
}

void tst_NewDb::sameOptionsSameData()
{
    NewDatabaseOptions options;
    options.sample = true;
    options.syntheticArticles = 50;
    createArticleDatabase(dbPath("same1.db"), options);
    createArticleDatabase(dbPath("same2.db"), options);
    const QString sql = QStringLiteral("SELECT * FROM AR ORDER BY ID");
    const Reader one(dbPath("same1.db"));
    const Reader two(dbPath("same2.db"));
    const auto rows = one.rows(sql);
    QCOMPARE(rows.size(), 90);
    QCOMPARE(rows, two.rows(sql));
}

void tst_NewDb::refused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("existing"); // "<none>": no file there
    QTest::addColumn<int>("generated");
    QTest::addColumn<QString>("reason");

    QTest::newRow("existing file") << "old.db" << QByteArray("precious data") << 0 << "exists";
    QTest::newRow("existing empty file") << "empty.db" << QByteArray() << 0 << "exists";
    QTest::newRow("missing folder")
        << "no/such/folder/new.db" << QByteArray("<none>") << 0 << "does not exist";
    QTest::newRow("negative count") << "neg.db" << QByteArray("<none>") << -1 << "negative";
}

void tst_NewDb::refused()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, existing);
    QFETCH(int, generated);
    QFETCH(QString, reason);

    const QString path = dbPath(name);
    if (existing != "<none>") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(existing);
    }
    NewDatabaseOptions options;
    options.sample = true;
    options.syntheticArticles = generated;
    try {
        createArticleDatabase(path, options);
        QFAIL("createArticleDatabase did not refuse");
    } catch (const std::runtime_error& e) {
        QVERIFY2(QString::fromUtf8(e.what()).contains(reason), e.what());
    }
    if (existing != "<none>") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), existing);
    } else {
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(!QFileInfo::exists(m_dir.filePath("no")));
    }
}

void tst_NewDb::command_data()
{
    QTest::addColumn<QStringList>("arguments"); // "%db" stands for the database path
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("articles");   // -1: no file must be created
    QTest::addColumn<QString>("output"); // a piece of stdout (exit 0) or stderr

    QTest::newRow("no arguments") << QStringList() << 1 << -1 << "Usage: ardentry-newdb PATH";
    QTest::newRow("help") << QStringList{"--help"} << 0 << -1 << "--articles N";
    QTest::newRow("plain") << QStringList{"%db"} << 0 << 1 << "Created";
    QTest::newRow("sample and articles")
        << QStringList{"%db", "--sample", "--articles", "5"} << 0 << -2 << "Created";
    QTest::newRow("articles first") << QStringList{"--articles=3", "%db"} << 0 << 4 << "Created";
    QTest::newRow("bad count") << QStringList{"%db", "--articles", "many"} << 1 << -1
                               << "--articles needs a number";
    QTest::newRow("count missing")
        << QStringList{"%db", "--articles"} << 1 << -1 << "--articles needs a number";
    QTest::newRow("unknown option") << QStringList{"%db", "--force"} << 1 << -1 << "--force";
    QTest::newRow("two paths") << QStringList{"%db", "other.db"} << 1 << -1 << "Only one";
}

void tst_NewDb::command()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(int, articles);
    QFETCH(QString, output);

    QVERIFY2(QFileInfo::exists(toolPath()), qPrintable(toolPath()));
    const QString path = dbPath(QStringLiteral("cmd-%1.db").arg(QTest::currentDataTag()));
    arguments.replaceInStrings(QStringLiteral("%db"), path);

    QProcess tool;
    tool.setWorkingDirectory(m_dir.path());
    tool.start(toolPath(), arguments);
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    const QString out = QString::fromUtf8(tool.readAllStandardOutput());
    const QString err = QString::fromUtf8(tool.readAllStandardError());
    QVERIFY2(tool.exitCode() == exitCode, qPrintable(out + err));
    QVERIFY2((exitCode == 0 ? out : err).contains(output), qPrintable(out + err));

    if (articles == -1) {
        QVERIFY(!QFileInfo::exists(path));
        return;
    }
    {
        Reader db(path);
        QVERIFY(db.isOpen());
        const int count = db.scalar("SELECT COUNT(*) FROM AR").toInt();
        if (articles == -2) {
            // Sample plus 5 generated, numbered on from the sample.
            QVERIFY2(count >= 40 && count <= 50, qPrintable(QString::number(count)));
            QCOMPARE(db.scalar("SELECT COUNT(*) FROM AR WHERE Title LIKE 'Generated%'").toInt(), 5);
            QCOMPARE(db.scalar("SELECT MIN(ID) FROM AR WHERE Title LIKE 'Generated%'").toInt(),
                     count - 4);
        } else {
            QCOMPARE(count, articles);
        }
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM Customize").toInt(), 6);
    }

    // A second run on the same file refuses and leaves it as it is.
    const QByteArray before = hashOf(path);
    QProcess again;
    again.start(toolPath(), {path, QStringLiteral("--sample")});
    QVERIFY(again.waitForFinished(60000));
    QCOMPARE(again.exitCode(), 1);
    QVERIFY(QString::fromUtf8(again.readAllStandardError()).contains("exists"));
    QCOMPARE(hashOf(path), before);
}

void tst_NewDb::halfMadeFileRemoved()
{
    // A file size limit makes the disk "full" half-way through the articles.
    QVERIFY2(QFileInfo::exists(toolPath()), qPrintable(toolPath()));
    const QString path = dbPath("full.db");
    QProcess tool;
    tool.start(QStringLiteral("/bin/sh"),
               {QStringLiteral("-c"),
                QStringLiteral("trap '' XFSZ; ulimit -f 200; exec \"$0\" \"$1\" "
                               "--articles 5000"),
                toolPath(), path});
    QVERIFY(tool.waitForFinished(60000));
    const QString err = QString::fromUtf8(tool.readAllStandardError());
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QVERIFY2(tool.exitCode() == 1, qPrintable(err));
    QVERIFY2(err.contains(QStringLiteral("Cannot create")), qPrintable(err));
    QVERIFY(!QFileInfo::exists(path));
    QVERIFY(!QFileInfo::exists(path + QStringLiteral("-journal")));
}

QTEST_GUILESS_MAIN(tst_NewDb)
#include "tst_newdb.moc"
