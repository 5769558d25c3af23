// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ArticleExport.h"
#include "core/ArticleImport.h"
#include "core/Connection.h"
#include "core/Csv.h"
#include "tests/TestFolder.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

namespace
{

QByteArray encoded(const QString& text, const QString& encoding)
{
    if (encoding == "utf-16le" || encoding == "utf-16be") {
        QByteArray bytes;
        for (const QChar c : text) {
            const char lo = char(c.unicode() & 0xFF), hi = char(c.unicode() >> 8);
            bytes.append(encoding == "utf-16le" ? lo : hi).append(encoding == "utf-16le" ? hi : lo);
        }
        return bytes;
    }
    return text.toUtf8();
}

// Records as "line:field|field" joined by " / "; a quoted empty field shows as "", a record
// with a problem ends in "!", line breaks inside fields as \r and \n.
QString render(const QList<csv::Record>& records)
{
    QStringList out;
    for (const csv::Record& r : records) {
        QStringList fields;
        for (qsizetype i = 0; i < r.fields.size(); ++i) {
            QString f = r.fields[i];
            f.replace("\r", "\\r").replace("\n", "\\n");
            fields << (f.isEmpty() && r.quoted[size_t(i)] ? QStringLiteral("\"\"") : f);
        }
        out << QString::number(r.line) + ":" + fields.join('|') + (r.problem.isEmpty() ? "" : "!");
    }
    return out.join(" / ");
}

// The rows of AR in the order they were written, each value as "∅" for Null or its text;
// today's date reads "TODAY".
QStringList articles(const TestFolder& folder, const QString& where = "rowid > 1")
{
    const QString today = QDate::currentDate().toString("MM/dd/yyyy");
    QStringList out;
    for (const QVariantList& row :
         folder.rows("SELECT ID, CUName, techname, Title, Problem, solution, reference, "
                     "InitialEntry, EditedBy, DateEdited, Image1 FROM AR WHERE " +
                     where + " ORDER BY rowid")) {
        QStringList values;
        for (const QVariant& v : row)
            values << (v.isNull() ? QStringLiteral("∅") : v.toString().replace(today, "TODAY"));
        out << values.join('|');
    }
    return out;
}

// Every value of AR with its storage type, in number order: what a round trip must keep.
QStringList typedRows(const TestFolder& folder)
{
    QStringList columns;
    for (int f = 0; f < ArticleField::Count; ++f)
        columns << ArticleField::column(f);
    QStringList out;
    for (const QVariantList& row :
         folder.rows("SELECT " + columns.join(',') + " FROM AR ORDER BY ID, rowid")) {
        QStringList values;
        for (const QVariant& v : row) {
            // A server reads its whole numbers above zero as unsigned ones.
            const QString type =
                v.typeId() == QMetaType::ULongLong ? QString("qlonglong") : v.typeName();
            values << (v.isNull() ? QStringLiteral("∅") : type + ":" + v.toString());
        }
        out << values.join(QChar(0x1F));
    }
    return out;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Options from words: "after-highest", "exact", "day-first", "no-header", "max:N",
// "map:Field=column number".
ImportOptions optionsFor(const QString& path, const QString& words)
{
    const ImportPreview preview = previewImport(path);
    ImportOptions o;
    o.format = preview.format;
    o.mapping = preview.mapping;
    o.exact = preview.exactGuessed;
    for (const QString& word : words.split(' ', Qt::SkipEmptyParts)) {
        if (word == "after-highest")
            o.numbering = ImportOptions::Numbering::AfterHighest;
        else if (word == "exact")
            o.exact = true;
        else if (word == "day-first")
            o.dayFirst = true;
        else if (word == "no-header")
            o.format.header = false;
        else if (word.startsWith("max:"))
            o.maxFieldLength = word.mid(4).toInt();
        else if (word.startsWith("map:"))
            o.mapping[*ArticleField::fromName(word.mid(4).section('=', 0, 0))] =
                word.section('=', 1).toInt() - 1;
    }
    return o;
}

ImportReport runImport(TestFolder& folder, const QString& file, const ImportOptions& options,
                       const ImportProgress& progress = {}, const ImportConfirm& confirm = {})
{
    Connection connection;
    connection.open(folder.dbPath());
    return importArticles(connection.database(), file, options, progress, confirm);
}

QString lines(const QList<ImportReport::Line>& list)
{
    QStringList out;
    for (const ImportReport::Line& l : list)
        out << QString::number(l.line);
    return out.join(',');
}

} // namespace

class tst_Csv : public QObject
{
    Q_OBJECT
private slots:
    void hostileFiles_data();
    void hostileFiles();
    void reading_data();
    void reading();
    void chunkEdges_data();
    void chunkEdges();
    void importRows_data();
    void importRows();
    void roundTrip_data();
    void roundTrip();
    void webPages();
    void databaseUntouched_data();
    void databaseUntouched();
    void commandLine_data();
    void commandLine();
};

void tst_Csv::reading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("records");
    const QString quoted = "\"a,b\",\"say \"\"hi\"\"\"\r\n\"l1\r\nl2\nl3\",z\r\nnext,row\r\n";
    const QString quotedRead = "1:a,b|say \"hi\" / 2:l1\\r\\nl2\\nl3|z / 5:next|row";
    QTest::newRow("CR LF") << QByteArray("a,b\r\nc,d\r\n") << "UTF-8"
                           << "comma"
                           << "1:a|b / 2:c|d";
    QTest::newRow("LF, no last line end") << QByteArray("a,b\nc,d") << "UTF-8"
                                          << "comma"
                                          << "1:a|b / 2:c|d";
    QTest::newRow("lone CR") << QByteArray("a,b\rc,d\r") << "UTF-8"
                             << "comma"
                             << "1:a|b / 2:c|d";
    QTest::newRow("BOM, semicolon") << QByteArray("\xEF\xBB\xBFx;y\n1;2\n") << "UTF-8"
                                    << "semicolon"
                                    << "1:x|y / 2:1|2";
    QTest::newRow("tab") << QByteArray("x\ty\n1\t2\n") << "UTF-8"
                         << "tab"
                         << "1:x|y / 2:1|2";
    QTest::newRow("quotes, separators, line breaks") << quoted.toUtf8() << "UTF-8"
                                                     << "comma" << quotedRead;
    QTest::newRow("UTF-16 LE with BOM") << "\xFF\xFE" + encoded(quoted, "utf-16le") << "UTF-16 LE"
                                        << "comma" << quotedRead;
    QTest::newRow("UTF-16 BE with BOM") << "\xFE\xFF" + encoded(quoted, "utf-16be") << "UTF-16 BE"
                                        << "comma" << quotedRead;
    QTest::newRow("UTF-16 LE without BOM") << encoded(quoted, "utf-16le") << "UTF-16 LE"
                                           << "comma" << quotedRead;
    QTest::newRow("Windows-1252") << QByteArray("caf\xE9;\x80\x96\r\nna\xEFve;x\r\n")
                                  << "Windows-1252"
                                  << "semicolon"
                                  << "1:café|€– / 2:naïve|x";
    QTest::newRow("UTF-8 encoded surrogate") << QByteArray("é,a\xED\xA0\x80"
                                                           "b\nx,y\n")
                                             << "UTF-8"
                                             << "comma"
                                             << "1:é|a\uFFFD\uFFFD\uFFFDb! / 2:x|y";
    QTest::newRow("UTF-8 beyond the BMP") << QString("😀,日本\nß,é\n").toUtf8() << "UTF-8"
                                          << "comma"
                                          << "1:😀|日本 / 2:ß|é";
    QTest::newRow("empty fields, quoted empty") << QByteArray("a,,\"\",\nb,c,d,e\n") << "UTF-8"
                                                << "comma"
                                                << "1:a||\"\"| / 2:b|c|d|e";
    QTest::newRow("ragged rows") << QByteArray("a,b,c\n1\n1,2,3,4\n") << "UTF-8"
                                 << "comma"
                                 << "1:a|b|c / 2:1 / 3:1|2|3|4";
    QTest::newRow("quote inside an unquoted field")
        << QByteArray("5\" disk,x\n3\" x,y\n") << "UTF-8"
        << "comma"
        << "1:5\" disk|x / 2:3\" x|y";
    QTest::newRow("empty line") << QByteArray("a,b\n\nc,d\n") << "UTF-8"
                                << "comma"
                                << "1:a|b / 2: / 3:c|d";
    QTest::newRow("quote never closed") << QByteArray("a,b\n\"open,x\ny,z\n") << "UTF-8"
                                        << "comma"
                                        << "1:a|b / 2:open,x\\ny,z\\n!";
    QTest::newRow("text after closing quote") << QByteArray("\"a\"b,c\nd,e\n") << "UTF-8"
                                              << "comma"
                                              << "1:ab|c! / 2:d|e";
    QTest::newRow("semicolons inside quoted comma fields")
        << QByteArray("T,P\n\"a;b\",\"c;d;e\"\nx,y\n") << "UTF-8"
        << "comma"
        << "1:T|P / 2:a;b|c;d;e / 3:x|y";
    QTest::newRow("decimal commas in a semicolon file")
        << QByteArray("a;b\n1,5;2,5\n3,1;4\n") << "UTF-8"
        << "semicolon"
        << "1:a|b / 2:1,5|2,5 / 3:3,1|4";
}

