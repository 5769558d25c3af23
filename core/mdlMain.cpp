// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/mdlMain.h"

#include "core/ServerAddress.h"

#include "core/History.h"
#include "core/ProfileFile.h"
#include "core/TextMatch.h"
#include "core/db/Query.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

mdlMain::mdlMain(QString programFolder)
    : rsMain(dbConnection), rsAux(dbConnection), m_programFolder(std::move(programFolder))
{
}

mdlMain::~mdlMain() = default;

QString mdlMain::IniFile() const
{
    const QFileInfo beside(QDir(m_programFolder).filePath(QStringLiteral("Ini")));
    if (beside.isDir() && beside.isWritable())
        return QDir(beside.filePath()).filePath(QStringLiteral("arprefs.ini"));
    // Installed under a folder the user cannot write: the user's own configuration folder.
    QDir config(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    const QString folder = QStringLiteral("Ardentry");
    config.mkpath(folder); // a failure shows when the file is written
    return QDir(config.filePath(folder)).filePath(QStringLiteral("arprefs.ini"));
}

QString mdlMain::HelpFile() const
{
    const QString guide = QStringLiteral("Help/arhelp.htm");
    const QString beside = QDir(m_programFolder).filePath(guide);
    QStringList candidates{
        beside, QDir(m_programFolder).filePath(QStringLiteral("../share/ardentry/")) + guide};
    const QString installed = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                     QStringLiteral("ardentry/") + guide);
    if (!installed.isEmpty())
        candidates << installed;
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isFile())
            return QDir::cleanPath(candidate);
    return beside;
}

QString mdlMain::StoredDatabasePath() const
{
    return ProfileFile(IniFile()).read(QStringLiteral("General"), QStringLiteral("Path"));
}

bool mdlMain::StoreDatabasePath(const QString& path, QString* error) const
{
    // An address that cannot be read is refused: what in it is a password cannot be told.
    ServerAddress address;
    if (ServerAddress::looks(path) && !ServerAddress::parse(path, address, error))
        return false;
    return ProfileFile(IniFile()).write(QStringLiteral("General"), QStringLiteral("Path"),
                                        WithoutPassword(path), error);
}

QString mdlMain::WithoutPassword(const QString& path, QString* password, QString* sslPassword)
{
    ServerAddress address;
    if (!ServerAddress::looks(path))
        return path;
    if (!ServerAddress::parse(path, address))
        return ServerAddress::withoutPasswords(path);
    if (address.password.isEmpty() && address.sslPassword.isEmpty())
        return path;
    if (password)
        *password = address.password;
    if (sslPassword)
        *sslPassword = address.sslPassword;
    return address.display();
}

QString mdlMain::TakePassword(const QString& path)
{
    QString password;
    QString sslPassword;
    const QString shown = WithoutPassword(path, &password, &sslPassword);
    if (!password.isEmpty())
        dbConnection.setPassword(password);
    if (!sslPassword.isEmpty())
        dbConnection.setSslPassword(sslPassword);
    return shown;
}

QString mdlMain::ShownDatabasePath() const
{
    if (dbConnection.isOpen())
        return dbConnection.displayPath();
    return WithoutPassword(DatabasePath());
}

QString mdlMain::DatabasePath() const
{
    return m_runDatabase.isEmpty() ? StoredDatabasePath() : m_runDatabase;
}

void mdlMain::Main()
{
    // A start again after a failure begins afresh.
    rsMain.close();
    rsAux.close();
    QString path = m_runDatabase;
    if (path.isEmpty()) {
        const QString ini = IniFile();
        if (!QFileInfo::exists(ini))
            throw StartupError(
                tr("The preferences file %1 does not exist.").arg(QDir::toNativeSeparators(ini)),
                StartupError::Kind::NoDatabaseChosen);
        path = StoredDatabasePath();
        if (path.isEmpty())
            throw StartupError(tr("The preferences file %1 holds no database path "
                                  "(key \"Path\" in section \"General\").")
                                   .arg(QDir::toNativeSeparators(ini)),
                               StartupError::Kind::NoDatabaseChosen);
    }
    try {
        dbConnection.open(path);
    } catch (const DbError& e) {
        throw StartupError(tr("The database could not be opened: %1").arg(e.message()),
                           e.kind() == DbError::Kind::PasswordNeeded
                               ? StartupError::Kind::PasswordNeeded
                               : StartupError::Kind::Failed);
    }

    auto openOnly = [this](const char* sql) {
        try {
            rsMain.open(QString::fromLatin1(sql));
        } catch (const DbError& e) {
            throw StartupError(tr("The database is not an Ardentry database: %1").arg(e.message()));
        }
    };
    openOnly("SELECT * FROM CUINFO ORDER BY CUName");
    LoadCategoryList();
    rsMain.close();
    openOnly("SELECT * FROM CUINFO ORDER BY EmployeeName");
    LoadUserList();
    rsMain.close();
    openOnly(ArticleQuery);
    try {
        rsAux.open(QString::fromLatin1(CustomizeQuery));
        rsAux.close();
    } catch (const DbError& e) {
        throw StartupError(tr("The database is not an Ardentry database: %1").arg(e.message()));
    }
}

QStringList mdlMain::loadNameList(const char* query, const char* column)
{
    QStringList names;
    try {
        rsMain.close();
        rsMain.open(QString::fromLatin1(query));
        if (rsMain.recordCount() == 0)
            throw StartupError(tr("The table \"%1\" is empty; it needs at least one "
                                  "name.")
                                   .arg(rsMain.tableName()));
        for (rsMain.moveFirst(); !rsMain.eof(); rsMain.moveNext()) {
            const QString name = rsMain.value(QString::fromLatin1(column));
            if (!name.isEmpty())
                names << name;
        }
        // Start-up opens the article query once, after both lists: its ordered keys are the one
        // part of the start that grows with the table.
        rsMain.close();
    } catch (const DbError& e) {
        throw StartupError(tr("The database is not an Ardentry database: %1").arg(e.message()));
    }
    textmatch::sortNames(names);
    return names;
}

void mdlMain::LoadCategoryList()
{
    CategoryList = loadNameList(CategoryQuery, "Category");
}

void mdlMain::LoadUserList()
{
    UserList = loadNameList(UserQuery, "Users");
}

qlonglong mdlMain::NextArticleNumber()
{
    // Add New's number is the first command after a server restart too: it connects again.
    return history::nextFreeNumber(dbConnection, tr("Cannot read the table \"AR\""));
}

int mdlMain::ArticleCount()
{
    dbConnection.ensureAlive();
    return db::scalar(dbConnection.database(), tr("Cannot read the table \"AR\""),
                      QStringLiteral("SELECT count(*) FROM AR"))
        .toInt();
}

void mdlMain::ReloadArticles()
{
    // A record set that a failed open left closed is simply opened again.
    if (rsMain.isOpen() && rsMain.source() == QLatin1String(ArticleQuery)) {
        rsMain.requery();
        return;
    }
    if (rsMain.isOpen())
        rsMain.setFilter(QString());
    rsMain.close();
    rsMain.open(QString::fromLatin1(ArticleQuery));
}
