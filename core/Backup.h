// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/DbError.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>

struct sqlite3;
class Connection;

// A copy of the open database, made with the engine's online backup while the program goes on
// using it. step() copies a number of pages at a time, so a caller can run it from the event loop.
// Changes made through the same connection between two steps reach the copy as well; a change by
// another connection makes the engine start the copy over, and after a few such restarts the rest
// is copied in a single step. Either way the copy is the file as it was at one moment.
// The copy is written beside the destination and takes its place only when complete: a job that
// fails or is dropped before the end leaves no file behind and an existing destination as it was.
// Only a database file can be copied this way (see backup::appliesTo).
class BackupJob
{
public:
    // Throws DbError when the copy cannot be started (the destination is the database itself, its
    // folder cannot be written, ...).
    BackupJob(Connection& source, const QString& destination);
    ~BackupJob();
    BackupJob(const BackupJob&) = delete;
    BackupJob& operator=(const BackupJob&) = delete;

    // Copies up to `pages` pages (-1: all that are left). True when the copy is complete and in
    // place. A busy file is no failure: the next step tries again. Throws DbError; the job is
    // over then.
    bool step(int pages);
    bool isDone() const;
    // Pages of the database and pages still to copy, as of the last step (0 before the first).
    int pageCount() const;
    int remaining() const;
    const QString& destination() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Automatic copies: a `backups` folder beside the database file holds the newest seven (or as many
// as the preferences file says, see setKeptCopies), named
// "<name>-<yyyy-MM-dd>-<HHmmss>.<suffix>" after the database file and when they were made.
// A database on a server has no such folder and no copies of the program's: backing it up is the
// server's job (pg_dump by its administrator).
namespace backup
{

constexpr int KeptCopies = 7;
// How many automatic copies prune() keeps from now on: `copies` when it is 1 to 1000, otherwise
// KeptCopies. The preferences file's [General] BackupCopies is given to it at start.
void setKeptCopies(int copies);
int keptCopies();

// True when the program makes copies of the database: a file, not a server database.
bool appliesTo(const Connection& connection);

// The engine handle of an open connection, for the engine's own interfaces. Throws DbError.
sqlite3* engineHandle(Connection& connection);

// The problems PRAGMA quick_check finds in a database file; empty when it finds the file sound.
// Throws DbError when the file cannot be opened or read.
QStringList quickCheck(const QString& path);

QString folderOf(const QString& databasePath);
// The automatic copies of the database, newest first (full paths).
QStringList automaticCopies(const QString& databasePath);
// When the newest automatic copy was made (local time); invalid when there is none.
QDateTime newestCopy(const QString& databasePath);
// True when an automatic copy was made on `day`.
bool copiedOn(const QString& databasePath, const QDate& day);
// The path for a new automatic copy made at `now`; creates the backups folder. Throws DbError
// when the folder cannot be made, or for a server address.
QString newCopyPath(const QString& databasePath, const QDateTime& now);
// Removes all automatic copies but the newest `keep` (-1: keptCopies()).
void prune(const QString& databasePath, int keep = -1);
// Removes what copies interrupted by a crash or a power cut left in the backups folder (the
// unfinished ".part" files and their journals); returns how many files went.
int removeLeftovers(const QString& databasePath);
// The automatic copies there are and the bytes they take together.
struct Usage {
    int copies = 0;
    qint64 bytes = 0;
};
Usage usage(const QString& databasePath);
// "3 of 7 kept, 1.2 MB": the copies there are, how many are kept, the room they take.
QString summary(const QString& databasePath);
// Makes a whole automatic copy at once (before a change to the structure of the database, say)
// and prunes the old ones; returns its path. For a server database it does nothing and returns
// "". Throws DbError; no copy is left then.
QString copyNow(Connection& connection);

} // namespace backup
