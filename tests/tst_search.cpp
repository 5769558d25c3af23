// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestSupport.h"

#include "app/Startup.h"
#include "app/frmMain.h"
#include "articles/frmDisplay.h"
#include "common/SingleInstance.h"
#include "core/Connection.h"
#include "core/History.h"
#include "core/ProfileFile.h"
#include "core/mdlMain.h"
#include "history/HistoryCommands.h"
#include "search/frmSearch.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

namespace
{

// Articles 1, 2, 3, 12 and 27 in the categories Hardware, Network and Software.
std::shared_ptr<TestFolder> library(TestFolder::Engine engine)
{
    auto folder = std::make_shared<TestFolder>(NewDatabaseOptions(), engine);
    folder->exec("DELETE FROM AR");
    folder->exec("INSERT INTO AR (ID, CUName, Problem, solution) VALUES "
                 "(1, 'Hardware', 'Printer jams', 'Replace the roller'), "
                 "(2, 'Network', 'cannot print', 'Share the PRINTER again'), "
                 "(3, 'Software', 'abcabc', 'Restart'), (12, 'Hardware', 'Twelve', 'Twelve fix'), "
                 "(27, 'Network', 'Le CAF\u00c9 ferme', 'accent')");
    folder->exec("DELETE FROM Categories");
    folder->exec("INSERT INTO Categories VALUES ('Hardware'), ('Network'), ('Software')");
    return folder;
}

// Picks an entry below the current one of a combo box with the down arrow key.
bool pick(QComboBox* box, const QString& text)
{
    for (int i = 0; i <= box->count() && box->currentText() != text; ++i)
        QTest::keyClick(box, Qt::Key_Down);
    return box->currentText() == text;
}

// Clicks into a box of the dialog and types the text in place of what it holds.
void typeInto(QWidget* box, const QString& text)
{
    box->window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(box->window()));
    auto* combo = qobject_cast<QComboBox*>(box);
    QTest::mouseClick(combo ? combo->lineEdit() : box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

// Closes the article form as soon as it is shown again.
struct CloseShownForm : QObject {
    frmMain* frame = nullptr;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<frmDisplay*>(watched) && frame) {
            QTimer::singleShot(0, frame, [target = frame] { target->unloadDisplay(); });
            frame = nullptr;
        }
        return false;
    }
};

// Plays what a user does ("; " between): search Choice|text[|category] (types the text, picks
// the choice and the category or types it, clicks Search); pick Box Item; type Box text; click
// Button; key Return|Escape; images; closeImages; mnuX; tbN; sql <statement> (another program);
// closeFormWhenShown. Checks: ids 1 2 (visible); said <start of the next message>; quiet; forget;
// stored <search text>; Control: text (of the dialog, "(hidden)", or else of the form); marks
// Box: a b; main enabled; dialog hidden|gone; form closed.
void play(StartedApp& started, const QString& steps)
{
    int said = 0;
    CloseShownForm closer;
    for (const QString& step : steps.split("; ")) {
        const QString word = step.section(' ', 0, 0), rest = step.section(' ', 1);
        const QString name = rest.section(' ', 0, 0), text = rest.section(' ', 1);
        frmSearch* dialog = SingleInstance::loaded<frmSearch>(&started.main());
        const auto inDialog = [&](const QString& control) {
            return dialog ? dialog->findChild<QWidget*>(control) : nullptr;
        };
        const QStringList texts = started.messages().texts();
        const QString shown = step.contains(": ") ? step.section(": ", 0, 0) : QString();
        const auto check = [&](const QString& seen, const QString& wanted) {
            QCOMPARE(seen, wanted);
        };
        if (word == "search") {
            const QStringList part = rest.split('|');
            started.trigger("mnuSearch");
            dialog = SingleInstance::loaded<frmSearch>(&started.main());
            typeInto(dialog->txtSearchString, part.value(1));
            QVERIFY(pick(dialog->cboSearchBy, part[0]));
            if (part.size() > 2 && !pick(dialog->cboSearchString, part[2]))
                typeInto(dialog->cboSearchString, part[2]);
            QTest::mouseClick(dialog->cmdSearch, Qt::LeftButton);
        } else if (word == "pick") {
            QVERIFY2(pick(qobject_cast<QComboBox*>(inDialog(name)), text), qPrintable(step));
        } else if (word == "type") {
            typeInto(inDialog(name), text);
        } else if (word == "click") {
            QTest::mouseClick(inDialog(rest), Qt::LeftButton);
        } else if (word == "key") {
            QTest::keyClick(dialog->focusWidget(),
                            rest == "Return" ? Qt::Key_Return : Qt::Key_Escape);
        } else if (word == "images") {
            QTest::mouseClick(started.control<QWidget>("Command1"), Qt::LeftButton);
        } else if (word == "closeImages") {
            findWidget<QWidget>("frmImages")->close();
        } else if (word == "sql") {
            started.folder().exec(rest);
        } else if (word == "closeFormWhenShown") {
            closer.frame = &started.main();
            qApp->installEventFilter(&closer);
        } else if (word == "form") {
            check(started.main().displayIfLoaded() ? "shown" : "closed", rest);
        } else if (word == "ids") {
            QStringList ids;
            RecordSet& rs = started.app().rsMain;
            for (rs.moveFirst(); !rs.eof(); rs.moveNext())
                ids << rs.value("ID");
            rs.moveFirst();
            check(ids.join(' '), rest);
        } else if (word == "said") {
            check(texts.value(said++).left(rest.size()), rest);
        } else if (word == "quiet") {
            check(texts.mid(said).join(" / "), "");
        } else if (word == "forget") {
            started.messages().clear();
            said = 0;
        } else if (word == "stored") {
            check(ProfileFile(started.app().IniFile()).read("General", "SearchString", "<none>"),
                  rest);
        } else if (word == "main") {
            check(started.main().isEnabled() ? "enabled" : "disabled", rest);
        } else if (word == "dialog") {
            check(!dialog ? "gone" : dialog->isVisible() ? "shown" : "hidden", rest);
        } else if (word == "marks") {
            QStringList marked;
            for (const auto& mark :
                 started.control<QPlainTextEdit>(shown.mid(6))->extraSelections())
                marked << mark.cursor.selectedText();
            check(marked.join(' '), step.section(": ", 1));
        } else if (QWidget* control = inDialog(shown); !shown.isEmpty()) {
            const char* property = qobject_cast<QComboBox*>(control) ? "currentText" : "text";
            check(!control               ? started.text(shown)
                  : control->isVisible() ? control->property(property).toString()
                                         : "(hidden)",
                  step.section(": ", 1));
        } else {
            started.run(step);
        }
        if (QTest::currentTestFailed())
            return;
    }
}

} // namespace

