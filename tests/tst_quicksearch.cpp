// SPDX-License-Identifier: GPL-3.0-or-later
// The quick search: its query language and ranking, an index that every writer keeps right, an
// index build that is all or nothing, and the box and results driven by keys.
#include "tests/TestSupport.h"

#include "app/frmMain.h"
#include "core/Connection.h"
#include "core/QuickSearch.h"
#include "core/Schema.h"
#include "core/mdlMain.h"

#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>

#include <algorithm>

namespace
{
// Articles whose words the queries below look for: ID, Title, Problem, Solution, Category.
const char* const Articles[][5] = {
    {"11", "Printer offline", "The printer shows offline", "Restart the spooler", "Printing"},
    {"12", "Toner streaks", "Pages have streaks from the printer", "Replace the toner", "Printing"},
    {"13", "Mail stuck", "Outbox holds mail",
     "Check the printer queue? No: the SMTP relay (https://smtp.example.com/relay)", "Email"},
    {"14", "Résumé template", "Where is the résumé template", "In the HR share", "Software"},
    {"15", "Paper jam", "Paper jam in tray 2", "Open the rear door", "Hardware"},
    {"16", "Jam paper", "Tray 2: paper (jam)", "AND OR NEAR are words here: title: -x", "Hardware"},
    {"18", "Slow login", "The scanner settings hang at login", "Reinstall the driver", "Software"},
    {"19", "Scanner settings", "Where are the settings kept", "In the control panel", "Software"},
    {"21", "C++ runtime", "The C++ library is missing", "Install it", "Software"},
    {"22", "Cable", "Can take a minute", "Cannot print", "Hardware"},
};

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void fill(TestFolder& folder)
{
    folder.exec("DELETE FROM AR");
    for (const auto& a : Articles)
        folder.exec("INSERT INTO AR (ID, Title, Problem, solution, CUName) VALUES (?, ?, ?, ?, ?)",
                    {QString(a[0]).toInt(), QString::fromUtf8(a[1]), a[2], a[3], a[4]});
}

QStringList ids(const quicksearch::Result& result)
{
    QStringList found;
    for (const auto& hit : result.hits)
        found << hit.id;
    return found;
}
// The database as an earlier version made its index: without the index of neighbouring words.
void withoutPairs(Connection& connection)
{
    const bool server = connection.isServer();
    QSqlQuery drop(connection.database());
    for (const char* sql :
         server ? QList<const char*>{"DROP TABLE ardentry_pairs CASCADE",
                                     "DROP FUNCTION ardentry_pairs_row, ardentry_search_pairs, "
                                     "ardentry_pairs_query CASCADE",
                                     "UPDATE ardentry_schema SET additions = additions - 64"}
                : QList<const char*>{
                      "DROP TABLE ardentry_pairs", "DROP TABLE ardentry_pairs_pending",
                      "DROP TRIGGER ardentry_pairs_insert", "DROP TRIGGER ardentry_pairs_update",
                      "DROP TRIGGER ardentry_pairs_delete"})
        QVERIFY2(drop.exec(sql), qPrintable(drop.lastError().text()));
    if (!server) {
        QVERIFY(drop.exec("PRAGMA user_version") && drop.next());
        QVERIFY(drop.exec(QString("PRAGMA user_version = %1").arg(drop.value(0).toInt() - 64)));
    }
}
} // namespace

class TestQuickSearch : public QObject
{
    Q_OBJECT
private slots:
    void query_data();
    void query();
    void indexFollowsEveryWriter();
    void plainSqlWrites_data();
    void plainSqlWrites();
    void buildIsAllOrNothing_data();
    void buildIsAllOrNothing();
    void manyMatches_data();
    void manyMatches();
    void phrasesAsWithoutPairs_data();
    void phrasesAsWithoutPairs();
    void typedIsCapped_data();
    void typedIsCapped();
    void renumberedRows_data();
    void renumberedRows();
    void panelByKeys();
    void pairsOffered_data();
    void pairsOffered();
    void resultsHeight();
};

