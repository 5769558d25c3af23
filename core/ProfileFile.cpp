// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ProfileFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <utility>
#include <vector>

namespace
{

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// One physical line of the file: its bytes without the line end, and the line end itself
// ("\r\n", "\n", or empty for a last line without one). Lines that are not touched by a write
// go back out exactly as they came in.
struct Line {
    QByteArray content;
    QByteArray end;
};

// The whole file, split into lines, with the byte-order mark (if any) kept aside.
struct ProfileText {
    QByteArray bom;
    std::vector<Line> lines;
    QByteArray lineEnd = "\n"; // the style for lines the writer adds
};

ProfileText splitLines(QByteArray data)
{
    ProfileText text;
    if (data.startsWith(kUtf8Bom)) {
        text.bom = kUtf8Bom;
        data.remove(0, kUtf8Bom.size());
    }
    bool styleKnown = false;
    qsizetype start = 0;
    while (start < data.size()) {
        const qsizetype newline = data.indexOf('\n', start);
        Line line;
        if (newline < 0) {
            line.content = data.mid(start);
            start = data.size();
        } else {
            qsizetype contentEnd = newline;
            if (contentEnd > start && data.at(contentEnd - 1) == '\r')
                --contentEnd;
            line.content = data.mid(start, contentEnd - start);
            line.end = data.mid(contentEnd, newline + 1 - contentEnd);
            if (!styleKnown) {
                text.lineEnd = line.end;
                styleKnown = true;
            }
            start = newline + 1;
        }
        text.lines.push_back(std::move(line));
    }
    return text;
}

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    QString name;          // section or key name, trimmed
    qsizetype equals = -1; // byte position of the "=" in a key line
};

ParsedLine parseLine(const QByteArray& content)
{
    ParsedLine parsed;
    const QByteArray trimmed = content.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(';') || trimmed.startsWith('#'))
        return parsed;
    if (trimmed.startsWith('[')) {
        qsizetype close = trimmed.indexOf(']');
        if (close < 0)
            close = trimmed.size();
        parsed.kind = LineKind::Section;
        parsed.name = QString::fromUtf8(trimmed.mid(1, close - 1)).trimmed();
        return parsed;
    }
    const qsizetype equals = content.indexOf('=');
    if (equals < 0)
        return parsed;
    parsed.name = QString::fromUtf8(content.left(equals)).trimmed();
    if (parsed.name.isEmpty())
        return parsed;
    parsed.kind = LineKind::Key;
    parsed.equals = equals;
    return parsed;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where section/key sits in the file. Only the first section of that name counts, and in it the
// first line of that key, as with the Windows profile calls.
struct Location {
    int section = -1;     // index of the section header line
    int key = -1;         // index of the key line
    int lastKeyLine = -1; // last key line of the section (or the header when it has none)
};

Location locate(const ProfileText& text, const QString& section, const QString& key)
{
    Location where;
    bool inSection = false;
    for (int i = 0; i < static_cast<int>(text.lines.size()); ++i) {
        const ParsedLine parsed = parseLine(text.lines[i].content);
        if (parsed.kind == LineKind::Section) {
            if (inSection)
                break;
            if (sameName(parsed.name, section)) {
                inSection = true;
                where.section = i;
                where.lastKeyLine = i;
            }
        } else if (inSection && parsed.kind == LineKind::Key) {
            where.lastKeyLine = i;
            if (where.key < 0 && sameName(parsed.name, key))
                where.key = i;
        }
    }
    return where;
}

QString valueOf(const QByteArray& content, qsizetype equals)
{
    QString value = QString::fromUtf8(content.mid(equals + 1)).trimmed();
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        value = value.mid(1, value.size() - 2);
    return value;
}

// The text to store for `value` so that reading it back gives `value` again: blanks at either
// end, or a pair of enclosing quotes, would be taken off on reading, so such a value is quoted.
QByteArray storedValue(const QString& value)
{
    const bool needsQuotes =
        value != value.trimmed() || (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
                                     value.endsWith(QLatin1Char('"')));
    const QByteArray utf8 = value.toUtf8();
    return needsQuotes ? '"' + utf8 + '"' : utf8;
}

bool hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

ProfileFile::ProfileFile(QString path) : m_path(std::move(path)) {}

