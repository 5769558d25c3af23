// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestFolder.h"

#include "core/AccessConversion.h"
#include "core/AccessDatabase.h"
#include "core/Connection.h"
#include "core/DbError.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QtTest>

#include <QElapsedTimer>

namespace
{

QString data(const QString& relative)
{
    return QStringLiteral(ARDENTRY_ACCESS_DATA "/") + relative;
}

// Rows of a table of a database (file or server) in their stored order.
QList<QVariantList> tableRows(const QString& database, const QString& table,
                              const QStringList& columns)
{
    Connection connection;
    connection.open(database);
    QSqlQuery query(connection.database());
    if (!query.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                        .arg(columns.join(QStringLiteral(", ")), table)))
        return {};
    QList<QVariantList> rows;
    while (query.next()) {
        QVariantList row;
        for (int c = 0; c < columns.size(); ++c)
            row << query.value(c);
        rows << row;
    }
    return rows;
}

// The value as the JSON file lists it: a number, a text or null.
QVariant expected(const QJsonValue& value)
{
    if (value.isNull())
        return QVariant();
    if (value.isDouble())
        return qint64(value.toDouble());
    return value.toString();
}

QVariant stored(const QVariant& value)
{
    if (value.isNull())
        return QVariant();
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    return value.toLongLong();
}

// The target of a conversion on that engine: a new file in the folder, or a new server database.
QString newTarget(TestFolder& folder, TestFolder::Engine engine)
{
    return engine == TestFolder::Engine::File ? folder.path(QStringLiteral("helpdesk.ardentry.db"))
                                              : folder.newServerDatabase();
}

bool hasArticles(const QString& target)
{
    try {
        Connection connection;
        connection.open(target);
        QSqlQuery query(connection.database());
        return query.exec(QStringLiteral("SELECT COUNT(*) FROM AR"));
    } catch (const DbError&) {
        return false;
    }
}

} // namespace

class TestAccess : public QObject
{
    Q_OBJECT

private slots:
    void everyValueArrives_data();
    void everyValueArrives();
    void limitsAreReported_data();
    void limitsAreReported();
    void refusals_data();
    void refusals();
    void cancelLeavesNothing_data();
    void cancelLeavesNothing();
};

void TestAccess::everyValueArrives_data()
{
    QTest::addColumn<TestFolder::Engine>("engine");
    QTest::addColumn<bool>("nullsTold"); // ardentry-mdb-read is used
    for (const auto& [engine, name] : TestFolder::engineRows(QStringLiteral("helpdesk-2000"))) {
#ifdef ARDENTRY_HAVE_MDB_READ
        QTest::newRow(name.constData()) << engine << true;
#endif
        if (engine == TestFolder::Engine::File)
            QTest::newRow((name + " without ardentry-mdb-read").constData()) << engine << false;
    }
}

