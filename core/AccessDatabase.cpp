// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AccessDatabase.h"

#include "core/DbError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>

namespace accessdb
{
namespace
{

// Four-digit years; the tools' own default has two.
const QString kDateFormat = QStringLiteral("%Y-%m-%d %H:%M:%S");

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString toolPath(const QString& tool)
{
    const QString found = QStandardPaths::findExecutable(tool);
    if (found.isEmpty())
        throw DbError(
            DbError::Kind::NotFound,
            QCoreApplication::translate("AccessDatabase",
                                        "Reading Access databases needs the program %1 of the "
                                        "package mdbtools, which is not installed (apt-get install "
                                        "mdbtools).")
                .arg(tool));
    return found;
}

struct ToolRun {
    bool ok = false;
    bool stopped = false;
    QByteArray out;
    QString err;
};

// Runs one program to its end. `keepGoing` is asked while it runs; false ends it.
ToolRun runProgram(const QString& program, const QStringList& arguments,
                   const std::function<bool()>& keepGoing = {})
{
    const QString tool = QFileInfo(program).fileName();
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.start(QIODevice::ReadOnly);
    ToolRun run;
    if (!process.waitForStarted()) {
        run.err = process.errorString();
        return run;
    }
    while (!process.waitForFinished(100)) {
        run.out += process.readAllStandardOutput();
        if (process.state() == QProcess::NotRunning)
            break;
        if (keepGoing && !keepGoing()) {
            process.kill();
            process.waitForFinished();
            run.stopped = true;
            return run;
        }
    }
    run.out += process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError()).trimmed();
    run.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!run.ok && run.err.isEmpty())
        run.err =
            process.exitStatus() == QProcess::CrashExit
                ? QCoreApplication::translate("AccessDatabase", "%1 ended abnormally").arg(tool)
                : QCoreApplication::translate("AccessDatabase", "%1 ended with code %2")
                      .arg(tool)
                      .arg(process.exitCode());
    return run;
}

ToolRun runTool(const QString& tool, const QStringList& arguments,
                const std::function<bool()>& keepGoing = {})
{
    return runProgram(toolPath(tool), arguments, keepGoing);
}

// ardentry-mdb-read, which tells a table's Nulls from its empty texts: beside the program (a
// build folder), in <prefix>/libexec/ardentry (installed), else on the PATH; empty when it is
// not installed (or ARDENTRY_NO_MDB_READ is set).
QString nullReaderPath()
{
    if (qEnvironmentVariableIsSet("ARDENTRY_NO_MDB_READ"))
        return QString();
    const QString name = QStringLiteral("ardentry-mdb-read");
    QString found;
    if (QCoreApplication::instance()) {
        const QDir program(QCoreApplication::applicationDirPath());
        found = QStandardPaths::findExecutable(
            name, {program.path(), program.filePath(QStringLiteral("../libexec/ardentry"))});
    }
    return found.isEmpty() ? QStandardPaths::findExecutable(name) : found;
}

ColumnKind kindOf(const QString& type)
{
    if (type.startsWith(QLatin1String("Text")) || type.startsWith(QLatin1String("Memo")))
        return ColumnKind::Text;
    if (type.startsWith(QLatin1String("DateTime")))
        return ColumnKind::Date;
    if (type.startsWith(QLatin1String("OLE")) || type.startsWith(QLatin1String("Binary")))
        return ColumnKind::Binary;
    if (type.startsWith(QLatin1String("Unknown")))
        return ColumnKind::Complex;
    return ColumnKind::Number;
}

// The rows of mdb-export's output: fields separated by commas, rows by line feeds; texts and
// dates in double quotes (doubled inside), numbers bare, nothing at all for a Null.
class ExportReader
{
public:
    explicit ExportReader(const QByteArray& data) : m_data(data) {}

    bool atEnd() const { return m_at >= m_data.size(); }

    QVariantList next()
    {
        QVariantList fields;
        for (;;) {
            fields << field();
            if (m_at >= m_data.size())
                break;
            const char c = m_data[m_at++];
            if (c == '\n')
                break;
            // otherwise the comma before the next field
        }
        return fields;
    }

private:
    QVariant field()
    {
        if (m_at < m_data.size() && m_data[m_at] == '"') {
            QByteArray text;
            ++m_at;
            while (m_at < m_data.size()) {
                const char c = m_data[m_at++];
                if (c != '"') {
                    text += c;
                } else if (m_at < m_data.size() && m_data[m_at] == '"') {
                    text += '"';
                    ++m_at;
                } else {
                    break;
                }
            }
            return QString::fromUtf8(text);
        }
        const qsizetype start = m_at;
        while (m_at < m_data.size() && m_data[m_at] != ',' && m_data[m_at] != '\n')
            ++m_at;
        if (m_at == start)
            return QVariant();
        return QString::fromUtf8(m_data.mid(start, m_at - start));
    }

