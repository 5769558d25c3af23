// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AccessConversion.h"

#include "core/AccessDatabase.h"
#include "core/DatabaseCopy.h"
#include "core/DbError.h"
#include "core/NewDatabase.h"
#include "core/QuickSearch.h"
#include "core/db/Engine.h"
#include "core/db/Query.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QTemporaryDir>

namespace
{

struct TargetColumn {
    QString name;
    bool number = false;
};

struct TargetTable {
    QString name;
    QString text; // the statement that makes it in a file
    QList<TargetColumn> columns;
};

// The five tables of an article database, read from the statements that make them.
QList<TargetTable> targetTables()
{
    QList<TargetTable> tables;
    const QString create = QStringLiteral("CREATE TABLE ");
    for (const QString& text : articleTableTexts()) {
        TargetTable table;
        table.text = text;
        const int open = text.indexOf(QLatin1Char('('));
        table.name = text.mid(create.size(), open - create.size()).trimmed();
        const QString inside = text.mid(open + 1, text.lastIndexOf(QLatin1Char(')')) - open - 1);
        for (const QString& definition : inside.split(QLatin1Char(','))) {
            const QStringList words = definition.simplified().split(QLatin1Char(' '));
            table.columns.append(
                {words.value(0),
                 words.value(1).compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0});
        }
        tables << table;
    }
    return tables;
}

// The rows of a table as the tool counts them (for the progress only).
qint64 rowCount(const accessdb::AccessFile& file, const QString& table)
{
    QProcess process;
    process.start(QStringLiteral("mdb-count"), {file.path(), table}, QIODevice::ReadOnly);
    if (!process.waitForFinished())
        return 0;
    return process.readAllStandardOutput().trimmed().toLongLong();
}

// The staging file: the five tables filled from the Access file, in a folder of its own that is
// removed with everything in it.
class Staging
{
public:
    Staging()
        : m_connection(QStringLiteral("ardentry-access-%1").arg(s_counter.fetchAndAddRelaxed(1)))
    {
        if (!m_folder.isValid())
            throw DbError(
                QCoreApplication::translate(
                    "AccessConversion", "Cannot make a temporary folder for the conversion: %1.")
                    .arg(m_folder.errorString()));
        m_path = m_folder.filePath(QStringLiteral("staging.ardentry.db"));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(m_path);
        if (!db.open())
            throw DbError(QCoreApplication::translate("AccessConversion",
                                                      "Cannot make the temporary database: %1.")
                              .arg(db.lastError().text()));
        // The program's own functions and tokenizer, which its additions use.
        if (const QString reason = db::Engine::file().prepareSession(db); !reason.isEmpty())
            throw DbError(QCoreApplication::translate("AccessConversion",
                                                      "Cannot make the temporary database: %1.")
                              .arg(reason));
    }
    ~Staging()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connection, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
    }
    Staging(const Staging&) = delete;
    Staging& operator=(const Staging&) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(m_connection, false); }
    const QString& path() const { return m_path; }

    void exec(const QString& sql)
    {
        QSqlDatabase database = db();
        db::Query query(database, QString());
        if (!query.tryRun(sql))
            throw DbError(QCoreApplication::translate("AccessConversion",
                                                      "Cannot write the temporary database: %1.")
                              .arg(query.engineText()));
    }

private:
    static QAtomicInt s_counter;
    QTemporaryDir m_folder;
    QString m_connection;
    QString m_path;
};

QAtomicInt Staging::s_counter;

class Conversion
{
public:
    Conversion(const QString& accessPath, const std::function<bool(qint64, qint64)>& progress)
        : m_file(accessPath), m_progress(progress)
    {
    }

