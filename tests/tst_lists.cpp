#include "tests/TestSupport.h"

#include "articles/frmDisplay.h"
#include "app/frmMain.h"
#include "lists/frmSetupCG.h"
#include "lists/frmSetupUsers.h"
#include "core/mdlMain.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace
{

// What tells the two editors apart, as the user and the database file see it.
struct Editor {
    QString form, caption, menu, table, column, label, labelCaption, edit, del, editOk, cancel;
    QString listName, onlyRow, articleColumn, combo;
    bool okFollowsText;
};

Editor editorNamed(const QString& which)
{
    // clang-format off
    if (which == "users")
        return {"frmSetupUsers", "Setup Users", "mnuUsers", "Users", "Users", "Label1",
                "User Name:", "Command2", "Command3", "Command6", "Ca&ncel", "user list",
                "Ardentry can't delete this User because it is the ONLY Ardentry User. Delete "
                "will leave Ardentry in an unstable condition. Delete process stopped.",
                "techname", "cboTechName", false};
    return {"frmSetupCG", "Setup Categories", "mnuCategories", "Categories", "Category", "Label2",
            "Category Name:", "Command3", "Command2", "cmdEditOk", "&Cancel", "category list",
            "Ardentry can't delete this Category because it is the ONLY Ardentry Category. "
            "Delete will leave Ardentry in an unstable condition. Delete process stopped.",
            "CUName", "cboCUName", true};
    // clang-format on
}

QStringList texts(const QAbstractItemModel* model)
{
    QStringList all;
    for (int i = 0; i < model->rowCount(); ++i)
        all << model->index(i, 0).data().toString();
    return all;
}

const char* const Both[] = {"users", "categories"};

void bothEditors()
{
    QTest::addColumn<QString>("which");
    for (const char* which : Both)
        QTest::newRow(which) << which;
}

// One open editor, driven the way a user drives it.
class Driver
{
public:
    Driver(StartedApp& started, const QString& which) : started(started), e(editorNamed(which))
    {
        started.trigger(e.menu);
        dialog = started.main().findChild<QDialog*>(e.form);
        if (dialog)
            exposed = QTest::qWaitForWindowExposed(dialog);
    }

    QPushButton* button(const QString& name) const { return dialog->findChild<QPushButton*>(name); }
    QPushButton* add() const { return button("Command1"); }
    QPushButton* edit() const { return button(e.edit); }
    QPushButton* del() const { return button(e.del); }
    QPushButton* close() const { return button("Command4"); }
    QPushButton* addOk() const { return button("Command5"); }
    QPushButton* editOk() const { return button(e.editOk); }
    QPushButton* cancel() const { return button("cmdCancel"); }
    QListWidget* list() const { return dialog->findChild<QListWidget*>("List1"); }
    QLineEdit* text() const { return dialog->findChild<QLineEdit*>("Text1"); }
    QLabel* label() const { return dialog->findChild<QLabel*>(e.label); }

    QStringList entries() const { return texts(list()->model()); }
    void select(int row, Qt::KeyboardModifiers keys = {}) const
    {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, keys,
                          list()->visualItemRect(list()->item(row)).center());
    }
    // Types into the name box; `replace` first deletes what it holds, key by key.
    void type(const QString& typed, bool replace = false) const
    {
        text()->setFocus();
        QTest::keyClick(text(), Qt::Key_End);
        while (replace && !text()->text().isEmpty())
            QTest::keyClick(text(), Qt::Key_Backspace);
        QTest::keyClicks(text(), typed);
    }
    void click(QPushButton* b) const
    {
        QVERIFY(b->isVisible() && b->isEnabled());
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // The controls as the user sees them: the visible ones above the list ("-" when disabled),
    // then "/", then the enabled ones of Add, Edit and Delete.
    QString state() const
    {
        QStringList seen;
        const QList<QWidget*> box{label(), text(), addOk(), editOk(), cancel()},
            side{add(), edit(), del()};
        for (int i = 0; i < box.size(); ++i) {
            if (box[i]->isVisible())
                seen << QString("label box addOk editOk cancel").section(' ', i, i) +
                            (box[i]->isEnabled() ? "" : "-");
        }
        seen << "/";
        for (int i = 0; i < side.size(); ++i) {
            if (side[i]->isEnabled())
                seen << QString("add edit del").section(' ', i, i);
        }
        return seen.join(' ');
    }
    // The table's names in name order, as another program reads them.
    QStringList table() const
    {
        QStringList names;
        for (const QVariantList& row :
             started.folder().rows(QString("SELECT %1 FROM %2 ORDER BY %1 COLLATE NOCASE, rowid")
                                       .arg(e.column, e.table)))
            names << row.first().toString();
        return names;
    }
    bool gone() const
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return !started.main().findChild<QDialog*>(e.form);
    }

    StartedApp& started;
    Editor e;
    QDialog* dialog = nullptr;
    bool exposed = false;
};

