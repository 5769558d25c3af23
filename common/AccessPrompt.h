#pragma once

#include <QString>

class QWidget;

// Where a database path is accepted: an Access database (.mdb, .accdb) is not opened but offered
// for conversion. Returns `path` itself when it names no Access file. For an Access file, asks
// whether to convert it; on Yes converts its help-desk tables into a new database beside it
// (the Access file's name with ".ardentry.db", or the next free name, which the report says), with
// a progress window and Cancel, shows the report and returns the new database's path. Returns an
// empty text when the user said No or cancelled, or the conversion failed (said in a box).
QString convertIfAccessDatabase(QWidget* parent, const QString& path);
