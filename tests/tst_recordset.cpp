#include "TestSupport.h"

#include "Connection.h"
#include "RecordSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

#include <unistd.h>

using Kind = DbError::Kind;

namespace
{

struct Outcome {
    bool thrown = false;
    Kind kind = Kind::General;
    QString message;
};

Outcome attempt(const std::function<void()>& action)
{
    try {
        action();
    } catch (const DbError& error) {
        return {true, error.kind(), error.message()};
    }
    return {};
}

#define EXPECT_DB_ERROR(statement, expectedKind)                                                   \
    do {                                                                                           \
        const Outcome outcome_ = attempt([&] { statement; });                                      \
        QVERIFY2(outcome_.thrown, "no DbError from: " #statement);                                 \
        QCOMPARE(int(outcome_.kind), int(expectedKind));                                           \
    } while (false)

// A database with articles chosen by the test, opened through a Connection of its own.
struct Db {
    explicit Db(const NewDatabaseOptions& options = {}) : folder(options) {}

    void clearArticles() const { folder.exec(QStringLiteral("DELETE FROM AR")); }
    void add(const QVariant& id, const QVariant& problem, const QVariant& solution = "N/A",
             const QVariant& category = "N/A", const QVariant& title = "N/A") const
    {
        folder.exec(QStringLiteral("INSERT INTO AR (ID, CUName, techname, Title, Problem, "
                                   "solution) VALUES (?, ?, 'N/A', ?, ?, ?)"),
                    {id, category, title, problem, solution});
    }
    // Many numbered articles in one transaction ("Problem i", "Solution i", ...).
    void fill(int count) const
    {
        folder.exec(QStringLiteral("BEGIN"));
        folder.fillArticles(count);
        folder.exec(QStringLiteral("COMMIT"));
    }
    RecordSet& open(const QString& sql = QStringLiteral("SELECT * FROM AR ORDER BY ID"))
    {
        if (!connection.isOpen())
            connection.open(folder.dbPath());
        rs.open(sql);
        return rs;
    }
    // Every article as "ID|Title|Problem" in row-key order, as the file holds it.
    QStringList articles() const
    {
        QStringList all;
        for (const QVariantList& row :
             folder.rows(QStringLiteral("SELECT ID, Title, Problem FROM AR ORDER BY rowid")))
            all << row[0].toString() + '|' + row[1].toString() + '|' + row[2].toString();
        return all;
    }

    TestFolder folder;
    Connection connection;
    RecordSet rs{connection};
};

QStringList visibleIds(RecordSet& rs)
{
    QStringList ids;
    if (rs.recordCount() == 0)
        return ids;
    rs.moveFirst();
    while (!rs.eof()) {
        ids << rs.value(QStringLiteral("ID"));
        rs.moveNext();
    }
    return ids;
}

} // namespace

class TestRecordSet : public QObject
{
    Q_OBJECT

private slots:
    void open_data();
    void open();
    void textOrderIgnoresCase();
    void openFailures_data();
    void openFailures();
    void connectionFailures_data();
    void connectionFailures();
    void pathWithUriCharacters();
    void navigation();
    void emptyResult();
    void readsAcrossBlocks();
    void nullsAndNumbers();
    void filter_data();
    void filter();
    void filterNavigationAndRemoval();
    void badCriteria_data();
    void badCriteria();
    void filterJudgesLocalChanges();
    void collectChecksNumbers();
    void addNewIsCountedWhenSent();
    void deleteInFilter();
    void cancelBatch();
    void batchIsAtomic_data();
    void batchIsAtomic();
    void conflict_data();
    void conflict();
    void rowDeletedElsewhereReadsEmpty();
    void equalIdsAreDistinctRows();
    void secondBatchOnSameRow();
    void readOnlyDatabase_data();
    void readOnlyDatabase();
};

void TestRecordSet::open_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("orderColumn");
    QTest::newRow("articles") << "SELECT * FROM AR ORDER BY ID"
                              << "AR"
                              << "ID";
    QTest::newRow("categories") << "SELECT * FROM Categories ORDER BY Category"
                                << "Categories"
                                << "Category";
    QTest::newRow("users") << "SELECT * FROM Users ORDER BY Users"
                           << "Users"
                           << "Users";
    QTest::newRow("cuinfo by name") << "SELECT * FROM CUINFO ORDER BY CUName"
                                    << "CUINFO"
                                    << "CUName";
    QTest::newRow("cuinfo by employee") << "SELECT * FROM CUINFO ORDER BY EmployeeName"
                                        << "CUINFO"
                                        << "EmployeeName";
    QTest::newRow("customize") << "SELECT * FROM Customize ORDER BY ID"
                               << "Customize"
                               << "ID";
    QTest::newRow("lower case, blanks") << "  select *  from ar\norder by id ;"
                                        << "AR"
                                        << "id";
}

