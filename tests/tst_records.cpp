#include "TestSupport.h"

#include "articles/frmDisplay.h"
#include "frmMain.h"
#include "mdlMain.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
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

// Holds the database's write lock from another connection, as another program would.
class WriteLock
{
public:
    explicit WriteLock(const QString& path)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "locker");
        db.setDatabaseName(path);
        db.open();
        QSqlQuery(db).exec("BEGIN EXCLUSIVE");
    }
    ~WriteLock()
    {
        {
            QSqlDatabase db = QSqlDatabase::database("locker");
            QSqlQuery(db).exec("ROLLBACK");
            db.close();
        }
        QSqlDatabase::removeDatabase("locker");
    }
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
    void addNewProposesNextNumber();
    void addNewUnderFilter();
    void addThenSave();
    void savingTwiceFromTheSameForm();
    void leavingABegunArticleDropsIt_data();
    void leavingABegunArticleDropsIt();
    void saveRefusesAnIdThatIsNotANumber();
    void saveOnAnEmptyTable();
    void deleteRefusesABegunArticle();
    void deleteAnsweredNo();
    void deleteAnsweredYes();
    void deleteOnlyArticle();
    void deleteUnderAFilterWithOneMatch();
    void lockedDatabase();
    void toolbarButtons();
};

void tst_Records::saveNeedsProblemAndSolution_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("solution");
    QTest::addColumn<bool>("saves");
    QTest::newRow("both empty") << ""
                                << "" << false;
    QTest::newRow("no problem") << ""
                                << "fix" << false;
    QTest::newRow("no solution") << "broken"
                                 << "" << false;
    QTest::newRow("one blank each") << " "
                                    << " " << true;
}

void tst_Records::saveNeedsProblemAndSolution()
{
    QFETCH(QString, problem);
    QFETCH(QString, solution);
    QFETCH(bool, saves);
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(2);
    StartedApp started(folder);
    frmDisplay& form = started.display();
    form.txtProblem->setPlainText(problem);
    form.txtSolution->setPlainText(solution);
    form.txtReference->clear();
    started.trigger("mnuSave");
    if (saves) {
        QCOMPARE(started.messages().texts(), QStringList({appended, saved}));
        QCOMPARE(folder->scalar("SELECT Problem FROM AR WHERE ID = 1").toString(), problem);
        QCOMPARE(form.txtReference->text(), QString("N/A"));
    } else {
        QCOMPARE(started.messages().texts(), QStringList({fillIn}));
        QCOMPARE(folder->scalar("SELECT Problem FROM AR WHERE ID = 1").toString(),
                 QString("Problem 1"));
        QCOMPARE(form.txtReference->text(), QString()); // no "N/A" put in
    }
}

void tst_Records::saveFillsEmptyFields()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(2);
    StartedApp started(folder);
    frmDisplay& form = started.display();
    for (QComboBox* box : {form.cboCUName, form.cboTechName})
        box->setEditText("");
    for (QLineEdit* box :
         {form.txtID, form.txtReference, form.txtEditedBy, form.txtDateEdited, form.txtInitial})
        box->clear();
    form.txtTitle->setText("Printer");
    started.trigger("mnuSave");
    QCOMPARE(started.messages().texts().last(), saved);
    QCOMPARE(form.cboCUName->currentText(), QString("N/A"));
    QCOMPARE(form.cboTechName->currentText(), QString("N/A"));
    QCOMPARE(form.txtID->text(), QString("0000"));
    QCOMPARE(form.txtReference->text(), QString("N/A"));
    QCOMPARE(form.txtEditedBy->text(), QString("N/A"));
    QCOMPARE(form.txtDateEdited->text(), QString("N/A"));
    QCOMPARE(form.txtInitial->text(), QString());
    const QVariantList row = folder
                                 ->rows("SELECT ID, CUName, techname, Title, InitialEntry, "
                                        "reference, EditedBy, DateEdited FROM AR "
                                        "WHERE Problem = 'Problem 1'")
                                 .value(0);
    QCOMPARE(row, QVariantList({0, "N/A", "N/A", "Printer", "", "N/A", "N/A", "N/A"}));
}

