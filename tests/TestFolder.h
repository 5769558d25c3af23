// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/NewDatabase.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <QMetaType>

#include <utility>

// A temporary program folder: Ini/arprefs.ini pointing at a fresh database, and
// Help/arhelp.htm. The database is the file "ardentry.db" in the folder, or a new database on
// the test server (ARDENTRY_TEST_SERVER, which ctest starts) that is dropped afterwards. SQL
// helpers work through a connection of their own, as another program would, so tests see what
// the database really holds.
class TestFolder
{
public:
    enum class Engine { File, Server };

    explicit TestFolder(const NewDatabaseOptions& options = {}, Engine engine = Engine::File);
    explicit TestFolder(Engine engine) : TestFolder(NewDatabaseOptions(), engine) {}
    ~TestFolder();

    // The address of the test server's maintenance database; throws when no server is given.
    static QString serverAddress();
    // A new empty database on the test server, for tests that make their own; dropped with
    // the folder.
    QString newServerDatabase();
    // "file" and "server", for data rows.
    static const char* engineName(Engine engine);
    // The data rows a named case makes: one per engine it runs on, named "file: <name>" and
    // "server: <name>". A name may begin with "file: ", "server: " or "both: " to choose;
    // otherwise it runs on both engines, or on the file alone when not `bothByDefault`.
    static QList<std::pair<Engine, QByteArray>> engineRows(const QString& name,
                                                           bool bothByDefault = true);

    Engine engine() const { return m_engine; }
    QString folder() const { return m_dir.path(); }
    // The database path as stored in the preferences: the file, or the server address.
    QString dbPath() const;
    QString iniPath() const;
    QString path(const QString& relative) const; // a file inside the folder

    // On a server, the file's words that tests use are put in the server's (dialect()).
    void exec(const QString& sql, const QVariantList& binds = {}) const;
    QList<QVariantList> rows(const QString& sql, const QVariantList& binds = {}) const;
    QVariant scalar(const QString& sql, const QVariantList& binds = {}) const;
    // The statement in the words of this folder's engine: on a server, typeof() becomes
    // pg_typeof(), group_concat(x) string_agg in row-key order, ifnull() coalesce(),
    // hex(zeroblob(n)) n times "00", and "BEGIN EXCLUSIVE" a transaction that locks AR against
    // writers.
    QString dialect(const QString& sql) const;
    // Replaces every article with `count` numbered ones: ID i, Problem "Problem i", ...
    void fillArticles(int count) const;
    // Writes text into a file of the folder (creating folders on the way).
    void writeFile(const QString& relative, const QByteArray& content) const;

private:
    QTemporaryDir m_dir;
    QString m_connection;
    Engine m_engine;
    QString m_address;
    QStringList m_serverDatabases;
};

Q_DECLARE_METATYPE(TestFolder::Engine)
