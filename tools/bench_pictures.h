// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// ardentry-bench --pictures: the costs of pictures kept in the database on a new file and, when
// `server` is given, on that server database (made when empty). Throws DbError.
int benchPictures(const QString& server);