void TestRecordSet::open()
{
    QFETCH(QString, sql);
    QFETCH(QString, table);
    QFETCH(QString, orderColumn);
    Db db({true, 0});
    db.folder.exec(QStringLiteral("INSERT INTO CUINFO VALUES ('b', 'Zed'), ('A', 'amy')"));
    RecordSet& rs = db.open(sql);
    QVERIFY(rs.isOpen());
    QCOMPARE(rs.source(), sql);
    QCOMPARE(rs.tableName(), table);
    const int count = db.folder.scalar("SELECT count(*) FROM " + table).toInt();
    QVERIFY(count > 0);
    QCOMPARE(rs.recordCount(), count);
    QCOMPARE(rs.absolutePosition(), 1);
    QVERIFY(!rs.bof() && !rs.eof());

    const QList<QVariantList> expected =
        db.folder.rows(QStringLiteral("SELECT %1 FROM %2 ORDER BY %1 COLLATE NOCASE, rowid")
                           .arg(orderColumn, table));
    for (int i = 0; i < count; ++i) {
        QCOMPARE(rs.value(orderColumn), expected[i][0].toString());
        rs.moveNext();
    }
    QVERIFY(rs.eof());
}

void TestRecordSet::textOrderIgnoresCase()
{
    Db db;
    db.folder.exec(QStringLiteral("DELETE FROM Users"));
    db.folder.exec(QStringLiteral("INSERT INTO Users VALUES ('Zoe'), ('jim'), ('Anna'), ('émile'), "
                                  "('Eva'), ('bob')"));
    RecordSet& rs = db.open(QStringLiteral("SELECT * FROM Users ORDER BY Users"));
    QStringList names;
    for (; !rs.eof(); rs.moveNext())
        names << rs.value(QStringLiteral("users"));
    QCOMPARE(names, (QStringList{"Anna", "bob", "Eva", "jim", "Zoe", "émile"}));
}

void TestRecordSet::openFailures_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("kind");
    QTest::newRow("missing table") << "SELECT * FROM Nope ORDER BY ID" << int(Kind::NotFound);
    QTest::newRow("missing column") << "SELECT * FROM AR ORDER BY Nope" << int(Kind::NotFound);
    QTest::newRow("column of another table")
        << "SELECT * FROM Users ORDER BY Category" << int(Kind::NotFound);
    QTest::newRow("not whole table") << "SELECT ID FROM AR ORDER BY ID" << int(Kind::General);
    QTest::newRow("where") << "SELECT * FROM AR WHERE ID > 1 ORDER BY ID" << int(Kind::General);
    QTest::newRow("no order") << "SELECT * FROM AR" << int(Kind::General);
    QTest::newRow("second statement")
        << "SELECT * FROM AR ORDER BY ID; DROP TABLE Users" << int(Kind::General);
    QTest::newRow("delete") << "DELETE FROM AR" << int(Kind::General);
    QTest::newRow("empty") << "" << int(Kind::General);
}

void TestRecordSet::openFailures()
{
    QFETCH(QString, sql);
    QFETCH(int, kind);
    Db db;
    db.open(); // open first: a failed open leaves it closed
    EXPECT_DB_ERROR(db.rs.open(sql), Kind(kind));
    QVERIFY(!db.rs.isOpen());
    QVERIFY(db.rs.eof() && db.rs.bof());
    QCOMPARE(db.rs.recordCount(), 0);
    QVERIFY(db.folder.scalar("SELECT count(*) FROM Users").toInt() > 0);
    QVERIFY(db.folder.scalar("SELECT count(*) FROM AR").toInt() > 0);
}

void TestRecordSet::connectionFailures_data()
{
    QTest::addColumn<QByteArray>("content"); // empty name: no file at all
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("kind");
    QTest::newRow("missing") << QByteArray() << false << int(Kind::NotFound);
    QTest::newRow("empty file") << QByteArray() << true << int(Kind::NotADatabase);
    QTest::newRow("text file") << QByteArray("This is a note, not a database.\n") << true
                               << int(Kind::NotADatabase);
    QByteArray noise(8192, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + 13) % 251);
    QTest::newRow("noise") << noise << true << int(Kind::NotADatabase);
}

void TestRecordSet::connectionFailures()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    QFETCH(int, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("articles.db"));
    if (exists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    Connection connection;
    const Outcome outcome = attempt([&] { connection.open(path); });
    QVERIFY(outcome.thrown);
    QCOMPARE(int(outcome.kind), kind);
    QVERIFY2(outcome.message.contains(path), qPrintable(outcome.message));
    QVERIFY(!connection.isOpen());
    QCOMPARE(QFileInfo::exists(path), exists);
    QCOMPARE(QFileInfo(path).size(), qint64(content.size()));
}

void TestRecordSet::pathWithUriCharacters()
{
    Db db;
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("a b#c?d%25e&f=é"));
    QVERIFY(QDir().mkpath(folder));
    const QString missing = folder + QStringLiteral("/none?mode=rwc.db");
    Connection connection;
    EXPECT_DB_ERROR(connection.open(missing), Kind::NotFound);
    QVERIFY(QDir(folder).isEmpty());

    const QString copy = folder + QStringLiteral("/my db#1%.db");
    QVERIFY(QFile::copy(db.folder.dbPath(), copy));
    connection.open(copy);
    QVERIFY(connection.isOpen());
    QVERIFY(connection.engineVersion().startsWith(QLatin1String("3.")));
    RecordSet rs(connection);
    rs.open(QStringLiteral("SELECT * FROM Customize ORDER BY ID"));
    QCOMPARE(rs.value(QStringLiteral("Labels")), QStringLiteral("AR Number:"));
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"my db#1%.db"});
}