std::shared_ptr<TestFolder> folderWith(const QString& which, const QStringList& names)
{
    auto folder = std::make_shared<TestFolder>();
    const Editor e = editorNamed(which);
    folder->exec("DELETE FROM " + e.table);
    for (const QString& name : names)
        folder->exec(QString("INSERT INTO %1 (%2) VALUES (?)").arg(e.table, e.column), {name});
    return folder;
}

} // namespace

class tst_Lists : public QObject
{
    Q_OBJECT
private slots:
    void changes_data();
    void changes();
    void modes_data() { bothEditors(); }
    void modes();
    void closing_data();
    void closing();
    void reopenAtOnce_data() { bothEditors(); }
    void reopenAtOnce();
};

void tst_Lists::changes_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QStringList>("names"); // empty: the table is emptied after start-up
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("refusal"); // "table": the table refuses changes; "renamed"
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("message");     // pattern of the one message shown, if any
    QTest::addColumn<QStringList>("retried"); // the table after OK once the table takes changes
    const QStringList two{"Alpha", "Bravo"};
    const QStringList three{"Bravo", "Alpha", "Charlie"};
    const QStringList equal{"Same", "Alpha", "Same", "Zed"};
    const QString empty = "empty name";
    for (const char* which : Both) {
        const auto row = [which](const char* name, const QStringList& names, const char* action,
                                 int row, const QString& typed, const QStringList& expected,
                                 const QString& message = {}, const char* refusal = "",
                                 const QStringList& retried = {}) {
            QTest::addRow("%s: %s", which, name)
                << QString(which) << names << QString(action) << row << typed << QString(refusal)
                << expected << message << retried;
        };
        const QString onlyRow = QRegularExpression::escape(editorNamed(which).onlyRow);
        const QString failed =
            "^The " + editorNamed(which).listName + " could not be changed: .{5}";
        row("delete only row", {"Solo"}, "delete", 0, "", {"Solo"}, onlyRow);
        row("delete middle", three, "delete", 1, "", {"Alpha", "Charlie"});
        row("delete last", three, "delete", 2, "", {"Alpha", "Bravo"});
        row("delete first of two equal", equal, "delete", 1, "", {"Alpha", "Same", "Zed"});
        row("delete second of two equal", equal, "delete", 2, "", {"Alpha", "Same", "Zed"});
        row("rename to its sorted place", {"Alpha", "Bravo", "Charlie"}, "rename", 0, "Delta",
            {"Bravo", "Charlie", "Delta"});
        row("rename first of two equal", equal, "rename", 1, "Beta",
            {"Alpha", "Beta", "Same", "Zed"});
        row("rename second of two equal", equal, "rename", 2, "Yankee",
            {"Alpha", "Same", "Yankee", "Zed"});
        row("rename kept as typed", two, "rename", 1, " O'Brien \"x\" ",
            {" O'Brien \"x\" ", "Alpha"});
        row("rename empty", two, "rename", 1, "", two, empty);
        row("rename blanks", two, "rename", 1, "  ", two, empty);
        row("add empty", two, "add", 0, "", two, empty);
        row("add blanks", two, "add", 0, "   ", two, empty);
        row("add to empty table", {}, "add", 0, "First", {"First"});
        row("add refused", two, "add", 0, "Charlie", two, failed, "table",
            {"Alpha", "Bravo", "Charlie"});
        row("rename refused", two, "rename", 0, "Charlie", two, failed, "table",
            {"Bravo", "Charlie"});
        row("delete refused", two, "delete", 1, "", two, failed, "table");
        // Another program renames the row between Edit and OK.
        row("rename of a renamed row", two, "rename", 0, "Charlie", {"Bravo", "Other"}, failed,
            "renamed", {"Charlie", "Other"});
    }
}