    // Fills the staging database; false when cancelled.
    bool read(Staging& staging, AccessConversionResult& result)
    {
        if (!isHelpDeskAccessDatabase(m_file))
            throw DbError(DbError::Kind::NotADatabase,
                          QCoreApplication::translate(
                              "AccessConversion",
                              "The Access database %1 holds no help-desk articles (it "
                              "has no table AR).")
                              .arg(QDir::toNativeSeparators(m_file.path())));
        const QList<TargetTable> tables = targetTables();
        QStringList missing;
        for (const TargetTable& table : tables) {
            if (m_file.table(table.name).isEmpty())
                missing << table.name;
            else
                m_total += rowCount(m_file, m_file.table(table.name));
        }
        if (!missing.isEmpty())
            throw DbError(
                DbError::Kind::NotADatabase,
                QCoreApplication::translate("AccessConversion",
                                            "The Access database %1 lacks the help-desk tables %2.")
                    .arg(QDir::toNativeSeparators(m_file.path()),
                         missing.join(QStringLiteral(", "))));
        m_total *= 2; // read here, then copied into the new database
        QSqlDatabase db = staging.db();
        staging.exec(QStringLiteral("PRAGMA synchronous = OFF"));
        if (!db.transaction())
            throw DbError(db.lastError().text());
        for (const TargetTable& table : tables) {
            staging.exec(table.text);
            if (!readTable(db, table, result))
                return false;
        }
        staging.exec(db::Engine::file().articleNumberIndexText());
        // The new database gets the quick-search index when this one has it.
        quicksearch::createIndex(db, false);
        if (!db.commit())
            throw DbError(db.lastError().text());
        return true;
    }

    qint64 total() const { return m_total; }
    qint64 done() const { return m_done; }

private:
    bool readTable(QSqlDatabase& db, const TargetTable& table, AccessConversionResult& result)
    {
        const QString source = m_file.table(table.name);
        const QList<accessdb::Column> columns = m_file.columns(source);
        // For each column of the new table, the Access column that fills it (-1: none).
        QList<int> from;
        QStringList absent;
        for (const TargetColumn& column : table.columns) {
            int found = -1;
            for (int c = 0; c < columns.size(); ++c) {
                if (columns[c].name.compare(column.name, Qt::CaseInsensitive) == 0)
                    found = c;
            }
            from << found;
            if (found < 0)
                absent << column.name;
        }
        if (!absent.isEmpty())
            result.notes << QCoreApplication::translate(
                                "AccessConversion",
                                "The table %1 of the Access file has no columns %2: "
                                "they are left empty (Null) in the new database.")
                                .arg(source, absent.join(QStringLiteral(", ")));
        QList<int> extra;
        for (int c = 0; c < columns.size(); ++c) {
            if (!from.contains(c))
                extra << c;
        }
        if (!extra.isEmpty()) {
            QStringList names;
            for (int c : extra)
                names << columns[c].name;
            result.notes << QCoreApplication::translate(
                                "AccessConversion",
                                "The columns %1 of the table %2 are not carried over: "
                                "the new database has no place for them.")
                                .arg(names.join(QStringLiteral(", ")), source);
        }
        const int idColumn = table.name == QLatin1String("AR") ? from.value(0) : -1;

        QStringList names;
        QStringList marks;
        for (const TargetColumn& column : table.columns) {
            names << column.name;
            marks << QStringLiteral("?");
        }
        db::Query insert(db, QString());
        if (!insert.tryPrepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(table.name, names.join(QStringLiteral(", ")),
                                        marks.join(QStringLiteral(", ")))))
            throw DbError(insert.engineText());

