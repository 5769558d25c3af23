#include "TestSupport.h"

#include "articles/frmDisplay.h"
#include "frmMain.h"
#include "mdlMain.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <QUrl>

// Catches what the program hands to the desktop to open.
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
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class tst_MainWindow : public QObject
{
    Q_OBJECT
private slots:
    void menuItems_data();
    void menuItems();
    void menuOrder();
    void toolbar();
    void navigation_data();
    void navigation();
    void navigationUnderFilter();
    void refreshRemovesFilter();
    void emptyTable();
    void ctrlZIsLastRecordInATextBox();
    void labelsFromCustomize();
    void displayShowsEveryColumn();
    void nullColumnsShowEmpty();
    void completion();
    void closedFormComesBack();
    void referenceButton();
    void exitEndsProgram();
    void usersGuide();
};

void tst_MainWindow::menuItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    const char* rows[][3] = {
        {"mnuFile", "&File", ""},
        {"mnuAdd", "&Add New Record", "Ctrl+N"},
        {"mnuSave", "&Save Record", "Ctrl+S"},
        {"mnuDelete", "&Delete Record", "Ctrl+D"},
        {"mnuPrint", "&Print Record", "Ctrl+P"},
        {"mnuFirst", "&First Record", "Ctrl+F1"},
        {"mnuPrevious", "Previous Record", "Ctrl+F2"},
        {"mnuNext", "Next Record", "Ctrl+F3"},
        {"mnuLast", "Last Record", "Ctrl+Z"},
        {"mnuSearch", "Sea&rch", "F2"},
        {"mnuExit", "E&xit", ""},
        {"mnuSetup", "&Setup", ""},
        {"mnuCategories", "&Categories", "F3"},
        {"mnuUsers", "&Users", "F4"},
        {"mnuData", "&Database Path", "F5"},
        {"mnuLabels", "Customize &Labels", "F6"},
        {"mnuHelp", "&Help", ""},
        {"mnuGen", "&General Info", ""},
        {"mnuMan", "&User's Guide", "F1"},
        {"mnuAbout", "&About Ardentry...", ""},
    };
    for (const auto& row : rows)
        QTest::newRow(row[0]) << row[0] << row[1] << row[2];
}

void tst_MainWindow::menuItems()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    StartedApp started;
    QAction* action = started.main().action(name);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut().toString(), shortcut);
}

void tst_MainWindow::menuOrder()
{
    StartedApp started;
    QStringList names;
    for (QAction* top : started.main().menuBar()->actions()) {
        names << top->objectName();
        for (QAction* item : top->menu()->actions())
            names << (item->isSeparator() ? "-" + item->objectName() : item->objectName());
    }
    QCOMPARE(names, QStringList({"mnuFile",  "mnuAdd",          "mnuSave",         "mnuDelete",
                                 "mnuPrint", "-mnuFileDivide2", "mnuFirst",        "mnuPrevious",
                                 "mnuNext",  "mnuLast",         "-mnuFileDivide1", "mnuSearch",
                                 "mnuExit",  "mnuSetup",        "mnuCategories",   "mnuUsers",
                                 "mnuData",  "mnuLabels",       "mnuHelp",         "mnuGen",
                                 "mnuMan",   "-mnuHelpHy1",     "mnuAbout"}));
}

void tst_MainWindow::toolbar()
{
    StartedApp started;
    QToolBar* bar = started.main().findChild<QToolBar*>("tlbTool");
    QVERIFY(bar);
    const QList<QAction*> actions = bar->actions();
    QCOMPARE(actions.size(), 14);
    const char* tips[14] = {"Add New Record - Ctrl + N",
                            "Save Record - Ctrl + S ",
                            "Delete Record - Ctrl + D",
                            "Print Record - Ctrl + P",
                            nullptr,
                            "Search - F2",
                            "Refresh",
                            nullptr,
                            "First Record - Ctrl + F1",
                            "Previous Record - Ctrl + F2",
                            "Next Record - Ctrl + F3",
                            "Last Record - Ctrl + Z",
                            nullptr,
                            "Exit"};
    for (int i = 0; i < 14; ++i) {
        QCOMPARE(actions[i]->isSeparator(), tips[i] == nullptr);
        if (!tips[i])
            continue;
        QCOMPARE(actions[i]->toolTip(), QString(tips[i]));
        const QPixmap picture = actions[i]->icon().pixmap(32, 32);
        QVERIFY2(!picture.isNull(), tips[i]);
        // Not blank: the picture has visible pixels of more than one colour.
        const QImage image = picture.toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) > 0)
                    colours << image.pixel(x, y);
        QVERIFY2(colours.size() > 1, tips[i]);
    }
    QCOMPARE(actions[8]->data().toString(), QString("First "));
}

