#include "ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
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

    void read_data();
    void read();
    void readMissingFile();
    void write_data();
    void write();
    void roundTrip_data();
    void roundTrip();
    void keysDoNotDisturbEachOther();
    void refusedWrite_data();
    void refusedWrite();

private:
    QString iniPath() const { return m_dir.filePath(QStringLiteral("arprefs.ini")); }
    QTemporaryDir m_dir;
};

void tst_ProfileFile::read_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected"); // "<default>" stands for the default value

    const QByteArray two = "[General]\nPath=/data/ar.db\nSearchString=printer\n";
    QTest::newRow("lf") << two << "General"
                        << "Path"
                        << "/data/ar.db";
    QTest::newRow("second key") << two << "General"
                                << "SearchString"
                                << "printer";
    QTest::newRow("crlf") << QByteArray("[General]\r\nPath=/data/ar.db\r\nSearchString=x\r\n")
                          << "General"
                          << "Path"
                          << "/data/ar.db";
    QTest::newRow("crlf last key")
        << QByteArray("[General]\r\nPath=/data/ar.db\r\nSearchString=x\r\n") << "General"
        << "SearchString"
        << "x";
    QTest::newRow("no final line end") << QByteArray("[General]\nPath=/a.db") << "General"
                                       << "Path"
                                       << "/a.db";
    QTest::newRow("section case") << two << "GENERAL"
                                  << "Path"
                                  << "/data/ar.db";
    QTest::newRow("key case") << two << "General"
                              << "pATH"
                              << "/data/ar.db";
    QTest::newRow("file case") << QByteArray("[gEnErAl]\nPATH=/x.db\n") << "General"
                               << "Path"
                               << "/x.db";
    QTest::newRow("blanks trimmed")
        << QByteArray("  [ General ]  \n  Path  =   /with space/ar.db \t\n") << "General"
        << "Path"
        << "/with space/ar.db";
    QTest::newRow("quotes removed") << QByteArray("[General]\nPath=\"/q/ar.db\"\n") << "General"
                                    << "Path"
                                    << "/q/ar.db";
    QTest::newRow("one pair of quotes only")
        << QByteArray("[General]\nPath=\"\"/q\"\"\n") << "General"
        << "Path"
        << "\"/q\"";
    QTest::newRow("lone quote kept") << QByteArray("[General]\nPath=\"/q\n") << "General"
                                     << "Path"
                                     << "\"/q";
    QTest::newRow("equals in value") << QByteArray("[General]\nSearchString=a=b;c#d\n") << "General"
                                     << "SearchString"
                                     << "a=b;c#d";
    QTest::newRow("empty value is not the default") << QByteArray("[General]\nPath=\n") << "General"
                                                    << "Path"
                                                    << "";
    QTest::newRow("first duplicate wins")
        << QByteArray("[General]\nPath=/one\nPath=/two\n") << "General"
        << "Path"
        << "/one";
    QTest::newRow("other section's key")
        << QByteArray("[Other]\nPath=/wrong\n[General]\nPath=/right\n") << "General"
        << "Path"
        << "/right";
    QTest::newRow("key only in other section")
        << QByteArray("[General]\nSearchString=x\n[Other]\nPath=/wrong\n") << "General"
        << "Path"
        << "<default>";
    QTest::newRow("key before any section")
        << QByteArray("Path=/wrong\n[General]\nSearchString=x\n") << "General"
        << "Path"
        << "<default>";
    QTest::newRow("semicolon comment")
        << QByteArray("[General]\n;Path=/wrong\nPath=/right\n") << "General"
        << "Path"
        << "/right";
    QTest::newRow("hash comment") << QByteArray("[General]\n  # Path=/wrong\n") << "General"
                                  << "Path"
                                  << "<default>";
    QTest::newRow("missing section") << QByteArray("[Other]\nPath=/x\n") << "General"
                                     << "Path"
                                     << "<default>";
    QTest::newRow("missing key") << two << "General"
                                 << "Nothing"
                                 << "<default>";
    QTest::newRow("empty file") << QByteArray() << "General"
                                << "Path"
                                << "<default>";
    QTest::newRow("byte-order mark")
        << QByteArray("\xEF\xBB\xBF[General]\nPath=/bom.db\n") << "General"
        << "Path"
        << "/bom.db";
    QTest::newRow("non-ascii") << QByteArray("[General]\nPath=/home/zoë/Données/Café.db\n")
                               << "General"
                               << "Path" << QString::fromUtf8("/home/zoë/Données/Café.db");
    const QString v49 = QStringLiteral("/") + QString(48, QLatin1Char('a'));
    const QString v50 = QStringLiteral("/") + QString(49, QLatin1Char('b'));
    const QString v300 = QStringLiteral("/") + QString(299, QLatin1Char('c'));
    QTest::newRow("49 characters") << ("[General]\nPath=" + v49.toUtf8() + "\n") << "General"
                                   << "Path" << v49;
    QTest::newRow("50 characters") << ("[General]\nPath=" + v50.toUtf8() + "\n") << "General"
                                   << "Path" << v50;
    QTest::newRow("300 characters") << ("[General]\nPath=" + v300.toUtf8() + "\r\n") << "General"
                                    << "Path" << v300;
}

