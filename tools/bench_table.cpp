// SPDX-License-Identifier: GPL-3.0-or-later
// The table of ardentry-bench: every command a technician waits for, as the program does it,
// beside the same work done with the engine's plain C interface on a connection of its own
// (SQLite's sqlite3_prepare_v2/sqlite3_step, libpq's PQexecParams), medians of repeated samples
// taken in turn. The start is timed as a user sees it: from the start of a new process to the end
// of the main window's first paint with the first article in the form (ardentry-bench-window).

#include "tools/bench_table.h"

#include "core/Backup.h"
#include "core/Connection.h"
#include "core/NewDatabase.h"
#include "core/QuickSearch.h"
#include "core/ServerAddress.h"
#include "core/db/SqliteEngine.h"
#include "core/mdlMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <libpq-fe.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace
{

QTextStream out(stdout);

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double elapsedMs(const std::function<void()>& action)
{
    QElapsedTimer timer;
    timer.start();
    action();
    return timer.nsecsElapsed() / 1e6;
}

// The medians (ms) of `ours` and `raw`, each run once untimed first and then `samples` times in
// turn, so that both find the same pages cached and meet the machine's moods alike. Sample i
// gets i.
std::pair<double, double> compare(int samples, const std::function<void(int)>& ours,
                                  const std::function<void(int)>& raw)
{
    ours(samples);
    raw(samples);
    std::vector<double> a, b;
    for (int i = 0; i < samples; ++i) {
        a.push_back(elapsedMs([&] { ours(i); }));
        b.push_back(elapsedMs([&] { raw(i); }));
    }
    return {median(a), median(b)};
}

// ---- The plain engine ----

// One row of a plain result.
struct Cells {
    sqlite3_stmt* statement;
    const PGresult* result;
    int row;

    qint64 integer(int c) const
    {
        return statement ? sqlite3_column_int64(statement, c)
                         : std::strtoll(PQgetvalue(result, row, c), nullptr, 10);
    }
    double number(int c) const
    {
        return statement ? sqlite3_column_double(statement, c)
                         : std::strtod(PQgetvalue(result, row, c), nullptr);
    }
    // Every column as text, as a form shows it: their total length.
    qint64 all() const
    {
        qint64 length = 0;
        const int columns = statement ? sqlite3_column_count(statement) : PQnfields(result);
        for (int c = 0; c < columns; ++c) {
            if (statement) {
                sqlite3_column_text(statement, c);
                length += sqlite3_column_bytes(statement, c);
            } else {
                length += PQgetlength(result, row, c);
            }
        }
        return length;
    }
};

// SQLite's C interface or libpq, on a connection of its own. Statements name their parameters
// $1, $2, ... on both.
class Raw
{
public:
    explicit Raw(const QString& path)
    {
        if (ServerAddress::looks(path)) {
            m_pg = PQconnectdb(path.toUtf8().constData());
            if (PQstatus(m_pg) != CONNECTION_OK)
                throw DbError(QString::fromUtf8(PQerrorMessage(m_pg)));
        } else if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_lite,
                                   SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            throw DbError(QString::fromUtf8(sqlite3_errmsg(m_lite)));
        }
        if (m_lite) {
            sqlite3_busy_timeout(m_lite, 10000);
            // The program's tokenizer, without which its phrase index cannot be read.
            db::registerWordPairs(m_lite);
        }
    }
    ~Raw()
    {
        if (m_pg)
            PQfinish(m_pg);
        for (const auto& statement : m_statements)
            sqlite3_finalize(statement.second);
        sqlite3_close(m_lite);
    }
    Raw(const Raw&) = delete;
    Raw& operator=(const Raw&) = delete;

    bool server() const { return m_pg != nullptr; }

    // Runs `sql` and hands every row to `row`; returns the number of rows.
    template <class Row> int each(const QByteArray& sql, const QVariantList& params, Row&& row)
    {
        int rows = 0;
        if (m_pg) {
            std::vector<QByteArray> texts;
            std::vector<const char*> values;
            for (const QVariant& param : params)
                texts.push_back(param.toString().toUtf8());
            for (const QByteArray& text : texts)
                values.push_back(text.constData());
            const std::unique_ptr<PGresult, void (*)(PGresult*)> result(
                PQexecParams(m_pg, sql.constData(), int(values.size()), nullptr, values.data(),
                             nullptr, nullptr, 0),
                &PQclear);
            const ExecStatusType status = PQresultStatus(result.get());
            if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK)
                throw DbError(QString::fromUtf8(PQerrorMessage(m_pg)));
            for (; rows < PQntuples(result.get()); ++rows)
                row(Cells{nullptr, result.get(), rows});
            return rows;
        }
        // Each statement is prepared once and kept, as the program keeps its own.
        sqlite3_stmt*& prepared = m_statements[sql.toStdString()];
        if (!prepared &&
            sqlite3_prepare_v2(m_lite, sql.constData(), -1, &prepared, nullptr) != SQLITE_OK)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(m_lite)));
        const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(prepared,
                                                                              &sqlite3_reset);
        for (int i = 0; i < int(params.size()); ++i) {
            if (params[i].typeId() == QMetaType::LongLong)
                sqlite3_bind_int64(prepared, i + 1, params[i].toLongLong());
            else
                sqlite3_bind_text(prepared, i + 1, params[i].toString().toUtf8().constData(), -1,
                                  SQLITE_TRANSIENT);
        }
        int rc = SQLITE_ROW;
        while ((rc = sqlite3_step(prepared)) == SQLITE_ROW)
            row(Cells{prepared, nullptr, rows++});
        if (rc != SQLITE_DONE)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(m_lite)));
        return rows;
    }
    int run(const QByteArray& sql, const QVariantList& params = {})
    {
        return each(sql, params, [](const Cells&) {});
    }