void tst_Csv::reading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, encoding);
    QFETCH(QString, separator);
    QFETCH(QString, records);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const csv::Sniff sniffed = csv::sniff(buffer, "test");
    QCOMPARE(sniffed.kind, csv::Sniff::Kind::Text);
    QCOMPARE(csv::encodingName(sniffed.encoding), encoding);
    QCOMPARE(csv::separatorName(sniffed.separator), separator);
    QCOMPARE(render(csv::parse(bytes, sniffed.encoding, sniffed.separator)), records);
}

// Characters, quote pairs and line ends that straddle the end of a chunk the reader takes from
// the file (256 KB) are read as if they did not.
void tst_Csv::chunkEdges_data()
{
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QString>("tricky");
    for (const QString enc : {"utf-8", "utf-16le"}) {
        for (const QString tricky : {"é", "😀", "\"\"", "\r\n", "end\r\n"}) {
            for (int shift = 0; shift <= 4; ++shift)
                QTest::addRow("%s %s shift %d", qPrintable(enc),
                              qPrintable(tricky.toUtf8().toHex()), shift)
                    << enc << shift << tricky;
        }
    }
}

void tst_Csv::chunkEdges()
{
    QFETCH(QString, encoding);
    QFETCH(int, shift);
    QFETCH(QString, tricky);
    const int unit = encoding == "utf-8" ? 1 : 2;
    const QString filler((256 * 1024 - shift) / unit - 1, 'x');
    QString text;
    QString expected;
    if (tricky == "end\r\n") { // an unquoted record ends at the edge
        text = filler + "\r\nq,w\r\n";
        expected = "1:" + filler + " / 2:q|w";
    } else {
        text = "\"" + filler + tricky + "\",z\r\nq,w\r\n";
        QString read = tricky == "\"\"" ? "\"" : tricky;
        expected = "1:" + filler + read.replace("\r", "\\r").replace("\n", "\\n") + "|z / " +
                   (tricky == "\r\n" ? "3" : "2") + ":q|w";
    }
    const QList<csv::Record> records =
        csv::parse(encoded(text, encoding),
                   encoding == "utf-8" ? csv::Encoding::Utf8 : csv::Encoding::Utf16LE, ',');
    QCOMPARE(render(records), expected);
}

