// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestSupport.h"

#include "app/frmMain.h"
#include "articles/frmDisplay.h"
#include "common/SingleInstance.h"
#include "core/Backup.h"
#include "core/History.h"
#include "core/ProfileFile.h"
#include "core/Schema.h"
#include "core/mdlMain.h"
#include "history/WordDiff.h"
#include "history/frmHistory.h"
#include "history/frmTrash.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStyle>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>

#include <cmath>

namespace
{

using Engine = TestFolder::Engine;
constexpr Engine kEngines[] = {Engine::File, Engine::Server};

// A data row named after its engine ("file: ..." or "server: ..."), the engine filled in.
QTestData& row(Engine engine, const char* name)
{
    return QTest::addRow("%s: %s", TestFolder::engineName(engine), name) << engine;
}

std::shared_ptr<TestFolder> folderWith(int articles, const NewDatabaseOptions& options = {},
                                       Engine engine = Engine::File)
{
    auto folder = std::make_shared<TestFolder>(options, engine);
    if (articles > 0)
        folder->fillArticles(articles);
    return folder;
}

// Presses a key combination into the control that has the focus, as the user does.
void press(const QString& keys)
{
    const QKeyCombination key = QKeySequence(keys)[0];
    QVERIFY(QApplication::focusWidget());
    QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
}

// One value read from another database file, as another program would.
QVariant scalarIn(const QString& path, const QString& sql)
{
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "other-file");
        db.setDatabaseName(path);
        QSqlQuery query(db);
        if (db.open() && query.exec(sql) && query.next())
            value = query.value(0);
    }
    QSqlDatabase::removeDatabase("other-file");
    return value;
}

void activate(StartedApp& started)
{
    started.main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&started.main()));
}

// The texts the compare view strikes through (gone) and those it shows on a coloured ground
// (came in), in reading order.
QStringList marked(QTextBrowser* view, bool gone)
{
    QStringList found;
    for (QTextBlock block = view->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            const bool coloured = format.background().style() != Qt::NoBrush;
            if (coloured && format.fontStrikeOut() == gone)
                found << it.fragment().text().trimmed();
        }
    }
    return found;
}

// WCAG's contrast ratio of two colours: 1 (the same) to 21 (black on white).
double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The highlighted texts of `formats` whose text, in its own colour or the palette's, is hard to
// read on their ground (below WCAG's 4.5).
QStringList unreadable(const QList<std::pair<QString, QTextCharFormat>>& formats)
{
    QStringList found;
    const QColor text = QApplication::palette().color(QPalette::Text);
    for (const auto& [shown, format] : formats) {
        const QColor ink =
            format.foreground().style() == Qt::NoBrush ? text : format.foreground().color();
        if (contrast(ink, format.background().color()) < 4.5)
            found << shown;
    }
    return found;
}

QStringList visibleRows(QTreeWidget* list, int column)
{
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (!list->topLevelItem(i)->isHidden())
            rows << list->topLevelItem(i)->text(column);
    }
    return rows;
}

} // namespace

class tst_HistoryWindows : public QObject
{
    Q_OBJECT
private slots:
    void startMakesCopyThenUpgrades_data();
    void startMakesCopyThenUpgrades();
    void historyAndRestore_data();
    void historyAndRestore();
    void trashRestore_data();
    void trashRestore();
    void emptyTrash();
    void backUpCommand_data();
    void backUpCommand();
    void copyBeforeQuickSearchIndex_data();
    void copyBeforeQuickSearchIndex();
    void highlightsReadable_data();
    void highlightsReadable();
};

void tst_HistoryWindows::startMakesCopyThenUpgrades_data()
{
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<bool>("blocked"); // a file named "backups" is in the way
    QTest::addColumn<int>("kept");     // the preferences' BackupCopies, 0: none given
    row(Engine::File, "copy made") << false << 0;
    // Three older copies and the leftovers of an interrupted one are there already.
    row(Engine::File, "copy made, older ones pruned") << false << 2;
    row(Engine::File, "copy impossible") << true << 0;
    // The server's administrator backs it up: no copy and no word about one.
    row(Engine::Server, "no copy of a server") << false << 0;
}

