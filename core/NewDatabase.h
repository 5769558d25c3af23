// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Creates a new Ardentry database file (the tool's work; the program never creates tables).
struct NewDatabaseOptions {
    bool sample = false;          // realistic help-desk categories, users and about 40 articles
    int syntheticArticles = 0;    // further generated articles of about 2 KB of text each
    bool quickSearchIndex = true; // false: a file as made before the quick search existed
};

// Creates `path` (a file, or a server address: then the tables go into that existing database,
// which must not hold them yet) with the five tables, the six Customize rows, at least one
// category, one user and one welcome article. Refuses (throws std::runtime_error) when the file
// exists already or cannot be created; a half-made file is removed.
void createArticleDatabase(const QString& path, const NewDatabaseOptions& options = {});

// The statements that make the five tables of a file (an engine makes its own from them:
// db::Engine::tableText).
QStringList articleTableTexts();
