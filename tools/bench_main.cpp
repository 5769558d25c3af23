// SPDX-License-Identifier: GPL-3.0-or-later
// ardentry-bench [--articles N] [--keep PATH] [--server ADDRESS] [--record-set]
// ardentry-bench --pictures [--server ADDRESS]   (see bench_pictures.cpp)
// Builds an article database of N generated articles (default 100000) and times the record-set
// operations the program depends on. With --keep the database is written to PATH and kept (an
// existing PATH is reused as it is). With --server the same articles go into that server
// database (when it holds no tables yet), and the program's operations are timed on the file and
// on the server side by side, each beside the raw query on the same data. With --record-set
// only the record set's figures are taken.

#include "core/Backup.h"
#include "core/Connection.h"
#include "core/History.h"
#include "core/NewDatabase.h"
#include "core/QuickSearch.h"
#include "core/RecordSet.h"
#include "core/ServerAddress.h"
#include "core/mdlMain.h"
#include "tools/bench_pictures.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace
{

QTextStream out(stdout);

double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

double indexMegabytes(QSqlDatabase& database)
{
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("SELECT sum(pgsize) FROM dbstat WHERE name LIKE "
                                   "'ardentry_search%'")) ||
        !query.next())
        return -1;
    return query.value(0).toDouble() / 1048576.0;
}

double timed(const QString& label, const std::function<QString()>& action)
{
    QElapsedTimer timer;
    timer.start();
    const QString detail = action();
    const double seconds = timer.nsecsElapsed() / 1e9;
    out << QStringLiteral("%1 %2 s").arg(label, -48).arg(seconds, 8, 'f', 3);
    if (!detail.isEmpty())
        out << "   " << detail;
    out << Qt::endl;
    return seconds;
}

// Times `ours` and `raw` (the same work as a plain query on the same file) and prints both with
// their ratio; the raw query runs once more before, untimed.
void pair(const QString& label, const std::function<QString()>& ours,
          const std::function<QString()>& raw, bool warmUp = true)
{
    // The raw query runs once first, so that both find the same pages in the cache. Not for
    // writes: another connection's write would make the program read its rows afresh.
    if (warmUp)
        raw();
    QElapsedTimer timer;
    timer.start();
    const QString detail = ours();
    const double a = timer.nsecsElapsed() / 1e6;
    timer.restart();
    raw();
    const double b = timer.nsecsElapsed() / 1e6;
    out << QStringLiteral("%1 %2 ms   raw %3 ms   ratio %4")
               .arg(label, -40)
               .arg(a, 9, 'f', 3)
               .arg(b, 9, 'f', 3)
               .arg(b > 0 ? a / b : 0, 6, 'f', 2);
    if (!detail.isEmpty())
        out << "   " << detail;
    out << Qt::endl;
}

// Runs a query and reads every row: the raw work the program's operation stands beside.
QString rawQuery(QSqlDatabase& database, const QString& sql)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.exec(sql))
        throw DbError(query.lastError().text());
    int rows = 0;
    while (query.next())
        ++rows;
    return QString::number(rows);
}

