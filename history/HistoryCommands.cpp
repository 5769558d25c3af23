// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryCommands.h"

#include "common/Frame.h"
#include "common/MessageBox.h"
#include "core/Backup.h"
#include "core/History.h"
#include "core/ProfileFile.h"
#include "core/mdlMain.h"
#include "history/BackupRunner.h"
#include "history/frmHistory.h"
#include "history/frmTrash.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <memory>
#include <utility>

namespace
{

const char* const kFailureReported = "ardentryBackupFailureReported";
const char* const kStartFinished = "ardentryStartFinished";

// Runs the work after a start once the window was painted for the first time: the window shows
// at once, whatever that work takes.
class AfterFirstPaint : public QObject
{
public:
    AfterFirstPaint(Frame& frame, QWindow* window, std::function<void()> then)
        : QObject(frame.window()), m_frame(frame), m_then(std::move(then))
    {
        window->installEventFilter(this);
        if (window->isExposed())
            later();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The widgets are painted while the event is delivered: the work waits until after it.
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            later();
        }
        return false;
    }

private:
    void later()
    {
        QTimer::singleShot(0, this, [this] {
            deleteLater();
            HistoryCommands::afterStart(m_frame, std::move(m_then));
        });
    }

    Frame& m_frame;
    std::function<void()> m_then;
};

// The start's work has ended: then what follows it.
void finished(Frame& frame, const std::function<void()>& then)
{
    frame.window()->setProperty(kStartFinished, true);
    if (then)
        then();
}

// The history's tables once the copy before them is made (or could not be made), then the
// writer's name.
void finishStart(Frame& frame, bool upgrade, const std::function<void()>& then)
{
    Connection& connection = frame.app().dbConnection;
    try {
        if (upgrade)
            history::install(connection);
        if (history::isInstalled(connection))
            history::recordWriter(connection, history::loginName());
    } catch (const DbError& e) {
        frame.report(QCoreApplication::translate(
                         "HistoryCommands",
                         "The history of articles and the trash could not be added to "
                         "the database: %1\n\nArdentry works on without them.")
                         .arg(e.message()));
    }
    finished(frame, then);
}

} // namespace

void HistoryCommands::showHistory(Frame& frame)
{
    frmHistory::showHistory(frame);
}

void HistoryCommands::showTrash(Frame& frame)
{
    frmTrash::showTrash(frame);
}

void HistoryCommands::reportBackupFailure(Frame& frame, const QString& reason)
{
    QWidget* window = frame.window();
    if (window->property(kFailureReported).toBool())
        return;
    window->setProperty(kFailureReported, true);
    frame.report(
        QCoreApplication::translate("HistoryCommands",
                                    "The automatic backup of the database could not be made: %1\n\n"
                                    "Ardentry works on without it.")
            .arg(reason));
}

void HistoryCommands::afterStart(Frame& frame, std::function<void()> then)
{
    Connection& connection = frame.app().dbConnection;
    bool upgrade = false;
    try {
        upgrade = !history::isInstalled(connection) && history::mayInstall(connection);
    } catch (const DbError& e) {
        frame.window()->setProperty(kStartFinished, true);
        frame.report(e.message());
        return;
    }
    const QString path = connection.path();
    backup::setKeptCopies(ProfileFile(frame.app().IniFile())
                              .read(QStringLiteral("General"), QStringLiteral("BackupCopies"))
                              .toInt());
    // A server database has no copies of the program's: its administrator backs it up.
    if (backup::appliesTo(connection))
        backup::removeLeftovers(path); // of a copy that a crash or a power cut interrupted
    if (!backup::appliesTo(connection) ||
        (!upgrade && backup::copiedOn(path, QDate::currentDate()))) {
        finishStart(frame, upgrade, then);
        return;
    }
    std::unique_ptr<BackupJob> job;
    try {
        job = std::make_unique<BackupJob>(connection,
                                          backup::newCopyPath(path, QDateTime::currentDateTime()));
    } catch (const DbError& e) {
        reportBackupFailure(frame, e.message());
        finishStart(frame, upgrade, then);
        return;
    }
    auto* runner = new BackupRunner(
        frame.window(), std::move(job),
        QCoreApplication::translate("HistoryCommands",
                                    "Ardentry makes its daily copy of the database..."));
    runner->setObjectName(QStringLiteral("automaticBackup"));
    QObject::connect(runner, &BackupRunner::finished, frame.window(),
                     [&frame, upgrade, path, then](bool, const QString& failure) {
                         if (failure.isEmpty())
                             backup::prune(path);
                         else
                             reportBackupFailure(frame, failure);
                         finishStart(frame, upgrade, then);
                     });
    runner->start(300);
}

void HistoryCommands::afterShown(Frame& frame, std::function<void()> then)
{
    QWindow* window = frame.window()->windowHandle();
    if (window && frame.window()->isVisible())
        new AfterFirstPaint(frame, window, std::move(then)); // the window owns it
    else
        afterStart(frame, std::move(then));
}

bool HistoryCommands::startFinished(Frame& frame)
{
    return frame.window()->property(kStartFinished).toBool();
}

