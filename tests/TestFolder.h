#pragma once

#include "core/NewDatabase.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

// A temporary program folder: Ini/arprefs.ini pointing at a fresh database "ardentry.db" in it,
// and Help/arhelp.htm. SQL helpers work through a connection of their own, as another program
// would, so tests see what the file really holds.
class TestFolder
{
public:
    explicit TestFolder(const NewDatabaseOptions& options = {});
    ~TestFolder();

    QString folder() const { return m_dir.path(); }
    QString dbPath() const;
    QString iniPath() const;
    QString path(const QString& relative) const; // a file inside the folder

    void exec(const QString& sql, const QVariantList& binds = {}) const;
    QList<QVariantList> rows(const QString& sql, const QVariantList& binds = {}) const;
    QVariant scalar(const QString& sql, const QVariantList& binds = {}) const;
    // Replaces every article with `count` numbered ones: ID i, Problem "Problem i", ...
    void fillArticles(int count) const;
    // Writes text into a file of the folder (creating folders on the way).
    void writeFile(const QString& relative, const QByteArray& content) const;

private:
    QTemporaryDir m_dir;
    QString m_connection;
};