void tst_Records::appendNoticeOnlyBeforeFirstAdd()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(2);
    StartedApp started(folder);
    started.trigger("mnuSave");
    started.trigger("mnuSave");
    QCOMPARE(started.messages().texts(), QStringList({appended, saved, appended, saved}));
    started.messages().clear();
    started.trigger("mnuAdd");
    started.trigger("mnuFirst"); // leaves the begun article
    started.trigger("mnuSave");
    QCOMPARE(started.messages().texts(), QStringList({saved}));
}

void tst_Records::addNewProposesNextNumber()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(5);
    folder->exec("UPDATE AR SET ID = 40 WHERE ID = 2");
    folder->exec("DELETE FROM AR WHERE ID = 3");
    StartedApp started(folder);
    frmDisplay& form = started.display();
    form.txtTitle->setText("Left from before");
    started.trigger("mnuAdd");
    QCOMPARE(form.txtID->text(), QString("41"));
    QCOMPARE(form.Label6->text(), QString("5")); // four articles shown, the begun one is fifth
    QCOMPARE(form.txtTitle->text(), QString("N/A"));
    QCOMPARE(form.txtInitial->text(), QDate::currentDate().toString("MM/dd/yyyy"));
    QVERIFY(QRegularExpression("^\\d\\d/\\d\\d/\\d\\d\\d\\d$")
                .match(form.txtInitial->text())
                .hasMatch());
    for (QLineEdit* box : {form.txtReference, form.txtEditedBy, form.txtDateEdited})
        QCOMPARE(box->text(), QString());
    QCOMPARE(form.txtProblem->toPlainText(), QString());
    QCOMPARE(form.cboCUName->currentText(), QString());
    QCOMPARE(started.app().rsMain.recordCount(), 4);
    QVERIFY(started.messages().seen.isEmpty());
}

void tst_Records::addNewUnderFilter()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(12);
    StartedApp started(folder);
    started.app().rsMain.setFilter("Problem LIKE #*1*#"); // 1, 10, 11, 12
    started.main().ShowCurrentRecord();
    started.trigger("mnuAdd");
    QCOMPARE(started.display().txtID->text(), QString("13"));
    QCOMPARE(started.display().Label6->text(), QString("5"));
}

void tst_Records::addThenSave()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(3);
    StartedApp started(folder);
    frmDisplay& form = started.display();
    started.trigger("mnuAdd");
    QTest::keyClicks(form.txtProblem, "Monitor flickers");
    QTest::keyClicks(form.txtSolution, "Replace the cable");
    form.cboCUName->setEditText("Hardware");
    started.trigger("mnuSave");
    QCOMPARE(started.messages().texts(), QStringList({saved}));
    const QVariantList row =
        folder
            ->rows("SELECT ID, Problem, solution, CUName, techname, Title, reference, Image1, "
                   "Image10 FROM AR WHERE ID = 4")
            .value(0);
    QCOMPARE(row, QVariantList({4, "Monitor flickers", "Replace the cable", "Hardware", "N/A",
                                "N/A", "N/A", "N/A", "N/A"}));
    QCOMPARE(folder->scalar("SELECT COUNT(*) FROM AR").toInt(), 4);
    QCOMPARE(form.Label6->text(), QString("4"));
    // Delete now asks (it is saved).
    started.messages().answer(QMessageBox::No);
    started.trigger("mnuDelete");
    QCOMPARE(started.messages().texts().last(), confirm);
}

void tst_Records::savingTwiceFromTheSameForm()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(5);
    StartedApp started(folder);
    frmDisplay& form = started.display();
    started.trigger("mnuNext");
    form.txtSolution->setPlainText("first edit");
    started.trigger("mnuSave");
    form.txtSolution->setPlainText("second edit");
    started.trigger("mnuSave");
    QCOMPARE(folder->scalar("SELECT solution FROM AR WHERE ID = 2").toString(),
             QString("second edit"));
    QCOMPARE(folder->scalar("SELECT solution FROM AR WHERE ID = 5").toString(),
             QString("Solution 5"));
    started.trigger("mnuNext"); // moves on from the saved article, not from the last one
    QCOMPARE(form.txtID->text(), QString("3"));
}

void tst_Records::leavingABegunArticleDropsIt_data()
{
    QTest::addColumn<QString>("leave");
    QTest::newRow("next") << "mnuNext";
    QTest::newRow("previous") << "mnuPrevious";
    QTest::newRow("first") << "mnuFirst";
    QTest::newRow("last") << "mnuLast";
    QTest::newRow("another add") << "mnuAdd";
    QTest::newRow("refresh") << "tb7";
}

