// SPDX-License-Identifier: GPL-3.0-or-later
// Typing is never garbled or silently dropped, stored bytes survive a save, and hostile input
// gets a clear message instead of reaching the desktop or the memory.
#include "tests/TestSupport.h"

#include "app/frmMain.h"
#include "articles/DocumentView.h"
#include "articles/frmDisplay.h"
#include "core/mdlMain.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTreeWidget>

#include <sys/stat.h>

// Records what the program hands to the desktop instead of launching anything.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class TestTrust : public QObject
{
    Q_OBJECT
private slots:
    void typedNamesStayAsTyped_data();
    void typedNamesStayAsTyped();
    void changesAreNotDroppedSilently_data();
    void changesAreNotDroppedSilently();
    void focusReturnsAfterDialog();
    void numbersStayUnique();
    void untouchedTextsKeepTheirBytes();
    void namesSortAsPeopleSortThem();
    void marksFollowTheFilter_data();
    void marksFollowTheFilter();
    void fileProblemsInWords();
    void referencesOpenOnlySafeTargets_data();
    void referencesOpenOnlySafeTargets();
    void documentsAreCapped();
    void searchByMustBeAChoice();
    void formFollowsPaletteAndSize();
    void refreshSeesEveryWrite_data();
    void refreshSeesEveryWrite();
};

void TestTrust::typedNamesStayAsTyped_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("user typed whole") << "cboTechName"
                                      << "Patel"
                                      << "Patel";
    QTest::newRow("user lower case") << "cboTechName"
                                     << "schmidt"
                                     << "Schmidt";
    QTest::newRow("category letter") << "cboCUName"
                                     << "N"
                                     << "N";
}

void TestTrust::typedNamesStayAsTyped()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    StartedApp s(NewDatabaseOptions{true, 0});
    s.type(box, typed);
    QCOMPARE(s.text(box), shown);
    s.trigger("mnuSave");
    const char* column = box == "cboTechName" ? "techname" : "CUName";
    QCOMPARE(s.folder().scalar(QString("SELECT %1 FROM AR WHERE ID = ?").arg(column),
                               {s.text("txtID").toInt()}),
             QVariant(shown));
}

void TestTrust::changesAreNotDroppedSilently_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<QString>("stored"); // Solution of article 1 afterwards
    QTest::addColumn<bool>("stays");     // the typed text is still on the screen
    const int yes = QMessageBox::Yes, no = QMessageBox::No, cancel = QMessageBox::Cancel;
    QTest::newRow("next, cancel") << "mnuNext" << cancel << true << "" << true;
    QTest::newRow("toolbar next, no") << "tb11" << no << true << "" << false;
    QTest::newRow("ctrl+z in a box, yes") << "ctrl+z" << yes << true << "Typed" << false;
    QTest::newRow("refresh, yes") << "tb7" << yes << true << "Typed" << false;
    QTest::newRow("add new, cancel") << "mnuAdd" << cancel << true << "" << true;
    QTest::newRow("search, cancel") << "mnuSearch" << cancel << true << "" << true;
    QTest::newRow("categories, no") << "mnuCategories" << no << true << "" << false;
    QTest::newRow("close form, cancel") << "close" << cancel << true << "" << true;
    QTest::newRow("exit, cancel") << "mnuExit" << cancel << true << "" << true;
    QTest::newRow("history, cancel") << "mnuHistory" << cancel << true << "" << true;
    QTest::newRow("trash, cancel") << "mnuTrash" << cancel << true << "" << true;
    QTest::newRow("import, cancel") << "mnuImport" << cancel << true << "" << true;
    QTest::newRow("export, cancel") << "mnuExport" << cancel << true << "" << true;
    QTest::newRow("quick search result, cancel") << "quick" << cancel << true << "" << true;
    QTest::newRow("untouched: no question") << "mnuNext" << cancel << false << "" << false;
}

