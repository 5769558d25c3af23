// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Two people changed one article: the three versions of each field side by side, and the
// merged article to save. Pure functions, no database.
namespace articlemerge
{

// Who changed a field since the article was read.
enum class Change {
    None,   // neither, or both to the same text
    Theirs, // only the one who saved first
    Mine,   // only the one saving now
    Both,   // both, to different texts
};

struct Field {
    QString base;   // when this person started editing
    QString theirs; // stored now
    QString mine;   // typed
    Change change = Change::None;
    // The text to save: the changed side's text when one side changed it; for a field both
    // changed, "mine" until someone chooses otherwise.
    QString merged;
};

// The fields side by side; the three lists have one text per field, in the same order.
QList<Field> merge(const QStringList& base, const QStringList& theirs, const QStringList& mine);

// The merged texts, in field order.
QStringList mergedTexts(const QList<Field>& fields);

} // namespace articlemerge
