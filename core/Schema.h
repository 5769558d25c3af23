// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlDatabase>

// What the program adds to a database beside the five tables of its articles and lists: tables,
// triggers and indexes of its own, never a change to those five. Each addition is one bit of
// PRAGMA user_version, so a file tells which additions it has.
namespace schema
{

enum Addition : int {
    QuickSearchIndex = 1, // full-text index of the articles, kept by triggers
    History = 2,          // earlier versions of articles and the trash, kept by triggers
    // On a server only: the functions that run with their owner's rights trust nothing found
    // through a caller's search path, and writers take turns on the table ardentry_turn.
    Guarded = 4,
    Pictures = 8, // pictures kept in the database, their thumbnails and the slots using them
    // On a server only: the table ardentry_change counts the statements that changed the
    // articles, so a record set sees whether anyone wrote since it read them.
    ChangeCounter = 16,
    // On a server only: trigram indexes that narrow the Search dialog's text comparisons (when
    // the server could make them).
    SearchNarrowing = 32,
    // An index of neighbouring words beside the quick-search index, for quoted phrases: kept by
    // the program from a list of changed articles that triggers fill (on a file), by triggers
    // (on a server).
    PhraseIndex = 64,
};

// The additions the database has (its user_version).
int additions(QSqlDatabase& database);
bool has(QSqlDatabase& database, Addition addition);
// Records an addition; run it inside the transaction that creates the addition, so both land
// together or not at all. Throws DbError.
void markAdded(QSqlDatabase& database, Addition addition);
// On a server: the schema of the articles (the one in use), quoted for a statement. Throws
// DbError.
QString serverSchema(QSqlDatabase& database);

} // namespace schema
