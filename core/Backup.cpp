// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Backup.h"

#include "core/Connection.h"
#include "core/ServerAddress.h"
#include "core/db/SqliteEngine.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QThread>
#include <QVariant>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>

namespace
{

// After this many restarts (another connection kept writing) the rest is copied in one step.
constexpr int kRestartsBeforeWhole = 3;

struct CloseDatabase {
    void operator()(sqlite3* handle) const { sqlite3_close_v2(handle); }
};
using DatabaseHandle = std::unique_ptr<sqlite3, CloseDatabase>;

QString engineText(sqlite3* handle)
{
    return handle ? QString::fromUtf8(sqlite3_errmsg(handle))
                  : QCoreApplication::translate("Backup", "out of memory");
}

void removeFileAndJournal(const QString& path)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
}

// An automatic copy of one database: the match of its name, with the moment it names.
struct Copy {
    QString path;
    QDateTime made;
    int counter = 0; // copies made within the same second
};

QList<Copy> copiesOf(const QString& databasePath)
{
    const QFileInfo database(databasePath);
    const QString suffix = database.suffix();
    const QRegularExpression name(
        QStringLiteral("^%1-(\\d{4}-\\d{2}-\\d{2}-\\d{6})(?:-(\\d+))?%2$")
            .arg(QRegularExpression::escape(database.completeBaseName()),
                 suffix.isEmpty() ? QString()
                                  : QStringLiteral("\\.") + QRegularExpression::escape(suffix)));
    QList<Copy> copies;
    const QDir folder(backup::folderOf(databasePath));
    for (const QString& file : folder.entryList(QDir::Files)) {
        const QRegularExpressionMatch match = name.match(file);
        if (!match.hasMatch())
            continue;
        Copy copy;
        copy.path = folder.filePath(file);
        copy.made = QDateTime::fromString(match.captured(1), QStringLiteral("yyyy-MM-dd-HHmmss"));
        copy.counter = match.captured(2).toInt();
        if (copy.made.isValid())
            copies << copy;
    }
    std::sort(copies.begin(), copies.end(), [](const Copy& a, const Copy& b) {
        return a.made != b.made ? a.made > b.made : a.counter > b.counter;
    });
    return copies;
}

} // namespace

struct BackupJob::Impl {
    QString destination;
    QString partial; // the copy while it is written
    DatabaseHandle target;
    sqlite3_backup* backup = nullptr;
    int pageCount = 0;
    int remaining = 0;
    int restarts = 0;
    bool done = false;

    void finish()
    {
        if (backup)
            sqlite3_backup_finish(backup);
        backup = nullptr;
        target.reset();
    }

    ~Impl()
    {
        finish();
        if (!done && !partial.isEmpty())
            removeFileAndJournal(partial);
    }
};

BackupJob::BackupJob(Connection& source, const QString& destination) : d(std::make_unique<Impl>())
{
    if (!backup::appliesTo(source))
        throw DbError(QCoreApplication::translate(
                          "Backup", "The database %1 is on a server; its backups are made by the "
                                    "server's administrator (pg_dump), not by Ardentry.")
                          .arg(source.displayPath()));
    sqlite3* handle = backup::engineHandle(source);
    const QFileInfo target(destination);
    d->destination = target.absoluteFilePath();
    const QString shown = QDir::toNativeSeparators(d->destination);
    const QString database = QFileInfo(source.path()).canonicalFilePath();
    if (target.exists() && target.canonicalFilePath() == database)
        throw DbError(QCoreApplication::translate(
                          "Backup", "The copy cannot be written over the database itself (\"%1\").")
                          .arg(shown));
    if (target.isDir())
        throw DbError(QCoreApplication::translate("Backup", "\"%1\" is a folder.").arg(shown));
    d->partial = d->destination + QStringLiteral(".part");
    removeFileAndJournal(d->partial);
    sqlite3* opened = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(d->partial).constData(), &opened,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    d->target.reset(opened);
    if (rc != SQLITE_OK)
        throw DbError(
            QCoreApplication::translate("Backup", "The copy \"%1\" cannot be written: %2.")
                .arg(shown, engineText(opened)));
    d->backup = sqlite3_backup_init(opened, "main", handle, "main");
    if (!d->backup)
        throw DbError(
            QCoreApplication::translate("Backup", "The copy \"%1\" cannot be started: %2.")
                .arg(shown, engineText(opened)));
}

