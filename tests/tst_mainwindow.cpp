// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestSupport.h"

#include "app/frmMain.h"
#include "articles/frmBrowser.h"
#include "articles/frmDisplay.h"
#include "core/Connection.h"
#include "core/mdlMain.h"

#include <QSqlQuery>
#include <QtTest>
#include <QtWidgets>

class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    UrlCatcher()
    {
        for (const char* scheme : {"file", "http", "https"})
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlCatcher() override
    {
        for (const char* scheme : {"file", "http", "https"})
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened << url.toString(); }
};

class tst_MainWindow : public QObject
{
    Q_OBJECT
private slots:
    void commands_data();
    void commands();
    void afterServerRestart_data();
    void afterServerRestart();
};

// Articles 1..9 ("Problem N", the odd ones in category "Odd") and the row's SQL; then steps and
// checks, "; " between, in order (see `commands`). Every box is answered No.
void tst_MainWindow::commands_data()
{
    QTest::addColumn<TestFolder::Engine>("engine");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("steps");
    // Moving and reading run on both engines; "file: " before a name keeps a row to the file.
    const auto row = [](const char* name, const char* setup, const char* steps) {
        for (const auto& [engine, rowName] : TestFolder::engineRows(name))
            QTest::newRow(rowName.constData()) << engine << QString(setup) << QString(steps);
    };
    row("menus", "",
        "at 1 1; mnuLast; mnuNext; mnuNext; at 9 9; mnuPrevious; mnuPrevious; at 7 7; mnuFirst; "
        "mnuPrevious; at 1 1; mnuNext; at 2 2");
    row("toolbar", "",
        "tb11; tb11; tb11; tb10; at 3 3; tb12; at 9 9; tb9; tb11; at 2 2; tb5; tb8; tb13; at 2 2; "
        "tb1; at 10 10");
    row("keys", "",
        "Ctrl+F3; Ctrl+F3; Ctrl+F2; at 2 2; Ctrl+Z; at 9 9; Ctrl+F1; Ctrl+F3; at 2 2; type "
        "txtProblem Problem 2; Ctrl+Z; at 9 9; Ctrl+N; at 10 10");
    row("form closed", "", "mnuLast; close; mnuNext; at 2 2");
    row("Refresh reads again", "",
        "sql INSERT INTO AR (ID, Problem) VALUES (10, 'Problem 10'); tb7; mnuLast; at 10 10");
    row("left closed, nothing left", "",
        "lose; mnuNext; at  0; tb7; at 1 1; filter CUName = #none#; mnuNext; mnuLast; mnuFirst; at "
        " 0");
    row("filter", "",
        "filter CUName = #odd#; mnuLast; mnuNext; at 9 5; mnuPrevious; at 7 4; mnuFirst; "
        "mnuPrevious; at 1 1; tb7; mnuLast; at 9 9");
    row("file: print", "",
        "Ctrl+P; said Do you want to print this article?; tb4; said Do you want to print this "
        "article?; at 1 1");
    row("file: F2", "", "F2; frmSearch");
    row("file: toolbar search", "", "tb6; frmSearch");
    row("file: F3", "", "F3; frmSetupCG");
    row("file: F4", "", "F4; frmSetupUsers");
    row("file: F5", "", "F5; frmDataPath");
    row("file: F6", "", "F6; frmCustomizeLabels");
    row("file: Exit", "", "mnuExit; ended");
    row("file: toolbar exit", "", "tb14; ended");
    row("file: window closed", "", "mnuNext; quit; ended");
    row("file: user's guide", "", "F1; opened file://@Help/arhelp.htm");
    row("file: references", "",
        "type txtReference N/A; click cmdReference; type txtReference @gone.doc; click "
        "cmdReference; said The reference could not be opened: the file \"@gone.doc\" does not "
        "exist.; type txtReference www.example.com/b.htm; click cmdReference; opened "
        "http://www.example.com/b.htm");
    row("every column",
        "UPDATE AR SET CUName = 'Email', techname = 'Jones', Title = 'Outlook', Problem = 'It "
        "<b>fails</b>', solution = 'Line 1\nLine 2', reference = 'https://x.org', InitialEntry = "
        "'03/05/2006', EditedBy = 'jim', DateEdited = '04/01/2006' WHERE ID = 1; UPDATE AR SET "
        "CUName = NULL, techname = NULL, Title = NULL, Problem = NULL, solution = NULL, reference "
        "= NULL, InitialEntry = NULL, EditedBy = NULL, DateEdited = NULL WHERE ID = 2",
        "at 1 1; cboCUName: Email; cboTechName: Jones; txtTitle: Outlook; txtProblem: It "
        "<b>fails</b>; txtSolution: Line 1\nLine 2; txtReference: https://x.org; txtInitial: "
        "03/05/2006; txtEditedBy: jim; txtDateEdited: 04/01/2006; mnuNext; at 2 2; cboCUName: ; "
        "cboTechName: ; txtTitle: ; txtSolution: ; txtReference: ; txtInitial: ; txtEditedBy: ; "
        "txtDateEdited: ");
    row("file: article locked",
        "WITH RECURSIVE n(i) AS (SELECT 10 UNION ALL SELECT i + 1 FROM n WHERE i < 300) INSERT "
        "INTO AR (ID, Problem) SELECT i, 'Problem ' || i FROM n",
        "sql BEGIN EXCLUSIVE; mnuLast; sql ROLLBACK; said The article could not be read: ; at  "
        "300; mnuLast; at 300 300");
    row("completion",
        "DELETE FROM Users; INSERT INTO Users (Users) VALUES ('Jones'), ('jim'), ('Adams'), "
        "('Andrews')",
        "type cboTechName j; cboTechName: Jones; type cboTechName j; cboTechName: Jones; type "
        "cboTechName a; cboTechName: Adams; type cboTechName a; cboTechName: Andrews; type "
        "cboTechName x; cboTechName: x");
}

