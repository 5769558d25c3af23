// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestSupport.h"

#include "app/frmMain.h"
#include "core/ArticleMerge.h"
#include "core/History.h"
#include "core/mdlMain.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>

namespace
{

// A colleague's program on the same database: a connection of its own that writes under the
// name "colleague".
struct Colleague {
    explicit Colleague(const QString& path)
    {
        connection.open(path);
        history::recordWriter(connection, QStringLiteral("colleague"));
    }
    // "2 Column=text" changes article 2; "delete 2"; "add 7" adds article 7.
    void write(const QString& what)
    {
        RecordSet rs(connection);
        rs.open(QString::fromLatin1(mdlMain::ArticleQuery));
        const QString first = what.section(' ', 0, 0);
        if (first == "add") {
            rs.addNew();
            for (const char* column : {"ID", "Problem", "solution"})
                rs.collect(column, column == QByteArrayLiteral("ID") ? what.section(' ', 1)
                                                                     : "by the colleague");
        } else {
            rs.setFilter(
                QString("ID = #%1#").arg(first == "delete" ? what.section(' ', 1) : first));
            if (first == "delete")
                rs.deleteCurrent();
            else
                rs.collect(what.section(' ', 1).section('=', 0, 0),
                           what.section(' ', 1).section('=', 1));
        }
        rs.updateBatch(QStringLiteral("ID"));
    }
    Connection connection;
};

// One round of the conflict window, as a user goes through it: "Key: text" checks what the
// field would save, "Key? text" what the window shows of the stored version ("head" the
// heading), "Key=text" types into the field to save, "them ..." lets the colleague write, and
// any other word clicks that button.
void playWindow(QWidget* window, const QString& actions, Colleague& colleague)
{
    QVERIFY2(window && window->objectName() == "frmConflict", "no conflict window");
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    static const QRegularExpression field("^(\\w+)(: |\\? |=)(.*)$");
    for (const QString& action : actions.split(", ")) {
        const QRegularExpressionMatch match = field.match(action);
        if (action.startsWith("them ")) {
            colleague.write(action.mid(5));
        } else if (match.hasMatch() && match.captured(2) == "? ") {
            QWidget* box = window->findChild<QWidget*>("txtTheirs_" + match.captured(1));
            QString shown;
            if (match.captured(1) == "head") {
                for (const QLabel* label : window->findChildren<QLabel*>())
                    shown += label->text() + "|";
            } else if (auto* line = qobject_cast<QLineEdit*>(box)) {
                shown = line->text();
            } else if (box) {
                shown = qobject_cast<QPlainTextEdit*>(box)->toPlainText();
            }
            QVERIFY2(shown.contains(match.captured(3)), qPrintable(action + " -- shown: " + shown));
        } else if (match.hasMatch()) {
            QWidget* box = window->findChild<QWidget*>("txtMerged_" + match.captured(1));
            QVERIFY2(box, qPrintable(action));
            auto* line = qobject_cast<QLineEdit*>(box);
            const auto text = [&] {
                return line ? line->text() : qobject_cast<QPlainTextEdit*>(box)->toPlainText();
            };
            if (match.captured(2) == "=") {
                QTest::mouseClick(line ? box : qobject_cast<QPlainTextEdit*>(box)->viewport(),
                                  Qt::LeftButton);
                QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(box, match.captured(3));
            } else {
                QVERIFY2(text() == match.captured(3), qPrintable(action + " -- holds: " + text()));
            }
        } else {
            auto* button = window->findChild<QPushButton*>(action);
            QVERIFY2(button, qPrintable(action));
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }
}

} // namespace

class tst_Conflict : public QObject
{
    Q_OBJECT
private slots:
    void merge_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("theirs");
        QTest::addColumn<QString>("mine");
        QTest::addColumn<int>("change");
        QTest::addColumn<QString>("merged");
        using C = articlemerge::Change;
        QTest::newRow("untouched") << "a"
                                   << "a"
                                   << "a" << int(C::None) << "a";
        QTest::newRow("theirs only") << "a"
                                     << "t"
                                     << "a" << int(C::Theirs) << "t";
        QTest::newRow("mine only") << "a"
                                   << "a"
                                   << "m" << int(C::Mine) << "m";
        QTest::newRow("both alike") << "a"
                                    << "x"
                                    << "x" << int(C::None) << "x";
        QTest::newRow("both apart") << "a"
                                    << "t"
                                    << "m" << int(C::Both) << "m";
        QTest::newRow("theirs emptied") << "a"
                                        << ""
                                        << "a" << int(C::Theirs) << "";
    }
    void merge()
    {
        QFETCH(QString, base);
        QFETCH(QString, theirs);
        QFETCH(QString, mine);
        QFETCH(int, change);
        QFETCH(QString, merged);
        // The field sits among untouched ones: only it is affected.
        const auto fields =
            articlemerge::merge({"k", base, "k"}, {"k", theirs, "k"}, {"k", mine, "k"});
        QCOMPARE(fields.size(), 3);
        QCOMPARE(int(fields[1].change), change);
        QCOMPARE(articlemerge::mergedTexts(fields), QStringList({"k", merged, "k"}));
        QCOMPARE(int(fields[0].change), int(articlemerge::Change::None));
    }

