// SPDX-License-Identifier: GPL-3.0-or-later
// ardentry-bench --pictures [--server ADDRESS]: the costs of pictures kept in the database, on a
// new file and (with --server) on that server database, each beside the raw engine on the same
// bytes: SQLite's own C interface for the file; for the server both libpq with the bytes sent
// as one binary value and Qt's PostgreSQL driver with the bytes bound to a plain statement.

#include "tools/bench_pictures.h"

#include "core/Connection.h"
#include "core/NewDatabase.h"
#include "core/Pictures.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <libpq-fe.h>
#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace
{

QTextStream out(stdout);

// A PNG of `width` × `height` pixels; noise makes it as large as a photograph.
QByteArray png(int width, int height, quint32 seed, int noisyRows)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = y < noisyRows ? random.generate() : 0xff203040u + quint32(x / 16 + seed);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

double medianMs(int runs, const std::function<void(int run)>& action)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        action(i);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void line(const QString& label, double ours, const QString& rawLabel, double raw,
          const QString& more = QString())
{
    out << QStringLiteral("  %1 %2 ms   %3 %4 ms")
               .arg(label, -34)
               .arg(ours, 9, 'f', 1)
               .arg(rawLabel)
               .arg(raw, 8, 'f', 1);
    if (!more.isEmpty())
        out << "   " << more;
    out << Qt::endl;
}

void check(QSqlQuery& query, bool ok)
{
    if (!ok)
        throw DbError(query.lastError().text());
}

// The raw engine: a plain table of the same bytes, written and read without the program.
class Raw
{
public:
    explicit Raw(Connection& connection) : m_db(connection.database())
    {
        m_server = connection.isServer();
        QSqlQuery query(m_db);
        check(query, query.exec(m_server ? QStringLiteral("CREATE TABLE IF NOT EXISTS bench_raw "
                                                          "(k serial PRIMARY KEY, b bytea)")
                                         : QStringLiteral("CREATE TABLE IF NOT EXISTS bench_raw "
                                                          "(k INTEGER PRIMARY KEY, b BLOB)")));
    }
    // SQLite's C interface, or libpq with one binary value.
    void insertNative(const QByteArray& bytes)
    {
        if (m_server) {
            const char* values[] = {bytes.constData()};
            const int lengths[] = {int(bytes.size())};
            const int formats[] = {1};
            PGresult* result = PQexecParams(pg(), "INSERT INTO bench_raw (b) VALUES ($1)", 1,
                                            nullptr, values, lengths, formats, 1);
            const bool ok = PQresultStatus(result) == PGRES_COMMAND_OK;
            PQclear(result);
            if (!ok)
                throw DbError(QString::fromUtf8(PQerrorMessage(pg())));
            return;
        }
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(lite(), "INSERT INTO bench_raw (b) VALUES (?)", -1, &statement, nullptr);
        sqlite3_bind_blob(statement, 1, bytes.constData(), int(bytes.size()), SQLITE_STATIC);
        const int done = sqlite3_step(statement);
        sqlite3_finalize(statement);
        if (done != SQLITE_DONE)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(lite())));
    }
    QByteArray readNative(qint64 key)
    {
        if (m_server) {
            const QByteArray text = QByteArray::number(key);
            const char* values[] = {text.constData()};
            PGresult* result = PQexecParams(pg(), "SELECT b FROM bench_raw WHERE k = $1", 1,
                                            nullptr, values, nullptr, nullptr, 1);
            QByteArray bytes(PQgetvalue(result, 0, 0), PQgetlength(result, 0, 0));
            PQclear(result);
            return bytes;
        }
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(lite(), "SELECT b FROM bench_raw WHERE k = ?", -1, &statement, nullptr);
        sqlite3_bind_int64(statement, 1, key);
        QByteArray bytes;
        if (sqlite3_step(statement) == SQLITE_ROW)
            bytes = QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, 0)),
                               sqlite3_column_bytes(statement, 0));
        sqlite3_finalize(statement);
        return bytes;
    }
    // Qt's driver with the bytes bound, as the program sends them.
    void insertDriver(const QByteArray& bytes)
    {
        QSqlQuery query(m_db);
        check(query, query.prepare(QStringLiteral("INSERT INTO bench_raw (b) VALUES (?)")));
        query.addBindValue(bytes);
        check(query, query.exec());
    }
    QByteArray readDriver(qint64 key)
    {
        QSqlQuery query(m_db);
        query.setForwardOnly(true);
        check(query, query.prepare(QStringLiteral("SELECT b FROM bench_raw WHERE k = ?")));
        query.addBindValue(key);
        check(query, query.exec());
        return query.next() ? query.value(0).toByteArray() : QByteArray();
    }
    qint64 lastKey()
    {
        QSqlQuery query(m_db);
        check(query, query.exec(QStringLiteral("SELECT max(k) FROM bench_raw")));
        return query.next() ? query.value(0).toLongLong() : 0;
    }
    QString read10(const QList<qint64>& keys)
    {
        QStringList list;
        for (qint64 key : keys)
            list << QString::number(key);
        QSqlQuery query(m_db);
        query.setForwardOnly(true);
        check(query, query.exec(QStringLiteral("SELECT b FROM bench_raw WHERE k IN (%1)")
                                    .arg(list.join(QLatin1Char(',')))));
        qint64 bytes = 0;
        while (query.next())
            bytes += query.value(0).toByteArray().size();
        return QString::number(bytes);
    }