void TestTrust::changesAreNotDroppedSilently()
{
    QFETCH(QString, step);
    QFETCH(int, answer);
    QFETCH(bool, typed);
    QFETCH(QString, stored);
    QFETCH(bool, stays);
    StartedApp s(NewDatabaseOptions{true, 0});
    const QString before = s.folder().scalar("SELECT solution FROM AR WHERE ID = 1").toString();
    if (typed)
        s.type("txtSolution", "Typed");
    s.messages().clear();
    s.messages().answer(QMessageBox::StandardButton(answer));
    if (step == "ctrl+z") {
        s.main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.main()));
        QTest::keyClick(s.control<QWidget>("txtSolution"), Qt::Key_Z, Qt::ControlModifier);
    } else if (step == "close") {
        s.main().findChild<QMdiSubWindow*>("frmDisplayWindow")->close();
    } else if (step == "quick") {
        s.trigger("mnuQuickSearch");
        auto* box = findWidget<QLineEdit>("txtQuickSearch");
        QTRY_VERIFY(box->hasFocus());
        QTest::keyClicks(box, "printer");
        auto* results = findWidget<QTreeWidget>("lstResults");
        QTRY_VERIFY(results->topLevelItemCount() > 0);
        QTest::keyClick(box, Qt::Key_Down);
        QTest::keyClick(results, Qt::Key_Return);
    } else
        s.run(step);

    const QString question = "Save the changes to article 1?";
    QCOMPARE(s.messages().texts().contains(question), typed);
    if (typed) {
        const auto& box = s.messages().seen.first();
        QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.defaultButton, QMessageBox::Yes);
    }
    QCOMPARE(s.folder().scalar("SELECT solution FROM AR WHERE ID = 1").toString(),
             stored.isEmpty() ? before : stored);
    if (stays) {
        QCOMPARE(s.text("txtSolution"), QString("Typed"));
        QCOMPARE(s.text("txtID"), QString("1"));
    }
    QVERIFY(s.main().isVisible());
}

void TestTrust::focusReturnsAfterDialog()
{
    StartedApp s;
    s.trigger("mnuGen");
    QWidget* general = findWidget<QWidget>("General");
    QVERIFY(general);
    general->close();
    QTRY_VERIFY(s.main().isEnabled());
    QTRY_COMPARE(QApplication::activeWindow(), &s.main());
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(focused && s.display().isAncestorOf(focused));
}

void TestTrust::numbersStayUnique()
{
    StartedApp s(NewDatabaseOptions{true, 0});
    // Old data may already share a number: that article still saves with it.
    s.folder().exec("UPDATE AR SET ID = 1 WHERE ID = 2");
    s.run("tb7");
    s.trigger("mnuNext");
    s.type("txtTitle", "Still one");
    s.trigger("mnuSave");
    QCOMPARE(s.messages().texts().last(), QString("Article successfully saved."));

    // A new or changed number that another article holds is refused, also for a begun article.
    for (const QString& start : {QString("mnuNext"), QString("mnuAdd")}) {
        s.trigger(start);
        s.messages().answer(QMessageBox::No);
        s.type("txtID", "1");
        s.type("txtProblem", "P");
        s.type("txtSolution", "S");
        s.trigger("mnuSave");
        QCOMPARE(s.messages().texts().last(),
                 QString("Article number 1 is already used by another article. Choose another "
                         "number before you save."));
        QCOMPARE(s.folder().scalar("SELECT COUNT(*) FROM AR WHERE ID = 1").toInt(), 2);
        QCOMPARE(s.text("txtSolution"), QString("S"));
        s.messages().answer(QMessageBox::No);
        s.run("tb7");
    }
}

void TestTrust::untouchedTextsKeepTheirBytes()
{
    StartedApp s;
    // Old data: CR LF breaks, a no-break space and text that is not valid UTF-8.
    s.folder().exec("UPDATE AR SET Problem = CAST(X'4C696E6520310D0A4C696E652032' AS TEXT), "
                    "solution = 'A' || char(160) || 'B', reference = CAST(X'43616678E9' AS "
                    "TEXT) WHERE ID = 1");
    const auto bytes = [&] {
        return s.folder().rows("SELECT hex(Problem), hex(solution), hex(reference) FROM AR");
    };
    const auto before = bytes();
    s.run("tb7");
    s.type("txtTitle", "Changed title");
    s.trigger("mnuSave");
    QCOMPARE(s.messages().texts().last(), QString("Article successfully saved."));
    QCOMPARE(bytes(), before);
    QCOMPARE(s.folder().scalar("SELECT Title FROM AR").toString(), QString("Changed title"));
    // The unreadable row can be deleted too (after another article exists).
    s.folder().exec("INSERT INTO AR (ID, Problem, solution) VALUES (9, 'p', 's')");
    s.run("tb7");
    s.trigger("mnuDelete");
    QCOMPARE(s.messages().texts().last(), QString("Article deleted."));
    QCOMPARE(s.folder().scalar("SELECT COUNT(*) FROM AR").toInt(), 1);
}

void TestTrust::namesSortAsPeopleSortThem()
{
    auto folder = std::make_shared<TestFolder>();
    folder->exec("DELETE FROM Categories");
    for (const char* name : {"Software", "Éducation", "network"})
        folder->exec("INSERT INTO Categories VALUES (?)", {QString::fromUtf8(name)});
    folder->exec("INSERT INTO Users VALUES (?)", {QString::fromUtf8("Émile")});
    folder->exec("INSERT INTO Users VALUES ('Schmidt')");
    StartedApp s(folder);
    QCOMPARE(s.app().CategoryList,
             QStringList({QString::fromUtf8("Éducation"), "network", "Software"}));
    const QStringList users = s.app().UserList;
    QVERIFY(users.indexOf(QString::fromUtf8("Émile")) < users.indexOf("Schmidt"));
    auto* box = s.control<QComboBox>("cboCUName");
    QCOMPARE(box->itemText(0), QString::fromUtf8("Éducation"));
}

