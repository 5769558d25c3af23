// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// Where a database path is accepted: an Access database (.mdb, .accdb) is not opened but offered
// for conversion. Returns `path` itself when it names no Access file. An Access file without the
// help-desk tables, or one that cannot be read, is said to be so. For a help desk's, asks whether
// to convert it: Yes converts its help-desk tables into a new database beside it (the Access
// file's name with ".ardentry.db", or the next free name, which the report says), "Onto a
// server..." into an empty server database whose address the user gives; with a progress window
// and Cancel; shows the report and returns the new database's path or address. Returns an empty
// text when the user said No or cancelled, or the conversion failed (said in a box).
QString convertIfAccessDatabase(QWidget* parent, const QString& path);
