// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Makes the server database at `address` hold `articles` generated articles when it has no
// tables yet. Throws DbError.
void fillServerIfEmpty(const QString& address, int articles);

// The commands a technician feels, on the database file and, unless `server` is empty, on that
// server database, each the median of `samples` runs beside the same work done with the engine's
// plain C interface (SQLite's, libpq) on a connection of its own; printed with their ratios.
void benchTable(const QString& file, const QString& server, int samples);
