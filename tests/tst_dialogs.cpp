#include "tests/TestSupport.h"

#include "core/ProfileFile.h"
#include "articles/frmDisplay.h"
#include "dialogs/General.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmCustomizeLabels.h"
#include "dialogs/frmDataPath.h"
#include "app/frmMain.h"
#include "core/mdlMain.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace
{
QString longPath()
{
    QString path = "/srv/help desk/shared databases/";
    path += QString(117 - path.size(), QLatin1Char('x'));
    return path + ".db"; // 120 characters
}

QString storedPath(const TestFolder& folder)
{
    return ProfileFile(folder.iniPath()).read("General", "Path", "<absent>");
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Opens a window through its menu item; the one open instance, named after its class, or null.
template <typename T> T* open(StartedApp& started, const char* menu)
{
    started.trigger(menu);
    const QList<T*> all = started.main().findChildren<T*>(
        QString::fromLatin1(T::staticMetaObject.className()), Qt::FindDirectChildrenOnly);
    return all.size() == 1 ? all.first() : nullptr;
}

// Replaces the text of a box the way a user does: select everything, delete it, type.
void retype(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

void click(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// Closes a window by OK, Enter, Cancel, Escape or its title bar's close.
void closeBy(QDialog* dialog, const QString& way)
{
    QWidget* focus = dialog->focusWidget() ? dialog->focusWidget() : dialog;
    if (way == "OK")
        click(dialog->findChild<QPushButton*>("Command1"));
    else if (way == "Cancel")
        click(dialog->findChild<QPushButton*>("Command2"));
    else if (way == "Enter")
        QTest::keyClick(focus, Qt::Key_Return);
    else if (way == "Escape")
        QTest::keyClick(focus, Qt::Key_Escape);
    else
        dialog->close();
}

QStringList customizeLabels(const TestFolder& folder)
{
    QStringList labels;
    for (const QVariantList& row : folder.rows("SELECT Labels FROM Customize ORDER BY ID"))
        labels << row.value(0).toString();
    return labels;
}

QStringList boxTexts(const frmCustomizeLabels& dialog)
{
    QStringList texts;
    for (QLineEdit* box : dialog.Text)
        texts << box->text();
    return texts;
}

const QStringList Defaults = {
    "AR Number:", "Category:", "Entered By:", "Title:", "Problem:", "Solution:"};
const QStringList AsCreated = {
    "AR Number:", "Category:", "Entered By:", "Title:", "Problem Description:", "Solution:"};
const QStringList Typed = {"New 1:", "New 2:", "New 3:", "New 4:", "New 5:", "New 6:"};
} // namespace

class tst_Dialogs : public QObject
{
    Q_OBJECT
private slots:
    void informationShown_data();
    void informationShown();
    void dataPathClosing_data();
    void dataPathClosing();
    void dataPathBrowse_data();
    void dataPathBrowse();

    void labelsClosing_data();
    void labelsClosing();
    void labelsRows_data();
    void labelsRows();
    void labelsWriteFails_data();
    void labelsWriteFails();

    void about();

    void disablingWindowsEnableMainAgain_data();
    void disablingWindowsEnableMainAgain();
};

// ---- Database path and record count, as the path dialog and General Information show them ----

void tst_Dialogs::informationShown_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("filter"); // the search filter on the articles
    QTest::addColumn<QString>("count");
    QTest::newRow("stored path, no filter") << "stored" << QString() << "12";
    QTest::newRow("120 characters, problem text") << "120 characters"
                                                  << "Problem LIKE #*1*#"
                                                  << "4";
    QTest::newRow("no key, number") << "no key"
                                    << "ID = #5#"
                                    << "1";
    QTest::newRow("no file, no match") << "no file"
                                       << "Problem LIKE #*zz*#"
                                       << "0";
}

void tst_Dialogs::informationShown()
{
    QFETCH(QString, ini);
    QFETCH(QString, filter);
    QFETCH(QString, count);
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(12);
    StartedApp started(folder);
    QString expected = folder->dbPath();
    if (ini == "120 characters") {
        expected = longPath();
        folder->writeFile("Ini/arprefs.ini", "[General]\r\nPath=" + longPath().toUtf8());
    } else if (ini == "no key") {
        expected.clear();
        folder->writeFile("Ini/arprefs.ini", "[General]\nSearchString=abc\n");
    } else if (ini == "no file") {
        expected.clear();
        QVERIFY(QFile::remove(folder->iniPath()));
    }

    auto* dialog = open<frmDataPath>(started, "mnuData");
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), "Ardentry Database Path");
    QCOMPARE(dialog->Label1->text(), "Database Path:");
    QCOMPARE(dialog->Text1->text(), expected);
    click(dialog->Command2);

    started.app().rsMain.setFilter(filter);
    QPointer<General> window = open<General>(started, "mnuGen");
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowTitle(), "General Information");
    QStringList lines;
    for (QLabel* label : {window->Label1, window->Label2, window->Label3, window->Label4,
                          window->Label5, window->Label6, window->Label7, window->Label8})
        lines << label->text();
    const QString engine = "SQLite " + started.app().dbConnection.engineVersion();
    QCOMPARE(lines, QStringList({"Database path:", expected, "Number of database records:", count,
                                 "Database Engine:", engine,
                                 "Database Structure:", "SQLite 3 database file"}));
    QVERIFY2(QRegularExpression("^SQLite 3\\.\\d+\\.\\d+").match(engine).hasMatch(),
             qPrintable(engine));
    QCOMPARE(window->Command1->text(), "&OK");
    QVERIFY(started.messages().seen.isEmpty());

    // The count is taken once: a change while the window is open shows at its next opening.
    folder->exec("INSERT INTO AR (ID, Problem, solution) VALUES (13, 'p', 's')");
    started.app().ReloadArticles();
    window->hide();
    window->show();
    QTest::qWait(20);
    QCOMPARE(window->Label4->text(), count);
    click(window->Command1);
    QTRY_VERIFY(window.isNull());
    auto* again = open<General>(started, "mnuGen");
    QVERIFY(again);
    QCOMPARE(again->Label4->text(), "13");
}

