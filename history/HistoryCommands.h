// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class Frame;

// The commands of the Tools menu that give a way back: the history of the current article, the
// trash, a backup of the database; and what runs once after a successful start.
namespace HistoryCommands
{

// "Article History": the versions of the current article.
void showHistory(Frame& frame);
// "Trash": the deleted articles.
void showTrash(Frame& frame);
// "Back Up Database...": a copy of the open database to a file the user chooses, checked once
// it is complete. A server database is not copied: the user is told that its administrator
// backs it up.
void backUpDatabase(Frame& frame);

// After a successful start: the automatic copy of the day into the backups folder (also made
// before the database gets the tables of the history), then that addition, then the writer's
// name for every later write. A failed copy is reported once and blocks nothing. A server
// database gets no copy and no word about one. `then` runs once that work has ended (other
// subsystems' work after a start).
void afterStart(Frame& frame, std::function<void()> then = {});
// Runs afterStart() once the shown window was painted for the first time (at once for a window
// that is not shown), so that the window is on screen however long the copy takes.
void afterShown(Frame& frame, std::function<void()> then = {});
// Whether afterStart() has ended its work: the copy made or failed, the history's tables added.
bool startFinished(Frame& frame);
// Reports a failed automatic copy, once per run of the program.
void reportBackupFailure(Frame& frame, const QString& reason);

// Reopens rsMain on every article, or on those that `filter` lets through, and shows the
// article with the number `number` (as rsMain shows it): at `position` when it is there, else
// where it is found; when it is not among them, the row at `position`.
void showArticle(Frame& frame, const QString& filter, int position, const QString& number,
                 qint64 row);

} // namespace HistoryCommands