void TestQuickSearch::query_data()
{
    QTest::addColumn<TestFolder::Engine>("engine");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("found"); // in rank order
    const struct {
        const char* name;
        QString typed;
        QStringList found;
    } rows[] = {
        {"two words, any order", "toner printer", {"12"}},
        {"title before problem before solution", "printer", {"11", "12", "13"}},
        {"title alone before problem alone", "scanner", {"19", "18"}},
        {"phrase: title before problem", "\"scanner settings\"", {"19", "18"}},
        {"last word as a prefix", "spoo", {"11"}},
        {"phrase", "\"paper jam\"", {"15", "16"}},
        {"phrase keeps its order", "\"jam paper\"", {"16"}},
        {"accents and case ignored", "RESUME", {"14"}},
        {"category", "email", {"13"}},
        {"words inside a web address", "example.com", {"13"}},
        {"number first", "15", {"15"}},
        {"keywords are words", "and or near", {"16"}},
        {"column syntax is text", "title: -x", {"16"}},
        {"unbalanced quote", "\"tray 2", {"15", "16"}},
        {"stars and brackets", "(jam)* ^paper", {"15", "16"}},
        {"query and SQL syntax are text", "'toner' & !printer | :* <-> \\ ');--", {"12"}},
        {"only syntax", "\" * - ( ) : ' & | ! <-> \\", {}},
        {"nothing found", "kangaroo", {}},
        // The last word is a prefix from three letters or digits on, counted as the index cuts
        // words: "C++" is the word "c", "can't" ends in the word "t".
        {"short last word is whole", "C++", {"21"}},
        {"last word of an apostrophe is whole", "can't", {}},
        {"three letters are a prefix", "cab", {"22"}},
        {"NUL separates words", QString("printer") + QChar(0) + "offline", {"11"}},
    };
    for (const auto engine : {TestFolder::Engine::File, TestFolder::Engine::Server}) {
        for (const auto& row : rows)
            QTest::addRow("%s: %s", TestFolder::engineName(engine), row.name)
                << engine << row.typed << row.found;
    }
}

void TestQuickSearch::query()
{
    QFETCH(TestFolder::Engine, engine);
    QFETCH(QString, typed);
    QFETCH(QStringList, found);
    TestFolder folder(engine);
    fill(folder);
    Connection connection;
    connection.open(folder.dbPath());
    const quicksearch::Result result = quicksearch::search(connection, typed);
    QCOMPARE(ids(result), found);
    QCOMPARE(result.total, found.size());
    for (const auto& hit : result.hits)
        QVERIFY2(typed.trimmed().toInt() || hit.snippet.contains(quicksearch::MarkStart),
                 qPrintable(hit.snippet));
}

void TestQuickSearch::indexFollowsEveryWriter()
{
    StartedApp s;
    fill(s.folder());
    s.run("tb7");
    const auto search = [&](const QString& typed) {
        return ids(quicksearch::search(s.app().dbConnection, typed));
    };
    // The program's own save and delete.
    s.type("txtTitle", "Kangaroo printer");
    s.trigger("mnuSave");
    QCOMPARE(search("kangaroo"), QStringList{"11"});
    QCOMPARE(search("\"kangaroo printer\""), QStringList{"11"});
    QCOMPARE(search("\"printer offline\""), QStringList{});
    s.trigger("mnuDelete");
    QCOMPARE(search("kangaroo"), QStringList{});
    QCOMPARE(search("\"kangaroo printer\""), QStringList{});
}

void TestQuickSearch::plainSqlWrites_data()
{
    QTest::addColumn<TestFolder::Engine>("engine");
    for (const auto engine : {TestFolder::Engine::File, TestFolder::Engine::Server})
        QTest::newRow(TestFolder::engineName(engine)) << engine;
}

