// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TextMatch.h"

#include <QCollator>
#include <QLocale>
#include <QtAlgorithms>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace textmatch
{

namespace
{

bool isAsciiBytes(const char* data, qsizetype size)
{
    qsizetype i = 0;
#ifdef __SSE2__
    for (; i + 64 <= size; i += 64) {
        const auto* block = reinterpret_cast<const __m128i*>(data + i);
        const __m128i any =
            _mm_or_si128(_mm_or_si128(_mm_loadu_si128(block), _mm_loadu_si128(block + 1)),
                         _mm_or_si128(_mm_loadu_si128(block + 2), _mm_loadu_si128(block + 3)));
        if (_mm_movemask_epi8(any))
            return false;
    }
#endif
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + i, 8);
        if (word & 0x8080808080808080ULL)
            return false;
    }
    for (; i < size; ++i) {
        if (static_cast<unsigned char>(data[i]) & 0x80)
            return false;
    }
    return true;
}

inline char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

// `needle` is lower case already.
inline bool equalAscii(const char* hay, const char* needle, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i) {
        if (asciiLower(hay[i]) != needle[i])
            return false;
    }
    return true;
}

// How often a byte stands in ordinary text, higher for more often: the letters by their
// frequency in English, the blank above all, anything else as rare.
int commonness(char c)
{
    static constexpr char byFrequency[] = "zqxjkvbpygfwmucldrhsnioate";
    if (c == ' ')
        return 30;
    const char* at = std::strchr(byFrequency, c);
    return (c != 0 && at) ? 1 + int(at - byFrequency) : 0;
}

// Whether `needle` (lower case) occurs in `hay`, ignoring ASCII letter case. The places where the
// needle's rarest byte stands, in either case, are the only candidates: they are found 16 bytes
// at a time and the needle is compared at each.
bool containsAscii(const char* hay, qsizetype size, const QByteArray& needle, qsizetype rare)
{
    const qsizetype n = needle.size();
    if (n == 0)
        return true;
    if (n > size)
        return false;
    const char* pattern = needle.constData();
    const char lower = pattern[rare];
    const char upper = (lower >= 'a' && lower <= 'z') ? char(lower - ('a' - 'A')) : lower;
    const qsizetype last = size - n; // the last place the needle can start
    // The rare byte of a candidate starting at i stands at i + rare, i in [0, last].
    const char* scan = hay + rare;
    const qsizetype places = last + 1;
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i lowers = _mm_set1_epi8(lower);
    const __m128i uppers = _mm_set1_epi8(upper);
    for (; i + 16 <= places; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(scan + i));
        auto found = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(block, lowers), _mm_cmpeq_epi8(block, uppers))));
        while (found) {
            if (equalAscii(hay + i + qCountTrailingZeroBits(found), pattern, n))
                return true;
            found &= found - 1;
        }
    }
#endif
    for (; i < places; ++i) {
        const char c = scan[i];
        if ((c == lower || c == upper) && equalAscii(hay + i, pattern, n))
            return true;
    }
    return false;
}

} // namespace

QString fold(const QString& text)
{
    // Simple (one to one) case folding character by character, as QString::toCaseFolded does,
    // but without its slow path for texts that hold capitals.
    const QString composed = text.normalized(QString::NormalizationForm_C);
    const qsizetype size = composed.size();
    const auto* in = reinterpret_cast<const char16_t*>(composed.constData());
    QString folded(size * 2, Qt::Uninitialized); // "ß" grows to "ss"
    char16_t* out = reinterpret_cast<char16_t*>(folded.data());
    qsizetype n = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = in[i];
        if (c < 0x80) {
            out[n++] = (c >= 'A' && c <= 'Z') ? char16_t(c + ('a' - 'A')) : c;
            continue;
        }
        char32_t code = c;
        if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(in[i + 1]))
            code = QChar::surrogateToUcs4(c, in[++i]);
        code = QChar::toCaseFolded(code);
        if (code == 0x00DF || code == 0x1E9E) {
            out[n++] = 's';
            out[n++] = 's';
        } else if (QChar::requiresSurrogates(code)) {
            out[n++] = QChar::highSurrogate(code);
            out[n++] = QChar::lowSurrogate(code);
        } else {
            out[n++] = char16_t(code);
        }
    }
    folded.truncate(n);
    return folded;
}