// Every value of the test database, as its JSON file lists it, arrives in the new database. Without
// ardentry-mdb-read every Null is reported (the tools cannot tell it from an empty text) and
// nothing else is; with it, nothing is.
void TestAccess::everyValueArrives()
{
    QFETCH(TestFolder::Engine, engine);
    QFETCH(bool, nullsTold);
    if (nullsTold)
        qunsetenv("ARDENTRY_NO_MDB_READ");
    else
        qputenv("ARDENTRY_NO_MDB_READ", "1");
    QFile json(data(QStringLiteral("helpdesk-2000.expected.json")));
    QVERIFY2(json.open(QIODevice::ReadOnly), qPrintable(json.fileName()));
    const QJsonObject listed = QJsonDocument::fromJson(json.readAll()).object();
    TestFolder folder(engine);
    const QString target = newTarget(folder, engine);

    QElapsedTimer timer;
    timer.start();
    const AccessConversionResult result =
        convertAccessDatabase(data(QStringLiteral("helpdesk-2000.mdb")), target);
    qInfo("converted in %lld ms", timer.elapsed());
    QVERIFY(!result.cancelled);
    QCOMPARE(result.rowsWritten, 60 + 7 + 7 + 5 + 6);

    QStringList nulls;
    const QStringList arColumns = {
        "ID",           "CUName",   "techname",   "Title",  "Problem", "solution", "reference",
        "InitialEntry", "EditedBy", "DateEdited", "Image1", "Image2",  "Image3",   "Image4",
        "Image5",       "Image6",   "Image7",     "Image8", "Image9",  "Image10"};
    const QList<QVariantList> articles = tableRows(target, QStringLiteral("AR"), arColumns);
    const QJsonArray listedArticles = listed.value(QStringLiteral("AR")).toArray();
    QCOMPARE(articles.size(), listedArticles.size());
    for (int r = 0; r < articles.size(); ++r) {
        const QJsonObject values = listedArticles[r].toObject().value("values").toObject();
        QCOMPARE(values.size(), arColumns.size());
        for (int c = 0; c < arColumns.size(); ++c) {
            const QVariant want = expected(values.value(arColumns[c]));
            QVERIFY2(
                stored(articles[r][c]) == want,
                qPrintable(QStringLiteral("article %1, %2: %3 instead of %4")
                               .arg(values.value("ID").toInt())
                               .arg(arColumns[c], articles[r][c].toString(), want.toString())));
            if (want.isNull())
                nulls << QStringLiteral("Article %1, %2: ")
                             .arg(values.value("ID").toInt())
                             .arg(arColumns[c]);
        }
    }
    QStringList reported;
    for (const QString& line : result.notCarried)
        reported << line.left(line.indexOf(QLatin1String(": ")) + 2);
    QCOMPARE(reported, nullsTold ? QStringList() : nulls);

    // The lists: one text per row, or one object of named values per row.
    const QList<std::pair<QString, QStringList>> lists = {{"Categories", {"Category"}},
                                                          {"Users", {"Users"}},
                                                          {"CUINFO", {"CUName", "EmployeeName"}},
                                                          {"Customize", {"ID", "Labels"}}};
    for (const auto& [table, columns] : lists) {
        const QList<QVariantList> rows = tableRows(target, table, columns);
        const QJsonArray want = listed.value(table).toArray();
        QCOMPARE(rows.size(), want.size());
        for (int r = 0; r < rows.size(); ++r) {
            for (int c = 0; c < columns.size(); ++c) {
                const QJsonValue value =
                    want[r].isObject() ? want[r].toObject().value(columns[c]) : want[r];
                QCOMPARE(stored(rows[r][c]), expected(value));
            }
        }
    }
}

void TestAccess::limitsAreReported_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("why");       // in the report of each row's value
    QTest::addColumn<QString>("firstRead"); // the first row's value as read

    QTest::newRow("date before 1900") << "jackcess/V2007/oldDatesV2007.accdb"
                                      << "Table1"
                                      << "DateField"
                                      << "before 1900"
                                      << "1900-01-00 00:00:00";
    QTest::newRow("emoji") << "jackcess/V2010/testEmoticonsV2010.accdb"
                           << "data"
                           << "data"
                           << "stored as read"
                           << "a??a";
    QTest::newRow("attachment") << "jackcess/V2010/complexDataTestV2010.accdb"
                                << "Table1"
                                << "attach-data"
                                << "attachment"
                                << "1";
    QTest::newRow("multi-value") << "jackcess/V2010/complexDataTestV2010.accdb"
                                 << "Table1"
                                 << "multi-value-data"
                                 << "multi-value"
                                 << "1";
    QTest::newRow("compressed Unicode is no limit") << "jackcess/V2003/testUnicodeCompV2003.mdb"
                                                    << "Table"
                                                    << "Unicode"
                                                    << ""
                                                    << "only ascii chars";
}

