// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestSupport.h"

#include "app/frmMain.h"
#include "articles/frmDisplay.h"
#include "core/mdlMain.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

// A folder name that would mean something else in a file address.
const QString kOdd = "a b#c?d%25e&f=é";

class tst_Startup : public QObject
{
    Q_OBJECT
private slots:
    void failures_data()
    {
        QTest::addColumn<QString>("damage"); // "ini:" or "db:" file contents, or SQL statements
        QTest::addColumn<QString>("expected");
        // No preferences file or no path in it: the welcome window (tst_welcome).
        const char* rows[][3] = {
            {"database missing", "ini:[General]\nPath=/nonexistent/folder/ar.db\n",
             "/nonexistent/folder/ar.db"},
            {"missing, path like an address", "ini:[General]\nPath=@/none?mode=rwc.db\n",
             "none?mode=rwc.db\" does not exist"},
            {"database file empty", "db:", "the file is empty"},
            {"not a database", "db:This is a text file, not a database.\n",
             "not an SQLite database"},
            {"no Users table", "DROP TABLE Users", "Users"},
            {"no Categories table", "DROP TABLE Categories", "Categories"},
            {"no AR table", "DROP TABLE AR", "AR"},
            {"no CUINFO table", "DROP TABLE CUINFO", "CUINFO"},
            {"no Customize table", "DROP TABLE Customize", "Customize"},
            {"no EmployeeName column", "DROP TABLE CUINFO;CREATE TABLE CUINFO (CUName TEXT)",
             "EmployeeName"},
            {"Categories empty", "DELETE FROM Categories", "\"Categories\" is empty"},
            {"Users empty", "DELETE FROM Users", "\"Users\" is empty"},
            // On a server ("server:" before the SQL): the same checks, and the server's words
            // when it cannot be reached or holds no such database.
            {"server: no AR table", "server:DROP TABLE AR", "The table \"AR\" does not exist"},
            {"server: Users empty", "server:DELETE FROM Users", "\"Users\" is empty"},
            {"server: no server there",
             "ini:[General]\nPath=postgresql://ardentry$at%2Fnonexistent%2Ffolder/ardentry\n",
             "Cannot connect to the database server \"postgresql://ardentry@%2Fnonexistent%2Ffolder"
             "/ardentry\": connection to server on socket \"/nonexistent/folder/.s.PGSQL.5432\" "
             "failed"},
            {"server: no such database", "server-db:nope_here",
             "database \"nope_here\" does not exist"},
            {"server: not an address",
             "ini:[General]\nPath=postgresql://ardentry$at%2Ftmp:99999/x\n",
             "has the port \"99999\", which is not a port number"}};
        for (const auto& row : rows)
            QTest::newRow(row[0]) << row[1] << row[2];
    }

    // A failed start shows one message naming what failed, with "Choose another database..."
    // beside "Quit" (the default), and writes nothing anywhere.
    void failures()
    {
        QFETCH(QString, damage);
        QFETCH(QString, expected);
        const bool server = damage.startsWith("server");
        auto folder = std::make_shared<TestFolder>(server ? TestFolder::Engine::Server
                                                          : TestFolder::Engine::File);
        if (damage.startsWith("server-db:"))
            damage = "ini:[General]\nPath=" +
                     QString(folder->dbPath())
                         .replace(QRegularExpression("/[^/]*$"), "/")
                         .replace("@", "$at") +
                     damage.mid(10) + "\n";
        else if (server)
            damage = damage.mid(7);
        QVERIFY(QDir().mkpath(folder->path(kOdd)));
        if (damage.startsWith("ini:"))
            folder->writeFile(
                "Ini/arprefs.ini",
                damage.mid(4).replace('@', folder->path(kOdd)).replace("$at", "@").toUtf8());
        else if (damage.startsWith("db:"))
            folder->writeFile("ardentry.db", damage.mid(3).toUtf8().repeated(200));
        else
            for (const QString& statement : damage.split(';'))
                folder->exec(statement);
        const auto snapshot = [&] {
            QStringList all;
            QDirIterator it(folder->folder(),
                            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                QFile file(it.next());
                const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : "";
                all << file.fileName() + ' ' +
                           QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex();
            }
            all.sort();
            return all;
        };
        const QStringList before = snapshot();
        StartedApp started(folder);
        QCOMPARE(started.startStatus(), 1);
        QCOMPARE(started.messages().seen.size(), 1);
        const MessageCatcher::Seen& box = started.messages().seen.first();
        QVERIFY2(box.text.contains(expected), qPrintable(box.text));
        QCOMPARE(box.title, QString("Ardentry"));
        QCOMPARE(box.buttons, QMessageBox::Open | QMessageBox::Close);
        QCOMPARE(box.defaultButton, QMessageBox::Close);
        QCOMPARE(snapshot(), before);
    }