void tst_Dialogs::dataPathClosing_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QString>("breakage"); // of the preferences file before OK
    QTest::newRow("OK, empty box") << "OK" << QString() << true << "";
    QTest::newRow("OK, other file") << "OK"
                                    << "/data/help desk/other.db" << true << "";
    QTest::newRow("Enter, 120 characters") << "Enter" << longPath() << true << "";
    QTest::newRow("Enter, missing file") << "Enter"
                                         << "/no/such/x.sqlite" << true << "";
    for (const char* way : {"Cancel", "Escape", "title bar"})
        QTest::newRow(way) << way << "/elsewhere/typed.db" << false << "";
    for (const char* breakage : {"Ini folder removed", "preferences path is a folder", "read-only"})
        QTest::addRow("OK, %s", breakage) << "OK"
                                          << "/new/place.db" << false << breakage;
}

void tst_Dialogs::dataPathClosing()
{
    QFETCH(QString, way);
    QFETCH(QString, typed);
    QFETCH(bool, stored);
    QFETCH(QString, breakage);
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(3);
    const QString ini = folder->iniPath();
    folder->writeFile(
        "Ini/arprefs.ini",
        ("[General]\r\nPath=" + folder->dbPath() + "\r\nSearchString=net\r\n").toUtf8());
    const QByteArray before = contents(ini);
    StartedApp started(folder);
    started.trigger("mnuNext");

    QPointer<frmDataPath> dialog = open<frmDataPath>(started, "mnuData");
    QVERIFY(dialog);
    retype(dialog->Text1, typed);
    if (breakage.startsWith("Ini")) {
        QVERIFY(QDir(folder->path("Ini")).removeRecursively());
    } else if (breakage.startsWith("preferences")) {
        QVERIFY(QFile::remove(ini));
        QVERIFY(QDir().mkpath(ini));
    } else if (breakage == "read-only") {
        QVERIFY(QFile::setPermissions(ini, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    }
    closeBy(dialog, way);
    if (!breakage.isEmpty()) {
        QCOMPARE(started.messages().seen.size(), 1);
        const MessageCatcher::Seen seen = started.messages().seen.first();
        QVERIFY2(seen.text.contains("could not be stored") &&
                     seen.text.contains(QDir::toNativeSeparators(ini)),
                 qPrintable(seen.text));
        QCOMPARE(seen.title, "Ardentry");
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        // Nothing is lost: the dialog stays with the typed path, the main window stays disabled.
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->Text1->text(), typed);
        QVERIFY(!started.main().isEnabled());
        if (breakage == "read-only")
            QCOMPARE(contents(ini), before);
        return;
    }
    QVERIFY(started.messages().seen.isEmpty());
    QTRY_VERIFY(dialog.isNull());
    QVERIFY(started.main().isEnabled());
    if (stored) { // exactly as typed, the rest of the file kept
        QCOMPARE(storedPath(*folder), typed);
        QCOMPARE(ProfileFile(ini).read("General", "SearchString"), "net");
    } else {
        QCOMPARE(contents(ini), before);
    }
    // The open database stays in use until the next start.
    QCOMPARE(started.app().dbConnection.path(), folder->dbPath());
    QCOMPARE(started.display().txtTitle->text(), "Title 2");
    started.trigger("mnuNext");
    QCOMPARE(started.display().txtTitle->text(), "Title 3");

    // The next opening reads the stored value afresh.
    auto* again = open<frmDataPath>(started, "mnuData");
    QVERIFY(again);
    QCOMPARE(again->Text1->text(), stored ? typed : folder->dbPath());
}

void tst_Dialogs::dataPathBrowse_data()
{
    QTest::addColumn<bool>("choose");
    QTest::newRow("file chosen") << true;
    QTest::newRow("chooser cancelled") << false;
}

void tst_Dialogs::dataPathBrowse()
{
    QFETCH(bool, choose);
    StartedApp started;
    const QString other = started.folder().path("archive/old help desk.sqlite");
    started.folder().writeFile("archive/old help desk.sqlite", "SQLite format 3");
    auto* dialog = open<frmDataPath>(started, "mnuData");
    QVERIFY(dialog);
    QCOMPARE(dialog->cmdBrowse->text(), "Browse...");

    QStringList filters;
    QString startFolder;
    started.messages().onOtherDialog([&](QWidget* widget) {
        auto* chooser = qobject_cast<QFileDialog*>(widget);
        if (!chooser)
            return;
        filters = chooser->nameFilters();
        startFolder = chooser->directory().absolutePath();
        if (choose) {
            chooser->selectFile(other);
            static_cast<QDialog*>(chooser)->accept(); // as the Open button does
        } else {
            chooser->reject();
        }
    });
    click(dialog->cmdBrowse);

    QCOMPARE(filters.size(), 2);
    for (const char* pattern : {"*.db", "*.sqlite3", "*.mdb"})
        QVERIFY2(filters.first().contains(QLatin1String(pattern)), qPrintable(filters.first()));
    QVERIFY2(filters.last().contains("(*)"), qPrintable(filters.last()));
    // It starts in the folder of the path in the box; choosing a file stores nothing yet.
    QCOMPARE(startFolder, QFileInfo(started.folder().dbPath()).absolutePath());
    const QString expected = choose ? QDir::toNativeSeparators(other) : started.folder().dbPath();
    QCOMPARE(dialog->Text1->text(), expected);
    QCOMPARE(storedPath(started.folder()), started.folder().dbPath());
    QVERIFY(dialog->isVisible());
    click(dialog->Command1);
    QCOMPARE(storedPath(started.folder()), expected);
}

// ---- Customize Labels ----

void tst_Dialogs::labelsClosing_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("reset");  // Reset to Default before closing
    QTest::addColumn<bool>("kept");   // hidden and kept rather than destroyed
    QTest::addColumn<bool>("stored"); // the boxes reach the table
    QTest::newRow("OK") << "OK" << false << true << true;
    QTest::newRow("Enter") << "Enter" << false << true << true;
    QTest::newRow("Cancel") << "Cancel" << false << true << false;
    QTest::newRow("Escape") << "Escape" << false << true << false;
    QTest::newRow("title bar") << "title bar" << false << false << false;
    QTest::newRow("Reset, Cancel") << "Cancel" << true << true << false;
}

