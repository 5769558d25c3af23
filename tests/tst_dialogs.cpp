#include "TestSupport.h"

#include "ProfileFile.h"
#include "articles/frmDisplay.h"
#include "dialogs/General.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmCustomizeLabels.h"
#include "dialogs/frmDataPath.h"
#include "frmMain.h"
#include "mdlMain.h"

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
const QString Absent = QStringLiteral("<absent>");

QString longPath()
{
    QString path = QStringLiteral("/srv/help desk/shared databases/");
    while (path.size() < 117)
        path += QStringLiteral("x");
    path += QStringLiteral(".db");
    return path; // 120 characters
}

QString storedPath(const TestFolder& folder)
{
    return ProfileFile(folder.iniPath())
        .read(QStringLiteral("General"), QStringLiteral("Path"), Absent);
}

template <typename T> T* openOne(StartedApp& started, const char* name)
{
    const QList<T*> all =
        started.main().findChildren<T*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
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

void pressKey(QWidget* window, Qt::Key key)
{
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, key);
}

QStringList customizeLabels(const TestFolder& folder)
{
    QStringList labels;
    for (const QVariantList& row :
         folder.rows(QStringLiteral("SELECT Labels FROM Customize ORDER BY ID")))
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
} // namespace

class tst_Dialogs : public QObject
{
    Q_OBJECT
private slots:
    void dataPathShowsStoredValue_data();
    void dataPathShowsStoredValue();
    void dataPathOkStoresTyped_data();
    void dataPathOkStoresTyped();
    void dataPathCloseWithoutStoring_data();
    void dataPathCloseWithoutStoring();
    void dataPathWriteFails_data();
    void dataPathWriteFails();
    void dataPathBrowse_data();
    void dataPathBrowse();

    void labelsClosing_data();
    void labelsClosing();
    void labelsResetThenCancel();
    void labelsShowAtNextLoadOfArticleForm();
    void labelsFewerThanSixRows_data();
    void labelsFewerThanSixRows();
    void labelsSeventhRowUntouched();
    void labelsWriteFailsPartWay();
    void labelsTableMissing();

    void generalLines_data();
    void generalLines();
    void generalCountUnderFilter_data();
    void generalCountUnderFilter();
    void generalCountTakenOnce();
    void about();

    void disablingWindowsEnableMainAgain_data();
    void disablingWindowsEnableMainAgain();
};

// ---- Database path ----

void tst_Dialogs::dataPathShowsStoredValue_data()
{
    QTest::addColumn<QByteArray>("ini"); // empty: no preferences file at all
    QTest::addColumn<QString>("shown");
    QTest::newRow("120 characters")
        << ("[General]\r\nPath=" + longPath().toUtf8() + "\r\n") << longPath();
    QTest::newRow("no key") << QByteArray("[General]\r\nSearchString=abc\r\n") << QString();
    QTest::newRow("no file") << QByteArray() << QString();
}

void tst_Dialogs::dataPathShowsStoredValue()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, shown);
    StartedApp started;
    if (ini.isEmpty())
        QVERIFY(QFile::remove(started.folder().iniPath()));
    else
        started.folder().writeFile(QStringLiteral("Ini/arprefs.ini"), ini);

    started.trigger(QStringLiteral("mnuData"));
    auto* dialog = openOne<frmDataPath>(started, "frmDataPath");
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Ardentry Database Path"));
    QCOMPARE(dialog->Label1->text(), QStringLiteral("Database Path:"));
    QCOMPARE(dialog->Text1->text(), shown);
    QVERIFY(started.messages().seen.isEmpty());
}

void tst_Dialogs::dataPathOkStoresTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("enterKey");
    QTest::newRow("empty box") << QString() << false;
    QTest::newRow("other file") << QStringLiteral("/data/help desk/other.db") << false;
    QTest::newRow("120 characters, Enter") << longPath() << true;
    QTest::newRow("missing file, Enter") << QStringLiteral("/no/such/folder/x.sqlite") << true;
}

