#include "tests/TestSupport.h"

#include "articles/frmDisplay.h"
#include "app/frmMain.h"
#include "core/mdlMain.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace
{
const QString saved = "Article successfully saved.";
const QString appended = "The currently displayed article will be appended.";
const QString fillIn = "Please fill in all the information before you save.";
const QString unsaved = "Ardentry can't delete this article because it has not been saved. "
                        "Delete Process stopped.";
const QString only = "Ardentry can't delete the article because it is the ONLY Ardentry article. "
                     "Delete will leave Ardentry in an unstable condition. Delete process stopped.";
const QString deleted = "Article deleted.";
const QString confirm = "You're about to delete this article.  Are you sure?";

std::shared_ptr<TestFolder> withArticles(int count)
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(count);
    return folder;
}

// The program started on articles 1..count; the file is read through a connection of its own.
struct Session {
    explicit Session(int count) : folder(withArticles(count)), started(folder) {}
    frmDisplay& form() { return started.display(); }
    QStringList texts() { return started.messages().texts(); }
    void run(const QString& step) { started.run(step); }
    int count(const QString& where = "1") const
    {
        return folder->scalar("SELECT COUNT(*) FROM AR WHERE " + where).toInt();
    }
    QVariantList row(const QString& sql) const { return folder->rows(sql).value(0); }
    QString value(const QString& sql) const { return row(sql).value(0).toString(); }
    std::shared_ptr<TestFolder> folder;
    StartedApp started;
};
} // namespace

class tst_Records : public QObject
{
    Q_OBJECT
private slots:
    void saveNeedsProblemAndSolution_data();
    void saveNeedsProblemAndSolution();
    void saveFillsEmptyFields();
    void appendNoticeOnlyBeforeFirstAdd();
    void addNewProposesNextNumber_data();
    void addNewProposesNextNumber();
    void savingTwiceFromTheSameForm();
    void leavingABegunArticleDropsIt_data();
    void leavingABegunArticleDropsIt();
    void saveRefusesAnIdThatIsNotANumber();
    void saveOnAnEmptyTable();
    void deleteArticle_data();
    void deleteArticle();
    void lockedDatabase();
    void addSaveDeleteByToolbar();
};

void tst_Records::saveNeedsProblemAndSolution_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("solution");
    const char* rows[][3] = {{"both empty", "", ""},
                             {"no problem", "", "fix"},
                             {"no solution", "broken", ""},
                             {"one blank each saves", " ", " "}};
    for (const auto& row : rows)
        QTest::newRow(row[0]) << row[1] << row[2];
}

void tst_Records::saveNeedsProblemAndSolution()
{
    QFETCH(QString, problem);
    QFETCH(QString, solution);
    const bool saves = !problem.isEmpty() && !solution.isEmpty();
    Session s(2);
    s.form().txtProblem->setPlainText(problem);
    s.form().txtSolution->setPlainText(solution);
    s.form().txtReference->clear();
    s.run("mnuSave");
    QCOMPARE(s.texts(), saves ? QStringList({appended, saved}) : QStringList({fillIn}));
    QCOMPARE(s.value("SELECT Problem FROM AR WHERE ID = 1"), saves ? problem : "Problem 1");
    QCOMPARE(s.form().txtReference->text(), saves ? "N/A" : ""); // refused: no "N/A" put in
}

