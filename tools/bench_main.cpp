// SPDX-License-Identifier: GPL-3.0-or-later
// ardentry-bench [--articles N] [--keep PATH] [--server ADDRESS] [--samples K] [--history]
// ardentry-bench --pictures [--server ADDRESS]   (see bench_pictures.cpp)
// Builds an article database of N generated articles (default 100000) and prints the table of
// the commands a technician waits for (see bench_table.cpp), on the file and, with --server, on
// that server database (filled with the same articles when it holds no tables yet), each beside
// the plain engine on the same data, as medians of K samples (default 7). With --keep the
// database is written to PATH and kept (an existing PATH is reused as it is). With --history the
// extra cost of the history's triggers and a whole backup follow.

#include "core/Backup.h"
#include "core/Connection.h"
#include "core/History.h"
#include "core/NewDatabase.h"
#include "core/RecordSet.h"
#include "core/mdlMain.h"
#include "tools/bench_pictures.h"
#include "tools/bench_table.h"

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

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
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
                         "[--samples K] [--history]\n"
                         "       ardentry-bench --pictures [--server ADDRESS]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int articles = 100000;
    int samples = 7;
    QString keep;
    QString server;
    bool history = false;
    bool picturesMode = false;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        bool ok = true;
        if (args[i] == QLatin1String("--articles") && i + 1 < args.size())
            articles = args[++i].toInt(&ok);
        else if (args[i] == QLatin1String("--samples") && i + 1 < args.size())
            samples = args[++i].toInt(&ok);
        else if (args[i] == QLatin1String("--keep") && i + 1 < args.size())
            keep = args[++i];
        else if (args[i] == QLatin1String("--server") && i + 1 < args.size())
            server = args[++i];
        else if (args[i] == QLatin1String("--history"))
            history = true;
        else if (args[i] == QLatin1String("--pictures"))
            picturesMode = true;
        else
            ok = false;
        if (!ok || articles < 0 || samples < 1)
            return usage();
    }

    try {
        if (picturesMode)
            return benchPictures(server);
        QTemporaryDir dir;
        const QString path = keep.isEmpty() ? dir.filePath(QStringLiteral("bench.db")) : keep;
        out << "Ardentry benchmark, " << articles << " generated articles" << Qt::endl;
        if (QFileInfo::exists(path)) {
            out << "using the existing database " << path << Qt::endl;
        } else {
            timed(QStringLiteral("create database"), [&] {
                createArticleDatabase(path, {false, articles});
                return QStringLiteral("%1 MB").arg(QFileInfo(path).size() / 1048576.0, 0, 'f', 1);
            });
        }
        if (!server.isEmpty())
            timed(QStringLiteral("server database ready"), [&] {
                fillServerIfEmpty(server, articles);
                return QString();
            });
        benchTable(path, server, samples);
        if (history) {
            out << Qt::endl;
            historyCosts(path);
        }
    } catch (const DbError& error) {
        std::fprintf(stderr, "ardentry-bench: %s\n", qPrintable(error.message()));
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ardentry-bench: %s\n", error.what());
        return 1;
    }
    out << QStringLiteral("peak memory of the bench (VmHWM) %1 MB").arg(peakMegabytes(), 0, 'f', 1)
        << Qt::endl;
    return 0;
}
