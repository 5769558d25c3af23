// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestFolder.h"

#include "core/Backup.h"
#include "core/Connection.h"
#include "core/History.h"
#include "core/RecordSet.h"
#include "core/Schema.h"
#include "core/ServerAddress.h"
#include "core/Transaction.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTest>

#include <sqlite3.h>

#include <atomic>
#include <thread>

namespace
{

using Engine = TestFolder::Engine;
constexpr Engine kEngines[] = {Engine::File, Engine::Server};

// A data row named after its engine ("file: ..." or "server: ..."), the engine filled in.
QTestData& row(Engine engine, const char* name)
{
    return QTest::addRow("%s: %s", TestFolder::engineName(engine), name) << engine;
}

// The program on a test folder: its connection with the history installed, "alice" as writer,
// and a record set over the articles as the article form uses it.
struct Program {
    explicit Program(TestFolder& folder, const QString& address = {})
    {
        connection.open(address.isEmpty() ? folder.dbPath() : address);
        history::install(connection);
        history::recordWriter(connection, "alice");
    }
    // Article `id` current, read afresh (other programs may have written meanwhile).
    void go(int id)
    {
        rs.open("SELECT * FROM AR ORDER BY ID");
        rs.setFilter(QString("ID = #%1#").arg(id));
        QVERIFY(rs.hasCurrentRow());
    }
    // "Title=A,Problem=B": one save of article `id`.
    void save(int id, const QString& changes)
    {
        go(id);
        for (const QString& change : changes.split(',', Qt::SkipEmptyParts))
            rs.collect(change.section('=', 0, 0), change.section('=', 1));
        rs.updateBatch("ID");
    }
    void remove(int id)
    {
        go(id);
        rs.deleteCurrent();
        rs.updateBatch();
    }
    QList<history::Version> versions(int id)
    {
        return history::articleHistory(connection, QString::number(id)).versions;
    }
    Connection connection;
    RecordSet rs{connection};
};

// The twenty columns of article `id` (a server's row key left out).
QVariantList article(TestFolder& folder, int id)
{
    const auto rows = folder.rows(
        "SELECT " + history::articleColumns().join(", ") + " FROM AR WHERE ID = ?", {id});
    return rows.isEmpty() ? QVariantList() : rows.first();
}

} // namespace

class tst_History : public QObject
{
    Q_OBJECT
private slots:
    void savesKeepVersions_data();
    void savesKeepVersions();
    void plainSqlIsKept_data();
    void plainSqlIsKept();
    void restoreVersion_data();
    void restoreVersion();
    void restoreFromTrash_data();
    void restoreFromTrash();
    void articleWithoutNumber_data();
    void articleWithoutNumber();
    void failedDeleteLeavesNoTrash_data();
    void failedDeleteLeavesNoTrash();
    void upgradeAllOrNothing_data();
    void upgradeAllOrNothing();
    void serverRoleWithArticleRightsOnly();
    void backupWhileAnotherWrites();
    void automaticCopies();
    void serverIsNotCopied();
};

void tst_History::savesKeepVersions_data()
{
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<QString>("saves");         // one save per part, of article 2
    QTest::addColumn<int>("shownAs");           // the number the article has at the end
    QTest::addColumn<QStringList>("changed");   // per version, newest first
    QTest::addColumn<QStringList>("oldTitles"); // per version, newest first
    for (const Engine engine : kEngines) {
        row(engine, "two saves") << "Title=A;Problem=B,solution=C" << 2
                                 << QStringList{"Problem,solution", "Title"}
                                 << QStringList{"A", "Title 2"};
        row(engine, "a save of the stored values keeps nothing")
            << "Title=Title 2" << 2 << QStringList() << QStringList();
        row(engine, "a new number takes the versions along")
            << "Title=A;ID=50;Image3=x.png" << 50 << QStringList{"Image3", "ID", "Title"}
            << QStringList{"A", "A", "Title 2"};
    }
}