void tst_HistoryWindows::startMakesCopyThenUpgrades()
{
    QFETCH(Engine, engine);
    QFETCH(bool, blocked);
    QFETCH(int, kept);
    auto folder = folderWith(2, {}, engine);
    if (blocked)
        folder->writeFile("backups", "in the way");
    const QString stem = "backups/" + QFileInfo(folder->dbPath()).completeBaseName();
    const QString suffix = "." + QFileInfo(folder->dbPath()).suffix();
    const QStringList leftovers = {stem + "-2020-01-04-101010" + suffix + ".part",
                                   stem + "-2020-01-04-101010" + suffix + ".part-journal"};
    if (kept > 0) {
        for (const char* day : {"01", "02", "03"})
            folder->writeFile(stem + "-2020-01-" + day + "-101010" + suffix, "an older copy");
        for (const QString& leftover : leftovers)
            folder->writeFile(leftover, "unfinished");
        QVERIFY(ProfileFile(folder->iniPath()).write("General", "BackupCopies", "2"));
    }
    StartedApp started(folder);
    QCOMPARE(started.startStatus(), 0);
    QVERIFY(schema::has(started.app().dbConnection.database(), schema::History));
    const QStringList copies = backup::automaticCopies(folder->dbPath());
    if (engine == Engine::Server) {
        QCOMPARE(started.messages().texts(), QStringList());
        QVERIFY(!QFileInfo::exists(folder->path("backups")));
        return;
    }
    if (blocked) {
        QCOMPARE(started.messages().texts().size(), 1);
        QVERIFY(started.messages().texts().first().contains("automatic backup"));
    } else {
        QCOMPARE(started.messages().texts(), QStringList());
        QCOMPARE(copies.size(), kept > 0 ? kept : 1);
        for (const QString& leftover : leftovers)
            QVERIFY2(!QFileInfo::exists(folder->path(leftover)), qPrintable(leftover));
        // Taken before the upgrade.
        QCOMPARE(scalarIn(copies.first(), "PRAGMA user_version").toInt() & schema::History, 0);
    }
    started.trigger("mnuGen");
    auto* shown = findWidget<QLabel>("Label10");
    QVERIFY(shown);
    QCOMPARE(shown->text().left(10),
             blocked ? QString("none yet") : QDate::currentDate().toString("yyyy-MM-dd"));
    const QString copiesShown = findWidget<QLabel>("Label12")->text();
    QVERIFY2(copiesShown.startsWith(blocked ? "0 of 7 kept, "
                                    : kept  ? "2 of 2 kept, "
                                            : "1 of 7 kept, "),
             qPrintable(copiesShown));
}

void tst_HistoryWindows::historyAndRestore_data()
{
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<QString>("filter");
    for (const Engine engine : kEngines) {
        row(engine, "all articles") << "";
        row(engine, "under a search filter") << "Problem LIKE #*Problem*#";
    }
}

void tst_HistoryWindows::historyAndRestore()
{
    QFETCH(Engine, engine);
    QFETCH(QString, filter);
    auto folder = folderWith(3, {}, engine);
    StartedApp started(folder);
    RecordSet& rs = started.app().rsMain;
    if (!filter.isEmpty())
        rs.setFilter(filter);
    rs.moveFirst();
    rs.moveNext();
    started.main().ShowCurrentRecord();
    activate(started);
    started.type("txtTitle", "Title two");
    press("Ctrl+S");
    started.type("txtSolution", "Fixed 2");
    press("Ctrl+S");
    started.messages().clear();

    press("Ctrl+H");
    auto* window = SingleInstance::loaded<frmHistory>(&started.main());
    QVERIFY(window && window->isVisible() && !started.main().isEnabled());
    QCOMPARE(visibleRows(window->lstVersions, 2), QStringList({"Solution", "Title"}));
    QCOMPARE(visibleRows(window->lstVersions, 1),
             QStringList(2, history::loginName().isEmpty() ? "unknown" : history::loginName()));
    QCOMPARE(marked(window->txtCompare, true), QStringList{"Solution"});
    QCOMPARE(marked(window->txtCompare, false), QStringList{"Fixed"});
    QTRY_COMPARE(QApplication::focusWidget(), window->lstVersions);
    press("Down"); // the version before the first save
    QCOMPARE(marked(window->txtCompare, true), QStringList({"2", "Solution"}));
    QCOMPARE(marked(window->txtCompare, false), QStringList({"two", "Fixed"}));

    started.messages().answer(QMessageBox::Yes);
    QTest::mouseClick(window->cmdRestore, Qt::LeftButton);
    QCOMPARE(started.messages().texts().size(), 2);
    QCOMPARE(started.messages().texts().last(), QString("Article successfully restored."));
    QCOMPARE(folder->rows("SELECT Title || '|' || solution FROM AR WHERE ID = 2").value(0),
             QVariantList{"Title 2|Solution 2"});
    QCOMPARE(window->lstVersions->topLevelItemCount(), 3); // the restore can be undone too
    QCOMPARE(started.text("txtTitle"), QString("Title 2"));
    QCOMPARE(started.display().shownPosition(), QString("2"));
    QCOMPARE(rs.filter(), filter);
    press("Escape");
    QTRY_VERIFY(!SingleInstance::loaded<frmHistory>(&started.main()));
    QVERIFY(started.main().isEnabled());
}