void tst_Dialogs::labelsClosing()
{
    QFETCH(QString, way);
    QFETCH(bool, reset);
    QFETCH(bool, kept);
    QFETCH(bool, stored);
    StartedApp started;
    started.folder().exec("UPDATE Customize SET Labels = 'Kind:' WHERE ID = 2");
    QPointer<frmCustomizeLabels> dialog = open<frmCustomizeLabels>(started, "mnuLabels");
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), "Customize Labels");
    for (int k = 0; k < 6; ++k)
        QCOMPARE(dialog->Label[k]->text(), Defaults.at(k));
    QStringList shown = AsCreated;
    shown[1] = "Kind:";
    QCOMPARE(boxTexts(*dialog), shown);
    QVERIFY(started.main().isEnabled()); // the main window stays usable
    QVERIFY(started.main().action("mnuNext")->isEnabled());

    retype(dialog->Text[2], "Written By:");
    if (reset) {
        click(dialog->Command3);
        QCOMPARE(boxTexts(*dialog), Defaults);
    }
    const QStringList boxes = boxTexts(*dialog);
    closeBy(dialog, way);
    QVERIFY(!dialog || !dialog->isVisible());
    QVERIFY(started.main().isEnabled());
    QCOMPARE(customizeLabels(started.folder()), stored ? boxes : shown);

    // Hidden: the same window shows the edits again; closed: a new one, even at once, shows the
    // stored texts.
    auto* again = open<frmCustomizeLabels>(started, "mnuLabels");
    QVERIFY(again && again->isVisible());
    QCOMPARE(again == dialog.data(), kept);
    QCOMPARE(boxTexts(*again), kept ? boxes : shown);
    QTest::qWait(20);
    QTRY_COMPARE(dialog.isNull(), !kept);
    // A later OK stores what the boxes hold.
    click(again->Command1);
    QCOMPARE(customizeLabels(started.folder()), boxTexts(*again));
}