void tst_MainWindow::commands()
{
    QFETCH(TestFolder::Engine, engine);
    QFETCH(QString, setup);
    QFETCH(QString, steps);
    auto folder = std::make_shared<TestFolder>(NewDatabaseOptions(), engine);
    folder->exec("BEGIN");
    folder->fillArticles(9);
    folder->exec("UPDATE AR SET CUName = 'Odd' WHERE ID % 2 = 1");
    for (const QString& sql : setup.split("; ", Qt::SkipEmptyParts))
        folder->exec(sql);
    folder->exec("COMMIT");
    StartedApp started(folder);
    frmBrowser::setPrinterHook([](QPrinter&, int) {}); // a printer, though nothing is printed
    UrlCatcher urls;
    QSignalSpy ended(&started.main(), &frmMain::programEnded);
    started.main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&started.main()));
    started.messages().answer(QMessageBox::No);
    const QString base = folder->folder() + '/';
    int heard = 0; // messages checked
    const QString problem = "SELECT Problem FROM AR WHERE ID = ?";
    for (QString step : steps.split("; ", Qt::SkipEmptyParts)) {
        step.replace('@', base);
        const QString rest = step.section(' ', 1);
        if (step.startsWith("type ")) {
            started.type(rest.section(' ', 0, 0), rest.section(' ', 1));
        } else if (step.startsWith("click ")) {
            QTest::mouseClick(started.control<QWidget>(rest), Qt::LeftButton);
        } else if (step == "close") {
            started.main().findChild<QMdiSubWindow*>("frmDisplayWindow")->close();
            QTRY_VERIFY(!started.main().displayIfLoaded());
        } else if (step == "quit") {
            started.main().close();
        } else if (step.startsWith("sql ")) {
            folder->exec(rest);
        } else if (step.startsWith("filter ")) {
            started.app().rsMain.setFilter(rest);
            started.main().ShowCurrentRecord();
        } else if (step == "lose") {
            started.app().rsMain.close();
        } else if (QRegularExpression("^(Ctrl\\+.*|F\\d)$").match(step).hasMatch()) {
            const QKeyCombination key = QKeySequence(step)[0];
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        } else if (step.startsWith("said ")) {
            QCOMPARE(started.messages().texts().value(heard++).left(rest.size()), rest);
        } else if (step.startsWith("at ")) {
            QCOMPARE(started.text("txtID") + " " + started.display().shownPosition(), rest);
            const QString id = started.text("txtID"); // the problem of that article
            QCOMPARE(started.text("txtProblem"),
                     (id.isEmpty() ? QVariant() : folder->scalar(problem, {id.toLongLong()}))
                         .toString());
        } else if (step.startsWith("opened ")) {
            QCOMPARE(urls.opened, QStringList{rest});
        } else if (step == "ended") {
            QCOMPARE(ended.count(), 1);
        } else if (step.contains(": ") || step.endsWith(':')) {
            QCOMPARE(started.text(step.section(':', 0, 0)), step.section(": ", 1));
        } else if (step.startsWith("frm")) {
            QVERIFY(findWidget<QWidget>(step) && findWidget<QWidget>(step)->isVisible());
        } else {
            started.run(step);
        }
    }
    QCOMPARE(started.messages().texts().size(), heard);
    QCOMPARE(ended.count(), steps.contains("ended") ? 1 : 0);
    QCOMPARE(urls.opened.isEmpty(), !steps.contains("; opened "));
}

