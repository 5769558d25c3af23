// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlDatabase>

// What keeps a server database safe from its own users: writers take turns on a row that only
// those who may change the articles may lock, so a reader cannot hold up a save; and the
// functions that run with their owner's rights (the triggers of the history and the quick-search
// index) trust nothing a caller could put in their way.
namespace serverguard
{

// Adds the table ardentry_turn (one row), gives the right to lock it to whoever may change the
// articles, and records schema::Guarded; then the change counter (schema::ChangeCounter), which
// whoever may read the articles may read. Inside the caller's open transaction on a server.
// Throws DbError.
void addTurn(QSqlDatabase& database);

// A server database opened by the role that owns its articles and functions: the functions of an
// earlier version are made again, the turn table added, and the rights on it brought in line
// with the rights on the articles (an administrator's later grants), in one transaction. True
// when something was changed; false for another role or when all is in order. Throws DbError;
// the database is then as it was.
bool renewIfOwner(QSqlDatabase& database);

} // namespace serverguard