QString valueText(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return numberText(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return numberText(value.toDouble());
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    default:
        return value.toString();
    }
}

QList<Occurrence> occurrences(const QString& text, const QString& needle)
{
    QList<Occurrence> found;
    const QString wanted = fold(needle);
    if (wanted.isEmpty())
        return found;
    // Folds the text a character at a time, a character being a base with its combining marks,
    // and remembers where each folded character came from.
    QString folded;
    QList<int> from; // per folded character: where its character starts in `text`
    QList<int> to;   // ... and where it ends
    for (int at = 0; at < text.size();) {
        int end = at + 1;
        if (text.at(at).isHighSurrogate() && end < text.size() && text.at(end).isLowSurrogate())
            ++end;
        while (end < text.size() && text.at(end).isMark())
            ++end;
        const QString piece = fold(text.mid(at, end - at));
        folded += piece;
        for (int k = 0; k < piece.size(); ++k) {
            from << at;
            to << end;
        }
        at = end;
    }
    for (qsizetype at = folded.indexOf(wanted); at >= 0;
         at = folded.indexOf(wanted, at + wanted.size())) {
        const int start = from.at(at);
        const int end = to.at(at + wanted.size() - 1);
        if (!found.isEmpty() && start < found.last().start + found.last().length)
            continue; // inside a character that the last occurrence already covers
        found << Occurrence{start, end - start};
    }
    return found;
}

QString numberText(qlonglong value)
{
    return QString::number(value);
}

QString numberText(double value)
{
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qlonglong>(value));
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

std::optional<QVariant> parseNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const qlonglong integer = trimmed.toLongLong(&ok, 10);
    if (ok)
        return QVariant(integer);
    const double real = trimmed.toDouble(&ok);
    if (ok && std::isfinite(real))
        return QVariant(real);
    return std::nullopt;
}

int compareIgnoringCase(const char* a, int aSize, const char* b, int bSize)
{
    if (isAsciiBytes(a, aSize) && isAsciiBytes(b, bSize)) {
        const int common = std::min(aSize, bSize);
        for (int i = 0; i < common; ++i) {
            const char ca = asciiLower(a[i]);
            const char cb = asciiLower(b[i]);
            if (ca != cb)
                return static_cast<unsigned char>(ca) < static_cast<unsigned char>(cb) ? -1 : 1;
        }
        if (aSize != bSize)
            return aSize < bSize ? -1 : 1;
    } else {
        const QString sa = QString::fromUtf8(a, aSize);
        const QString sb = QString::fromUtf8(b, bSize);
        const int folded = fold(sa).compare(fold(sb));
        if (folded != 0)
            return folded < 0 ? -1 : 1;
    }
    const int exact = std::memcmp(a, b, static_cast<size_t>(std::min(aSize, bSize)));
    if (exact != 0)
        return exact < 0 ? -1 : 1;
    return aSize == bSize ? 0 : (aSize < bSize ? -1 : 1);
}

TextPattern::TextPattern(const QString& needle, Mode mode)
    : m_mode(mode), m_needle(needle), m_folded(fold(needle))
{
    bool ascii = true;
    for (QChar c : m_folded) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    m_isAscii = ascii;
    if (ascii) {
        m_ascii = m_folded.toLatin1();
        for (qsizetype i = 1; i < m_ascii.size(); ++i) {
            if (commonness(m_ascii.at(i)) < commonness(m_ascii.at(m_rare)))
                m_rare = i;
        }
    }
}