private:
    sqlite3* m_lite = nullptr;
    PGconn* m_pg = nullptr;
    std::map<std::string, sqlite3_stmt*> m_statements;
};

// A tsquery of the server's text-search configuration for the FTS5 query the program makes of
// what was typed: its "phrases" of words one after the other, the last word a prefix when
// marked so.
QString tsQuery(const QString& fts)
{
    QStringList terms;
    static const QRegularExpression term(QStringLiteral("\"((?:[^\"]|\"\")*)\"(\\*?)"));
    for (auto it = term.globalMatch(fts); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QStringList words;
        for (QString word : m.captured(1)
                                .replace(QStringLiteral("\"\""), QStringLiteral("\""))
                                .split(QLatin1Char(' '), Qt::SkipEmptyParts))
            words << QLatin1Char('\'') + word.replace(QLatin1Char('\''), QStringLiteral("''")) +
                         QLatin1Char('\'');
        if (!m.captured(2).isEmpty() && !words.isEmpty())
            words.last() += QStringLiteral(":*");
        terms << words.join(QStringLiteral(" <-> "));
    }
    return terms.join(QStringLiteral(" & "));
}

// What the quick search does, statement for statement, as plain statements: a phrase (on a
// server everything) is matched once, every found article with its rank, counted and cut here;
// plain words are counted first, then ranked by the engine (on a file with the marked lines of the
// best). Beyond RankedAtMost the best title matches come first, then the newest. Then the shown
// articles' columns and on a file the marked lines not made yet. Returns how many were found. With
// `pairs`, a typed "phrase" (one, alone) is found through the phrase index, as the program does
// when the database has it; otherwise through the index of words.
int rawQuickSearch(Raw& raw, const QString& typed, bool pairs, int limit = 50)
{
    const bool server = raw.server();
    const QString fts = quicksearch::ftsQuery(typed, true);
    const QString query = server ? tsQuery(fts) : fts;
    const bool phrase = tsQuery(fts).contains(QLatin1String("<->"));
    pairs = pairs && phrase;
    const QByteArray table = pairs ? "ardentry_pairs" : "ardentry_search";
    const QByteArray serverQuery =
        pairs ? "ardentry_pairs_query(ardentry_search_words($1, 2000), false)"
              : "to_tsquery('ardentry_search_text', $1)";
    const auto sql = [&](const char* text, bool inTitle) { // $W the match, $R the rank
        return QByteArray(text)
            .replace("FROM ardentry_search", "FROM " + table)
            .replace("$W", server
                               ? QByteArray(inTitle ? "title" : "document") + " @@ " + serverQuery
                               : table + " MATCH $1")
            .replace("$R",
                     server ? "-ts_rank('{0.1, 0.2, 0.5, 1.0}', document, " + serverQuery + ", 1)"
                            : "bm25(" + table + ", 10.0, 5.0, 2.0, 1.0, 1.0, 1.0)")
            .replace("$M", QByteArray::number(quicksearch::RankedAtMost + 1));
    };
    std::vector<qint64> marked; // found with their marked lines
    const auto best = [&](bool inTitle, int& total) {
        QVariant match =
            inTitle && !server ? QStringLiteral("{Title} : (%1)").arg(fts) : QVariant(query);
        if (pairs && server)
            match = QString(typed).remove(QLatin1Char('"'));
        std::vector<qint64> keys;
        const auto key = [&](const Cells& c) { keys.push_back(c.integer(0)); };
        if (phrase || server) {
            std::vector<std::pair<double, qint64>> ranked;
            total = raw.each(
                sql("SELECT rowid, $R FROM ardentry_search WHERE $W LIMIT $M", inTitle), {match},
                [&](const Cells& c) { ranked.emplace_back(c.number(1), c.integer(0)); });
            const auto cut = ranked.begin() + std::min<qsizetype>(limit, total);
            std::partial_sort(ranked.begin(), cut, ranked.end());
            for (auto it = ranked.begin(); it != cut && total <= quicksearch::RankedAtMost; ++it)
                keys.push_back(it->second);
        } else {
            raw.each(sql("SELECT count(*) FROM (SELECT 1 FROM ardentry_search WHERE $W LIMIT $M) "
                         "AS found",
                         inTitle),
                     {match}, [&](const Cells& c) { total = int(c.integer(0)); });
            if (total <= quicksearch::RankedAtMost)
                raw.each(sql(server ? "SELECT rowid FROM ardentry_search WHERE $W ORDER BY $R "
                                      "LIMIT $2"
                                    : "SELECT rowid, snippet(ardentry_search, -1, char(2), "
                                      "char(3), '...', 12) FROM ardentry_search WHERE $W ORDER BY "
                                      "$R LIMIT $2",
                             inTitle),
                         {match, qint64(limit)}, [&](const Cells& c) {
                             key(c);
                             marked.push_back(c.integer(0));
                         });
        }
        if (total > quicksearch::RankedAtMost)
            raw.each(sql("SELECT rowid FROM ardentry_search WHERE $W ORDER BY rowid DESC LIMIT $2",
                         inTitle),
                     {match, qint64(limit)}, key);
        return keys;
    };
    int total = 0;
    std::vector<qint64> keys = best(false, total);
    if (total > quicksearch::RankedAtMost) {
        int inTitle = 0;
        std::vector<qint64> first = best(true, inTitle);
        for (qint64 key : keys)
            if (int(first.size()) < limit &&
                std::find(first.begin(), first.end(), key) == first.end())
                first.push_back(key);
        keys = first;
    }
    const QByteArray columns = "SELECT ID, Title, CUName, techname, InitialEntry, Problem, "
                               "solution, reference FROM AR WHERE rowid ";
    const auto readAll = [](const Cells& c) { c.all(); };
    if (server) { // the marked lines are made in the program, from these columns
        QStringList list;
        for (qint64 key : keys)
            list << QString::number(key);
        raw.each(columns + "= ANY($1::bigint[])",
                 {QStringLiteral("{%1}").arg(list.join(QLatin1Char(',')))}, readAll);
        return total;
    }
    for (qint64 key : keys) {
        raw.each(columns + "= $1", {key}, readAll);
        if (std::find(marked.begin(), marked.end(), key) == marked.end())
            raw.each("SELECT snippet(ardentry_search, -1, char(2), char(3), '...', 12) FROM "
                     "ardentry_search WHERE ardentry_search MATCH $1 AND rowid = $2",
                     {query, key}, readAll);
    }
    return total;
}