void tst_MainWindow::navigation_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expectedId");
    QTest::addColumn<QString>("expectedPosition");
    QTest::newRow("start") << QStringList() << "1"
                           << "1";
    QTest::newRow("next") << QStringList{"mnuNext"} << "2"
                          << "2";
    QTest::newRow("last") << QStringList{"mnuLast"} << "5"
                          << "5";
    QTest::newRow("next at last stays") << QStringList{"mnuLast", "mnuNext", "mnuNext"} << "5"
                                        << "5";
    QTest::newRow("previous at first stays") << QStringList{"mnuPrevious", "mnuPrevious"} << "1"
                                             << "1";
    QTest::newRow("back and forth") << QStringList{"mnuLast", "mnuPrevious", "mnuPrevious"} << "3"
                                    << "3";
    QTest::newRow("first") << QStringList{"mnuLast", "mnuFirst"} << "1"
                           << "1";
    QTest::newRow("toolbar next") << QStringList{"tb11", "tb11"} << "3"
                                  << "3";
    QTest::newRow("toolbar last, previous") << QStringList{"tb12", "tb10"} << "4"
                                            << "4";
    QTest::newRow("toolbar first") << QStringList{"tb12", "tb9"} << "1"
                                   << "1";
    QTest::newRow("toolbar separators do nothing")
        << QStringList{"tb11", "tb5", "tb8", "tb13"} << "2"
        << "2";
}

void tst_MainWindow::navigation()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, expectedId);
    QFETCH(QString, expectedPosition);
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(5);
    StartedApp started(folder);
    for (const QString& step : steps) {
        if (step.startsWith("tb"))
            started.clickToolbar(step.mid(2).toInt());
        else
            started.trigger(step);
    }
    QCOMPARE(started.display().txtID->text(), expectedId);
    QCOMPARE(started.display().txtProblem->toPlainText(), "Problem " + expectedId);
    QCOMPARE(started.display().Label6->text(), expectedPosition);
}

void tst_MainWindow::navigationUnderFilter()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(9);
    folder->exec("UPDATE AR SET CUName = 'Odd' WHERE ID % 2 = 1");
    StartedApp started(folder);
    started.app().rsMain.setFilter("CUName = #odd#");
    started.main().ShowCurrentRecord();
    frmDisplay& form = started.display();
    QCOMPARE(form.txtID->text(), QString("1"));
    started.trigger("mnuLast");
    QCOMPARE(form.txtID->text(), QString("9"));
    QCOMPARE(form.Label6->text(), QString("5"));
    started.trigger("mnuNext");
    QCOMPARE(form.txtID->text(), QString("9"));
    started.trigger("mnuPrevious");
    QCOMPARE(form.txtID->text(), QString("7"));
    QCOMPARE(form.Label6->text(), QString("4"));
    started.trigger("mnuFirst");
    QCOMPARE(form.txtID->text(), QString("1"));
    started.trigger("mnuPrevious");
    QCOMPARE(form.txtID->text(), QString("1"));
    QCOMPARE(form.Label6->text(), QString("1"));
}

void tst_MainWindow::refreshRemovesFilter()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(4);
    StartedApp started(folder);
    started.app().rsMain.setFilter("Problem LIKE #*3*#");
    started.main().ShowCurrentRecord();
    QCOMPARE(started.display().txtID->text(), QString("3"));
    started.clickToolbar(7);
    QCOMPARE(started.app().rsMain.filter(), QString());
    QCOMPARE(started.app().rsMain.recordCount(), 4);
    QCOMPARE(started.display().txtID->text(), QString("1"));
    QCOMPARE(started.display().Label6->text(), QString("1"));
}