void tst_History::savesKeepVersions()
{
    QFETCH(Engine, engine);
    QFETCH(QString, saves);
    QFETCH(int, shownAs);
    QFETCH(QStringList, changed);
    QFETCH(QStringList, oldTitles);
    TestFolder folder(engine);
    folder.fillArticles(3);
    Program program(folder);
    int id = 2;
    for (const QString& save : saves.split(';')) {
        program.save(id, save);
        if (save.startsWith("ID="))
            id = save.mid(3).toInt();
    }
    const QList<history::Version> versions = program.versions(shownAs);
    QStringList seenChanged;
    QStringList seenTitles;
    for (const history::Version& version : versions) {
        seenChanged << version.changed.join(',');
        seenTitles << version.values.value(3).toString();
        QCOMPARE(version.who, QString("alice"));
        QCOMPARE(version.values.size(), 20);
        QVERIFY(qAbs(version.when.secsTo(QDateTime::currentDateTime())) < 60);
    }
    QCOMPARE(seenChanged, changed);
    QCOMPARE(seenTitles, oldTitles);
    QVERIFY(program.versions(1).isEmpty()); // other articles keep nothing
    // Renumbering many articles in one statement (a version each): each keeps its own versions,
    // also while two of them share a number half-way.
    folder.exec("UPDATE AR SET ID = ID + 1");
    seenTitles.clear();
    for (const history::Version& version : program.versions(shownAs + 1).mid(1))
        seenTitles << version.values.value(3).toString();
    QCOMPARE(seenTitles, oldTitles);
    QCOMPARE(program.versions(2).size(), 1); // article 1's number now
}

void tst_History::plainSqlIsKept_data()
{
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("deleted");
    QTest::addColumn<bool>("ownConnection"); // run on the program's connection after its save
    for (const Engine engine : kEngines) {
        row(engine, "update") << "UPDATE AR SET Title = 'by a tool' WHERE ID = 2" << false << false;
        row(engine, "delete") << "DELETE FROM AR WHERE ID = 2" << true << false;
        row(engine, "update on the program's connection")
            << "UPDATE AR SET Title = 'by a tool' WHERE ID = 2" << false << true;
    }
}

void tst_History::plainSqlIsKept()
{
    QFETCH(Engine, engine);
    QFETCH(QString, sql);
    QFETCH(bool, deleted);
    QFETCH(bool, ownConnection);
    TestFolder folder(engine);
    folder.fillArticles(3);
    Program program(folder);
    program.save(3, "Title=by the program"); // leaves no writer name behind
    // Another program, without any function of Ardentry's, writes with plain SQL.
    if (ownConnection)
        QVERIFY(QSqlQuery(program.connection.database()).exec(sql));
    else
        folder.exec(sql);
    if (deleted) {
        const QList<history::TrashEntry> trash = history::trash(program.connection);
        QCOMPARE(trash.size(), 1);
        QCOMPARE(trash.first().number.toInt(), 2);
        QCOMPARE(trash.first().title, QString("Title 2"));
        QCOMPARE(trash.first().who, QString());
    } else {
        const QList<history::Version> versions = program.versions(2);
        QCOMPARE(versions.size(), 1);
        QCOMPARE(versions.first().changed, QStringList{"Title"});
        QCOMPARE(versions.first().who, QString());
    }
    QCOMPARE(program.versions(3).first().who, QString("alice"));
}

void tst_History::restoreVersion_data()
{
    QTest::addColumn<Engine>("engine");
    for (const Engine engine : kEngines)
        row(engine, "restore");
}