void tst_Csv::importRows_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("options");
    QTest::addColumn<QStringList>("rows"); // ID|CUName|techname|Title|Problem|solution|reference|
                                           // InitialEntry|EditedBy|DateEdited|Image1
    QTest::addColumn<QString>("lines");    // skipped lines, then "/" and lines with a remark
    QTest::addColumn<QString>("added");    // categories, then "/" and users

    QTest::newRow("names guessed, N/A filled in, date rewritten")
        << QByteArray("Title,Problem,Solution,Category,Author,Date\r\n"
                      "T1,P1,S1,Backups,Miller,2022-03-14\r\n")
        << "" << QStringList{"2|Backups|Miller|T1|P1|S1|N/A|03/14/2022|N/A|N/A|N/A"} << "/"
        << "Backups/Miller";
    const QByteArray numbered("ID,Problem,Solution\n7,p7,s7\n1,p1,s1\n,pX,sX\n12,p12,s12\n");
    QTest::newRow("free numbers kept, taken one skipped, missing one after the file's highest")
        << numbered << ""
        << QStringList{"7|N/A|N/A|N/A|p7|s7|N/A|TODAY|N/A|N/A|N/A",
                       "13|N/A|N/A|N/A|pX|sX|N/A|TODAY|N/A|N/A|N/A",
                       "12|N/A|N/A|N/A|p12|s12|N/A|TODAY|N/A|N/A|N/A"}
        << "3/"
        << "/";
    QTest::newRow("numbered after the highest existing one")
        << numbered << "after-highest"
        << QStringList{"2|N/A|N/A|N/A|p7|s7|N/A|TODAY|N/A|N/A|N/A",
                       "3|N/A|N/A|N/A|p1|s1|N/A|TODAY|N/A|N/A|N/A",
                       "4|N/A|N/A|N/A|pX|sX|N/A|TODAY|N/A|N/A|N/A",
                       "5|N/A|N/A|N/A|p12|s12|N/A|TODAY|N/A|N/A|N/A"}
        << "/"
        << "/";
    QTest::newRow("empty problem or solution, ragged rows, empty rows")
        << QByteArray(
               "Problem,Solution,Title\np,s\n,s2,t\np3,  ,t\np4,s4,t,extra\np5,s5,t,\n\n,,\n")
        << ""
        << QStringList{"2|N/A|N/A|N/A|p|s|N/A|TODAY|N/A|N/A|N/A",
                       "3|N/A|N/A|t|p5|s5|N/A|TODAY|N/A|N/A|N/A"}
        << "3,4,5/"
        << "/";
    QTest::newRow("dates of many forms; one that cannot be read is kept and remarked")
        << QByteArray("Problem,Solution,Date,Date Edited\n"
                      "p,s,3/4/21,14 March 2022\np,s,\"March 5, 2020\",yesterday\n"
                      "p,s,2019-12-31T23:59:00Z,01.02.2003\n")
        << ""
        << QStringList{"2|N/A|N/A|N/A|p|s|N/A|03/04/2021|N/A|03/14/2022|N/A",
                       "3|N/A|N/A|N/A|p|s|N/A|03/05/2020|N/A|yesterday|N/A",
                       "4|N/A|N/A|N/A|p|s|N/A|12/31/2019|N/A|02/01/2003|N/A"}
        << "/3"
        << "/";
    QTest::newRow("day first") << QByteArray("Problem,Solution,Date\np,s,03/04/2021\n")
                               << "day-first"
                               << QStringList{"2|N/A|N/A|N/A|p|s|N/A|04/03/2021|N/A|N/A|N/A"} << "/"
                               << "/";
    QTest::newRow("no header row, columns chosen by number")
        << QByteArray("x,how,fix\n") << "no-header map:Problem=2 map:Solution=3"
        << QStringList{"2|N/A|N/A|N/A|how|fix|N/A|TODAY|N/A|N/A|N/A"} << "/"
        << "/";
    QTest::newRow("names in the lists in another letter case are not added")
        << QByteArray("Problem,Solution,Category,Entered By\np,s,GENERAL,administrator\n") << ""
        << QStringList{"2|GENERAL|administrator|N/A|p|s|N/A|TODAY|N/A|N/A|N/A"} << "/"
        << "/";
    QTest::newRow("number that is not a whole number")
        << QByteArray("ID,Problem,Solution\nKB-1,p,s\n2.5,p,s\n") << "" << QStringList{} << "2,3/"
        << "/";
    QTest::newRow("field longer than the limit")
        << QByteArray("Problem,Solution\n" + QByteArray(200, 'p') + ",s\nq,r\n") << "max:100"
        << QStringList{"2|N/A|N/A|N/A|q|r|N/A|TODAY|N/A|N/A|N/A"} << "2/"
        << "/";
    QStringList header;
    for (int f = 0; f < ArticleField::Count; ++f)
        header << ArticleField::column(f);
    QTest::newRow("exact: unquoted empty is Null, quoted empty the empty text, dates as written")
        << (header.join(',') + "\n5,,\"\",,\"\",p,,yesterday,\"\",,\"\"\n").toUtf8() << ""
        << QStringList{"5|∅||∅||p|∅|yesterday||∅|"} << "/"
        << "/";
}

