#include "TestSupport.h"

#include "articles/frmDisplay.h"
#include "frmMain.h"
#include "mdlMain.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace
{
QByteArray digest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "absent";
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}
} // namespace

class tst_Startup : public QObject
{
    Q_OBJECT
private slots:
    void failures_data();
    void failures();
    void startsOnFirstArticle();
    void nameListsHoldEveryName();
    void emptyArticleTable();
    void longDatabasePath();
};

void tst_Startup::failures_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no preferences file") << "rm-ini"
                                         << "preferences file";
    QTest::newRow("no path key") << "ini:[General]\nSearchString=x\n"
                                 << "no database path";
    QTest::newRow("empty path") << "ini:[General]\nPath=\n"
                                << "no database path";
    QTest::newRow("database missing") << "ini:[General]\nPath=/nonexistent/folder/ar.db\n"
                                      << "/nonexistent/folder/ar.db";
    QTest::newRow("not a database") << "garbage"
                                    << "not an SQLite database";
    QTest::newRow("no Users table") << "sql:DROP TABLE Users"
                                    << "Users";
    QTest::newRow("no Categories table") << "sql:DROP TABLE Categories"
                                         << "Categories";
    QTest::newRow("no AR table") << "sql:DROP TABLE AR"
                                 << "AR";
    QTest::newRow("no CUINFO table") << "sql:DROP TABLE CUINFO"
                                     << "CUINFO";
    QTest::newRow("no Customize table") << "sql:DROP TABLE Customize"
                                        << "Customize";
    QTest::newRow("no EmployeeName column")
        << "sql:DROP TABLE CUINFO;CREATE TABLE CUINFO (CUName TEXT)"
        << "EmployeeName";
    QTest::newRow("Categories empty") << "sql:DELETE FROM Categories"
                                      << "Categories";
    QTest::newRow("Users empty") << "sql:DELETE FROM Users"
                                 << "Users";
}

void tst_Startup::failures()
{
    QFETCH(QString, damage);
    QFETCH(QString, expected);

    auto folder = std::make_shared<TestFolder>();
    if (damage == "rm-ini") {
        QVERIFY(QFile::remove(folder->iniPath()));
    } else if (damage.startsWith("ini:")) {
        folder->writeFile("Ini/arprefs.ini", damage.mid(4).toUtf8());
    } else if (damage == "garbage") {
        QFile::remove(folder->dbPath());
        folder->writeFile("ardentry.db",
                          QByteArray("This is a text file, not a database.\n").repeated(200));
    } else if (damage.startsWith("sql:")) {
        for (const QString& statement : damage.mid(4).split(';'))
            folder->exec(statement);
    }
    const QByteArray iniBefore = digest(folder->iniPath());
    const QByteArray dbBefore = digest(folder->dbPath());
    const QStringList filesBefore = QDir(folder->folder()).entryList(QDir::AllEntries);

    StartedApp started(folder);

    QCOMPARE(started.startStatus(), 1);
    QVERIFY(!started.app().mainWindow());
    QCOMPARE(started.messages().seen.size(), 1);
    const auto& box = started.messages().seen.first();
    QVERIFY2(box.text.contains(expected), qPrintable(box.text));
    QCOMPARE(box.title, QString("Ardentry"));
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    // Nothing written anywhere.
    QCOMPARE(digest(folder->iniPath()), iniBefore);
    QCOMPARE(digest(folder->dbPath()), dbBefore);
    QCOMPARE(QDir(folder->folder()).entryList(QDir::AllEntries), filesBefore);
}

void tst_Startup::startsOnFirstArticle()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(3);
    folder->exec("UPDATE AR SET ID = 10 - ID"); // 9, 8, 7: the order is by number
    StartedApp started(folder);
    QCOMPARE(started.startStatus(), 0);
    frmMain& main = started.main();
    QCOMPARE(main.windowTitle(), QString("Kestrow Ardentry"));
    QCOMPARE(main.size(), QSize(800, 600));
    QVERIFY(main.isVisible());
    QVERIFY(started.app().NoArticleAddedYet);
    QCOMPARE(started.app().rsMain.source(), QString("SELECT * FROM AR ORDER BY ID"));
    QCOMPARE(started.display().txtID->text(), QString("7"));
    QCOMPARE(started.display().txtProblem->toPlainText(), QString("Problem 3"));
    QCOMPARE(started.display().Label6->text(), QString("1"));
    QVERIFY(started.messages().seen.isEmpty());
}

void tst_Startup::nameListsHoldEveryName()
{
    auto folder = std::make_shared<TestFolder>();
    folder->exec("DELETE FROM Categories");
    QStringList expected;
    for (int i = 150; i >= 1; --i)
        folder->exec("INSERT INTO Categories (Category) VALUES (?)",
                     {QString("Cat %1").arg(i, 3, 10, QChar('0'))});
    for (int i = 1; i <= 150; ++i)
        expected << QString("Cat %1").arg(i, 3, 10, QChar('0'));
    folder->exec("INSERT INTO Categories (Category) VALUES ('')");
    folder->exec("INSERT INTO Categories (Category) VALUES (NULL)");
    folder->exec("DELETE FROM Users");
    // Names sort ignoring letter case, as a person reads them.
    folder->exec("INSERT INTO Users (Users) VALUES ('jim'), ('Jones'), (''), ('Adams')");

    StartedApp started(folder);
    QCOMPARE(started.startStatus(), 0);
    QCOMPARE(started.app().CategoryList, expected);
    QCOMPARE(started.app().UserList, QStringList({"Adams", "jim", "Jones"}));
}

void tst_Startup::emptyArticleTable()
{
    auto folder = std::make_shared<TestFolder>();
    folder->exec("DELETE FROM AR");
    StartedApp started(folder);
    QCOMPARE(started.startStatus(), 0);
    QCOMPARE(started.display().txtID->text(), QString());
    QCOMPARE(started.display().Label6->text(), QString("0"));
    QVERIFY(started.messages().seen.isEmpty());
}

void tst_Startup::longDatabasePath()
{
    // Paths of any length are read whole.
    auto folder = std::make_shared<TestFolder>();
    const QString deep = folder->path(QString("a-folder-with-a-rather-long-name/").repeated(3));
    QVERIFY(QDir().mkpath(deep));
    const QString moved = deep + "articles.db";
    QVERIFY(moved.size() > 100);
    QVERIFY(QFile::copy(folder->dbPath(), moved));
    folder->writeFile("Ini/arprefs.ini", ("[General]\r\nPath=" + moved + "\r\n").toUtf8());
    StartedApp started(folder);
    QCOMPARE(started.startStatus(), 0);
    QCOMPARE(started.display().windowTitle(), moved);
}

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