void tst_HistoryWindows::trashRestore_data()
{
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QString>("number");
    for (const Engine engine : kEngines) {
        row(engine, "own number") << false << "2";
        row(engine, "number taken meanwhile") << true << "77";
    }
}

void tst_HistoryWindows::trashRestore()
{
    QFETCH(Engine, engine);
    QFETCH(bool, taken);
    QFETCH(QString, number);
    auto folder = folderWith(3, {}, engine);
    StartedApp started(folder);
    activate(started);
    press("Ctrl+F3"); // article 2
    press("Ctrl+D");  // the question takes its default, Yes
    QCOMPARE(started.messages().texts().last(), QString("Article deleted."));
    if (taken)
        folder->exec("UPDATE AR SET ID = 2 WHERE ID = 3");
    started.trigger("mnuTrash");
    auto* window = SingleInstance::loaded<frmTrash>(&started.main());
    QVERIFY(window && window->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), window->txtSearch);
    QTest::keyClicks(window->txtSearch, "TITLE 9");
    QCOMPARE(visibleRows(window->lstTrash, 0), QStringList());
    QVERIFY(!window->cmdRestore->isEnabled());
    QTest::keyClick(window->txtSearch, Qt::Key_Backspace);
    QTest::keyClicks(window->txtSearch, "2");
    QCOMPARE(visibleRows(window->lstTrash, 1), QStringList{"Title 2"});
    started.messages().onOtherDialog([](QWidget* dialog) {
        auto* ask = qobject_cast<QInputDialog*>(dialog);
        QVERIFY(ask);
        ask->setTextValue("77");
        ask->accept();
    });
    QTest::mouseClick(window->cmdRestore, Qt::LeftButton);
    QCOMPARE(started.messages().texts().last(), QString("Article %1 was restored.").arg(number));
    QCOMPARE(folder->scalar("SELECT Title FROM AR WHERE ID = ?", {number}).toString(),
             QString("Title 2"));
    QCOMPARE(folder->scalar("SELECT count(*) FROM ardentry_trash").toInt(), 0);
    QCOMPARE(started.text("txtID"), number);
    QCOMPARE(window->lstTrash->topLevelItemCount(), 0);
}

void tst_HistoryWindows::emptyTrash()
{
    auto folder = folderWith(3);
    StartedApp started(folder);
    folder->exec("DELETE FROM AR WHERE ID < 3");
    started.trigger("mnuTrash");
    auto* window = SingleInstance::loaded<frmTrash>(&started.main());
    QVERIFY(window);
    QCOMPARE(window->lstTrash->topLevelItemCount(), 2);
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        started.messages().answer(answer);
        QTest::mouseClick(window->cmdEmptyTrash, Qt::LeftButton);
        QVERIFY(started.messages().seen.last().text.contains("gone for good"));
        const int left = answer == QMessageBox::Yes ? 0 : 2;
        QCOMPARE(folder->scalar("SELECT count(*) FROM ardentry_trash").toInt(), left);
        QCOMPARE(window->lstTrash->topLevelItemCount(), left);
    }
}

void tst_HistoryWindows::backUpCommand_data()
{
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<int>("articles");   // generated, of about 2 KB each
    QTest::addColumn<QString>("during"); // what the user does while the copy is made
    QTest::addColumn<QString>("said");
    row(Engine::File, "small file, at once") << 0 << ""
                                             << "is sound";
    row(Engine::File, "big file, the user works on") << 3000 << "Ctrl+F3"
                                                     << "is sound";
    row(Engine::File, "big file, cancelled") << 3000 << "cancel"
                                             << "cancelled";
    // No file is asked for: the server's administrator backs it up.
    row(Engine::Server, "a server is not copied") << 0 << ""
                                                  << "pg_dump";
}