void tst_Csv::importRows()
{
    QFETCH(QByteArray, csv);
    QFETCH(QString, options);
    QFETCH(QStringList, rows);
    QFETCH(QString, lines);
    QFETCH(QString, added);
    TestFolder folder;
    folder.writeFile("in.csv", csv);
    const QString file = folder.path("in.csv");
    const ImportReport report = runImport(folder, file, optionsFor(file, options));
    QVERIFY2(report.outcome == ImportReport::Outcome::Imported, qPrintable(report.text()));
    QCOMPARE(articles(folder), rows);
    QCOMPARE(::lines(report.skipped) + "/" + ::lines(report.notes), lines);
    QCOMPARE(report.categoriesAdded.join(',') + "/" + report.usersAdded.join(','), added);
    QCOMPARE(folder.scalar("SELECT count(*) FROM Categories").toInt(),
             1 + int(report.categoriesAdded.size()));
    QCOMPARE(report.imported, qint64(rows.size()));
}

void tst_Csv::roundTrip_data()
{
    using E = TestFolder::Engine;
    QTest::addColumn<bool>("sample");
    QTest::addColumn<bool>("hostile");
    QTest::addColumn<E>("fromEngine");
    QTest::addColumn<E>("toEngine");
    QTest::newRow("sample database") << true << false << E::File << E::File;
    QTest::newRow("hostile texts") << false << true << E::File << E::File;
    QTest::newRow("hostile texts, server to server") << false << true << E::Server << E::Server;
    QTest::newRow("hostile texts, file to server") << false << true << E::File << E::Server;
}