// Another program writing plain SQL.
void TestQuickSearch::plainSqlWrites()
{
    QFETCH(TestFolder::Engine, engine);
    TestFolder folder(engine);
    fill(folder);
    Connection connection;
    connection.open(folder.dbPath());
    const auto search = [&](const QString& typed) {
        return ids(quicksearch::search(connection, typed));
    };
    folder.exec("UPDATE AR SET solution = 'wombat' WHERE ID = 15");
    QCOMPARE(search("wombat"), QStringList{"15"});
    QCOMPARE(search("rear door"), QStringList{});
    folder.exec("INSERT INTO AR (ID, Title) VALUES (17, 'Wombat café')");
    QCOMPARE(search("wombat"), (QStringList{"17", "15"}));
    folder.exec("DELETE FROM AR WHERE ID = 15");
    QCOMPARE(search("wombat"), QStringList{"17"});
    folder.exec(engine == TestFolder::Engine::Server ? "TRUNCATE AR" : "DELETE FROM AR");
    QCOMPARE(quicksearch::search(connection, "wombat").total, 0);
}

void TestQuickSearch::buildIsAllOrNothing_data()
{
    QTest::addColumn<TestFolder::Engine>("engine");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("phrases");
    for (const auto engine : {TestFolder::Engine::File, TestFolder::Engine::Server}) {
        const char* name = TestFolder::engineName(engine);
        QTest::addRow("%s: cancelled", name) << engine << "cancel" << false;
        QTest::addRow("%s: failed", name) << engine << "fail" << false;
        QTest::addRow("%s: built", name) << engine << "build" << false;
        QTest::addRow("%s: phrase index cancelled", name) << engine << "cancel" << true;
        QTest::addRow("%s: phrase index built", name) << engine << "build" << true;
    }
}

// The index, or the index of neighbouring words beside an index made without it (`phrases`).
void TestQuickSearch::buildIsAllOrNothing()
{
    QFETCH(TestFolder::Engine, engine);
    QFETCH(QString, how);
    QFETCH(bool, phrases);
    NewDatabaseOptions old;
    old.syntheticArticles = 2000;
    old.quickSearchIndex = phrases;
    TestFolder folder(old, engine);
    const bool server = engine == TestFolder::Engine::Server;
    Connection connection;
    connection.open(folder.dbPath());
    if (phrases) {
        withoutPairs(connection);
        QVERIFY(!quicksearch::hasPhraseIndex(connection.database()));
        QVERIFY(quicksearch::mayBuildPhraseIndex(connection));
    }
    const auto found = [&] {
        const quicksearch::Result result = quicksearch::search(connection, "\"the share\"");
        return ids(result).join(' ') + QString(" (%1)").arg(result.total);
    };
    const QString before = phrases ? found() : QString();
    const QByteArray bytes = fileBytes(folder.dbPath());
    bool done = false;
    try {
        const auto step = [&](qint64, qint64) {
            if (how == "fail")
                throw DbError("database or disk is full");
            return how != "cancel";
        };
        done = phrases ? quicksearch::buildPhraseIndex(connection, step)
                       : quicksearch::buildIndex(connection, step);
    } catch (const DbError&) {
        QCOMPARE(how, QString("fail"));
    }
    QCOMPARE(done, how == "build");
    if (phrases) {
        QCOMPARE(quicksearch::hasPhraseIndex(connection.database()), how == "build");
        QCOMPARE(found(), before);
    }
    connection.close();
    if (how == "build") {
        connection.open(folder.dbPath());
        QCOMPARE(quicksearch::search(connection, "printer").total,
                 folder
                     .scalar("SELECT count(*) FROM AR WHERE lower(Problem) LIKE '%printer%' OR "
                             "lower(solution) LIKE '%printer%' OR lower(Title) LIKE '%printer%'")
                     .toInt());
    } else if (phrases) {
        // Pages a cancelled transaction took from the file's free list keep what it wrote.
        QVERIFY(folder
                    .scalar(server ? "SELECT to_regclass('ardentry_pairs') IS NULL"
                                   : "SELECT count(*) = 0 FROM sqlite_master WHERE name LIKE "
                                     "'ardentry_pairs%'")
                    .toBool());
    } else if (server) {
        connection.open(folder.dbPath());
        QVERIFY(!quicksearch::hasIndex(connection.database()));
        QVERIFY(folder.scalar("SELECT to_regclass('ardentry_search') IS NULL").toBool());
    } else {
        QVERIFY(fileBytes(folder.dbPath()) == bytes);
    }
}