// ---- The window's start, in a process of its own ----

struct Started {
    double paint = 0;    // ms from the start of the process to the end of the first paint
    double finished = 0; // ... to the end of the work after the start (the daily copy)
    double memory = 0;   // MB, peak
    QString shown;       // the article number in the form at the first paint
};

Started startWindow(const QString& database)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    const long long begun = std::chrono::steady_clock::now().time_since_epoch().count();
    child.start(QCoreApplication::applicationDirPath() + QStringLiteral("/ardentry-bench-window"),
                {database});
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0)
        throw DbError(
            QStringLiteral("the window did not start: %1 %2")
                .arg(child.errorString(), QString::fromLocal8Bit(child.readAllStandardError())));
    Started started;
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        const double ms = (words.value(1).toLongLong() - begun) / 1e6;
        if (words.first() == "painted") {
            started.paint = ms;
            started.shown = QString::fromUtf8(words.value(2));
        } else if (words.first() == "finished") {
            started.finished = ms;
        } else if (words.first() == "memory") {
            started.memory = words.value(1).toDouble();
        }
    }
    return started;
}

// The medians of `samples` starts of `database` and of `small`, taken in turn; a first start of
// the day finds no copy made today.
std::pair<Started, Started> starts(const QString& database, const QString& small, int samples,
                                   bool firstOfDay)
{
    std::vector<Started> runs[2];
    for (int i = 0; i < 2 * samples; ++i) {
        const QString& which = i % 2 ? small : database;
        if (firstOfDay) // the bench's own databases: their copies can go
            for (const QString& copy : backup::automaticCopies(which))
                QFile::remove(copy);
        runs[i % 2].push_back(startWindow(which));
    }
    const auto medians = [](const std::vector<Started>& all) {
        const auto of = [&](double Started::*figure) {
            std::vector<double> values;
            for (const Started& one : all)
                values.push_back(one.*figure);
            return median(values);
        };
        return Started{of(&Started::paint), of(&Started::finished), of(&Started::memory),
                       all.back().shown};
    };
    return {medians(runs[0]), medians(runs[1])};
}

