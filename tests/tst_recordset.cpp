// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestFolder.h"

#include "core/Connection.h"
#include "core/RecordSet.h"
#include "core/TextMatch.h"

#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;
using Kind = DbError::Kind;

namespace
{

// The kind (-1: none) and the text of the DbError an action throws.
std::pair<int, QString> failure(const std::function<void()>& action)
{
    try {
        action();
    } catch (const DbError& error) {
        return {int(error.kind()), error.message()};
    }
    return {-1, QString()};
}

// Numbered articles (ID i, "Title i", "Problem i", ...), opened through a Connection of its own.
struct Db {
    explicit Db(int articles, TestFolder::Engine engine = TestFolder::Engine::File) : folder(engine)
    {
        folder.exec("BEGIN");
        folder.fillArticles(articles);
        folder.exec("COMMIT");
        connection.open(folder.dbPath());
        rs.open("SELECT * FROM AR ORDER BY ID");
    }
    QString articles() const
    {
        QStringList all;
        for (const QVariantList& row :
             folder.rows("SELECT ID, Title, Problem FROM AR ORDER BY rowid"))
            all << textmatch::valueText(row[0]) + '|' + row[1].toString() + '|' + row[2].toString();
        return all.join(", ");
    }

    TestFolder folder;
    Connection connection;
    RecordSet rs{connection};
};

QString visible(RecordSet& rs, const QString& column = "ID")
{
    QStringList values;
    if (rs.recordCount() > 0)
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            values << rs.value(column);
    return values.join(' ');
}

// Where the record set stands: "position:ID/count", with BOF or EOF for the ID at the ends.
QString at(RecordSet& rs)
{
    const QString current = rs.hasCurrentRow()
                                ? rs.value("ID")
                                : QString(rs.bof() ? "BOF" : "") + (rs.eof() ? "EOF" : "");
    return u"%1:%2/%3"_s.arg(rs.absolutePosition()).arg(current).arg(rs.recordCount());
}

// Plays steps ("; " between): first, last, next, prev, new, del, cancel, send, reopen, refresh
// (requery), key <ID> (moveToKey with the row key the article had when last seen in the file;
// "key 5 => not found" when it moves nothing), open <sql>,
// filter [criteria], Col=value (collect; "Col=": no text), sql <statement> (another program),
// own <statement> (own connection); "3x next" repeats. Checks: Col==value, @ pos:ID/count (at()),
// ids [id ...], values Col => v|v, file <ID|Title|Problem, ...> (row-key order), unchanged
// (since the last sql step), query <sql> => rows. " -> Kind[: text]": the step throws that.
void play(Db& db, const QString& steps)
{
    static const char* const kinds[] = {"General",   "NotFound",     "NotADatabase",
                                        "Conflict",  "BadCriteria",  "BadValue",
                                        "Duplicate", "NoCurrentRow", "PasswordNeeded"};
    RecordSet& rs = db.rs;
    const QHash<QString, void (RecordSet::*)()> moves{
        {"first", &RecordSet::moveFirst},    {"last", &RecordSet::moveLast},
        {"next", &RecordSet::moveNext},      {"prev", &RecordSet::movePrevious},
        {"new", &RecordSet::addNew},         {"del", &RecordSet::deleteCurrent},
        {"cancel", &RecordSet::cancelBatch}, {"refresh", &RecordSet::requery}};
    QHash<QString, qint64> keys; // article number -> row key
    QString baseline = db.articles();
    const QHash<QString, std::function<QString(const QString&)>> checks{
        {"@", [&](const QString&) { return at(rs); }},
        {"ids", [&](const QString&) { return visible(rs); }},
        {"file", [&](const QString&) { return db.articles(); }},
        {"unchanged", [&](const QString&) { return db.articles() == baseline ? "" : "changed"; }},
        {"values",
         [&](const QString& rest) {
             return visible(rs, rest.section(" => ", 0, 0)).replace(' ', '|');
         }},
        {"query", [&](const QString& rest) {
             QStringList rows;
             for (const QVariantList& row : db.folder.rows(rest.section(" => ", 0, 0)))
                 rows << row.value(0).toString();
             return rows.join(", ");
         }}};
    QStringList all;
    for (const QString& whole : steps.split("; ")) { // "3x next": three times "next"
        const int times = whole.section("x ", 0, 0).toInt();
        for (int i = 0; i < qMax(1, times); ++i)
            all << (times > 0 ? whole.section("x ", 1) : whole);
    }
    for (const QString& whole : all) {
        const QString step = whole.section(" -> ", 0, 0), thrown = whole.section(" -> ", 1);
        const QString word = step.section(' ', 0, 0), rest = step.section(' ', 1);
        QString seen, wanted; // what a check found and wants
        const auto [kind, message] = failure([&] {
            if (moves.contains(word))
                (rs.*moves[word])();
            else if (checks.contains(word))
                std::tie(seen, wanted) = std::pair(
                    checks[word](rest), rest.contains(" => ") ? rest.section(" => ", 1) : rest);
            else if (word == "open" || word == "reopen")
                rs.open(word == "open" ? rest : rs.source());
            else if (word == "key") {
                const QString id = rest.section(" => ", 0, 0);
                for (const QVariantList& row :
                     db.folder.rows("SELECT rowid FROM AR WHERE ID = " + id))
                    keys[id] = row[0].toLongLong();
                seen = rs.moveToKey(keys.value(id, -1)) ? "" : "not found";
                wanted = rest.section(" => ", 1);
            } else if (word == "send")
                rs.updateBatch(rest);
            else if (word == "filter")
                rs.setFilter(rest);
            else if (word == "sql")
                db.folder.exec(rest);
            else if (word == "own")
                QSqlQuery(db.connection.database()).exec(rest);
            else if (step.contains("=="))
                std::tie(seen, wanted) =
                    std::pair(rs.value(step.section("==", 0, 0)), step.section("==", 1));
            else
                rs.collect(step.section('=', 0, 0),
                           step.endsWith('=') ? QString() : step.section('=', 1));
        });
        const QString kindName = kind < 0 ? QString() : kinds[kind];
        QVERIFY2(kindName == thrown.section(": ", 0, 0), qPrintable(whole + ": " + message));
        QVERIFY2(message.contains(thrown.section(": ", 1)), qPrintable(whole + ": " + message));
        if (seen != wanted)
            QFAIL(qPrintable(whole + " -- found: " + seen));
        if (word == "sql")
            baseline = db.articles();
    }
}

} // namespace