    void flows_data()
    {
        QTest::addColumn<TestFolder::Engine>("engine");
        QTest::addColumn<QString>("steps");
        const auto row = [](const char* name, const QString& steps) {
            for (const auto& [engine, rowName] : TestFolder::engineRows(name))
                QTest::newRow(rowName.constData()) << engine << steps;
        };
        // Steps as a user goes ("; " between): mnuX / tbN; Box=text, Box: text (the form);
        // them <write> (the colleague); [actions] one round of the conflict window (see
        // playWindow); answer Save|Discard|Cancel|Yes|No; said <start of a message>; quiet;
        // query <sql> => <rows>.
        const QString both = "mnuNext; txtTitle=My title; txtSolution=My solution; them 2 "
                             "Title=Their title; them 2 Problem=Their problem; ";
        row("three-way merge per field",
            both + "[Problem: Their problem, solution: My solution, Title: My title, head? "
                   "changed by colleague, Title? Their title, cmdTheirs_Title, Title: Their "
                   "title, Id: 2, cmdSave]; mnuSave; said The currently; said Article successfully "
                   "saved; quiet; "
                   "query SELECT Title, Problem, solution FROM AR WHERE ID = 2 => Their "
                   "title|Their problem|My solution; txtProblem: Their problem; "
                   "txtSolution: My solution");
        row("take theirs",
            both + "[cmdTheirs, solution: Solution 2, cmdSave]; mnuSave; said The currently; said "
                   "Article successfully; "
                   "query SELECT Title, Problem, solution FROM AR WHERE ID = 2 => Their "
                   "title|Their problem|Solution 2; txtSolution: Solution 2");
        row("keep mine, the merged text edited",
            both + "[cmdMine, Problem: Problem 2, solution=Edited, cmdSave]; mnuSave; said The "
                   "currently; said Article; "
                   "query SELECT Title, Problem, solution FROM AR WHERE ID = 2 => My "
                   "title|Problem 2|Edited");
        // The colleague saves again while the window is open: a second round against the
        // newest version, with the first round's choices as this technician's side.
        row("a second conflict during the resolution",
            both + "[cmdTheirs_Title, them 2 solution=Their second, them 2 reference=R, "
                   "cmdSave]; [Title: Their title, solution: My solution, reference: R, "
                   "solution? Their second, cmdSave]; mnuSave; said The currently; said Article "
                   "successfully; quiet; "
                   "query SELECT Title, solution, reference FROM AR WHERE ID = 2 => Their "
                   "title|My solution|R");
        // A round cancelled after someone saved meanwhile: the next Save still shows the window.
        row("the second round cancelled",
            both + "[them 2 solution=Their second, cmdSave]; [cmdCancel]; [solution? Their "
                   "second, cmdCancel]; mnuSave; said The currently; mnuSave; said The "
                   "currently; quiet; query SELECT solution FROM AR WHERE ID = 2 => Their second");
        // Cancel keeps the typed text; no command that leaves the article drops it unasked.
        row("cancel keeps the typed text",
            both + "[cmdCancel]; mnuSave; said The currently; txtSolution: My solution; "
                   "txtTitle: My title; [cmdCancel]; tb7; said Save the changes to article 2; "
                   "said The currently; [cmdCancel]; mnuNext; said Save the changes; "
                   "said The currently; "
                   "txtSolution: My solution; txtID: 2; query SELECT solution FROM AR WHERE "
                   "ID = 2 => Solution 2");
        row("deleted by the other, saved again",
            "mnuNext; txtSolution=Mine; them delete 2; answer Save; mnuSave; said The "
            "currently; said Article 2 was deleted by someone else; said Article successfully "
            "saved; quiet; txtID: 2; txtSolution: Mine; query SELECT ID, Problem, solution "
            "FROM AR WHERE ID = 2 => 2|Problem 2|Mine; query SELECT count(*) FROM "
            "ardentry_trash => 1");
        row("deleted by the other, number taken, saved again",
            "mnuNext; txtSolution=Mine; them delete 2; them add 2; answer Save; mnuSave; "
            "said The currently; said Article 2 was deleted; said Saved as article 4: number 2 "
            "was taken meanwhile.; txtID: 4; query SELECT ID, solution FROM AR WHERE ID IN (2, "
            "4) ORDER BY ID => 2|by the colleague, 4|Mine");
        row("deleted by the other, dropped",
            "mnuNext; txtSolution=Mine; them delete 2; answer Ok; answer Discard; mnuSave; said "
            "The "
            "currently; said Article 2 was deleted; quiet; txtSolution: Solution 1; query "
            "SELECT count(*) FROM AR => 2");
        row("Add New's number taken meanwhile",
            "mnuAdd; txtID: 4; them add 4; txtProblem=p; txtSolution=s; mnuSave; said Saved as "
            "article 5: number 4 was taken meanwhile.; quiet; txtID: 5; mnuAdd; txtID: 6; "
            "txtID=4; txtProblem=p; txtSolution=s; mnuSave; said Article number 4 is already "
            "used; query SELECT count(*) FROM AR => 5");
        // The history marks the changes others saved since this session read the article.
        row("history marks others' versions",
            "txtSolution=Mine; mnuSave; said The currently; said Article successfully; marked "
            "0 of 1; them 1 Title=T1; them 1 Title=T2; marked 2 of 3; tb7; marked 0 of 3");
        // Refresh right after one's own save reads what the colleague added before it.
        row("refresh after one's own save",
            "them add 9; txtSolution=Mine; mnuSave; said The currently; said Article "
            "successfully; tb7; mnuLast; txtID: 9; Label6: 4");
    }