void tst_Records::leavingABegunArticleDropsIt()
{
    QFETCH(QString, leave);
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(3);
    StartedApp started(folder);
    started.trigger("mnuAdd");
    if (leave.startsWith("tb"))
        started.clickToolbar(leave.mid(2).toInt());
    else
        started.trigger(leave);
    // Whatever is shown now is saved; the begun article must not come along.
    frmDisplay& form = started.display();
    if (form.txtProblem->toPlainText().isEmpty()) {
        form.txtProblem->setPlainText("p");
        form.txtSolution->setPlainText("s");
    }
    started.trigger("mnuSave");
    QCOMPARE(started.messages().texts().last(), saved);
    const int expected = leave == "mnuAdd" ? 4 : 3; // a second Add New saves its own article
    QCOMPARE(folder->scalar("SELECT COUNT(*) FROM AR").toInt(), expected);
    QCOMPARE(folder->scalar("SELECT COUNT(*) FROM AR WHERE Problem IS NULL").toInt(), 0);
}

void tst_Records::saveRefusesAnIdThatIsNotANumber()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(2);
    StartedApp started(folder);
    for (const char* bad : {"12a", "1.5", "seven"}) {
        started.display().txtID->setText(bad);
        started.trigger("mnuSave");
        QVERIFY(started.messages().texts().last().contains("not a whole number"));
        QCOMPARE(folder->scalar("SELECT ID FROM AR WHERE Problem = 'Problem 1'").toInt(), 1);
        QCOMPARE(started.display().txtID->text(), QString(bad));
    }
    QVERIFY(!started.messages().texts().contains(saved));
}

void tst_Records::saveOnAnEmptyTable()
{
    auto folder = std::make_shared<TestFolder>();
    folder->exec("DELETE FROM AR");
    StartedApp started(folder);
    frmDisplay& form = started.display();
    form.txtID->setText("1");
    form.txtProblem->setPlainText("First problem");
    form.txtSolution->setPlainText("First solution");
    started.trigger("mnuSave");
    QCOMPARE(started.messages().texts().last(), saved);
    QCOMPARE(folder->scalar("SELECT COUNT(*) FROM AR WHERE Problem = 'First problem'").toInt(), 1);
    QCOMPARE(folder->scalar("SELECT Image3 FROM AR").toString(), QString("N/A"));
}

void tst_Records::deleteRefusesABegunArticle()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(3);
    StartedApp started(folder);
    started.trigger("mnuAdd");
    started.trigger("mnuDelete");
    QCOMPARE(started.messages().texts(), QStringList({unsaved}));
    QCOMPARE(started.display().txtID->text(), QString("4"));
    QVERIFY(started.app().rsMain.currentIsNew());
    QCOMPARE(folder->scalar("SELECT COUNT(*) FROM AR").toInt(), 3);
}

void tst_Records::deleteAnsweredNo()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(3);
    StartedApp started(folder);
    started.trigger("mnuNext");
    started.messages().answer(QMessageBox::No);
    started.trigger("mnuDelete");
    QCOMPARE(started.messages().seen.size(), 1);
    const auto& question = started.messages().seen[0];
    QCOMPARE(question.text, confirm);
    QCOMPARE(question.title, QString("Delete Confirmation"));
    QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(question.icon, QMessageBox::NoIcon);
    QCOMPARE(folder->scalar("SELECT COUNT(*) FROM AR").toInt(), 3);
    QCOMPARE(started.display().txtID->text(), QString("2"));
}

void tst_Records::deleteAnsweredYes()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(4);
    StartedApp started(folder);
    started.app().rsMain.setFilter("Problem LIKE #*3*#");
    started.main().ShowCurrentRecord();
    started.app().rsMain.setFilter("");
    started.trigger("mnuLast");
    started.trigger("mnuPrevious"); // article 3
    started.messages().answer(QMessageBox::Yes);
    started.trigger("mnuDelete");
    QCOMPARE(started.messages().texts(), QStringList({confirm, deleted}));
    QCOMPARE(folder->scalar("SELECT COUNT(*) FROM AR WHERE ID = 3").toInt(), 0);
    QCOMPARE(folder->scalar("SELECT COUNT(*) FROM AR").toInt(), 3);
    QCOMPARE(started.display().txtID->text(), QString("1"));
    // Numbers after a delete: one more than the largest.
    started.trigger("mnuAdd");
    QCOMPARE(started.display().txtID->text(), QString("5"));
    QCOMPARE(started.display().Label6->text(), QString("4"));
}

