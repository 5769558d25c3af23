#pragma once

#include "core/Connection.h"
#include "core/RecordSet.h"

#include <QString>
#include <QStringList>

#include <stdexcept>

// A start-up step that failed: what failed and why, for the one message of a failed start.
class StartupError : public std::runtime_error
{
public:
    explicit StartupError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// The shared state of one run and the start-up procedures. Windows get a reference to it.
class mdlMain
{
public:
    static constexpr const char* ArticleQuery = "SELECT * FROM AR ORDER BY ID";
    static constexpr const char* CustomizeQuery = "SELECT * FROM Customize ORDER BY ID";
    static constexpr const char* CategoryQuery = "SELECT * FROM Categories ORDER BY Category";
    static constexpr const char* UserQuery = "SELECT * FROM Users ORDER BY Users";

    // `programFolder` is the folder of the executable (a temporary folder in tests).
    explicit mdlMain(QString programFolder);
    ~mdlMain();
    mdlMain(const mdlMain&) = delete;
    mdlMain& operator=(const mdlMain&) = delete;

    // Start-up: reads the database path, opens the connection, loads the name lists and opens
    // rsMain on the article query; the caller then shows the main window. Throws StartupError
    // naming the step that failed; nothing is written anywhere on that path.
    void Main();

    void LoadCategoryList();
    void LoadUserList();
    // Removes any filter from rsMain and reopens it on the article query, first article current.
    void ReloadArticles();

    const QString& programFolder() const { return m_programFolder; }
    // <program folder>/Ini/arprefs.ini
    QString IniFile() const;
    // <program folder>/Help/arhelp.htm
    QString HelpFile() const;
    // The stored database path ("General"/"Path"), read afresh on every call.
    QString StoredDatabasePath() const;

    Connection dbConnection;
    RecordSet rsMain;
    RecordSet rsAux;
    QStringList CategoryList; // every non-empty category name, in name order
    QStringList UserList;     // every non-empty user name, in name order
    bool NoArticleAddedYet = false;

private:
    QStringList loadNameList(const char* query, const char* column);

    QString m_programFolder;
};

// Sorts names as a person does: accents with their base letters, letter case ignored.
void sortNames(QStringList& names);