    void flows()
    {
        QFETCH(TestFolder::Engine, engine);
        QFETCH(QString, steps);
        auto folder = std::make_shared<TestFolder>(NewDatabaseOptions(), engine);
        folder->fillArticles(3);
        QStringList rounds;
        int said = 0;
        Colleague colleague(folder->dbPath());
        StartedApp started(folder, [&](QWidget* window) {
            QVERIFY2(!rounds.isEmpty(), "an unexpected conflict window");
            playWindow(window, rounds.takeFirst(), colleague);
        });
        for (const QString& step : steps.split("; ")) {
            const QString word = step.section(' ', 0, 0), rest = step.section(' ', 1);
            const QStringList texts = started.messages().texts();
            if (step.startsWith('[')) {
                rounds << step.mid(1, step.size() - 2);
            } else if (word == "them") {
                colleague.write(rest);
            } else if (word == "answer") {
                static const QHash<QString, QMessageBox::StandardButton> buttons{
                    {"Save", QMessageBox::Save},     {"Discard", QMessageBox::Discard},
                    {"Cancel", QMessageBox::Cancel}, {"Yes", QMessageBox::Yes},
                    {"No", QMessageBox::No},         {"Ok", QMessageBox::Ok}};
                started.messages().answer(buttons.value(rest));
            } else if (word == "said") {
                QVERIFY2(said < texts.size() && texts[said].startsWith(rest),
                         qPrintable(step + " -- shown: " + texts.mid(said).join(" / ")));
                ++said;
            } else if (word == "quiet") {
                QVERIFY2(said == texts.size(), qPrintable("shown: " + texts.mid(said).join(" / ")));
            } else if (word == "marked") {
                // The history window: how many versions it marks as others', of how many.
                started.run("mnuHistory");
                auto* list = findWidget<QTreeWidget>("lstVersions");
                QVERIFY(list);
                int bold = 0;
                for (int i = 0; i < list->topLevelItemCount(); ++i)
                    bold += list->topLevelItem(i)->font(1).bold() ? 1 : 0;
                QCOMPARE(QString("%1 of %2").arg(bold).arg(list->topLevelItemCount()), rest);
                QTest::mouseClick(findWidget<QPushButton>("cmdClose"), Qt::LeftButton);
                QTRY_VERIFY(!findWidget<QTreeWidget>("lstVersions"));
            } else if (word == "query") {
                QStringList rows;
                for (const QVariantList& row : folder->rows(rest.section(" => ", 0, 0))) {
                    QStringList values;
                    for (const QVariant& value : row)
                        values << value.toString();
                    rows << values.join('|');
                }
                QVERIFY2(rows.join(", ") == rest.section(" => ", 1),
                         qPrintable(step + " -- found: " + rows.join(", ")));
            } else if (step.contains(": ")) {
                const QString box = step.section(": ", 0, 0);
                QVERIFY2(started.text(box) == step.section(": ", 1),
                         qPrintable(step + " -- shown: " + started.text(box)));
            } else if (step.contains('=')) {
                started.type(step.section('=', 0, 0), step.section('=', 1));
            } else {
                started.run(step);
            }
            if (QTest::currentTestFailed())
                return;
        }
        QVERIFY2(rounds.isEmpty(), qPrintable("windows not opened: " + rounds.join(" / ")));
    }