// Each limit of the reader is named for every value it touches; readable values are not.
void TestAccess::limitsAreReported()
{
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QString, why);
    QFETCH(QString, firstRead);
    const accessdb::AccessFile access(data(file));
    const QList<accessdb::Column> columns = access.columns(table);
    int c = 0;
    while (c < columns.size() && columns[c].name != column)
        ++c;
    QVERIFY(c < columns.size());
    QStringList reasons;
    QStringList values;
    QVERIFY(access.readRows(table, [&](const QVariantList& row) {
        values << row[c].toString();
        reasons << accessdb::limitOf(row[c], columns[c]).why;
        return true;
    }));
    QVERIFY(!values.isEmpty());
    QCOMPARE(values.first(), firstRead);
    for (const QString& reason : reasons) {
        if (why.isEmpty())
            QCOMPARE(reason, QString());
        else
            QVERIFY2(reason.contains(why), qPrintable(reason));
    }
}

void TestAccess::refusals_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("words");

    QTest::newRow("password-protected accdb") << "<encrypted>"
                                              << "protected with a password";
    QTest::newRow("not an Access file") << "<text>"
                                        << "is not an Access database";
    QTest::newRow("no help-desk tables") << "jackcess/V2003/testV2003.mdb"
                                         << "holds no help-desk articles";
    QTest::newRow("target exists") << "helpdesk-2000.mdb"
                                   << "exists already";
}

// Files that cannot be converted are refused in words; nothing is written.
void TestAccess::refusals()
{
    QFETCH(QString, file);
    QFETCH(QString, words);
    TestFolder folder;
    QString path = data(file);
    if (file == "<encrypted>") {
        // Access 2007 and later encrypt the pages after the first with the password.
        QFile original(data("jackcess/V2010/complexDataTestV2010.accdb"));
        QVERIFY(original.open(QIODevice::ReadOnly));
        QByteArray bytes = original.readAll();
        for (qsizetype i = 4096; i < bytes.size(); ++i)
            bytes[i] = char((i * 7919) >> 3);
        path = folder.path("protected.accdb");
        folder.writeFile("protected.accdb", bytes);
    } else if (file == "<text>") {
        path = folder.path("notes.mdb");
        folder.writeFile("notes.mdb", "Not an Access file\n");
    }
    const QString target = folder.path("new.ardentry.db");
    if (words == "exists already")
        folder.writeFile("new.ardentry.db", "kept");
    QString message;
    try {
        convertAccessDatabase(path, target);
    } catch (const DbError& e) {
        message = e.message();
    }
    QVERIFY2(message.contains(words), qPrintable(message));
    if (words == "exists already") {
        QFile kept(target);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("kept"));
    } else {
        QVERIFY(!QFile::exists(target));
    }
}

void TestAccess::cancelLeavesNothing_data()
{
    QTest::addColumn<TestFolder::Engine>("engine");
    QTest::addColumn<bool>("whileWriting"); // else while reading the Access file
    for (const bool writing : {false, true}) {
        for (const auto& [engine, name] : TestFolder::engineRows(
                 writing ? QStringLiteral("while writing") : QStringLiteral("while reading")))
            QTest::newRow(name.constData()) << engine << writing;
    }
}

void TestAccess::cancelLeavesNothing()
{
    QFETCH(TestFolder::Engine, engine);
    QFETCH(bool, whileWriting);
    TestFolder folder(engine);
    const QString target = newTarget(folder, engine);
    qint64 last = 0;
    const AccessConversionResult result = convertAccessDatabase(
        data(QStringLiteral("helpdesk-2000.mdb")), target, [&](qint64 done, qint64 total) {
            last = done;
            return whileWriting ? done < total : false;
        });
    QVERIFY(result.cancelled);
    QVERIFY(last > 0);
    QVERIFY(!hasArticles(target));
}

QTEST_GUILESS_MAIN(TestAccess)
#include "tst_access.moc"