void tst_Lists::changes()
{
    QFETCH(QString, which);
    QFETCH(QStringList, names);
    QFETCH(QString, action);
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(QString, refusal);
    QFETCH(QStringList, expected);
    QFETCH(QString, message);
    QFETCH(QStringList, retried);
    const Editor e = editorNamed(which);
    auto folder = folderWith(which, names.isEmpty() ? QStringList{"Gone"} : names);
    folder->fillArticles(2);
    StartedApp started(folder);
    const QStringList atStart =
        which == "users" ? started.app().UserList : started.app().CategoryList;
    if (names.isEmpty())
        folder->exec("DELETE FROM " + e.table); // by another program while this one runs
    Driver d(started, which);
    QCOMPARE(d.entries().size(), names.size());
    // The articles name the entry that the change is about.
    const QString old = d.entries().value(row);
    folder->exec(QString("UPDATE AR SET %1 = ?").arg(e.articleColumn), {old});
    const auto articles = folder->rows("SELECT * FROM AR ORDER BY ID");
    const QStringList events{"INSERT", "UPDATE", "DELETE"};
    for (const QString& event : events) {
        if (refusal == "table")
            folder->exec(QString("CREATE TRIGGER refuse_%1 BEFORE %1 ON %2 BEGIN SELECT "
                                 "RAISE(ABORT, 'refused by the test'); END")
                             .arg(event, e.table));
    }

    if (action == "add") {
        d.click(d.add());
        d.type("x"); // the category editor's OK needs a change of the box
        d.type(typed, true);
        d.click(d.addOk());
    } else {
        d.select(row);
        d.click(action == "rename" ? d.edit() : d.del());
        if (action == "rename") {
            d.type(typed, true);
            if (refusal == "renamed")
                folder->exec(
                    QString("UPDATE %1 SET %2 = 'Other' WHERE %2 = ?").arg(e.table, e.column),
                    {old});
            d.click(d.editOk());
        }
    }
    QCOMPARE(d.table(), expected);
    QCOMPARE(d.entries(), expected); // read again from the table
    if (message.isEmpty()) {
        QVERIFY(started.messages().seen.isEmpty()); // no question
        QCOMPARE(d.state(), "/ add");
    } else {
        QCOMPARE(started.messages().seen.size(), 1);
        const MessageCatcher::Seen& seen = started.messages().seen.first();
        QVERIFY2(QRegularExpression(message).match(seen.text).hasMatch(), qPrintable(seen.text));
        QCOMPARE(seen.title, QString("Ardentry"));
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        // What was typed stays in the box; nothing is selected to rename or delete.
        QCOMPARE(d.text()->isVisible(), action != "delete");
        QCOMPARE(d.text()->text(), typed);
        QVERIFY(!d.edit()->isEnabled() && !d.del()->isEnabled());
    }
    if (!retried.isEmpty()) {
        // Once the table takes changes again, the same OK stores the name exactly once.
        for (const QString& event : events)
            folder->exec(QString("DROP TRIGGER IF EXISTS refuse_%1").arg(event));
        if (action == "rename")
            d.select(0);
        d.click(action == "add" ? d.addOk() : d.editOk());
        QCOMPARE(started.messages().seen.size(), 1);
        QCOMPARE(d.table(), retried);
        return;
    }

    // Articles keep their stored names; the article form keeps the lists read at start-up.
    d.click(d.close());
    QVERIFY(d.gone());
    QCOMPARE(folder->rows("SELECT * FROM AR ORDER BY ID"), articles);
    auto* combo = started.display().findChild<QComboBox*>(e.combo);
    QVERIFY(combo);
    QCOMPARE(texts(combo->model()), atStart);
    QCOMPARE(combo->currentText(), old);
    QCOMPARE(which == "users" ? started.app().UserList : started.app().CategoryList, atStart);
}

