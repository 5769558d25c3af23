#include "tests/TestSupport.h"

#include "articles/frmDisplay.h"
#include "app/frmMain.h"
#include "core/mdlMain.h"

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
    void menus();
    void toolbar();
    void navigation_data();
    void navigation();
    void emptyTable();
    void articleThatCannotBeRead();
    void ctrlZIsLastRecordInATextBox();
    void labelsFromCustomize();
    void displayShowsEveryColumn();
    void completion();
    void closedFormComesBack();
    void referenceAndUsersGuide();
    void exitEndsProgram();
};

void tst_MainWindow::menus()
{
    // Each item with its caption and shortcut, in menu order; "-" marks a separator.
    StartedApp started;
    QStringList items;
    auto describe = [](const QAction* a) {
        return (a->isSeparator() ? "-" : "") +
               QString("%1 %2 %3")
                   .arg(a->objectName(), a->text(), a->shortcut().toString())
                   .trimmed();
    };
    for (QAction* top : started.main().menuBar()->actions()) {
        items << describe(top);
        for (const QAction* item : top->menu()->actions())
            items << describe(item);
    }
    QCOMPARE(items,
             QString("mnuFile &File|mnuAdd &Add New Record Ctrl+N|mnuSave &Save Record Ctrl+S|"
                     "mnuDelete &Delete Record Ctrl+D|mnuPrint &Print Record Ctrl+P|"
                     "-mnuFileDivide2|mnuFirst &First Record Ctrl+F1|"
                     "mnuPrevious Previous Record Ctrl+F2|mnuNext Next Record Ctrl+F3|"
                     "mnuLast Last Record Ctrl+Z|-mnuFileDivide1|mnuSearch Sea&rch F2|"
                     "mnuExit E&xit|mnuSetup &Setup|mnuCategories &Categories F3|"
                     "mnuUsers &Users F4|mnuData &Database Path F5|"
                     "mnuLabels Customize &Labels F6|mnuHelp &Help|mnuGen &General Info|"
                     "mnuMan &User's Guide F1|-mnuHelpHy1|mnuAbout &About Ardentry...")
                 .split('|'));
}

void tst_MainWindow::toolbar()
{
    StartedApp started;
    QToolBar* bar = started.main().findChild<QToolBar*>("tlbTool");
    QVERIFY(bar);
    const QList<QAction*> actions = bar->actions();
    QCOMPARE(actions.size(), 14);
    // Positions 1 to 14; an empty tip marks a separator.
    const QStringList tips =
        QString("Add New Record - Ctrl + N|Save Record - Ctrl + S |"
                "Delete Record - Ctrl + D|Print Record - Ctrl + P||Search - F2|"
                "Refresh||First Record - Ctrl + F1|Previous Record - Ctrl + F2|"
                "Next Record - Ctrl + F3|Last Record - Ctrl + Z||Exit")
            .split('|');
    for (int i = 0; i < 14; ++i) {
        QCOMPARE(actions[i]->isSeparator(), tips[i].isEmpty());
        if (tips[i].isEmpty())
            continue;
        QCOMPARE(actions[i]->toolTip(), tips[i]);
        const QPixmap picture = actions[i]->icon().pixmap(32, 32);
        QVERIFY2(!picture.isNull(), qPrintable(tips[i]));
        // Not blank: the picture has visible pixels of more than one colour.
        const QImage image = picture.toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) > 0)
                    colours << image.pixel(x, y);
        QVERIFY2(colours.size() > 1, qPrintable(tips[i]));
    }
    QCOMPARE(actions[8]->data().toString(), QString("First "));
}

void tst_MainWindow::navigation_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("steps"); // menu items, or "tbN": toolbar position N
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("position");
    using L = QStringList;
    QTest::newRow("start") << "" << L() << 1 << 1;
    QTest::newRow("next") << "" << L{"mnuNext"} << 2 << 2;
    QTest::newRow("last") << "" << L{"mnuLast"} << 9 << 9;
    QTest::newRow("next at last stays") << "" << L{"mnuLast", "mnuNext", "mnuNext"} << 9 << 9;
    QTest::newRow("previous at first stays") << "" << L{"mnuPrevious", "mnuPrevious"} << 1 << 1;
    QTest::newRow("back and forth") << "" << L{"mnuLast", "mnuPrevious", "mnuPrevious"} << 7 << 7;
    QTest::newRow("first") << "" << L{"mnuLast", "mnuFirst"} << 1 << 1;
    QTest::newRow("toolbar next") << "" << L{"tb11", "tb11"} << 3 << 3;
    QTest::newRow("toolbar last, previous") << "" << L{"tb12", "tb10"} << 8 << 8;
    QTest::newRow("toolbar first") << "" << L{"tb12", "tb9"} << 1 << 1;
    QTest::newRow("toolbar separators do nothing")
        << "" << L{"tb11", "tb5", "tb8", "tb13"} << 2 << 2;
    // Odd numbers only (the criteria ignore letter case): 1, 3, 5, 7, 9.
    const QString odd = "CUName = #odd#";
    QTest::newRow("filter: start") << odd << L() << 1 << 1;
    QTest::newRow("filter: last") << odd << L{"mnuLast"} << 9 << 5;
    QTest::newRow("filter: next at last stays") << odd << L{"mnuLast", "mnuNext"} << 9 << 5;
    QTest::newRow("filter: back") << odd << L{"mnuLast", "mnuPrevious"} << 7 << 4;
    QTest::newRow("filter: first") << odd << L{"mnuLast", "mnuFirst"} << 1 << 1;
    QTest::newRow("filter: previous at first stays") << odd << L{"mnuPrevious"} << 1 << 1;
    QTest::newRow("filter: Refresh removes it") << odd << L{"mnuLast", "tb7"} << 1 << 1;
    QTest::newRow("filter keeps nothing")
        << "CUName = #none#" << L{"mnuNext", "mnuLast", "mnuPrevious", "mnuFirst"} << 0 << 0;
}

