// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Csv.h"

#include "core/TextMatch.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace csv
{

namespace
{

constexpr qint64 kChunk = 256 * 1024; // bytes read from the device at a time
constexpr qint64 kSample = 64 * 1024; // bytes looked at for the kind and the separator
constexpr int kSampleRecords = 100;   // records looked at for the separator
constexpr char16_t kReplacement = 0xFFFD;

// Windows-1252 characters of the bytes 0x80..0x9F; the five bytes it leaves undefined read as
// the control characters of the same number, as web browsers read them.
constexpr char16_t kWindows1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Decoders: append the text of `n` bytes to `out`. Bytes that are not of the encoding read as
// U+FFFD and their place (base + index in `out`) goes to `bad`. When `last` is false, bytes of a
// sequence cut by the end of the data are left over; the return value is the number of bytes
// used.
qsizetype decodeUtf8(const uchar* p, qsizetype n, bool last, QString& out, std::vector<qint64>* bad,
                     qint64 base)
{
    const qsizetype start = out.size();
    out.resize(start + n); // never more UTF-16 units than bytes
    QChar* o = out.data() + start;
    qsizetype k = 0;
    qsizetype i = 0;
    auto fault = [&] {
        if (bad)
            bad->push_back(base + start + k);
        o[k++] = QChar(kReplacement);
    };
    while (i < n) {
        const uchar b = p[i];
        if (b < 0x80) {
            o[k++] = QChar(b);
            ++i;
            continue;
        }
        int need = 0;
        char32_t cp = 0;
        uchar lo = 0x80;
        uchar hi = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            need = 1;
            cp = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            need = 2;
            cp = b & 0x0F;
            if (b == 0xE0)
                lo = 0xA0;
            if (b == 0xED)
                hi = 0x9F; // no surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            need = 3;
            cp = b & 0x07;
            if (b == 0xF0)
                lo = 0x90;
            if (b == 0xF4)
                hi = 0x8F;
        } else {
            fault();
            ++i;
            continue;
        }
        int j = 1;
        bool ok = true;
        for (; j <= need; ++j) {
            if (i + j >= n) {
                if (!last) {
                    out.resize(start + k);
                    return i; // the rest comes with the next chunk
                }
                ok = false;
                break;
            }
            const uchar c = p[i + j];
            if (c < (j == 1 ? lo : 0x80) || c > (j == 1 ? hi : 0xBF)) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) {
            fault();
            i += j; // the lead byte and the valid continuation bytes before the fault
            continue;
        }
        if (cp >= 0x10000) {
            o[k++] = QChar::highSurrogate(cp);
            o[k++] = QChar::lowSurrogate(cp);
        } else {
            o[k++] = QChar(char16_t(cp));
        }
        i += need + 1;
    }
    out.resize(start + k);
    return n;
}

qsizetype decodeUtf16(const uchar* p, qsizetype n, bool last, bool littleEndian, QString& out,
                      std::vector<qint64>* bad, qint64 base)
{
    const qsizetype start = out.size();
    out.resize(start + n / 2 + 1);
    QChar* o = out.data() + start;
    qsizetype k = 0;
    qsizetype i = 0;
    auto unit = [&](qsizetype at) -> char16_t {
        return littleEndian ? char16_t(p[at] | (p[at + 1] << 8))
                            : char16_t((p[at] << 8) | p[at + 1]);
    };
    auto fault = [&] {
        if (bad)
            bad->push_back(base + start + k);
        o[k++] = QChar(kReplacement);
    };
    while (i + 1 < n) {
        const char16_t u = unit(i);
        if (QChar::isHighSurrogate(u)) {
            if (i + 3 >= n) {
                if (!last)
                    break;
                fault();
                i += 2;
                continue;
            }
            const char16_t v = unit(i + 2);
            if (QChar::isLowSurrogate(v)) {
                o[k++] = QChar(u);
                o[k++] = QChar(v);
                i += 4;
            } else {
                fault();
                i += 2;
            }
        } else if (QChar::isLowSurrogate(u)) {
            fault();
            i += 2;
        } else {
            o[k++] = QChar(u);
            i += 2;
        }
    }
    if (i < n && last) {
        // An odd byte at the very end, or a cut surrogate pair.
        fault();
        i = n;
    }
    out.resize(start + k);
    return i;
}

void decodeWindows1252(const uchar* p, qsizetype n, QString& out)
{
    const qsizetype start = out.size();
    out.resize(start + n);
    QChar* o = out.data() + start;
    for (qsizetype i = 0; i < n; ++i) {
        const uchar b = p[i];
        o[i] = (b >= 0x80 && b <= 0x9F) ? QChar(kWindows1252[b - 0x80]) : QChar(b);
    }
}

qsizetype decodeBytes(Encoding encoding, const QByteArray& bytes, bool last, QString& out,
                      std::vector<qint64>* bad, qint64 base)
{
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    switch (encoding) {
    case Encoding::Utf8:
        return decodeUtf8(p, bytes.size(), last, out, bad, base);
    case Encoding::Utf16LE:
        return decodeUtf16(p, bytes.size(), last, true, out, bad, base);
    case Encoding::Utf16BE:
        return decodeUtf16(p, bytes.size(), last, false, out, bad, base);
    case Encoding::Windows1252:
        decodeWindows1252(p, bytes.size(), out);
        return bytes.size();
    }
    return bytes.size();
}

QByteArray byteOrderMark(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8:
        return QByteArray("\xEF\xBB\xBF", 3);
    case Encoding::Utf16LE:
        return QByteArray("\xFF\xFE", 2);
    case Encoding::Utf16BE:
        return QByteArray("\xFE\xFF", 2);
    case Encoding::Windows1252:
        break;
    }
    return QByteArray();
}

