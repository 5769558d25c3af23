// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestFolder.h"

#include "core/ArticleExport.h"
#include "core/ArticleImport.h"
#include "core/Connection.h"
#include "core/History.h"
#include "core/Pictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QTest>

namespace
{

using Engine = TestFolder::Engine;
constexpr Engine kEngines[] = {Engine::File, Engine::Server};

void engineRows()
{
    QTest::addColumn<Engine>("engine");
    for (const Engine engine : kEngines)
        QTest::newRow(TestFolder::engineName(engine)) << engine;
}

// A picture of `width` × `height` pixels; `noise` makes it as large as a photograph is.
QByteArray picture(int width, int height, quint32 seed = 1, bool noise = false,
                   const char* format = "PNG")
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] =
                noise ? random.generate() : 0xff000000u | ((seed * 2654435761u) ^ quint32(x * y));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QString idOf(const QString& slot)
{
    return pictures::parse(slot).id;
}

} // namespace

class tst_Pictures : public QObject
{
    Q_OBJECT
private slots:
    void limits_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("verdict");
        QTest::newRow("over 16 MB")
            << QByteArray(pictures::MaxBytes + 1, 'x') << int(pictures::Checked::Verdict::TooLarge);
        QTest::newRow("not a picture")
            << QByteArray("%PDF-1.4 not a picture") << int(pictures::Checked::Verdict::NotAPicture);
        QTest::newRow("over 4096 pixels")
            << picture(5000, 20) << int(pictures::Checked::Verdict::TooManyPixels);
    }
    // A refused picture is never stored; one too large in pixels is offered scaled down to 4096.
    void limits()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, verdict);
        const pictures::Checked checked = pictures::checkBytes(bytes);
        QCOMPARE(int(checked.verdict), verdict);
        QVERIFY(!checked.reason.isEmpty());
        TestFolder folder;
        Connection connection;
        connection.open(folder.dbPath());
        QVERIFY_THROWS_EXCEPTION(DbError, pictures::store(connection, bytes, "x.png"));
        QCOMPARE(folder.scalar("SELECT count(*) FROM ardentry_picture"), 0);
        if (verdict == int(pictures::Checked::Verdict::TooManyPixels)) {
            const pictures::Checked smaller = pictures::checkBytes(pictures::scaledDown(checked));
            QCOMPARE(int(smaller.verdict), int(pictures::Checked::Verdict::Fine));
            QCOMPARE(smaller.size, QSize(4096, 16));
        }
    }

    // The same picture is stored once however often it is stored; its bytes come back as they
    // went in; the thumbnails come without the pictures, at most 96 pixels on a side.
    void storeAndRead_data() { engineRows(); }
    void storeAndRead()
    {
        QFETCH(Engine, engine);
        TestFolder folder(engine);
        Connection connection;
        connection.open(folder.dbPath());
        const QByteArray big = picture(1400, 1000, 7, true); // about 5 MB
        QVERIFY(big.size() > 4'000'000);
        const QString slot = pictures::store(connection, big, "C:\\shots\\big.png");
        QCOMPARE(slot, pictures::slotText(idOf(slot), "big.png"));
        QVERIFY(slot.startsWith("picture://") && idOf(slot).size() == 16);
        // No path is taken for a stored picture.
        for (const char* path : {"C:\\shots\\a.bmp", "/home/t/picture://0123456789abcdef/x",
                                 "picture://0123456789ABCDEF/x", "picture://0123456789abcde/x.png"})
            QVERIFY2(!pictures::isStored(path), path);
        QCOMPARE(pictures::store(connection, big, "/elsewhere/again.png"),
                 pictures::slotText(idOf(slot), "again.png"));
        const QString small = pictures::store(connection, picture(40, 30, 2), "s.png");
        QCOMPARE(folder.scalar("SELECT count(*) FROM ardentry_picture"), 2);
        QCOMPARE(pictures::read(connection, idOf(slot)), big);
        QCOMPARE(pictures::image(connection, idOf(small)).size(), QSize(40, 30));
        const auto thumbnails = pictures::thumbnails(
            connection, {idOf(small), "0000000000000000", idOf(slot), idOf(small)});
        QCOMPARE(thumbnails.size(), 2);
        QCOMPARE(thumbnails[0].second.size(), QSize(40, 30));
        QCOMPARE(thumbnails[1].second.size(), QSize(96, 68));
        try {
            pictures::read(connection, "0000000000000000");
            QFAIL("a missing picture was read");
        } catch (const DbError& e) {
            QCOMPARE(e.kind(), DbError::Kind::NotFound);
        }
    }

    // A store that fails half-way (the picture written, its thumbnail refused) keeps nothing
    // and says why; the session goes on. A server connection that was ended is made again for
    // the next read.
    void failures_data() { engineRows(); }
    void failures()
    {
        QFETCH(Engine, engine);
        TestFolder folder(engine);
        Connection connection;
        connection.open(folder.dbPath());
        pictures::install(connection);
        const QByteArray shot = picture(300, 200, 5, true);
        folder.exec("ALTER TABLE ardentry_thumbnail RENAME TO thumbnail_gone");
        try {
            pictures::store(connection, shot, "a.png");
            QFAIL("stored without its thumbnail");
        } catch (const DbError& e) {
            QVERIFY2(e.message().startsWith("The picture could not be stored in the database: ") &&
                         e.message().contains("ardentry_thumbnail"),
                     qPrintable(e.message()));
        }
        QCOMPARE(folder.scalar("SELECT count(*) FROM ardentry_picture"), 0);
        folder.exec("ALTER TABLE thumbnail_gone RENAME TO ardentry_thumbnail");
        const QString slot = pictures::store(connection, shot, "a.png");
        if (engine == Engine::Server) {
            const QString others = "FROM pg_stat_activity WHERE pid <> pg_backend_pid() AND "
                                   "datname = current_database()";
            folder.exec("SELECT pg_terminate_backend(pid) " + others);
            QTRY_COMPARE(folder.scalar("SELECT count(*) " + others).toInt(), 0);
        }
        QCOMPARE(pictures::read(connection, idOf(slot)), shot);
    }

    // A picture an article no longer uses stays while a version in the history or the trash
    // uses it, so restoring brings it back; compacting removes only what nothing uses, and a file
    // gets smaller.
    void keptByVersions_data() { engineRows(); }
    void keptByVersions()
    {
        QFETCH(Engine, engine);
        TestFolder folder(engine);
        folder.fillArticles(3);
        Connection connection;
        connection.open(folder.dbPath());
        history::install(connection);
        const QString old = pictures::store(connection, picture(50, 50, 1), "old.png");
        const QString now = pictures::store(connection, picture(50, 50, 2), "now.png");
        const QString trashed = pictures::store(connection, picture(50, 50, 3), "trashed.png");
        const QString unused = pictures::store(connection, picture(1000, 1000, 4, true), "u.png");
        folder.exec("UPDATE AR SET Image1 = ? WHERE ID = 1", {old});
        folder.exec("UPDATE AR SET Image1 = ?, Image2 = ? WHERE ID = 1", {now, now});
        folder.exec("UPDATE AR SET Image4 = ? WHERE ID = 2", {trashed});
        folder.exec("DELETE FROM AR WHERE ID = 2");
        // Which slots use which picture now, kept by the triggers.
        QCOMPARE(folder.rows("SELECT slot, picture FROM ardentry_picture_use ORDER BY slot"),
                 (QList<QVariantList>{{1, idOf(now)}, {2, idOf(now)}}));
        const qint64 before = QFileInfo(folder.dbPath()).size();
        QCOMPARE(pictures::compact(connection), 1);
        if (engine == Engine::File)
            QVERIFY(QFileInfo(folder.dbPath()).size() < before - 2'000'000);
        QVERIFY(!pictures::contains(connection, idOf(unused)));
        history::restoreVersion(connection,
                                history::articleHistory(connection, "1").versions.first().id);
        history::restoreFromTrash(connection, history::trash(connection).first().id);
        QCOMPARE(folder.scalar("SELECT Image1 FROM AR WHERE ID = 1"), old);
        QCOMPARE(pictures::image(connection, idOf(old)).size(), QSize(50, 50));
        QCOMPARE(pictures::image(connection, idOf(trashed)).size(), QSize(50, 50));
        QCOMPARE(pictures::compact(connection), 0);
    }

    // Linked pictures: relative paths from the database's folder, each file stored once,
    // unreadable slots named with their article; cancelled at any point nothing changes.
    void storeLinked_data()
    {
        QTest::addColumn<Engine>("engine");
        QTest::addColumn<int>("cancelAt"); // the progress call that cancels; 0 none
        for (const Engine engine : kEngines) {
            const char* name = TestFolder::engineName(engine);
            QTest::addRow("%s: all", name) << engine << 0;
            QTest::addRow("%s: cancelled reading", name) << engine << 2;
            QTest::addRow("%s: cancelled writing", name) << engine << 6;
        }
    }
    void storeLinked()
    {
        QFETCH(Engine, engine);
        QFETCH(int, cancelAt);
        TestFolder folder(engine);
        folder.fillArticles(3);
        const QByteArray a = picture(60, 40, 1);
        const QByteArray b = picture(70, 40, 2, false, "JPEG");
        folder.writeFile("base/shots/a.png", a);
        folder.writeFile("elsewhere/b.jpg", b);
        folder.writeFile("base/notes.txt", "not a picture");
        folder.exec("UPDATE AR SET Image1 = 'shots/a.png', Image2 = 'shots/none.png' WHERE ID = 1");
        folder.exec("UPDATE AR SET Image1 = ?, Image3 = 'notes.txt' WHERE ID = 2",
                    {folder.path("elsewhere/b.jpg")});
        folder.exec("UPDATE AR SET Image5 = 'shots/a.png' WHERE ID = 3");
        const auto articles = [&] { return folder.rows("SELECT * FROM AR ORDER BY ID"); };
        const QList<QVariantList> before = articles();
        Connection connection;
        connection.open(folder.dbPath());
        int calls = 0;
        const pictures::JobReport report =
            pictures::storeLinked(connection, folder.path("base"), [&](qint64 done, qint64 total) {
                [&] { QCOMPARE(total, 6); }();
                return ++calls != cancelAt && done <= total;
            });
        QCOMPARE(report.cancelled, cancelAt != 0);
        if (cancelAt != 0) {
            QCOMPARE(articles(), before);
            QCOMPARE(folder.scalar("SELECT count(*) FROM ardentry_picture"), 0);
            return;
        }
        QCOMPARE(report.stored, 3);
        QCOMPARE(report.unreadable.size(), 2);
        QVERIFY2(report.unreadable[0].startsWith("Article 1, image 2: shots/none.png"),
                 qPrintable(report.unreadable[0]));
        QVERIFY2(report.unreadable[1].startsWith("Article 2, image 3: notes.txt"),
                 qPrintable(report.unreadable[1]));
        QCOMPARE(folder.scalar("SELECT count(*) FROM ardentry_picture"), 2);
        const QString slotA = folder.scalar("SELECT Image1 FROM AR WHERE ID = 1").toString();
        QCOMPARE(folder.scalar("SELECT Image5 FROM AR WHERE ID = 3").toString(), slotA);
        QCOMPARE(folder.scalar("SELECT Image2 FROM AR WHERE ID = 1"), "shots/none.png");
        QCOMPARE(pictures::read(connection, idOf(slotA)), a);
        // Written out again: each once, under its own name, never beside the folder (a slot
        // typed by someone else may name folders).
        for (int slot = 1; slot <= 10; ++slot)
            folder.exec(QString("UPDATE AR SET Image%1 = replace(Image%1, '/b.jpg', '/../b.jpg')")
                            .arg(slot));
        const pictures::JobReport out = pictures::writeOut(connection, folder.path("out"));
        QCOMPARE(out.stored, 2);
        QVERIFY(!QFile::exists(folder.path("b.jpg")));
        for (const auto& [name, bytes] : {std::pair{"a.png", a}, std::pair{"b.jpg", b}}) {
            QFile file(folder.path(QString("out/") + name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), bytes);
        }
    }

    // A CSV export names the stored pictures in its slots and writes them beside itself; its
    // import into a database without them brings them back, and a picture gone from the folder
    // is reported. The web export writes them beside its pages.
    void exportAndImport_data() { engineRows(); }
    void exportAndImport()
    {
        QFETCH(Engine, engine);
        TestFolder from(engine);
        from.fillArticles(2);
        Connection source;
        source.open(from.dbPath());
        const QByteArray a = picture(80, 60, 1);
        const QString slotA = pictures::store(source, a, "Drucker ü.png");
        const QString slotB = pictures::store(source, picture(30, 30, 2), "b.png");
        from.exec("UPDATE AR SET Image1 = ?, Image4 = ? WHERE ID = 1", {slotA, slotB});
        from.exec("UPDATE AR SET Image2 = ? WHERE ID = 2", {slotA});
        const QString csv = from.path("out/articles.csv");
        QDir().mkpath(from.path("out"));
        QCOMPARE(exportCsv(*allArticles(source.database()), csv).imagesCopied, 2);
        const QString web = from.path("web");
        QCOMPARE(exportWeb(*allArticles(source.database()), web, from.folder()).imagesCopied, 2);
        QFile page(web + "/article-1.html");
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(
            page.readAll().contains("<img src=\"images/1-Drucker__.png\" alt=\"Drucker ü.png\">"));
        QCOMPARE(QFileInfo(web + "/images/1-Drucker__.png").size(), a.size());
        // The second picture gone from the folder: reported, its slot kept.
        QVERIFY(QFile::remove(pictures::csvPictureFolder(csv) + "/" +
                              pictures::csvPictureFile(pictures::parse(slotB))));

        TestFolder to(engine);
        to.exec("DELETE FROM AR");
        Connection target;
        target.open(to.dbPath());
        const ImportPreview preview = previewImport(csv);
        ImportOptions options;
        options.format = preview.format;
        options.mapping = preview.mapping;
        options.exact = preview.exactGuessed;
        const ImportReport report = importArticles(target.database(), csv, options);
        QCOMPARE(report.outcome, ImportReport::Outcome::Imported);
        QCOMPARE(report.imported, 2);
        QCOMPARE(report.notes.size(), 1);
        QVERIFY2(report.notes[0].text.contains("Image 4 names the stored picture b.png"),
                 qPrintable(report.notes[0].text));
        QCOMPARE(to.rows("SELECT Image1, Image2, Image4 FROM AR ORDER BY ID"),
                 from.rows("SELECT Image1, Image2, Image4 FROM AR ORDER BY ID"));
        QCOMPARE(pictures::read(target, idOf(slotA)), a);
        QVERIFY(!pictures::contains(target, idOf(slotB)));
    }
};

QTEST_GUILESS_MAIN(tst_Pictures)
#include "tst_pictures.moc"
