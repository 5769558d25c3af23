// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The print file "artemp.html" in the user's own temporary folder: written afresh on every print
// and left on disk.
namespace PrintFile
{

// The folder: the user's runtime folder, or else a folder of the user's own (mode 0700) in the
// temporary folder. Empty (with the reason) when neither is private to the user.
QString folder(QString* error = nullptr);
// <folder>/artemp.html; empty when there is no private folder.
QString path(QString* error = nullptr);

// Writes the page as one line ending in CR LF and returns the file's path; empty with the reason
// on failure. The file is replaced as a whole; a link planted under its name is removed, never
// followed.
QString write(const QString& page, QString* error);

} // namespace PrintFile