// Characters that no text file holds: control characters but tab, line feed, vertical tab,
// form feed, carriage return and the old end-of-file mark.
bool isBinaryCharacter(char16_t c)
{
    if (c < 0x20)
        return c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r' && c != 0x1A;
    return c == 0x7F;
}

// UTF-16 without a byte order mark: ASCII text has a zero byte in every other place.
std::optional<Encoding> utf16ByZeros(const QByteArray& head)
{
    const qsizetype n = std::min<qsizetype>(head.size(), 4096) & ~qsizetype(1);
    if (n < 4)
        return std::nullopt;
    qsizetype evenZeros = 0;
    qsizetype oddZeros = 0;
    for (qsizetype i = 0; i < n; i += 2) {
        evenZeros += head[i] == 0;
        oddZeros += head[i + 1] == 0;
    }
    const qsizetype units = n / 2;
    if (oddZeros * 10 >= units * 3 && evenZeros * 20 < units)
        return Encoding::Utf16LE;
    if (evenZeros * 10 >= units * 3 && oddZeros * 20 < units)
        return Encoding::Utf16BE;
    return std::nullopt;
}

// True when every byte of the device (from the start) is UTF-8. Otherwise `misfit` gets the line
// of the first byte that is not when the text holds UTF-8 characters beyond ASCII too (a UTF-8
// file with a stray byte), else 0.
bool wholeDeviceIsUtf8(QIODevice& device, bool& readFailed, qint64* misfit)
{
    qint64 lines = 1;
    bool beyondAscii = false;
    readFailed = false;
    if (!device.seek(0)) {
        readFailed = true;
        return false;
    }
    QByteArray chunk(kChunk, Qt::Uninitialized);
    QByteArray carry;
    QString scratch;
    std::vector<qint64> bad;
    for (;;) {
        const qint64 got = device.read(chunk.data(), kChunk);
        if (got < 0) {
            readFailed = true;
            return false;
        }
        const bool last = got == 0;
        QByteArray data = carry + QByteArray::fromRawData(chunk.constData(), got);
        scratch.clear();
        const qsizetype used = decodeBytes(Encoding::Utf8, data, last, scratch, &bad, 0);
        // Lines up to the first fault; characters beyond ASCII anywhere in the chunk.
        const qsizetype firstBad = bad.empty() ? scratch.size() : qsizetype(bad.front());
        size_t nextBad = 0;
        for (qsizetype i = 0; i < scratch.size(); ++i) {
            if (nextBad < bad.size() && qsizetype(bad[nextBad]) == i) {
                ++nextBad;
                continue;
            }
            lines += i < firstBad && scratch[i] == QLatin1Char('\n');
            beyondAscii = beyondAscii || scratch[i].unicode() > 0x7F;
        }
        if (!bad.empty()) {
            if (misfit && beyondAscii)
                *misfit = lines;
            return false;
        }
        carry = data.mid(used);
        if (last)
            return true;
    }
}

} // namespace

