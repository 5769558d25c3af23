// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Two texts compared word by word, as HTML for a rich-text view: the earlier text with the words
// that went away struck through on a red ground, the later one with the words that came in on a
// green ground.
namespace worddiff
{

struct Marked {
    QString before; // HTML
    QString after;  // HTML
    bool differs = false;
};

// Words (letters, digits, apostrophes), runs of blanks and single other characters, in order;
// joined they give the text back.
QStringList tokens(const QString& text);

Marked compare(const QString& before, const QString& after);

} // namespace worddiff