void tst_Csv::roundTrip()
{
    QFETCH(bool, sample);
    QFETCH(bool, hostile);
    QFETCH(TestFolder::Engine, fromEngine);
    QFETCH(TestFolder::Engine, toEngine);
    NewDatabaseOptions options;
    options.sample = sample;
    TestFolder from(options, fromEngine);
    if (hostile) {
        const QStringList texts = {"quote \" and \"\" doubled",
                                   "comma, semicolon; tab\t",
                                   "CR\rLF\nCRLF\r\n",
                                   "lone CR\ronly",
                                   "<script>alert('x')</script> &amp; <b>",
                                   "Ünïcödé 日本 😀",
                                   QString(1 << 20, 'x') + "end",
                                   "  blanks around  ",
                                   QString::fromUtf8("NUL\0inside", 10),
                                   "N/A",
                                   "=1+2",
                                   "'=already protected",
                                   "''+two",
                                   "-",
                                   "@SUM(A1)",
                                   "\tx",
                                   "'plain apostrophe",
                                   "\"",
                                   ",",
                                   "\n"};
        int id = 100;
        for (const QString& text : texts) {
            if (fromEngine == TestFolder::Engine::Server && text.contains(QChar(0)))
                continue; // a server's text holds no NUL
            QVariantList values{id++};
            for (int f = 1; f < ArticleField::Count; ++f)
                values << ((f + id) % 5 == 0   ? QVariant()
                           : (f + id) % 7 == 0 ? QVariant("")
                                               : text);
            from.exec("INSERT INTO AR VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)", values);
        }
        from.exec("INSERT INTO AR (ID, Problem, solution) VALUES (?, ?, 's')",
                  {id, QString(10 << 20, 'y')}); // a field of 10 MB
    }
    Connection source;
    source.open(from.dbPath());
    const QString file = from.path("out.csv");
    const ExportReport exported = exportCsv(*allArticles(source.database()), file);
    QVERIFY2(exported.outcome == ExportReport::Outcome::Exported, qPrintable(exported.failure));
    QVERIFY(contents(file).startsWith("\xEF\xBB\xBFID,CUName,techname,Title,Problem,solution"));
    // Formulas are protected for spreadsheets; the import takes the protection away again.
    QVERIFY(!hostile || (contents(file).contains(",'=1+2,") && !contents(file).contains(",=1+2,")));

    TestFolder to(toEngine);
    to.exec("DELETE FROM AR");
    const ImportOptions o = optionsFor(file, "");
    QVERIFY(o.exact);
    const ImportReport report = runImport(to, file, o);
    // A server cannot store a NUL: that article is left out and said so, never cut short.
    QStringList expected = typedRows(from);
    if (toEngine == TestFolder::Engine::Server)
        expected.removeIf([](const QString& row) { return row.contains(QChar(0)); });
    QVERIFY2(report.skipped.size() == typedRows(from).size() - expected.size() &&
                 report.outcome == ImportReport::Outcome::Imported,
             qPrintable(report.text()));
    QCOMPARE(typedRows(to), expected);
}