QString encodingName(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8:
        return QStringLiteral("UTF-8");
    case Encoding::Utf16LE:
        return QStringLiteral("UTF-16 LE");
    case Encoding::Utf16BE:
        return QStringLiteral("UTF-16 BE");
    case Encoding::Windows1252:
        return QStringLiteral("Windows-1252");
    }
    return QString();
}

std::optional<Encoding> encodingFromName(const QString& name)
{
    QString key = name.trimmed().toLower();
    key.remove(QLatin1Char('-')).remove(QLatin1Char('_')).remove(QLatin1Char(' '));
    if (key == QLatin1String("utf8"))
        return Encoding::Utf8;
    if (key == QLatin1String("utf16le") || key == QLatin1String("utf16"))
        return Encoding::Utf16LE;
    if (key == QLatin1String("utf16be"))
        return Encoding::Utf16BE;
    if (key == QLatin1String("windows1252") || key == QLatin1String("cp1252") ||
        key == QLatin1String("latin1") || key == QLatin1String("ansi"))
        return Encoding::Windows1252;
    return std::nullopt;
}

QString separatorName(QChar separator)
{
    if (separator == QLatin1Char(','))
        return QStringLiteral("comma");
    if (separator == QLatin1Char(';'))
        return QStringLiteral("semicolon");
    if (separator == QLatin1Char('\t'))
        return QStringLiteral("tab");
    return QStringLiteral("\"%1\"").arg(separator);
}

std::optional<QChar> separatorFromName(const QString& name)
{
    const QString key = name.toLower();
    if (key == QLatin1String("comma"))
        return QLatin1Char(',');
    if (key == QLatin1String("semicolon"))
        return QLatin1Char(';');
    if (key == QLatin1String("tab") || name == QLatin1String("\\t"))
        return QLatin1Char('\t');
    if (name.size() == 1 && name[0] != QLatin1Char('"') && name[0] != QLatin1Char('\n') &&
        name[0] != QLatin1Char('\r'))
        return name[0];
    return std::nullopt;
}

