// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestSupport.h"

#include "app/frmMain.h"
#include "common/SingleInstance.h"
#include "core/mdlMain.h"
#include "lists/ListEditor.h"

#include <QtTest>
#include <QtWidgets>

class tst_Lists : public QObject
{
    Q_OBJECT
private slots:
    void steps_data();
    void steps();
};

// Each row runs with both editors, their table holding the names given, articles 1..5 naming the
// first. Steps and checks, "; " between, in order (see `steps`); "users: " or "categories: " before
// one keeps it to that editor; "done" is "state / add; click close; back".
void tst_Lists::steps_data()
{
    QTest::addColumn<TestFolder::Engine>("engine");
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("names");
    QTest::addColumn<QString>("steps");
    for (const char* which : {"users", "categories"}) {
        const auto row = [which](const QString& name, const char* names, const QString& steps) {
            for (const auto& [engine, rowName] : TestFolder::engineRows(which + (": " + name)))
                QTest::newRow(rowName.constData()) << engine << which << names << steps;
        };
        const char* two = "Alpha|Bravo";
        row("delete only row", "Solo",
            "open; select 0; click delete; stored Solo; said ^Ardentry can't delete this");
        row("delete", "Bravo|Alpha|Charlie",
            "open; select 1; click delete; stored Alpha|Charlie; select 1; click delete; stored "
            "Alpha; done");
        row("same names", "Same|Alpha|Same|Same",
            "open; select 3; rename Yankee; stored Alpha|Same|Same|Yankee; select 2; click delete; "
            "stored Alpha|Same|Yankee; done");
        row("rename", "Alpha|Bravo|Charlie",
            "open; select 0; rename Delta; stored Bravo|Charlie|Delta; select 0; rename  O'Brien "
            "\"x\" ; stored  O'Brien \"x\" |Charlie|Delta; done");
        row("rename empty or blank", two,
            "open; select 1; rename ; $empty; box ; retype   ; click editOk; $empty; box   ; "
            "stored Alpha|Bravo");
        row("add empty or blank", two,
            "open; click add; type x; retype ; click addOk; $empty; retype    ; click addOk; "
            "$empty; stored Alpha|Bravo");
        row("add to a table emptied meanwhile", two,
            "sql DELETE FROM $table; open; click add; type First; click addOk; stored First; done");
        row("refused", two,
            "open; refuse; select 1; click delete; $failed; stored Alpha|Bravo; state / add; click "
            "add; type Charlie; click addOk; $failed; stored Alpha|Bravo; box Charlie; unselected; "
            "allow; click addOk; stored Alpha|Bravo|Charlie; refuse; select 0; rename Delta; "
            "$failed; allow; select 0; click editOk; stored Bravo|Charlie|Delta");
        row("rename of a renamed row", two,
            "open; select 0; click edit; retype Charlie; sql UPDATE $table SET $column = 'Other' "
            "WHERE $column = 'Alpha'; click editOk; $failed; select 0; click editOk; stored "
            "Charlie|Other");
        // The category editor keeps Add; its OK waits for a change of the box.
        row("adding", two,
            "open; click add; label $caption; users: state label box addOk cancel /; focus box; "
            "categories: state label box addOk- / add; type B; "
            "retype ; categories: state label box addOk / add; categories: click add; categories: "
            "state label box addOk- / add; type Kilo; click addOk; click add; box Kilo; click "
            "addOk; stored Alpha|Bravo|Kilo|Kilo; done");
        row("rename while adding", two,
            "open; click add; select 1; users: state label box addOk cancel / edit del; "
            "categories: state label box addOk- / add edit del; click edit; users: state label box "
            "editOk cancel /; categories: state label box editOk cancel / add; label Edit Name:; "
            "box Bravo; focus box; type 2; click editOk; stored Alpha|Bravo2; done");
        // The keys go to the name box after Add and Edit, Enter confirms; then Enter is Add.
        row("typing and Enter", two,
            "open; click add; keys Kilo; Enter; stored Alpha|Bravo|Kilo; state / add; focus list; "
            "select 1; click edit; keys 2; Enter; stored Alpha|Bravo2|Kilo; focus list; Enter; "
            "focus box; keys Z; Enter; stored Alpha|Bravo2|Bravo2Z|Kilo; done");
        row("rename unselected, cancel", two,
            "open; select 0; click edit; type Z; unselect 0; click editOk; said ^Select the name "
            "to change in the list first\\.$; select 1; click cancel; stored Alpha|Bravo; state / "
            "add; click add; box AlphaZ; label $caption");
        for (const char* mode :
             {"", "click add; type Never; ", "select 0; click edit; type Never; "})
            for (const char* how : {"click close", "Escape", "title bar"})
                row(qPrintable(QString("closed by %1 %2").arg(how, mode)), two,
                    QString("begin; open; %1%2; stored Alpha|Bravo; back").arg(mode, how));
        row("reopened at once, unreadable", two,
            "begin; open; title bar; open; borrowed; title bar; back; sql DROP TABLE $table; open; "
            "said ^The \\w+ list could not be read: ; back");
    }
}

