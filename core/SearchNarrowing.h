// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/TextMatch.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>

class Connection;

// A server compares texts as the program does only by sending them all to the program. Before
// that, the server keeps back the rows that cannot match: a LIKE pattern that ignores the letter
// case of ASCII and lets every character that the program's folding could turn into another
// (accents, "ß" as "ss", the long s, the Kelvin sign) stand for any run of characters, so that it
// can only keep more rows than the program's comparison, never fewer. Trigram indexes (pg_trgm)
// of the article texts, lower-cased as ASCII, let the server find those rows without reading
// every article.
namespace searchnarrowing
{

// The pattern, for `value ILIKE pattern COLLATE "C"`, that every value matching `pattern` also
// matches (more may); empty when it would keep every row.
QString widerLike(const textmatch::TextPattern& pattern);

// The index of a column (the name as the server keeps it) that serves widerLike, if the
// articles have one.
QString indexName(const QString& column);

// Adds the trigram indexes to the articles of a server database and records
// schema::SearchNarrowing, inside the caller's open transaction; nothing on an engine that
// compares texts itself. Without pg_trgm (not installed, or the role may not add it) only the
// record is made and the server narrows by reading the articles. `onlyWhenQuick`: a table of
// many articles, whose indexes would take minutes, gets only the record too (build() makes them
// later). Throws DbError.
void add(QSqlDatabase& database, bool onlyWhenQuick = false);

// Whether the articles of a server database lack an index that this role could build now:
// the role owns them, and pg_trgm is there or may be added. False on a file. Throws DbError.
bool mayBuild(QSqlDatabase& database);

// Builds the missing indexes (adding pg_trgm when needed) and records schema::SearchNarrowing,
// all in one transaction, with plain CREATE INDEX: nobody may change the articles until it ends.
// `progress(done, total)` is called about ten times a second from the server's account of the
// work; returning false stops it. Returns false when stopped; the database is then as it was.
// Throws DbError on failure (the database as it was).
bool build(Connection& connection, const std::function<bool(qint64, qint64)>& progress);

} // namespace searchnarrowing
