#include "tests/TestSupport.h"

#include "articles/frmDisplay.h"
#include "app/frmMain.h"
#include "core/mdlMain.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace
{
// Every file and folder below `folder`, each file with a digest of what it holds.
QStringList snapshot(const QString& folder)
{
    QStringList all;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : "";
        all << file.fileName() + " " +
                   QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex();
    }
    all.sort();
    return all;
}
} // namespace

class tst_Startup : public QObject
{
    Q_OBJECT
private slots:
    void failures_data();
    void failures();
    void starts_data();
    void starts();
};

void tst_Startup::failures_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("expected");
    const char* rows[][3] = {
        {"no preferences file", "rm-ini", "preferences file"},
        {"no path key", "ini:[General]\nSearchString=x\n", "no database path"},
        {"empty path", "ini:[General]\nPath=\n", "no database path"},
        {"database missing", "ini:[General]\nPath=/nonexistent/folder/ar.db\n",
         "/nonexistent/folder/ar.db"},
        {"not a database", "db:This is a text file, not a database.\n", "not an SQLite database"},
        {"no Users table", "DROP TABLE Users", "Users"},
        {"no Categories table", "DROP TABLE Categories", "Categories"},
        {"no AR table", "DROP TABLE AR", "AR"},
        {"no CUINFO table", "DROP TABLE CUINFO", "CUINFO"},
        {"no Customize table", "DROP TABLE Customize", "Customize"},
        {"no EmployeeName column", "DROP TABLE CUINFO;CREATE TABLE CUINFO (CUName TEXT)",
         "EmployeeName"},
        {"Categories empty", "DELETE FROM Categories", "\"Categories\" is empty"},
        {"Users empty", "DELETE FROM Users", "\"Users\" is empty"},
    };
    for (const auto& row : rows)
        QTest::newRow(row[0]) << row[1] << row[2];
}

void tst_Startup::failures()
{
    QFETCH(QString, damage);
    QFETCH(QString, expected);
    auto folder = std::make_shared<TestFolder>();
    if (damage == "rm-ini")
        QVERIFY(QFile::remove(folder->iniPath()));
    else if (damage.startsWith("ini:"))
        folder->writeFile("Ini/arprefs.ini", damage.mid(4).toUtf8());
    else if (damage.startsWith("db:"))
        folder->writeFile("ardentry.db", damage.mid(3).toUtf8().repeated(200));
    else
        for (const QString& statement : damage.split(';'))
            folder->exec(statement);
    const QStringList before = snapshot(folder->folder());

    StartedApp started(folder);
    QCOMPARE(started.startStatus(), 1);
    QCOMPARE(started.messages().seen.size(), 1);
    const auto& box = started.messages().seen.first();
    QVERIFY2(box.text.contains(expected), qPrintable(box.text));
    QCOMPARE(box.title, QString("Ardentry"));
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(snapshot(folder->folder()), before); // nothing written anywhere
}

void tst_Startup::starts_data()
{
    QTest::addColumn<int>("articles"); // numbered 9, 8, 7, ... downwards
    QTest::addColumn<bool>("longPath");
    QTest::addColumn<QString>("id"); // shown first
    QTest::newRow("on the lowest number") << 3 << false << "7";
    QTest::newRow("empty article table") << 0 << false << "";
    QTest::newRow("path of over 100 characters is read whole") << 3 << true << "7";
}

void tst_Startup::starts()
{
    QFETCH(int, articles);
    QFETCH(bool, longPath);
    QFETCH(QString, id);
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(articles);
    folder->exec("UPDATE AR SET ID = 10 - ID"); // the order is by number
    // Every name, in name order ignoring letter case; empty and Null names are skipped.
    folder->exec("DELETE FROM Categories");
    QStringList categories;
    for (int i = 150; i >= 1; --i) {
        categories.prepend(QString("Cat %1").arg(i, 3, 10, QChar('0')));
        folder->exec("INSERT INTO Categories (Category) VALUES (?)", {categories.first()});
    }
    folder->exec("INSERT INTO Categories (Category) VALUES (''), (NULL)");
    folder->exec("DELETE FROM Users");
    folder->exec("INSERT INTO Users (Users) VALUES ('jim'), ('Jones'), (''), (NULL), ('Adams')");
    QString path = folder->dbPath();
    if (longPath) {
        const QString deep = folder->path(QString("a-folder-with-a-rather-long-name/").repeated(3));
        QVERIFY(QDir().mkpath(deep));
        path = deep + "articles.db";
        QVERIFY(path.size() > 100 && QFile::rename(folder->dbPath(), path));
        folder->writeFile("Ini/arprefs.ini", ("[General]\r\nPath=" + path + "\r\n").toUtf8());
    }
    StartedApp started(folder);
    QCOMPARE(started.startStatus(), 0);
    QVERIFY(started.messages().seen.isEmpty());
    frmMain& main = started.main();
    QCOMPARE(main.windowTitle(), QString("Kestrow Ardentry"));
    QCOMPARE(main.size(), QSize(800, 600));
    QVERIFY(main.isVisible());
    QVERIFY(started.app().NoArticleAddedYet);
    QCOMPARE(started.app().rsMain.source(), QString("SELECT * FROM AR ORDER BY ID"));
    QCOMPARE(started.display().txtID->text(), id);
    QCOMPARE(started.display().txtProblem->toPlainText(), id.isEmpty() ? "" : "Problem 3");
    QCOMPARE(started.display().Label6->text(), id.isEmpty() ? "0" : "1");
    QCOMPARE(started.display().windowTitle(), path);
    QCOMPARE(started.app().CategoryList, categories);
    QCOMPARE(started.app().UserList, QStringList({"Adams", "jim", "Jones"}));
}

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
