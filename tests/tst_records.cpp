// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestSupport.h"

#include "app/frmMain.h"
#include "core/mdlMain.h"

#include <QDate>
#include <QHash>
#include <QRegularExpression>
#include <QTest>

namespace
{

const QHash<QString, QString> kSaid{
    {"saved", "Article successfully saved."},
    {"appended", "The currently displayed article will be appended."},
    {"fill", "Please fill in all the information before you save."},
    {"unsaved", "Ardentry can't delete this article because it has not been saved."},
    {"only", "Ardentry can't delete the article because it is the ONLY Ardentry article."},
    {"confirm", "You're about to delete this article.  Are you sure?"},
    {"deleted", "Article deleted."}};

// Plays what a user does ("; " between): mnuX; tbN; Box=text (clicks into a box of the form and
// types the text in its place); answer Yes|No (to the next question); filter <criteria>; sql
// <statement> (another program). Checks: Box: text ("%today": today's date); said <start of the
// next message or a name in kSaid>; quiet (no more); query <sql> => <rows, values joined by "|">.
void play(StartedApp& started, const QString& steps)
{
    static const QRegularExpression box("^(\\w+)(=|: ?)(.*)$");
    int said = 0; // messages checked so far
    for (const QString& step : steps.split("; ")) {
        const QString word = step.section(' ', 0, 0), rest = step.section(' ', 1);
        const QRegularExpressionMatch match = box.match(step);
        const QStringList texts = started.messages().texts();
        if (word == "answer") {
            started.messages().answer(rest == "Yes" ? QMessageBox::Yes : QMessageBox::No);
        } else if (word == "filter") {
            started.app().rsMain.setFilter(rest);
            started.main().ShowCurrentRecord();
        } else if (word == "sql") {
            started.folder().exec(rest);
        } else if (step == "server away" || step == "server back") {
            // The program (which logs in as a role of its own here) is cut off and let in
            // again only when the server is back.
            const QString role =
                "r_" + started.folder().scalar("SELECT current_database()").toString();
            started.folder().exec(
                QString("ALTER ROLE %1 %2").arg(role, step == "server back" ? "LOGIN" : "NOLOGIN"));
            started.folder().exec("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
                                  "usename = '" +
                                  role + "'");
        } else if (word == "said") {
            QVERIFY2(said < texts.size() && texts[said].startsWith(kSaid.value(rest, rest)),
                     qPrintable(step + " -- shown: " + texts.mid(said).join(" / ")));
            ++said;
        } else if (word == "quiet") {
            QVERIFY2(said == texts.size(), qPrintable("shown: " + texts.mid(said).join(" / ")));
        } else if (word == "query") {
            QStringList rows;
            for (const QVariantList& row : started.folder().rows(rest.section(" => ", 0, 0))) {
                QStringList values;
                for (const QVariant& value : row)
                    values << value.toString();
                rows << values.join('|');
            }
            QVERIFY2(rows.join(", ") == rest.section(" => ", 1),
                     qPrintable(step + " -- found: " + rows.join(", ")));
        } else if (match.hasMatch() && match.captured(2) == "=") {
            started.type(match.captured(1), match.captured(3));
            if (match.captured(3).isEmpty())
                QTest::keyClick(started.control<QWidget>(match.captured(1)), Qt::Key_Delete);
        } else if (match.hasMatch()) {
            const QString today = QDate::currentDate().toString("MM/dd/yyyy");
            QVERIFY2(started.text(match.captured(1)) ==
                         QString(match.captured(3)).replace("%today", today),
                     qPrintable(step + " -- shown: " + started.text(match.captured(1))));
        } else {
            started.run(step);
        }
    }
}

std::shared_ptr<TestFolder> withArticles(int count, TestFolder::Engine engine)
{
    auto folder = std::make_shared<TestFolder>(NewDatabaseOptions(), engine);
    folder->fillArticles(count);
    return folder;
}

} // namespace