void tst_Records::saveFillsEmptyFields()
{
    Session s(2);
    frmDisplay& form = s.form();
    for (QComboBox* box : {form.cboCUName, form.cboTechName})
        box->setEditText("");
    for (QLineEdit* box :
         {form.txtID, form.txtReference, form.txtEditedBy, form.txtDateEdited, form.txtInitial})
        box->clear();
    form.txtTitle->setText("Printer");
    s.run("mnuSave");
    QCOMPARE(s.texts().last(), saved);
    QCOMPARE(QStringList({form.cboCUName->currentText(), form.cboTechName->currentText(),
                          form.txtID->text(), form.txtReference->text(), form.txtEditedBy->text(),
                          form.txtDateEdited->text(), form.txtInitial->text()}),
             QStringList({"N/A", "N/A", "0000", "N/A", "N/A", "N/A", ""}));
    QCOMPARE(s.row("SELECT ID, CUName, techname, Title, InitialEntry, reference, EditedBy, "
                   "DateEdited FROM AR WHERE Problem = 'Problem 1'"),
             QVariantList({0, "N/A", "N/A", "Printer", "", "N/A", "N/A", "N/A"}));
    // The empty initial entry is stored as text, never as Null.
    QCOMPARE(s.row("SELECT typeof(InitialEntry) FROM AR WHERE Problem = 'Problem 1'"),
             QVariantList({"text"}));
}

void tst_Records::appendNoticeOnlyBeforeFirstAdd()
{
    Session s(2);
    s.run("mnuSave");
    s.run("mnuSave");
    QCOMPARE(s.texts(), QStringList({appended, saved, appended, saved}));
    s.started.messages().clear();
    s.run("mnuAdd");
    s.run("mnuFirst"); // leaves the begun article
    s.run("mnuSave");
    QCOMPARE(s.texts(), QStringList({saved}));
}

void tst_Records::addNewProposesNextNumber_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("shown");
    QTest::newRow("all articles") << QString() << 11;
    QTest::newRow("under a filter") << "Problem LIKE #*1*#" << 4; // 1, 10, 11, 12
}

void tst_Records::addNewProposesNextNumber()
{
    QFETCH(QString, filter);
    QFETCH(int, shown);
    Session s(12);
    s.folder->exec("UPDATE AR SET ID = 40 WHERE ID = 2");
    s.folder->exec("DELETE FROM AR WHERE ID = 3");
    s.run("tb7"); // Refresh reads them again
    s.started.app().rsMain.setFilter(filter);
    s.started.main().ShowCurrentRecord();
    frmDisplay& form = s.form();
    form.txtTitle->setText("Left from before");
    s.run("mnuAdd");
    // One more than the largest number in the whole table; Label6 counts the begun one in.
    QCOMPARE(form.txtID->text(), QString("41"));
    QCOMPARE(form.Label6->text(), QString::number(shown + 1));
    QCOMPARE(s.started.app().rsMain.recordCount(), shown);
    QCOMPARE(form.txtTitle->text(), QString("N/A"));
    // The date of Add New: month, day, four-digit year.
    QCOMPARE(form.txtInitial->text(), QDate::currentDate().toString("MM/dd/yyyy"));
    QVERIFY(QRegularExpression("^\\d\\d/\\d\\d/\\d{4}$").match(form.txtInitial->text()).hasMatch());
    QCOMPARE(form.txtReference->text() + form.txtEditedBy->text() + form.txtDateEdited->text() +
                 form.txtProblem->toPlainText() + form.cboCUName->currentText(),
             QString()); // the rest empty
    QVERIFY(s.texts().isEmpty());
}

void tst_Records::savingTwiceFromTheSameForm()
{
    Session s(5);
    s.run("mnuNext");
    s.form().txtSolution->setPlainText("first edit");
    s.run("mnuSave");
    s.form().txtSolution->setPlainText("second edit");
    s.run("mnuSave");
    QCOMPARE(s.value("SELECT solution FROM AR WHERE ID = 2"), QString("second edit"));
    QCOMPARE(s.value("SELECT solution FROM AR WHERE ID = 5"), QString("Solution 5"));
    s.run("mnuNext"); // moves on from the saved article, not from the last one
    QCOMPARE(s.form().txtID->text(), QString("3"));
}

void tst_Records::leavingABegunArticleDropsIt_data()
{
    QTest::addColumn<QString>("leave");
    for (const char* step : {"mnuNext", "mnuPrevious", "mnuFirst", "mnuLast", "mnuAdd", "tb7"})
        QTest::newRow(step) << step; // tb7: Refresh
}

