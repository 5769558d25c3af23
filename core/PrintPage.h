// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

// A picture stored in the database, printed below the article.
struct PrintPicture {
    QString name; // the original file name
    QByteArray bytes;
};

// The printed form of one article: a small HTML page of one line, built from the column values
// of the article's row. Nothing here touches windows, files or the database.
struct PrintColumns {
    QString id;                   // Id
    QString category;             // CUName
    QString enteredBy;            // techname
    QString problem;              // Problem (a Null reads as the empty text)
    QString solution;             // solution
    QString reference;            // reference
    QList<PrintPicture> pictures; // the stored pictures of the image slots, in slot order
};

namespace PrintPage
{

// Largest row count a text area takes; the count is a 16-bit number.
constexpr int MaxRows = 32767;

// Text areas get one row per 30 characters of text: length / 30 rounded to the nearest whole
// number, ties to the even one (15 -> 0, 45 -> 2, 75 -> 2, 76 -> 3). Clamped to MaxRows.
int rowCount(qsizetype length);

// The value with "&", "<", ">", '"' and "'" written as character references, so that it prints
// as typed and cannot end the markup around it.
QString escaped(const QString& value);

// "Printed by Ardentry on mm/dd/yyyy"
QString footer(const QDate& printed);

// The whole page, without the line end that the print file adds. Stored pictures are printed
// below the table, each held by the page itself (a data address), so the page needs no files
// beside it; a page without them is as it always was.
QString html(const PrintColumns& columns, const QDate& printed);

// False for "N/A" (exact) and for no text at all: then the article has no reference document.
bool hasReference(const QString& reference);

} // namespace PrintPage