    const QByteArray& m_data;
    qsizetype m_at = 0;
};

} // namespace

bool isAccessPath(const QString& path)
{
    return path.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".accdb"), Qt::CaseInsensitive);
}

AccessFile::AccessFile(const QString& path) : m_path(path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw DbError(
            DbError::Kind::NotFound,
            QCoreApplication::translate("AccessDatabase", "The Access database %1 does not exist.")
                .arg(shown(path)));
    if (!info.isReadable())
        throw DbError(QCoreApplication::translate(
                          "AccessDatabase", "The Access database %1 cannot be read: no permission.")
                          .arg(shown(path)));
    const ToolRun version = runTool(QStringLiteral("mdb-ver"), {path});
    if (!version.ok)
        throw DbError(
            DbError::Kind::NotADatabase,
            QCoreApplication::translate("AccessDatabase",
                                        "%1 is not an Access database, or it is damaged (mdb-ver: "
                                        "%2).")
                .arg(shown(path), version.err));
    m_version = QString::fromUtf8(version.out).trimmed();
    const ToolRun tables = runTool(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), path});
    if (!tables.ok) {
        // Access 2007 and later encrypt every page of a file with a password; the tools read the
        // first page only and then find no list of tables.
        const QString why =
            m_version.startsWith(QLatin1String("ACE"))
                ? QCoreApplication::translate(
                      "AccessDatabase",
                      "The Access database %1 cannot be read: it is protected with a "
                      "password (or damaged). Ardentry cannot open Access files "
                      "protected with a password: remove the password in Access (File "
                      "> Info > Decrypt Database) and try again.")
                : QCoreApplication::translate(
                      "AccessDatabase", "The Access database %1 cannot be read: it is damaged.");
        throw DbError(DbError::Kind::NotADatabase,
                      QStringLiteral("%1 (mdb-tables: %2)")
                          .arg(why.arg(shown(path)), tables.err.simplified()));
    }
    for (const QString& line : QString::fromUtf8(tables.out).split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            m_tables << line;
    }
}

QString AccessFile::table(const QString& name) const
{
    for (const QString& table : m_tables) {
        if (table.compare(name, Qt::CaseInsensitive) == 0)
            return table;
    }
    return QString();
}

QList<Column> AccessFile::columns(const QString& table) const
{
    const ToolRun schema =
        runTool(QStringLiteral("mdb-schema"),
                {QStringLiteral("--no-indexes"), QStringLiteral("--no-relations"),
                 QStringLiteral("-T"), table, m_path});
    if (!schema.ok)
        throw DbError(QCoreApplication::translate(
                          "AccessDatabase",
                          "Cannot read the columns of the table %1 of %2 (mdb-schema: "
                          "%3).")
                          .arg(table, shown(m_path), schema.err));
    static const QRegularExpression line(QStringLiteral("^\\s*\\[(.*)\\]\\s+(.*?)\\s*,?\\s*$"));
    QList<Column> columns;
    bool inside = false;
    for (const QString& text : QString::fromUtf8(schema.out).split(QLatin1Char('\n'))) {
        if (text.startsWith(QLatin1String("CREATE TABLE"))) {
            inside = true;
            continue;
        }
        if (!inside)
            continue;
        if (text.trimmed().startsWith(QLatin1Char(')')))
            break;
        const QRegularExpressionMatch match = line.match(text);
        if (match.hasMatch()) {
            Column column;
            column.name = match.captured(1);
            column.type = match.captured(2);
            column.kind = kindOf(column.type);
            columns << column;
        }
    }
    if (columns.isEmpty())
        throw DbError(
            DbError::Kind::NotFound,
            QCoreApplication::translate("AccessDatabase", "The Access database %1 has no table %2.")
                .arg(shown(m_path), table));
    if (nullMasks(table, int(columns.size()))) {
        for (Column& column : columns)
            column.nullsTold = true;
    }
    return columns;
}

const QList<QByteArray>* AccessFile::nullMasks(const QString& table, int width) const
{
    auto known = m_nullMasks.find(table);
    if (known == m_nullMasks.end()) {
        std::optional<QList<QByteArray>> masks;
        const QString reader = nullReaderPath();
        if (!reader.isEmpty()) {
            // When it fails (a file it cannot read), the rows are still read as the tools give
            // them, and each Null is reported as possibly an empty text.
            const ToolRun run = runProgram(reader, {m_path, table});
            if (run.ok) {
                masks.emplace(run.out.split('\n'));
                masks->removeLast(); // after the last line end
                if (std::any_of(masks->cbegin(), masks->cend(),
                                [width](const QByteArray& mask) { return mask.size() != width; }))
                    masks.reset();
            }
        }
        known = m_nullMasks.insert(table, masks);
    }
    return known->has_value() ? &**known : nullptr;
}

