// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestFolder.h"

#include "core/ArticleExport.h"
#include "core/ArticleImport.h"
#include "core/Connection.h"
#include "core/History.h"
#include "core/Pictures.h"

#include <QBuffer>
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
    void slotForms_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("id"); // empty: a path
        QTest::newRow("stored") << "picture://0123456789abcdef/printer.png"
                                << "0123456789abcdef";
        QTest::newRow("Windows path") << "C:\\Helpdesk\\shots\\printer.bmp"
                                      << "";
        QTest::newRow("Unix path") << "/home/tech1/picture://0123456789abcdef/x"
                                   << "";
        QTest::newRow("upper case") << "picture://0123456789ABCDEF/x.png"
                                    << "";
        QTest::newRow("short id") << "picture://0123456789abcde/x.png"
                                  << "";
    }
    void slotForms()
    {
        QFETCH(QString, text);
        QFETCH(QString, id);
        QCOMPARE(pictures::parse(text).id, id);
        if (!id.isEmpty())
            QCOMPARE(pictures::slotText(id, "D:\\shots\\printer.png"), text);
    }

    void limits_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("verdict");
        QTest::newRow("fine") << picture(300, 200) << int(pictures::Checked::Verdict::Fine);
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
        TestFolder folder;
        Connection connection;
        connection.open(folder.dbPath());
        if (verdict == int(pictures::Checked::Verdict::Fine)) {
            QVERIFY(checked.reason.isEmpty());
            return;
        }
        QVERIFY(!checked.reason.isEmpty());
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
        // Written out again: each once, under its own name.
        const pictures::JobReport out = pictures::writeOut(connection, folder.path("out"));
        QCOMPARE(out.stored, 2);
        for (const auto& [name, bytes] : {std::pair{"a.png", a}, std::pair{"b.jpg", b}}) {
            QFile file(folder.path(QString("out/") + name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), bytes);
        }
    }
};

QTEST_GUILESS_MAIN(tst_Pictures)
#include "tst_pictures.moc"