void TestRecordSet::navigation()
{
    Db db;
    db.fill(3);
    RecordSet& rs = db.open();
    QCOMPARE(rs.value("ID"), QStringLiteral("1"));
    QVERIFY(!rs.bof());
    rs.movePrevious();
    QVERIFY(rs.bof() && !rs.eof());
    QCOMPARE(rs.absolutePosition(), 0);
    EXPECT_DB_ERROR(rs.value("ID"), Kind::NoCurrentRow);
    EXPECT_DB_ERROR(rs.collect("Title", "x"), Kind::NoCurrentRow);
    EXPECT_DB_ERROR(rs.movePrevious(), Kind::NoCurrentRow);
    rs.moveNext();
    QCOMPARE(rs.absolutePosition(), 1);
    rs.moveLast();
    QCOMPARE(rs.absolutePosition(), 3);
    QCOMPARE(rs.value("problem"), QStringLiteral("Problem 3"));
    rs.moveNext();
    QVERIFY(rs.eof() && !rs.bof());
    QCOMPARE(rs.absolutePosition(), 0);
    EXPECT_DB_ERROR(rs.moveNext(), Kind::NoCurrentRow);
    EXPECT_DB_ERROR(rs.deleteCurrent(), Kind::NoCurrentRow);
    rs.movePrevious();
    QCOMPARE(rs.value("Id"), QStringLiteral("3"));
    rs.moveFirst();
    QCOMPARE(rs.value("ID"), QStringLiteral("1"));
    EXPECT_DB_ERROR(rs.value("NoSuchColumn"), Kind::NotFound);
    QCOMPARE(rs.columnNames().size(), 20);
    QCOMPARE(rs.columnNames().first(), QStringLiteral("ID"));
}

void TestRecordSet::emptyResult()
{
    Db db;
    db.clearArticles();
    RecordSet& rs = db.open();
    QVERIFY(rs.eof());
    QVERIFY(rs.bof());
    QCOMPARE(rs.recordCount(), 0);
    QCOMPARE(rs.absolutePosition(), 0);
    EXPECT_DB_ERROR(rs.moveFirst(), Kind::NoCurrentRow);
    EXPECT_DB_ERROR(rs.moveLast(), Kind::NoCurrentRow);
    EXPECT_DB_ERROR(rs.moveNext(), Kind::NoCurrentRow);
    EXPECT_DB_ERROR(rs.movePrevious(), Kind::NoCurrentRow);
    EXPECT_DB_ERROR(rs.value("ID"), Kind::NoCurrentRow);
    rs.setFilter(QStringLiteral("Problem LIKE #*x*#"));
    QVERIFY(rs.eof() && rs.bof());
}

// More rows than the record set holds in memory at once, read forwards, backwards and jumping.
void TestRecordSet::readsAcrossBlocks()
{
    Db db;
    const int count = 2600;
    db.fill(count);
    RecordSet& rs = db.open();
    QCOMPARE(rs.recordCount(), count);
    for (int i = 1; i <= count; ++i) {
        QCOMPARE(rs.value("ID"), QString::number(i));
        QCOMPARE(rs.value("Problem"), QStringLiteral("Problem %1").arg(i));
        rs.moveNext();
    }
    QVERIFY(rs.eof());
    for (int i = count; i >= 1; --i) {
        rs.movePrevious();
        QCOMPARE(rs.value("Solution"), QStringLiteral("Solution %1").arg(i));
        QCOMPARE(rs.absolutePosition(), i);
    }
    rs.movePrevious();
    QVERIFY(rs.bof());
    rs.moveLast();
    QCOMPARE(rs.value("ID"), QString::number(count));
    rs.moveFirst();
    QCOMPARE(rs.value("ID"), QStringLiteral("1"));
}

void TestRecordSet::nullsAndNumbers()
{
    Db db;
    db.clearArticles();
    db.folder.exec(QStringLiteral("INSERT INTO AR (ID) VALUES (NULL), (12), (12.5), (7.0), (-3)"));
    db.folder.exec(QStringLiteral("CREATE TABLE Measures (Amount REAL, Label TEXT, Raw)"));
    db.folder.exec(QStringLiteral(
        "INSERT INTO Measures VALUES (12.0, 'a', 5), (0.1, NULL, 'x'), (NULL, 'c', 2.5)"));

    RecordSet& rs = db.open();
    QStringList ids;
    for (; !rs.eof(); rs.moveNext()) {
        ids << rs.value("ID");
        for (const QString& column : rs.columnNames())
            QVERIFY(column == QLatin1String("ID") || rs.value(column).isEmpty());
    }
    QCOMPARE(ids, (QStringList{"", "-3", "7", "12", "12.5"}));
    QVERIFY(rs.isNumberColumn("id"));
    QVERIFY(!rs.isNumberColumn("Problem"));

    rs.open(QStringLiteral("SELECT * FROM Measures ORDER BY Label"));
    QVERIFY(rs.isNumberColumn("AMOUNT"));
    QVERIFY(!rs.isNumberColumn("Raw")); // no declared type: takes any text
    QStringList values;
    for (; !rs.eof(); rs.moveNext())
        values << rs.value("Amount") + '/' + rs.value("label") + '/' + rs.value("raw");
    QCOMPARE(values, (QStringList{"0.1//x", "12/a/5", "/c/2.5"}));
}