void tst_History::restoreVersion()
{
    QFETCH(Engine, engine);
    TestFolder folder(engine);
    folder.fillArticles(3);
    folder.exec("UPDATE AR SET reference = NULL WHERE ID = 2"); // a Null comes back as a Null
    Program program(folder);
    const QVariantList original = article(folder, 2);
    program.save(2, "Title=A,reference=web");
    program.save(2, "solution=B");
    program.save(2, "ID=7");
    history::restoreVersion(program.connection, program.versions(7).last().id);
    QCOMPARE(article(folder, 2), original);
    QVERIFY(article(folder, 7).isEmpty());
    // The restore is a change in turn: what it replaced is a version now.
    const QList<history::Version> versions = program.versions(2);
    QCOMPARE(versions.size(), 4);
    QCOMPARE(versions.first().values.value(0).toInt(), 7);
    QCOMPARE(versions.first().values.value(5).toString(), QString("B"));
    // A version whose number another article holds now is refused; nothing is written.
    program.save(2, "ID=8");
    folder.exec("UPDATE AR SET ID = 2 WHERE ID = 3");
    const QVariantList before = article(folder, 8);
    try {
        history::restoreVersion(program.connection, program.versions(8).first().id);
        QFAIL("restored over another article's number");
    } catch (const DbError& e) {
        QCOMPARE(e.kind(), DbError::Kind::Duplicate);
    }
    QCOMPARE(article(folder, 8), before);
}

void tst_History::restoreFromTrash_data()
{
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<bool>("numberTaken");
    for (const Engine engine : kEngines) {
        row(engine, "own number") << false;
        row(engine, "number taken meanwhile") << true;
    }
}

void tst_History::restoreFromTrash()
{
    QFETCH(Engine, engine);
    QFETCH(bool, numberTaken);
    TestFolder folder(engine);
    folder.fillArticles(3);
    Program program(folder);
    program.save(2, "Title=A");
    QVariantList deleted = article(folder, 2);
    program.remove(2);
    QVERIFY(article(folder, 2).isEmpty());
    const QList<history::TrashEntry> trash = history::trash(program.connection);
    QCOMPARE(trash.size(), 1);
    QCOMPARE(trash.first().who, QString("alice"));
    QVERIFY(qAbs(trash.first().when.secsTo(QDateTime::currentDateTime())) < 60);
    QVERIFY_THROWS_EXCEPTION(DbError, program.versions(2)); // gone with the article
    int number = 2;
    if (numberTaken) {
        folder.exec("UPDATE AR SET ID = 2 WHERE ID = 3");
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 history::restoreFromTrash(program.connection, trash.first().id));
        QCOMPARE(history::trash(program.connection).size(), 1); // nothing was written
        QCOMPARE(history::nextFreeNumber(program.connection), 3);
        number = 77;
        deleted[0] = qlonglong(number);
    }
    const qint64 row =
        history::restoreFromTrash(program.connection, trash.first().id,
                                  numberTaken ? QVariant(qlonglong(number)) : QVariant());
    QCOMPARE(article(folder, number), deleted);
    QCOMPARE(folder.scalar("SELECT ID FROM AR WHERE rowid = ?", {row}).toInt(), number);
    QVERIFY(history::trash(program.connection).isEmpty());
    QCOMPARE(program.versions(number).size(), 1); // its versions came back with it
    QCOMPARE(program.versions(number).first().values.value(3).toString(), QString("Title 2"));
    QCOMPARE(history::positionOf(program.connection, row), numberTaken ? 3 : 2);
}

void tst_History::articleWithoutNumber_data()
{
    QTest::addColumn<Engine>("engine");
    for (const Engine engine : kEngines)
        row(engine, "number taken away, changed, deleted, restored");
}

