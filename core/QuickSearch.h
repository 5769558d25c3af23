// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/DbError.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>

class Connection;
class QSqlDatabase;

// The quick search: one box over Title, Problem, Solution, Category, Entered By and Reference,
// ranked, through an index of the program's own ("ardentry_search") that triggers on AR keep
// current for every writer: an FTS5 table in a file, a table of the server's own full-text search
// (tsvector, GIN) on a server. Both read what was typed alike and rank Title above Problem above
// Solution. The index is an addition of the schema (core/Schema.h).
namespace quicksearch
{

// One found article.
struct Hit {
    qint64 key = 0; // the row key of the article in AR
    QString id;
    QString title;
    QString category;
    QString enteredBy;
    QString dateEntered;
    // A line of the best matching text; the matched words lie between MarkStart and MarkEnd.
    QString snippet;
};

struct Result {
    QList<Hit> hits;       // best first
    int total = 0;         // all articles found, or RankedAtMost + 1 when there are more
    bool overflow = false; // more than RankedAtMost articles were found
};

// Up to this many found articles are all ranked. Beyond it (a word found in most articles) the
// ranking is by title matches first, then newest first, and the count says "more than".
constexpr int RankedAtMost = 20000;

constexpr QChar MarkStart = QChar(0x2);
constexpr QChar MarkEnd = QChar(0x3);

// Of what was typed, the first LongestTyped characters and of them the first MostWords words
// (a "quoted phrase" counts its words) are searched, on every engine.
constexpr int LongestTyped = 2000;
constexpr int MostWords = 32;

// The FTS5 query for what a user typed: every word must occur, "quoted phrases" stay phrases,
// and with `prefixLast` the last word, from three letters or digits on, also matches as the
// start of a word. Words are cut as the index cuts them: every character that is neither a
// letter nor a digit separates words, so "C++" is the word "c" and "can't" the words "can" and
// "t", none of them a prefix. Every character is searched as text: no typed quote, star, minus,
// parenthesis, colon or keyword is syntax; a control character (NUL) separates words. Empty
// when nothing searchable was typed.
QString ftsQuery(const QString& typed, bool prefixLast);

// The condition on the rows of AR whose texts hold what was typed (as ftsQuery reads it, the last
// word a prefix), its values appended to `binds`; empty when nothing searchable was typed. Only
// for a database with the index.
QString matchCondition(QSqlDatabase& database, const QString& typed, QList<QVariant>& binds);

bool hasIndex(QSqlDatabase& database);
// Creates the index, its triggers and the version bit in an open transaction (a new database).
// `fill` indexes the articles already there at once.
void createIndex(QSqlDatabase& database, bool fill);
// On a server whose index was made by an earlier version: its functions made again as
// createIndex makes them now, in an open transaction of the functions' owner. Throws DbError.
void renewServerFunctions(QSqlDatabase& database);
// Builds the index of an existing database in one transaction, a block of articles at a time.
// `progress(done, total)` is called after each block; returning false cancels. Returns false
// when cancelled; the database is then as it was. Throws DbError on failure (the database as it
// was).
bool buildIndex(Connection& connection, const std::function<bool(qint64, qint64)>& progress);

// The index finds articles by their row key in AR. Another program's VACUUM may give a file's
// rows new keys (when AR has neither an INTEGER PRIMARY KEY nor any index, as in a database made
// elsewhere); the index then points at other articles than it was made for.
//
// Thrown by search() when the index no longer matches the articles: rebuildIndex() mends it.
class StaleIndex : public DbError
{
public:
    StaleIndex();
};

// Thrown by search() when the database has no index: createIndex() or buildIndex() makes it.
class NoIndex : public DbError
{
public:
    NoIndex();
};

// Whether the index still matches the articles. Cheap unless the database's schema changed
// since it was last found to match (a VACUUM changes it too), or `thorough`: then every row key
// is compared, and a match is recorded in the database when it can be. Always true on a server,
// whose row keys never change. Throws DbError.
bool indexMatches(Connection& connection, bool thorough = false);

// Quoted phrases are found through a second index, of neighbouring words (schema::PhraseIndex),
// made with the quick-search index; a database whose index was made without it still finds them,
// more slowly.
bool hasPhraseIndex(QSqlDatabase& database);
// Whether what was typed holds a "quoted phrase" of two words or more.
bool hasPhrase(const QString& typed);
// Whether this connection may add the phrase index: a file open for writing; on a server, the
// owner of the quick-search index. Throws DbError.
bool mayBuildPhraseIndex(Connection& connection);
// Adds the phrase index beside a quick-search index made without it, in one transaction, with
// progress and cancelling as buildIndex. Returns false when cancelled (the database as it was).
// Throws DbError.
bool buildPhraseIndex(Connection& connection, const std::function<bool(qint64, qint64)>& progress);

// Makes the index again from the articles, in one transaction, with progress and cancelling as
// buildIndex. Returns false when cancelled (the database as it was). Throws DbError.
bool rebuildIndex(Connection& connection, const std::function<bool(qint64, qint64)>& progress);

// The best `limit` articles for what was typed (see ftsQuery), and how many there are in all. An
// article whose number is the typed text comes first. Checks first that the index matches the
// articles, and again after a failure; throws StaleIndex when it does not, NoIndex when there is
// none, DbError on failure. Asks a server nothing before the search itself: a connection lost
// since the last command (a restart) fails it and is made again for a second try.
Result search(Connection& connection, const QString& typed, int limit = 50);

} // namespace quicksearch