class tst_Records : public QObject
{
    Q_OBJECT
private slots:
    void commands_data()
    {
        QTest::addColumn<TestFolder::Engine>("engine");
        QTest::addColumn<int>("articles"); // 1..n: "Title i", "Problem i", "Solution i"
        QTest::addColumn<QString>("steps");
        // Each row on both engines; "server: " before a name keeps it to a server.
        const auto row = [](const char* name, int articles, const QString& steps) {
            for (const auto& [engine, rowName] : TestFolder::engineRows(name))
                QTest::newRow(rowName.constData()) << engine << articles << steps;
        };
        // Save needs a problem and a solution (a blank is one); a refused save writes nothing and
        // puts nothing into the boxes.
        row("problem and solution needed", 2,
            "txtProblem=; txtReference=; mnuSave; said fill; txtReference: ; txtProblem= ; "
            "txtSolution=; mnuSave; said fill; query SELECT Problem || solution FROM AR WHERE ID "
            "= 1 => Problem 1Solution 1; txtSolution= ; mnuSave; said appended; said saved; "
            "quiet; query SELECT '[' || Problem || solution || ']' FROM AR WHERE ID = 1 => [  ]");
        // Empty boxes are filled in before the save; the dates entered stay as typed, as text.
        row("empty boxes filled in", 2,
            "cboCUName=; cboTechName=; txtID=; txtReference=; txtEditedBy=; txtDateEdited=; "
            "txtInitial=; txtTitle=Printer; mnuSave; said appended; said saved; "
            "cboCUName: N/A; cboTechName: N/A; txtID: 0000; txtReference: N/A; "
            "txtEditedBy: N/A; txtDateEdited: N/A; txtInitial: ; query SELECT ID, CUName, "
            "techname, Title, typeof(InitialEntry), InitialEntry, reference, EditedBy, DateEdited "
            "FROM AR WHERE Problem = 'Problem 1' => 0|N/A|N/A|Printer|text||N/A|N/A|N/A");
        row("number must be whole", 2,
            "txtID=12a; mnuSave; said The article number \"12a\" is not a whole number; "
            "txtID: 12a; txtID=1.5; mnuSave; said The article number; quiet; "
            "query SELECT ID FROM AR WHERE Problem = 'Problem 1' => 1");
        row("append notice until the first Add", 2,
            "mnuSave; mnuSave; mnuAdd; mnuFirst; mnuSave; said appended; said saved; "
            "said appended; said saved; said saved; quiet");
        row("save into an empty table", 0,
            "txtID=1; txtProblem=First problem; txtSolution=First solution; mnuSave; "
            "said appended; said saved; query SELECT ID, Problem, Image3 FROM AR => "
            "1|First problem|N/A");
        // Add New proposes one more than the largest number in the whole table; the position
        // counts the begun article in.
        const QString add = "sql UPDATE AR SET ID = 40 WHERE ID = 2; sql DELETE FROM AR WHERE ID "
                            "= 3; tb7; %1mnuAdd; txtID: 41; Label6: %2; txtTitle: N/A; "
                            "txtInitial: %today; txtProblem: ; txtReference: ; cboCUName: ; quiet";
        row("add new", 12, add.arg("").arg(12));
        row("add new under a filter", 12, add.arg("filter Problem LIKE #*1*#; ").arg(5));
        row("add, save and delete by toolbar", 3,
            "tb1; txtID: 4; txtProblem=Monitor flickers; txtSolution=Replace the cable; "
            "cboCUName=Hardware; tb2; said saved; quiet; query SELECT ID, Problem, solution, "
            "CUName, techname, Title, reference, Image1, Image10 FROM AR WHERE ID = 4 => "
            "4|Monitor flickers|Replace the cable|Hardware|N/A|N/A|N/A|N/A|N/A; Label6: 4; "
            "answer Yes; tb3; said confirm; said deleted; query SELECT COUNT(*) FROM AR => 3");
        // Whatever is shown after leaving a begun article (by a move, Refresh or another Add New)
        // is saved; the begun one never comes along.
        row("leaving a begun article", 3,
            "mnuAdd; mnuNext; txtSolution=moved; mnuSave; said saved; mnuAdd; tb7; txtSolution="
            "refreshed; mnuSave; said saved; mnuAdd; mnuAdd; txtProblem=p; txtSolution=s; mnuSave; "
            "said saved; query SELECT COUNT(*), COUNT(Problem) FROM AR => 4|4");
        // Delete asks first, refuses an unsaved and the only article, and reads the articles
        // again afterwards (the filter goes).
        row("delete refused", 3,
            "mnuNext; answer No; mnuDelete; said confirm; txtID: 2; mnuAdd; mnuDelete; said "
            "unsaved; quiet; txtID: 4; query SELECT COUNT(*) FROM AR => 3");
        row("delete, answered Yes", 4,
            "mnuLast; mnuPrevious; answer Yes; mnuDelete; said confirm; said deleted; txtID: 1; "
            "query SELECT group_concat(ID) FROM AR => 1,2,4; mnuAdd; txtID: 5; Label6: 4");
        row("delete the only article", 1,
            "txtProblem=unsaved edit; answer Yes; mnuDelete; said confirm; said only; "
            "txtProblem: Problem 1; query SELECT COUNT(*) FROM AR => 1");
        row("delete the one match of a filter", 5,
            "filter ID = #4#; answer Yes; mnuDelete; said confirm; said deleted; txtID: 1; "
            "query SELECT group_concat(ID) FROM AR => 1,2,3,5; mnuAdd; Label6: 5");
        // Another program holds the file: nothing is lost, and the commands work again after.
        // Two technicians on one article: the second save opens the conflict window (closed
        // here), nothing is overwritten and the typed text stays.
        row("saved by someone else meanwhile", 3,
            "mnuNext; txtSolution=Mine; sql UPDATE AR SET solution = 'Theirs' WHERE ID = 2; "
            "mnuSave; said appended; txtSolution: Mine; query SELECT "
            "solution FROM AR WHERE ID = 2 => Theirs; quiet");
        // A server that goes away: the save says why and keeps what was typed; the commands
        // work again once it is back.
        row("server: server away", 3,
            "mnuNext; txtSolution=Typed while away; server away; mnuSave; said appended; said The "
            "article could not be saved: The changes to the table \"AR\" could not be saved: the "
            "connection to the database server was lost and cannot be made again: connection to "
            "server on socket; txtSolution: "
            "Typed while away; server back; mnuSave; said appended; said saved; "
            "server away; tb7; said The articles could not be read again: The connection to the "
            "database server; server back; tb7; "
            "mnuLast; txtID: 3; quiet; query SELECT solution FROM AR WHERE ID = 2 => Typed while "
            "away");
        row("locked file", 3,
            "mnuAdd; txtProblem=Typed; txtSolution=Typed; sql BEGIN EXCLUSIVE; mnuSave; said The "
            "article could not be saved: ; sql ROLLBACK; mnuSave; said saved; mnuFirst; mnuNext; "
            "sql BEGIN EXCLUSIVE; answer Yes; mnuDelete; said confirm; said The article could not "
            "be deleted; txtID: 2; sql ROLLBACK; txtSolution=Later; mnuSave; said saved; quiet; "
            "query SELECT ID, solution FROM AR WHERE ID IN (2, 4) ORDER BY ID => 2|Later, 4|Typed");
    }

    void commands()
    {
        QFETCH(TestFolder::Engine, engine);
        QFETCH(int, articles);
        QFETCH(QString, steps);
        auto folder = withArticles(articles, engine);
        if (steps.contains("server away")) {
            const QString role = "r_" + folder->scalar("SELECT current_database()").toString();
            folder->exec(QString("CREATE ROLE %1 LOGIN SUPERUSER").arg(role));
            const QString path = QString(folder->dbPath()).replace("ardentry@", role + '@');
            folder->writeFile("Ini/arprefs.ini", ("[General]\nPath=" + path + "\n").toUtf8());
        }
        StartedApp started(folder);
        play(started, steps);
    }
};

QTEST_MAIN(tst_Records)
#include "tst_records.moc"