void tst_History::articleWithoutNumber()
{
    QFETCH(Engine, engine);
    TestFolder folder(engine);
    folder.fillArticles(3);
    Program program(folder);
    folder.exec("UPDATE AR SET ID = NULL WHERE ID = 2");
    folder.exec("UPDATE AR SET Title = 'A' WHERE ID IS NULL");
    const auto changes = [&program] {
        QStringList changed;
        for (const history::Version& version :
             history::articleHistory(program.connection, "").versions)
            changed << version.changed.join(',');
        return changed;
    };
    QCOMPARE(changes(), QStringList({"Title", "ID"}));
    folder.exec("DELETE FROM AR WHERE ID IS NULL");
    const QList<history::TrashEntry> trash = history::trash(program.connection);
    QCOMPARE(trash.size(), 1);
    QVERIFY(trash.first().number.isNull());
    // Meanwhile another article goes without a number for a while: its versions only.
    folder.exec("UPDATE AR SET ID = NULL WHERE ID = 3");
    QCOMPARE(changes(), QStringList{"ID"});
    folder.exec("UPDATE AR SET ID = 3 WHERE ID IS NULL");
    const qint64 row = history::restoreFromTrash(program.connection, trash.first().id);
    QCOMPARE(changes(), QStringList({"Title", "ID"}));
    QCOMPARE(history::positionOf(program.connection, row), 1); // no number comes first
    QCOMPARE(program.versions(3).size(), 2);
    QVERIFY(program.versions(1).isEmpty());
}

void tst_History::failedDeleteLeavesNoTrash_data()
{
    QTest::addColumn<Engine>("engine");
    for (const Engine engine : kEngines)
        row(engine, "batch refused");
}

void tst_History::failedDeleteLeavesNoTrash()
{
    QFETCH(Engine, engine);
    TestFolder folder(engine);
    folder.fillArticles(3);
    Program program(folder);
    // One batch: article 1 deleted, article 3 given the number that article 2 holds.
    program.go(1);
    program.rs.deleteCurrent();
    program.rs.setFilter("ID = #3#");
    program.rs.collect("ID", "2");
    QVERIFY_THROWS_EXCEPTION(DbError, program.rs.updateBatch("ID"));
    QCOMPARE(folder.scalar("SELECT count(*) FROM ardentry_trash").toInt(), 0);
    QCOMPARE(folder.scalar("SELECT count(*) FROM AR").toInt(), 3);
    // Trash and versions go for good when the trash is emptied.
    program.save(1, "Title=A");
    program.remove(1);
    program.remove(2);
    QCOMPARE(history::emptyTrash(program.connection), 2);
    QCOMPARE(folder.scalar("SELECT count(*) FROM ardentry_history").toInt(), 0);
    QVERIFY(history::trash(program.connection).isEmpty());
}

void tst_History::upgradeAllOrNothing_data()
{
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<QString>("damage");
    for (const Engine engine : kEngines) {
        row(engine, "a table in the way") << "CREATE TABLE ardentry_trash (x text)";
        row(engine, "a column missing") << "ALTER TABLE AR RENAME COLUMN Image10 TO Picture10";
    }
}

void tst_History::upgradeAllOrNothing()
{
    QFETCH(Engine, engine);
    QFETCH(QString, damage);
    TestFolder folder(engine);
    folder.fillArticles(2);
    folder.exec(damage);
    // Every table, index, sequence, function and trigger of the database.
    const auto objects = [&folder, engine] {
        return folder.rows(
            engine == Engine::File
                ? "SELECT type, name FROM sqlite_master ORDER BY name"
                : "SELECT relkind::text, relname::text FROM pg_class WHERE relnamespace = "
                  "current_schema()::regnamespace UNION ALL SELECT 'f', proname::text FROM "
                  "pg_proc WHERE pronamespace = current_schema()::regnamespace UNION ALL SELECT "
                  "'t', tgname::text FROM pg_trigger WHERE NOT tgisinternal ORDER BY 2");
    };
    const auto before = objects();
    Connection connection;
    connection.open(folder.dbPath());
    const int additions = schema::additions(connection.database());
    QVERIFY_THROWS_EXCEPTION(DbError, history::install(connection));
    QCOMPARE(objects(), before);
    QCOMPARE(schema::additions(connection.database()), additions);
    folder.exec("UPDATE AR SET Title = 'still writable' WHERE ID = 1");
    if (damage.startsWith("CREATE"))
        folder.exec("DROP TABLE ardentry_trash");
    else
        folder.exec("ALTER TABLE AR RENAME COLUMN Picture10 TO Image10");
    QVERIFY(history::install(connection));
    QVERIFY(!history::install(connection)); // once only
    QCOMPARE(schema::additions(connection.database()), additions | schema::History);
}

