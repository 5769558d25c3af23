#include "core/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

const QByteArray kNone = "<none>"; // no file at all

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : kNone;
}

void putFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class tst_ProfileFile : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }
    void cleanup() { QFile::remove(iniPath()); }

    void read_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("where");    // "section/key"
        QTest::addColumn<QString>("expected"); // "<default>" stands for the default value
        const auto row = [](const char* name, const QByteArray& content, const char* where,
                            const QString& expected) {
            QTest::newRow(name) << content << QString(where) << expected;
        };
        const QByteArray two = "[General]\nPath=/data/ar.db\nSearchString=printer\n";
        row("lf", two, "General/SearchString", "printer");
        row("crlf", "[General]\r\nPath=/data/ar.db\r\nSearchString=x\r\n", "General/Path",
            "/data/ar.db");
        row("no final line end", "[General]\nPath=/a.db", "General/Path", "/a.db");
        row("section case", two, "GENERAL/Path", "/data/ar.db");
        row("key case", two, "General/pATH", "/data/ar.db");
        row("file case", "[gEnErAl]\nPATH=/x.db\n", "General/Path", "/x.db");
        row("blanks trimmed", "  [ General ]  \n  Path  =   /with space/ar.db \t\n", "General/Path",
            "/with space/ar.db");
        row("quotes removed", "[General]\nPath=\"/q/ar.db\"\n", "General/Path", "/q/ar.db");
        row("one pair of quotes only", "[General]\nPath=\"\"/q\"\"\n", "General/Path", "\"/q\"");
        row("lone quote kept", "[General]\nPath=\"/q\n", "General/Path", "\"/q");
        row("equals in value", "[General]\nSearchString=a=b;c#d\n", "General/SearchString",
            "a=b;c#d");
        row("empty value is not the default", "[General]\nPath=\n", "General/Path", "");
        row("first duplicate wins", "[General]\nPath=/one\nPath=/two\n", "General/Path", "/one");
        row("other section's key", "[Other]\nPath=/wrong\n[General]\nPath=/right\n", "General/Path",
            "/right");
        row("key only in other section", "[General]\nSearchString=x\n[Other]\nPath=/wrong\n",
            "General/Path", "<default>");
        row("key before any section", "Path=/wrong\n[General]\nSearchString=x\n", "General/Path",
            "<default>");
        row("semicolon comment", "[General]\n;Path=/wrong\nPath=/right\n", "General/Path",
            "/right");
        row("hash comment", "[General]\n  # Path=/wrong\n", "General/Path", "<default>");
        row("missing section", "[Other]\nPath=/x\n", "General/Path", "<default>");
        row("missing key", two, "General/Nothing", "<default>");
        row("empty file", "", "General/Path", "<default>");
        row("byte-order mark", "\xEF\xBB\xBF[General]\nPath=/bom.db\n", "General/Path", "/bom.db");
        row("non-ascii", "[General]\nPath=/home/zoë/Données/Café.db\n", "General/Path",
            "/home/zoë/Données/Café.db");
        // Read whole: no cut at 49 characters.
        for (int length : {50, 300}) {
            const QString value = '/' + QString(length - 1, QLatin1Char('b'));
            QTest::addRow("%d characters", length)
                << ("[General]\r\nPath=" + value.toUtf8() + "\r\n") << "General/Path" << value;
        }
    }

    void read()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, where);
        QFETCH(QString, expected);
        const QString section = where.section('/', 0, 0), key = where.section('/', 1);
        putFile(iniPath(), content);
        const ProfileFile profile(iniPath());
        QCOMPARE(profile.read(section, key, "<default>"), expected);
        if (expected == "<default>")
            QCOMPARE(profile.read(section, key), QString());
    }

    void readMissingFile()
    {
        QCOMPARE(ProfileFile(iniPath()).read("General", "Path", "dflt"), QStringLiteral("dflt"));
        QCOMPARE(ProfileFile(m_dir.filePath("no/such/folder/arprefs.ini")).read("General", "Path"),
                 QString());
        QCOMPARE(ProfileFile(QString()).read("General", "Path", "dflt"), QStringLiteral("dflt"));
    }

    // Writing one key keeps every other section, key, comment and line end.
    void write_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("where"); // "section/key"
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        const auto row = [](const char* name, const QByteArray& before, const char* where,
                            const QString& value, const QByteArray& after) {
            QTest::newRow(name) << before << QString(where) << value << after;
        };
        row("new file", kNone, "General/Path", "/data/ar.db", "[General]\nPath=/data/ar.db\n");
        row("replace in place",
            "; Ardentry preferences\n\n[Other]\nA = 1\n\n[General]\n; where\nPath=/old.db\n"
            "SearchString=net\n# end\n",
            "General/Path", "/new.db",
            "; Ardentry preferences\n\n[Other]\nA = 1\n\n[General]\n; where\nPath=/new.db\n"
            "SearchString=net\n# end\n");
        row("replace keeps crlf", "[General]\r\nPath=/old.db\r\nSearchString=x\r\n", "General/Path",
            "/new.db", "[General]\r\nPath=/new.db\r\nSearchString=x\r\n");
        row("replace keeps spelling and blanks", "[general]\npath = /old.db\n", "GENERAL/PATH",
            "/new.db", "[general]\npath = /new.db\n");
        row("first duplicate replaced", "[General]\nPath=/one\nPath=/two\n", "General/Path", "/new",
            "[General]\nPath=/new\nPath=/two\n");
        row("key added to section, crlf", "[General]\r\nPath=/a.db\r\n\r\n[Other]\r\nB=2\r\n",
            "General/SearchString", "disk",
            "[General]\r\nPath=/a.db\r\nSearchString=disk\r\n\r\n[Other]\r\nB=2\r\n");
        row("key added to empty section", "[General]\n[Other]\nB=2\n", "General/Path", "/a.db",
            "[General]\nPath=/a.db\n[Other]\nB=2\n");
        row("key added at end without line end", "[General]\nPath=/a.db", "General/SearchString",
            "x", "[General]\nPath=/a.db\nSearchString=x");
        row("section appended", "; top\n[Other]\nB=2\n", "General/Path", "/a.db",
            "; top\n[Other]\nB=2\n\n[General]\nPath=/a.db\n");
        row("section appended, crlf, no final line end", "[Other]\r\nB=2", "General/Path", "/a.db",
            "[Other]\r\nB=2\r\n\r\n[General]\r\nPath=/a.db\r\n");
        row("section appended to empty file", "", "General/Path", "/a.db",
            "[General]\nPath=/a.db\n");
        row("commented key is not replaced", "[General]\n;Path=/old\n", "General/Path", "/new",
            "[General]\nPath=/new\n;Path=/old\n");
        row("byte-order mark kept", "\xEF\xBB\xBF[General]\nPath=/old\n", "General/Path", "/new",
            "\xEF\xBB\xBF[General]\nPath=/new\n");
    }

    void write()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, where);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        const QString section = where.section('/', 0, 0), key = where.section('/', 1);
        if (before != kNone)
            putFile(iniPath(), before);
        QString error;
        QVERIFY2(ProfileFile(iniPath()).write(section, key, value, &error), qPrintable(error));
        QCOMPARE(fileBytes(iniPath()), after);
        QCOMPARE(ProfileFile(iniPath()).read(section, key, "<default>"), value);
    }

    // What is written reads back unchanged, into a new file and over an older value, and
    // leaves the other key alone.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("value");
        for (const char* value : {"/home/zoë/Données/Café ☕/日本.db", "", "  padded value\t ",
                                  "\"quoted\"", "\"", "a=b; [x] #1 50% <b>&amp; 'it''s' *?_"})
            QTest::newRow(value) << QString(value);
        QTest::newRow("300 characters") << QString(300, QLatin1Char('z'));
    }

    void roundTrip()
    {
        QFETCH(QString, value);
        const ProfileFile profile(iniPath());
        QString error;
        QVERIFY2(profile.write("General", "SearchString", value, &error), qPrintable(error));
        QCOMPARE(profile.read("General", "SearchString", "<default>"), value);
        QVERIFY2(profile.write("General", "Path", "/first", &error), qPrintable(error));
        QVERIFY2(profile.write("General", "Path", value, &error), qPrintable(error));
        QCOMPARE(profile.read("General", "Path", "<default>"), value);
        QCOMPARE(profile.read("General", "SearchString", "<default>"), value);
    }

    // A refused write says why and leaves the file, and the folder, as they were.
    void refusedWrite_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("reason"); // a piece of the error text
        QTest::newRow("folder missing") << "folder"
                                        << "/x.db"
                                        << "does not exist";
        QTest::newRow("read-only file") << "readonly"
                                        << "/x.db"
                                        << "read-only";
        QTest::newRow("line feed in value") << "file"
                                            << "/x\n[Evil]\nPath=/y"
                                            << "line break";
        QTest::newRow("carriage return in value") << "file"
                                                  << "/x\r"
                                                  << "line break";
        QTest::newRow("path is a folder") << "dir"
                                          << "/x.db"
                                          << "folder";
    }

    void refusedWrite()
    {
        QFETCH(QString, kind);
        QFETCH(QString, value);
        QFETCH(QString, reason);
        const QByteArray original = "; keep me\r\n[General]\r\nPath=/old.db\r\n";
        QString path = iniPath();
        if (kind == "folder") {
            path = m_dir.filePath("Ini/arprefs.ini");
        } else if (kind == "dir") {
            path = m_dir.filePath("adir");
            QVERIFY(QDir(m_dir.path()).mkdir("adir"));
        } else {
            putFile(path, original);
            if (kind == "readonly")
                QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
        }

        QString error;
        QVERIFY(!ProfileFile(path).write("General", "Path", value, &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
        QVERIFY(!ProfileFile(path).write("General", "Path", value)); // no error pointer needed
        if (kind == "folder") {
            QVERIFY(!QFileInfo::exists(m_dir.filePath("Ini")));
        } else if (kind == "dir") {
            QVERIFY(QDir(m_dir.path()).rmdir("adir"));
        } else {
            QCOMPARE(fileBytes(path), original);
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        }
        QStringList left = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
        left.removeAll("arprefs.ini");
        QVERIFY2(left.isEmpty(), qPrintable(left.join(", ")));
    }

private:
    QString iniPath() const { return m_dir.filePath("arprefs.ini"); }
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(tst_ProfileFile)
#include "tst_profilefile.moc"