void tst_ProfileFile::read()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    putFile(iniPath(), content);
    const ProfileFile profile(iniPath());
    const QString fallback = QStringLiteral("<default>");
    QCOMPARE(profile.read(section, key, fallback), expected);
    if (expected == fallback)
        QCOMPARE(profile.read(section, key), QString());
}

void tst_ProfileFile::readMissingFile()
{
    QCOMPARE(ProfileFile(iniPath()).read("General", "Path", "dflt"), QStringLiteral("dflt"));
    QCOMPARE(ProfileFile(m_dir.filePath("no/such/folder/arprefs.ini")).read("General", "Path"),
             QString());
    QCOMPARE(ProfileFile(QString()).read("General", "Path", "dflt"), QStringLiteral("dflt"));
}

void tst_ProfileFile::write_data()
{
    QTest::addColumn<QByteArray>("before"); // "<none>": no file
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    const QByteArray none = "<none>";
    QTest::newRow("new file") << none << "General"
                              << "Path"
                              << "/data/ar.db" << QByteArray("[General]\nPath=/data/ar.db\n");
    QTest::newRow("replace in place, everything else kept")
        << QByteArray("; Ardentry preferences\n\n[Other]\nA = 1\n\n[General]\n; where\n"
                      "Path=/old.db\nSearchString=net\n# end\n")
        << "General"
        << "Path"
        << "/new.db"
        << QByteArray("; Ardentry preferences\n\n[Other]\nA = 1\n\n[General]\n; where\n"
                      "Path=/new.db\nSearchString=net\n# end\n");
    QTest::newRow("replace keeps crlf")
        << QByteArray("[General]\r\nPath=/old.db\r\nSearchString=x\r\n") << "General"
        << "Path"
        << "/new.db" << QByteArray("[General]\r\nPath=/new.db\r\nSearchString=x\r\n");
    QTest::newRow("replace keeps spelling and blanks")
        << QByteArray("[general]\npath = /old.db\n") << "GENERAL"
        << "PATH"
        << "/new.db" << QByteArray("[general]\npath = /new.db\n");
    QTest::newRow("first duplicate replaced")
        << QByteArray("[General]\nPath=/one\nPath=/two\n") << "General"
        << "Path"
        << "/new" << QByteArray("[General]\nPath=/new\nPath=/two\n");
    QTest::newRow("key added to section, crlf")
        << QByteArray("[General]\r\nPath=/a.db\r\n\r\n[Other]\r\nB=2\r\n") << "General"
        << "SearchString"
        << "disk"
        << QByteArray("[General]\r\nPath=/a.db\r\nSearchString=disk\r\n\r\n[Other]\r\nB=2\r\n");
    QTest::newRow("key added to empty section")
        << QByteArray("[General]\n[Other]\nB=2\n") << "General"
        << "Path"
        << "/a.db" << QByteArray("[General]\nPath=/a.db\n[Other]\nB=2\n");
    QTest::newRow("key added at end without line end")
        << QByteArray("[General]\nPath=/a.db") << "General"
        << "SearchString"
        << "x" << QByteArray("[General]\nPath=/a.db\nSearchString=x");
    QTest::newRow("section appended")
        << QByteArray("; top\n[Other]\nB=2\n") << "General"
        << "Path"
        << "/a.db" << QByteArray("; top\n[Other]\nB=2\n\n[General]\nPath=/a.db\n");
    QTest::newRow("section appended, crlf, no final line end")
        << QByteArray("[Other]\r\nB=2") << "General"
        << "Path"
        << "/a.db" << QByteArray("[Other]\r\nB=2\r\n\r\n[General]\r\nPath=/a.db\r\n");
    QTest::newRow("section appended to empty file")
        << QByteArray() << "General"
        << "Path"
        << "/a.db" << QByteArray("[General]\nPath=/a.db\n");
    QTest::newRow("commented key is not replaced")
        << QByteArray("[General]\n;Path=/old\n") << "General"
        << "Path"
        << "/new" << QByteArray("[General]\nPath=/new\n;Path=/old\n");
    QTest::newRow("byte-order mark kept")
        << QByteArray("\xEF\xBB\xBF[General]\nPath=/old\n") << "General"
        << "Path"
        << "/new" << QByteArray("\xEF\xBB\xBF[General]\nPath=/new\n");
    QTest::newRow("empty value") << QByteArray("[General]\nPath=/old\n") << "General"
                                 << "Path"
                                 << "" << QByteArray("[General]\nPath=\n");
    QTest::newRow("non-ascii stored as utf-8") << none << "General"
                                               << "Path" << QString::fromUtf8("/Données/Café.db")
                                               << QByteArray("[General]\nPath=/Donn\xC3\xA9"
                                                             "es/Caf\xC3\xA9.db\n");
}