void tst_HistoryWindows::backUpCommand()
{
    QFETCH(Engine, engine);
    QFETCH(int, articles);
    QFETCH(QString, during);
    QFETCH(QString, said);
    auto folder = folderWith(0, {false, articles}, engine);
    StartedApp started(folder);
    activate(started);
    const QString target = folder->path("mine.db");
    int asked = 0;
    started.messages().onOtherDialog([&](QWidget* dialog) {
        ++asked;
        auto* chooser = qobject_cast<QFileDialog*>(dialog);
        QVERIFY(chooser);
        chooser->selectFile(target);
        static_cast<QDialog*>(chooser)->accept();
    });
    started.messages().clear();
    started.trigger("mnuBackup");
    auto* progress = findWidget<QProgressDialog>("dlgBackupProgress");
    QCOMPARE(progress && progress->isVisible(), !during.isEmpty());
    if (during == "cancel") {
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    } else if (!during.isEmpty()) {
        press(during);
        QCOMPARE(started.text("txtID"), QString("2"));
    }
    QTRY_COMPARE(started.messages().texts().size(), 1);
    QVERIFY2(started.messages().texts().first().contains(said),
             qPrintable(started.messages().texts().first()));
    QCOMPARE(asked, engine == Engine::File ? 1 : 0);
    QVERIFY(!QFileInfo::exists(target + ".part"));
    QCOMPARE(QFileInfo::exists(target), said == "is sound");
    if (QFileInfo::exists(target))
        QCOMPARE(scalarIn(target, "SELECT count(*) FROM AR"),
                 folder->scalar("SELECT count(*) FROM AR"));
}

void tst_HistoryWindows::copyBeforeQuickSearchIndex_data()
{
    QTest::addColumn<Engine>("engine");
    for (const Engine engine : kEngines)
        row(engine, "index built on first use");
}

void tst_HistoryWindows::copyBeforeQuickSearchIndex()
{
    // A file gets a copy before the index changes its structure; a server gets none, and no
    // word about one either.
    QFETCH(Engine, engine);
    auto folder = folderWith(2, {false, 0, false}, engine);
    StartedApp started(folder);
    const int copies = int(backup::automaticCopies(folder->dbPath()).size());
    started.messages().clear();
    started.trigger("mnuQuickSearch");
    auto* box = findWidget<QLineEdit>("txtQuickSearch");
    QVERIFY(box);
    QTest::keyClicks(box, "Problem");
    QTRY_COMPARE(findWidget<QTreeWidget>("lstResults")->topLevelItemCount(), 2);
    QCOMPARE(started.messages().texts().size(), 1); // the question before the index
    QCOMPARE(backup::automaticCopies(folder->dbPath()).size(),
             engine == Engine::File ? copies + 1 : 0);
    QCOMPARE(QFileInfo::exists(folder->path("backups")), engine == Engine::File);
}

void tst_HistoryWindows::highlightsReadable_data()
{
    QTest::addColumn<bool>("dark");
    QTest::newRow("light palette") << false;
    QTest::newRow("dark palette") << true;
}

// The compare view's changed words and the article form's search marks stay readable whatever the
// desktop's colours.
void tst_HistoryWindows::highlightsReadable()
{
    QFETCH(bool, dark);
    const QPalette before = QApplication::palette();
    QPalette palette = QApplication::style()->standardPalette();
    if (dark) { // as Fusion's dark schemes (qt6ct's "darker") have it
        for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
            palette.setColor(role, QColor(0x2a, 0x2a, 0x2a));
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(role, QColor(0xee, 0xee, 0xee));
    }
    QApplication::setPalette(palette);
    const auto restore = qScopeGuard([&before] { QApplication::setPalette(before); });

    QList<std::pair<QString, QTextCharFormat>> formats;
    const worddiff::Marked diff = worddiff::compare("printer offline", "printer online");
    QTextDocument compared;
    compared.setHtml(diff.before + "<br/>" + diff.after);
    for (QTextBlock block = compared.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().background().style() != Qt::NoBrush)
                formats.append({it.fragment().text(), it.fragment().charFormat()});
        }
    }
    auto folder = folderWith(2);
    StartedApp started(folder);
    const QString filter = "Problem LIKE #*Problem*#";
    started.app().rsMain.setFilter(filter);
    started.main().ShowCurrentRecord();
    started.display().setSearchMarks(frmDisplay::MarkedBox::Problem, "Problem", filter);
    for (const QTextEdit::ExtraSelection& mark :
         started.control<QPlainTextEdit>("txtProblem")->extraSelections())
        formats.append({mark.cursor.selectedText(), mark.format});
    QCOMPARE(formats.size(), 3); // the changed words and the mark
    QCOMPARE(unreadable(formats), QStringList());
}

QTEST_MAIN(tst_HistoryWindows)
#include "tst_historywindows.moc"