const QList<QChar>& separators()
{
    static const QList<QChar> all{QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')};
    return all;
}

bool Record::isBlank() const
{
    return fields.size() == 1 && fields.first().isEmpty() && !quoted.front();
}

bool Record::isEmpty() const
{
    return std::all_of(fields.cbegin(), fields.cend(),
                       [](const QString& f) { return f.trimmed().isEmpty(); });
}

// ---- Sniffing ----

Sniff sniffFile(const QString& path)
{
    Sniff result;
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (path.isEmpty()) {
        result.problem = QCoreApplication::translate("Csv", "No file is named.");
        return result;
    }
    if (!info.exists()) {
        result.problem =
            QCoreApplication::translate("Csv", "The file %1 does not exist.").arg(shown);
        return result;
    }
    if (info.isDir()) {
        result.problem =
            QCoreApplication::translate("Csv", "%1 is a folder, not a file.").arg(shown);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.problem = QCoreApplication::translate("Csv", "The file %1 cannot be read: %2.")
                             .arg(shown, file.errorString());
        return result;
    }
    return sniff(file, shown);
}

Sniff sniff(QIODevice& device, const QString& shownName)
{
    Sniff result;
    result.size = device.size();
    if (!device.seek(0)) {
        result.problem = QCoreApplication::translate("Csv", "The file %1 cannot be read: %2.")
                             .arg(shownName, device.errorString());
        return result;
    }
    QByteArray head(kSample, Qt::Uninitialized);
    const qint64 got = device.read(head.data(), kSample);
    if (got < 0) {
        result.problem = QCoreApplication::translate("Csv", "The file %1 cannot be read: %2.")
                             .arg(shownName, device.errorString());
        return result;
    }
    head.resize(got);
    const bool complete = got < kSample || got == result.size;

    qsizetype bomLength = 0;
    if (head.startsWith("\xEF\xBB\xBF")) {
        result.encoding = Encoding::Utf8;
        bomLength = 3;
    } else if (head.startsWith(QByteArray("\xFF\xFE\x00\x00", 4)) ||
               head.startsWith(QByteArray("\x00\x00\xFE\xFF", 4))) {
        result.kind = Sniff::Kind::Binary;
        result.problem = QCoreApplication::translate(
                             "Csv", "The file %1 is UTF-32 text, which cannot be imported. "
                                    "Save it as UTF-8 and try again.")
                             .arg(shownName);
        return result;
    } else if (head.startsWith("\xFF\xFE")) {
        result.encoding = Encoding::Utf16LE;
        bomLength = 2;
    } else if (head.startsWith("\xFE\xFF")) {
        result.encoding = Encoding::Utf16BE;
        bomLength = 2;
    }
    result.byteOrderMark = bomLength > 0;
    if (head.size() == bomLength && complete) {
        result.kind = Sniff::Kind::Empty;
        result.problem =
            bomLength == 0
                ? QCoreApplication::translate("Csv", "The file %1 is empty.").arg(shownName)
                : QCoreApplication::translate("Csv", "The file %1 holds no text (only a byte order "
                                                     "mark).")
                      .arg(shownName);
        return result;
    }
    if (!result.byteOrderMark) {
        if (const auto utf16 = utf16ByZeros(head)) {
            result.encoding = *utf16;
        } else {
            bool readFailed = false;
            qint64 misfit = 0;
            const bool utf8 = wholeDeviceIsUtf8(device, readFailed, &misfit);
            if (readFailed) {
                result.problem =
                    QCoreApplication::translate("Csv", "The file %1 cannot be read: %2.")
                        .arg(shownName, device.errorString());
                return result;
            }
            result.encoding = utf8 ? Encoding::Utf8 : Encoding::Windows1252;
            if (misfit > 0) {
                result.encoding = Encoding::Utf8;
                result.misfitLine = misfit;
                result.problem =
                    QCoreApplication::translate(
                        "Csv", "The file %1 is UTF-8 text except line %2, which holds bytes "
                               "that are not UTF-8. Nothing was imported: choose the "
                               "encoding to read the whole file with (UTF-8 leaves such "
                               "rows out, Windows-1252 reads every UTF-8 character as "
                               "two or three others).")
                        .arg(shownName)
                        .arg(misfit);
            }
        }
    }

    QString text;
    decodeBytes(result.encoding, head.mid(bomLength), true, text, nullptr, 0);
    qsizetype control = 0;
    for (const QChar c : text)
        control += isBinaryCharacter(c.unicode());
    // More than one in a hundred: a text may hold a stray control character, a binary file
    // holds them everywhere.
    if (control > 0 && control > text.size() / 100) {
        result.kind = Sniff::Kind::Binary;
        result.problem = QCoreApplication::translate(
                             "Csv", "The file %1 is not a text file: it holds binary data "
                                    "(control characters or zero bytes), so it cannot be a "
                                    "CSV file.")
                             .arg(shownName);
        return result;
    }
    result.separator = guessSeparator(text, complete);
    result.kind = Sniff::Kind::Text;
    return result;
}

QChar guessSeparator(const QString& sample, bool complete)
{
    const QByteArray bytes = sample.toUtf8();
    QChar best = QLatin1Char(',');
    qsizetype bestMatching = 0;
    int bestFields = 1;
    for (const QChar separator : separators()) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        Reader reader(buffer, Encoding::Utf8, separator);
        QList<int> counts;
        Record record;
        while (counts.size() <= kSampleRecords && reader.next(record)) {
            if (!record.isBlank())
                counts << int(record.fields.size());
        }
        if (!complete && counts.size() > 1)
            counts.removeLast(); // may be cut by the end of the sample
        if (counts.size() > kSampleRecords)
            counts.removeLast();
        // The field count most records have, and how many have it.
        QList<int> sorted = counts;
        std::sort(sorted.begin(), sorted.end());
        int mode = 1;
        qsizetype matching = 0;
        for (qsizetype i = 0; i < sorted.size();) {
            qsizetype j = i;
            while (j < sorted.size() && sorted[j] == sorted[i])
                ++j;
            if (j - i > matching || (j - i == matching && sorted[i] > mode)) {
                matching = j - i;
                mode = sorted[i];
            }
            i = j;
        }
        if (mode <= 1)
            continue;
        if (matching > bestMatching || (matching == bestMatching && mode > bestFields)) {
            best = separator;
            bestMatching = matching;
            bestFields = mode;
        }
    }
    return best;
}