void TestRecordSet::filter_data()
{
    QTest::addColumn<QString>("criteria");
    QTest::addColumn<QStringList>("ids");
    const auto row = [](const char* name, const QString& criteria, const QStringList& ids) {
        QTest::newRow(name) << criteria << ids;
    };
    row("contains", "Problem LIKE #*print*#", {"1", "2", "15"});
    row("contains, any letter case", "problem like #*PRINT*#", {"1", "2", "15"});
    row("blanks around", "  Problem   LIKE   #*print*#  ", {"1", "2", "15"});
    row("no blank before value", "Problem LIKE#*print*#", {"1", "2", "15"});
    row("starts with", "Problem LIKE #print*#", {"1", "15"});
    row("ends with", "Problem LIKE #*PRINT#", {"2", "15"});
    row("like without star is equality", "Problem LIKE #print#", {"15"});
    row("equality ignores case", "Problem = #PRINT#", {"15"});
    row("equality is not containment", "CUName = #Print#", {});
    row("category", "CUName = #printing#", {"1", "2"});
    row("solution", "Solution LIKE #*REPLACED*#", {"3", "13"});
    row("percent literal", "Problem LIKE #*100%*#", {"4"});
    row("lone percent", "Problem LIKE #%#", {});
    row("percent inside", "Problem LIKE #*a%b*#", {"17"});
    row("underscore literal", "Problem LIKE #*a_b*#", {"19"});
    row("question mark", "Problem LIKE #*What?*#", {"6"});
    row("brackets", "Problem LIKE #*[brackets]*#", {"6"});
    row("bracket class is literal", "Problem LIKE #*[a-z]*#", {});
    row("apostrophe", "Problem LIKE #*user's*#", {"7"});
    row("sql injection", "Problem LIKE #*' OR '1'='1*#", {});
    row("hash inside", "Problem LIKE #*#42*#", {"8"});
    row("lone hash", "Problem LIKE #*#*#", {"8"});
    row("text after hash is value", "Problem LIKE #*x# OR ID = #1*#", {});
    row("star inside is literal", "Problem LIKE #*a * b*#", {"9"});
    row("star in equality is literal", "Problem = #*#", {});
    row("double quotes", "Problem LIKE #*\"hello\"*#", {"16"});
    row("accent, lower", "Problem LIKE #*école*#", {"10", "11"});
    row("accent, upper", "Problem LIKE #*ÉCOLE*#", {"10", "11"});
    row("accent does not match plain", "Problem LIKE #*ecole*#", {});
    row("sharp s", "Problem LIKE #*straße*#", {"12", "13"});
    row("double s", "Problem LIKE #*STRASSE*#", {"12", "13"});
    row("greek final sigma", "Problem LIKE #*ΟΔΟΣ*#", {"18"});
    row("everything", "Problem LIKE #*#",
        {"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11",
         "12", "13", "14", "15", "16", "17", "18", "19", "20", "120"});
    row("everything, two stars", "Problem LIKE #**#",
        {"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11",
         "12", "13", "14", "15", "16", "17", "18", "19", "20", "120"});
    row("empty value matches empty and null", "Problem LIKE ##", {"14"});
    row("nothing", "Problem LIKE #*no such words*#", {});
    row("number", "ID = #12#", {"12"});
    row("number with blanks", "ID = # 12 #", {"12"});
    row("number as real", "ID = #12.0#", {"12"});
    row("number not a number", "ID = #abc#", {});
    row("number empty", "ID = ##", {});
    row("number hostile", "ID = #1 OR 1=1#", {});
    row("number like", "ID LIKE #1*#",
        {"1", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "120"});
    row("number like ending", "ID LIKE #*20#", {"20", "120"});
}

void TestRecordSet::filter()
{
    QFETCH(QString, criteria);
    QFETCH(QStringList, ids);
    Db db;
    db.clearArticles();
    db.add(1, "Printer jams", "Cleaned the rollers", "Printing");
    db.add(2, "cannot print", "N/A", "Printing");
    db.add(3, "Scanner broken", "Cable replaced", "Hardware");
    db.add(4, "100% CPU usage");
    db.add(5, "file_name with underscore");
    db.add(6, "What? [brackets] here");
    db.add(7, "It's the user's fault");
    db.add(8, "Error #42 occurred");
    db.add(9, "a * b");
    db.add(10, "École fermée");
    db.add(11, "ÉCOLE OUVERTE");
    db.add(12, "Straße gesperrt");
    db.add(13, "STRASSE frei", "Drive REPLACED");
    db.add(14, QVariant());
    db.add(15, "print");
    db.add(16, "Say \"hello\"");
    db.add(17, "a%b");
    db.add(18, "οδος closed");
    db.add(19, "a_b");
    db.add(20, "axb a-b aab");
    db.add(120, "axxb");
    RecordSet& rs = db.open();

    rs.setFilter(criteria);
    QCOMPARE(rs.filter(), criteria);
    QCOMPARE(rs.recordCount(), ids.size());
    QCOMPARE(rs.eof(), ids.isEmpty());
    QCOMPARE(rs.bof(), ids.isEmpty());
    QCOMPARE(rs.absolutePosition(), ids.isEmpty() ? 0 : 1);
    QCOMPARE(visibleIds(rs), ids);
}