void tst_Csv::webPages()
{
    TestFolder folder;
    const QByteArray png = QByteArray("\x89PNG\r\n\x1a\n", 8) + "rest of a picture";
    folder.writeFile("pics/a.png", png);
    folder.writeFile("pics/b.png", "root:x:0:0:root:/root:/bin/bash"); // only named a picture
    folder.exec("INSERT INTO AR (ID, CUName, Title, Problem, solution, reference, Image1, Image2, "
                "Image3) VALUES (2, '<Net & Co>', '\"Quoted\" <title>', '<script>x</script>', "
                "'line1\nline2', 'https://example.com/?a=1&b=\"2\"', 'pics/a.png', "
                "'/no/such/file.png', 'pics/b.png')");
    Connection connection;
    connection.open(folder.dbPath());
    const QString target = folder.path("web");
    const ExportReport report =
        exportWeb(*allArticles(connection.database()), target, folder.folder());
    QCOMPARE(report.outcome, ExportReport::Outcome::Exported);
    QCOMPARE(report.articles, qint64(2));
    QCOMPARE(report.imagesCopied, qint64(1));
    QCOMPARE(report.notes.size(), 2); // the missing file, the one that is no picture
    QVERIFY2(report.notes.last().contains("b.png was left out, not a picture"),
             qPrintable(report.notes.last()));
    const QString page = QString::fromUtf8(contents(target + "/article-2.html"));
    for (const char* raw : {"<script>", "<Net", "\"2\""})
        QVERIFY2(!page.contains(raw), raw);
    for (const char* escaped : {"&lt;script&gt;x&lt;/script&gt;", "&lt;Net &amp; Co&gt;",
                                "<h1>&quot;Quoted&quot; &lt;title&gt;</h1>", "line1\nline2",
                                "src=\"images/1-a.png\"", "/no/such/file.png"})
        QVERIFY2(page.contains(escaped), escaped);
    QCOMPARE(QDir(target + "/images").entryList(QDir::Files), QStringList{"1-a.png"});
    QCOMPARE(contents(target + "/images/1-a.png"), png);
    const QString index = QString::fromUtf8(contents(target + "/index.html"));
    for (const char* entry : {">&lt;Net &amp; Co&gt;</h2>", ">General</h2>",
                              "href=\"article-1.html\"", "href=\"article-2.html\""})
        QVERIFY2(index.contains(entry), entry);

    // A folder that holds files is never written into; a cancelled export leaves nothing.
    QCOMPARE(exportWeb(*allArticles(connection.database()), target, folder.folder()).outcome,
             ExportReport::Outcome::Failed);
    const auto stop = [](qint64, qint64) { return false; };
    QCOMPARE(
        exportWeb(*allArticles(connection.database()), folder.path("web2"), folder.folder(), stop)
            .outcome,
        ExportReport::Outcome::Cancelled);
    QCOMPARE(QDir(folder.folder()).entryList({"web2*"}, QDir::AllEntries), QStringList());
}

// Cancel, a refused confirmation, a dry run and every failure leave the database file byte for
// byte as it was; only a confirmed import changes it.
void tst_Csv::databaseUntouched_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("outcome");
    QByteArray many("Problem,Solution\n");
    for (int i = 0; i < 3000; ++i)
        many += "problem " + QByteArray::number(i) + QByteArray(200, 'p') + ",solution\n";
    const QByteArray boom = "Problem,Solution\n" + QByteArray("p,s\n").repeated(100) + "boom,s\n";
    using O = ImportReport::Outcome;
    QTest::newRow("cancel in the first pass")
        << "cancel"
        << "ID,Problem,Solution\n" + many.mid(17) << int(O::Cancelled);
    QTest::newRow("cancel after the rows") << "cancel-late" << many << int(O::Cancelled);
    QTest::newRow("confirmation refused") << "decline" << many << int(O::Declined);
    QTest::newRow("dry run") << "dry-run" << many << int(O::DryRun);
    QTest::newRow("file cut short while read") << "truncate" << many << int(O::Failed);
    QTest::newRow("write fails after 100 rows") << "trigger" << boom << int(O::Failed);
    QTest::newRow("server: cancel after the rows")
        << "server cancel-late" << many << int(O::Cancelled);
    QTest::newRow("server: write fails after 100 rows")
        << "server trigger" << boom << int(O::Failed);
    QTest::newRow("server: imported") << "server" << many << int(O::Imported);
    QTest::newRow("binary file") << "" << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\0\0", 21)
                                 << int(O::Failed);
    QTest::newRow("empty file") << "" << QByteArray() << int(O::Failed);
    QTest::newRow("header only") << "" << QByteArray("Problem,Solution\r\n") << int(O::Imported);
    QTest::newRow("quote never closed in 100 MB")
        << ""
        << "Problem,Solution\np,\"" + QByteArray(100 << 20, 'x') << int(O::Failed);
    QTest::newRow("file deleted while read: still read to the end through its handle")
        << "delete" << many << int(O::Imported);
}