void tst_MainWindow::emptyTable()
{
    auto folder = std::make_shared<TestFolder>();
    folder->exec("DELETE FROM AR");
    StartedApp started(folder);
    for (const char* step : {"mnuNext", "mnuPrevious", "mnuFirst", "mnuLast"})
        started.trigger(step);
    started.clickToolbar(7);
    QCOMPARE(started.display().txtID->text(), QString());
    QCOMPARE(started.display().txtProblem->toPlainText(), QString());
    QCOMPARE(started.display().Label6->text(), QString("0"));
    QVERIFY(started.messages().seen.isEmpty());

    // Under a filter that keeps nothing, too.
    folder->fillArticles(2);
    started.clickToolbar(7);
    QCOMPARE(started.display().txtID->text(), QString("1"));
    started.app().rsMain.setFilter("CUName = #nothing#");
    started.trigger("mnuNext");
    started.trigger("mnuLast");
    QCOMPARE(started.display().Label6->text(), QString("0"));
    QVERIFY(started.messages().seen.isEmpty());
}

void tst_MainWindow::ctrlZIsLastRecordInATextBox()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(3);
    StartedApp started(folder);
    frmDisplay& form = started.display();
    started.main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&started.main()));
    form.txtProblem->setFocus();
    QTest::keyClicks(form.txtProblem, "typed");
    QTest::keyClick(form.txtProblem, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(form.txtID->text(), QString("3"));
    QCOMPARE(form.txtProblem->toPlainText(), QString("Problem 3"));
}

void tst_MainWindow::labelsFromCustomize()
{
    auto folder = std::make_shared<TestFolder>();
    folder->exec("UPDATE Customize SET Labels = 'Custom ' || ID || ':'");
    folder->exec("INSERT INTO Customize (ID, Labels) VALUES (7, 'Seventh')");
    StartedApp started(folder);
    frmDisplay& form = started.display();
    const QList<QLabel*> labels{form.lblProblemNo, form.lbCUName,   form.lblTech,
                                form.Label4,       form.lblProblem, form.lblSolution};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(labels[i]->text(), QString("Custom %1:").arg(i + 1));

    // Fewer rows: the rest keep their design captions.
    auto fewer = std::make_shared<TestFolder>();
    fewer->exec("DELETE FROM Customize WHERE ID > 4");
    StartedApp second(fewer);
    QCOMPARE(second.display().lblProblemNo->text(), QString("AR Number:"));
    QCOMPARE(second.display().lblProblem->text(), QString("Problem Description:"));
    QCOMPARE(second.display().lblSolution->text(), QString("Solution:"));
}

void tst_MainWindow::displayShowsEveryColumn()
{
    auto folder = std::make_shared<TestFolder>();
    folder->exec("DELETE FROM AR");
    folder->exec("INSERT INTO AR (ID, CUName, techname, Title, Problem, solution, reference, "
                 "InitialEntry, EditedBy, DateEdited) VALUES (42, 'Email', 'Jones', 'Outlook', "
                 "'It <b>fails</b> & \"stops\"', 'Line 1\nLine 2', 'https://example.com', "
                 "'03/05/2006', 'jim', '04/01/2006')");
    StartedApp started(folder);
    frmDisplay& form = started.display();
    QCOMPARE(form.txtID->text(), QString("42"));
    QCOMPARE(form.cboCUName->currentText(), QString("Email"));
    QCOMPARE(form.cboTechName->currentText(), QString("Jones"));
    QCOMPARE(form.txtTitle->text(), QString("Outlook"));
    QCOMPARE(form.txtProblem->toPlainText(), QString("It <b>fails</b> & \"stops\""));
    QCOMPARE(form.txtSolution->toPlainText(), QString("Line 1\nLine 2"));
    QCOMPARE(form.txtReference->text(), QString("https://example.com"));
    QCOMPARE(form.txtInitial->text(), QString("03/05/2006"));
    QCOMPARE(form.txtEditedBy->text(), QString("jim"));
    QCOMPARE(form.txtDateEdited->text(), QString("04/01/2006"));
    QCOMPARE(form.Label6->text(), QString("1"));
    QCOMPARE(form.rtb1->toPlainText(), QString("It <b>fails</b> & \"stops\""));
    QVERIFY(!form.rtb1->isVisible());
    QCOMPARE(form.windowTitle(), folder->dbPath());
}