// ---- Reader ----

Reader::Reader(QIODevice& device, Encoding encoding, QChar separator)
    : m_device(device), m_encoding(encoding), m_separator(separator)
{
}

Reader::~Reader() = default;

void Reader::decode(const QByteArray& bytes, bool last)
{
    const qsizetype used = decodeBytes(m_encoding, bytes, last, m_buffer, &m_badOffsets, m_dropped);
    m_carry = used < bytes.size() ? bytes.mid(used) : QByteArray();
}

bool Reader::fill()
{
    if (m_deviceDone)
        return false;
    // Drop what was used, so the buffer holds little more than one chunk.
    if (m_pos > 0) {
        m_buffer.remove(0, m_pos);
        m_dropped += m_pos;
        m_pos = 0;
    }
    const qsizetype before = m_buffer.size();
    while (m_buffer.size() == before && !m_deviceDone) {
        QByteArray chunk(kChunk, Qt::Uninitialized);
        const qint64 got = m_device.read(chunk.data(), kChunk);
        if (got < 0) {
            m_error = m_device.errorString();
            if (m_error.isEmpty())
                m_error = QCoreApplication::translate("Csv", "read error");
            m_deviceDone = true;
            return false;
        }
        if (got == 0) {
            m_deviceDone = true;
            if (!m_carry.isEmpty())
                decode(m_carry, true);
            break;
        }
        m_bytesRead += got;
        chunk.resize(got);
        QByteArray data = m_carry.isEmpty() ? chunk : m_carry + chunk;
        if (!m_started) {
            const QByteArray mark = byteOrderMark(m_encoding);
            if (data.size() < mark.size() && mark.startsWith(data)) {
                m_carry = data; // too short to tell yet
                continue;
            }
            m_started = true;
            if (!mark.isEmpty() && data.startsWith(mark))
                data.remove(0, mark.size());
        }
        decode(data, false);
    }
    return m_buffer.size() > before;
}

bool Reader::ensure(qsizetype count)
{
    while (m_buffer.size() - m_pos < count) {
        if (!fill())
            return m_buffer.size() - m_pos >= count;
    }
    return true;
}

// The record being read and its field so far.
struct Reader::Field {
    Field(Record& forRecord, qsizetype longest) : record(forRecord), maxLength(longest) {}

    Record& record;
    qsizetype maxLength;
    QString text;
    bool quoted = false;
    bool tooLong = false;
    bool prevCR = false; // inside quotes: the last character was a carriage return

    void addProblem(const QString& problem)
    {
        if (record.problem.contains(problem))
            return;
        if (!record.problem.isEmpty())
            record.problem += QStringLiteral("; ");
        record.problem += problem;
    }
    void append(const QChar* characters, qsizetype length)
    {
        if (tooLong || length <= 0)
            return;
        if (text.size() + length > maxLength) {
            text.append(characters, maxLength - text.size());
            tooLong = true;
            addProblem(QCoreApplication::translate("Csv", "field %1 is longer than %2 characters")
                           .arg(record.fields.size() + 1)
                           .arg(maxLength));
            return;
        }
        text.append(characters, length);
    }
    void end()
    {
        record.fields.append(std::move(text));
        record.quoted.push_back(quoted);
        text = QString();
        quoted = false;
        tooLong = false;
    }
};