void tst_Records::deleteOnlyArticle()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(1);
    StartedApp started(folder);
    started.display().txtProblem->setPlainText("unsaved edit");
    started.messages().answer(QMessageBox::Yes);
    started.trigger("mnuDelete");
    QCOMPARE(started.messages().texts(), QStringList({confirm, only}));
    QCOMPARE(folder->scalar("SELECT COUNT(*) FROM AR").toInt(), 1);
    QCOMPARE(started.display().txtProblem->toPlainText(), QString("Problem 1"));
}

void tst_Records::deleteUnderAFilterWithOneMatch()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(5);
    StartedApp started(folder);
    started.app().rsMain.setFilter("ID = #4#");
    started.main().ShowCurrentRecord();
    QCOMPARE(started.display().txtID->text(), QString("4"));
    started.messages().answer(QMessageBox::Yes);
    started.trigger("mnuDelete");
    QCOMPARE(started.messages().texts(), QStringList({confirm, deleted}));
    QCOMPARE(folder->scalar("SELECT COUNT(*) FROM AR").toInt(), 4);
    QCOMPARE(folder->scalar("SELECT COUNT(*) FROM AR WHERE ID = 4").toInt(), 0);
    QCOMPARE(started.app().rsMain.filter(), QString());
    QCOMPARE(started.display().txtID->text(), QString("1"));
}

void tst_Records::lockedDatabase()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(3);
    StartedApp started(folder);
    frmDisplay& form = started.display();
    started.trigger("mnuAdd");
    form.txtProblem->setPlainText("Typed problem");
    form.txtSolution->setPlainText("Typed solution");
    {
        WriteLock lock(folder->dbPath());
        started.trigger("mnuSave");
        QVERIFY2(started.messages().texts().last().startsWith("The article could not be saved: "),
                 qPrintable(started.messages().texts().last()));
        QCOMPARE(form.txtProblem->toPlainText(), QString("Typed problem"));
        QCOMPARE(form.txtSolution->toPlainText(), QString("Typed solution"));

        // Delete of a stored article is refused the same way and the article stays current.
        started.messages().clear();
        started.trigger("mnuFirst");
        started.trigger("mnuNext");
        started.messages().answer(QMessageBox::Yes);
        started.trigger("mnuDelete");
        QVERIFY(started.messages().texts().last().startsWith("The article could not be deleted"));
        QCOMPARE(form.txtID->text(), QString("2"));
        QCOMPARE(started.app().rsMain.value("ID"), QString("2"));
    }
    QCOMPARE(folder->scalar("SELECT COUNT(*) FROM AR").toInt(), 3);
    // The program goes on working once the lock is gone.
    form.txtSolution->setPlainText("Saved later");
    started.trigger("mnuSave");
    QCOMPARE(started.messages().texts().last(), saved);
    QCOMPARE(folder->scalar("SELECT solution FROM AR WHERE ID = 2").toString(),
             QString("Saved later"));
    QCOMPARE(folder->scalar("SELECT COUNT(*) FROM AR").toInt(), 3);
}

void tst_Records::toolbarButtons()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(3);
    StartedApp started(folder);
    started.clickToolbar(1);
    QCOMPARE(started.display().txtID->text(), QString("4"));
    started.display().txtProblem->setPlainText("p");
    started.display().txtSolution->setPlainText("s");
    started.clickToolbar(2);
    QCOMPARE(folder->scalar("SELECT COUNT(*) FROM AR").toInt(), 4);
    started.messages().answer(QMessageBox::Yes);
    started.clickToolbar(3);
    QCOMPARE(folder->scalar("SELECT COUNT(*) FROM AR").toInt(), 3);
    QCOMPARE(started.messages().texts(), QStringList({saved, confirm, deleted}));
}

QTEST_MAIN(tst_Records)
#include "tst_records.moc"