void tst_MainWindow::navigation()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, steps);
    QFETCH(int, id);
    QFETCH(int, position);
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(9);
    folder->exec("UPDATE AR SET CUName = 'Odd' WHERE ID % 2 = 1");
    StartedApp started(folder);
    started.app().rsMain.setFilter(filter);
    started.main().ShowCurrentRecord();
    for (const QString& step : steps)
        started.run(step);
    QCOMPARE(started.display().txtID->text(), id ? QString::number(id) : QString());
    QCOMPARE(started.display().txtProblem->toPlainText(), id ? QString("Problem %1").arg(id) : "");
    QCOMPARE(started.display().Label6->text(), QString::number(position));
    QVERIFY(started.messages().seen.isEmpty());
    if (steps.contains("tb7")) {
        QCOMPARE(started.app().rsMain.filter(), QString());
        QCOMPARE(started.app().rsMain.recordCount(), 9);
    }
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
    // Articles written meanwhile show after Refresh.
    folder->fillArticles(2);
    started.clickToolbar(7);
    QCOMPARE(started.display().txtID->text(), QString("1"));
    // Left closed by an open that failed elsewhere: navigation shows nothing, Refresh reopens.
    started.app().rsMain.close();
    started.trigger("mnuNext");
    QCOMPARE(started.display().Label6->text(), QString("0"));
    started.clickToolbar(7);
    QCOMPARE(started.display().txtID->text(), QString("1"));
    QVERIFY(started.messages().seen.isEmpty());
}

void tst_MainWindow::articleThatCannotBeRead()
{
    auto folder = std::make_shared<TestFolder>();
    folder->exec("BEGIN");
    folder->fillArticles(300); // more than the first look at the table reads
    folder->exec("COMMIT");
    StartedApp started(folder);
    folder->exec("BEGIN EXCLUSIVE"); // another program holds the file
    started.trigger("mnuLast");
    folder->exec("ROLLBACK");
    const QStringList texts = started.messages().texts();
    QCOMPARE(texts.size(), 1);
    QVERIFY2(texts[0].startsWith("The article could not be read: "), qPrintable(texts[0]));
    QCOMPARE(started.display().txtProblem->toPlainText(), QString());
    QCOMPARE(started.display().Label6->text(), QString("300"));
    started.trigger("mnuLast"); // read once the file is free
    QCOMPARE(started.display().txtProblem->toPlainText(), QString("Problem 300"));
    QCOMPARE(started.messages().seen.size(), 1);
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
    folder->exec("INSERT INTO AR (ID) VALUES (43)"); // every other column Null
    StartedApp started(folder);
    frmDisplay& form = started.display();
    auto shown = [&form] {
        return QStringList(
            {form.txtID->text(), form.cboCUName->currentText(), form.cboTechName->currentText(),
             form.txtTitle->text(), form.txtProblem->toPlainText(), form.txtSolution->toPlainText(),
             form.txtReference->text(), form.txtInitial->text(), form.txtEditedBy->text(),
             form.txtDateEdited->text(), form.Label6->text(), form.rtb1->toPlainText()});
    };
    QCOMPARE(shown(), QStringList({"42", "Email", "Jones", "Outlook", "It <b>fails</b> & \"stops\"",
                                   "Line 1\nLine 2", "https://example.com", "03/05/2006", "jim",
                                   "04/01/2006", "1", "It <b>fails</b> & \"stops\""}));
    QVERIFY(!form.rtb1->isVisible());
    QCOMPARE(form.windowTitle(), folder->dbPath());
    // Nulls show as empty text, the title included; rtb1 keeps the problem of the form's load.
    started.trigger("mnuNext");
    QCOMPARE(shown(), QStringList({"43", "", "", "", "", "", "", "", "", "", "2",
                                   "It <b>fails</b> & \"stops\""}));
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
    // Typing on after a completion replaces the completed rest: a whole name can be typed.
    tech->clearEditText();
    QTest::keyClicks(tech, "Adams");
    QCOMPARE(tech->currentText(), QString("Adams"));

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

void tst_MainWindow::referenceAndUsersGuide()
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

    form.txtReference->setText("www.example.com/kb/b.html"); // an address without its scheme
    form.cmdReference->click();
    QCOMPARE(urls.opened.value(2), QUrl("http://www.example.com/kb/b.html"));

    form.txtReference->setText(folder->path("docs/missing.doc"));
    form.cmdReference->click();
    QCOMPARE(urls.opened.size(), 3);
    QCOMPARE(started.messages().seen.size(), 1);
    QVERIFY(started.messages().seen[0].text.contains("missing.doc"));
    // The user's guide opens the same way.
    started.trigger("mnuMan");
    QCOMPARE(urls.opened.value(3), QUrl::fromLocalFile(folder->path("Help/arhelp.htm")));
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

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
