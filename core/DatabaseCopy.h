// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Copies a whole article database into a new one, from any engine to any engine: a file to a
// server database and back, file to file, server to server. The copy runs in one transaction on
// the target: it is there completely or not at all.
struct DatabaseCopyResult {
    bool cancelled = false; // progress() returned false: nothing was made
    qint64 articles = 0;
    qint64 rows = 0;   // rows of all tables
    QStringList notes; // what was not copied and why, for the user
};

// Copies `from` (a file path or a server address) to `to`, which must be new: a file that does not
// exist yet (removed again when anything fails), or a server database without the tables of an
// article database. The five tables keep every value as it is and every row its key; the AR_ID
// index is made, and the quick-search index, the history of articles with the trash and the
// stored pictures with their thumbnails (their rows copied by the columns both sides have, every
// byte of a picture as it is) when the source has them. `progress(done, total)`
// is called after each block of rows and once at the end; returning false cancels. Throws
// DbError when anything fails, e.g. a value the target cannot hold (named by table, row and
// value); nothing is then left behind.
DatabaseCopyResult copyArticleDatabase(const QString& from, const QString& to,
                                       const std::function<bool(qint64, qint64)>& progress = {});

// A file path or server address as the user may see it: the absolute path, or the address
// without any password.
QString databaseDisplayName(const QString& pathOrAddress);