bool Reader::next(Record& record)
{
    record.fields.clear();
    record.quoted.clear();
    record.problem.clear();
    record.unclosedQuote = false;
    if (!m_error.isEmpty() || !ensure(1))
        return false;
    record.line = m_line;
    const qint64 startOffset = m_dropped + m_pos;

    Field field(record, m_maxField);
    State state = State::Start;
    bool ended = false;
    while (!ended) {
        if (m_pos >= m_buffer.size() && !fill()) {
            if (!m_error.isEmpty())
                return false;
            endAtEndOfData(field, state == State::Quoted);
            break;
        }
        switch (state) {
        case State::Start:
            state = startField(field);
            break;
        case State::Unquoted:
        case State::AfterQuote:
            ended = readUnquoted(field, state);
            break;
        case State::Quoted:
            state = readQuoted(field);
            break;
        }
    }
    noteBadBytes(field, startOffset);
    return true;
}

void Reader::endAtEndOfData(Field& field, bool inQuotes)
{
    field.record.unclosedQuote = inQuotes;
    if (inQuotes)
        field.addProblem(
            QCoreApplication::translate("Csv", "the quote that opens field %1 is not closed before "
                                               "the end of the file")
                .arg(field.record.fields.size() + 1));
    field.end();
    field.record.lastLine = m_line;
}

Reader::State Reader::startField(Field& field)
{
    if (m_buffer[m_pos] != QLatin1Char('"'))
        return State::Unquoted;
    field.quoted = true;
    ++m_pos;
    field.prevCR = false;
    return State::Quoted;
}

bool Reader::readUnquoted(Field& field, State& state)
{
    const QChar* d = m_buffer.constData();
    const qsizetype n = m_buffer.size();
    const qsizetype i = m_pos;
    qsizetype j = i;
    while (j < n && d[j] != m_separator && d[j] != QLatin1Char('\n') && d[j] != QLatin1Char('\r'))
        ++j;
    if (state == State::AfterQuote && j > i)
        field.addProblem(
            QCoreApplication::translate("Csv", "text follows the closing quote of field %1")
                .arg(field.record.fields.size() + 1));
    field.append(d + i, j - i);
    m_pos = j;
    if (j == n)
        return false; // more text is needed
    const QChar c = d[j];
    m_pos = j + 1;
    field.end();
    if (c == m_separator) {
        state = State::Start;
        return false;
    }
    if (c == QLatin1Char('\r') && ensure(1) && m_buffer[m_pos] == QLatin1Char('\n'))
        ++m_pos;
    field.record.lastLine = m_line;
    ++m_line;
    return true;
}

Reader::State Reader::readQuoted(Field& field)
{
    const QChar* d = m_buffer.constData();
    const qsizetype n = m_buffer.size();
    const qsizetype i = m_pos;
    qsizetype j = i;
    for (; j < n; ++j) {
        const char16_t c = d[j].unicode();
        if (c == '"')
            break;
        if (c == '\n') {
            if (!field.prevCR)
                ++m_line;
            field.prevCR = false;
        } else if (c == '\r') {
            ++m_line;
            field.prevCR = true;
        } else {
            field.prevCR = false;
        }
    }
    field.append(d + i, j - i);
    m_pos = j;
    if (j == n)
        return State::Quoted; // more text is needed
    m_pos = j + 1;            // past the quote
    field.prevCR = false;
    if (ensure(1) && m_buffer[m_pos] == QLatin1Char('"')) {
        const QChar quote(QLatin1Char('"'));
        field.append(&quote, 1);
        ++m_pos;
        return State::Quoted;
    }
    return State::AfterQuote;
}