void tst_Dialogs::dataPathOkStoresTyped()
{
    QFETCH(QString, typed);
    QFETCH(bool, enterKey);
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(3);
    folder->writeFile(
        QStringLiteral("Ini/arprefs.ini"),
        ("[General]\r\nPath=" + folder->dbPath() + "\r\nSearchString=net\r\n").toUtf8());
    StartedApp started(folder);
    started.trigger(QStringLiteral("mnuNext"));
    QCOMPARE(started.display().txtTitle->text(), QStringLiteral("Title 2"));

    started.trigger(QStringLiteral("mnuData"));
    QPointer<frmDataPath> dialog = openOne<frmDataPath>(started, "frmDataPath");
    QVERIFY(dialog);
    retype(dialog->Text1, typed);
    if (enterKey)
        QTest::keyClick(dialog->Text1, Qt::Key_Return);
    else
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);

    QVERIFY(started.messages().seen.isEmpty());
    QCOMPARE(storedPath(*folder), typed);
    QCOMPARE(ProfileFile(folder->iniPath())
                 .read(QStringLiteral("General"), QStringLiteral("SearchString")),
             QStringLiteral("net"));
    QTRY_VERIFY(dialog.isNull());
    QVERIFY(started.main().isEnabled());
    // The open database stays in use until the next start.
    QCOMPARE(started.app().dbConnection.path(), folder->dbPath());
    QCOMPARE(started.display().txtTitle->text(), QStringLiteral("Title 2"));
    started.trigger(QStringLiteral("mnuNext"));
    QCOMPARE(started.display().txtTitle->text(), QStringLiteral("Title 3"));
    QCOMPARE(started.app().rsMain.recordCount(), 3);

    // The next opening reads the stored value afresh.
    started.trigger(QStringLiteral("mnuData"));
    auto* again = openOne<frmDataPath>(started, "frmDataPath");
    QVERIFY(again);
    QCOMPARE(again->Text1->text(), typed);
}

void tst_Dialogs::dataPathCloseWithoutStoring_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("Cancel") << QStringLiteral("cancel");
    QTest::newRow("Escape") << QStringLiteral("escape");
    QTest::newRow("title bar") << QStringLiteral("title bar");
}