void tst_Csv::databaseUntouched()
{
    QFETCH(QString, how);
    QFETCH(QByteArray, csv);
    QFETCH(int, outcome);
    const bool server = how.startsWith("server");
    how.remove(QRegularExpression("^server ?"));
    TestFolder folder(server ? TestFolder::Engine::Server : TestFolder::Engine::File);
    if (how == "trigger" && server) {
        folder.exec("CREATE FUNCTION fail() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN IF "
                    "NEW.problem = 'boom' THEN RAISE 'disk on fire'; END IF; RETURN NEW; END $$");
        folder.exec("CREATE TRIGGER fail BEFORE INSERT ON AR FOR EACH ROW EXECUTE FUNCTION fail()");
    } else if (how == "trigger") {
        folder.exec("CREATE TRIGGER fail BEFORE INSERT ON AR WHEN NEW.Problem = 'boom' "
                    "BEGIN SELECT RAISE(ABORT, 'disk on fire'); END");
    }
    folder.writeFile("in.csv", csv);
    const QString file = folder.path("in.csv");
    // A server's database as it reads: every row of the articles and the lists.
    const auto snapshot = [&] {
        if (!server)
            return contents(folder.dbPath());
        QByteArray all;
        for (const char* table : {"AR", "Categories", "Users", "ardentry_search"})
            for (const QVariantList& row : folder.rows(QString("SELECT * FROM %1").arg(table)))
                for (const QVariant& value : row)
                    all += value.toString().toUtf8() + '|';
        return all;
    };
    const QByteArray before = snapshot();
    ImportOptions o = optionsFor(file, "");
    if (o.mapping.isEmpty())
        o.mapping = QList<int>(ArticleField::Count, -1);
    o.mapping[ArticleField::Problem] = 0 + (how == "cancel");
    o.mapping[ArticleField::Solution] = 1 + (how == "cancel");
    o.dryRun = how == "dry-run";
    const ImportProgress progress = [&](qint64 done, qint64 total) {
        if (how == "truncate")
            QFile::resize(file, 1000);
        if (how == "delete")
            QFile::remove(file);
        return !(how == "cancel" || (how == "cancel-late" && done == total));
    };
    const ImportReport report =
        runImport(folder, file, o, progress, [&](const ImportReport&) { return how != "decline"; });
    QCOMPARE(int(report.outcome), outcome);
    if (report.changedDatabase()) {
        QCOMPARE(folder.scalar("SELECT count(*) FROM AR").toInt(), 1 + 3000);
        if (server) // the quick search knows them
            QCOMPARE(folder.scalar("SELECT count(*) FROM ardentry_search").toInt(), 1 + 3000);
    } else {
        QVERIFY(snapshot() == before);
    }
}