void TestQuickSearch::manyMatches_data()
{
    QTest::addColumn<TestFolder::Engine>("engine");
    for (const auto engine : {TestFolder::Engine::File, TestFolder::Engine::Server})
        QTest::newRow(TestFolder::engineName(engine)) << engine;
}

// A word in more articles than are ranked: the count says "more than", the title matches come
// first, then the newest.
void TestQuickSearch::manyMatches()
{
    QFETCH(TestFolder::Engine, engine);
    TestFolder folder(engine);
    folder.exec("DELETE FROM AR");
    folder.exec(QString("INSERT INTO AR (ID, Title, Problem) WITH RECURSIVE n(i) AS (SELECT 1 "
                        "UNION ALL SELECT i + 1 FROM n WHERE i < %1) SELECT i, CASE WHEN i IN "
                        "(5, 7) THEN 'Common title' ELSE 'Title ' || i END, 'Common problem ' "
                        "|| i || ' problem common' FROM n")
                    .arg(quicksearch::RankedAtMost + 1));
    Connection connection;
    connection.open(folder.dbPath());
    const quicksearch::Result result = quicksearch::search(connection, "common");
    QVERIFY(result.overflow);
    QCOMPARE(result.total, quicksearch::RankedAtMost + 1);
    QStringList found = ids(result);
    QCOMPARE(found.size(), 50);
    std::sort(found.begin(), found.begin() + 2);
    const QString newest = QString::number(quicksearch::RankedAtMost + 1);
    QCOMPARE(found.mid(0, 4),
             (QStringList{"5", "7", newest, QString::number(quicksearch::RankedAtMost)}));
    // A phrase in as many: told by its pairs alone on a server; no title holds it.
    const quicksearch::Result phrase = quicksearch::search(connection, "\"common problem\"");
    QVERIFY(phrase.overflow);
    QCOMPARE(phrase.total, quicksearch::RankedAtMost + 1);
    QCOMPARE(ids(phrase).mid(0, 2),
             (QStringList{newest, QString::number(quicksearch::RankedAtMost)}));
    // Every pair of this one is in every article, the phrase in none.
    QCOMPARE(quicksearch::search(connection, "\"common problem common\"").total, 0);
}

void TestQuickSearch::phrasesAsWithoutPairs_data()
{
    manyMatches_data();
}

