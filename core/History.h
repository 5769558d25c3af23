// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/DbError.h"

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

class Connection;

// The history of articles and the trash: tables and triggers of the program's own beside the
// five tables of the articles and lists, which stay as they are.
// - ardentry_history keeps every earlier version of an article: each change of an AR row that
//   reaches the file (by this program or any other) keeps the row as it was before, all twenty
//   columns, with when and who. A trigger writes it, in the transaction of the change.
// - ardentry_trash keeps every deleted article, the same way; the versions of a deleted article
//   go with it into the trash and come back with it.
// - ardentry_writer holds, only during a write transaction of this program, the login name of
//   the person using it (see Connection::setWriterName); other programs leave it empty, so their
//   changes are kept as by an unknown person. A server database has no such table: the name is
//   the setting "ardentry.writer" of the writing transaction, which other programs never set.
// The triggers use only the engine's own functions, so older programs and plain SQL tools keep
// working on the database. The versions of an article are found by its number, which the
// triggers keep up to date when the number changes. On a server the same tables have identity
// columns for keys and the triggers call PL/pgSQL functions of the same names.
namespace history
{

// The twenty columns of an article, in the order of the AR table.
const QStringList& articleColumns();

// True when the database has the tables and triggers (bit schema::History).
bool isInstalled(Connection& connection);
// True when the connection may change articles: a file not opened read-only; on a server, the
// right to update the articles outside a read-only transaction (or standby).
bool isWritable(Connection& connection);
// True when the connection may add the tables and triggers: isWritable(), and on a server the
// right to create in the schema of the articles and to put triggers on them.
bool mayInstall(Connection& connection);
// Adds the tables and triggers in one transaction and records the addition; false when the
// database had them already. Throws DbError; the database is then as it was.
bool install(Connection& connection);
// Adds the tables and triggers inside the caller's open transaction on either engine and records
// the addition (schema::markAdded), for a caller that builds a database in one transaction of
// its own. The database must not have them yet. Throws DbError; the caller rolls back then.
void createTables(QSqlDatabase& database);
// On a server whose history was added by an earlier version: its trigger functions made again
// as createTables makes them now, in an open transaction of the functions' owner. Throws DbError.
void renewServerFunctions(QSqlDatabase& database);

// The login name of the person running the program ("" when the system tells none).
QString loginName();
// Every later write transaction of `connection` records `name` as the writer (see Transaction).
void recordWriter(Connection& connection, const QString& name);

// An earlier version of an article: the article as it was before the change made `when` by
// `who` ("" when not known), and the columns that change altered (names of articleColumns()).
struct Version {
    qint64 id = 0;
    QDateTime when; // local time
    QString who;
    QVariantList values; // as stored, in the order of articleColumns()
    QStringList changed;
};

struct ArticleHistory {
    qint64 row = 0;          // the article's row key
    QVariantList current;    // the article as the file holds it now
    QList<Version> versions; // newest first
};

// The article with that number (as rsMain shows it: "" for none) and its earlier versions.
// Throws DbError(NotFound) when no article or more than one has the number.
ArticleHistory articleHistory(Connection& connection, const QString& number);
// Writes a version back over its article as a new change (so the article's present state becomes
// a version in turn); returns the article's row key. Throws DbError: NotFound when the article
// is gone, Duplicate when the version's number is held by another article now; nothing is
// written then.
qint64 restoreVersion(Connection& connection, qint64 version);

// A deleted article in the trash.
struct TrashEntry {
    qint64 id = 0;
    QVariant number;
    QString title;
    QString problem;
    QString solution;
    QDateTime when; // local time
    QString who;
};

// The trash, last deleted first.
QList<TrashEntry> trash(Connection& connection);
// Puts an article back from the trash with `number`, or with its own number when `number` is
// invalid; its earlier versions come back with it. Returns its row key. Throws DbError:
// Duplicate when another article holds the number (nothing is written), NotFound when the entry
// is gone.
qint64 restoreFromTrash(Connection& connection, qint64 entry, const QVariant& number = {});
// Removes every article in the trash and their earlier versions for good; returns how many.
int emptyTrash(Connection& connection);

// True when an article has that number.
bool numberTaken(Connection& connection, const QVariant& number);
// One more than the largest whole article number (1 for none): the number Add New proposes and
// the trash offers. A failure throws DbError beginning with `failure`.
qlonglong nextFreeNumber(Connection& connection);
qlonglong nextFreeNumber(Connection& connection, const QString& failure);
// The 1-based place of the row among all articles in the order of rsMain (by number).
int positionOf(Connection& connection, qint64 row);

// The article with this row key as stored now, and who made the change that left it so and
// when (local time; `changeKnown` false when the history holds none: never changed, or no
// history). `exists` false when the article is gone.
struct StoredArticle {
    bool exists = false;
    QVariantList values; // in the order of articleColumns()
    bool changeKnown = false;
    QDateTime when;
    QString who;
};
StoredArticle storedArticle(Connection& connection, qint64 row);

} // namespace history