TextPattern TextPattern::like(const QString& value)
{
    if (value == QLatin1String("*") || value == QLatin1String("**"))
        return TextPattern(QString(), Mode::Everything);
    const bool anyStart = value.startsWith(QLatin1Char('*'));
    const bool anyEnd = value.endsWith(QLatin1Char('*'));
    QString needle = value;
    if (anyEnd)
        needle.chop(1);
    if (anyStart)
        needle.remove(0, 1);
    Mode mode = Mode::Equals;
    if (anyStart && anyEnd)
        mode = Mode::Contains;
    else if (anyStart)
        mode = Mode::EndsWith;
    else if (anyEnd)
        mode = Mode::StartsWith;
    return TextPattern(needle, mode);
}

bool TextPattern::matchesFolded(const QString& folded) const
{
    switch (m_mode) {
    case Mode::Everything:
        return true;
    case Mode::Equals:
        return folded == m_folded;
    case Mode::StartsWith:
        return folded.startsWith(m_folded);
    case Mode::EndsWith:
        return folded.endsWith(m_folded);
    case Mode::Contains:
        return folded.contains(m_folded);
    }
    return false;
}

bool TextPattern::matches(const QString& text) const
{
    if (m_mode == Mode::Everything)
        return true;
    return matchesFolded(fold(text));
}

bool TextPattern::matchesUtf8(const char* data, qsizetype size) const
{
    if (m_mode == Mode::Everything)
        return true;
    if (!isAsciiBytes(data, size))
        return matchesFolded(fold(QString::fromUtf8(data, size)));
    // An ASCII text folds to ASCII, so it cannot hold a needle that folds to anything else.
    if (!m_isAscii)
        return false;
    const qsizetype n = m_ascii.size();
    switch (m_mode) {
    case Mode::Everything:
        return true;
    case Mode::Equals:
        return size == n && equalAscii(data, m_ascii.constData(), n);
    case Mode::StartsWith:
        return size >= n && equalAscii(data, m_ascii.constData(), n);
    case Mode::EndsWith:
        return size >= n && equalAscii(data + size - n, m_ascii.constData(), n);
    case Mode::Contains:
        return containsAscii(data, size, m_ascii, m_rare);
    }
    return false;
}

NumberPattern::NumberPattern(const QString& value) : m_source(value)
{
    const std::optional<QVariant> number = parseNumber(value);
    if (!number)
        return;
    m_valid = true;
    m_isInteger = number->typeId() == QMetaType::LongLong;
    if (m_isInteger)
        m_integer = number->toLongLong();
    else
        m_real = number->toDouble();
}

bool NumberPattern::matches(qlonglong value) const
{
    if (!m_valid)
        return false;
    return m_isInteger ? value == m_integer : static_cast<double>(value) == m_real;
}

bool NumberPattern::matches(double value) const
{
    if (!m_valid)
        return false;
    return m_isInteger ? value == static_cast<double>(m_integer) : value == m_real;
}

bool NumberPattern::matchesText(const QString& text) const
{
    const std::optional<QVariant> number = parseNumber(text);
    if (!number)
        return false;
    if (number->typeId() == QMetaType::LongLong)
        return matches(number->toLongLong());
    return matches(number->toDouble());
}

bool Criteria::matches(const QVariant& value) const
{
    if (!value.isValid() || value.isNull())
        return m_text ? m_text->matches(QString()) : false;
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return m_text ? m_text->matches(numberText(value.toLongLong()))
                      : m_number->matches(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return m_text ? m_text->matches(numberText(value.toDouble()))
                      : m_number->matches(value.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return m_text ? m_text->matchesUtf8(bytes.constData(), bytes.size())
                      : m_number->matchesText(QString::fromUtf8(bytes));
    }
    default:
        return m_text ? m_text->matches(value.toString()) : m_number->matchesText(value.toString());
    }
}

} // namespace textmatch

void textmatch::sortNames(QStringList& names)
{
    // As a person sorts names: accents go with their base letters, letter case does not count.
    // The C locale has no such order, so it sorts as English does.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
}