void TestTrust::marksFollowTheFilter_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<QStringList>("marked");
    QTest::newRow("sharp s") << QString::fromUtf8("Straße closed for STRASSE works") << "strasse"
                             << QStringList{QString::fromUtf8("Straße"), "STRASSE"};
    QTest::newRow("decomposed accent")
        << QString::fromUtf8("Le cafe\u0301 ferme") << QString::fromUtf8("café")
        << QStringList{QString::fromUtf8("cafe\u0301")};
}

void TestTrust::marksFollowTheFilter()
{
    QFETCH(QString, problem);
    QFETCH(QString, wanted);
    QFETCH(QStringList, marked);
    StartedApp s;
    s.folder().exec("UPDATE AR SET Problem = ?", {problem});
    s.run("tb7");
    s.trigger("mnuSearch");
    auto* by = findWidget<QComboBox>("cboSearchBy");
    by->setCurrentIndex(1); // Problem
    by->activated(1);
    for (const QChar c : wanted) // key events that carry the character itself, accents too
        QTest::sendKeyEvent(QTest::Click, findWidget<QLineEdit>("txtSearchString"), Qt::Key_unknown,
                            QString(c), Qt::NoModifier);
    QTest::mouseClick(findWidget<QWidget>("cmdSearch"), Qt::LeftButton);
    QVERIFY(s.messages().texts().contains("Found 1 Ardentry article(s)."));
    QStringList shown;
    for (const auto& mark : s.control<QPlainTextEdit>("txtProblem")->extraSelections())
        shown << mark.cursor.selectedText();
    QCOMPARE(shown, marked);
}

void TestTrust::fileProblemsInWords()
{
    StartedApp s;
    s.type("txtSolution", "Typed before the file went");
    QVERIFY(QFile::rename(s.folder().dbPath(), s.folder().dbPath() + ".moved"));
    s.trigger("mnuSave");
    const QString text = s.messages().texts().last();
    QVERIFY2(text.contains("is gone") && text.contains("still on the screen"), qPrintable(text));
    QCOMPARE(s.text("txtSolution"), QString("Typed before the file went"));
}

void TestTrust::referencesOpenOnlySafeTargets_data()
{
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("refusal"); // empty: opened
    QTest::newRow("web") << "https://example.com/kb"
                         << "";
    QTest::newRow("document") << "@doc.txt"
                              << "";
    QTest::newRow("javascript") << "javascript:alert(1)"
                                << "\"javascript:\" addresses";
    QTest::newRow("smb") << "smb://server/share"
                         << "\"smb:\" addresses";
    QTest::newRow("script") << "@run.sh"
                            << "program or script";
    QTest::newRow("launcher") << "@evil.desktop"
                              << "desktop launcher";
    QTest::newRow("pipe") << "@pipe"
                          << "not a document file";
}

void TestTrust::referencesOpenOnlySafeTargets()
{
    QFETCH(QString, reference);
    QFETCH(QString, refusal);
    StartedApp s;
    s.folder().writeFile("doc.txt", "text");
    s.folder().writeFile("run.sh", "#!/bin/sh\n");
    QFile(s.folder().path("run.sh")).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    s.folder().writeFile("evil.desktop", "[Desktop Entry]\nExec=true\n");
    ::mkfifo(QFile::encodeName(s.folder().path("pipe")).constData(), 0600);
    if (reference.startsWith('@'))
        reference = s.folder().path(reference.mid(1));
    UrlCatcher catcher;
    for (const char* scheme : {"http", "https", "file", "javascript", "smb"})
        QDesktopServices::setUrlHandler(scheme, &catcher, "open");
    s.type("txtReference", reference);
    QTest::mouseClick(s.control<QWidget>("cmdReference"), Qt::LeftButton);
    for (const char* scheme : {"http", "https", "file", "javascript", "smb"})
        QDesktopServices::unsetUrlHandler(scheme);
    QCOMPARE(catcher.opened.size(), refusal.isEmpty() ? 1 : 0);
    if (!refusal.isEmpty())
        QVERIFY2(s.messages().texts().last().contains(refusal),
                 qPrintable(s.messages().texts().join('|')));
}

