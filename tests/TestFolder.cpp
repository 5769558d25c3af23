// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestFolder.h"

#include "core/ServerAddress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

#include <stdexcept>

namespace
{
QSqlQuery run(const QString& connection, const QString& sql, const QVariantList& binds)
{
    QSqlQuery query(QSqlDatabase::database(connection));
    if (binds.isEmpty()) {
        if (!query.exec(sql))
            throw std::runtime_error(
                ("exec failed: " + sql + ": " + query.lastError().text()).toStdString());
        return query;
    }
    if (!query.prepare(sql))
        throw std::runtime_error(
            ("prepare failed: " + sql + ": " + query.lastError().text()).toStdString());
    for (const QVariant& value : binds)
        query.addBindValue(value);
    if (!query.exec())
        throw std::runtime_error(
            ("exec failed: " + sql + ": " + query.lastError().text()).toStdString());
    return query;
}
} // namespace

namespace
{
// Runs one statement on the server's maintenance database.
void onServer(const QString& sql)
{
    const QString name = QStringLiteral("testserver-") + QUuid::createUuid().toString(QUuid::Id128);
    {
        ServerAddress address;
        ServerAddress::parse(TestFolder::serverAddress(), address);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        address.applyTo(db);
        QString error;
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            QSqlQuery query(db);
            if (!query.exec(sql))
                error = query.lastError().text();
        }
        db.close();
        if (!error.isEmpty()) {
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw std::runtime_error((sql + QStringLiteral(": ") + error).toStdString());
        }
    }
    QSqlDatabase::removeDatabase(name);
}
} // namespace

QString TestFolder::serverAddress()
{
    const QString address = qEnvironmentVariable("ARDENTRY_TEST_SERVER");
    if (address.isEmpty())
        throw std::runtime_error("No test server: ARDENTRY_TEST_SERVER is not set (ctest sets it "
                                 "to the server it starts).");
    return address;
}

const char* TestFolder::engineName(Engine engine)
{
    return engine == Engine::File ? "file" : "server";
}

QList<std::pair<TestFolder::Engine, QByteArray>> TestFolder::engineRows(const QString& name,
                                                                        bool bothByDefault)
{
    const QString chosen = name.section(QStringLiteral(": "), 0, 0);
    const bool prefixed = chosen == QLatin1String("file") || chosen == QLatin1String("server") ||
                          chosen == QLatin1String("both");
    const QString rest = prefixed ? name.section(QStringLiteral(": "), 1) : name;
    const bool file = prefixed ? chosen != QLatin1String("server") : true;
    const bool server = prefixed ? chosen != QLatin1String("file") : bothByDefault;
    QList<std::pair<Engine, QByteArray>> rows;
    for (const Engine engine : {Engine::File, Engine::Server})
        if (engine == Engine::File ? file : server)
            rows.append({engine, QByteArray(engineName(engine)) + ": " + rest.toUtf8()});
    return rows;
}

QString TestFolder::newServerDatabase()
{
    static int counter = 0;
    const QString name = QStringLiteral("t%1_%2_%3")
                             .arg(QCoreApplication::applicationPid())
                             .arg(++counter)
                             .arg(QUuid::createUuid().toString(QUuid::Id128).left(8));
    onServer(QStringLiteral("CREATE DATABASE %1").arg(name));
    m_serverDatabases << name;
    ServerAddress address;
    ServerAddress::parse(serverAddress(), address);
    address.database = name;
    return address.display();
}

TestFolder::TestFolder(const NewDatabaseOptions& options, Engine engine) : m_engine(engine)
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    QDir(m_dir.path()).mkpath(QStringLiteral("Ini"));
    QDir(m_dir.path()).mkpath(QStringLiteral("Help"));
    writeFile(QStringLiteral("Help/arhelp.htm"), "<html><body>Guide</body></html>\n");
    m_address =
        engine == Engine::Server ? newServerDatabase() : path(QStringLiteral("ardentry.db"));
    createArticleDatabase(dbPath(), options);
    writeFile(QStringLiteral("Ini/arprefs.ini"),
              ("[General]\r\nPath=" + dbPath() + "\r\n").toUtf8());
    m_connection = QStringLiteral("testfolder-") + QUuid::createUuid().toString(QUuid::Id128);
    if (engine == Engine::Server) {
        ServerAddress address;
        ServerAddress::parse(m_address, address);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connection);
        address.applyTo(db);
        if (!db.open())
            throw std::runtime_error("cannot open the test database");
        return;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(dbPath());
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
    if (!db.open())
        throw std::runtime_error("cannot open the test database");
}