void tst_Lists::steps()
{
    QFETCH(TestFolder::Engine, engine);
    QFETCH(QString, which);
    QFETCH(QString, names);
    QFETCH(QString, steps);
    const bool categories = which == "categories";
    const bool server = engine == TestFolder::Engine::Server;
    const QString table = categories ? "Categories" : "Users",
                  column = categories ? "Category" : "Users";
    const QString combo = categories ? "cboCUName" : "cboTechName";
    QHash<QString, QString> objects; // the controls' names in this editor
    for (const QString& pair :
         QString("add=Command1 close=Command4 addOk=Command5 cancel=cmdCancel box=Text1 %1")
             .arg(categories ? "edit=Command3 delete=Command2 editOk=cmdEditOk label=Label2"
                             : "edit=Command2 delete=Command3 editOk=Command6 label=Label1")
             .split(' '))
        objects[pair.section('=', 0, 0)] = pair.section('=', 1);
    auto folder = std::make_shared<TestFolder>(NewDatabaseOptions(), engine);
    folder->fillArticles(5);
    folder->exec("DELETE FROM " + table);
    for (const QString& name : names.split('|'))
        folder->exec(QString("INSERT INTO %1 (%2) VALUES (?)").arg(table, column), {name});
    StartedApp started(folder);
    const QString old = names.section('|', 0, 0);
    folder->exec(QString("UPDATE AR SET %1 = ?").arg(categories ? "CUName" : "techname"), {old});
    const auto articles = folder->rows("SELECT * FROM AR ORDER BY ID");
    RecordSet& rs = started.app().rsMain;
    ListEditor* editor = nullptr;
    auto control = [&](const QString& name) { return editor->findChild<QWidget*>(objects[name]); };
    auto list = [&] { return editor->findChild<QListWidget*>("List1"); };
    auto box = [&] { return qobject_cast<QLineEdit*>(control("box")); };
    int heard = 0; // messages checked
    const QString stored =
        QString("SELECT group_concat(%1, '|') FROM (SELECT %1 FROM %2 ORDER BY "
                "%3, rowid)")
            .arg(column, table, server ? "lower(" + column + ")" : column + " COLLATE NOCASE");
    steps.replace("done", "state / add; click close; back")
        .replace("$empty", "said ^Type a \\w+ name first: an empty name cannot be stored")
        .replace("$failed", "said ^The \\w+ list could not be changed: .{5}")
        .replace(QRegularExpression("rename ([^;]*)"), "click edit; retype \\1; click editOk")
        .replace("$table", table)
        .replace("$column", column)
        .replace("$caption", categories ? "Category Name:" : "User Name:");
    steps.remove(QRegularExpression((categories ? "users" : "categories") + QString(": [^;]*; ")))
        .replace(which + ": ", "");
    for (const QString& step : steps.split("; ")) {
        const QString rest = step.section(' ', 1);
        if (step == "open") {
            started.trigger(categories ? "mnuCategories" : "mnuUsers");
            editor = SingleInstance::loaded<ListEditor>(&started.main());
        } else if (step.startsWith("select ") || step.startsWith("unselect ")) {
            QTest::mouseClick(list()->viewport(), Qt::LeftButton,
                              step.startsWith("un") ? Qt::ControlModifier : Qt::NoModifier,
                              list()->visualItemRect(list()->item(rest.toInt())).center());
        } else if (step.startsWith("click ")) {
            QVERIFY2(control(rest)->isVisible() && control(rest)->isEnabled(), qPrintable(step));
            QTest::mouseClick(control(rest), Qt::LeftButton);
        } else if (step.startsWith("type ") || step.startsWith("retype ")) {
            QTest::mouseClick(box(), Qt::LeftButton);
            QTest::keyClick(box(), Qt::Key_End);
            while (step.startsWith("re") && !box()->text().isEmpty())
                QTest::keyClick(box(), Qt::Key_Backspace);
            QTest::keyClicks(box(), rest);
        } else if (step.startsWith("keys ") || step == "Enter") {
            // Real key presses to whatever has the focus, as a user types.
            QWidget* focus = editor->focusWidget() ? editor->focusWidget() : editor;
            if (step == "Enter")
                QTest::keyClick(focus, Qt::Key_Return);
            else
                QTest::keyClicks(focus, rest);
        } else if (step == "Escape") {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus && editor->isAncestorOf(focus) ? focus : editor, Qt::Key_Escape);
        } else if (step == "title bar") {
            editor->close();
        } else if (server && (step == "refuse" || step == "allow")) {
            folder->exec(step == "allow"
                             ? QString("DROP TRIGGER no_change ON %1").arg(table)
                             : QString("CREATE OR REPLACE FUNCTION no_change() RETURNS trigger "
                                       "LANGUAGE plpgsql AS $$BEGIN RAISE EXCEPTION 'no';END$$; "
                                       "CREATE TRIGGER no_change BEFORE INSERT OR UPDATE OR DELETE "
                                       "ON %1 FOR EACH ROW EXECUTE FUNCTION no_change()")
                                   .arg(table));
        } else if (step == "refuse" || step == "allow") {
            for (const char* event : {"INSERT", "UPDATE", "DELETE"})
                folder->exec(step == "allow" ? QString("DROP TRIGGER no_%1").arg(event)
                                             : QString("CREATE TRIGGER no_%1 BEFORE %1 ON %2 BEGIN "
                                                       "SELECT RAISE(ABORT, 'no');END")
                                                   .arg(event, table));
        } else if (step.startsWith("sql ")) {
            folder->exec(rest);
        } else if (step == "begin") {
            rs.setFilter("ID = #3#");
            started.main().ShowCurrentRecord();
            rs.addNew();
            rs.collect("Problem", "Begun");
        } else if (step.startsWith("stored ")) {
            QStringList shown;
            for (int i = 0; editor && i < list()->count(); ++i)
                shown << list()->item(i)->text();
            QCOMPARE(folder->scalar(stored).toString() + " / " + shown.join('|'),
                     rest + " / " + (editor ? rest : ""));
        } else if (step.startsWith("state ")) {
            QStringList seen;
            for (const char* name : {"label", "box", "addOk", "editOk", "cancel"}) {
                if (control(name)->isVisible())
                    seen << name + QString(control(name)->isEnabled() ? "" : "-");
            }
            seen << "/";
            for (const char* name : {"add", "edit", "del"}) {
                if (control(name == QString("del") ? "delete" : name)->isEnabled())
                    seen << name;
            }
            QCOMPARE(seen.join(' '), rest);
        } else if (step == "unselected") { // nothing to rename or delete
            QVERIFY(!control("edit")->isEnabled() && !control("delete")->isEnabled());
        } else if (step.startsWith("box ")) {
            QCOMPARE(box()->text(), rest);
        } else if (step.startsWith("label ")) {
            QCOMPARE(qobject_cast<QLabel*>(control("label"))->text(), rest);
        } else if (step.startsWith("focus ")) {
            QCOMPARE(editor->focusWidget(), rest == "box" ? box() : static_cast<QWidget*>(list()));
        } else if (step.startsWith("said ")) {
            const QString said = started.messages().texts().value(heard++);
            QVERIFY2(QRegularExpression(rest).match(said).hasMatch(), qPrintable(said));
        } else if (step == "borrowed") {
            QVERIFY(editor && editor->isVisible() && !started.main().isEnabled());
            QCOMPARE(rs.source(),
                     QString(categories ? mdlMain::CategoryQuery : mdlMain::UserQuery));
            started.trigger(categories ? "mnuCategories" : "mnuUsers"); // raises the open one
            QCOMPARE(SingleInstance::loaded<ListEditor>(&started.main()), editor);
        } else if (step == "back") {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!started.main().findChild<ListEditor*>() && started.main().isEnabled());
            QCOMPARE(rs.source(), QString(mdlMain::ArticleQuery));
            QVERIFY(rs.recordCount() == 5 && !rs.hasPendingChanges());
            QCOMPARE(folder->rows("SELECT * FROM AR ORDER BY ID"), articles);
            QCOMPARE(started.text("txtID") + started.text(combo), "1" + old);
        } else {
            QFAIL(qPrintable("unknown step " + step));
        }
    }
    QCOMPARE(started.messages().texts().size(), heard);
}

QTEST_MAIN(tst_Lists)
#include "tst_lists.moc"