void TestRecordSet::filterNavigationAndRemoval()
{
    Db db;
    db.fill(30);
    RecordSet& rs = db.open();
    rs.moveLast();
    rs.setFilter(QStringLiteral("Problem LIKE #*2*#")); // 2, 12, 20..29
    QCOMPARE(rs.recordCount(), 12);
    QCOMPARE(rs.value("ID"), QStringLiteral("2"));
    QCOMPARE(rs.absolutePosition(), 1);
    rs.moveNext();
    QCOMPARE(rs.value("ID"), QStringLiteral("12"));
    QCOMPARE(rs.absolutePosition(), 2);
    rs.moveLast();
    QCOMPARE(rs.value("ID"), QStringLiteral("29"));
    QCOMPARE(rs.absolutePosition(), 12);
    rs.moveNext();
    QVERIFY(rs.eof());
    rs.moveFirst();
    rs.movePrevious();
    QVERIFY(rs.bof());

    rs.setFilter(QStringLiteral("Problem LIKE #*nowhere*#"));
    QCOMPARE(rs.recordCount(), 0);
    QVERIFY(rs.eof() && rs.bof());
    EXPECT_DB_ERROR(rs.moveFirst(), Kind::NoCurrentRow);

    rs.setFilter(QString());
    QCOMPARE(rs.filter(), QString());
    QCOMPARE(rs.recordCount(), 30);
    QCOMPARE(rs.value("ID"), QStringLiteral("1"));

    rs.setFilter(QStringLiteral("ID = #7#"));
    QCOMPARE(visibleIds(rs), QStringList{"7"});
    rs.open(QStringLiteral("SELECT * FROM AR ORDER BY ID")); // reopening drops the filter
    QCOMPARE(rs.filter(), QString());
    QCOMPARE(rs.recordCount(), 30);
}

void TestRecordSet::badCriteria_data()
{
    QTest::addColumn<QString>("criteria");
    QTest::newRow("field only") << "Problem";
    QTest::newRow("no value") << "Problem LIKE";
    QTest::newRow("one hash") << "Problem LIKE #abc";
    QTest::newRow("no hashes") << "Problem LIKE abc";
    QTest::newRow("quotes instead") << "Problem LIKE '*abc*'";
    QTest::newRow("unknown operator") << "Problem CONTAINS #abc#";
    QTest::newRow("double equals") << "Problem == #abc#";
    QTest::newRow("operator glued") << "ProblemLIKE #abc#";
    QTest::newRow("no field") << "= #abc#";
    QTest::newRow("unknown field") << "Nope = #abc#";
    QTest::newRow("text after value") << "Problem LIKE #abc# junk";
    QTest::newRow("text before value") << "Problem LIKE x#abc#";
    QTest::newRow("sql") << "1=1";
    QTest::newRow("quoted field") << "\"Problem\" LIKE #a#";
}

void TestRecordSet::badCriteria()
{
    QFETCH(QString, criteria);
    Db db;
    db.fill(5);
    RecordSet& rs = db.open();
    rs.setFilter(QStringLiteral("ID = #3#"));
    EXPECT_DB_ERROR(rs.setFilter(criteria), Kind::BadCriteria);
    QCOMPARE(rs.filter(), QStringLiteral("ID = #3#"));
    QCOMPARE(visibleIds(rs), QStringList{"3"});
}

void TestRecordSet::filterJudgesLocalChanges()
{
    Db db;
    db.fill(5);
    RecordSet& rs = db.open();
    rs.moveNext(); // ID 2
    rs.collect("Problem", "Printer on fire");
    rs.moveNext(); // ID 3
    rs.collect("ID", "33");
    rs.addNew();
    rs.collect("ID", "6");
    rs.collect("Problem", "PRINTER offline");

    rs.setFilter(QStringLiteral("Problem LIKE #*printer*#"));
    QCOMPARE(rs.recordCount(), 1); // the begun row is not counted
    QCOMPARE(visibleIds(rs), (QStringList{"2", "6"}));
    rs.setFilter(QStringLiteral("ID = #3#")); // changed locally to 33
    QCOMPARE(rs.recordCount(), 0);
    rs.setFilter(QStringLiteral("ID = #33#"));
    QCOMPARE(visibleIds(rs), QStringList{"33"});
    rs.setFilter(QStringLiteral("Problem LIKE #*problem 2*#")); // file value, locally changed
    QCOMPARE(rs.recordCount(), 0);
    rs.setFilter(QString());
    QCOMPARE(rs.recordCount(), 5);
    rs.collect("Problem", "Straße vor der ÉCOLE"); // ID 1
    rs.setFilter(QStringLiteral("Problem LIKE #*STRASSE VOR DER école*#"));
    QCOMPARE(visibleIds(rs), QStringList{"1"});
    rs.updateBatch();
    rs.setFilter(QStringLiteral("Problem LIKE #*printer*#"));
    QCOMPARE(rs.recordCount(), 2);
    rs.setFilter(QStringLiteral("Problem LIKE #straße*#")); // now judged in the file
    QCOMPARE(visibleIds(rs), QStringList{"1"});
}