void tst_Records::leavingABegunArticleDropsIt()
{
    QFETCH(QString, leave);
    Session s(3);
    s.run("mnuAdd");
    s.run(leave);
    // Whatever is shown now is saved; the begun article must not come along.
    if (s.form().txtProblem->toPlainText().isEmpty()) {
        s.form().txtProblem->setPlainText("p");
        s.form().txtSolution->setPlainText("s");
    }
    s.run("mnuSave");
    QCOMPARE(s.texts().last(), saved);
    QCOMPARE(s.count(), leave == "mnuAdd" ? 4 : 3); // a second Add New saves its own article
    QCOMPARE(s.count("Problem IS NULL"), 0);
}

void tst_Records::saveRefusesAnIdThatIsNotANumber()
{
    Session s(2);
    for (const char* bad : {"12a", "1.5", "seven"}) {
        s.form().txtID->setText(bad);
        s.run("mnuSave");
        QVERIFY(s.texts().last().contains("not a whole number"));
        QCOMPARE(s.value("SELECT ID FROM AR WHERE Problem = 'Problem 1'"), QString("1"));
        QCOMPARE(s.form().txtID->text(), QString(bad));
    }
    QVERIFY(!s.texts().contains(saved));
}

void tst_Records::saveOnAnEmptyTable()
{
    Session s(0);
    s.form().txtID->setText("1");
    s.form().txtProblem->setPlainText("First problem");
    s.form().txtSolution->setPlainText("First solution");
    s.run("mnuSave");
    QCOMPARE(s.texts().last(), saved);
    QCOMPARE(s.count("Problem = 'First problem'"), 1);
    QCOMPARE(s.value("SELECT Image3 FROM AR"), QString("N/A"));
}

void tst_Records::deleteArticle_data()
{
    QTest::addColumn<int>("articles");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("steps"); // before Delete
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("shownAfter");
    using L = QStringList;
    QTest::newRow("answered No") << 3 << "" << L{"mnuNext"} << L{confirm} << "2";
    QTest::newRow("answered Yes") << 4 << "" << L{"mnuLast", "mnuPrevious"} << L{confirm, deleted}
                                  << "1";
    QTest::newRow("begun article") << 3 << "" << L{"mnuAdd"} << L{unsaved} << "4";
    // An unsaved edit goes; the stored article shows again.
    QTest::newRow("only article") << 1 << "" << L{"edit"} << L{confirm, only} << "1";
    // The guard counts the whole table, not the one match.
    QTest::newRow("under a filter with one match")
        << 5 << "ID = #4#" << L() << L{confirm, deleted} << "1";
}

void tst_Records::deleteArticle()
{
    QFETCH(int, articles);
    QFETCH(QString, filter);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    QFETCH(QString, shownAfter);
    Session s(articles);
    RecordSet& rs = s.started.app().rsMain;
    rs.setFilter(filter);
    s.started.main().ShowCurrentRecord();
    for (const QString& step : steps) {
        if (step == "edit")
            s.form().txtProblem->setPlainText("unsaved edit");
        else
            s.run(step);
    }
    const QString shown = s.form().txtID->text();
    s.started.messages().answer(expected.size() == 1 ? QMessageBox::No : QMessageBox::Yes);
    s.run("mnuDelete");
    QCOMPARE(s.texts(), expected);
    if (expected.first() == confirm) {
        const MessageCatcher::Seen question = s.started.messages().seen.first();
        QCOMPARE(question.title, QString("Delete Confirmation"));
        QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(question.icon, QMessageBox::NoIcon);
    }
    const bool gone = expected.contains(deleted), begun = expected == QStringList{unsaved};
    QCOMPARE(s.count(), gone ? articles - 1 : articles);
    QCOMPARE(s.count("ID = " + shown), gone || begun ? 0 : 1);
    QCOMPARE(s.form().txtID->text(), shownAfter);
    QCOMPARE(s.form().txtProblem->toPlainText(), begun ? "" : "Problem " + shownAfter);
    QCOMPARE(rs.currentIsNew(), begun);
    if (gone) { // the filter is gone too; numbers after a delete: one more than the largest
        QCOMPARE(rs.filter(), QString());
        s.run("mnuAdd");
        QCOMPARE(s.form().txtID->text(), s.value("SELECT MAX(ID) + 1 FROM AR"));
        QCOMPARE(s.form().Label6->text(), QString::number(articles));
    }
}