bool AccessFile::readRows(const QString& table,
                          const std::function<bool(const QVariantList&)>& row) const
{
    const QList<Column> expected = columns(table);
    const ToolRun run =
        runTool(QStringLiteral("mdb-export"),
                {QStringLiteral("-D"), kDateFormat, QStringLiteral("-T"), kDateFormat,
                 QStringLiteral("-b"), QStringLiteral("hex"), m_path, table});
    if (!run.ok)
        throw DbError(QCoreApplication::translate(
                          "AccessDatabase", "Cannot read the table %1 of %2 (mdb-export: %3).")
                          .arg(table, shown(m_path), run.err));
    ExportReader reader(run.out);
    QStringList header;
    for (const QVariant& name : reader.next())
        header << name.toString();
    QStringList names;
    for (const Column& column : expected)
        names << column.name;
    if (header != names)
        throw DbError(QCoreApplication::translate(
                          "AccessDatabase",
                          "Cannot read the table %1 of %2: the columns of its rows (%3) "
                          "are not those of its description (%4).")
                          .arg(table, shown(m_path), header.join(QStringLiteral(", ")),
                               names.join(QStringLiteral(", "))));
    const QList<QByteArray>* masks = nullMasks(table, int(expected.size()));
    qint64 number = 0;
    while (!reader.atEnd()) {
        QVariantList values = reader.next();
        ++number;
        if (masks && number > masks->size())
            throw DbError(
                QCoreApplication::translate("AccessDatabase",
                                            "Cannot read the table %1 of %2: it has more rows than "
                                            "ardentry-mdb-read found (%3); has the file changed?")
                    .arg(table, shown(m_path))
                    .arg(masks->size()));
        if (values.size() != expected.size())
            throw DbError(
                QCoreApplication::translate("AccessDatabase",
                                            "Cannot read row %1 of the table %2 of %3: it has %4 "
                                            "values for %5 columns.")
                    .arg(number)
                    .arg(table, shown(m_path))
                    .arg(values.size())
                    .arg(expected.size()));
        for (qsizetype c = 0; masks && c < values.size(); ++c) {
            // A text printed as nothing that the row does not hold as Null is the empty text.
            if (values[c].isNull() && expected[c].kind == ColumnKind::Text &&
                masks->at(number - 1).at(c) == '0')
                values[c] = QString(QLatin1String(""));
        }
        if (!row(values))
            return false;
    }
    if (masks && number != masks->size())
        throw DbError(QCoreApplication::translate(
                          "AccessDatabase",
                          "Cannot read the table %1 of %2: it has fewer rows (%3) than "
                          "ardentry-mdb-read found (%4); has the file changed?")
                          .arg(table, shown(m_path))
                          .arg(number)
                          .arg(masks->size()));
    return true;
}

Limit limitOf(const QVariant& value, const Column& column)
{
    switch (column.kind) {
    case ColumnKind::Complex:
        return {QCoreApplication::translate(
                    "AccessDatabase",
                    "an attachment or multi-value column (%1), which the reader cannot "
                    "give; left empty (Null).")
                    .arg(column.type),
                false};
    case ColumnKind::Binary:
        return value.isNull()
                   ? Limit()
                   : Limit{QCoreApplication::translate("AccessDatabase",
                                                       "a binary value (%1); left empty (Null).")
                               .arg(column.type),
                           false};
    case ColumnKind::Text:
        if (value.isNull() && !column.nullsTold)
            return {QCoreApplication::translate(
                        "AccessDatabase",
                        "Null, or an empty text (the reader gives both alike); stored "
                        "as Null."),
                    false};
        // Characters outside the Basic Multilingual Plane (emoji and the like) come out as "??".
        if (value.toString().contains(QLatin1String("??")))
            return {QCoreApplication::translate(
                        "AccessDatabase",
                        "holds \"??\", which the reader also gives for a character such "
                        "as an emoji; stored as read (\"%1\"): check it.")
                        .arg(value.toString().left(60)),
                    true};
        return {};
    case ColumnKind::Date:
        // Dates before 1900 come out as day 0 of January 1900.
        if (value.toString().startsWith(QLatin1String("1900-01-00")))
            return {QCoreApplication::translate(
                        "AccessDatabase",
                        "a date before 1900, which the reader cannot give; left empty "
                        "(Null)."),
                    false};
        return {};
    case ColumnKind::Number:
        return {};
    }
    return {};
}

} // namespace accessdb