void tst_MainWindow::nullColumnsShowEmpty()
{
    auto folder = std::make_shared<TestFolder>();
    folder->exec("DELETE FROM AR");
    folder->exec("INSERT INTO AR (ID) VALUES (1)");
    folder->exec("INSERT INTO AR (ID, Problem) VALUES (2, 'second')");
    StartedApp started(folder);
    QCOMPARE(started.display().txtProblem->toPlainText(), QString());
    QCOMPARE(started.display().cboCUName->currentText(), QString());
    started.trigger("mnuNext");
    QCOMPARE(started.display().txtProblem->toPlainText(), QString("second"));
    QCOMPARE(started.display().txtTitle->text(), QString());
    QVERIFY(started.messages().seen.isEmpty());
}

void tst_MainWindow::completion()
{
    auto folder = std::make_shared<TestFolder>();
    folder->exec("DELETE FROM Users");
    folder->exec("INSERT INTO Users (Users) VALUES ('Jones'), ('jim'), ('Adams')");
    StartedApp started(folder);
    frmDisplay& form = started.display();
    QComboBox* tech = form.cboTechName;
    QCOMPARE(tech->count(), 3); // Adams, Jones, jim

    tech->clearEditText();
    QTest::keyClicks(tech, "j");
    QCOMPARE(tech->currentText(), QString("Jones"));
    QCOMPARE(tech->toolTip(), QString("Jones"));
    tech->clearEditText();
    QTest::keyClicks(tech, "j"); // wraps round to Jones: jim never matches
    QCOMPARE(tech->currentText(), QString("Jones"));
    tech->clearEditText();
    QTest::keyClicks(tech, "x"); // no entry: the letter stays
    QCOMPARE(tech->currentText(), QString("x"));
    QCOMPARE(tech->toolTip(), QString("x"));

    // The category box searches but keeps what was typed.
    form.cboCUName->clearEditText();
    QTest::keyClicks(form.cboCUName, "g");
    QCOMPARE(form.cboCUName->currentText(), QString("g"));
    QCOMPARE(form.cboCUName->toolTip(), QString("g"));
}

void tst_MainWindow::closedFormComesBack()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(4);
    StartedApp started(folder);
    started.trigger("mnuLast");
    QMdiSubWindow* window = started.main().findChild<QMdiSubWindow*>("frmDisplayWindow");
    QVERIFY(window);
    window->close();
    QTest::qWait(10);
    QVERIFY(!started.main().displayIfLoaded());
    started.trigger("mnuNext"); // loads on the first article, then moves on
    QVERIFY(started.main().displayIfLoaded());
    QCOMPARE(started.display().txtID->text(), QString("2"));
    QVERIFY(started.display().isVisible());
}

void tst_MainWindow::referenceButton()
{
    auto folder = std::make_shared<TestFolder>();
    folder->writeFile("docs/guide.txt", "guide");
    StartedApp started(folder);
    UrlCatcher urls;
    frmDisplay& form = started.display();

    form.txtReference->setText("N/A");
    form.cmdReference->click();
    QVERIFY(urls.opened.isEmpty());
    QVERIFY(started.messages().seen.isEmpty());

    form.txtReference->setText("https://example.com/kb/a.html");
    form.cmdReference->click();
    QCOMPARE(urls.opened.value(0), QUrl("https://example.com/kb/a.html"));

    form.txtReference->setText(folder->path("docs/guide.txt"));
    form.cmdReference->click();
    QCOMPARE(urls.opened.value(1), QUrl::fromLocalFile(folder->path("docs/guide.txt")));

    form.txtReference->setText(folder->path("docs/missing.doc"));
    form.cmdReference->click();
    QCOMPARE(urls.opened.size(), 2);
    QCOMPARE(started.messages().seen.size(), 1);
    QVERIFY(started.messages().seen[0].text.contains("missing.doc"));
}

void tst_MainWindow::exitEndsProgram()
{
    for (const char* way : {"menu", "toolbar", "close"}) {
        StartedApp started;
        QSignalSpy ended(&started.main(), &frmMain::programEnded);
        if (QByteArray(way) == "menu")
            started.trigger("mnuExit");
        else if (QByteArray(way) == "toolbar")
            started.clickToolbar(14);
        else
            started.main().close();
        QCOMPARE(ended.count(), 1);
        QVERIFY(started.messages().seen.isEmpty());
    }
}

void tst_MainWindow::usersGuide()
{
    StartedApp started;
    UrlCatcher urls;
    started.trigger("mnuMan");
    QCOMPARE(urls.opened.value(0), QUrl::fromLocalFile(started.folder().path("Help/arhelp.htm")));
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