private:
    PGconn* pg() { return *static_cast<PGconn* const*>(m_db.driver()->handle().constData()); }
    sqlite3* lite() { return *static_cast<sqlite3* const*>(m_db.driver()->handle().constData()); }

    QSqlDatabase m_db;
    bool m_server = false;
};

void onEngine(const QString& name, const QString& address, const QString& folder)
{
    out << Qt::endl << name << Qt::endl;
    Connection connection;
    connection.open(address);
    pictures::install(connection);
    Raw raw(connection);
    constexpr int kRuns = 5;
    // A 5 MB picture, new each run (so it is really written), then read again.
    std::vector<QByteArray> big;
    for (int i = 0; i < kRuns; ++i)
        big.push_back(png(1700, 1000, 100 + i + quint32(name.size() * 1000), 1000));
    QStringList ids;
    const double store = medianMs(kRuns, [&](int i) {
        ids << pictures::parse(pictures::store(connection, big[i], "big.png")).id;
    });
    const pictures::Checked checked = pictures::checkBytes(big[0]);
    const double check = medianMs(kRuns, [&](int) { pictures::checkBytes(big[0]); });
    const double native = medianMs(kRuns, [&](int i) { raw.insertNative(big[i]); });
    const double driver = medianMs(kRuns, [&](int i) { raw.insertDriver(big[i]); });
    line(QStringLiteral("store a %1 MB picture").arg(big[0].size() / 1048576.0, 0, 'f', 1), store,
         connection.isServer() ? QStringLiteral("raw libpq binary") : QStringLiteral("raw sqlite3"),
         native,
         QStringLiteral("Qt driver bound insert %1 ms; of ours, checking/decoding %2 ms")
             .arg(driver, 0, 'f', 1)
             .arg(check, 0, 'f', 1));
    const qint64 key = raw.lastKey();
    const double read = medianMs(kRuns, [&](int i) {
        if (pictures::read(connection, ids[i]).size() < 1000000)
            throw DbError(QStringLiteral("short read"));
    });
    const double readNative = medianMs(kRuns, [&](int) { raw.readNative(key); });
    const double readDriver = medianMs(kRuns, [&](int) { raw.readDriver(key); });
    const double show = medianMs(kRuns, [&](int i) { pictures::image(connection, ids[i]); });
    line(QStringLiteral("read it"), read,
         connection.isServer() ? QStringLiteral("raw libpq binary") : QStringLiteral("raw sqlite3"),
         readNative,
         QStringLiteral("Qt driver %1 ms; read and decoded to show %2 ms")
             .arg(readDriver, 0, 'f', 1)
             .arg(show, 0, 'f', 1));
    // An article's ten thumbnails.
    QStringList ten;
    QList<qint64> tenKeys;
    for (int i = 0; i < 10; ++i) {
        const QByteArray small = png(800, 600, 500 + i, 60);
        ten << pictures::parse(pictures::store(connection, small, "s.png")).id;
        raw.insertNative(small);
        tenKeys << raw.lastKey();
    }
    const double thumbs = medianMs(9, [&](int) {
        if (pictures::thumbnails(connection, ten).size() != 10)
            throw DbError(QStringLiteral("thumbnails missing"));
    });
    const double tenRaw = medianMs(9, [&](int) { raw.read10(tenKeys); });
    line(QStringLiteral("an article's ten thumbnails"), thumbs,
         QStringLiteral("raw: the ten whole pictures"), tenRaw);
    (void)checked;
    Q_UNUSED(folder);
}