void tst_Records::lockedDatabase()
{
    Session s(3);
    frmDisplay& form = s.form();
    s.run("mnuAdd");
    form.txtProblem->setPlainText("Typed problem");
    form.txtSolution->setPlainText("Typed solution");
    s.folder->exec("BEGIN EXCLUSIVE"); // another program holds the file
    s.run("mnuSave");
    QVERIFY2(s.texts().last().startsWith("The article could not be saved: "),
             qPrintable(s.texts().last()));
    QCOMPARE(form.txtProblem->toPlainText(), QString("Typed problem"));
    QCOMPARE(form.txtSolution->toPlainText(), QString("Typed solution"));
    QCOMPARE(s.count(), 3);
    // Saved again once the file is free: the begun article goes in as a new one.
    s.folder->exec("ROLLBACK");
    s.run("mnuSave");
    QCOMPARE(s.texts().last(), saved);
    QCOMPARE(s.value("SELECT Problem FROM AR WHERE ID = 4"), QString("Typed problem"));
    QCOMPARE(s.count("Problem LIKE 'Problem _'"), 3); // nothing overwritten

    // Delete of a stored article is refused the same way and the article stays current.
    s.folder->exec("BEGIN EXCLUSIVE");
    s.run("mnuFirst");
    s.run("mnuNext");
    s.started.messages().answer(QMessageBox::Yes);
    s.run("mnuDelete");
    QVERIFY(s.texts().last().startsWith("The article could not be deleted"));
    QCOMPARE(form.txtID->text(), QString("2"));
    QCOMPARE(s.started.app().rsMain.value("ID"), QString("2"));
    s.folder->exec("ROLLBACK");
    QCOMPARE(s.count(), 4);
    // The program goes on working once the lock is gone.
    form.txtSolution->setPlainText("Saved later");
    s.run("mnuSave");
    QCOMPARE(s.texts().last(), saved);
    QCOMPARE(s.value("SELECT solution FROM AR WHERE ID = 2"), QString("Saved later"));
    QCOMPARE(s.count(), 4);
}

void tst_Records::addSaveDeleteByToolbar()
{
    Session s(3);
    s.run("tb1"); // Add New
    QCOMPARE(s.form().txtID->text(), QString("4"));
    QTest::keyClicks(s.form().txtProblem, "Monitor flickers");
    QTest::keyClicks(s.form().txtSolution, "Replace the cable");
    s.form().cboCUName->setEditText("Hardware");
    s.run("tb2"); // Save
    QCOMPARE(s.texts(), QStringList({saved}));
    QCOMPARE(s.row("SELECT ID, Problem, solution, CUName, techname, Title, reference, Image1, "
                   "Image10 FROM AR WHERE ID = 4"),
             QVariantList({4, "Monitor flickers", "Replace the cable", "Hardware", "N/A", "N/A",
                           "N/A", "N/A", "N/A"}));
    QCOMPARE(s.count(), 4);
    QCOMPARE(s.form().Label6->text(), QString("4"));
    // Saved, so Delete asks and deletes it.
    s.started.messages().answer(QMessageBox::Yes);
    s.run("tb3");
    QCOMPARE(s.texts(), QStringList({saved, confirm, deleted}));
    QCOMPARE(s.count(), 3);
}

QTEST_MAIN(tst_Records)
#include "tst_records.moc"