BackupJob::~BackupJob() = default;

bool BackupJob::step(int pages)
{
    if (d->done)
        return true;
    if (!d->backup)
        throw DbError(QCoreApplication::translate("Backup", "The copy was given up."));
    const int before = d->remaining;
    const bool whole = d->restarts >= kRestartsBeforeWhole;
    const int rc = sqlite3_backup_step(d->backup, whole ? -1 : pages);
    d->pageCount = sqlite3_backup_pagecount(d->backup);
    d->remaining = sqlite3_backup_remaining(d->backup);
    if (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
        if (rc == SQLITE_OK && before > 0 && d->remaining > before)
            ++d->restarts; // someone else wrote: the engine began again
        return false;
    }
    const QString shown = QDir::toNativeSeparators(d->destination);
    if (rc != SQLITE_DONE) {
        const QString reason = QString::fromUtf8(sqlite3_errstr(rc));
        d->finish();
        throw DbError(
            QCoreApplication::translate("Backup", "The copy \"%1\" could not be made: %2.")
                .arg(shown, reason));
    }
    const int finished = sqlite3_backup_finish(d->backup);
    d->backup = nullptr;
    const QString reason = engineText(d->target.get());
    d->target.reset();
    if (finished != SQLITE_OK)
        throw DbError(
            QCoreApplication::translate("Backup", "The copy \"%1\" could not be made: %2.")
                .arg(shown, reason));
    if (std::rename(QFile::encodeName(d->partial).constData(),
                    QFile::encodeName(d->destination).constData()) != 0)
        throw DbError(
            QCoreApplication::translate("Backup", "The copy could not be put in place as \"%1\".")
                .arg(shown));
    d->done = true;
    return true;
}

bool BackupJob::isDone() const
{
    return d->done;
}

int BackupJob::pageCount() const
{
    return d->pageCount;
}

int BackupJob::remaining() const
{
    return d->remaining;
}

const QString& BackupJob::destination() const
{
    return d->destination;
}

bool backup::appliesTo(const Connection& connection)
{
    return connection.engine().keepsCopies();
}

sqlite3* backup::engineHandle(Connection& connection)
{
    if (!connection.isOpen())
        throw DbError(QCoreApplication::translate("Backup", "No database is open."));
    const QVariant handle = connection.database().driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
        if (sqlite3* raw = *static_cast<sqlite3* const*>(handle.constData()))
            return raw;
    }
    throw DbError(
        QCoreApplication::translate("Backup", "The SQLite driver gives no engine handle."));
}

QStringList backup::quickCheck(const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    sqlite3* opened = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &opened,
                                   SQLITE_OPEN_READONLY, nullptr);
    const DatabaseHandle database(opened);
    if (rc != SQLITE_OK)
        throw DbError(QCoreApplication::translate("Backup", "The copy \"%1\" cannot be opened: %2.")
                          .arg(shown, engineText(opened)));
    // A later SQLite checks full-text tables too, which needs their tokenizers.
    db::registerWordPairs(opened);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(opened, "PRAGMA quick_check", -1, &statement, nullptr) != SQLITE_OK)
        throw DbError(
            QCoreApplication::translate("Backup", "The copy \"%1\" cannot be checked: %2.")
                .arg(shown, engineText(opened)));
    QStringList problems;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        problems << QString::fromUtf8(text ? text : "");
    }
    sqlite3_finalize(statement);
    if (step != SQLITE_DONE)
        throw DbError(
            QCoreApplication::translate("Backup", "The copy \"%1\" cannot be checked: %2.")
                .arg(shown, engineText(opened)));
    if (problems == QStringList{QStringLiteral("ok")})
        problems.clear();
    return problems;
}