// 1,000 articles sharing 200 pictures; then 10,000 articles whose linked pictures are stored.
void sizes(const QString& folder, const QString& server)
{
    out << Qt::endl << "1,000 articles sharing 200 pictures (three slots each)" << Qt::endl;
    std::vector<QByteArray> shots;
    qint64 unique = 0;
    for (int i = 0; i < 200; ++i) {
        shots.push_back(png(640, 400, 1000 + i, 40));
        unique += shots.back().size();
    }
    const auto fill = [&](const QString& address) {
        Connection connection;
        connection.open(address);
        QSqlQuery query(connection.database());
        query.exec(QStringLiteral("DELETE FROM AR"));
        QStringList texts;
        for (int i = 0; i < 200; ++i)
            texts << pictures::store(connection, shots[i], QStringLiteral("shot%1.png").arg(i));
        query.prepare(QStringLiteral("INSERT INTO AR (ID, Title, Problem, solution, Image1, "
                                     "Image2, Image3) VALUES (?, 'T', 'P', 'S', ?, ?, ?)"));
        connection.database().transaction();
        for (int a = 1; a <= 1000; ++a) {
            query.addBindValue(a);
            for (int s = 0; s < 3; ++s)
                query.addBindValue(texts[(a * 7 + s * 61) % 200]);
            query.exec();
        }
        connection.database().commit();
    };
    const QString file = QDir(folder).filePath(QStringLiteral("shared.db"));
    createArticleDatabase(file);
    const qint64 empty = QFileInfo(file).size();
    fill(file);
    out << QStringLiteral("  file: %1 MB (empty %2 MB); the 200 pictures' own bytes %3 MB, the "
                          "3,000 slots' files as copies would be %4 MB")
               .arg(QFileInfo(file).size() / 1048576.0, 0, 'f', 1)
               .arg(empty / 1048576.0, 0, 'f', 2)
               .arg(unique / 1048576.0, 0, 'f', 1)
               .arg(unique * 15 / 1048576.0, 0, 'f', 1)
        << Qt::endl;
    if (!server.isEmpty()) {
        Connection connection;
        connection.open(server);
        QSqlQuery query(connection.database());
        const auto size = [&query] {
            query.exec(QStringLiteral("SELECT pg_total_relation_size('ardentry_picture') + "
                                      "pg_total_relation_size('ardentry_thumbnail') + "
                                      "pg_total_relation_size('ardentry_picture_use') + "
                                      "pg_total_relation_size('ar')"));
            query.next();
            return query.value(0).toDouble();
        };
        const double before = size();
        fill(server);
        out << QStringLiteral("  server: the articles and picture tables grew by %1 MB")
                   .arg((size() - before) / 1048576.0, 0, 'f', 1)
            << Qt::endl;
    }

    out << Qt::endl
        << "Storing the linked pictures of 10,000 articles (200 files, three slots each)"
        << Qt::endl;
    const QString base = QDir(folder).filePath(QStringLiteral("linked"));
    QDir().mkpath(base + QStringLiteral("/shots"));
    for (int i = 0; i < 200; ++i) {
        QFile shot(base + QStringLiteral("/shots/shot%1.png").arg(i));
        shot.open(QIODevice::WriteOnly);
        shot.write(shots[i]);
    }
    const auto link = [&](const QString& address, const QString& label) {
        Connection connection;
        connection.open(address);
        QSqlQuery query(connection.database());
        // Pictures stored before are removed, so each is stored anew.
        query.exec(QStringLiteral("DELETE FROM AR"));
        pictures::compact(connection);
        query.prepare(QStringLiteral("INSERT INTO AR (ID, Title, Problem, solution, Image1, "
                                     "Image2, Image3) VALUES (?, 'T', 'P', 'S', ?, ?, ?)"));
        connection.database().transaction();
        for (int a = 1; a <= 10000; ++a) {
            query.addBindValue(a);
            for (int s = 0; s < 3; ++s)
                query.addBindValue(QStringLiteral("shots/shot%1.png").arg((a * 7 + s * 61) % 200));
            query.exec();
        }
        connection.database().commit();
        QElapsedTimer timer;
        timer.start();
        qint64 halfway = 0;
        const pictures::JobReport report =
            pictures::storeLinked(connection, base, [&](qint64 done, qint64 total) {
                if (done == total / 2)
                    halfway = timer.elapsed();
                return true;
            });
        const qint64 all = timer.elapsed();
        out << QStringLiteral("  %1: %2 s (reading and decoding %3 s, writing in one transaction "
                              "%4 s), %5 slots stored, %6 unreadable")
                   .arg(label)
                   .arg(all / 1000.0, 0, 'f', 2)
                   .arg(halfway / 1000.0, 0, 'f', 2)
                   .arg((all - halfway) / 1000.0, 0, 'f', 2)
                   .arg(report.stored)
                   .arg(report.unreadable.size())
            << Qt::endl;
    };
    link(file, QStringLiteral("file"));
    if (!server.isEmpty())
        link(server, QStringLiteral("server"));
}

} // namespace

int benchPictures(const QString& server)
{
    QTemporaryDir folder;
    out << "Pictures kept in the database (ms, median of several runs)" << Qt::endl;
    const QString file = folder.filePath(QStringLiteral("pictures.db"));
    createArticleDatabase(file);
    onEngine(QStringLiteral("file"), file, folder.path());
    if (!server.isEmpty()) {
        {
            Connection probe;
            probe.open(server);
            QSqlQuery tables(probe.database());
            if (tables.exec(QStringLiteral("SELECT to_regclass('ar') IS NULL")) && tables.next() &&
                tables.value(0).toBool()) {
                probe.close();
                createArticleDatabase(server);
            }
        }
        onEngine(QStringLiteral("server"), server, folder.path());
    }
    sizes(folder.path(), server);
    return 0;
}