// The operations of the program beside the raw queries they stand for.
void scale(const QString& path)
{
    out << Qt::endl << "Program operations beside the raw query on the same file" << Qt::endl;
    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("Ini"));
    {
        QFile ini(folder.filePath(QStringLiteral("Ini/arprefs.ini")));
        if (!ini.open(QIODevice::WriteOnly))
            throw DbError(QStringLiteral("cannot write the preferences file"));
        ini.write("[General]\r\nPath=" + path.toUtf8() + "\r\n");
    }
    mdlMain app(folder.path());
    Connection raw;
    raw.open(path);
    QSqlDatabase& db = raw.database();
    pair(
        QStringLiteral("start-up to the first article"),
        [&] {
            app.Main();
            app.rsMain.moveFirst();
            return QStringLiteral("first ID %1").arg(app.rsMain.value(QStringLiteral("ID")));
        },
        [&] { return rawQuery(db, QStringLiteral("SELECT rowid FROM AR ORDER BY ID, rowid")); });
    pair(
        QStringLiteral("Add New: next article number"),
        [&] { return QString::number(app.NextArticleNumber()); },
        [&] { return rawQuery(db, QStringLiteral("SELECT MAX(ID) FROM AR")); });
    const int middle = app.rsMain.recordCount() / 2;
    pair(
        QStringLiteral("AR Number search"),
        [&] {
            app.rsMain.setFilter(QStringLiteral("ID = #%1#").arg(middle));
            return QStringLiteral("%1 found").arg(app.rsMain.recordCount());
        },
        [&] {
            return rawQuery(db, QStringLiteral("SELECT rowid FROM AR WHERE ID = %1").arg(middle));
        });
    pair(
        QStringLiteral("Problem LIKE search"),
        [&] {
            app.rsMain.setFilter(QStringLiteral("Problem LIKE #*printer*#"));
            return QStringLiteral("%1 found").arg(app.rsMain.recordCount());
        },
        [&] {
            return rawQuery(db, QStringLiteral("SELECT rowid FROM AR WHERE Problem LIKE "
                                               "'%printer%'"));
        });
    // The same search for a word in every tenth article, one in most and one in hardly any, as
    // medians of samples taken in turn.
    for (const char* word : {"printer", "network", "toner"}) {
        const QLatin1String needle(word);
        std::array<std::vector<double>, 2> ms;
        int found = 0;
        for (int i = 0; i < 7; ++i) {
            QElapsedTimer timer;
            timer.start();
            app.rsMain.setFilter(QStringLiteral("Problem LIKE #*%1*#").arg(needle));
            ms[0].push_back(timer.nsecsElapsed() / 1e6);
            found = app.rsMain.recordCount();
            timer.restart();
            rawQuery(db,
                     QStringLiteral("SELECT rowid FROM AR WHERE Problem LIKE '%%1%'").arg(needle));
            ms[1].push_back(timer.nsecsElapsed() / 1e6);
        }
        for (auto& times : ms)
            std::sort(times.begin(), times.end());
        const double a = ms[0][3];
        const double b = ms[1][3];
        out << QStringLiteral("%1 %2 ms   raw %3 ms   ratio %4   %5 found, medians of 7")
                   .arg(QStringLiteral("Problem LIKE search \"%1\"").arg(needle), -40)
                   .arg(a, 9, 'f', 3)
                   .arg(b, 9, 'f', 3)
                   .arg(a / b, 6, 'f', 2)
                   .arg(found)
            << Qt::endl;
    }
    app.ReloadArticles();
    pair(
        QStringLiteral("Save (one column of the first article)"),
        [&] {
            app.rsMain.moveFirst();
            app.rsMain.collect(QStringLiteral("Title"), QStringLiteral("Bench save"));
            app.rsMain.updateBatch(QStringLiteral("ID"));
            return QString();
        },
        [&] {
            // Another article than the program's, which would otherwise find it changed.
            return rawQuery(db, QStringLiteral("UPDATE AR SET Title = 'Raw save' WHERE rowid = "
                                               "(SELECT rowid FROM AR ORDER BY ID LIMIT 1)"));
        },
        false);
    pair(
        QStringLiteral("Delete (and show the first article)"),
        [&] {
            app.rsMain.moveLast();
            app.rsMain.deleteCurrent();
            app.rsMain.updateBatch();
            app.ReloadArticles();
            return QStringLiteral("%1 left").arg(app.rsMain.recordCount());
        },
        [&] {
            return rawQuery(db, QStringLiteral("DELETE FROM AR WHERE rowid = (SELECT MAX(rowid) "
                                               "FROM AR)"));
        },
        false);
    if (!quicksearch::hasIndex(db)) {
        timed(QStringLiteral("build the quick-search index"), [&] {
            quicksearch::buildIndex(app.dbConnection, {});
            return QString();
        });
    }
    const auto quick = [&](const QString& typed) {
        pair(
            QStringLiteral("quick search \"%1\"").arg(typed),
            [&] {
                const auto result = quicksearch::search(app.dbConnection, typed);
                return QStringLiteral("%1 found, %2 shown")
                    .arg(result.total)
                    .arg(result.hits.size());
            },
            [&] {
                // The same search as one plain ranked query, as a user of the shell would.
                QSqlQuery query(db);
                query.prepare(QStringLiteral(
                    "SELECT rowid, snippet(ardentry_search, -1, '[', ']', '...', 12) FROM "
                    "ardentry_search WHERE ardentry_search MATCH ? ORDER BY "
                    "bm25(ardentry_search, 10.0, 5.0, 2.0, 1.0, 1.0, 1.0) LIMIT 50"));
                query.addBindValue(quicksearch::ftsQuery(typed, false));
                if (!query.exec())
                    throw DbError(query.lastError().text());
                while (query.next()) {
                }
                return QString();
            });
    };
    quick(QStringLiteral("printer toner"));
    quick(QStringLiteral("network printer"));
    quick(QStringLiteral("the"));
    quick(QStringLiteral("\"the user\""));
    quick(QStringLiteral("\"the user\" network"));
    out << QStringLiteral("quick-search index size %1 MB").arg(indexMegabytes(db), 0, 'f', 1)
        << Qt::endl;
}