class TestRecordSet : public QObject
{
    Q_OBJECT

private slots:
    // What SQL, LIKE or GLOB would read as a wildcard or a quote is an ordinary character. Text
    // compares ignoring case, also beyond ASCII; a number column compares numbers, and LIKE reads
    // a number as the record set shows it. Unreadable criteria leave the filter in force.
    void filter_data()
    {
        QTest::addColumn<TestFolder::Engine>("engine");
        QTest::addColumn<QString>("criteria");
        QTest::addColumn<QString>("ids"); // "all": every article; "refused": unreadable criteria
        const QString rows =
            "Problem LIKE #*print*# -> 1 2 15\n  problem   like   #*PRINT*#   -> 1 2 15\n"
            "Problem LIKE#*print*# -> 1 2 15\nProblem LIKE #print*# -> 1 15\n"
            "Problem LIKE #*PRINT# -> 2 15\nProblem LIKE #print# -> 15\nProblem = #PRINT# -> 15\n"
            "Solution LIKE #*REPLACED*# -> 3 13\nProblem LIKE #%# -> \n"
            "Problem LIKE #*a_b*# -> 19\nProblem LIKE #*user's*# -> 7\n"
            "Problem LIKE #*#42*# -> 8\nProblem LIKE #*x# OR ID = #1*# -> \n"
            "Problem LIKE #*a * b*# -> 9\nProblem = #*# -> \nProblem LIKE #*ÉCOLE*# -> 10 11\n"
            "Problem LIKE #*ecole*# -> \nProblem LIKE #*straße*# -> 12 13\n"
            "Problem LIKE #*STRASSE*# -> 12 13\nProblem LIKE #*ΟΔΟΣ*# -> 18\n"
            "Problem LIKE #*# -> all\nProblem LIKE #**# -> all\nProblem LIKE ## -> 14\n"
            "ID = #12# -> 12\nID = # 12 # -> 12\nID = #12.0# -> 12\nID = #2# -> 2\n"
            "ID = #2.5# -> 2.5\nID = #1 OR 1=1# -> \n"
            "ID LIKE #1*# -> 1 10 11 12 13 14 15 16 17 18 19 120\nID LIKE #*20# -> 20 120\n"
            "ID LIKE #*.5# -> 2.5\nProblem LIKE #abc -> refused\n"
            "Problem CONTAINS #abc# -> refused\nProblemLIKE #abc# -> refused\n"
            "Nope = #abc# -> refused\nProblem LIKE #abc# junk -> refused\n1=1 -> refused\n";
        // A server's whole-number column holds no 2.5: that article is missing there.
        for (const auto engine : {TestFolder::Engine::File, TestFolder::Engine::Server})
            for (const QString& row : rows.split('\n', Qt::SkipEmptyParts)) {
                QString ids = row.section(" -> ", 1);
                if (engine == TestFolder::Engine::Server)
                    ids = ids.split(' ').filter(QRegularExpression("^(?!2\\.5$)")).join(' ');
                QTest::addRow("%s: %s", TestFolder::engineName(engine), qPrintable(row))
                    << engine << row.section(" -> ", 0, 0) << ids;
            }
    }