void tst_History::serverRoleWithArticleRightsOnly()
{
    // A role that may work on the articles but neither create tables nor touch the history's
    // tables of its own right: its changes are kept all the same, and it reads and restores them.
    TestFolder folder({false, 0, true}, Engine::Server); // with the quick-search index
    folder.fillArticles(3);
    const QString role = QString("clerk_%1").arg(QCoreApplication::applicationPid());
    folder.exec("CREATE ROLE " + role + " LOGIN");
    struct DropRole {
        ~DropRole()
        {
            folder.exec("DROP OWNED BY " + role);
            folder.exec("DROP ROLE " + role);
        }
        TestFolder& folder;
        QString role;
    } dropRole{folder, role};
    folder.exec("GRANT SELECT, INSERT, UPDATE, DELETE ON ar TO " + role);
    {
        Connection owner;
        owner.open(folder.dbPath());
        QVERIFY(history::mayInstall(owner));
        QVERIFY(history::install(owner));
    }
    ServerAddress address;
    QVERIFY(ServerAddress::parse(folder.dbPath(), address));
    address.user = role;
    Program program(folder, address.display());
    QVERIFY(history::isWritable(program.connection));
    QVERIFY(!history::mayInstall(program.connection));
    program.save(2, "Title=A");
    QCOMPARE(program.versions(2).first().who, QString("alice"));
    program.remove(2);
    const qint64 row = history::restoreFromTrash(program.connection,
                                                 history::trash(program.connection).first().id);
    QCOMPARE(folder.scalar("SELECT Title FROM AR WHERE rowid = ?", {row}).toString(), QString("A"));
    QCOMPARE(program.versions(2).size(), 1);
    // Without rights on the history's tables (granted on the articles later, say) its changes
    // are kept all the same.
    folder.exec("REVOKE ALL ON ardentry_history, ardentry_trash FROM " + role);
    program.save(1, "Title=B");
    program.remove(3);
    QCOMPARE(
        folder.scalar("SELECT count(*) FROM ardentry_history WHERE changed_by = 'alice'").toInt(),
        2);
    QCOMPARE(folder.scalar("SELECT deleted_by FROM ardentry_trash").toString(), QString("alice"));
    folder.exec("REVOKE UPDATE ON ar FROM " + role);
    QVERIFY(!history::isWritable(program.connection));
}

void tst_History::backupWhileAnotherWrites()
{
    TestFolder folder({false, 3000}); // about 2 KB of text each
    folder.exec("CREATE TABLE tally (n INTEGER)");
    folder.exec("INSERT INTO tally SELECT count(*) FROM AR");
    Connection connection;
    connection.open(folder.dbPath());
    // Another program adds an article and counts it, one transaction at a time, all along.
    struct Writer {
        explicit Writer(const QString& path)
            : thread([this, file = QFile::encodeName(path)] {
                  sqlite3* db = nullptr;
                  sqlite3_open(file.constData(), &db);
                  sqlite3_busy_timeout(db, 10000);
                  while (!stop) {
                      if (sqlite3_exec(db,
                                       "BEGIN IMMEDIATE; INSERT INTO AR (ID, Title) SELECT "
                                       "max(ID) + 1, 'added' FROM AR; UPDATE tally SET n = n + 1; "
                                       "COMMIT;",
                                       nullptr, nullptr, nullptr) == SQLITE_OK)
                          ++written;
                      else
                          sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
                  }
                  sqlite3_close(db);
              })
        {
        }
        ~Writer()
        {
            stop = true;
            thread.join();
        }
        std::atomic<bool> stop{false};
        std::atomic<int> written{0};
        std::thread thread;
    } writer(folder.dbPath());
    std::atomic<int>& written = writer.written;
    QTRY_VERIFY(written > 20);
    const QString copy = folder.path("copy.db");
    {
        BackupJob job(connection, copy);
        const QDeadlineTimer deadline(20000); // a copy that never ends under a steady writer fails
        while (!job.step(8) && !deadline.hasExpired())
            QVERIFY(!QFileInfo::exists(copy)); // nothing in place before the end
        QVERIFY(job.isDone());
    }
    const int last = written;
    QVERIFY2(last > 40, "the other program hardly wrote during the copy");
    QCOMPARE(backup::quickCheck(copy), QStringList());
    Connection copied;
    copied.open(copy);
    RecordSet rs(copied);
    rs.open("SELECT * FROM tally ORDER BY n");
    const int counted = rs.value("n").toInt();
    rs.open("SELECT * FROM AR ORDER BY ID");
    QCOMPARE(rs.recordCount(), counted);               // the file at one moment
    QVERIFY(counted > 3001 && counted <= 3001 + last); // and the welcome article
    QVERIFY(!QFileInfo::exists(copy + ".part"));
}

