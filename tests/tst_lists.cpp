#include "TestSupport.h"

#include "articles/frmDisplay.h"
#include "frmMain.h"
#include "lists/frmSetupCG.h"
#include "lists/frmSetupUsers.h"
#include "mdlMain.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
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

void addEditorColumn()
{
    QTest::addColumn<QString>("which");
}

void bothEditors()
{
    addEditorColumn();
    QTest::newRow("users") << "users";
    QTest::newRow("categories") << "categories";
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

    QStringList entries() const
    {
        QStringList all;
        for (int i = 0; i < list()->count(); ++i)
            all << list()->item(i)->text();
        return all;
    }
    void select(int row) const
    {
        QListWidgetItem* item = list()->item(row);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(item).center());
    }
    void type(const QString& typed) const { QTest::keyClicks(text(), typed); }
    void erase() const
    {
        text()->setFocus();
        QTest::keyClick(text(), Qt::Key_End);
        while (!text()->text().isEmpty())
            QTest::keyClick(text(), Qt::Key_Backspace);
    }
    void click(QPushButton* b) const
    {
        QVERIFY(b->isVisible() && b->isEnabled());
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // The table's names in name order, as another program reads them.
    QStringList table() const { return tableOf(started.folder(), e); }
    static QStringList tableOf(TestFolder& folder, const Editor& e)
    {
        QStringList names;
        for (const QVariantList& row :
             folder.rows(QString("SELECT %1 FROM %2 ORDER BY %1 COLLATE NOCASE, rowid")
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
    void opening_data();
    void opening();
    void deleting_data();
    void deleting();
    void renaming_data();
    void renaming();
    void renameKeepsArticles_data();
    void renameKeepsArticles();
    void addStartsFromPreviousText_data();
    void addStartsFromPreviousText();
    void categoryOkFollowsText();
    void oneOkButtonAtATime_data();
    void oneOkButtonAtATime();
    void renameWithoutSelection();
    void emptyNameRefused_data();
    void emptyNameRefused();
    void closing_data();
    void closing();
    void emptyTable_data();
    void emptyTable();
    void unreadableTable_data();
    void unreadableTable();
    void changeFailure_data();
    void changeFailure();
};

void tst_Lists::opening_data()
{
    bothEditors();
}

void tst_Lists::opening()
{
    QFETCH(QString, which);
    StartedApp started(folderWith(which, {"Charlie", "Alpha", "Bravo"}));
    Driver d(started, which);
    QVERIFY(d.dialog);
    QVERIFY(d.exposed);
    QCOMPARE(d.dialog->windowTitle(), d.e.caption);
    QCOMPARE(d.dialog->minimumSize(), d.dialog->maximumSize());
    QVERIFY(!(d.dialog->windowFlags() & Qt::WindowMinMaxButtonsHint));
    QCOMPARE(d.entries(), QStringList({"Alpha", "Bravo", "Charlie"}));
    QVERIFY(d.list()->selectedItems().isEmpty());

    // caption, visible, enabled
    const QList<std::tuple<QWidget*, QString, bool, bool>> controls = {
        {d.add(), "&Add", true, true},
        {d.edit(), "&Edit", true, false},
        {d.del(), "&Delete", true, false},
        {d.close(), "&Close", true, true},
        {d.addOk(), "&OK", false, !d.e.okFollowsText},
        {d.editOk(), "&OK", false, true},
        {d.cancel(), d.e.cancel, false, true},
    };
    for (const auto& [widget, caption, visible, enabled] : controls) {
        QVERIFY2(widget, qPrintable(caption));
        QCOMPARE(static_cast<QPushButton*>(widget)->text(), caption);
        QCOMPARE(widget->isVisible(), visible);
        QCOMPARE(widget->isEnabled(), enabled);
    }
    QVERIFY(d.add()->isDefault());
    QCOMPARE(d.label()->text(), d.e.labelCaption);
    QVERIFY(!d.label()->isVisible());
    QVERIFY(!d.text()->isVisible());
    QVERIFY(d.text()->text().isEmpty());
    // Same order on screen for both: Add, Edit, Delete, Close.
    QVERIFY(d.add()->y() < d.edit()->y());
    QVERIFY(d.edit()->y() < d.del()->y());
    QVERIFY(d.del()->y() < d.close()->y());
    QCOMPARE(d.addOk()->geometry(), d.editOk()->geometry());

    QVERIFY(!started.main().isEnabled());
    QVERIFY(d.dialog->isEnabled());
    QCOMPARE(started.main().rsMain().source(),
             d.e.table == "Users" ? QString(mdlMain::UserQuery) : QString(mdlMain::CategoryQuery));

    // Opening again brings the open one forward.
    started.trigger(d.e.menu);
    QCOMPARE(started.main().findChildren<QDialog*>(d.e.form).size(), 1);
    d.click(d.close());
    QVERIFY(d.gone());
    QVERIFY(started.main().isEnabled());
}

void tst_Lists::deleting_data()
{
    addEditorColumn();
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("refused");
    for (const char* which : {"users", "categories"}) {
        QTest::addRow("%s: only row", which)
            << which << QStringList{"Solo"} << 0 << QStringList{"Solo"} << true;
        QTest::addRow("%s: middle of several", which)
            << which << QStringList{"Bravo", "Alpha", "Charlie"} << 1
            << QStringList{"Alpha", "Charlie"} << false;
        QTest::addRow("%s: last of several", which)
            << which << QStringList{"Bravo", "Alpha", "Charlie"} << 2
            << QStringList{"Alpha", "Bravo"} << false;
        QTest::addRow("%s: first of two equal", which)
            << which << QStringList{"Same", "Alpha", "Same", "Zed"} << 1
            << QStringList{"Alpha", "Same", "Zed"} << false;
        QTest::addRow("%s: second of two equal", which)
            << which << QStringList{"Same", "Alpha", "Same", "Zed"} << 2
            << QStringList{"Alpha", "Same", "Zed"} << false;
    }
}

void tst_Lists::deleting()
{
    QFETCH(QString, which);
    QFETCH(QStringList, names);
    QFETCH(int, row);
    QFETCH(QStringList, expected);
    QFETCH(bool, refused);
    StartedApp started(folderWith(which, names));
    Driver d(started, which);
    d.select(row);
    QVERIFY(d.edit()->isEnabled());
    d.click(d.del());

    if (refused) {
        QCOMPARE(started.messages().texts(), QStringList{d.e.onlyRow});
        const MessageCatcher::Seen& seen = started.messages().seen.first();
        QCOMPARE(seen.title, QString("Ardentry"));
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
    } else {
        QVERIFY(started.messages().seen.isEmpty()); // no question
    }
    QCOMPARE(d.entries(), expected);
    QCOMPARE(d.table(), expected);
    QVERIFY(!d.edit()->isEnabled());
    QVERIFY(!d.del()->isEnabled());
}

void tst_Lists::renaming_data()
{
    addEditorColumn();
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QStringList>("expected");
    for (const char* which : {"users", "categories"}) {
        QTest::addRow("%s: moves to its sorted place", which)
            << which << QStringList{"Alpha", "Bravo", "Charlie"} << 0 << "Delta"
            << QStringList{"Bravo", "Charlie", "Delta"};
        QTest::addRow("%s: first of two equal", which)
            << which << QStringList{"Same", "Alpha", "Same", "Zed"} << 1 << "Beta"
            << QStringList{"Alpha", "Beta", "Same", "Zed"};
        QTest::addRow("%s: second of two equal", which)
            << which << QStringList{"Same", "Alpha", "Same", "Zed"} << 2 << "Yankee"
            << QStringList{"Alpha", "Same", "Yankee", "Zed"};
        QTest::addRow("%s: kept as typed", which)
            << which << QStringList{"Alpha", "Bravo"} << 1 << " O'Brien \"x\" "
            << QStringList{" O'Brien \"x\" ", "Alpha"};
    }
}

void tst_Lists::renaming()
{
    QFETCH(QString, which);
    QFETCH(QStringList, names);
    QFETCH(int, row);
    QFETCH(QString, newName);
    QFETCH(QStringList, expected);
    StartedApp started(folderWith(which, names));
    Driver d(started, which);
    d.select(row);
    d.click(d.edit());
    QCOMPARE(d.label()->text(), QString("Edit Name:"));
    QVERIFY(d.label()->isVisible());
    QCOMPARE(d.text()->text(), d.entries().at(row));
    QCOMPARE(d.dialog->focusWidget(), d.text());
    QVERIFY(d.cancel()->isVisible());
    QVERIFY(!d.edit()->isEnabled());
    QVERIFY(!d.del()->isEnabled());
    d.erase();
    d.type(newName);
    d.click(d.editOk());

    QCOMPARE(d.table(), expected);
    QCOMPARE(d.entries(), expected);
    QVERIFY(started.messages().seen.isEmpty());
    for (QWidget* hidden : QList<QWidget*>{d.label(), d.text(), d.addOk(), d.editOk(), d.cancel()})
        QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
    QVERIFY(d.add()->isEnabled());
}

void tst_Lists::renameKeepsArticles_data()
{
    bothEditors();
}

void tst_Lists::renameKeepsArticles()
{
    QFETCH(QString, which);
    const Editor e = editorNamed(which);
    auto folder = folderWith(which, {"Alpha", "Bravo"});
    folder->fillArticles(2);
    folder->exec(QString("UPDATE AR SET %1 = 'Alpha'").arg(e.articleColumn));
    const auto articlesBefore = folder->rows("SELECT * FROM AR ORDER BY ID");
    StartedApp started(folder);
    auto* combo = started.display().findChild<QComboBox*>(e.combo);
    QVERIFY(combo);
    QCOMPARE(combo->count(), 2);

    {
        Driver d(started, which);
        d.select(0);
        d.click(d.edit());
        d.erase();
        d.type("Zulu");
        d.click(d.editOk());
        QCOMPARE(d.table(), QStringList({"Bravo", "Zulu"}));
        d.click(d.close());
        QVERIFY(d.gone());
    }
    QCOMPARE(folder->rows("SELECT * FROM AR ORDER BY ID"), articlesBefore);
    // The article form keeps the lists read at start-up and shows the stored name.
    QCOMPARE(combo->itemText(0), QString("Alpha"));
    QCOMPARE(combo->itemText(1), QString("Bravo"));
    QCOMPARE(combo->findText("Zulu"), -1);
    QCOMPARE(combo->currentText(), QString("Alpha"));
    QCOMPARE(which == "users" ? started.app().UserList : started.app().CategoryList,
             QStringList({"Alpha", "Bravo"}));
}

void tst_Lists::addStartsFromPreviousText_data()
{
    bothEditors();
}

void tst_Lists::addStartsFromPreviousText()
{
    QFETCH(QString, which);
    StartedApp started(folderWith(which, {"Alpha", "Mike"}));
    Driver d(started, which);
    d.click(d.add());
    QVERIFY(d.label()->isVisible());
    QCOMPARE(d.label()->text(), d.e.labelCaption);
    QVERIFY(d.text()->isVisible());
    QVERIFY(d.addOk()->isVisible());
    QVERIFY(!d.editOk()->isVisible());
    QCOMPARE(d.add()->isEnabled(), d.e.okFollowsText);     // categories: Add stays enabled
    QCOMPARE(d.cancel()->isVisible(), !d.e.okFollowsText); // categories: no Cancel while adding
    d.text()->setFocus();
    d.type("Kilo");
    d.click(d.addOk());
    QCOMPARE(d.table(), QStringList({"Alpha", "Kilo", "Mike"}));
    QCOMPARE(d.entries(), QStringList({"Alpha", "Kilo", "Mike"}));
    QVERIFY(!d.text()->isVisible());
    QVERIFY(!d.addOk()->isVisible());
    QVERIFY(d.add()->isEnabled());

    d.click(d.add());
    QCOMPARE(d.text()->text(), QString("Kilo"));
    QVERIFY(d.addOk()->isEnabled());
    // A name that is there already is stored again.
    d.click(d.addOk());
    QCOMPARE(d.table(), QStringList({"Alpha", "Kilo", "Kilo", "Mike"}));
    QVERIFY(started.messages().seen.isEmpty());
}

void tst_Lists::categoryOkFollowsText()
{
    StartedApp started(folderWith("categories", {"Alpha"}));
    Driver d(started, "categories");
    d.click(d.add());
    QVERIFY(d.addOk()->isVisible());
    QVERIFY(!d.addOk()->isEnabled());
    QVERIFY(d.dialog->focusWidget() != d.text()); // the focus does not move
    d.text()->setFocus();
    d.type("B");
    QVERIFY(d.addOk()->isEnabled());
    d.erase();
    QVERIFY(d.addOk()->isEnabled()); // any change enables it, also to the empty text
    QVERIFY(!d.cancel()->isVisible());
    d.click(d.add()); // Add again with an empty box: OK disabled until the next change
    QVERIFY(!d.addOk()->isEnabled());
}

void tst_Lists::oneOkButtonAtATime_data()
{
    bothEditors();
}

void tst_Lists::oneOkButtonAtATime()
{
    QFETCH(QString, which);
    StartedApp started(folderWith(which, {"Alpha", "Bravo"}));
    Driver d(started, which);
    d.click(d.add());
    d.select(1); // selecting while adding enables Edit and Delete again
    QVERIFY(d.edit()->isEnabled());
    QVERIFY(d.del()->isEnabled());
    d.click(d.edit());
    QVERIFY(d.editOk()->isVisible());
    QVERIFY(!d.addOk()->isVisible());
    QCOMPARE(d.text()->text(), QString("Bravo"));
    d.type("2");
    d.click(d.editOk());
    QCOMPARE(d.table(), QStringList({"Alpha", "Bravo2"}));
    QVERIFY(d.add()->isEnabled()); // Add usable again after the rename
    QVERIFY(!d.edit()->isEnabled());

    // Cancel leaves a rename without a change; the box keeps its text.
    d.select(0);
    d.click(d.edit());
    d.type("X");
    d.click(d.cancel());
    QCOMPARE(d.table(), QStringList({"Alpha", "Bravo2"}));
    QVERIFY(!d.text()->isVisible());
    QVERIFY(!d.editOk()->isVisible());
    QVERIFY(!d.edit()->isEnabled());
    QVERIFY(d.add()->isEnabled());
    d.click(d.add());
    QCOMPARE(d.text()->text(), QString("AlphaX"));
}

void tst_Lists::renameWithoutSelection()
{
    StartedApp started(folderWith("users", {"Alpha", "Bravo"}));
    Driver d(started, "users");
    d.select(0);
    d.click(d.edit());
    d.type("Z");
    // Ctrl+click takes the selection away again.
    QTest::mouseClick(d.list()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      d.list()->visualItemRect(d.list()->item(0)).center());
    QVERIFY(d.list()->selectedItems().isEmpty());
    QVERIFY(!d.edit()->isEnabled());
    QVERIFY(!d.del()->isEnabled());
    d.click(d.editOk());
    QCOMPARE(started.messages().texts(),
             QStringList{"Select the name to change in the list first."});
    QCOMPARE(d.table(), QStringList({"Alpha", "Bravo"}));
    QVERIFY(d.text()->isVisible());
}

void tst_Lists::emptyNameRefused_data()
{
    addEditorColumn();
    QTest::addColumn<bool>("rename");
    QTest::addColumn<QString>("typed");
    for (const char* which : {"users", "categories"}) {
        QTest::addRow("%s: add empty", which) << which << false << "";
        QTest::addRow("%s: add blanks", which) << which << false << "   ";
        QTest::addRow("%s: rename empty", which) << which << true << "";
        QTest::addRow("%s: rename blanks", which) << which << true << "  ";
    }
}

void tst_Lists::emptyNameRefused()
{
    QFETCH(QString, which);
    QFETCH(bool, rename);
    QFETCH(QString, typed);
    StartedApp started(folderWith(which, {"Alpha", "Bravo"}));
    Driver d(started, which);
    if (rename) {
        d.select(1);
        d.click(d.edit());
    } else {
        d.click(d.add());
        d.text()->setFocus();
        d.type("x"); // the category editor's OK needs a change of the box
    }
    d.erase();
    d.type(typed);
    d.click(rename ? d.editOk() : d.addOk());
    QCOMPARE(started.messages().seen.size(), 1);
    QVERIFY(started.messages().seen.first().text.contains("empty name"));
    QCOMPARE(d.table(), QStringList({"Alpha", "Bravo"}));
    QCOMPARE(d.entries(), QStringList({"Alpha", "Bravo"}));
    QVERIFY(d.text()->isVisible());
    QCOMPARE(d.text()->text(), typed);
}

void tst_Lists::closing_data()
{
    addEditorColumn();
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("how");
    for (const char* which : {"users", "categories"})
        for (const char* mode : {"idle", "adding", "renaming"})
            for (const char* how : {"Close", "Escape", "title bar"})
                QTest::addRow("%s, %s, %s", which, mode, how) << which << mode << how;
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

    Driver d(started, which);
    QVERIFY(!started.main().isEnabled());
    if (mode == "adding") {
        d.click(d.add());
        d.text()->setFocus();
        d.type("Never");
    } else if (mode == "renaming") {
        d.select(0);
        d.click(d.edit());
        d.type("Never");
    }
    if (how == "Close")
        d.click(d.close());
    else if (how == "Escape")
        QTest::keyClick(mode == "idle" ? static_cast<QWidget*>(d.list()) : d.text(),
                        Qt::Key_Escape);
    else
        d.dialog->close();

    QVERIFY(d.gone());
    QVERIFY(started.main().isEnabled());
    QCOMPARE(d.table(), QStringList({"Alpha", "Bravo"}));
    QCOMPARE(rs.source(), QString(mdlMain::ArticleQuery));
    QVERIFY(rs.filter().isEmpty());
    QCOMPARE(rs.recordCount(), 5);
    QVERIFY(!rs.hasPendingChanges());
    QCOMPARE(folder->scalar("SELECT COUNT(*) FROM AR").toInt(), 5);
    QCOMPARE(rs.absolutePosition(), 1);
    QCOMPARE(started.display().txtID->text(), QString("1"));
    QCOMPARE(started.display().txtProblem->toPlainText(), QString("Problem 1"));
    QVERIFY(started.messages().seen.isEmpty());
}

void tst_Lists::emptyTable_data()
{
    bothEditors();
}

void tst_Lists::emptyTable()
{
    QFETCH(QString, which);
    StartedApp started;
    const Editor e = editorNamed(which);
    started.folder().exec("DELETE FROM " + e.table); // emptied while the program runs
    Driver d(started, which);
    QVERIFY(d.dialog);
    QVERIFY(started.messages().seen.isEmpty());
    QCOMPARE(d.list()->count(), 0);
    QVERIFY(!d.edit()->isEnabled());
    QVERIFY(!d.del()->isEnabled());
    d.click(d.add());
    d.text()->setFocus();
    d.type("First");
    d.click(d.addOk());
    QCOMPARE(d.entries(), QStringList{"First"});
    QCOMPARE(d.table(), QStringList{"First"});
    QVERIFY(started.messages().seen.isEmpty());
}

void tst_Lists::unreadableTable_data()
{
    bothEditors();
}

void tst_Lists::unreadableTable()
{
    QFETCH(QString, which);
    StartedApp started;
    const Editor e = editorNamed(which);
    started.folder().exec("DROP TABLE " + e.table);
    Driver d(started, which);
    QCOMPARE(started.messages().seen.size(), 1);
    QVERIFY2(started.messages().seen.first().text.startsWith("The " + e.listName +
                                                             " could not be read: "),
             qPrintable(started.messages().seen.first().text));
    QVERIFY(d.gone());
    QVERIFY(started.main().isEnabled());
    QCOMPARE(started.main().rsMain().source(), QString(mdlMain::ArticleQuery));
    QCOMPARE(started.display().txtID->text(), QString("1"));
}

void tst_Lists::changeFailure_data()
{
    addEditorColumn();
    QTest::addColumn<QString>("change");
    for (const char* which : {"users", "categories"})
        for (const char* change : {"add", "rename", "delete", "rename conflict"})
            QTest::addRow("%s, %s", which, change) << which << change;
}

void tst_Lists::changeFailure()
{
    QFETCH(QString, which);
    QFETCH(QString, change);
    StartedApp started(folderWith(which, {"Alpha", "Bravo"}));
    TestFolder& folder = started.folder();
    Driver d(started, which);
    const bool conflict = change == "rename conflict";
    if (!conflict) {
        for (const char* event : {"INSERT", "UPDATE", "DELETE"})
            folder.exec(QString("CREATE TRIGGER refuse_%1 BEFORE %1 ON %2 BEGIN SELECT "
                                "RAISE(ABORT, 'refused by the test'); END")
                            .arg(event, d.e.table));
    }
    QStringList expected{"Alpha", "Bravo"};
    if (change == "add") {
        d.click(d.add());
        d.text()->setFocus();
        d.type("Charlie");
        d.click(d.addOk());
    } else if (change == "delete") {
        d.select(1);
        d.click(d.del());
    } else {
        d.select(0);
        d.click(d.edit());
        d.erase();
        d.type("Charlie");
        if (conflict) {
            // Another program renames the row in the meantime.
            folder.exec(QString("UPDATE %1 SET %2 = 'Other' WHERE %2 = 'Alpha'")
                            .arg(d.e.table, d.e.column));
            expected = QStringList{"Bravo", "Other"};
        }
        d.click(d.editOk());
    }
    QCOMPARE(started.messages().seen.size(), 1);
    const QString text = started.messages().seen.first().text;
    const QString prefix = "The " + d.e.listName + " could not be changed: ";
    QVERIFY2(text.startsWith(prefix) && text.size() > prefix.size() + 5, qPrintable(text));
    QCOMPARE(d.table(), expected);
    QCOMPARE(d.entries(), expected); // read again from the table
    QVERIFY(!d.edit()->isEnabled());
    QVERIFY(!d.del()->isEnabled());
    if (change == "delete")
        return;
    QCOMPARE(d.text()->text(), QString("Charlie")); // what was typed is kept
    QVERIFY(d.text()->isVisible());

    // Once the table takes changes again, the same OK stores the name exactly once.
    for (const char* event : {"INSERT", "UPDATE", "DELETE"})
        folder.exec(QString("DROP TRIGGER IF EXISTS refuse_%1").arg(event));
    if (change != "add")
        d.select(0);
    d.click(change == "add" ? d.addOk() : d.editOk());
    QCOMPARE(started.messages().seen.size(), 1);
    QCOMPARE(d.table().count("Charlie"), 1);
    QCOMPARE(d.table().size(), change == "add" ? 3 : 2);
}

QTEST_MAIN(tst_Lists)
#include "tst_lists.moc"