void TestRecordSet::collectChecksNumbers()
{
    Db db;
    db.fill(2);
    RecordSet& rs = db.open();
    EXPECT_DB_ERROR(rs.collect("ID", "12abc"), Kind::BadValue);
    EXPECT_DB_ERROR(rs.collect("ID", "0x10"), Kind::BadValue);
    EXPECT_DB_ERROR(rs.collect("Nope", "1"), Kind::NotFound);
    QVERIFY(!rs.hasPendingChanges());
    rs.collect("ID", " 0000 ");
    rs.collect("Title", "0042");
    rs.moveNext();
    rs.collect("ID", "2.5");
    rs.updateBatch();
    const QList<QVariantList> rows =
        db.folder.rows("SELECT ID, typeof(ID), Title, typeof(Title) FROM AR ORDER BY rowid");
    QCOMPARE(rows[0], (QVariantList{0, "integer", "0042", "text"}));
    QCOMPARE(rows[1], (QVariantList{2.5, "real", "Title 2", "text"}));
    QCOMPARE(rs.value("ID"), QStringLiteral("2.5"));
    rs.moveFirst();
    QCOMPARE(rs.value("ID"), QStringLiteral("0"));
    QCOMPARE(rs.value("Title"), QStringLiteral("0042"));
    rs.collect("ID", "  "); // a blank number is no number: Null
    rs.collect("Title", "");
    rs.updateBatch();
    QCOMPARE(db.folder.rows("SELECT typeof(ID), typeof(Title) FROM AR ORDER BY rowid").first(),
             (QVariantList{"null", "text"}));
    QCOMPARE(rs.value("ID"), QString());
}

void TestRecordSet::addNewIsCountedWhenSent()
{
    Db db;
    db.fill(3);
    RecordSet& rs = db.open();
    rs.addNew();
    QVERIFY(rs.currentIsNew());
    QVERIFY(rs.hasPendingChanges());
    QCOMPARE(rs.recordCount(), 3);
    QCOMPARE(rs.absolutePosition(), 4);
    QVERIFY(!rs.eof() && !rs.bof());
    QCOMPARE(rs.value("Problem"), QString());
    rs.collect("ID", "4");
    rs.collect("Problem", "New problem");
    QCOMPARE(rs.value("Problem"), QStringLiteral("New problem"));
    QCOMPARE(db.folder.scalar("SELECT count(*) FROM AR").toInt(), 3);
    rs.updateBatch();
    QVERIFY(!rs.currentIsNew());
    QVERIFY(!rs.hasPendingChanges());
    QCOMPARE(rs.recordCount(), 4);
    QCOMPARE(rs.absolutePosition(), 4);
    QCOMPARE(db.folder.scalar("SELECT Problem FROM AR WHERE ID = 4").toString(),
             QStringLiteral("New problem"));
    rs.moveFirst();
    rs.moveLast();
    QCOMPARE(rs.value("Problem"), QStringLiteral("New problem"));

    rs.addNew();
    rs.collect("Problem", "dropped");
    rs.deleteCurrent();
    QVERIFY(!rs.hasPendingChanges());
    QVERIFY(rs.eof());
    QCOMPARE(rs.recordCount(), 4);
    rs.updateBatch();
    QCOMPARE(db.folder.scalar("SELECT count(*) FROM AR").toInt(), 4);
}

void TestRecordSet::deleteInFilter()
{
    Db db;
    db.fill(12);
    RecordSet& rs = db.open();
    rs.setFilter(QStringLiteral("Problem LIKE #*1*#")); // 1, 10, 11, 12
    rs.moveNext();
    rs.deleteCurrent(); // 10
    QCOMPARE(rs.recordCount(), 3);
    QCOMPARE(rs.absolutePosition(), 2);
    QCOMPARE(rs.value("ID"), QStringLiteral("11"));
    rs.moveLast();
    rs.deleteCurrent(); // 12
    QVERIFY(rs.eof());
    QCOMPARE(db.folder.scalar("SELECT count(*) FROM AR").toInt(), 12);
    rs.updateBatch();
    QCOMPARE(rs.recordCount(), 2);
    QCOMPARE(db.folder.scalar("SELECT count(*) FROM AR").toInt(), 10);
    QCOMPARE(db.folder.scalar("SELECT count(*) FROM AR WHERE ID IN (10, 12)").toInt(), 0);
    rs.setFilter(QString());
    QCOMPARE(rs.recordCount(), 10);
}