QString backup::folderOf(const QString& databasePath)
{
    return QFileInfo(databasePath).absoluteDir().filePath(QStringLiteral("backups"));
}

QStringList backup::automaticCopies(const QString& databasePath)
{
    QStringList paths;
    for (const Copy& copy : copiesOf(databasePath))
        paths << copy.path;
    return paths;
}

QDateTime backup::newestCopy(const QString& databasePath)
{
    const QList<Copy> copies = copiesOf(databasePath);
    return copies.isEmpty() ? QDateTime() : copies.first().made;
}

bool backup::copiedOn(const QString& databasePath, const QDate& day)
{
    const QList<Copy> copies = copiesOf(databasePath);
    return std::any_of(copies.begin(), copies.end(),
                       [&day](const Copy& copy) { return copy.made.date() == day; });
}

QString backup::newCopyPath(const QString& databasePath, const QDateTime& now)
{
    if (ServerAddress::looks(databasePath))
        throw DbError(
            QCoreApplication::translate("Backup", "A database on a server has no backups folder."));
    const QString folder = folderOf(databasePath);
    if (!QDir().mkpath(folder))
        throw DbError(QCoreApplication::translate("Backup", "The folder \"%1\" cannot be made.")
                          .arg(QDir::toNativeSeparators(folder)));
    const QFileInfo database(databasePath);
    const QString suffix =
        database.suffix().isEmpty() ? QString() : QLatin1Char('.') + database.suffix();
    const QString stem = database.completeBaseName() + QLatin1Char('-') +
                         now.toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    QString path = QDir(folder).filePath(stem + suffix);
    for (int counter = 2; QFileInfo::exists(path); ++counter)
        path = QDir(folder).filePath(stem + QLatin1Char('-') + QString::number(counter) + suffix);
    return path;
}

namespace
{
int keptCopiesSetting = backup::KeptCopies;
} // namespace

void backup::setKeptCopies(int copies)
{
    keptCopiesSetting = copies >= 1 && copies <= 1000 ? copies : KeptCopies;
}

int backup::keptCopies()
{
    return keptCopiesSetting;
}

int backup::removeLeftovers(const QString& databasePath)
{
    if (ServerAddress::looks(databasePath))
        return 0;
    QDir folder(folderOf(databasePath));
    int removed = 0;
    for (const QString& name :
         folder.entryList({QStringLiteral("*.part"), QStringLiteral("*.part-journal")},
                          QDir::Files | QDir::Hidden | QDir::System))
        removed += folder.remove(name) ? 1 : 0;
    return removed;
}

backup::Usage backup::usage(const QString& databasePath)
{
    Usage total;
    for (const Copy& copy : copiesOf(databasePath)) {
        ++total.copies;
        total.bytes += QFileInfo(copy.path).size();
    }
    return total;
}

QString backup::summary(const QString& databasePath)
{
    const Usage used = usage(databasePath);
    return QCoreApplication::translate("Backup", "%1 of %2 kept, %3")
        .arg(used.copies)
        .arg(keptCopies())
        .arg(QLocale().formattedDataSize(used.bytes));
}

void backup::prune(const QString& databasePath, int keep)
{
    if (keep < 0)
        keep = keptCopies();
    const QList<Copy> copies = copiesOf(databasePath);
    for (int i = std::max(keep, 0); i < copies.size(); ++i)
        QFile::remove(copies[i].path);
}

QString backup::copyNow(Connection& connection)
{
    if (!appliesTo(connection))
        return QString(); // the server's administrator backs it up
    const QString path = newCopyPath(connection.path(), QDateTime::currentDateTime());
    BackupJob job(connection, path);
    // A file that another program keeps busy is waited for a while, then given up.
    const QDeadlineTimer deadline(30000);
    int before = -1;
    while (!job.step(1024)) {
        if (deadline.hasExpired())
            throw DbError(QCoreApplication::translate(
                "Backup", "The database stayed busy; no copy was made."));
        if (job.remaining() == before)
            QThread::msleep(10); // busy: nothing was copied
        before = job.remaining();
    }
    prune(connection.path());
    return path;
}
