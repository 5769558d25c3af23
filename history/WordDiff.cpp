// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/WordDiff.h"

#include <dtl/dtl.hpp>

#include <vector>

namespace
{

// Beyond this many words on both sides together the texts are marked whole.
constexpr size_t kMostTokens = 40000;

// Both colours are set: on a light ground the palette's text colour of a dark theme would be
// unreadable.
const char* const kRemoved = "<span style=\"background-color:#ffd0d0; color:#000000; "
                             "text-decoration:line-through\">";
const char* const kAdded = "<span style=\"background-color:#c6efc6; color:#000000\">";

enum class Kind { Word, Blank, Other };

Kind kindOf(QChar c)
{
    if (c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('\'') || c.isMark())
        return Kind::Word;
    if (c.isSpace() && c != QLatin1Char('\n'))
        return Kind::Blank;
    return Kind::Other;
}

QString html(const QString& text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br/>"));
}

// Appends `text`, inside a marked span when `mark` is set; neighbouring marked tokens share one.
struct Writer {
    QString out;
    bool open = false;
    void add(const QString& text, const char* mark)
    {
        if (mark && !open)
            out += QString::fromLatin1(mark);
        else if (!mark && open)
            out += QStringLiteral("</span>");
        open = mark != nullptr;
        out += html(text);
    }
    QString finish()
    {
        if (open)
            out += QStringLiteral("</span>");
        open = false;
        return out;
    }
};

} // namespace

QStringList worddiff::tokens(const QString& text)
{
    QStringList result;
    int start = 0;
    while (start < text.size()) {
        const Kind kind = kindOf(text[start]);
        int end = start + 1;
        if (kind != Kind::Other) {
            while (end < text.size() && kindOf(text[end]) == kind)
                ++end;
        }
        result << text.mid(start, end - start);
        start = end;
    }
    return result;
}

worddiff::Marked worddiff::compare(const QString& before, const QString& after)
{
    Marked marked;
    marked.differs = before != after;
    if (!marked.differs) {
        marked.before = marked.after = html(before);
        return marked;
    }
    const QStringList a = tokens(before);
    const QStringList b = tokens(after);
    Writer left;
    Writer right;
    if (size_t(a.size() + b.size()) > kMostTokens) {
        left.add(before, before.isEmpty() ? nullptr : kRemoved);
        right.add(after, after.isEmpty() ? nullptr : kAdded);
    } else {
        const std::vector<QString> first(a.begin(), a.end());
        const std::vector<QString> second(b.begin(), b.end());
        dtl::Diff<QString, std::vector<QString>> diff(first, second);
        diff.onHuge();
        diff.compose();
        for (const auto& [token, info] : diff.getSes().getSequence()) {
            if (info.type == dtl::SES_COMMON) {
                left.add(token, nullptr);
                right.add(token, nullptr);
            } else if (info.type == dtl::SES_DELETE) {
                left.add(token, kRemoved);
            } else {
                right.add(token, kAdded);
            }
        }
    }
    marked.before = left.finish();
    marked.after = right.finish();
    return marked;
}