    // Another program process takes the number Add New proposed.
    void numberTakenByAnotherProcess_data()
    {
        QTest::addColumn<TestFolder::Engine>("engine");
        for (const auto& [engine, rowName] : TestFolder::engineRows("csv import"))
            QTest::newRow(rowName.constData()) << engine;
    }
    void numberTakenByAnotherProcess()
    {
        QFETCH(TestFolder::Engine, engine);
        auto folder = std::make_shared<TestFolder>(NewDatabaseOptions(), engine);
        folder->fillArticles(3);
        StartedApp started(folder);
        started.run("mnuAdd");
        QCOMPARE(started.text("txtID"), QString("4"));
        folder->writeFile("in.csv", "ID,Problem,Solution\n4,theirs,theirs\n");
        QProcess tool;
        tool.setProcessChannelMode(QProcess::MergedChannels);
        tool.start(QCoreApplication::applicationDirPath() + "/ardentry-csv",
                   {"import", folder->dbPath(), folder->path("in.csv")});
        QVERIFY(tool.waitForFinished(60000));
        QVERIFY2(tool.exitCode() == 0, tool.readAll().constData());
        started.type("txtProblem", "mine");
        started.type("txtSolution", "mine");
        started.run("mnuSave");
        QCOMPARE(started.messages().texts().value(0),
                 QString("Saved as article 5: number 4 was taken meanwhile."));
        QCOMPARE(
            folder->scalar("SELECT group_concat(ID || Problem) FROM AR WHERE ID > 3").toString(),
            QString("4theirs,5mine"));
    }
};

QTEST_MAIN(tst_Conflict)
#include "tst_conflict.moc"
