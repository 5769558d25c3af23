// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

// Matching of filter values, shared by the functions registered in the database engine and the
// record set (which judges rows with unsent changes itself). Free of any database or window code.
namespace textmatch
{

// Folds a text for comparison ignoring letter case: composed form, Unicode case folding, and
// "ß" compared as "ss" (so "Straße" matches "STRASSE").
QString fold(const QString& text);

// Where `needle` occurs in `text` as the filters compare (folded as above, decomposed and
// composed accents alike), from left to right without overlap: start and length of each
// occurrence in `text` itself.
struct Occurrence {
    int start = 0;
    int length = 0;
};
QList<Occurrence> occurrences(const QString& text, const QString& needle);

// A value as the record set shows it: Null as the empty text, numbers as below, bytes as UTF-8.
QString valueText(const QVariant& value);

// Sorts names as a person does: accents with their base letters, letter case ignored.
void sortNames(QStringList& names);

// A number as the record set shows it: 12, -3, 12.5 (never 12.0).
QString numberText(qlonglong value);
QString numberText(double value);

// A number text (blanks around allowed) as qlonglong or double; nothing when it is not a number.
std::optional<QVariant> parseNumber(const QString& text);

// Compares two texts ignoring letter case; equal folded texts are ordered by their exact text.
int compareIgnoringCase(const char* a, int aSize, const char* b, int bSize);

// A text pattern: compares ignoring letter case.
class TextPattern
{
public:
    enum class Mode { Equals, StartsWith, EndsWith, Contains, Everything };

    TextPattern(const QString& needle, Mode mode);
    // Reads a LIKE value: "*" at the very start and/or end is any run of characters, everything
    // else is literal; "*" and "**" alone match everything.
    static TextPattern like(const QString& value);

    Mode mode() const { return m_mode; }
    const QString& needle() const { return m_needle; }

    bool matches(const QString& text) const;
    bool matchesUtf8(const char* data, qsizetype size) const;

private:
    bool matchesFolded(const QString& folded) const;

    Mode m_mode;
    QString m_needle;     // as given
    QString m_folded;     // folded needle
    QByteArray m_ascii;   // folded needle when it is pure ASCII (lower case)
    qsizetype m_rare = 0; // where the rarest byte of m_ascii stands, for the search
    bool m_isAscii = false;
};

// Equality with a number; a value that is not a number matches nothing.
class NumberPattern
{
public:
    explicit NumberPattern(const QString& value);
    bool isValid() const { return m_valid; }
    const QString& source() const { return m_source; }
    // The number itself (qlonglong or double), for an engine's own comparison.
    QVariant value() const { return m_isInteger ? QVariant(m_integer) : QVariant(m_real); }
    bool matches(qlonglong value) const;
    bool matches(double value) const;
    // A stored text (a number column may hold one): compared when it reads as a number.
    bool matchesText(const QString& text) const;

private:
    QString m_source;
    bool m_valid = false;
    bool m_isInteger = false;
    qlonglong m_integer = 0;
    double m_real = 0;
};

// One filter: either a text pattern or a number equality. Judges a value as the record set holds
// it (Null, qlonglong, double, text, bytes).
class Criteria
{
public:
    Criteria(TextPattern pattern) : m_text(std::move(pattern)) {}
    Criteria(NumberPattern pattern) : m_number(std::move(pattern)) {}
    bool isNumber() const { return m_number.has_value(); }
    const TextPattern* text() const { return m_text ? &*m_text : nullptr; }
    const NumberPattern* number() const { return m_number ? &*m_number : nullptr; }
    bool matches(const QVariant& value) const;

private:
    std::optional<TextPattern> m_text;
    std::optional<NumberPattern> m_number;
};

} // namespace textmatch