// History and trash: the extra cost of Save and Delete once the triggers keep versions and
// deleted articles, the room a version takes, and a whole backup. Two copies of the file, one with
// the history's tables, get the same saves and deletes in turn, so that the disk's moods fall on
// both alike; once as the program writes (each commit waits for the disk) and once without that
// wait, which shows what the triggers themselves cost.
void historyCosts(const QString& path)
{
    struct Side {
        QString file;
        Connection connection;
        RecordSet rs{connection};
    };
    std::array<Side, 2> sides; // without, with the history
    for (int s = 0; s < 2; ++s) {
        sides[s].file = path + (s ? QStringLiteral(".with-history") : QStringLiteral(".without"));
        QFile::remove(sides[s].file);
        if (!QFile::copy(path, sides[s].file))
            throw DbError(QStringLiteral("cannot copy the database for the history figures"));
        sides[s].connection.open(sides[s].file);
    }
    timed(QStringLiteral("history: add its tables and triggers"), [&] {
        history::install(sides[1].connection);
        history::recordWriter(sides[1].connection, QStringLiteral("bench"));
        return QString();
    });
    const auto median = [](std::vector<double> times) {
        std::sort(times.begin(), times.end());
        return times.empty() ? 0.0 : times[times.size() / 2];
    };
    const int n = 200;
    for (const char* synchronous : {"FULL", "OFF"}) {
        std::array<std::vector<double>, 2> saves;
        std::array<std::vector<double>, 2> deletes;
        for (int s = 0; s < 2; ++s) {
            QSqlQuery(sides[s].connection.database())
                .exec(QStringLiteral("PRAGMA synchronous = ") + QLatin1String(synchronous));
            sides[s].rs.open(QString::fromLatin1(mdlMain::ArticleQuery));
        }
        QElapsedTimer clock;
        for (int i = 0; i < n; ++i) {
            for (int s = 0; s < 2; ++s) {
                RecordSet& rs = sides[s].rs;
                rs.moveFirst();
                for (int k = 0; k < (i * 97) % (rs.recordCount() - 2 * n); ++k)
                    rs.moveNext();
                clock.start();
                rs.collect(
                    QStringLiteral("Title"),
                    QStringLiteral("History bench %1 %2").arg(QLatin1String(synchronous)).arg(i));
                rs.updateBatch(QStringLiteral("ID"));
                saves[s].push_back(clock.nsecsElapsed() / 1e6);
                rs.moveLast();
                clock.start();
                rs.deleteCurrent();
                rs.updateBatch();
                deletes[s].push_back(clock.nsecsElapsed() / 1e6);
            }
        }
        out << QStringLiteral("history, synchronous=%1: Save %2 -> %3 ms, Delete %4 -> %5 ms "
                              "(medians of %6)")
                   .arg(QLatin1String(synchronous))
                   .arg(median(saves[0]), 0, 'f', 2)
                   .arg(median(saves[1]), 0, 'f', 2)
                   .arg(median(deletes[0]), 0, 'f', 2)
                   .arg(median(deletes[1]), 0, 'f', 2)
                   .arg(n)
            << Qt::endl;
    }
    QSqlQuery size(sides[1].connection.database());
    if (size.exec(QStringLiteral(
            "SELECT (SELECT sum(pgsize) FROM dbstat WHERE name IN ('ardentry_history', "
            "'ardentry_history_article', 'ardentry_history_trash')), (SELECT count(*) FROM "
            "ardentry_history), (SELECT sum(pgsize) FROM dbstat WHERE name = 'AR'), "
            "(SELECT count(*) FROM AR)")) &&
        size.next())
        out << QStringLiteral("history: %1 bytes per version (with its indexes, %2 versions), "
                              "%3 bytes per article in AR")
                   .arg(size.value(0).toDouble() / std::max(1.0, size.value(1).toDouble()), 0, 'f',
                        0)
                   .arg(size.value(1).toInt())
                   .arg(size.value(2).toDouble() / std::max(1.0, size.value(3).toDouble()), 0, 'f',
                        0)
            << Qt::endl;
    const QString target = path + QStringLiteral(".backup");
    timed(QStringLiteral("backup: whole copy in steps + quick_check"), [&] {
        BackupJob job(sides[1].connection, target);
        int steps = 1;
        while (!job.step(256))
            ++steps;
        const QStringList problems = backup::quickCheck(target);
        return QStringLiteral("%1 steps, %2 MB, %3")
            .arg(steps)
            .arg(QFileInfo(target).size() / 1048576.0, 0, 'f', 1)
            .arg(problems.isEmpty() ? QStringLiteral("sound") : problems.first());
    });
    QFile::remove(target);
    for (Side& side : sides) {
        side.rs.close();
        side.connection.close();
        QFile::remove(side.file);
    }
}

