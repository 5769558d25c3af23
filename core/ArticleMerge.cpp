// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ArticleMerge.h"

#include <algorithm>

namespace articlemerge
{

QList<Field> merge(const QStringList& base, const QStringList& theirs, const QStringList& mine)
{
    QList<Field> fields;
    const int count = std::max({base.size(), theirs.size(), mine.size()});
    for (int i = 0; i < count; ++i) {
        Field field;
        field.base = base.value(i);
        field.theirs = theirs.value(i);
        field.mine = mine.value(i);
        const bool theyChanged = field.theirs != field.base && field.theirs != field.mine;
        const bool iChanged = field.mine != field.base && field.theirs != field.mine;
        if (theyChanged && iChanged)
            field.change = Change::Both;
        else if (theyChanged)
            field.change = Change::Theirs;
        else if (iChanged)
            field.change = Change::Mine;
        field.merged = field.change == Change::Theirs ? field.theirs : field.mine;
        fields << field;
    }
    return fields;
}

QStringList mergedTexts(const QList<Field>& fields)
{
    QStringList texts;
    for (const Field& field : fields)
        texts << field.merged;
    return texts;
}

} // namespace articlemerge