void TestRecordSet::cancelBatch()
{
    Db db;
    db.fill(4);
    const QStringList before = db.articles();
    RecordSet& rs = db.open();
    rs.collect("Title", "changed");
    rs.moveNext();
    rs.deleteCurrent(); // 2; 3 is current now
    QCOMPARE(rs.value("ID"), QStringLiteral("3"));
    rs.moveLast();
    rs.addNew();
    rs.collect("Title", "begun");
    QCOMPARE(rs.recordCount(), 3);

    rs.cancelBatch(); // the begun row vanishes: the last row becomes current
    QVERIFY(!rs.hasPendingChanges());
    QCOMPARE(rs.recordCount(), 4);
    QCOMPARE(rs.value("ID"), QStringLiteral("4"));
    QCOMPARE(rs.absolutePosition(), 4);
    QCOMPARE(visibleIds(rs), (QStringList{"1", "2", "3", "4"}));
    rs.moveFirst();
    QCOMPARE(rs.value("Title"), QStringLiteral("Title 1"));
    rs.updateBatch();
    QCOMPARE(db.articles(), before);

    rs.moveNext();
    rs.collect("Title", "kept current");
    rs.cancelBatch();
    QCOMPARE(rs.value("ID"), QStringLiteral("2"));
    QCOMPARE(rs.value("Title"), QStringLiteral("Title 2"));
}

void TestRecordSet::batchIsAtomic_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("trigger refuses the insert") << "trigger";
    QTest::newRow("constraint on the update") << "constraint";
    QTest::newRow("file locked by another program") << "locked";
}

void TestRecordSet::batchIsAtomic()
{
    QFETCH(QString, failure);
    Db db;
    db.fill(5);
    if (failure == "constraint")
        db.folder.exec(QStringLiteral("CREATE UNIQUE INDEX UniqueTitle ON AR (Title)"));
    RecordSet& rs = db.open();
    rs.collect("Title", "first changed");
    rs.moveNext();
    rs.deleteCurrent(); // 2
    rs.moveNext();      // 4
    rs.collect("Title", failure == "constraint" ? "Title 5" : "fourth changed");
    rs.addNew();
    rs.collect("ID", "6");
    rs.collect("Title", "refused");
    const QStringList before = db.articles();

    if (failure == "trigger")
        db.folder.exec(QStringLiteral("CREATE TRIGGER Refuse BEFORE INSERT ON AR WHEN "
                                      "NEW.Title = 'refused' BEGIN SELECT RAISE(ABORT, "
                                      "'titles like this are refused'); END"));
    else if (failure == "locked")
        db.folder.exec(QStringLiteral("BEGIN IMMEDIATE"));

    const Outcome outcome = attempt([&] { rs.updateBatch(); });
    QVERIFY(outcome.thrown);
    QCOMPARE(int(outcome.kind), int(Kind::General));
    QVERIFY2(outcome.message.contains("AR"), qPrintable(outcome.message));
    if (failure == "trigger")
        QVERIFY2(outcome.message.contains("titles like this are refused"),
                 qPrintable(outcome.message));
    else if (failure == "locked")
        QVERIFY2(outcome.message.contains("locked"), qPrintable(outcome.message));
    else
        QVERIFY2(outcome.message.contains("UNIQUE"), qPrintable(outcome.message));

    if (failure == "locked")
        db.folder.exec(QStringLiteral("ROLLBACK"));
    QCOMPARE(db.articles(), before);
    // The batch waits as it was.
    QVERIFY(rs.hasPendingChanges());
    QVERIFY(rs.currentIsNew());
    QCOMPARE(rs.recordCount(), 4);
    QCOMPARE(rs.absolutePosition(), 5);
    QCOMPARE(rs.value("Title"), QStringLiteral("refused"));
    QCOMPARE(visibleIds(rs), (QStringList{"1", "3", "4", "5", "6"}));

    // Remove the cause and send again.
    if (failure == "trigger")
        db.folder.exec(QStringLiteral("DROP TRIGGER Refuse"));
    else if (failure == "constraint")
        db.folder.exec(QStringLiteral("DROP INDEX UniqueTitle"));
    rs.updateBatch();
    QVERIFY(!rs.hasPendingChanges());
    QCOMPARE(rs.recordCount(), 5);
    const QString fourth = failure == "constraint" ? "Title 5" : "fourth changed";
    QCOMPARE(db.articles(),
             (QStringList{"1|first changed|Problem 1", "3|Title 3|Problem 3",
                          "4|" + fourth + "|Problem 4", "5|Title 5|Problem 5", "6|refused|"}));
}

void TestRecordSet::conflict_data()
{
    QTest::addColumn<QString>("otherChange");
    QTest::addColumn<bool>("weDelete");
    QTest::newRow("changed, we update") << "UPDATE AR SET Problem = 'theirs' WHERE ID = 3" << false;
    QTest::newRow("deleted, we update") << "DELETE FROM AR WHERE ID = 3" << false;
    QTest::newRow("changed, we delete") << "UPDATE AR SET Title = 'theirs' WHERE ID = 3" << true;
    QTest::newRow("deleted, we delete") << "DELETE FROM AR WHERE ID = 3" << true;
    QTest::newRow("null written, we update")
        << "UPDATE AR SET reference = NULL WHERE ID = 3" << false;
    QTest::newRow("untouched column changed")
        << "UPDATE AR SET Image1 = 'theirs.png' WHERE ID = 3" << false;
}