    void filter()
    {
        QFETCH(TestFolder::Engine, engine);
        QFETCH(QString, criteria);
        QFETCH(QString, ids);
        Db db(0, engine);
        QString articles =
            "INSERT INTO AR (ID, Problem) VALUES (1, 'Printer jams'), (2, 'cannot print'), (3, "
            "'Scanner'), (4, '100% CPU'), (5, 'file_name'), (6, 'What?'), (7, 'It''s the user''s "
            "fault'), (8, 'Error #42 occurred'), (9, 'a * b'), (10, 'École fermée'), (11, 'ÉCOLE "
            "OUVERTE'), (12, 'Straße gesperrt'), (13, 'STRASSE frei'), (14, NULL), (15, 'print'), "
            "(16, 'Say'), (17, 'a%b'), (18, 'οδος closed'), (19, 'a_b'), (20, 'axb a-b aab'), "
            "(120, 'axxb'), (2.5, 'half')";
        if (engine == TestFolder::Engine::Server)
            articles.remove(", (2.5, 'half')");
        db.folder.exec(articles);
        db.folder.exec("UPDATE AR SET solution = 'Drive REPLACED' WHERE ID IN (3, 13)");
        RecordSet& rs = db.rs;
        rs.open(rs.source());
        const QString every = visible(rs);
        rs.setFilter("ID = #3#");
        const auto [kind, message] = failure([&] { rs.setFilter(criteria); });
        QCOMPARE(kind, ids == "refused" ? int(Kind::BadCriteria) : -1);
        QCOMPARE(rs.filter(), ids == "refused" ? u"ID = #3#"_s : criteria);
        QCOMPARE(visible(rs), ids == "refused" ? "3" : ids == "all" ? every : ids);
    }

    // Texts and needles made at random, many with near misses ("aab" in "aaab"), needles at the
    // very start or end, longer than the text or empty: the pattern judges stored UTF-8 as it
    // judges the text itself, and an ASCII text as a plain byte-by-byte search ignoring case.
    void patternOnRandomTexts()
    {
        const QStringList ascii{"a", "A", "b", "B", " ", "x", "k", "s", "S", QString(QChar(0))};
        const QStringList other{"é", "e\u0301", "ß", "ſ", "\u212A", "İ", "Σ"};
        const auto byteByByte = [](const QByteArray& hay, const QByteArray& needle) {
            for (qsizetype i = 0; i + needle.size() <= hay.size(); ++i)
                if (hay.mid(i, needle.size()).toLower() == needle)
                    return true;
            return false;
        };
        QRandomGenerator random(26);
        for (int round = 0; round < 20000; ++round) {
            const bool plain = round % 2;
            const auto pick = [&] { // a, A and b alone now and then: many near misses
                const int k = random.bounded(
                    round % 4 == 1
                        ? 3
                        : int(ascii.size() + (plain || round % 6 == 0 ? 0 : other.size())));
                return k < ascii.size() ? ascii[k] : other[k - ascii.size()];
            };
            QString text;
            for (int n = random.bounded(round % 3 ? 20 : 80); n > 0; --n)
                text += pick();
            if (round % 6 == 0) // one character beyond ASCII somewhere in a long ASCII text
                text.insert(random.bounded(int(text.size() + 1)),
                            other[random.bounded(int(other.size()))]);
            QString needle;
            if (round % 5 == 0) {
                for (int n = random.bounded(1, 5); n > 0; --n)
                    needle += pick();
            } else {
                const int from = random.bounded(int(text.size() + 1));
                needle = text.mid(from, random.bounded(int(text.size() - from + 2)));
                for (QChar& c : needle)
                    c = random.bounded(2) ? c.toUpper() : c;
            }
            const QByteArray bytes = text.toUtf8();
            for (int mode = 0; mode <= int(textmatch::TextPattern::Mode::Everything); ++mode) {
                const textmatch::TextPattern pattern(needle, textmatch::TextPattern::Mode(mode));
                bool expected = pattern.matches(text);
                if (plain && mode == int(textmatch::TextPattern::Mode::Contains))
                    expected = byteByByte(bytes, needle.toUtf8().toLower());
                if (pattern.matchesUtf8(bytes.constData(), bytes.size()) != expected)
                    QFAIL(qPrintable(u"mode %1, \"%2\" in \"%3\""_s.arg(mode).arg(needle, text)));
            }
        }
    }