// Phrases found through the index of neighbouring words find exactly the articles the index of
// words finds, while another program changes articles in between (a file's index of pairs then
// catches up first): random texts of a few words, random phrases of them.
void TestQuickSearch::phrasesAsWithoutPairs()
{
    QFETCH(TestFolder::Engine, engine);
    const bool server = engine == TestFolder::Engine::Server;
    TestFolder folder(engine);
    const QStringList vocabulary{"the",    "share", "printer", "Résumé", "resume", "e-mail",
                                 "shared", "drive", "toner",   "a",      "no.5",   "jam"};
    quint32 seed = 2026;
    const auto random = [&seed](int below) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) % unsigned(below));
    };
    const auto text = [&](int most) {
        QStringList words;
        for (int n = 1 + random(most); n > 0; --n)
            words << vocabulary[random(vocabulary.size())];
        return words.join(random(4) ? " " : ", ");
    };
    const auto write = [&](int id) {
        folder.exec("DELETE FROM AR WHERE ID = ?", {id});
        if (random(5))
            folder.exec("INSERT INTO AR (ID, Title, Problem, solution, CUName, techname, "
                        "reference) VALUES (?, ?, ?, ?, ?, ?, ?)",
                        {id, text(4), text(12), text(12), text(2), text(2), text(2)});
    };
    folder.exec("DELETE FROM AR");
    for (int id = 1; id <= 120; ++id)
        write(id);
    Connection connection;
    connection.open(folder.dbPath());
    QVERIFY(quicksearch::hasPhraseIndex(connection.database()));
    const int withPairs =
        folder.scalar(server ? "SELECT additions FROM ardentry_schema" : "PRAGMA user_version")
            .toInt();
    const auto usePairs = [&](bool use) {
        const int additions = use ? withPairs : withPairs & ~schema::PhraseIndex;
        folder.exec(server ? QString("UPDATE ardentry_schema SET additions = %1").arg(additions)
                           : QString("PRAGMA user_version = %1").arg(additions));
    };
    const auto found = [&](const QString& typed) {
        const quicksearch::Result result = quicksearch::search(connection, typed, 200);
        QStringList keys = ids(result);
        keys.sort();
        return keys.join(' ') + QString(" (%1)").arg(result.total);
    };
    int matched = 0;
    for (int q = 0; q < 60; ++q) {
        if (q % 6 == 5) // another program changes a few articles
            for (int k = 0; k < 3; ++k)
                write(1 + random(130));
        QString typed;
        for (int n = 2 + random(2); n > 0; --n)
            typed += vocabulary[random(vocabulary.size())] + " ";
        typed = "\"" + typed.trimmed() + "\"";
        if (q % 4 == 1) // still typing: the last word a prefix from three letters on
            typed.chop(1 + random(2));
        if (q % 5 == 2)
            typed += " \"" + vocabulary[random(4)] + " " + vocabulary[random(4)] + "\"";
        usePairs(true);
        const QString byPairs = found(typed);
        usePairs(false);
        QCOMPARE(byPairs, found(typed));
        matched += !byPairs.startsWith(" (");
    }
    QVERIFY2(matched > 20, qPrintable(QString::number(matched)));
    // Two words too long to be kept as a pair on a server (2,800 bytes together).
    const QString longWords = QString(700, QChar(0x436)) + " " + QString(700, QChar(0x44f));
    folder.exec("INSERT INTO AR (ID, Problem) VALUES (999, ?)", {longWords});
    usePairs(true);
    QCOMPARE(found("\"" + longWords + "\""), QString("999 (1)"));
}

void TestQuickSearch::typedIsCapped_data()
{
    QTest::addColumn<QString>("typed");
    const QString letters = QString("z ").repeated(3000);
    QTest::newRow("3000 one-letter words") << letters;
    QTest::newRow("a phrase of 3000 words") << "\"" + letters + "\"";
    QTest::newRow("one word of 5000 letters") << QString("b").repeated(5000);
}

// Long typed text is cut to its first words and characters, on both engines alike.
void TestQuickSearch::typedIsCapped()
{
    QFETCH(QString, typed);
    const QString query = quicksearch::ftsQuery(typed, true);
    QVERIFY(!query.isEmpty());
    // A few dozen words, a couple of thousand characters at most.
    QVERIFY2(query.size() <= 2200, qPrintable(QString::number(query.size())));
    qsizetype words = 0;
    for (auto it = QRegularExpression("\\w+").globalMatch(query); it.hasNext(); it.next())
        ++words;
    QVERIFY2(words <= 100, qPrintable(QString::number(words)));
    for (const auto engine : {TestFolder::Engine::File, TestFolder::Engine::Server}) {
        TestFolder folder(engine);
        fill(folder);
        Connection connection;
        connection.open(folder.dbPath());
        QCOMPARE(quicksearch::search(connection, typed).total, 0);
    }
}

void TestQuickSearch::renumberedRows_data()
{
    QTest::addColumn<bool>("window");
    QTest::newRow("core") << false;
    QTest::newRow("window") << true;
}