void tst_Dialogs::labelsRows_data()
{
    QTest::addColumn<QList<int>>("ids"); // the rows that the table holds
    QTest::addColumn<QList<int>>("idsAfter");
    const QList<int> six{1, 2, 3, 4, 5, 6};
    QTest::newRow("six rows") << six << six;
    QTest::newRow("no rows") << QList<int>{} << six;
    QTest::newRow("four rows") << QList<int>{1, 2, 3, 4} << six;
    QTest::newRow("five rows") << QList<int>{1, 2, 3, 4, 5} << six;
    // New rows sort after the rows already there.
    QTest::newRow("gaps in the IDs") << QList<int>{2, 7, 9} << QList<int>{2, 7, 9, 10, 11, 12};
    // A seventh row is neither shown nor changed.
    QTest::newRow("seven rows") << (six + QList<int>{7}) << (six + QList<int>{7});
}

void tst_Dialogs::labelsRows()
{
    QFETCH(QList<int>, ids);
    QFETCH(QList<int>, idsAfter);
    StartedApp started;
    TestFolder& folder = started.folder();
    folder.exec("DELETE FROM Customize");
    QStringList rows; // what the table holds
    for (int k = 0; k < ids.size(); ++k) {
        rows << QString("Stored %1:").arg(k + 1);
        folder.exec("INSERT INTO Customize (ID, Labels) VALUES (?, ?)", {ids.at(k), rows.last()});
    }
    QStringList shown = rows.mid(0, 6) + Defaults.mid(rows.size()); // missing rows: defaults
    auto* dialog = open<frmCustomizeLabels>(started, "mnuLabels");
    QVERIFY(dialog);
    QCOMPARE(boxTexts(*dialog), shown);

    retype(dialog->Text[0], "Ticket:");
    retype(dialog->Text[5], QString()); // an empty text is stored as typed
    shown[0] = "Ticket:";
    shown[5].clear();
    click(dialog->Command1);
    QVERIFY2(started.messages().seen.isEmpty(), qPrintable(started.messages().texts().join("|")));
    QVERIFY(!dialog->isVisible());
    QCOMPARE(customizeLabels(folder), shown + rows.mid(6));
    QList<int> idsStored;
    for (const QVariantList& row : folder.rows("SELECT ID FROM Customize ORDER BY ID"))
        idsStored << row.value(0).toInt();
    QCOMPARE(idsStored, idsAfter);

    // Not at once, but at the next load of the article form.
    QCOMPARE(started.display().lblProblemNo->text(), "AR Number:");
    started.main().unloadDisplay();
    QCOMPARE(started.display().lblProblemNo->text(), "Ticket:");
    QCOMPARE(started.display().lblProblem->text(), shown[4]);
    QCOMPARE(started.display().lblSolution->text(), QString());

    // A second OK changes the rows now there and adds none.
    QCOMPARE(open<frmCustomizeLabels>(started, "mnuLabels"), dialog);
    retype(dialog->Text[1], "Kind:");
    shown[1] = "Kind:";
    click(dialog->Command1);
    QCOMPARE(customizeLabels(folder), shown + rows.mid(6));
}

void tst_Dialogs::labelsWriteFails_data()
{
    QTest::addColumn<QString>("breakage");
    QTest::addColumn<QString>("repair");
    QTest::addColumn<QString>("failure"); // part of the message at OK
    QTest::newRow("third row refused")
        << "CREATE TRIGGER refuse_third BEFORE UPDATE ON Customize WHEN OLD.ID = 3 BEGIN SELECT "
           "RAISE(ABORT, 'refused'); END"
        << "DROP TRIGGER refuse_third"
        << "The label \"Entered By:\" could not be saved";
    QTest::newRow("table missing") << "ALTER TABLE Customize RENAME TO Gone"
                                   << "ALTER TABLE Gone RENAME TO Customize"
                                   << "The labels could not be saved";
}