TestFolder::~TestFolder()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    for (const QString& name : m_serverDatabases) {
        try {
            onServer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
        } catch (const std::exception&) {
            // A database left on the throwaway server goes with it.
        }
    }
}

QString TestFolder::dbPath() const
{
    return m_address;
}
QString TestFolder::iniPath() const
{
    return path(QStringLiteral("Ini/arprefs.ini"));
}
QString TestFolder::path(const QString& relative) const
{
    return m_dir.filePath(relative);
}

QString TestFolder::dialect(const QString& sql) const
{
    if (m_engine == Engine::File)
        return sql;
    QString text = sql;
    static const QRegularExpression concat(
        QStringLiteral("group_concat\\(([^,()]+)(?:,\\s*('[^']*'))?\\)"),
        QRegularExpression::CaseInsensitiveOption);
    for (QRegularExpressionMatch m = concat.match(text); m.hasMatch(); m = concat.match(text)) {
        const QString separator = m.captured(2).isEmpty() ? QStringLiteral("','") : m.captured(2);
        text.replace(m.capturedStart(), m.capturedLength(),
                     QStringLiteral("string_agg((%1)::text, %2)").arg(m.captured(1), separator));
    }
    // (A server wants a name for a selection in FROM.)
    static const QRegularExpression from(QStringLiteral("(FROM \\(SELECT .*\\))\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    text.replace(from, QStringLiteral("\\1 AS selection"));
    static const QRegularExpression type(QStringLiteral("\\btypeof\\("),
                                         QRegularExpression::CaseInsensitiveOption);
    text.replace(type, QStringLiteral("pg_typeof("));
    static const QRegularExpression null(QStringLiteral("\\bifnull\\("),
                                         QRegularExpression::CaseInsensitiveOption);
    text.replace(null, QStringLiteral("coalesce("));
    static const QRegularExpression zeros(QStringLiteral("\\bhex\\(zeroblob\\((\\d+)\\)\\)"),
                                          QRegularExpression::CaseInsensitiveOption);
    text.replace(zeros, QStringLiteral("repeat('00', \\1)"));
    static const QRegularExpression exclusive(QStringLiteral("^BEGIN (EXCLUSIVE|IMMEDIATE)$"),
                                              QRegularExpression::CaseInsensitiveOption);
    text.replace(exclusive, QStringLiteral("BEGIN; LOCK TABLE ar IN EXCLUSIVE MODE"));
    return text;
}

void TestFolder::exec(const QString& sql, const QVariantList& binds) const
{
    run(m_connection, dialect(sql), binds);
}

QList<QVariantList> TestFolder::rows(const QString& sql, const QVariantList& binds) const
{
    QSqlQuery query = run(m_connection, dialect(sql), binds);
    QList<QVariantList> result;
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << query.value(i);
        result << row;
    }
    return result;
}

QVariant TestFolder::scalar(const QString& sql, const QVariantList& binds) const
{
    const QList<QVariantList> all = rows(sql, binds);
    return all.isEmpty() || all.first().isEmpty() ? QVariant() : all.first().first();
}

void TestFolder::fillArticles(int count) const
{
    exec(QStringLiteral("DELETE FROM AR"));
    for (int i = 1; i <= count; ++i) {
        const QString n = QString::number(i);
        QVariantList values{
            i,     "Category " + n, "Tech " + n, "Title " + n, "Problem " + n, "Solution " + n,
            "N/A", "01/02/2006",    "N/A",       "N/A"};
        for (int k = 1; k <= 10; ++k)
            values << QStringLiteral("N/A");
        exec(QStringLiteral("INSERT INTO AR (ID, CUName, techname, Title, Problem, solution, "
                            "reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, "
                            "Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10) "
                            "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
             values);
    }
}

void TestFolder::writeFile(const QString& relative, const QByteArray& content) const
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error(("cannot write " + full).toStdString());
    file.write(content);
}