int usage()
{
    std::fprintf(stderr, "usage: ardentry-bench [--articles N] [--keep PATH] [--server ADDRESS] "
                         "[--record-set]\n"
                         "       ardentry-bench --pictures [--server ADDRESS]\n");
    return 2;
}

// One engine's side of the comparison: the program's state and a connection of its own for the
// raw queries.
struct Side {
    explicit Side(const QString& database) : path(database) {}
    QString path;
    QTemporaryDir folder;
    std::unique_ptr<mdlMain> app;
    Connection raw;
};

// Milliseconds of `action`: the median of `runs` runs.
double medianMs(int runs, const std::function<void()>& action)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        action();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The record set's costs that grow with the table, as medians of repeated samples: its open
// beside a plain sqlite3_step scan of the same ordered keys, Refresh with nothing changed, Delete
// (with the Refresh after it), the number search and opening a row by its key.
void recordSetFigures(const QString& path)
{
    const bool server = ServerAddress::looks(path);
    out << Qt::endl << "Record set, medians (ms), " << (server ? "server" : "file") << Qt::endl;
    sqlite3* plain = nullptr;
    if (!server)
        sqlite3_open_v2(QFile::encodeName(path).constData(), &plain, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> closer(plain, &sqlite3_close);
    Connection connection;
    connection.open(path);
    const auto plainKeys = [&](const char* sql) {
        if (server) { // the driver's plain loop: no plainer client is at hand
            rawQuery(connection.database(),
                     QString::fromUtf8(sql).replace("ID,", "ID NULLS FIRST,"));
            return std::vector<qint64>();
        }
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(plain, sql, -1, &statement, nullptr);
        static size_t room = 0; // as many as the last time: the raw side grows nothing
        std::vector<qint64> keys;
        keys.reserve(room);
        while (sqlite3_step(statement) == SQLITE_ROW)
            keys.push_back(sqlite3_column_int64(statement, 0));
        sqlite3_finalize(statement);
        room = std::max(room, keys.size());
        return keys;
    };
    RecordSet rs(connection);
    const auto row = [](const QString& label, double ours, double raw) {
        out << QStringLiteral("%1 %2 ms").arg(label, -40).arg(ours, 9, 'f', 3);
        if (raw > 0)
            out << QStringLiteral("   raw %1 ms   ratio %2")
                       .arg(raw, 9, 'f', 3)
                       .arg(ours / raw, 6, 'f', 2);
        out << Qt::endl;
    };
    const double scan = medianMs(7, [&] { plainKeys("SELECT rowid FROM AR ORDER BY ID, rowid"); });
    const double open = medianMs(7, [&] { rs.open(QString::fromLatin1(mdlMain::ArticleQuery)); });
    row(QStringLiteral("open (ordered keys)"), open, scan);
    row(QStringLiteral("Refresh, nothing changed"), medianMs(21, [&] { rs.requery(); }), 0);
    row(QStringLiteral("Delete the last article, then Refresh"),
        medianMs(11,
                 [&] {
                     rs.moveLast();
                     rs.deleteCurrent();
                     rs.updateBatch();
                     rs.requery();
                 }),
        0);
    const int count = rs.recordCount();
    int n = 0;
    const double search = medianMs(21, [&] {
        rs.setFilter(QStringLiteral("ID = #%1#").arg(count / 3 + 7 * ++n));
        rs.moveFirst();
    });
    n = 0;
    const double raw = medianMs(21, [&] {
        plainKeys(QStringLiteral("SELECT rowid FROM AR WHERE ID = %1")
                      .arg(count / 3 + 7 * ++n)
                      .toUtf8()
                      .constData());
    });
    row(QStringLiteral("number search"), search, raw);
    rs.setFilter(QString());
    std::vector<qint64> keys;
    for (rs.moveFirst(); keys.size() < 200 && !rs.eof(); rs.moveNext())
        keys.push_back(rs.currentKey());
    std::reverse(keys.begin(), keys.end());
    size_t k = 0;
    row(QStringLiteral("open a row by its key"),
        medianMs(21, [&] { rs.moveToKey(keys[k++ % keys.size()]); }), 0);
}

// The operations a technician feels, on the file and on the server.
void engines(const QString& file, const QString& address)
{
    out << Qt::endl
        << "The same operations on the file and on the server (ms; median of several runs where "
           "noted; raw: the plain query on the same data)"
        << Qt::endl;
    std::array<std::unique_ptr<Side>, 2> sides{std::make_unique<Side>(file),
                                               std::make_unique<Side>(address)};
    for (auto& side : sides) {
        QDir(side->folder.path()).mkpath(QStringLiteral("Ini"));
        QFile ini(side->folder.filePath(QStringLiteral("Ini/arprefs.ini")));
        if (!ini.open(QIODevice::WriteOnly))
            throw DbError(QStringLiteral("cannot write the preferences file"));
        ini.write("[General]\r\nPath=" + side->path.toUtf8() + "\r\n");
        ini.close();
        side->app = std::make_unique<mdlMain>(side->folder.path());
        side->raw.open(side->path);
    }
    struct Row {
        QString label;
        std::function<double(Side&)> ours;
        std::function<double(Side&)> raw;
    };
    const auto once = [](const std::function<void()>& action) { return medianMs(1, action); };
    const QString likeRaw = QStringLiteral("SELECT rowid FROM AR WHERE Problem %1 '%printer%'");
    const std::vector<Row> rows{
        {QStringLiteral("open to the first article"),
         [&](Side& s) {
             return once([&] {
                 s.app->Main();
                 s.app->rsMain.moveFirst();
                 s.app->rsMain.value(QStringLiteral("Problem"));
             });
         },
         [&](Side& s) {
             return once([&] {
                 rawQuery(s.raw.database(),
                          QStringLiteral("SELECT rowid FROM AR ORDER BY ID, rowid"));
                 rawQuery(s.raw.database(), QStringLiteral("SELECT * FROM AR WHERE rowid = 1"));
             });
         }},
        {QStringLiteral("Next (each of 2,000 moves, us)"),
         [&](Side& s) {
             RecordSet& rs = s.app->rsMain;
             rs.moveFirst();
             return once([&] {
                        for (int i = 0; i < 2000; ++i) {
                            rs.moveNext();
                            rs.value(QStringLiteral("Problem"));
                        }
                    }) /
                    2.0;
         },
         [&](Side& s) {
             return once([&] {
                        rawQuery(s.raw.database(),
                                 s.raw.isServer()
                                     ? QStringLiteral("SELECT * FROM AR ORDER BY ID NULLS FIRST, "
                                                      "rowid LIMIT 2000 OFFSET 5000")
                                     : QStringLiteral(
                                           "SELECT * FROM AR ORDER BY ID LIMIT 2000 OFFSET 5000"));
                    }) /
                    2.0;
         }},
        {QStringLiteral("Save (median of 20)"),
         [&](Side& s) {
             RecordSet& rs = s.app->rsMain;
             int n = 0;
             return medianMs(20, [&] {
                 rs.collect(QStringLiteral("Title"), QStringLiteral("Bench save %1").arg(++n));
                 rs.updateBatch(QStringLiteral("ID"));
             });
         },
         [&](Side& s) {
             int n = 0;
             return medianMs(20, [&] {
                 QSqlQuery query(s.raw.database());
                 query.prepare(QStringLiteral("UPDATE AR SET Title = ? WHERE rowid = 2"));
                 query.addBindValue(QStringLiteral("Raw save %1").arg(++n));
                 query.exec();
             });
         }},
        {QStringLiteral("Search dialog: Problem has \"printer\""),
         [&](Side& s) {
             return once([&] {
                 s.app->rsMain.setFilter(QStringLiteral("Problem LIKE #*printer*#"));
                 s.app->rsMain.moveFirst();
             });
         },
         [&](Side& s) {
             return once([&] {
                 rawQuery(s.raw.database(), likeRaw.arg(s.raw.isServer() ? QStringLiteral("ILIKE")
                                                                         : QStringLiteral("LIKE")));
             });
         }},
        {QStringLiteral("quick search \"printer toner\""),
         [&](Side& s) {
             return once([&] {
                 quicksearch::search(s.app->dbConnection, QStringLiteral("printer toner"));
             });
         },
         [&](Side& s) {
             return once([&] {
                 if (s.raw.isServer())
                     rawQuery(s.raw.database(),
                              QStringLiteral("SELECT rowid FROM ardentry_search WHERE document @@ "
                                             "to_tsquery('simple', 'printer & toner') LIMIT 200"));
                 else
                     rawQuery(s.raw.database(),
                              QStringLiteral("SELECT rowid FROM ardentry_search WHERE "
                                             "ardentry_search MATCH 'printer toner' ORDER BY rank "
                                             "LIMIT 200"));
             });
         }},
    };
    out << QStringLiteral("%1 %2 %3 %4 %5 %6")
               .arg(QString(), -40)
               .arg(QStringLiteral("file"), 9)
               .arg(QStringLiteral("raw"), 9)
               .arg(QStringLiteral("server"), 9)
               .arg(QStringLiteral("raw"), 9)
               .arg(QStringLiteral("server/file"), 12)
        << Qt::endl;
    for (const Row& row : rows) {
        std::array<double, 4> ms{};
        for (int i = 0; i < 2; ++i) {
            ms[size_t(i) * 2 + 1] = row.raw(*sides[size_t(i)]); // also warms the cache
            ms[size_t(i) * 2] = row.ours(*sides[size_t(i)]);
        }
        out << QStringLiteral("%1 %2 %3 %4 %5 %6")
                   .arg(row.label, -40)
                   .arg(ms[0], 9, 'f', 3)
                   .arg(ms[1], 9, 'f', 3)
                   .arg(ms[2], 9, 'f', 3)
                   .arg(ms[3], 9, 'f', 3)
                   .arg(ms[0] > 0 ? ms[2] / ms[0] : 0, 12, 'f', 2)
            << Qt::endl;
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int articles = 100000;
    QString keep;
    QString server;
    bool recordSetOnly = false;
    bool picturesMode = false;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--articles") && i + 1 < args.size()) {
            bool ok = false;
            articles = args[++i].toInt(&ok);
            if (!ok || articles < 0)
                return usage();
        } else if (args[i] == QLatin1String("--keep") && i + 1 < args.size()) {
            keep = args[++i];
        } else if (args[i] == QLatin1String("--record-set")) {
            recordSetOnly = true;
        } else if (args[i] == QLatin1String("--server") && i + 1 < args.size()) {
            server = args[++i];
        } else if (args[i] == QLatin1String("--pictures")) {
            picturesMode = true;
        } else {
            return usage();
        }
    }

    if (picturesMode) {
        try {
            return benchPictures(server);
        } catch (const DbError& error) {
            std::fprintf(stderr, "ardentry-bench: %s\n", qPrintable(error.message()));
            return 1;
        }
    }
    QTemporaryDir dir;
    const QString path = keep.isEmpty() ? dir.filePath(QStringLiteral("bench.db")) : keep;
    try {
        out << "Ardentry record-set benchmark, " << articles << " generated articles" << Qt::endl;
        if (QFileInfo::exists(path)) {
            out << "using the existing database " << path << Qt::endl;
        } else {
            timed(QStringLiteral("create database"), [&] {
                createArticleDatabase(path, {false, articles});
                return QStringLiteral("%1 MB").arg(QFileInfo(path).size() / 1048576.0, 0, 'f', 1);
            });
        }

        if (!server.isEmpty()) {
            Connection probe;
            probe.open(server);
            QSqlQuery tables(probe.database());
            const bool empty = tables.exec(QStringLiteral("SELECT to_regclass('ar') IS NULL")) &&
                               tables.next() && tables.value(0).toBool();
            probe.close();
            if (empty)
                timed(QStringLiteral("create the server database"), [&] {
                    createArticleDatabase(server, {false, articles});
                    return QString();
                });
            if (recordSetOnly)
                recordSetFigures(server);
            else
                engines(path, server);
        }
        if (recordSetOnly || !server.isEmpty()) {
            if (recordSetOnly)
                recordSetFigures(path);
            return 0;
        }
        Connection connection;
        RecordSet rs(connection);
        timed(QStringLiteral("open \"SELECT * FROM AR ORDER BY ID\" + row 1"), [&] {
            connection.open(path);
            rs.open(QStringLiteral("SELECT * FROM AR ORDER BY ID"));
            QString all;
            for (const QString& column : rs.columnNames())
                all += rs.value(column);
            return QStringLiteral("%1 rows, first ID %2, %3 characters")
                .arg(rs.recordCount())
                .arg(rs.value(QStringLiteral("ID")))
                .arg(all.size());
        });
        timed(QStringLiteral("full moveNext pass reading Problem"), [&] {
            qint64 characters = 0;
            int rows = 0;
            for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
                characters += rs.value(QStringLiteral("Problem")).size();
                ++rows;
            }
            return QStringLiteral("%1 rows, %2 characters").arg(rows).arg(characters);
        });
        const auto filter = [&](const QString& criteria) {
            timed(QStringLiteral("filter %1").arg(criteria), [&] {
                rs.setFilter(criteria);
                return QStringLiteral("%1 found, first ID %2")
                    .arg(rs.recordCount())
                    .arg(rs.eof() ? QStringLiteral("-") : rs.value(QStringLiteral("ID")));
            });
        };
        filter(QStringLiteral("Problem LIKE #*printer*#"));
        filter(QStringLiteral("Solution LIKE #*toner*#"));
        filter(QStringLiteral("ID = #50000#"));
        filter(QStringLiteral("Problem LIKE #*PRÍNTER*#"));
        filter(QStringLiteral("Solution LIKE #*ſervice*#")); // long s: folds to "service"
        timed(QStringLiteral("remove filter"), [&] {
            rs.setFilter(QString());
            return QStringLiteral("%1 rows").arg(rs.recordCount());
        });
        timed(QStringLiteral("change row 1 and send the batch"), [&] {
            rs.moveFirst();
            rs.collect(QStringLiteral("Title"), QStringLiteral("Benchmark"));
            rs.updateBatch();
            return QString();
        });
        rs.close();
        connection.close();
        recordSetFigures(path);
        scale(path);
        historyCosts(path);
    } catch (const DbError& error) {
        std::fprintf(stderr, "ardentry-bench: %s\n", qPrintable(error.message()));
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ardentry-bench: %s\n", error.what());
        return 1;
    }
    out << QStringLiteral("peak memory (VmHWM) %1 MB").arg(peakMegabytes(), 0, 'f', 1) << Qt::endl;
    return 0;
}