void tst_Dialogs::labelsWriteFails()
{
    QFETCH(QString, breakage);
    QFETCH(QString, repair);
    QFETCH(QString, failure);
    const bool missing = breakage.startsWith("ALTER");
    StartedApp started;
    TestFolder& folder = started.folder();
    const QList<MessageCatcher::Seen>& seen = started.messages().seen;
    folder.exec(breakage);
    auto* dialog = open<frmCustomizeLabels>(started, "mnuLabels");
    QVERIFY(dialog && dialog->isVisible());
    // A table that cannot be read is reported; the boxes show the default texts.
    QCOMPARE(seen.size(), missing ? 1 : 0);
    QVERIFY(!missing || seen.first().text.contains("could not be read"));
    QCOMPARE(boxTexts(*dialog), missing ? Defaults : AsCreated);

    for (int k = 0; k < 6; ++k)
        retype(dialog->Text[k], Typed.at(k));
    click(dialog->Command1);
    QCOMPARE(seen.size(), missing ? 2 : 1);
    QVERIFY2(seen.last().text.contains(failure), qPrintable(seen.last().text));
    // The rows before the failing one are stored, the others are as they were.
    if (!missing)
        QCOMPARE(customizeLabels(folder), Typed.mid(0, 2) + AsCreated.mid(2));
    QVERIFY(dialog->isVisible());
    QCOMPARE(boxTexts(*dialog), Typed);
    QVERIFY(!started.app().rsAux.isOpen());

    // Once the database takes it, the same OK stores everything.
    folder.exec(repair);
    click(dialog->Command1);
    QCOMPARE(seen.size(), missing ? 2 : 1);
    QCOMPARE(customizeLabels(folder), Typed);
    QVERIFY(!dialog->isVisible());
}

// ---- About ----

void tst_Dialogs::about()
{
    StartedApp started;
    auto* box = open<frmAbout>(started, "mnuAbout");
    QVERIFY(box && box->isVisible());
    QCOMPARE(box->windowTitle(), "About Ardentry");
    QStringList texts;
    for (QLabel* label : {box->Label1, box->Label2, box->Label5, box->Label6})
        texts << label->text();
    QCOMPARE(texts, QStringList({"Ardentry", "Version 1.1", "Build 53", "January 23, 2006"}));
    QCOMPARE(box->Command1->text(), "&OK");
    QVERIFY(box->Frame1->isAncestorOf(box->Label1) && box->Frame1->isAncestorOf(box->Label2));
    QVERIFY(box->Frame1->title().isEmpty());
    QVERIFY(!box->Image1->pixmap().isNull());
}

// ---- Every window that disables the main window ----

void tst_Dialogs::disablingWindowsEnableMainAgain_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("way");
    const char* windows[][2] = {
        {"mnuData", "frmDataPath"}, {"mnuGen", "General"}, {"mnuAbout", "frmAbout"}};
    for (const auto& w : windows) {
        for (const char* way : {"OK", "Enter", "Escape", "title bar"})
            QTest::addRow("%s, %s", w[1], way) << w[0] << w[1] << way;
    }
    QTest::addRow("frmDataPath, Cancel") << "mnuData"
                                         << "frmDataPath"
                                         << "Cancel";
}

void tst_Dialogs::disablingWindowsEnableMainAgain()
{
    QFETCH(QString, command);
    QFETCH(QString, window);
    QFETCH(QString, way);
    StartedApp started;
    frmMain& main = started.main();
    QVERIFY(main.isEnabled());
    // Open over an open Customize Labels dialog: that one stays usable too.
    auto* labels = open<frmCustomizeLabels>(started, "mnuLabels");
    QVERIFY(labels);

    started.trigger(command);
    started.trigger(command); // a second command raises the open window
    const QList<QDialog*> shown = main.findChildren<QDialog*>(window, Qt::FindDirectChildrenOnly);
    QCOMPARE(shown.size(), 1);
    QPointer<QDialog> dialog = shown.first();
    QVERIFY(dialog->isVisible() && dialog->isEnabled() && labels->isEnabled());
    QVERIFY(!main.isEnabled());

    closeBy(dialog, way);
    QVERIFY(main.isEnabled());
    QVERIFY(!dialog || !dialog->isVisible());
    QVERIFY(started.messages().seen.isEmpty());

    // A fresh one opens next time, even at once, and disables the main window again.
    started.trigger(command);
    QTRY_VERIFY(dialog.isNull());
    const QList<QDialog*> again = main.findChildren<QDialog*>(window, Qt::FindDirectChildrenOnly);
    QVERIFY(again.size() == 1 && again.first()->isVisible() && !main.isEnabled());
}

QTEST_MAIN(tst_Dialogs)
#include "tst_dialogs.moc"