    // A server that wants a password: asked for in a box that does not echo it, asked again
    // after a wrong one with the server's answer, never written to the preferences. Cancel ends
    // in the message of a failed start.
    void password_data()
    {
        QTest::addColumn<QStringList>("typed"); // into each password box, in order; "" cancels
        QTest::addColumn<QString>("outcome");   // "started" or the start of the failure message
        const QString right = "s3cret pass'word";
        QTest::newRow("right") << QStringList{right} << "started";
        QTest::newRow("wrong, then right") << QStringList{"wrong", right} << "started";
        QTest::newRow("cancelled") << QStringList{""} << "Ardentry cannot start.";
        QTest::newRow("wrong, then cancelled")
            << QStringList{"wrong", ""} << "Ardentry cannot start.";
    }

    void password()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, outcome);
        auto folder = std::make_shared<TestFolder>(TestFolder::Engine::Server);
        QString address = folder->dbPath();
        address.replace("postgresql://ardentry@", "postgresql://clerk@");
        const QByteArray ini = "[General]\nPath=" + address.toUtf8() + "\n";
        folder->writeFile("Ini/arprefs.ini", ini);
        QStringList reasons; // what each box said about the attempt before
        StartedApp started(folder, [&](QWidget* dialog) {
            QCOMPARE(dialog->objectName(), "frmPassword");
            auto* box = dialog->findChild<QLineEdit*>("txtPassword");
            QCOMPARE(box->echoMode(), QLineEdit::Password);
            auto* reason = dialog->findChild<QLabel*>("lblReason");
            reasons << (reason->isVisibleTo(dialog) ? reason->text() : "");
            const QString text = typed.value(reasons.size() - 1);
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            if (text.isEmpty()) {
                QTest::mouseClick(dialog->findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
                return;
            }
            QTest::keyClicks(box, text);
            QTest::keyClick(box, Qt::Key_Return);
        });
        QCOMPARE(reasons.size(), typed.size());
        QVERIFY(reasons.first().isEmpty());
        for (const QString& reason : reasons.mid(1))
            QVERIFY2(reason.contains("password authentication failed"), qPrintable(reason));
        if (outcome == "started") {
            QCOMPARE(started.startStatus(), 0);
            QCOMPARE(started.display().windowTitle(), address);
            QCOMPARE(started.text("txtID"), "1");
        } else {
            QCOMPARE(started.startStatus(), 1);
            QCOMPARE(started.messages().texts().size(), 1);
            QVERIFY2(started.messages().texts().first().startsWith(outcome),
                     qPrintable(started.messages().texts().first()));
        }
        QFile file(folder->iniPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), ini);
    }

    void starts_data()
    {
        QTest::addColumn<int>("articles"); // numbered 9, 8, 7, ... downwards
        QTest::addColumn<QString>("id");   // shown first
        QTest::newRow("on the lowest number") << 3 << "7";
        QTest::newRow("empty article table") << 0 << "";
    }

    // The main window shows the first article by number; the lists hold every name in name
    // order, empty and Null names left out.
    void starts()
    {
        QFETCH(int, articles);
        QFETCH(QString, id);
        auto folder = std::make_shared<TestFolder>();
        folder->fillArticles(articles);
        folder->exec("UPDATE AR SET ID = 10 - ID");
        folder->exec("DELETE FROM Users");
        folder->exec(
            "INSERT INTO Users (Users) VALUES ('jim'), ('Jones'), (''), (NULL), ('Adams')");
        const QString path = folder->path(kOdd + "/my db#1%.db"); // read as a path, not an address
        QVERIFY(QDir().mkpath(folder->path(kOdd)) && QFile::rename(folder->dbPath(), path));
        folder->writeFile("Ini/arprefs.ini", ("[General]\nPath=" + path + "\n").toUtf8());
        StartedApp started(folder);
        QCOMPARE(started.startStatus(), 0);
        QVERIFY(started.messages().seen.isEmpty());
        QVERIFY(started.main().isVisible() && started.app().NoArticleAddedYet);
        QCOMPARE(started.text("txtID") + '/' + started.text("Label6") + '/' +
                     started.text("txtProblem"),
                 id.isEmpty() ? "/0/" : id + "/1/Problem 3");
        QCOMPARE(started.display().windowTitle(), path);
        QCOMPARE(started.app().UserList, QStringList({"Adams", "jim", "Jones"}));
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
