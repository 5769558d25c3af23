// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/DbError.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

class Connection;

// Pictures kept in the database itself, so a whole team sees them and every copy of the database
// carries them. Tables of the program's own (bit schema::Pictures), the same shape on both
// engines:
// - ardentry_picture: each picture once, by the SHA-256 of its bytes (however many articles use
//   it), with its format, size in pixels and byte count;
// - ardentry_thumbnail: a small PNG of each picture, apart, so lists and the article form never
//   read whole pictures;
// - ardentry_picture_use: which article slots use which picture now, kept by triggers on AR.
// An image slot holding a stored picture reads "picture://<id>/<original file name>", <id> the
// first 16 hexadecimal digits of the picture's SHA-256. No path a user types takes that form (a
// Windows path has no colon after its drive letter, and a scheme with "://" is an address, not a
// file), and every other text of a slot stays a path exactly as before. Versions of an article
// in the history and the trash keep their slot texts, so restoring a version restores its
// pictures: a picture is removed only by compact(), when neither an article nor any kept version
// uses it.
namespace pictures
{

// The largest picture stored, in bytes.
constexpr qint64 MaxBytes = 16 * 1024 * 1024;
// The longest side stored as it is, in pixels; a larger picture is offered scaled down.
constexpr int MaxSide = 4096;
// The longest side of a thumbnail, in pixels.
constexpr int ThumbnailSide = 96;

// ---- Slot texts ----
struct StoredRef {
    QString id;   // 16 lower-case hexadecimal digits
    QString name; // the original file name, no folder
};
// Whether a slot's text names a stored picture (and which).
bool isStored(const QString& slotText);
StoredRef parse(const QString& slotText); // id empty when not stored
QString slotText(const QString& id, const QString& fileName);

// ---- Checking a picture before it is stored ----
struct Checked {
    enum class Verdict { Fine, TooLarge, NotAPicture, TooManyPixels };
    Verdict verdict = Verdict::NotAPicture;
    QByteArray bytes;  // as read
    QByteArray format; // "png", "jpeg", ... as Qt's image readers name it
    QSize size;
    QString reason; // in the user's words, for every verdict but Fine
    QImage image;   // the decoded picture (Fine only), so storing need not decode it again
    // The SHA-256 of `bytes`, 64 lower-case hexadecimal digits (empty for TooLarge).
    QString sha256;
};
// Reads and decodes a picture file (or bytes) with Qt's image readers.
Checked checkFile(const QString& file);
Checked checkBytes(const QByteArray& bytes);
// A copy whose longer side is MaxSide, as PNG (or JPEG for a JPEG original).
QByteArray scaledDown(const Checked& picture);

// ---- Storing and reading (throw DbError) ----
// Stores the picture (once: a picture already stored is only found) with its thumbnail and
// returns the slot text for it. Runs in a transaction of its own, unless `inTransaction`.
// Throws DbError(BadValue) with the reason for bytes that are no picture to store as they are.
QString store(Connection& connection, const QByteArray& bytes, const QString& fileName,
              bool inTransaction = false);
// The same for a picture checked already (its verdict Fine); the thumbnail is made before the
// transaction begins, so writers wait only for the rows to be written.
QString store(Connection& connection, const Checked& picture, const QString& fileName,
              bool inTransaction = false);
// Whether the database holds the picture with that id (false without the tables).
bool contains(Connection& connection, const QString& id);
// For code that holds only the handle of a database (the import, the exports): the same,
// storing in the caller's open transaction.
QString store(QSqlDatabase& database, const Checked& picture, const QString& fileName);
bool contains(QSqlDatabase& database, const QString& id);
QByteArray read(QSqlDatabase& database, const QString& id);
// The stored picture's bytes; DbError(NotFound) when the database has none with that id.
// A server sends them as one binary value (see the figures of ardentry-bench --pictures).
QByteArray read(Connection& connection, const QString& id);
QImage image(Connection& connection, const QString& id);
// Thumbnails of the ids given (missing ids are left out), read in one statement.
QList<QPair<QString, QImage>> thumbnails(Connection& connection, const QStringList& ids);

// ---- Long jobs: progress(done, total) after each article; false cancels. ----
using Progress = std::function<bool(qint64 done, qint64 total)>;
struct JobReport {
    bool cancelled = false;
    qint64 stored = 0;      // slots changed to stored pictures / files written
    QStringList unreadable; // "Article 12, image 3: /path (reason)"
};
// Every article's slots that hold a path: the file (a relative path taken from `baseFolder`,
// the database's folder) is stored and the slot changed to the stored form. Slots whose file
// cannot be read or is no picture are left as they are and reported. All or nothing: one
// transaction; cancelled leaves the database as it was. The files are read and decoded before
// the transaction begins (the first half of the progress), so other writers wait only while
// the rows are written (the second half): `total` is twice the number of articles.
JobReport storeLinked(Connection& connection, const QString& baseFolder,
                      const Progress& progress = {});
// Writes every stored picture that an article uses into `folder` (under its original name,
// made unique), for someone who wants files. Slots are not changed.
JobReport writeOut(Connection& connection, const QString& folder, const Progress& progress = {});
// Removes the pictures that neither an article nor a version in the history or trash uses, then
// gives the space back (VACUUM on a file, which needs no statement of the connection running).
// Returns the number removed. The steps are few: progress is told after each of them.
qint64 compact(Connection& connection, const Progress& progress = {});

// ---- Files beside a CSV export ----
// The folder beside a CSV file that holds its stored pictures: "<folder>/<base name>_pictures".
QString csvPictureFolder(const QString& csvFile);
// A stored picture's file in it: "<id>_<original name>" (only letters, digits, ".", "-", "_").
QString csvPictureFile(const StoredRef& picture);

// ---- The tables ----
bool isInstalled(Connection& connection);
// Adds the tables and triggers in the caller's transaction (a new database, a copy).
void createTables(QSqlDatabase& database);
// Adds them to an open database in one transaction of their own when missing; false when the
// database had them. Throws DbError, saying so in words when a server's user may not add them.
bool install(Connection& connection);
// True when the connection may add them (a file not opened read-only; on a server the right to
// create in the schema of the articles and to put triggers on them).
bool mayInstall(Connection& connection);

} // namespace pictures