        qint64 rows = 0;
        const auto row = [&](const QVariantList& values) {
            ++rows;
            const QString where =
                idColumn >= 0 && !values[idColumn].isNull()
                    ? QCoreApplication::translate("AccessConversion", "Article %1")
                          .arg(values[idColumn].toString())
                    : QCoreApplication::translate("AccessConversion", "%1, row %2")
                          .arg(source)
                          .arg(rows);
            QVariantList binds;
            binds.reserve(table.columns.size());
            for (int t = 0; t < table.columns.size(); ++t) {
                const int c = from[t];
                binds << (c < 0 ? QVariant()
                                : value(values[c], columns[c], table.columns[t], where, result));
            }
            for (int c : extra) {
                if (!values[c].isNull())
                    result.notCarried
                        << QCoreApplication::translate("AccessConversion",
                                                       "%1, %2: \"%3\" not carried over (no such "
                                                       "column in the new database).")
                               .arg(where, columns[c].name, values[c].toString().left(60));
            }
            if (!insert.tryExec(binds))
                throw DbError(
                    QCoreApplication::translate("AccessConversion", "%1 could not be written: %2.")
                        .arg(where, insert.engineText()));
            ++m_done;
            if (m_progress && m_done % 200 == 0 && !m_progress(m_done, m_total))
                return false;
            return true;
        };
        const bool finished = m_file.readRows(source, row);
        result.rowsRead.append({source, rows});
        if (finished && m_progress && !m_progress(m_done, m_total))
            return false;
        return finished;
    }

    // The value to store for an Access value; what cannot be carried over as it is, is noted.
    static QVariant value(const QVariant& read, const accessdb::Column& column,
                          const TargetColumn& target, const QString& where,
                          AccessConversionResult& result)
    {
        const auto note = [&](const QString& why) {
            result.notCarried << QStringLiteral("%1, %2: %3").arg(where, column.name, why);
        };
        const accessdb::Limit limit = accessdb::limitOf(read, column);
        if (!limit.why.isEmpty())
            note(limit.why);
        if (!limit.why.isEmpty() && !limit.keep)
            return QVariant();
        if (read.isNull())
            return QVariant();
        const QString text = read.toString();
        if (target.number) {
            bool ok = false;
            const qlonglong number = text.toLongLong(&ok);
            if (!ok) {
                note(QCoreApplication::translate("AccessConversion",
                                                 "\"%1\" is not a whole number; left empty (Null).")
                         .arg(text));
                return QVariant();
            }
            return number;
        }
        return text;
    }

    accessdb::AccessFile m_file;
    const std::function<bool(qint64, qint64)>& m_progress;
    qint64 m_total = 0;
    qint64 m_done = 0;
};

} // namespace

QString AccessConversionResult::report() const
{
    QStringList lines;
    for (const auto& [table, rows] : rowsRead)
        lines << QCoreApplication::translate("AccessConversion", "%1: %2 rows read.")
                     .arg(table)
                     .arg(rows);
    lines << QCoreApplication::translate("AccessConversion", "%1 rows written.").arg(rowsWritten);
    lines << notes;
    if (notCarried.isEmpty()) {
        lines << QCoreApplication::translate("AccessConversion", "Every value was carried over.");
    } else {
        lines << QCoreApplication::translate("AccessConversion",
                                             "%1 values were not carried over as they are:")
                     .arg(notCarried.size());
        lines << notCarried;
    }
    return lines.join(QLatin1Char('\n'));
}

QString accessConversionQuestion()
{
    return QCoreApplication::translate(
        "AccessConversion",
        "This is an Access database with help-desk articles. Ardentry copies its articles, "
        "categories, users and labels into a new Ardentry database beside it (or onto a server) "
        "and leaves the Access file as it is. Convert now?");
}

bool isHelpDeskAccessDatabase(const accessdb::AccessFile& file)
{
    return !file.table(QStringLiteral("AR")).isEmpty();
}

QString convertedDatabasePath(const QString& accessPath)
{
    const QFileInfo info(accessPath);
    return info.absoluteDir().filePath(info.completeBaseName() + QStringLiteral(".ardentry.db"));
}

QString freeConvertedDatabasePath(const QString& accessPath)
{
    QString path = convertedDatabasePath(accessPath);
    const QFileInfo info(accessPath);
    for (int n = 2; QFileInfo(path).exists() || QFileInfo(path).isSymLink(); ++n)
        path = info.absoluteDir().filePath(
            QStringLiteral("%1 (%2).ardentry.db").arg(info.completeBaseName()).arg(n));
    return path;
}

AccessConversionResult convertAccessDatabase(const QString& accessPath, const QString& target,
                                             const std::function<bool(qint64, qint64)>& progress)
{
    QElapsedTimer timer;
    timer.start();
    AccessConversionResult result;
    Conversion conversion(accessPath, progress);
    Staging staging;
    if (!conversion.read(staging, result)) {
        result.cancelled = true;
        return result;
    }
    const qint64 first = conversion.done();
    const qint64 total = conversion.total();
    const std::function<bool(qint64, qint64)> copied = [&](qint64 done, qint64) {
        return !progress || progress(first + done, total);
    };
    const DatabaseCopyResult copy = copyArticleDatabase(staging.path(), target, copied);
    if (copy.cancelled) {
        result.cancelled = true;
        return result;
    }
    result.rowsWritten = copy.rows;
    result.milliseconds = timer.elapsed();
    return result;
}