QString ProfileFile::read(const QString& section, const QString& key,
                          const QString& defaultValue) const
{
    QFile file(m_path);
    if (m_path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return defaultValue;
    const ProfileText text = splitLines(file.readAll());
    const Location where = locate(text, section, key);
    if (where.key < 0)
        return defaultValue;
    const Line& line = text.lines[where.key];
    return valueOf(line.content, parseLine(line.content).equals);
}

bool ProfileFile::write(const QString& section, const QString& key, const QString& value,
                        QString* error) const
{
    const QString shownPath = QDir::toNativeSeparators(m_path);
    if (m_path.isEmpty())
        return fail(error,
                    QCoreApplication::translate("ProfileFile", "No preferences file is named."));
    const QString trimmedSection = section.trimmed();
    const QString trimmedKey = key.trimmed();
    if (trimmedSection.isEmpty() || hasLineBreak(section) || section.contains(QLatin1Char(']')))
        return fail(error, QCoreApplication::translate("ProfileFile",
                                                       "The section name \"%1\" cannot be stored.")
                               .arg(section));
    if (trimmedKey.isEmpty() || hasLineBreak(key) || key.contains(QLatin1Char('=')) ||
        trimmedKey.startsWith(QLatin1Char(';')) || trimmedKey.startsWith(QLatin1Char('#')) ||
        trimmedKey.startsWith(QLatin1Char('[')))
        return fail(error, QCoreApplication::translate("ProfileFile",
                                                       "The key name \"%1\" cannot be stored.")
                               .arg(key));
    if (hasLineBreak(value))
        return fail(error,
                    QCoreApplication::translate(
                        "ProfileFile", "The value for \"%1\" contains a line break, which the "
                                       "preferences file cannot hold.")
                        .arg(key));

    const QFileInfo info(m_path);
    const QString folder = QDir::toNativeSeparators(info.absolutePath());
    if (!info.absoluteDir().exists())
        return fail(error,
                    QCoreApplication::translate("ProfileFile", "The folder %1 does not exist.")
                        .arg(folder));

    ProfileText text;
    if (info.exists()) {
        if (info.isDir())
            return fail(error,
                        QCoreApplication::translate("ProfileFile", "%1 is a folder, not a file.")
                            .arg(shownPath));
        // The owner's write bit is checked as well, so a read-only file stays untouched even
        // for a user whom the system would let write anyway.
        if (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner))
            return fail(error,
                        QCoreApplication::translate("ProfileFile", "The file %1 is read-only.")
                            .arg(shownPath));
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly))
            return fail(error,
                        QCoreApplication::translate("ProfileFile", "The file %1 cannot be read: %2")
                            .arg(shownPath, file.errorString()));
        text = splitLines(file.readAll());
    }

    const Location where = locate(text, trimmedSection, trimmedKey);
    const QByteArray newValue = storedValue(value);
    auto lineAfter = [&](int index, QByteArray content) {
        // Inserts a line after `index`; the new line takes over the end of the line before it,
        // so a file without a final line end still ends without one.
        Line& previous = text.lines[index];
        Line inserted{std::move(content), previous.end.isEmpty() ? QByteArray() : text.lineEnd};
        if (previous.end.isEmpty())
            previous.end = text.lineEnd;
        text.lines.insert(text.lines.begin() + index + 1, std::move(inserted));
    };

    if (where.key >= 0) {
        Line& line = text.lines[where.key];
        const qsizetype equals = parseLine(line.content).equals;
        qsizetype valueStart = equals + 1;
        // Keep the spelling of the key and the blanks after "=" as the file has them.
        while (valueStart < line.content.size() &&
               (line.content.at(valueStart) == ' ' || line.content.at(valueStart) == '\t'))
            ++valueStart;
        line.content = line.content.left(valueStart) + newValue;
    } else if (where.section >= 0) {
        lineAfter(where.lastKeyLine, trimmedKey.toUtf8() + '=' + newValue);
    } else {
        if (!text.lines.empty()) {
            Line& last = text.lines.back();
            if (last.end.isEmpty())
                last.end = text.lineEnd;
            if (!last.content.trimmed().isEmpty())
                text.lines.push_back(Line{QByteArray(), text.lineEnd});
        }
        text.lines.push_back(Line{'[' + trimmedSection.toUtf8() + ']', text.lineEnd});
        text.lines.push_back(Line{trimmedKey.toUtf8() + '=' + newValue, text.lineEnd});
    }

    QByteArray out = text.bom;
    for (const Line& line : text.lines)
        out += line.content + line.end;

    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error,
                    QCoreApplication::translate("ProfileFile", "The file %1 cannot be written: %2")
                        .arg(shownPath, file.errorString()));
    if (file.write(out) != out.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(error,
                    QCoreApplication::translate("ProfileFile", "The file %1 cannot be written: %2")
                        .arg(shownPath, reason));
    }
    if (!file.commit())
        return fail(error,
                    QCoreApplication::translate("ProfileFile", "The file %1 cannot be written: %2")
                        .arg(shownPath, file.errorString()));
    return true;
}