// The editor as it opens, then adding, renaming and cancelling one after another; one OK button
// is visible at a time.
void tst_Lists::modes()
{
    QFETCH(QString, which);
    StartedApp started(folderWith(which, {"Mike", "Alpha"}));
    Driver d(started, which);
    const bool categories = d.e.okFollowsText;
    QVERIFY(d.dialog && d.exposed);
    QCOMPARE(d.dialog->windowTitle(), d.e.caption);
    QCOMPARE(d.dialog->minimumSize(), d.dialog->maximumSize());
    QVERIFY(!(d.dialog->windowFlags() & Qt::WindowMinMaxButtonsHint));
    QCOMPARE(d.entries(), QStringList({"Alpha", "Mike"}));
    QVERIFY(d.list()->selectedItems().isEmpty());
    QCOMPARE(d.state(), "/ add");
    QStringList captions;
    for (QPushButton* button : {d.add(), d.edit(), d.del(), d.close(), d.addOk(), d.editOk()})
        captions << button->text();
    QCOMPARE(captions.join(' ') + ' ' + d.cancel()->text(),
             "&Add &Edit &Delete &Close &OK &OK " + d.e.cancel);
    QVERIFY(d.add()->isDefault());
    QVERIFY(d.text()->text().isEmpty());
    // Same order on screen for both: Add, Edit, Delete, Close; the two OK buttons share a place.
    QVERIFY(d.add()->y() < d.edit()->y() && d.edit()->y() < d.del()->y() &&
            d.del()->y() < d.close()->y());
    QCOMPARE(d.addOk()->geometry(), d.editOk()->geometry());
    // While open it borrows rsMain and keeps the main window disabled; opening again raises it.
    QVERIFY(!started.main().isEnabled());
    QVERIFY(d.dialog->isEnabled());
    QCOMPARE(started.main().rsMain().source(),
             categories ? QString(mdlMain::CategoryQuery) : QString(mdlMain::UserQuery));
    started.trigger(d.e.menu);
    QCOMPARE(started.main().findChildren<QDialog*>(d.e.form).size(), 1);

    d.click(d.add());
    QCOMPARE(d.label()->text(), d.e.labelCaption);
    // The category editor keeps Add enabled, shows no Cancel, leaves the focus and waits for a
    // change of the box before its OK works.
    QCOMPARE(d.state(), categories ? "label box addOk- / add" : "label box addOk cancel /");
    QCOMPARE(d.dialog->focusWidget() == d.text(), !categories);
    if (categories) {
        d.type("B");
        d.type("", true);
        QVERIFY(d.addOk()->isEnabled()); // any change enables it, also to the empty text
        d.click(d.add()); // Add again with an empty box: OK disabled until the next change
        QCOMPARE(d.state(), "label box addOk- / add");
    }
    d.type("Kilo");
    d.click(d.addOk());
    QCOMPARE(d.table(), QStringList({"Alpha", "Kilo", "Mike"}));
    QCOMPARE(d.entries(), QStringList({"Alpha", "Kilo", "Mike"}));
    QCOMPARE(d.state(), "/ add");

    // Add starts from the previous text; a name that is there already is stored again.
    d.click(d.add());
    QCOMPARE(d.text()->text(), QString("Kilo"));
    d.click(d.addOk());
    QCOMPARE(d.table(), QStringList({"Alpha", "Kilo", "Kilo", "Mike"}));

    // Selecting while adding enables Edit and Delete again; Edit leaves adding.
    d.click(d.add());
    d.select(3);
    QCOMPARE(d.state(),
             categories ? "label box addOk / add edit del" : "label box addOk cancel / edit del");
    d.click(d.edit());
    QCOMPARE(d.state(), categories ? "label box editOk cancel / add" : "label box editOk cancel /");
    QCOMPARE(d.label()->text(), QString("Edit Name:"));
    QCOMPARE(d.text()->text(), QString("Mike"));
    QCOMPARE(d.dialog->focusWidget(), d.text());
    d.type("2");
    d.click(d.editOk());
    const QStringList names{"Alpha", "Kilo", "Kilo", "Mike2"};
    QCOMPARE(d.table(), names);
    QCOMPARE(d.state(), "/ add"); // Add usable again after the rename

    // A rename whose selection was taken away (Ctrl+click) changes nothing.
    d.select(0);
    d.click(d.edit());
    d.type("Z");
    d.select(0, Qt::ControlModifier);
    QCOMPARE(d.state(), "label box editOk cancel / add");
    d.click(d.editOk());
    QCOMPARE(started.messages().texts(),
             QStringList{"Select the name to change in the list first."});
    QCOMPARE(d.table(), names);
    // Cancel leaves the rename without a change, whatever is selected; the box keeps its text.
    d.select(1);
    d.click(d.cancel());
    QCOMPARE(d.table(), names);
    QCOMPARE(d.state(), "/ add");
    d.click(d.add());
    QCOMPARE(d.text()->text(), QString("AlphaZ"));
    QCOMPARE(d.label()->text(), d.e.labelCaption);
}