// ---- The figures ----

struct Figure {
    QString label;
    double ours = 0;
    double raw = 0;
    QString detail;
    QString unit = QStringLiteral("ms");
};

void print(const Figure& f)
{
    out << QStringLiteral("  %1 %2 %3   raw %4 %3   ratio %5")
               .arg(f.label, -44)
               .arg(f.ours, 9, 'f', 2)
               .arg(f.unit)
               .arg(f.raw, 9, 'f', 2)
               .arg(f.raw > 0 ? f.ours / f.raw : 0, 6, 'f', 2);
    if (!f.detail.isEmpty())
        out << "   " << f.detail;
    out << Qt::endl;
}

// Every figure of one engine: `path` with its articles, `small` a database of 100 articles
// there, whose start is the part of a start that does not grow with the table.
std::vector<Figure> measure(const QString& path, const QString& small, int samples)
{
    std::vector<Figure> figures;
    const auto add = [&](Figure f) {
        print(f);
        figures.push_back(std::move(f));
    };
    Raw raw(path);
    const bool server = raw.server();
    const QByteArray firstArticle = server
                                        ? "SELECT * FROM AR ORDER BY ID NULLS FIRST, rowid LIMIT 1"
                                        : "SELECT * FROM AR ORDER BY ID, rowid LIMIT 1";
    const auto readAll = [](const Cells& c) { c.all(); };

    // The start: the part that grows with the table beside the plain ordered key scan.
    std::vector<qint64> keys;
    const auto keyScan = [&](int) {
        keys.clear();
        raw.each(server ? "SELECT rowid FROM AR ORDER BY ID NULLS FIRST, rowid"
                        : "SELECT rowid FROM AR ORDER BY ID, rowid",
                 {}, [&](const Cells& c) { keys.push_back(c.integer(0)); });
    };
    for (const QString& database : {path, small})
        startWindow(database); // the history's tables, today's copy; the cache warmed
    const auto scan = compare(samples, keyScan, keyScan).second;
    const auto [big, base] = starts(path, small, samples, false);
    add({QStringLiteral("start to first article shown (growing part)"), big.paint - base.paint,
         scan,
         QStringLiteral("start %1 ms, %2 ms of it with 100 articles; article %3 shown")
             .arg(big.paint, 0, 'f', 1)
             .arg(base.paint, 0, 'f', 1)
             .arg(big.shown)});
    if (!server) {
        const auto [day, dayBase] = starts(path, small, samples, true);
        add({QStringLiteral("  first start of the day (growing part)"), day.paint - dayBase.paint,
             scan,
             QStringLiteral("start %1 ms (%2 with 100 articles), daily copy done at %3 ms")
                 .arg(day.paint, 0, 'f', 1)
                 .arg(dayBase.paint, 0, 'f', 1)
                 .arg(day.finished, 0, 'f', 0)});
    }

    // The program's own commands, as its windows run them.
    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("Ini"));
    {
        QFile ini(folder.filePath(QStringLiteral("Ini/arprefs.ini")));
        if (!ini.open(QIODevice::WriteOnly))
            throw DbError(QStringLiteral("cannot write the preferences file"));
        ini.write("[General]\r\nPath=" + path.toUtf8() + "\r\n");
    }
    mdlMain app(folder.path());
    app.Main();
    RecordSet& rs = app.rsMain;
    const QStringList columns = rs.columnNames();
    const auto show = [&] { // what the form reads of the current article
        for (const QString& column : columns)
            rs.value(column);
    };
    auto [refresh, first] = compare(
        samples,
        [&](int) {
            app.ReloadArticles();
            show();
        },
        [&](int) { raw.each(firstArticle, {}, readAll); });
    add({QStringLiteral("Refresh, nothing changed"), refresh, first,
         QStringLiteral("raw: the first article read")});

    // Delete: the raw side deletes other articles first; the program then reads the keys anew
    // once (another writer), untimed, and deletes the last article a time.
    std::vector<qint64> last;
    rs.moveLast();
    for (int i = 0; i < 2 * samples + 2; ++i, rs.movePrevious())
        last.push_back(rs.currentKey());
    std::vector<double> rawDeletes, deletes;
    for (int i = 0; i < samples; ++i)
        rawDeletes.push_back(elapsedMs([&] {
            raw.run("DELETE FROM AR WHERE rowid = $1", {last[size_t(samples + 2 + i)]});
            raw.each(firstArticle, {}, readAll);
        }));
    app.ReloadArticles();
    for (int i = 0; i < samples; ++i)
        deletes.push_back(elapsedMs([&] {
            rs.moveLast();
            rs.deleteCurrent();
            rs.updateBatch();
            app.ReloadArticles();
            show();
        }));
    add({QStringLiteral("Delete"), median(deletes), median(rawDeletes),
         QStringLiteral("then the first article shown")});

    // The Search dialog: the first article current, the filter, the count, the form.
    const auto dialog = [&](const QString& criteria) {
        if (rs.recordCount() > 0)
            rs.moveFirst();
        rs.setFilter(criteria);
        if (rs.recordCount() > 0)
            show();
        return rs.recordCount();
    };
    const int count = rs.recordCount();
    const auto number = [&](int i) { return qint64(count / 3 + 7 * i); };
    auto [byNumber, rawByNumber] = compare(
        samples,
        [&](int i) {
            rs.setFilter(QStringLiteral("ID = #%1#").arg(number(i)));
            rs.moveFirst();
        },
        [&](int i) {
            raw.each("SELECT rowid FROM AR WHERE ID = $1", {number(i)},
                     [&](const Cells& c) { c.integer(0); });
        });
    add({QStringLiteral("number search, record set"), byNumber, rawByNumber, QString()});
    auto [inDialog, rawInDialog] = compare(
        samples, [&](int i) { dialog(QStringLiteral("ID = #%1#").arg(number(i))); },
        [&](int i) { raw.each("SELECT * FROM AR WHERE ID = $1", {number(i)}, readAll); });
    add({QStringLiteral("number search, Search dialog"), inDialog, rawInDialog,
         QStringLiteral("raw: the article read")});
    int found = 0;
    int rawFound = 0;
    auto [like, rawLike] = compare(
        samples, [&](int) { found = dialog(QStringLiteral("Problem LIKE #*printer*#")); },
        [&](int) {
            rawFound =
                raw.each(server ? "SELECT rowid FROM AR WHERE Problem ILIKE $1"
                                : "SELECT rowid FROM AR WHERE Problem LIKE $1",
                         {QStringLiteral("%printer%")}, [&](const Cells& c) { c.integer(0); });
        });
    add({QStringLiteral("Search dialog, Problem contains \"printer\""), like, rawLike,
         QStringLiteral("%1 found (raw %2)").arg(found).arg(rawFound)});
    app.ReloadArticles();

    // The quick search.
    if (!quicksearch::hasIndex(app.dbConnection.database())) {
        out << "  (building the quick-search index)" << Qt::endl;
        quicksearch::buildIndex(app.dbConnection, {});
    }
    if (!quicksearch::hasPhraseIndex(app.dbConnection.database())) {
        out << "  (building the phrase index: "
            << elapsedMs([&] { quicksearch::buildPhraseIndex(app.dbConnection, {}); }) << " ms)"
            << Qt::endl;
    }
    QList<quicksearch::Hit> hits;
    // Phrases of common words (in about a sixth of the generated articles), two words, a word in
    // nearly every article.
    for (const char* typed : {"\"the share\"", "\"the share session\"", "network printer", "the"}) {
        quicksearch::Result result;
        int total = 0;
        const QString text = QString::fromUtf8(typed);
        auto [quick, rawQuick] = compare(
            samples, [&](int) { result = quicksearch::search(app.dbConnection, text); },
            [&](int) { total = rawQuickSearch(raw, text, true); });
        QString words;
        if (quicksearch::hasPhrase(text)) {
            // The same phrase through the index of words alone, as before the phrase index.
            std::vector<double> times;
            for (int i = 0; i <= samples; ++i)
                times.push_back(elapsedMs([&] { rawQuickSearch(raw, text, false); }));
            times.erase(times.begin());
            words = QStringLiteral("; raw without the phrase index %1 ms")
                        .arg(median(times), 0, 'f', 1);
        }
        add({QStringLiteral("quick search [%1]").arg(text), quick, rawQuick,
             QStringLiteral("%1%2 found (raw %3), %4 shown%5")
                 .arg(result.overflow ? QStringLiteral("over ") : QString())
                 .arg(result.overflow ? quicksearch::RankedAtMost : result.total)
                 .arg(total)
                 .arg(result.hits.size())
                 .arg(words)});
        if (hits.isEmpty() || result.hits.size() > hits.size())
            hits = result.hits;
    }

    // Opening a hit, as the results list does.
    auto [opened, rawOpen] = compare(
        samples,
        [&](int i) {
            const qint64 key = hits[i % hits.size()].key;
            if (!rs.isOpen() || !rs.filter().isEmpty() || !rs.moveToKey(key)) {
                app.ReloadArticles();
                rs.moveToKey(key);
            }
            rs.value(QStringLiteral("ID"));
            show();
        },
        [&](int i) {
            raw.each("SELECT * FROM AR WHERE rowid = $1", {hits[i % hits.size()].key}, readAll);
        });
    add({QStringLiteral("opening a quick-search hit"), opened, rawOpen,
         QStringLiteral("raw: the article read")});

    add({QStringLiteral("memory (peak, the started window)"), big.memory, base.memory,
         QStringLiteral("raw: the same start with 100 articles"), QStringLiteral("MB")});
    return figures;
}

