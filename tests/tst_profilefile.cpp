// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class tst_ProfileFile : public QObject
{
    Q_OBJECT

private slots:
    // Reading General/Path, or writing a key: a write keeps every other section, key, comment
    // and line end, quotes what reading would take off and reads back as written; a refused
    // write says why and leaves the file, and the folder, as they were.
    void profile_data()
    {
        QTest::addColumn<QByteArray>("before"); // the file; "<none>", "<folder>" in its place,
                                                // "<no folder>", or "<read-only>" and the file
        QTest::addColumn<QString>("action");    // "read", or "Section/Key=value" to write
        QTest::addColumn<QByteArray>("after");  // read: the value ("<default>" when missing);
                                                // write: the file, or "refused: reason"
        const auto row = [](const char* name, const QByteArray& before, const QString& action,
                            const QByteArray& after) {
            QTest::newRow(name) << before << action << after;
        };
        row("blanks trimmed", "  [ General ]  \n  Path  =   /with space/ar.db \t\n", "read",
            "/with space/ar.db");
        row("lone quote kept", "[General]\nPath=\"/q\n", "read", "\"/q");
        row("equals in value", "[General]\nPath=a=b;c#d\n", "read", "a=b;c#d");
        row("empty value is not the default", "[General]\nPath=\n", "read", "");
        row("first duplicate wins", "[General]\nPath=/one\nPath=/two\n", "read", "/one");
        row("other section's key", "[Other]\nPath=/wrong\n[General]\nPath=/right\n", "read",
            "/right");
        row("key only in other section", "[General]\nSearchString=x\n[Other]\nPath=/wrong\n",
            "read", "<default>");
        row("key before any section", "Path=/wrong\n[General]\nSearchString=x\n", "read",
            "<default>");
        row("semicolon comment", "[General]\n;Path=/wrong\nPath=/right\n", "read", "/right");
        row("hash comment", "[General]\n  # Path=/wrong\n", "read", "<default>");
        row("missing file", "<none>", "read", "<default>");
        const QByteArray longValue = '/' + QByteArray(299, 'b'); // read whole, never cut
        row("300 characters", "[General]\r\nPath=" + longValue + "\r\n", "read", longValue);
        row("new file", "<none>", "General/Path=/data/ar.db", "[General]\nPath=/data/ar.db\n");
        row("replace in place",
            "; Ardentry preferences\n\n[Other]\nA = 1\n\n[General]\n; where\nPath=/old.db\n"
            "SearchString=net\n# end\n",
            "General/Path=/new.db",
            "; Ardentry preferences\n\n[Other]\nA = 1\n\n[General]\n; where\nPath=/new.db\n"
            "SearchString=net\n# end\n");
        row("replace keeps crlf", "[General]\r\nPath=/old.db\r\nSearchString=x\r\n",
            "General/Path=/new.db", "[General]\r\nPath=/new.db\r\nSearchString=x\r\n");
        row("replace keeps spelling and blanks", "[general]\npath = /old.db\n",
            "GENERAL/PATH=/new.db", "[general]\npath = /new.db\n");
        row("key added to section, crlf", "[General]\r\nPath=/a.db\r\n\r\n[Other]\r\nB=2\r\n",
            "General/SearchString=disk",
            "[General]\r\nPath=/a.db\r\nSearchString=disk\r\n\r\n[Other]\r\nB=2\r\n");
        row("key added to empty section", "[General]\n[Other]\nB=2\n", "General/Path=/a.db",
            "[General]\nPath=/a.db\n[Other]\nB=2\n");
        row("key added at end without line end", "[General]\nPath=/a.db", "General/SearchString=x",
            "[General]\nPath=/a.db\nSearchString=x");
        row("section appended", "; top\n[Other]\nB=2\n", "General/Path=/a.db",
            "; top\n[Other]\nB=2\n\n[General]\nPath=/a.db\n");
        row("section appended, crlf, no final line end", "[Other]\r\nB=2", "General/Path=/a.db",
            "[Other]\r\nB=2\r\n\r\n[General]\r\nPath=/a.db\r\n");
        row("byte-order mark kept", "\xEF\xBB\xBF[General]\nPath=/old\n", "General/Path=/new",
            "\xEF\xBB\xBF[General]\nPath=/new\n");
        row("blanks around the value", "[General]\nPath=/old\n", "General/Path=  padded\t ",
            "[General]\nPath=\"  padded\t \"\n");
        row("enclosing quotes", "<none>", "General/Path=\"quoted\"",
            "[General]\nPath=\"\"quoted\"\"\n");
        row("other characters", "<none>", "General/Path=/zoë/日本 a=b; [x] #1 50% 'it''s' *?_",
            "[General]\nPath=/zoë/日本 a=b; [x] #1 50% 'it''s' *?_\n");
        const QByteArray original = "; keep me\r\n[General]\r\nPath=/old.db\r\n";
        row("folder missing", "<no folder>", "General/Path=/x.db", "refused: does not exist");
        row("read-only file", "<read-only>" + original, "General/Path=/x.db", "refused: read-only");
        row("line feed in value", original, "General/Path=/x\n[Evil]\nPath=/y",
            "refused: line break");
        row("carriage return in value", original, "General/Path=/x\r", "refused: line break");
        row("path is a folder", "<folder>", "General/Path=/x.db", "refused: folder");
    }

    void profile()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, action);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath(before == "<no folder>" ? "Ini/arprefs.ini" : "a.ini");
        QFile file(path);
        if (before == "<folder>")
            QVERIFY(QDir(dir.path()).mkdir("a.ini"));
        else if (!before.startsWith('<') || before.startsWith("<read-only>"))
            QVERIFY(file.open(QIODevice::WriteOnly) &&
                    file.write(before.mid(before.indexOf('>') + 1)) >= 0);
        file.close();
        if (before.startsWith("<read-only>"))
            QVERIFY(file.setPermissions(QFileDevice::ReadOwner));
        const QString key = action.section('=', 0, 0), value = action.section('=', 1);
        const ProfileFile profile(path);
        if (action == "read") {
            QCOMPARE(profile.read("General", "Path", "<default>"), QString(after));
            return;
        }
        QString error;
        const bool written =
            profile.write(key.section('/', 0, 0), key.section('/', 1), value, &error);
        QVERIFY2(written == !after.startsWith("refused: "), qPrintable(error));
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        const QByteArray now = file.open(QIODevice::ReadOnly) ? file.readAll() : "<none>";
        if (written) {
            QCOMPARE(now, after);
            QCOMPARE(profile.read(key.section('/', 0, 0), key.section('/', 1)), value);
            return;
        }
        QVERIFY2(error.contains(after.mid(9)), qPrintable(error));
        QCOMPARE(now, before.startsWith('<') && !before.startsWith("<read-only>")
                          ? QByteArray("<none>")
                          : before.mid(before.indexOf('>') + 1));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 before == "<no folder>" ? QStringList() : QStringList{"a.ini"});
    }
};

QTEST_GUILESS_MAIN(tst_ProfileFile)
#include "tst_profilefile.moc"