void tst_ProfileFile::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    if (before != "<none>")
        putFile(iniPath(), before);
    QString error;
    QVERIFY2(ProfileFile(iniPath()).write(section, key, value, &error), qPrintable(error));
    QCOMPARE(fileBytes(iniPath()), after);
    QCOMPARE(ProfileFile(iniPath()).read(section, key, "<default>"), value);
}

void tst_ProfileFile::roundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "/srv/helpdesk/ardentry.db";
    QTest::newRow("non-ascii") << QString::fromUtf8("/home/zoë/Données/Café ☕/日本.db");
    QTest::newRow("49 characters") << QString(49, QLatin1Char('x'));
    QTest::newRow("50 characters") << QString(50, QLatin1Char('y'));
    QTest::newRow("300 characters") << QString(300, QLatin1Char('z'));
    QTest::newRow("empty") << "";
    QTest::newRow("blanks around") << "  padded value\t ";
    QTest::newRow("enclosing quotes") << "\"quoted\"";
    QTest::newRow("single quote character") << "\"";
    QTest::newRow("markup and wildcards") << "a=b; [x] #1 50% <b>&amp; 'it''s' *?_";
}

void tst_ProfileFile::roundTrip()
{
    QFETCH(QString, value);
    const ProfileFile profile(iniPath());
    QString error;
    // Once into a new file, once over an existing value.
    QVERIFY2(profile.write("General", "SearchString", value, &error), qPrintable(error));
    QCOMPARE(profile.read("General", "SearchString", "<default>"), value);
    QVERIFY2(profile.write("General", "Path", "/first", &error), qPrintable(error));
    QVERIFY2(profile.write("General", "Path", value, &error), qPrintable(error));
    QCOMPARE(profile.read("General", "Path", "<default>"), value);
    QCOMPARE(profile.read("General", "SearchString", "<default>"), value);
}

void tst_ProfileFile::keysDoNotDisturbEachOther()
{
    const ProfileFile profile(iniPath());
    QVERIFY(profile.write("General", "Path", "/db/one.db"));
    QVERIFY(profile.write("General", "SearchString", "printer"));
    QCOMPARE(profile.read("General", "Path"), QStringLiteral("/db/one.db"));
    QVERIFY(profile.write("General", "SearchString", "network"));
    QCOMPARE(profile.read("General", "Path"), QStringLiteral("/db/one.db"));
    QVERIFY(profile.write("General", "Path", "/db/two.db"));
    QCOMPARE(profile.read("General", "SearchString"), QStringLiteral("network"));
    QCOMPARE(fileBytes(iniPath()),
             QByteArray("[General]\nPath=/db/two.db\nSearchString=network\n"));
}

void tst_ProfileFile::refusedWrite_data()
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

void tst_ProfileFile::refusedWrite()
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
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                    QFileDevice::ReadOther));
    }

    QString error;
    QVERIFY(!ProfileFile(path).write("General", "Path", value, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(!ProfileFile(path).write("General", "Path", value)); // no error pointer needed

    if (kind == "folder") {
        QVERIFY(!QFileInfo::exists(m_dir.filePath("Ini")));
    } else if (kind == "dir") {
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY(QDir(m_dir.path()).rmdir("adir"));
    } else {
        QCOMPARE(fileBytes(path), original);
        QCOMPARE(ProfileFile(path).read("General", "Path"), QStringLiteral("/old.db"));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    }
    // Nothing was left behind beside the file either.
    QStringList left = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
    left.removeAll(QStringLiteral("arprefs.ini"));
    QVERIFY2(left.isEmpty(), qPrintable(left.join(", ")));
}

QTEST_GUILESS_MAIN(tst_ProfileFile)
#include "tst_profilefile.moc"