class tst_Search : public QObject
{
    Q_OBJECT
private slots:
    void search_data()
    {
        QTest::addColumn<TestFolder::Engine>("engine");
        QTest::addColumn<QString>("steps");
        const auto row = [](const char* name, const QString& steps) {
            for (const auto& [engine, rowName] : TestFolder::engineRows(name))
                QTest::newRow(rowName.constData()) << engine << steps;
        };
        // The articles that match are the visible ones; the form shows the first of them.
        row("problem, any case", "search Problem|print; ids 1 2; txtID: 1; Label6: 1");
        row("solution", "search Solution|printer; ids 2; txtID: 2; main enabled");
        row("no match: all articles", "search Problem|zebra; ids 1 2 3 12 27; txtID: 1");
        row("number, not its start", "search AR Number|1; ids 1");
        row("category picked", "search Category||Hardware; ids 1 12");
        row("category typed, other case", "search Category||nETWORK; ids 2 27");
        row("category empty", "search Category|print; ids 1 2 3 12 27");
        // The user hears how many articles were found (and when none were); the text searched
        // for is remembered.
        row("reports and remembers",
            "search Problem|print; said Found 2 Ardentry article(s).; quiet; stored print; forget; "
            "search Solution|zebra; said Found 0 Ardentry article(s).; said No match found.; "
            "stored zebra");
        // Both texts empty: nothing is searched, but a begun article is dropped all the same,
        // and the form shows the row that is current now, so that Save writes where the user
        // looks.
        row("empty search",
            "search Problem|print; mnuLast; mnuAdd; forget; search Problem|; quiet; ids 1 2; "
            "txtID: 1; txtProblem: Printer jams; stored ; mnuAdd; search Solution|roller; ids 1");
        // Moving among the matches marks the searched text in each; Refresh ends the search.
        row("marks while moving",
            "sql UPDATE AR SET solution = 'print, PRINT' WHERE ID = 3; tb7; search Solution|print; "
            "marks txtSolution: PRINT; mnuNext; marks txtSolution: print PRINT; "
            "marks txtProblem: ; tb7; mnuNext; mnuNext; txtID: 3; marks txtSolution: ");
        // The article form closed while the search colours its copy: the search ends quietly.
        row("form closed meanwhile",
            "sql UPDATE AR SET Problem = 'ab ' || hex(zeroblob(400)) WHERE ID = 1; tb7; "
            "closeFormWhenShown; search Problem|ab; form closed; stored <none>; ids 1 3");
        // A search that fails says why and leaves every article visible; nothing is remembered.
        row("failed search",
            "sql ALTER TABLE AR RENAME TO AR_away; search Problem|roller; "
            "sql ALTER TABLE AR_away RENAME TO AR; said The search could not be carried out: ; "
            "quiet; ids 1 2 3 12 27; stored <none>; main enabled");
        // While another window holds the main window, a reopened dialog does not search.
        row("another window holds the main window",
            "search Problem|print; mnuNext; mnuSearch; images; main disabled; forget; "
            "type txtSearchString roller; click cmdSearch; said Ardentry cannot search while "
            "another of its windows is open.; ids 1 2; txtID: 2; click Command1; main disabled; "
            "closeImages; main enabled");
        // The dialog holds the main window while it is open. A search hides it with its choice
        // and texts kept for the next time; Cancel and Escape unload it.
        const QString before = "mnuSearch; main disabled; pick cboSearchBy Category; "
                               "cboSearchString: ; txtSearchString: (hidden); pick cboSearchBy "
                               "Problem; lblSearchString: Search Problem:; txtSearchString: ; "
                               "cboSearchString: (hidden); type txtSearchString print; %1; main "
                               "enabled; ";
        const QString hidden =
            "ids 1 2; dialog hidden; mnuNext; mnuSearch; main enabled; cboSearchBy: "
            "Problem; txtSearchString: print; pick cboSearchBy Solution; "
            "click cmdSearch; ids 2";
        const QString gone =
            "ids 1 2 3 12 27; dialog gone; stored <none>; mnuSearch; main disabled; "
            "cboSearchBy: ; txtSearchString: ";
        for (const char* how : {"key Return"})
            row(how, before.arg(how) + hidden);
        for (const char* how : {"click Command1", "key Escape"})
            row(how, before.arg(how) + gone);
    }

