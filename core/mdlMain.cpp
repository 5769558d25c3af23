#include "core/mdlMain.h"

#include "core/ProfileFile.h"

#include <QCollator>
#include <QDir>
#include <QLocale>
#include <QFileInfo>

#include <algorithm>


void sortNames(QStringList& names)
{
    // As a person sorts names: accents go with their base letters, letter case does not count.
    // The C locale has no such order, so it sorts as English does.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
}

mdlMain::mdlMain(QString programFolder)
    : rsMain(dbConnection), rsAux(dbConnection), m_programFolder(std::move(programFolder))
{
}

mdlMain::~mdlMain() = default;

QString mdlMain::IniFile() const
{
    return QDir(m_programFolder).filePath(QStringLiteral("Ini/arprefs.ini"));
}

QString mdlMain::HelpFile() const
{
    return QDir(m_programFolder).filePath(QStringLiteral("Help/arhelp.htm"));
}

QString mdlMain::StoredDatabasePath() const
{
    return ProfileFile(IniFile()).read(QStringLiteral("General"), QStringLiteral("Path"));
}

void mdlMain::Main()
{
    const QString ini = IniFile();
    if (!QFileInfo::exists(ini))
        throw StartupError(QStringLiteral("The preferences file %1 does not exist.")
                               .arg(QDir::toNativeSeparators(ini)));
    const QString path = StoredDatabasePath();
    if (path.isEmpty())
        throw StartupError(QStringLiteral("The preferences file %1 holds no database path "
                                          "(key \"Path\" in section \"General\").")
                               .arg(QDir::toNativeSeparators(ini)));
    try {
        dbConnection.open(path);
    } catch (const DbError& e) {
        throw StartupError(QStringLiteral("The database could not be opened: %1").arg(e.message()));
    }

    auto openOnly = [this](const char* sql) {
        try {
            rsMain.open(QString::fromLatin1(sql));
        } catch (const DbError& e) {
            throw StartupError(
                QStringLiteral("The database is not an Ardentry database: %1").arg(e.message()));
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
        throw StartupError(
            QStringLiteral("The database is not an Ardentry database: %1").arg(e.message()));
    }
}

QStringList mdlMain::loadNameList(const char* query, const char* column)
{
    QStringList names;
    try {
        rsMain.close();
        rsMain.open(QString::fromLatin1(query));
        if (rsMain.recordCount() == 0)
            throw StartupError(QStringLiteral("The table \"%1\" is empty; it needs at least one "
                                              "name.")
                                   .arg(rsMain.tableName()));
        for (rsMain.moveFirst(); !rsMain.eof(); rsMain.moveNext()) {
            const QString name = rsMain.value(QString::fromLatin1(column));
            if (!name.isEmpty())
                names << name;
        }
        rsMain.close();
        rsMain.open(QString::fromLatin1(ArticleQuery));
    } catch (const DbError& e) {
        throw StartupError(
            QStringLiteral("The database is not an Ardentry database: %1").arg(e.message()));
    }
    sortNames(names);
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

void mdlMain::ReloadArticles()
{
    // A record set that a failed open left closed is simply opened again.
    if (rsMain.isOpen())
        rsMain.setFilter(QString());
    rsMain.close();
    rsMain.open(QString::fromLatin1(ArticleQuery));
}
