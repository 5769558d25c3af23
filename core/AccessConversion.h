// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

namespace accessdb
{
class AccessFile;
}

// Moving a help desk in from its Access database: the tables AR, Categories, Users, CUINFO and
// Customize are copied into a new Ardentry database; the Access file is only read.
struct AccessConversionResult {
    bool cancelled = false;                 // progress() returned false: nothing was made
    QList<QPair<QString, qint64>> rowsRead; // per Access table, in the order read
    qint64 rowsWritten = 0;                 // rows of the new database's five tables
    QStringList notCarried;                 // each value not carried over as it is, and why
    QStringList notes;                      // columns and tables the new database has no place for
    qint64 milliseconds = 0;

    // The report for the user: rows read per table, rows written, every value not carried over.
    QString report() const;
};

// The question asked before a conversion, wherever a database path names an Access file.
QString accessConversionQuestion();

// True when the Access file holds the tables of a help-desk database (an AR table of articles).
bool isHelpDeskAccessDatabase(const accessdb::AccessFile& file);

// The new database's file beside the Access file: its name with ".ardentry.db" instead of the
// ending ("helpdesk-2000.mdb" -> "helpdesk-2000.ardentry.db").
QString convertedDatabasePath(const QString& accessPath);
// convertedDatabasePath(), or when that file exists the first free "NAME (2).ardentry.db", ...
QString freeConvertedDatabasePath(const QString& accessPath);

// Copies the help-desk tables of the Access database `accessPath` into `target`, a new database
// (a file that does not exist yet, or a server database without the tables, as
// copyArticleDatabase takes it). Every article keeps its number (duplicates and Nulls too),
// every text its characters, every Null its Null; values the reader cannot give as they are
// (see AccessFile) are listed in notCarried by article number and column. All or nothing:
// `progress(done, total)` is called as the rows go; returning false cancels and leaves nothing.
// Throws DbError (the Access file unreadable, not a help-desk database, the target not new, ...);
// nothing is then left behind either.
AccessConversionResult
convertAccessDatabase(const QString& accessPath, const QString& target,
                      const std::function<bool(qint64, qint64)>& progress = {});