    void search()
    {
        QFETCH(TestFolder::Engine, engine);
        QFETCH(QString, steps);
        StartedApp started(library(engine));
        play(started, steps);
    }

    // A server database left without its search indexes: after the start its owner is asked
    // whether to build them, and may cancel the build (here while another session holds the
    // articles), which leaves the database as it was. Another role is never asked.
    void searchIndexesOffered_data()
    {
        QTest::addColumn<bool>("owner");
        QTest::newRow("owner cancels") << true;
        QTest::newRow("another role") << false;
    }

    void searchIndexesOffered()
    {
        QFETCH(bool, owner);
        const auto folder = library(TestFolder::Engine::Server);
        folder->exec("DROP INDEX ardentry_narrow_problem, ardentry_narrow_solution");
        Connection holder;
        holder.open(folder->dbPath());
        history::install(holder); // the start then changes nothing on the articles
        QSqlQuery hold(holder.database());
        QVERIFY(hold.exec("BEGIN") && hold.exec("LOCK TABLE ar IN ROW EXCLUSIVE MODE"));
        if (!owner) {
            const QString role = "s_" + folder->scalar("SELECT current_database()").toString();
            folder->exec(QString("CREATE ROLE %1 LOGIN SUPERUSER").arg(role));
            const QString path = QString(folder->dbPath()).replace("ardentry@", role + '@');
            folder->writeFile("Ini/arprefs.ini", ("[General]\nPath=" + path + "\n").toUtf8());
        }
        MessageCatcher messages;
        messages.answer(QMessageBox::Yes);
        QTimer user; // clicks Cancel once the progress shows
        connect(&user, &QTimer::timeout, [] {
            auto* progress = qobject_cast<QProgressDialog*>(findAnyWidget("dlgBuildSearchIndexes"));
            if (progress && progress->isVisible())
                QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        });
        user.start(50);
        mdlMain app(folder->folder());
        const auto window = startArdentry(app);
        QVERIFY(window);
        QTRY_VERIFY(HistoryCommands::startFinished(*window));
        const QStringList said = messages.texts();
        QCOMPARE(said.size(), owner ? 2 : 0);
        if (owner) {
            QCOMPARE(messages.seen[0].buttons, QMessageBox::Yes | QMessageBox::No);
            QVERIFY2(said[1].startsWith("The search indexes were not built"), qPrintable(said[1]));
        }
        QCOMPARE(folder->scalar("SELECT count(*) FROM pg_class WHERE relname LIKE "
                                "'ardentry\\_narrow\\_%'"),
                 0);
    }
};

QTEST_MAIN(tst_Search)
#include "tst_search.moc"