// A database of 100 articles beside `database`: a file in `folder`, or another database on the
// same server.
QString smallDatabase(const QString& database, const QTemporaryDir& folder)
{
    if (!ServerAddress::looks(database)) {
        const QString path = folder.filePath(QStringLiteral("small.db"));
        if (!QFile::exists(path))
            createArticleDatabase(path, {false, 100});
        return path;
    }
    ServerAddress address;
    ServerAddress::parse(database, address);
    address.database += QStringLiteral("_small");
    const QString small = address.display();
    Raw raw(database);
    if (raw.run("SELECT 1 FROM pg_database WHERE datname = $1", {address.database}) == 0)
        raw.run(
            QStringLiteral("CREATE DATABASE \"%1\"").arg(address.database).toUtf8().constData());
    fillServerIfEmpty(small, 100);
    return small;
}

} // namespace

void fillServerIfEmpty(const QString& address, int articles)
{
    Raw raw(address);
    if (raw.run("SELECT 1 WHERE to_regclass('ar') IS NULL") == 1)
        createArticleDatabase(address, {false, articles});
}

void benchTable(const QString& file, const QString& server, int samples)
{
    QTemporaryDir folder;
    const QStringList databases = server.isEmpty() ? QStringList{file} : QStringList{file, server};
    std::vector<std::vector<Figure>> all;
    for (const QString& database : databases) {
        out << Qt::endl
            << (ServerAddress::looks(database) ? "Server" : "File")
            << QStringLiteral(", medians of %1 samples; raw: the same work with %2")
                   .arg(samples)
                   .arg(ServerAddress::looks(database) ? QStringLiteral("libpq")
                                                       : QStringLiteral("SQLite's C interface"))
            << Qt::endl;
        all.push_back(measure(database, smallDatabase(database, folder), samples));
    }
    if (all.size() < 2)
        return;
    out << Qt::endl
        << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
               .arg(QString(), -44)
               .arg(QStringLiteral("file"), 9)
               .arg(QStringLiteral("raw"), 9)
               .arg(QStringLiteral("ratio"), 6)
               .arg(QStringLiteral("server"), 9)
               .arg(QStringLiteral("raw"), 9)
               .arg(QStringLiteral("ratio"), 6)
               .arg(QStringLiteral("server/file"), 12)
        << Qt::endl;
    for (const Figure& f : all[0]) {
        const auto s = std::find_if(all[1].begin(), all[1].end(),
                                    [&](const Figure& g) { return g.label == f.label; });
        out << QStringLiteral("%1 %2 %3 %4")
                   .arg(f.label, -44)
                   .arg(f.ours, 9, 'f', 2)
                   .arg(f.raw, 9, 'f', 2)
                   .arg(f.raw > 0 ? f.ours / f.raw : 0, 6, 'f', 2);
        if (s != all[1].end())
            out << QStringLiteral(" %1 %2 %3 %4")
                       .arg(s->ours, 9, 'f', 2)
                       .arg(s->raw, 9, 'f', 2)
                       .arg(s->raw > 0 ? s->ours / s->raw : 0, 6, 'f', 2)
                       .arg(f.ours > 0 ? s->ours / f.ours : 0, 12, 'f', 2);
        out << Qt::endl;
    }
}