// A file without the index on the article number, whose rows another program renumbered with
// VACUUM: the index is found out of step and made again, and never opens a wrong article.
void TestQuickSearch::renumberedRows()
{
    QFETCH(bool, window);
    auto folder = std::make_shared<TestFolder>();
    folder->exec("DROP INDEX AR_ID");
    folder->exec("DELETE FROM AR");
    folder->exec("INSERT INTO AR (ID, Title) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT "
                 "i + 1 FROM n WHERE i < 400) SELECT i, 'w' || i FROM n");
    const auto renumber = [&] {
        const QVariant before = folder->scalar("SELECT rowid FROM AR WHERE ID = 300");
        folder->exec("DELETE FROM AR WHERE ID % 7 = 0");
        folder->exec("INSERT INTO AR (ID, Title) VALUES (401, 'w401')");
        folder->exec("VACUUM");
        QVERIFY(folder->scalar("SELECT rowid FROM AR WHERE ID = 300") != before);
    };
    if (!window) {
        Connection connection;
        connection.open(folder->dbPath());
        QCOMPARE(ids(quicksearch::search(connection, "w300")), QStringList{"300"});
        renumber();
        // It goes on writing until the highest row key is the one the index knew.
        folder->exec("INSERT INTO AR (ID, Title) WITH RECURSIVE n(i) AS (SELECT 501 UNION ALL "
                     "SELECT i + 1 FROM n WHERE i < 557) SELECT i, 'w' || i FROM n");
        QCOMPARE(folder->scalar("SELECT max(rowid) FROM AR").toInt(), 401);
        QVERIFY(!quicksearch::indexMatches(connection));
        QVERIFY_THROWS_EXCEPTION(quicksearch::StaleIndex, quicksearch::search(connection, "w390"));
        QVERIFY(quicksearch::rebuildIndex(connection, {}));
        QVERIFY(quicksearch::indexMatches(connection, true));
        for (const char* word : {"w300", "w390", "w401", "w557"})
            QCOMPARE(ids(quicksearch::search(connection, word)), QStringList{word + 1});
        folder->exec("INSERT INTO ardentry_search(ardentry_search, rank) VALUES "
                     "('integrity-check', 1)");
        return;
    }
    StartedApp s(folder);
    auto* box = findWidget<QLineEdit>("txtQuickSearch");
    auto* results = findWidget<QTreeWidget>("lstResults");
    // A hit listed before the renumbering is not opened as whatever row now has its key.
    QTest::keyClicks(box, "w390");
    QTRY_COMPARE(results->topLevelItemCount(), 1);
    renumber();
    QTest::keyClick(box, Qt::Key_Return);
    QTRY_COMPARE(results->topLevelItemCount(), 1);
    QCOMPARE(s.messages().seen.size(), 1);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(s.text("txtID"), QString("390"));
    QVERIFY(quicksearch::indexMatches(s.app().dbConnection, true));
}

void TestQuickSearch::panelByKeys()
{
    NewDatabaseOptions old;
    old.quickSearchIndex = false;
    auto folder = std::make_shared<TestFolder>(old);
    fill(*folder);
    StartedApp s(folder);
    s.main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.main()));
    auto* box = findWidget<QLineEdit>("txtQuickSearch");
    auto* results = findWidget<QTreeWidget>("lstResults");
    QTest::keyClick(&s.main(), Qt::Key_F, Qt::ControlModifier);
    QTRY_VERIFY(box->hasFocus());
    QTest::keyClicks(box, "paper");
    // The index is built on first use, after asking.
    QTRY_COMPARE(results->topLevelItemCount(), 2);
    QCOMPARE(s.messages().seen.size(), 1);
    QCOMPARE(findWidget<QLabel>("lblResultCount")->text(), QString("2 articles"));
    QTest::keyClick(box, Qt::Key_Down);
    QTest::keyClick(results, Qt::Key_Down);
    QTest::keyClick(results, Qt::Key_Return);
    QCOMPARE(s.text("txtID"), results->topLevelItem(1)->text(0));
    QTest::keyClick(results, Qt::Key_Escape);
    QCOMPARE(box->text(), QString());
    QVERIFY(!findWidget<QDockWidget>("dockQuickSearch")->isVisible());
}

void TestQuickSearch::pairsOffered_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::newRow("built") << QMessageBox::Yes;
    QTest::newRow("declined") << QMessageBox::No;
}

