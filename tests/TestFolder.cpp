#include "tests/TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

TestFolder::TestFolder(const NewDatabaseOptions& options)
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    QDir(m_dir.path()).mkpath(QStringLiteral("Ini"));
    QDir(m_dir.path()).mkpath(QStringLiteral("Help"));
    writeFile(QStringLiteral("Help/arhelp.htm"), "<html><body>Guide</body></html>\n");
    createArticleDatabase(dbPath(), options);
    writeFile(QStringLiteral("Ini/arprefs.ini"),
              ("[General]\r\nPath=" + dbPath() + "\r\n").toUtf8());
    m_connection = QStringLiteral("testfolder-") + QUuid::createUuid().toString(QUuid::Id128);
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
}

QString TestFolder::dbPath() const
{
    return path(QStringLiteral("ardentry.db"));
}
QString TestFolder::iniPath() const
{
    return path(QStringLiteral("Ini/arprefs.ini"));
}
QString TestFolder::path(const QString& relative) const
{
    return m_dir.filePath(relative);
}

void TestFolder::exec(const QString& sql, const QVariantList& binds) const
{
    run(m_connection, sql, binds);
}

QList<QVariantList> TestFolder::rows(const QString& sql, const QVariantList& binds) const
{
    QSqlQuery query = run(m_connection, sql, binds);
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