void Reader::noteBadBytes(Field& field, qint64 startOffset)
{
    const qint64 endOffset = m_dropped + m_pos;
    while (m_nextBad < m_badOffsets.size() && m_badOffsets[m_nextBad] < endOffset) {
        if (m_badOffsets[m_nextBad] >= startOffset)
            field.addProblem(
                QCoreApplication::translate("Csv", "it holds bytes that are not %1 text")
                    .arg(encodingName(m_encoding)));
        ++m_nextBad;
    }
    if (m_nextBad > 4096) {
        m_badOffsets.erase(m_badOffsets.begin(), m_badOffsets.begin() + qsizetype(m_nextBad));
        m_nextBad = 0;
    }
}

QList<Record> parse(const QByteArray& bytes, Encoding encoding, QChar separator)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    Reader reader(buffer, encoding, separator);
    QList<Record> records;
    Record record;
    while (reader.next(record))
        records << record;
    return records;
}

// ---- Writer ----

Writer::Writer(QIODevice& device, QChar separator) : m_device(device), m_separator(separator) {}

Writer::~Writer() = default;

QString Writer::quotedIfNeeded(const QString& text, QChar separator)
{
    if (text.isEmpty())
        return QStringLiteral("\"\""); // the empty text; a Null is an unquoted empty field
    bool needs = text.front().isSpace() || text.back().isSpace();
    for (qsizetype i = 0; !needs && i < text.size(); ++i) {
        const QChar c = text[i];
        needs = c == separator || c == QLatin1Char('"') || c == QLatin1Char('\n') ||
                c == QLatin1Char('\r');
    }
    if (!needs)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString Writer::field(const QVariant& value, QChar separator)
{
    // A Null is an empty field; any value, the empty text too, is written (quoted where needed).
    if (!value.isValid() || value.isNull())
        return QString();
    return quotedIfNeeded(textmatch::valueText(value), separator);
}

namespace
{
// The length of the apostrophes in front of a character a spreadsheet starts a formula with; -1
// when the text does not begin so.
qsizetype formulaStart(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char('\''))
        ++i;
    if (i >= text.size())
        return -1;
    const QChar c = text[i];
    return c == QLatin1Char('=') || c == QLatin1Char('+') || c == QLatin1Char('-') ||
                   c == QLatin1Char('@') || c == QLatin1Char('\t') || c == QLatin1Char('\r')
               ? i
               : -1;
}
} // namespace

QString protectForSpreadsheet(const QString& text)
{
    return formulaStart(text) >= 0 ? QLatin1Char('\'') + text : text;
}

QString unprotectFromSpreadsheet(const QString& text)
{
    return formulaStart(text) > 0 ? text.mid(1) : text;
}

void Writer::append(const QString& line)
{
    if (!m_started) {
        m_pending.append("\xEF\xBB\xBF");
        m_started = true;
    }
    m_pending.append(line.toUtf8());
    m_pending.append("\r\n");
    if (m_pending.size() >= kChunk * 4)
        flush();
}

void Writer::writeRecord(const QList<QVariant>& values)
{
    m_line.clear();
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            m_line += m_separator;
        m_line += m_protect && values[i].typeId() == QMetaType::QString
                      ? quotedIfNeeded(protectForSpreadsheet(values[i].toString()), m_separator)
                      : field(values[i], m_separator);
    }
    append(m_line);
}

void Writer::writeRecord(const QStringList& texts)
{
    m_line.clear();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i > 0)
            m_line += m_separator;
        m_line += quotedIfNeeded(texts[i], m_separator);
    }
    append(m_line);
}

bool Writer::flush()
{
    if (!m_error.isEmpty())
        return false;
    if (!m_started) {
        m_pending.append("\xEF\xBB\xBF");
        m_started = true;
    }
    if (!m_pending.isEmpty()) {
        if (m_device.write(m_pending) != m_pending.size()) {
            m_error = m_device.errorString();
            if (m_error.isEmpty())
                m_error = QCoreApplication::translate("Csv", "write error");
            return false;
        }
        m_pending.clear();
    }
    return true;
}

} // namespace csv