void TestRecordSet::conflict()
{
    QFETCH(QString, otherChange);
    QFETCH(bool, weDelete);
    Db db;
    db.fill(4);
    RecordSet& rs = db.open();
    rs.collect("Title", "ours 1");
    rs.moveNext();
    rs.moveNext(); // 3, read now
    QCOMPARE(rs.value("Problem"), QStringLiteral("Problem 3"));
    if (weDelete)
        rs.deleteCurrent();
    else
        rs.collect("Title", "ours 3");
    rs.addNew();
    rs.collect("ID", "5");

    db.folder.exec(otherChange);
    const QStringList before = db.articles();
    const Outcome outcome = attempt([&] { rs.updateBatch(); });
    QVERIFY(outcome.thrown);
    QCOMPARE(int(outcome.kind), int(Kind::Conflict));
    QVERIFY2(outcome.message.contains("\"AR\""), qPrintable(outcome.message));
    QCOMPARE(db.articles(), before);
    QVERIFY(rs.hasPendingChanges());
    rs.cancelBatch();
    rs.updateBatch();
    QCOMPARE(db.articles(), before);
}

void TestRecordSet::rowDeletedElsewhereReadsEmpty()
{
    Db db;
    db.fill(400);
    RecordSet& rs = db.open();
    QCOMPARE(rs.value("ID"), QStringLiteral("1"));
    db.folder.exec(QStringLiteral("DELETE FROM AR WHERE ID = 300"));
    db.folder.exec(QStringLiteral("UPDATE AR SET Problem = 'newer' WHERE ID = 301"));
    for (int i = 1; i < 300; ++i)
        rs.moveNext();
    QCOMPARE(rs.absolutePosition(), 300);
    QCOMPARE(rs.value("ID"), QString());
    QCOMPARE(rs.value("Problem"), QString());
    rs.moveNext();
    QCOMPARE(rs.value("Problem"), QStringLiteral("newer")); // read after the change: no conflict
    rs.collect("Title", "fine");
    rs.updateBatch();
    rs.movePrevious();
    rs.collect("Title", "gone");
    EXPECT_DB_ERROR(rs.updateBatch(), Kind::Conflict);
    QCOMPARE(db.folder.scalar("SELECT count(*) FROM AR").toInt(), 399);
    QCOMPARE(db.folder.scalar("SELECT Title FROM AR WHERE ID = 301").toString(),
             QStringLiteral("fine"));
}

void TestRecordSet::equalIdsAreDistinctRows()
{
    Db db;
    db.clearArticles();
    db.add(7, "first seven", "N/A", "N/A", "A");
    db.add(7, "second seven", "N/A", "N/A", "B");
    db.add(7, "third seven", "N/A", "N/A", "C");
    RecordSet& rs = db.open();
    QCOMPARE(rs.recordCount(), 3);
    rs.moveNext();
    QCOMPARE(rs.value("Problem"), QStringLiteral("second seven"));
    rs.collect("Title", "B changed");
    rs.moveNext();
    rs.deleteCurrent();
    rs.updateBatch();
    QCOMPARE(db.articles(), (QStringList{"7|A|first seven", "7|B changed|second seven"}));
    rs.setFilter(QStringLiteral("ID = #7#"));
    QCOMPARE(rs.recordCount(), 2);
}

void TestRecordSet::secondBatchOnSameRow()
{
    Db db;
    db.fill(2);
    db.folder.exec(QStringLiteral("CREATE TRIGGER Stamp AFTER UPDATE OF Title ON AR BEGIN UPDATE "
                                  "AR SET EditedBy = 'trigger' WHERE rowid = NEW.rowid; END"));
    RecordSet& rs = db.open();
    rs.collect("Title", "once");
    rs.updateBatch();
    QCOMPARE(rs.value("EditedBy"), QStringLiteral("trigger")); // read back after sending
    rs.collect("Title", "twice");
    rs.collect("ID", "10");
    rs.updateBatch();
    rs.collect("Title", "three times");
    rs.updateBatch();
    QCOMPARE(db.articles().first(), QStringLiteral("10|three times|Problem 1"));
}

void TestRecordSet::readOnlyDatabase_data()
{
    QTest::addColumn<bool>("filePermissions");
    QTest::newRow("read-only file") << true;
    QTest::newRow("read-only connection") << false;
}

void TestRecordSet::readOnlyDatabase()
{
    QFETCH(bool, filePermissions);
    if (filePermissions && geteuid() == 0)
        QSKIP("file permissions do not bind the superuser");
    Db db;
    db.fill(3);
    const QStringList before = db.articles();
    if (filePermissions)
        QVERIFY(QFile::setPermissions(db.folder.dbPath(), QFile::ReadOwner | QFile::ReadGroup));
    RecordSet& rs = db.open();
    if (!filePermissions)
        QSqlQuery(db.connection.database()).exec(QStringLiteral("PRAGMA query_only = ON"));
    rs.collect("Title", "changed");
    rs.moveNext();
    rs.deleteCurrent();
    const Outcome outcome = attempt([&] { rs.updateBatch(); });
    QVERIFY(outcome.thrown);
    QVERIFY2(outcome.message.contains("readonly"), qPrintable(outcome.message));
    QVERIFY(rs.hasPendingChanges());
    QCOMPARE(db.articles(), before);
    if (filePermissions)
        QFile::setPermissions(db.folder.dbPath(), QFile::ReadOwner | QFile::WriteOwner);
}

QTEST_GUILESS_MAIN(TestRecordSet)
#include "tst_recordset.moc"