// A quoted phrase in a database whose index was made without the index of neighbouring words:
// asked once whether to build it; found either way.
void TestQuickSearch::pairsOffered()
{
    QFETCH(QMessageBox::StandardButton, answer);
    auto folder = std::make_shared<TestFolder>();
    fill(*folder);
    {
        Connection connection;
        connection.open(folder->dbPath());
        withoutPairs(connection);
    }
    StartedApp s(folder);
    auto* box = findWidget<QLineEdit>("txtQuickSearch");
    auto* results = findWidget<QTreeWidget>("lstResults");
    QTest::keyClick(&s.main(), Qt::Key_F, Qt::ControlModifier);
    QTRY_VERIFY(box->hasFocus());
    s.messages().answer(answer);
    QTest::keyClicks(box, "\"paper jam\"");
    QTRY_COMPARE(results->topLevelItemCount(), 2);
    QCOMPARE(s.messages().seen.size(), 1);
    QCOMPARE(folder->scalar("PRAGMA user_version").toInt() & schema::PhraseIndex,
             answer == QMessageBox::Yes ? int(schema::PhraseIndex) : 0);
    // Asked once: not again for the next phrase.
    box->clear();
    QTest::keyClicks(box, "\"the printer\"");
    QTRY_COMPARE(results->topLevelItemCount(), 3);
    QCOMPARE(s.messages().seen.size(), 1);
}

// The results show eight rows at first; a height the user drags them to is kept, on the next
// search and after a restart.
void TestQuickSearch::resultsHeight()
{
    auto folder = std::make_shared<TestFolder>();
    folder->fillArticles(12);
    int dragged = 0;
    for (const int run : {1, 2}) {
        StartedApp s(folder);
        s.main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.main()));
        auto* box = findWidget<QLineEdit>("txtQuickSearch");
        auto* results = findWidget<QTreeWidget>("lstResults");
        auto* dock = findWidget<QDockWidget>("dockQuickSearch");
        const auto search = [&] {
            QTest::keyClick(&s.main(), Qt::Key_F, Qt::ControlModifier);
            QTRY_VERIFY(box->hasFocus());
            QTest::keyClicks(box, "Prob");
            QTRY_COMPARE(results->topLevelItemCount(), 12);
            QTRY_VERIFY(dock->isVisible());
        };
        search();
        if (run == 2) {
            QTRY_COMPARE(dock->height(), dragged);
            break;
        }
        const auto wholeRows = [&] {
            int rows = 0;
            for (int i = 0; i < results->topLevelItemCount(); ++i)
                rows += results->viewport()->rect().contains(
                    results->visualItemRect(results->topLevelItem(i)));
            return rows;
        };
        QTRY_VERIFY2(wholeRows() >= 8, qPrintable(QString::number(wholeRows())));
        // The edge between the article form and the results, dragged 60 px up, or down when
        // the article form leaves the results no more room (once more, as a user would, when
        // the window was still settling its layout under the first drag).
        QWidget* form = s.main().centralWidget();
        const int before = dock->height();
        const int up = form->height() > form->minimumSizeHint().height() + 30 ? 1 : -1;
        QWindow* window = s.main().windowHandle();
        const auto moved = [&] { return (dock->height() - before) * up > 30; };
        for (int attempt = 0; attempt < 3 && !moved(); ++attempt) {
            const int edge = (form->geometry().bottom() + dock->geometry().top()) / 2;
            const QPoint from(s.main().width() / 2, edge);
            QTest::mousePress(window, Qt::LeftButton, {}, from);
            for (int step = 1; step <= 6; ++step)
                QTest::mouseMove(window, from - QPoint(0, 10 * step * up));
            QTest::mouseRelease(window, Qt::LeftButton, {}, from - QPoint(0, 60 * up));
            if (QTest::qWaitFor(moved, 2000))
                break;
        }
        QVERIFY(moved());
        dragged = dock->height();
        QTest::keyClick(box, Qt::Key_Escape);
        QTRY_VERIFY(!dock->isVisible());
        search();
        QTRY_COMPARE(dock->height(), dragged);
    }
}

QTEST_MAIN(TestQuickSearch)
#include "tst_quicksearch.moc"