// The server ends every session of the program (a restart, an administrator): the first command
// after it works, without a message. "away": the server takes no connection until the check.
void tst_MainWindow::afterServerRestart_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("check"); // "widget: pattern of what it shows"
    const auto row = [](const char* command, const char* check) {
        QTest::newRow(command) << QString(command) << QString(check);
    };
    row("quick search", "lblResultCount: ^3 articles$");
    row("quick search, server away", "lblResultCount: ^3 articles$");
    row("mnuHistory", "lblArticle: ^Article 1 ");
    row("mnuTrash", "lblCount: ^0 deleted article");
    row("mnuGen", "Label6: ^PostgreSQL 15\\.\\d+$");
    row("mnuCategories", "List1: .");
    row("mnuLabels", "Text1: .");
    row("mnuExport", "optAll: \\(3\\)$");
    row("mnuAdd", "txtID: ^4$");
    row("Command1", "Text1: ^N/A$"); // the images of the article
}

void tst_MainWindow::afterServerRestart()
{
    QFETCH(QString, command);
    QFETCH(QString, check);
    auto folder = std::make_shared<TestFolder>(NewDatabaseOptions(), TestFolder::Engine::Server);
    folder->fillArticles(3);
    StartedApp started(folder);
    started.main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&started.main()));
    const QString others = "FROM pg_stat_activity WHERE pid <> pg_backend_pid() AND datname = "
                           "current_database()";
    const QString name = folder->scalar("SELECT current_database()").toString();
    const bool away = command.endsWith("away");
    Connection admin; // a database takes or refuses connections by the word of another one
    admin.open(TestFolder::serverAddress());
    const auto admit = [&](bool yes) {
        QSqlQuery alter(admin.database());
        QVERIFY(alter.exec(QString("ALTER DATABASE %1 ALLOW_CONNECTIONS %2").arg(name).arg(yes)));
    };
    if (away)
        admit(false);
    folder->exec("SELECT pg_terminate_backend(pid) " + others);
    QTRY_COMPARE(folder->scalar("SELECT count(*) " + others).toInt(), 0);
    started.messages().clear();
    auto* box = findWidget<QLineEdit>("txtQuickSearch");
    auto* said = findWidget<QLabel>("lblResultCount");
    if (command.startsWith("quick search")) {
        QTest::keyClick(&started.main(), Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(box->hasFocus());
        QTest::keyClicks(box, "Prob");
    } else if (command == "Command1") {
        QTest::mouseClick(started.control<QWidget>(command), Qt::LeftButton);
    } else {
        started.trigger(command);
    }
    if (away) {
        // One box says why; the next keys are quiet, the result line says it; once the server
        // takes connections again the next key finds the articles.
        QTRY_COMPARE(started.messages().texts().size(), 1);
        QVERIFY2(started.messages().texts().first().contains(
                     QRegularExpression("cannot be made again: .*" + name)),
                 qPrintable(started.messages().texts().first()));
        QTest::keyClick(box, Qt::Key_L);
        QTRY_COMPARE(said->text(), started.messages().texts().first());
        admit(true);
        QTest::keyClick(box, Qt::Key_E);
    }
    const QString widget = check.section(": ", 0, 0);
    const QRegularExpression pattern(check.section(": ", 1));
    // Several windows may have a widget of that name (the article form's Label6 and General's):
    // what any visible one shows.
    const auto shown = [&] {
        QStringList texts;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            QWidget* found = top->findChild<QWidget*>(widget);
            if (!found || !found->isVisible())
                continue;
            if (auto* label = qobject_cast<QLabel*>(found))
                texts << label->text();
            else if (auto* line = qobject_cast<QLineEdit*>(found))
                texts << line->text();
            else if (auto* button = qobject_cast<QAbstractButton*>(found))
                texts << button->text();
            else if (auto* list = qobject_cast<QListWidget*>(found))
                texts << (list->count() > 0 ? list->item(0)->text() : QString());
        }
        return texts.isEmpty() ? QStringList{"(not shown)"} : texts;
    };
    QTRY_VERIFY2(!shown().filter(pattern).isEmpty(), qPrintable(shown().join(" | ")));
    QCOMPARE(started.messages().texts().size(), away ? 1 : 0);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
