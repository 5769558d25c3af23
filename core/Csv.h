// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <vector>

class QIODevice;

// Comma-separated text as RFC 4180 describes it, read and written without any window code.
//
// Reading:
// - Encodings: UTF-8 (with or without byte order mark), UTF-16 little or big endian (with a byte
//   order mark, or recognised by its zero bytes), Windows-1252. sniff() tells which one a file
//   uses, and whether it is text at all.
// - A record ends at CR LF, LF or a lone CR outside quotes; a separator (comma, semicolon or tab)
//   ends a field. A field in double quotes may hold separators, line breaks (kept as they are)
//   and doubled quotes (read as one). A quote inside an unquoted field is kept as text.
// - Faults never stop the reading; the record says what was wrong (Record::problem) and reading
//   goes on with the next one: text after a closing quote, a quote not closed before the end of
//   the file, bytes that are not of the encoding, a field longer than the limit.
// Writing: UTF-8 with byte order mark, CR LF after each record, fields quoted only when needed,
// and the empty text always quoted so it stays apart from a Null (an unquoted empty field).
namespace csv
{

enum class Encoding { Utf8, Utf16LE, Utf16BE, Windows1252 };

// "UTF-8", "UTF-16 LE", "UTF-16 BE", "Windows-1252".
QString encodingName(Encoding encoding);
// Reads "utf-8", "utf8", "utf-16le", "utf-16be", "windows-1252", "cp1252", "latin1" (any case).
std::optional<Encoding> encodingFromName(const QString& name);
// "comma", "semicolon", "tab", or the character in quotes.
QString separatorName(QChar separator);
// Reads "comma", "semicolon", "tab" or a single character.
std::optional<QChar> separatorFromName(const QString& name);
// The separators that are looked for, in order of preference.
const QList<QChar>& separators();

// What a file looks like from its bytes.
struct Sniff {
    enum class Kind {
        Text,       // readable with `encoding` and `separator`
        Empty,      // no bytes, or a byte order mark alone
        Binary,     // control characters or zero bytes: not a text file
        Unreadable, // missing, a folder, no permission, read error
    };
    Kind kind = Kind::Unreadable;
    Encoding encoding = Encoding::Utf8;
    bool byteOrderMark = false;
    QChar separator = QLatin1Char(',');
    qint64 size = 0;
    QString problem; // in words, for every kind but Text
    // A file of UTF-8 text with a line that is not UTF-8 (a stray byte): it fits no encoding as
    // a whole, so none is decided for it. The first such line (the first is 1); `problem` says
    // so. The encoding is then UTF-8, to be confirmed or changed by the user.
    qint64 misfitLine = 0;
};

// Looks at the whole file (UTF-8 validity) and at its first 64 KB (text or not, separator).
Sniff sniffFile(const QString& path);
// The same on a device open for reading; it is read from the start.
Sniff sniff(QIODevice& device, const QString& shownName);

// The separator that splits the records of a sample into the same number of fields most often.
// `complete`: the sample is the whole file (else its last record may be cut and is not counted).
QChar guessSeparator(const QString& sample, bool complete);

// One record: its fields, which of them were quoted, and where it stands in the file.
struct Record {
    QStringList fields;
    std::vector<bool> quoted;   // per field: written in double quotes
    qint64 line = 0;            // line of the file where the record begins (the first is 1)
    qint64 lastLine = 0;        // line where it ends (a quoted line break makes it span lines)
    QString problem;            // empty when the record was read as RFC 4180 says
    bool unclosedQuote = false; // a quote not closed before the end of the file: the rest of
                                // the file is this record's last field

    // A record of one unquoted empty field: an empty line.
    bool isBlank() const;
    // Every field empty (after blanks are trimmed).
    bool isEmpty() const;
};

// Spreadsheets run a cell that begins with =, +, -, @, tab or CR as a formula. A text protected
// for them has the usual leading apostrophe: every text that begins with such a character, or
// with apostrophes before one, gets one more apostrophe in front. unprotectFromSpreadsheet()
// takes exactly that apostrophe away again, so the two give back every text.
QString protectForSpreadsheet(const QString& text);
QString unprotectFromSpreadsheet(const QString& text);

// Reads records from a device one at a time, in chunks, so a file of any size takes little
// memory. The byte order mark of the encoding at the very start is skipped.
class Reader
{
public:
    static constexpr qsizetype DefaultMaxFieldLength = 16 * 1024 * 1024; // characters

    Reader(QIODevice& device, Encoding encoding, QChar separator);
    ~Reader();
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    // A longer field is cut to this many characters and its record gets a problem.
    void setMaxFieldLength(qsizetype characters) { m_maxField = characters; }

    // The next record; false at the end of the file or when the device failed (see error()).
    bool next(Record& record);
    // Bytes taken from the device so far.
    qint64 bytesRead() const { return m_bytesRead; }
    // The device's failure, in words; empty when it read well.
    const QString& error() const { return m_error; }

private:
    bool fill();            // decodes more text into the buffer; false at the end of the data
    bool ensure(qsizetype); // at least this many characters from m_pos, when the data has them
    void decode(const QByteArray& bytes, bool last);

    // The steps of next(): a field begins, runs unquoted (or after its closing quote) up to a
    // separator or line end, runs inside quotes, or meets the end of the data; then the record
    // gets a problem for each undecodable byte in it.
    struct Field;
    enum class State { Start, Unquoted, Quoted, AfterQuote };
    State startField(Field& field);
    bool readUnquoted(Field& field, State& state); // true when the record ended
    State readQuoted(Field& field);
    void endAtEndOfData(Field& field, bool inQuotes);
    void noteBadBytes(Field& field, qint64 startOffset);

    QIODevice& m_device;
    Encoding m_encoding;
    QChar m_separator;
    qsizetype m_maxField = DefaultMaxFieldLength;

    QString m_buffer; // decoded text not yet consumed (from m_pos)
    qsizetype m_pos = 0;
    qint64 m_dropped = 0;   // characters dropped from the front of the buffer so far
    QByteArray m_carry;     // undecoded bytes of a sequence cut by the chunk end
    bool m_started = false; // the byte order mark was looked for
    bool m_deviceDone = false;
    qint64 m_bytesRead = 0;
    qint64 m_line = 1;
    std::vector<qint64> m_badOffsets; // character offsets of undecodable bytes, ascending
    size_t m_nextBad = 0;
    QString m_error;
};

// Reads every record of a text held in memory.
QList<Record> parse(const QByteArray& bytes, Encoding encoding, QChar separator);

// Writes records as UTF-8 with a byte order mark, buffered; check ok() after flush().
class Writer
{
public:
    explicit Writer(QIODevice& device, QChar separator = QLatin1Char(','));
    // Texts protected for spreadsheets (see protectForSpreadsheet); off: written as they are.
    void setSpreadsheetProtection(bool on) { m_protect = on; }
    ~Writer();
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // An invalid or Null QVariant is written as an unquoted empty field; numbers as numbers;
    // everything else as text.
    void writeRecord(const QList<QVariant>& values);
    void writeRecord(const QStringList& texts);
    bool flush();
    bool ok() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }

    // One field as it is written.
    static QString field(const QVariant& value, QChar separator);
    static QString quotedIfNeeded(const QString& text, QChar separator);

private:
    void append(const QString& line);

    QIODevice& m_device;
    QChar m_separator;
    QByteArray m_pending;
    QString m_line;
    bool m_started = false;
    bool m_protect = false;
    QString m_error;
};

} // namespace csv