void HistoryCommands::backUpDatabase(Frame& frame)
{
    QWidget* window = frame.window();
    if (auto* running = window->findChild<BackupRunner*>(QStringLiteral("manualBackup"))) {
        if (QProgressDialog* progress = running->progress()) {
            progress->raise();
            progress->activateWindow();
        }
        return;
    }
    Connection& connection = frame.app().dbConnection;
    if (!backup::appliesTo(connection)) {
        frame.report(QCoreApplication::translate(
                         "HistoryCommands",
                         "The database %1 is on a PostgreSQL server. Ardentry makes "
                         "copies of database files only; backups of a server database "
                         "are made on the server by its administrator (pg_dump).")
                         .arg(connection.displayPath()));
        return;
    }
    const QFileInfo database(connection.path());
    const QString suffix = database.suffix().isEmpty() ? QStringLiteral("db") : database.suffix();
    const QString proposed = database.absoluteDir().filePath(
        database.completeBaseName() + QStringLiteral("-copy-") +
        QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('.') + suffix);
    QFileDialog chooser(
        window, QCoreApplication::translate("HistoryCommands", "Back Up Database"), proposed,
        QCoreApplication::translate("HistoryCommands", "Database files (*.%1);;All files (*)")
            .arg(suffix));
    chooser.setObjectName(QStringLiteral("dlgBackupFile"));
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setOption(QFileDialog::DontConfirmOverwrite); // asked below, in the program's words
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setFileMode(QFileDialog::AnyFile);
    chooser.setDefaultSuffix(suffix);
    if (MessageBox::exec(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return;
    const QString target = chooser.selectedFiles().constFirst();
    const QString shown = QDir::toNativeSeparators(target);
    if (QFileInfo::exists(target) &&
        !askYesNo(
            window,
            QCoreApplication::translate("HistoryCommands",
                                        "The file \"%1\" exists already. Replace it with the copy?")
                .arg(shown),
            QStringLiteral("Ardentry"), QMessageBox::No))
        return;
    std::unique_ptr<BackupJob> job;
    try {
        job = std::make_unique<BackupJob>(connection, target);
    } catch (const DbError& e) {
        frame.report(QCoreApplication::translate("HistoryCommands",
                                                 "The database could not be backed up: ") +
                     e.message());
        return;
    }
    auto* runner = new BackupRunner(
        window, std::move(job),
        QCoreApplication::translate("HistoryCommands", "Backing up the database to \"%1\"...")
            .arg(shown));
    runner->setObjectName(QStringLiteral("manualBackup"));
    QObject::connect(
        runner, &BackupRunner::finished, window,
        [&frame, target, shown](bool cancelled, const QString& failure) {
            if (cancelled) {
                frame.report(QCoreApplication::translate(
                    "HistoryCommands", "The backup was cancelled. No copy was written."));
                return;
            }
            if (!failure.isEmpty()) {
                frame.report(QCoreApplication::translate("HistoryCommands",
                                                         "The database could not be backed up: ") +
                             failure);
                return;
            }
            QString text = QCoreApplication::translate("HistoryCommands",
                                                       "The database was backed up to \"%1\".\n\n")
                               .arg(shown);
            try {
                const QStringList problems = backup::quickCheck(target);
                if (problems.isEmpty())
                    text += QCoreApplication::translate(
                        "HistoryCommands", "The copy was checked (PRAGMA quick_check) and is "
                                           "sound.");
                else
                    text +=
                        QCoreApplication::translate(
                            "HistoryCommands", "The check of the copy (PRAGMA quick_check) found "
                                               "problems:\n") +
                        problems.mid(0, 10).join(QLatin1Char('\n'));
            } catch (const DbError& e) {
                text += QCoreApplication::translate("HistoryCommands",
                                                    "The copy could not be checked: ") +
                        e.message();
            }
            const QString databasePath = frame.app().dbConnection.path();
            text +=
                QCoreApplication::translate("HistoryCommands", "\n\nDaily copies: %1, in \"%2\".")
                    .arg(backup::summary(databasePath),
                         QDir::toNativeSeparators(backup::folderOf(databasePath)));
            frame.report(text);
        });
    runner->start(0); // a small file is copied at once, a big one shows its progress
}

void HistoryCommands::showArticle(Frame& frame, const QString& filter, int position,
                                  const QString& number, qint64 row)
{
    mdlMain& app = frame.app();
    RecordSet& rs = app.rsMain;
    frame.DropUnsentChanges();
    try {
        app.ReloadArticles();
        if (filter.isEmpty()) {
            rs.moveToPosition(history::positionOf(app.dbConnection, row));
        } else {
            rs.setFilter(filter);
            rs.moveToPosition(position);
            if (rs.hasCurrentRow() && rs.value(QStringLiteral("ID")) != number) {
                for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
                    if (rs.value(QStringLiteral("ID")) == number)
                        break;
                }
                if (rs.eof())
                    rs.moveToPosition(position);
            }
        }
    } catch (const DbError& e) {
        frame.report(QCoreApplication::translate("HistoryCommands",
                                                 "The articles could not be read again: ") +
                     e.message());
    }
    frame.ShowCurrentRecord();
}