void tst_Lists::closing_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("how");
    for (const char* which : Both) {
        for (const char* mode : {"idle", "adding", "renaming"})
            for (const char* how : {"Close", "Escape", "title bar"})
                QTest::addRow("%s, %s, %s", which, mode, how) << which << mode << how;
        // The editor closes at once when its table cannot be read.
        QTest::addRow("%s, table unreadable", which) << which << "unreadable"
                                                     << "";
    }
}

void tst_Lists::closing()
{
    QFETCH(QString, which);
    QFETCH(QString, mode);
    QFETCH(QString, how);
    auto folder = folderWith(which, {"Alpha", "Bravo"});
    folder->fillArticles(5);
    StartedApp started(folder);
    RecordSet& rs = started.main().rsMain();
    rs.setFilter("ID = #3#");
    started.main().ShowCurrentRecord();
    QCOMPARE(started.display().txtID->text(), QString("3"));
    rs.addNew(); // a begun article, never saved
    rs.collect("Id", "6");
    rs.collect("Problem", "Begun");

    if (mode == "unreadable")
        folder->exec("DROP TABLE " + editorNamed(which).table);
    Driver d(started, which);
    if (mode == "adding" || mode == "renaming") {
        if (mode == "renaming")
            d.select(0);
        d.click(mode == "adding" ? d.add() : d.edit());
        d.type("Never");
    }
    if (how == "Close")
        d.click(d.close());
    else if (how == "Escape")
        QTest::keyClick(mode == "idle" ? static_cast<QWidget*>(d.list()) : d.text(),
                        Qt::Key_Escape);
    else if (how == "title bar")
        d.dialog->close();

    QVERIFY(d.gone());
    QVERIFY(started.main().isEnabled());
    if (mode == "unreadable") {
        QCOMPARE(started.messages().seen.size(), 1);
        const QString text = started.messages().seen.first().text;
        QVERIFY2(text.startsWith("The " + d.e.listName + " could not be read: "), qPrintable(text));
    } else {
        QVERIFY(started.messages().seen.isEmpty());
        QCOMPARE(d.table(), QStringList({"Alpha", "Bravo"}));
    }
    // The article query is back without the filter and without the begun article.
    QCOMPARE(rs.source(), QString(mdlMain::ArticleQuery));
    QCOMPARE(rs.recordCount(), 5);
    QVERIFY(!rs.hasPendingChanges());
    QCOMPARE(started.display().txtID->text(), QString("1"));
}

// Opened again at once after closing, before the closed editor is deleted: a fresh editor that
// borrows rsMain again, never the closed one over the article query.
void tst_Lists::reopenAtOnce()
{
    QFETCH(QString, which);
    auto folder = folderWith(which, {"Alpha", "Bravo"});
    folder->fillArticles(3);
    StartedApp started(folder);
    Driver first(started, which);
    QVERIFY(first.dialog);
    QPointer<QDialog> closed = first.dialog;
    first.dialog->close();
    started.trigger(first.e.menu);
    QList<QDialog*> open;
    for (QDialog* dialog : started.main().findChildren<QDialog*>(first.e.form)) {
        if (dialog->isVisible())
            open << dialog;
    }
    QCOMPARE(open.size(), 1);
    QVERIFY(open.first() != closed.data());
    QVERIFY(!started.main().isEnabled());
    QCOMPARE(started.main().rsMain().source(),
             QString(first.e.table == "Users" ? mdlMain::UserQuery : mdlMain::CategoryQuery));
    open.first()->close();
    QVERIFY(started.main().isEnabled());
    QCOMPARE(folder->scalar("SELECT COUNT(*) FROM AR").toInt(), 3);
}

QTEST_MAIN(tst_Lists)
#include "tst_lists.moc"