void tst_Csv::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments"); // DB and FILE stand for the two paths
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("printed");
    QTest::addColumn<int>("articles"); // in the database afterwards
    const QByteArray good("Title,Problem,Solution\nt,p,s\nu,q,r\n");
    const QByteArray bad("ID,Problem,Solution\n1,p,s\n,,s\n5,q,r\n");
    QTest::newRow("every row imported")
        << QStringList{"import", "DB", "FILE"} << good << 0
        << QStringList{"Articles imported: 2 (numbers 2 to 3)"} << 3;
    QTest::newRow("rows skipped") << QStringList{"import", "DB", "FILE"} << bad << 1
                                  << QStringList{"line 2: article number 1 is already used",
                                                 "line 3: the Problem is empty", "Rows skipped: 2"}
                                  << 2;
    QTest::newRow("dry run") << QStringList{"import", "DB", "FILE", "--dry-run"} << bad << 1
                             << QStringList{"Dry run", "would be imported: 1"} << 1;
    QTest::newRow("columns named with --map")
        << QStringList{"import",           "DB",    "FILE",  "--map", "Problem=Frage",
                       "--map=solution=2", "--map", "Title="}
        << QByteArray("Frage,Antwort,Title\nwie,so,t\n") << 0
        << QStringList{"Problem <- column 1 \"Frage\"", "Articles imported: 1"} << 2;
    QTest::newRow("problem and solution not found")
        << QStringList{"import", "DB", "FILE"} << QByteArray("a,b\n1,2\n") << 2
        << QStringList{"Problem"} << 1;
    QTest::newRow("unknown option")
        << QStringList{"import", "DB", "FILE", "--fast"} << good << 2 << QStringList{} << 1;
    QTest::newRow("binary file") << QStringList{"import", "DB", "FILE"}
                                 << QByteArray("\0\1\2\3\4\5\6\7\x10\x11\x12\x13\x14", 13) << 2
                                 << QStringList{"is not a text file"} << 1;
    QTest::newRow("export") << QStringList{"export", "DB", "FILE"} << QByteArray() << 0
                            << QStringList{"Articles written: 1"} << 1;
}

void tst_Csv::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, csv);
    QFETCH(int, status);
    QFETCH(QStringList, printed);
    QFETCH(int, articles);
    TestFolder folder;
    const bool exporting = arguments.first() == "export";
    if (!exporting)
        folder.writeFile("in.csv", csv);
    const QString file = folder.path(exporting ? "out.csv" : "in.csv");
    arguments.replaceInStrings(QRegularExpression("^DB$"), folder.dbPath());
    arguments.replaceInStrings(QRegularExpression("^FILE$"), file);
    const QByteArray before = contents(folder.dbPath());
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(QCoreApplication::applicationDirPath() + "/ardentry-csv", arguments);
    QVERIFY(tool.waitForFinished(60000));
    const QString out = QString::fromUtf8(tool.readAllStandardOutput());
    QCOMPARE(tool.exitCode(), status);
    for (const QString& text : printed)
        QVERIFY2(out.contains(text), qPrintable(out));
    QCOMPARE(folder.scalar("SELECT count(*) FROM AR").toInt(), articles);
    if (status == 2 || arguments.contains("--dry-run"))
        QVERIFY(contents(folder.dbPath()) == before);
    if (exporting)
        QVERIFY(contents(file).startsWith("\xEF\xBB\xBFID,CUName"));
}

void tst_Csv::hostileFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("said"); // by the preview, else by the import

    QByteArray utf8 = "Problem,Solution\n";
    for (int i = 0; i < 99; ++i)
        utf8 += "Caf\xC3\xA9 " + QByteArray::number(i) + ",x\n";
    QTest::newRow("one 0xFF byte in UTF-8: line named, nothing decided")
        << utf8 + "stray \xFF,x\n"
        << "preview: except line 101";
    QByteArray quoted = "Problem,Solution\n";
    for (int i = 1; i <= 1000; ++i)
        quoted += (i == 5 ? "p,\"open\n" : "p,s\n");
    QTest::newRow("unclosed quote on row 5 of 1000: where it opens, rest not read")
        << quoted << "import: Line 6 of the file";
}

// Hostile files are stopped before anything is written, saying where and what.
void tst_Csv::hostileFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, said);
    TestFolder folder;
    folder.writeFile("in.csv", bytes);
    const QString file = folder.path("in.csv");
    const QString words = said.section(": ", 1);
    if (said.startsWith("preview")) {
        QVERIFY2(previewImport(file).problem.contains(words),
                 qPrintable(previewImport(file).problem));
        return;
    }
    const ImportReport report = runImport(folder, file, optionsFor(file, ""));
    QCOMPARE(int(report.outcome), int(ImportReport::Outcome::Failed));
    QVERIFY2(report.failure.contains(words) && report.failure.contains("rest of the file"),
             qPrintable(report.failure));
    QCOMPARE(folder.scalar("SELECT count(*) FROM AR").toInt(), 1);
}

QTEST_GUILESS_MAIN(tst_Csv)
#include "tst_csv.moc"