void TestTrust::documentsAreCapped()
{
    // An endless answer from a server stops at the cap instead of filling the memory.
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    connect(&server, &QTcpServer::newConnection, [&server] {
        QTcpSocket* socket = server.nextPendingConnection();
        socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n");
        auto feed = [socket] {
            if (socket->bytesToWrite() < 1 << 20)
                socket->write(QByteArray(1 << 20, 'x'));
        };
        connect(socket, &QTcpSocket::bytesWritten, socket, feed);
        feed();
    });
    DocumentView view;
    view.navigate(QString("http://127.0.0.1:%1/").arg(server.serverPort()));
    QTRY_VERIFY_WITH_TIMEOUT(!view.isLoading(), 20000);
    QVERIFY2(view.errorText().contains("larger than 20 MB"), qPrintable(view.errorText()));

    // A pipe is not read at all.
    TestFolder folder;
    ::mkfifo(QFile::encodeName(folder.path("pipe")).constData(), 0600);
    view.navigate(folder.path("pipe"));
    QVERIFY2(view.errorText().contains("not a regular file"), qPrintable(view.errorText()));
}

void TestTrust::searchByMustBeAChoice()
{
    StartedApp s;
    s.trigger("mnuSearch");
    QTest::keyClicks(findWidget<QComboBox>("cboSearchBy"), "Title");
    QTest::keyClicks(findWidget<QLineEdit>("txtSearchString"), "printer");
    QTest::mouseClick(findWidget<QWidget>("cmdSearch"), Qt::LeftButton);
    QCOMPARE(s.messages().texts(),
             QStringList{"Choose what to search by: Category, Problem, Solution or AR Number."});
    QVERIFY(s.app().rsMain.filter().isEmpty());
}

void TestTrust::formFollowsPaletteAndSize()
{
    StartedApp s;
    // A dark theme: the greyed date box keeps readable text.
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, QColor(50, 50, 50));
    dark.setColor(QPalette::ButtonText, Qt::white);
    QApplication::setPalette(dark);
    StartedApp darkApp;
    const QPalette box = darkApp.control<QLineEdit>("txtInitial")->palette();
    QApplication::setPalette(QPalette());
    QVERIFY(qAbs(box.color(QPalette::Base).lightness() - box.color(QPalette::Text).lightness()) >
            100);

    // A larger frame: the text boxes use the room; a long label never covers its box.
    auto* problem = s.control<QPlainTextEdit>("txtProblem");
    const QSize designed = problem->size();
    s.main().resize(1200, 900);
    QTRY_VERIFY(problem->width() > designed.width() + 300);
    QVERIFY(problem->height() > designed.height());
    s.folder().exec("UPDATE Customize SET Labels = 'A much longer caption than designed:' "
                    "WHERE ID = (SELECT MIN(ID) FROM Customize)");
    s.display().Form_Load();
    QVERIFY(s.control<QLabel>("lblProblemNo")->geometry().right() <
            s.control<QWidget>("txtID")->geometry().left());
}

void TestTrust::refreshSeesEveryWrite_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<QString>("first"); // the article shown after Refresh
    QTest::addColumn<int>("change");    // articles added (or removed) by the write
    QTest::newRow("another program") << "other"
                                     << "0" << 1;
    QTest::newRow("this connection, plain SQL") << "same"
                                                << "0" << 1;
    QTest::newRow("our own new article") << "save"
                                         << "0" << 1;
    QTest::newRow("our own renumbering") << "renumber"
                                         << "0" << 0;
    QTest::newRow("our own delete") << "delete"
                                    << "2" << -1;
}

void TestTrust::refreshSeesEveryWrite()
{
    QFETCH(QString, writer);
    QFETCH(QString, first);
    QFETCH(int, change);
    StartedApp s(NewDatabaseOptions{true, 0});
    const int before = s.app().rsMain.recordCount();
    const QString insert = "INSERT INTO AR (ID, Problem, solution) VALUES (0, 'p', 's')";
    if (writer == "other") {
        s.folder().exec(insert);
    } else if (writer == "same") {
        QSqlQuery(s.app().dbConnection.database()).exec(insert);
    } else if (writer == "save" || writer == "renumber") {
        s.trigger(writer == "save" ? "mnuAdd" : "mnuLast");
        s.type("txtID", "0");
        s.type("txtProblem", "p");
        s.type("txtSolution", "s");
        s.trigger("mnuSave");
    } else {
        s.trigger("mnuDelete");
    }
    s.run("tb7");
    QCOMPARE(s.text("txtID"), first);
    QCOMPARE(s.app().rsMain.recordCount(), before + change);
    QCOMPARE(s.app().rsMain.recordCount(), s.folder().scalar("SELECT count(*) FROM AR").toInt());
}

QTEST_MAIN(TestTrust)
#include "tst_trust.moc"