    // Sequences of moves, changes and batches; see play() for the steps.
    void scenario_data()
    {
        QTest::addColumn<TestFolder::Engine>("engine");
        QTest::addColumn<int>("articles");
        QTest::addColumn<QString>("steps");
        // Rows for both engines; "file:" or "server:" before a name: that engine only.
        const auto row = [](const QString& name, int articles, const QString& steps) {
            for (const auto& [engine, rowName] : TestFolder::engineRows(name))
                QTest::newRow(rowName.constData()) << engine << articles << steps;
        };
        // More rows than the record set keeps in memory, read forwards, backwards and jumping,
        // while another program deletes one row and changes another that was not read yet.
        row("many rows", 2600,
            "sql DELETE FROM AR WHERE ID = 300; sql UPDATE AR SET Problem = 'newer' WHERE ID = "
            "301; 298x next; @ 299:299/2600; Problem==Problem 299; next; Problem==; next; "
            "Problem==newer; Title=fine; send; query SELECT Title FROM AR WHERE ID = 301 => "
            "fine; last; @ 2600:2600/2600; Problem==Problem 2600; 1250x prev; Problem==Problem "
            "1350; first; Problem==Problem 1; 1499x next; Problem==Problem 1500");
        // Text is ordered ignoring letter case. A failed open leaves the record set closed.
        row("open", 3,
            "sql INSERT INTO Users VALUES ('Zoe'), ('émile'), ('anna'), ('Bob'); "
            "open  select *  from users\torder by users ;; "
            "values Users => Administrator|anna|Bob|Zoe|émile; "
            "open SELECT * FROM AR ORDER BY ID; @ 1:1/3; "
            "open SELECT * FROM Nope ORDER BY ID -> NotFound; @ 0:BOFEOF/0; next -> General; "
            "open SELECT * FROM AR ORDER BY Nope -> NotFound; "
            "open SELECT * FROM Users ORDER BY Category -> NotFound; "
            "open SELECT ID FROM AR ORDER BY ID -> General; "
            "open SELECT * FROM AR WHERE ID > 1 ORDER BY ID -> General; "
            "open SELECT * FROM AR -> General; open -> General; "
            "open SELECT * FROM AR ORDER BY ID;DROP TABLE Users -> General");
        // Null reads as the empty text; numbers read as 12 and 12.5. A number column takes numbers
        // only, a blank one is Null; text stays text.
        row("file: values", 2,
            "ID=12abc -> BadValue; ID=0x10 -> BadValue; Nope=1 -> NotFound; NoCol== -> "
            "NotFound; "
            "ID= 0000 ; Title=0042; next; ID=2.5; send; @ 2:2.5/2; "
            "file 0|0042|Problem 1, 2.5|Title 2|Problem 2; first; ID=  ; Title=; send; ID==; "
            "query SELECT typeof(ID) || typeof(Title) || Title FROM AR ORDER BY rowid => "
            "nulltext, realtextTitle 2; sql INSERT INTO AR (ID) VALUES (12.0), (-3); reopen; "
            "values ID => |-3|2.5|12; last; Problem==; Image10==");
        // Moves at the ends; count, position and the end tests apply to the visible rows, also
        // while deleting.
        row("filter, move, delete", 30,
            "prev; @ 0:BOF/30; prev -> NoCurrentRow; Title=x -> NoCurrentRow; "
            "ID== -> NoCurrentRow; last; next; @ 0:EOF/30; next -> NoCurrentRow; "
            "del -> NoCurrentRow; last; filter Problem LIKE #*2*#; @ 1:2/12; next; del; "
            "@ 2:20/11; last; @ 11:29/11; del; @ 0:EOF/10; first; prev; @ 0:BOF/10; send; "
            "query SELECT count(*) FROM AR => 28; ids 2 20 21 22 23 24 25 26 27 28; filter; "
            "@ 1:1/28; filter ID = #99#; @ 0:BOFEOF/0; first -> NoCurrentRow; "
            "last -> NoCurrentRow; next -> NoCurrentRow; prev -> NoCurrentRow; reopen; "
            "@ 1:1/28");
        // Rows with unsent changes are judged by what they hold now, the others by the file.
        row("file: filter judges unsent changes", 5,
            "next; Problem=Printer on fire; next; ID=33; next; ID=2.5; new; ID=6; "
            "Problem=PRINTER offline; filter Problem LIKE #*printer*#; ids 2 6; @ 0:EOF/1; "
            "filter ID = #33#; ids 33; filter ID = #2#; ids 2; filter ID = #2.5#; ids 2.5; "
            "filter ID LIKE #*.5#; ids 2.5; filter Problem LIKE #*problem 2*#; ids; filter; "
            "Problem=Straße vor der ÉCOLE; filter Problem LIKE #*STRASSE VOR DER école*#; "
            "ids 1; send; filter Problem LIKE #*printer*#; ids 2 6; "
            "filter Problem LIKE #straße*#; ids 1");
        // A begun row counts once it is sent; begun and deleted, it sends nothing. Cancelling
        // drops every waiting change.
        row("add and cancel", 4,
            "Title=changed; next; del; new; @ 4:/3; Title=begun; cancel; @ 4:4/4; "
            "ids 1 2 3 4; first; Title==Title 1; send; unchanged; next; Title=kept current; "
            "cancel; @ 2:2/4; Title==Title 2; new; ID=5; Problem=New; send; @ 5:5/5; "
            "query SELECT Problem FROM AR WHERE ID = 5 => New; new; Problem=dropped; del; "
            "@ 0:EOF/5; send; query SELECT count(*) FROM AR => 5");
        // Article numbers may repeat and change: rows are told apart by the hidden row key, and
        // what the file made of a sent row is what the next batch compares with.
        // A row is found by its key among the visible rows after deletes, a dropped batch, new
        // rows, a filter and rows deleted by another program.
        row("rows by key", 12,
            "key 5; @ 5:5/12; del; key 5 => not found; @ 5:6/11; cancel; key 5; @ 5:5/12; "
            "key 12; del; key 5; del; send; key 5 => not found; @ 5:6/10; new; ID=13; new; "
            "key 13 => not found; cancel; key 11; @ 10:11/10; new; ID=13; Problem=new 1; send; key "
            "13; "
            "@ 11:13/11; refresh; key 13; @ 11:13/11; filter Problem LIKE #*1*#; ids 1 10 11 13; "
            "key 11; @ 3:11/4; key 2 => not found; @ 3:11/4; refresh; @ 1:1/11; key 6; @ 5:6/11; "
            "sql DELETE FROM AR WHERE ID = 7; refresh; key 8; @ 6:8/10; key 7 => not found");
        row("file: rows by row key", 0,
            "sql INSERT INTO AR (ID, Title, Problem) VALUES (7, 'A', 'a'), (7, 'B', 'b'), "
            "(7, 'C', 'c'); sql CREATE TRIGGER Stamp AFTER UPDATE OF Title ON AR BEGIN "
            "UPDATE AR SET EditedBy = 'trigger' WHERE rowid = NEW.rowid;END; reopen; next; "
            "Problem==b; Title=once; send; EditedBy==trigger; Title=twice; ID=10; send; "
            "Title=three times; next; del; send; file 7|A|a, 10|three times|b");
        // A failing batch writes nothing and waits as it was; it goes through once the cause is
        // gone.
        const QString batch = "Title=first changed; next; del; next; Title=refused; new; ID=6; "
                              "Title=sixth; %1; send -> General: %2; unchanged; @ 5:6/4; "
                              "ids 1 3 4 5 6; %3; send; file 1|first changed|Problem 1, "
                              "3|Title 3|Problem 3, 4|refused|Problem 4, 5|Title 5|Problem 5, "
                              "6|sixth|";
        row("file: trigger refuses", 5,
            batch.arg("sql CREATE TRIGGER Refuse BEFORE UPDATE ON AR WHEN NEW.Title = "
                      "'refused' BEGIN SELECT RAISE(ABORT, 'titles like this are refused');END",
                      "titles like this are refused", "sql DROP TRIGGER Refuse"));
        row("file: file locked", 5, batch.arg("sql BEGIN IMMEDIATE", "locked", "sql ROLLBACK"));
        row("file: read-only", 5,
            batch.arg("own PRAGMA query_only = ON", "readonly", "own PRAGMA query_only = OFF"));
        // Another program changes or deletes row 3 after this record set read it: nothing is
        // saved, whichever column it changed.
        const QString conflict = "Title=ours 1; next; next; Problem==Problem 3; %1; new; ID=5; "
                                 "sql %2; send -> Conflict: \"AR\"; unchanged";
        for (const char* ours : {"Problem=ours 3", "del"}) {
            for (const char* theirs :
                 {"UPDATE AR SET Title = 'theirs' WHERE ID = 3", "DELETE FROM AR WHERE ID = 3",
                  "UPDATE AR SET reference = NULL WHERE ID = 3",
                  "UPDATE AR SET ID = 30 WHERE ID = 3",
                  "UPDATE AR SET Image10 = 'x.png' WHERE ID = 3"})
                row(QString("conflict: %1, %2").arg(ours, theirs), 4, conflict.arg(ours, theirs));
        }
        // The same on a server, with its own words for triggers, locks and read-only sessions.
        row("server: trigger refuses", 5,
            batch.arg("sql CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN IF "
                      "NEW.title = 'refused' THEN RAISE EXCEPTION 'titles like this are "
                      "refused';END IF;RETURN NEW;END$$; sql CREATE TRIGGER refuse BEFORE UPDATE "
                      "ON ar FOR EACH ROW EXECUTE FUNCTION refuse()",
                      "titles like this are refused", "sql DROP TRIGGER refuse ON ar"));
        row("server: locked", 5,
            batch.arg("sql BEGIN; sql LOCK TABLE ar IN EXCLUSIVE MODE", "lock", "sql ROLLBACK"));
        row("server: read-only", 5,
            batch.arg("own SET default_transaction_read_only = on", "read-only",
                      "own SET default_transaction_read_only = off"));
        // A whole-number column takes whole numbers only; what the server made of a sent row
        // (here a trigger's change) is what the next batch compares with.
        row("server: values", 2,
            "ID=2.5 -> BadValue; ID=12abc -> BadValue; ID= 0000 ; Title=0042; next; ID=25.0; send; "
            "file 0|0042|Problem 1, 25|Title 2|Problem 2; first; ID=  ; Title=; send; ID==; "
            "query SELECT coalesce(ID, -1) || Title || 'x' FROM AR ORDER BY rowid => -1x, "
            "25Title 2x; sql INSERT INTO AR (ID) VALUES (12), (-3); reopen; "
            "values ID => |-3|12|25; last; Problem==Problem 2; prev; Problem==; Image10==");
        row("server: rows by row key", 0,
            "sql INSERT INTO AR (ID, Title, Problem) VALUES (7, 'A', 'a'), (7, 'B', 'b'), "
            "(7, 'C', 'c'); sql CREATE FUNCTION stamp() RETURNS trigger LANGUAGE plpgsql AS "
            "$$BEGIN UPDATE ar SET editedby = 'trigger' WHERE rowid = NEW.rowid;RETURN NULL;END$$; "
            "sql CREATE TRIGGER stamp AFTER UPDATE OF title ON ar FOR EACH ROW EXECUTE FUNCTION "
            "stamp(); reopen; next; Problem==b; Title=once; send; EditedBy==trigger; "
            "Title=twice; ID=10; send; Title=three times; next; del; send; "
            "file 7|A|a, 10|three times|b");
    }

    void scenario()
    {
        QFETCH(TestFolder::Engine, engine);
        QFETCH(int, articles);
        QFETCH(QString, steps);
        Db db(articles, engine);
        play(db, steps);
    }
};

QTEST_GUILESS_MAIN(TestRecordSet)
#include "tst_recordset.moc"