void tst_History::automaticCopies()
{
    TestFolder folder;
    folder.fillArticles(2);
    Connection connection;
    connection.open(folder.dbPath());
    QVERIFY(!backup::copiedOn(folder.dbPath(), QDate::currentDate()));
    const QString first = backup::copyNow(connection);
    QCOMPARE(QFileInfo(first).absolutePath(), QFileInfo(folder.path("backups")).absoluteFilePath());
    QVERIFY(backup::copiedOn(folder.dbPath(), QDate::currentDate()));
    QCOMPARE(backup::quickCheck(first), QStringList());
    // Older copies, another database's copy and a file of the user's in the same folder.
    const QDateTime start(QDate(2020, 3, 1), QTime(9, 0));
    QStringList older;
    for (int day = 0; day < 8; ++day) {
        older.prepend(backup::newCopyPath(folder.dbPath(), start.addDays(day)));
        BackupJob(connection, older.first()).step(-1);
    }
    folder.writeFile("backups/other-2019-01-01-000000.db", "x");
    folder.writeFile("backups/notes.txt", "x");
    backup::prune(folder.dbPath());
    QCOMPARE(backup::automaticCopies(folder.dbPath()), QStringList{first} + older.mid(0, 6));
    QVERIFY(QFileInfo::exists(folder.path("backups/other-2019-01-01-000000.db")));
    QVERIFY(QFileInfo::exists(folder.path("backups/notes.txt")));
    QCOMPARE(backup::newestCopy(folder.dbPath()).date(), QDate::currentDate());
    // Never over the database itself.
    QVERIFY_THROWS_EXCEPTION(DbError, BackupJob(connection, folder.dbPath()));
}

void tst_History::serverIsNotCopied()
{
    // Backups of a server database are its administrator's: no copy, no folder, no failure.
    TestFolder folder(Engine::Server);
    Connection connection;
    connection.open(folder.dbPath());
    QVERIFY(!backup::appliesTo(connection));
    QCOMPARE(backup::copyNow(connection), QString());
    QVERIFY(backup::automaticCopies(folder.dbPath()).isEmpty());
    QVERIFY(!backup::copiedOn(folder.dbPath(), QDate::currentDate()));
    QVERIFY(!backup::newestCopy(folder.dbPath()).isValid());
    QVERIFY_THROWS_EXCEPTION(DbError, backup::newCopyPath(folder.dbPath(), {}));
    QVERIFY_THROWS_EXCEPTION(DbError, BackupJob(connection, folder.path("copy.db")));
    QCOMPARE(QDir(folder.folder()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList({"Help", "Ini"}));
    QVERIFY(!QFileInfo::exists(QDir::current().filePath("postgresql:")));
}

QTEST_GUILESS_MAIN(tst_History)
#include "tst_history.moc"
