// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Connection.h"
#include "core/RecordSet.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <stdexcept>

// A start-up step that failed: what failed and why, for the one message of a failed start.
class StartupError : public std::runtime_error
{
public:
    enum class Kind {
        NoDatabaseChosen, // no preferences file, or no database path in it: a first start
        PasswordNeeded,   // the database server wants a password (another one)
        Failed,           // any other step
    };

    explicit StartupError(const QString& message, Kind kind = Kind::Failed)
        : std::runtime_error(message.toStdString()), m_message(message), m_kind(kind)
    {
    }
    const QString& message() const { return m_message; }
    Kind kind() const { return m_kind; }

private:
    QString m_message;
    Kind m_kind;
};

// The shared state of one run and the start-up procedures. Windows get a reference to it.
class mdlMain
{
    Q_DECLARE_TR_FUNCTIONS(mdlMain)

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
    // naming the step that failed; nothing is written anywhere on that path. May be called again
    // after a failure (another database chosen).
    void Main();

    void LoadCategoryList();
    void LoadUserList();
    // Removes any filter from rsMain and reopens it on the article query, first article current.
    void ReloadArticles();
    // One more than the largest whole article number in the table (1 for an empty table); a
    // number that is not whole and text in old data do not count. Throws DbError.
    qlonglong NextArticleNumber();
    // The number of articles in the whole table. Throws DbError.
    int ArticleCount();

    const QString& programFolder() const { return m_programFolder; }
    // The preferences file in use: <program folder>/Ini/arprefs.ini while that folder is
    // writable (a build folder, a portable copy); otherwise arprefs.ini in the user's
    // configuration folder ($XDG_CONFIG_HOME/Ardentry, usually ~/.config/Ardentry), whose folder
    // is made here so that the file can be written when first needed.
    QString IniFile() const;
    // The user's guide: Help/arhelp.htm beside the program, or in the installed data folder
    // (<prefix>/share/ardentry beside <prefix>/bin). When neither exists, the one beside the
    // program.
    QString HelpFile() const;
    // The stored database path ("General"/"Path"), read afresh on every call.
    QString StoredDatabasePath() const;
    // Stores `path` as the database path in the preferences file, creating the file when
    // needed; a server address is stored without its passwords, and one that cannot be read is
    // refused. Returns false with the reason in `error` (when given).
    bool StoreDatabasePath(const QString& path, QString* error = nullptr) const;

    // A database given for this run only (the command line): Main opens it instead of the
    // stored path, which stays as it is.
    void setDatabaseForThisRun(const QString& path) { m_runDatabase = path; }
    bool hasDatabaseForThisRun() const { return !m_runDatabase.isEmpty(); }
    // The database this run opens: the one given for this run, otherwise the stored path.
    QString DatabasePath() const;
    // What the user may see of the database in use: the file, or the server address without
    // any password.
    QString ShownDatabasePath() const;
    // A server address without its passwords, which go into `password` and `sslPassword` (when
    // given); an address that cannot be read loses whatever may be one; any other path as it
    // stands.
    static QString WithoutPassword(const QString& path, QString* password = nullptr,
                                   QString* sslPassword = nullptr);
    // Takes the passwords out of a server address for the connection (kept in memory only) and
    // returns the address without them.
    QString TakePassword(const QString& path);

    Connection dbConnection;
    RecordSet rsMain;
    RecordSet rsAux;
    QStringList CategoryList; // every non-empty category name, in name order
    QStringList UserList;     // every non-empty user name, in name order
    bool NoArticleAddedYet = false;

private:
    QStringList loadNameList(const char* query, const char* column);

    QString m_programFolder;
    QString m_runDatabase;
};