void tst_Dialogs::dataPathCloseWithoutStoring()
{
    QFETCH(QString, way);
    StartedApp started;
    const QByteArray before = [&] {
        QFile file(started.folder().iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    started.trigger(QStringLiteral("mnuData"));
    QPointer<frmDataPath> dialog = openOne<frmDataPath>(started, "frmDataPath");
    QVERIFY(dialog);
    retype(dialog->Text1, QStringLiteral("/elsewhere/typed.db"));
    if (way == QLatin1String("cancel"))
        QTest::mouseClick(dialog->Command2, Qt::LeftButton);
    else if (way == QLatin1String("escape"))
        QTest::keyClick(dialog->Text1, Qt::Key_Escape);
    else
        dialog->close();

    QTRY_VERIFY(dialog.isNull());
    QVERIFY(started.main().isEnabled());
    QFile file(started.folder().iniPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);

    started.trigger(QStringLiteral("mnuData"));
    auto* again = openOne<frmDataPath>(started, "frmDataPath");
    QVERIFY(again);
    QCOMPARE(again->Text1->text(), started.folder().dbPath());
}

void tst_Dialogs::dataPathWriteFails_data()
{
    QTest::addColumn<QString>("breakage");
    QTest::newRow("Ini folder removed") << QStringLiteral("no folder");
    QTest::newRow("preferences path is a folder") << QStringLiteral("folder");
    QTest::newRow("read-only file") << QStringLiteral("read-only");
}

void tst_Dialogs::dataPathWriteFails()
{
    QFETCH(QString, breakage);
    StartedApp started;
    const QString ini = started.folder().iniPath();
    started.trigger(QStringLiteral("mnuData"));
    QPointer<frmDataPath> dialog = openOne<frmDataPath>(started, "frmDataPath");
    QVERIFY(dialog);

    if (breakage == QLatin1String("no folder")) {
        QVERIFY(QDir(started.folder().path(QStringLiteral("Ini"))).removeRecursively());
    } else if (breakage == QLatin1String("folder")) {
        QVERIFY(QFile::remove(ini));
        QVERIFY(QDir().mkpath(ini));
    } else {
        QVERIFY(QFile::setPermissions(ini, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    }

    retype(dialog->Text1, QStringLiteral("/new/place.db"));
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);

    QCOMPARE(started.messages().seen.size(), 1);
    const MessageCatcher::Seen seen = started.messages().seen.first();
    QVERIFY2(seen.text.contains(QStringLiteral("could not be stored")), qPrintable(seen.text));
    QVERIFY2(seen.text.contains(QDir::toNativeSeparators(ini)), qPrintable(seen.text));
    QCOMPARE(seen.title, QStringLiteral("Ardentry"));
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    // Nothing is lost: the dialog stays with the typed path, the main window stays disabled.
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->Text1->text(), QStringLiteral("/new/place.db"));
    QVERIFY(!started.main().isEnabled());
    if (breakage == QLatin1String("read-only"))
        QCOMPARE(storedPath(started.folder()), started.folder().dbPath());

    QTest::mouseClick(dialog->Command2, Qt::LeftButton);
    QTRY_VERIFY(dialog.isNull());
    QVERIFY(started.main().isEnabled());
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
    const QString other = started.folder().path(QStringLiteral("archive/old help desk.sqlite"));
    started.folder().writeFile(QStringLiteral("archive/old help desk.sqlite"), "SQLite format 3");
    started.trigger(QStringLiteral("mnuData"));
    QPointer<frmDataPath> dialog = openOne<frmDataPath>(started, "frmDataPath");
    QVERIFY(dialog);
    QCOMPARE(dialog->cmdBrowse->text(), QStringLiteral("Browse..."));

    QStringList filters;
    QString startFolder;
    bool asked = false;
    started.messages().onOtherDialog([&](QWidget* widget) {
        auto* chooser = qobject_cast<QFileDialog*>(widget);
        if (!chooser)
            return;
        asked = true;
        filters = chooser->nameFilters();
        startFolder = chooser->directory().absolutePath();
        if (choose) {
            chooser->selectFile(other);
            static_cast<QDialog*>(chooser)->accept(); // as the Open button does
        } else {
            chooser->reject();
        }
    });
    QTest::mouseClick(dialog->cmdBrowse, Qt::LeftButton);

    QVERIFY(asked);
    QVERIFY2(filters.size() == 2 && filters.first().contains(QStringLiteral("*.db")) &&
                 filters.first().contains(QStringLiteral("*.sqlite3")) &&
                 filters.first().contains(QStringLiteral("*.mdb")) &&
                 filters.last().contains(QStringLiteral("(*)")),
             qPrintable(filters.join(QStringLiteral(" | "))));
    // It starts in the folder of the path in the box.
    QCOMPARE(startFolder, QFileInfo(started.folder().dbPath()).absolutePath());
    QCOMPARE(dialog->Text1->text(),
             choose ? QDir::toNativeSeparators(other) : started.folder().dbPath());
    // Choosing a file stores nothing yet.
    QCOMPARE(storedPath(started.folder()), started.folder().dbPath());
    QVERIFY(dialog->isVisible());

    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QCOMPARE(storedPath(started.folder()),
             choose ? QDir::toNativeSeparators(other) : started.folder().dbPath());
}

// ---- Customize Labels ----

void tst_Dialogs::labelsClosing_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("kept");   // hidden and kept rather than destroyed
    QTest::addColumn<bool>("stored"); // the edit reaches the table
    QTest::newRow("OK") << QStringLiteral("ok") << true << true;
    QTest::newRow("Enter") << QStringLiteral("enter") << true << true;
    QTest::newRow("Cancel") << QStringLiteral("cancel") << true << false;
    QTest::newRow("Escape") << QStringLiteral("escape") << true << false;
    QTest::newRow("title bar") << QStringLiteral("title bar") << false << false;
}

void tst_Dialogs::labelsClosing()
{
    QFETCH(QString, way);
    QFETCH(bool, kept);
    QFETCH(bool, stored);
    StartedApp started;
    started.folder().exec(QStringLiteral("UPDATE Customize SET Labels = 'Kind:' WHERE ID = 2"));
    started.trigger(QStringLiteral("mnuLabels"));
    QPointer<frmCustomizeLabels> dialog =
        openOne<frmCustomizeLabels>(started, "frmCustomizeLabels");
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Customize Labels"));
    for (int k = 0; k < 6; ++k)
        QCOMPARE(dialog->Label[k]->text(), Defaults.at(k));
    QStringList shown = AsCreated;
    shown[1] = QStringLiteral("Kind:");
    QCOMPARE(boxTexts(*dialog), shown);
    QVERIFY(started.main().isEnabled()); // the main window stays usable
    QVERIFY(started.main().action(QStringLiteral("mnuNext"))->isEnabled());

    retype(dialog->Text[2], QStringLiteral("Written By:"));
    if (way == QLatin1String("ok"))
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    else if (way == QLatin1String("enter"))
        QTest::keyClick(dialog->Text[2], Qt::Key_Return);
    else if (way == QLatin1String("cancel"))
        QTest::mouseClick(dialog->Command2, Qt::LeftButton);
    else if (way == QLatin1String("escape"))
        QTest::keyClick(dialog->Text[2], Qt::Key_Escape);
    else
        dialog->close();

    QVERIFY(!dialog || !dialog->isVisible());
    if (kept) {
        QTest::qWait(20);
        QVERIFY(dialog);
    } else {
        QTRY_VERIFY(dialog.isNull());
    }
    QVERIFY(started.main().isEnabled());
    QStringList expected = shown;
    if (stored)
        expected[2] = QStringLiteral("Written By:");
    QCOMPARE(customizeLabels(started.folder()), expected);

    started.trigger(QStringLiteral("mnuLabels"));
    auto* again = openOne<frmCustomizeLabels>(started, "frmCustomizeLabels");
    QVERIFY(again && again->isVisible());
    if (kept)
        QCOMPARE(again, dialog.data());
    QCOMPARE(again->Text[2]->text(),
             kept ? QStringLiteral("Written By:") : QStringLiteral("Entered By:"));
}

void tst_Dialogs::labelsResetThenCancel()
{
    StartedApp started;
    started.trigger(QStringLiteral("mnuLabels"));
    auto* dialog = openOne<frmCustomizeLabels>(started, "frmCustomizeLabels");
    QVERIFY(dialog);
    QCOMPARE(dialog->Text[4]->text(), QStringLiteral("Problem Description:"));
    QTest::mouseClick(dialog->Command3, Qt::LeftButton);
    QCOMPARE(boxTexts(*dialog), Defaults);
    QCOMPARE(customizeLabels(started.folder()), AsCreated); // nothing written yet
    QTest::mouseClick(dialog->Command2, Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(customizeLabels(started.folder()), AsCreated);

    started.trigger(QStringLiteral("mnuLabels"));
    QCOMPARE(openOne<frmCustomizeLabels>(started, "frmCustomizeLabels"), dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(boxTexts(*dialog), Defaults);
    // A later OK stores what the boxes hold.
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QCOMPARE(customizeLabels(started.folder()), Defaults);
}

void tst_Dialogs::labelsShowAtNextLoadOfArticleForm()
{
    StartedApp started;
    frmMain& main = started.main();
    QCOMPARE(main.display().lblProblemNo->text(), QStringLiteral("AR Number:"));
    started.trigger(QStringLiteral("mnuLabels"));
    auto* dialog = openOne<frmCustomizeLabels>(started, "frmCustomizeLabels");
    QVERIFY(dialog);
    retype(dialog->Text[0], QStringLiteral("Ticket:"));
    retype(dialog->Text[5], QString()); // an empty text is stored as typed
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QVERIFY(started.messages().seen.isEmpty());
    QCOMPARE(started.folder().scalar(QStringLiteral("SELECT Labels FROM Customize WHERE ID = 1")),
             QVariant(QStringLiteral("Ticket:")));
    QCOMPARE(started.folder().scalar(QStringLiteral("SELECT Labels FROM Customize WHERE ID = 6")),
             QVariant(QString()));

    // Not at once ...
    QCOMPARE(main.display().lblProblemNo->text(), QStringLiteral("AR Number:"));
    QCOMPARE(main.display().lblSolution->text(), QStringLiteral("Solution:"));
    // ... but at the next load of the article form.
    main.unloadDisplay();
    main.display();
    QCOMPARE(main.display().lblProblemNo->text(), QStringLiteral("Ticket:"));
    QCOMPARE(main.display().lblSolution->text(), QString());
    QCOMPARE(main.display().lblProblem->text(), QStringLiteral("Problem Description:"));
}

void tst_Dialogs::labelsFewerThanSixRows_data()
{
    QTest::addColumn<QList<int>>("ids"); // the rows that the table holds
    QTest::addColumn<QList<int>>("idsAfter");
    QTest::newRow("no rows") << QList<int>{} << QList<int>{1, 2, 3, 4, 5, 6};
    QTest::newRow("four rows") << QList<int>{1, 2, 3, 4} << QList<int>{1, 2, 3, 4, 5, 6};
    QTest::newRow("five rows") << QList<int>{1, 2, 3, 4, 5} << QList<int>{1, 2, 3, 4, 5, 6};
    // New rows sort after the rows already there.
    QTest::newRow("gaps in the IDs") << QList<int>{2, 7, 9} << QList<int>{2, 7, 9, 10, 11, 12};
}

void tst_Dialogs::labelsFewerThanSixRows()
{
    QFETCH(QList<int>, ids);
    QFETCH(QList<int>, idsAfter);
    StartedApp started;
    TestFolder& folder = started.folder();
    folder.exec(QStringLiteral("DELETE FROM Customize"));
    QStringList shown = Defaults;
    for (int k = 0; k < ids.size(); ++k) {
        shown[k] = QStringLiteral("Stored %1:").arg(k + 1);
        folder.exec(QStringLiteral("INSERT INTO Customize (ID, Labels) VALUES (?, ?)"),
                    {ids.at(k), shown.at(k)});
    }

    started.trigger(QStringLiteral("mnuLabels"));
    auto* dialog = openOne<frmCustomizeLabels>(started, "frmCustomizeLabels");
    QVERIFY(dialog);
    QVERIFY(started.messages().seen.isEmpty());
    QCOMPARE(boxTexts(*dialog), shown);

    retype(dialog->Text[5], QStringLiteral("Fix:"));
    shown[5] = QStringLiteral("Fix:");
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QVERIFY2(started.messages().seen.isEmpty(), qPrintable(started.messages().texts().join("|")));
    QVERIFY(!dialog->isVisible());
    QCOMPARE(customizeLabels(folder), shown);
    QList<int> idsStored;
    for (const QVariantList& row :
         folder.rows(QStringLiteral("SELECT ID FROM Customize ORDER BY ID")))
        idsStored << row.value(0).toInt();
    QCOMPARE(idsStored, idsAfter);

    // A second OK changes the rows now there and adds none.
    started.trigger(QStringLiteral("mnuLabels"));
    retype(dialog->Text[0], QStringLiteral("No.:"));
    shown[0] = QStringLiteral("No.:");
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QCOMPARE(customizeLabels(folder), shown);

    // The article form takes the rows at its next load.
    started.main().unloadDisplay();
    QCOMPARE(started.display().lblProblemNo->text(), QStringLiteral("No.:"));
    QCOMPARE(started.display().lblSolution->text(), QStringLiteral("Fix:"));
}

void tst_Dialogs::labelsSeventhRowUntouched()
{
    StartedApp started;
    TestFolder& folder = started.folder();
    folder.exec(QStringLiteral("INSERT INTO Customize (ID, Labels) VALUES (7, 'Extra:')"));
    started.trigger(QStringLiteral("mnuLabels"));
    auto* dialog = openOne<frmCustomizeLabels>(started, "frmCustomizeLabels");
    QVERIFY(dialog);
    QCOMPARE(boxTexts(*dialog), AsCreated);
    QStringList typed;
    for (int k = 0; k < 6; ++k) {
        typed << QStringLiteral("Label %1:").arg(k + 1);
        retype(dialog->Text[k], typed.last());
    }
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QVERIFY(started.messages().seen.isEmpty());
    QCOMPARE(customizeLabels(folder), typed + QStringList{QStringLiteral("Extra:")});
}

void tst_Dialogs::labelsWriteFailsPartWay()
{
    StartedApp started;
    TestFolder& folder = started.folder();
    folder.exec(QStringLiteral("CREATE TRIGGER refuse_third BEFORE UPDATE ON Customize "
                               "WHEN OLD.ID = 3 BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    started.trigger(QStringLiteral("mnuLabels"));
    auto* dialog = openOne<frmCustomizeLabels>(started, "frmCustomizeLabels");
    QVERIFY(dialog);
    QStringList typed;
    for (int k = 0; k < 6; ++k) {
        typed << QStringLiteral("New %1:").arg(k + 1);
        retype(dialog->Text[k], typed.last());
    }
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);

    QCOMPARE(started.messages().seen.size(), 1);
    const QString text = started.messages().seen.first().text;
    QVERIFY2(text.contains(QStringLiteral("\"Entered By:\" could not be saved")), qPrintable(text));
    // The rows before the failing one are stored, the others are as they were.
    QStringList expected = AsCreated;
    expected[0] = typed[0];
    expected[1] = typed[1];
    QCOMPARE(customizeLabels(folder), expected);
    QVERIFY(dialog->isVisible());
    QCOMPARE(boxTexts(*dialog), typed);
    QVERIFY(!started.app().rsAux.isOpen());

    // Once the database takes it, the same OK stores everything.
    folder.exec(QStringLiteral("DROP TRIGGER refuse_third"));
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QCOMPARE(started.messages().seen.size(), 1);
    QCOMPARE(customizeLabels(folder), typed);
    QVERIFY(!dialog->isVisible());
}

void tst_Dialogs::labelsTableMissing()
{
    StartedApp started;
    started.folder().exec(QStringLiteral("ALTER TABLE Customize RENAME TO Gone"));
    started.trigger(QStringLiteral("mnuLabels"));
    auto* dialog = openOne<frmCustomizeLabels>(started, "frmCustomizeLabels");
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(started.messages().seen.size(), 1);
    QVERIFY(started.messages().seen.first().text.contains(QStringLiteral("could not be read")));
    QCOMPARE(boxTexts(*dialog), Defaults);

    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QCOMPARE(started.messages().seen.size(), 2);
    QVERIFY(started.messages().seen.last().text.contains(QStringLiteral("could not be saved")));
    QVERIFY(dialog->isVisible());
    QVERIFY(!started.app().rsAux.isOpen());
}

// ---- General Information ----

void tst_Dialogs::generalLines_data()
{
    QTest::addColumn<QString>("ini"); // "stored", "long", "no key", "no file"
    QTest::newRow("stored path") << QStringLiteral("stored");
    QTest::newRow("120 characters") << QStringLiteral("long");
    QTest::newRow("no key") << QStringLiteral("no key");
    QTest::newRow("no file") << QStringLiteral("no file");
}

void tst_Dialogs::generalLines()
{
    QFETCH(QString, ini);
    StartedApp started;
    QString expectedPath = started.folder().dbPath();
    if (ini == QLatin1String("long")) {
        expectedPath = longPath();
        started.folder().writeFile(QStringLiteral("Ini/arprefs.ini"),
                                   ("[General]\nPath=" + longPath() + "\n").toUtf8());
    } else if (ini == QLatin1String("no key")) {
        expectedPath.clear();
        started.folder().writeFile(QStringLiteral("Ini/arprefs.ini"), "[General]\n");
    } else if (ini == QLatin1String("no file")) {
        expectedPath.clear();
        QVERIFY(QFile::remove(started.folder().iniPath()));
    }

    started.trigger(QStringLiteral("mnuGen"));
    auto* window = openOne<General>(started, "General");
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("General Information"));
    QCOMPARE(window->Label1->text(), QStringLiteral("Database path:"));
    QCOMPARE(window->Label3->text(), QStringLiteral("Number of database records:"));
    QCOMPARE(window->Label5->text(), QStringLiteral("Database Engine:"));
    QCOMPARE(window->Label7->text(), QStringLiteral("Database Structure:"));
    QCOMPARE(window->Label2->text(), expectedPath);
    QCOMPARE(window->Label4->text(), QStringLiteral("1"));
    const QString engine = window->Label6->text();
    QCOMPARE(engine, QStringLiteral("SQLite ") + started.app().dbConnection.engineVersion());
    QVERIFY2(QRegularExpression(QStringLiteral("^SQLite 3\\.\\d+\\.\\d+")).match(engine).hasMatch(),
             qPrintable(engine));
    QCOMPARE(window->Label8->text(), QStringLiteral("SQLite 3 database file"));
    QCOMPARE(window->Command1->text(), QStringLiteral("&OK"));
    QVERIFY(!started.main().isEnabled());
    QVERIFY(started.messages().seen.isEmpty());
}

void tst_Dialogs::generalCountUnderFilter_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("count");
    QTest::newRow("no filter") << QString() << QStringLiteral("12");
    QTest::newRow("problem text") << QStringLiteral("Problem LIKE #*1*#") << QStringLiteral("4");
    QTest::newRow("number") << QStringLiteral("ID = #5#") << QStringLiteral("1");
    QTest::newRow("no match") << QStringLiteral("Problem LIKE #*zz*#") << QStringLiteral("0");
}

void tst_Dialogs::generalCountUnderFilter()
{
    QFETCH(QString, filter);
    QFETCH(QString, count);
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(12);
    StartedApp started(folder);
    started.app().rsMain.setFilter(filter);

    started.trigger(QStringLiteral("mnuGen"));
    auto* window = openOne<General>(started, "General");
    QVERIFY(window);
    QCOMPARE(window->Label4->text(), count);
}

void tst_Dialogs::generalCountTakenOnce()
{
    StartedApp started;
    TestFolder& folder = started.folder();
    started.trigger(QStringLiteral("mnuGen"));
    QPointer<General> window = openOne<General>(started, "General");
    QVERIFY(window);
    QCOMPARE(window->Label4->text(), QStringLiteral("1"));

    folder.exec(QStringLiteral("INSERT INTO AR (ID, Problem, solution) VALUES (2, 'p', 's')"));
    started.app().ReloadArticles();
    QCOMPARE(started.app().rsMain.recordCount(), 2);
    window->hide();
    window->show();
    QTest::qWait(20);
    QCOMPARE(window->Label4->text(), QStringLiteral("1"));

    QTest::mouseClick(window->Command1, Qt::LeftButton);
    QTRY_VERIFY(window.isNull());
    started.trigger(QStringLiteral("mnuGen"));
    auto* again = openOne<General>(started, "General");
    QVERIFY(again);
    QCOMPARE(again->Label4->text(), QStringLiteral("2"));
}

// ---- About ----

void tst_Dialogs::about()
{
    StartedApp started;
    started.trigger(QStringLiteral("mnuAbout"));
    auto* box = openOne<frmAbout>(started, "frmAbout");
    QVERIFY(box && box->isVisible());
    QCOMPARE(box->windowTitle(), QStringLiteral("About Ardentry"));
    QCOMPARE(box->Label1->text(), QStringLiteral("Ardentry"));
    QCOMPARE(box->Label2->text(), QStringLiteral("Version 1.1"));
    QCOMPARE(box->Label5->text(), QStringLiteral("Build 53"));
    QCOMPARE(box->Label6->text(), QStringLiteral("January 23, 2006"));
    QCOMPARE(box->Command1->text(), QStringLiteral("&OK"));
    QVERIFY(box->Frame1->isAncestorOf(box->Label1));
    QVERIFY(box->Frame1->isAncestorOf(box->Label2));
    QVERIFY(box->Frame1->title().isEmpty());
    QVERIFY(!box->Image1->pixmap().isNull());
    QVERIFY(!started.main().isEnabled());
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
    started.trigger(QStringLiteral("mnuLabels"));
    auto* labels = openOne<frmCustomizeLabels>(started, "frmCustomizeLabels");
    QVERIFY(labels);

    started.trigger(command);
    started.trigger(command); // a second command raises the open window
    const QList<QWidget*> open = main.findChildren<QWidget*>(window, Qt::FindDirectChildrenOnly);
    QCOMPARE(open.size(), 1);
    QPointer<QWidget> dialog = open.first();
    QVERIFY(dialog->isVisible());
    QVERIFY(!main.isEnabled());
    QVERIFY(dialog->isEnabled());
    QVERIFY(labels->isEnabled());

    auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("Command1"));
    QVERIFY(ok);
    if (way == QLatin1String("OK")) {
        QTest::mouseClick(ok, Qt::LeftButton);
    } else if (way == QLatin1String("Cancel")) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Command2")),
                          Qt::LeftButton);
    } else if (way == QLatin1String("Enter")) {
        pressKey(dialog, Qt::Key_Return);
    } else if (way == QLatin1String("Escape")) {
        pressKey(dialog, Qt::Key_Escape);
    } else {
        dialog->close();
    }
    QVERIFY(main.isEnabled());
    QVERIFY(!dialog || !dialog->isVisible());
    QVERIFY(started.messages().seen.isEmpty());

    // A fresh one opens next time, even at once, and disables the main window again.
    started.trigger(command);
    QTRY_VERIFY(dialog.isNull());
    const QList<QWidget*> reopened =
        main.findChildren<QWidget*>(window, Qt::FindDirectChildrenOnly);
    QCOMPARE(reopened.size(), 1);
    QVERIFY(reopened.first()->isVisible());
    QVERIFY(!main.isEnabled());
}

QTEST_MAIN(tst_Dialogs)
#include "tst_dialogs.moc"
