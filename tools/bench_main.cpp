// ardentry-bench [--articles N] [--keep PATH]
// Builds an article database of N generated articles (default 100000) and times the record-set
// operations the program depends on. With --keep the database is written to PATH and kept (an
// existing PATH is reused as it is).

#include "core/Connection.h"
#include "core/NewDatabase.h"
#include "core/RecordSet.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <functional>

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

int usage()
{
    std::fprintf(stderr, "usage: ardentry-bench [--articles N] [--keep PATH]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int articles = 100000;
    QString keep;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--articles") && i + 1 < args.size()) {
            bool ok = false;
            articles = args[++i].toInt(&ok);
            if (!ok || articles < 0)
                return usage();
        } else if (args[i] == QLatin1String("--keep") && i + 1 < args.size()) {
            keep = args[++i];
        } else {
            return usage();
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
