// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/PictureCommands.h"

#include "common/Frame.h"
#include "common/JobProgress.h"
#include "common/MessageBox.h"
#include "core/Connection.h"
#include "core/Pictures.h"
#include "core/mdlMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QProgressDialog>

#include <algorithm>
#include <memory>

namespace
{

// A modal progress window over the main window; its callback reports to it and tells whether
// the user cancelled.
class Progress
{
public:
    Progress(Frame& frame, const QString& label, const char* objectName)
        : m_dialog(label, QCoreApplication::translate("PictureCommands", "Cancel"), 0, 1000,
                   frame.window())
    {
        setUpJobProgress(m_dialog, objectName);
    }
    ~Progress() { m_dialog.close(); }
    pictures::Progress callback()
    {
        return [this](qint64 done, qint64 total) {
            m_dialog.setValue(total > 0 ? int(std::min(done, total) * 1000 / total) : 1000);
            QCoreApplication::processEvents();
            return !m_dialog.wasCanceled();
        };
    }

private:
    QProgressDialog m_dialog;
};

// The slots named in a report, at most `shown` of them, and how many more there are.
QString listed(const QStringList& lines, int shown = 20)
{
    QString text = lines.mid(0, shown).join(QLatin1Char('\n'));
    if (lines.size() > shown)
        text +=
            QLatin1Char('\n') + QCoreApplication::translate("PictureCommands", "... and %1 more.")
                                    .arg(lines.size() - shown);
    return text;
}

// The database file's size, or -1 for a database that is no file.
qint64 fileSize(const Connection& connection)
{
    const QFileInfo file(connection.path());
    return file.isFile() ? file.size() : -1;
}

// After a job changed articles: the articles are read again and the form shows the same place.
void showAgain(Frame& frame, int position)
{
    mdlMain& app = frame.app();
    RecordSet& rs = app.rsMain;
    frame.DropUnsentChanges();
    try {
        app.ReloadArticles();
        rs.moveToPosition(position);
    } catch (const DbError& e) {
        frame.report(QCoreApplication::translate("PictureCommands",
                                                 "The articles could not be read again: ") +
                     e.message());
    }
    frame.ShowCurrentRecord();
}

} // namespace

void PictureCommands::storeLinked(Frame& frame)
{
    Connection& connection = frame.app().dbConnection;
    // A relative path starts beside a database file, as the web export reads it; a server's
    // start in the home folder.
    const QString base = QFileInfo(connection.path()).isFile()
                             ? QFileInfo(connection.path()).absolutePath()
                             : QDir::homePath();
    const int position = frame.app().rsMain.isOpen() && frame.app().rsMain.hasCurrentRow()
                             ? frame.app().rsMain.absolutePosition()
                             : 1;
    pictures::JobReport report;
    try {
        connection.ensureAlive();
        pictures::install(connection);
        Progress progress(frame,
                          QCoreApplication::translate(
                              "PictureCommands", "Storing the linked pictures in the database..."),
                          "dlgStoreLinkedProgress");
        report = pictures::storeLinked(connection, base, progress.callback());
    } catch (const DbError& e) {
        frame.report(QCoreApplication::translate(
                         "PictureCommands",
                         "The linked pictures could not be stored in the database: %1\n\nThe "
                         "database is as it was.")
                         .arg(e.message()));
        return;
    }
    if (report.cancelled) {
        frame.report(QCoreApplication::translate(
            "PictureCommands",
            "Storing the linked pictures was cancelled. The database is as it was."));
        return;
    }
    if (report.stored > 0)
        showAgain(frame, position);
    QString text = QCoreApplication::translate("PictureCommands",
                                               "Linked pictures stored in the database: %1.")
                       .arg(report.stored);
    if (!report.unreadable.isEmpty())
        text += QStringLiteral("\n\n") +
                QCoreApplication::translate(
                    "PictureCommands", "Slots that could not be read, which keep their paths: %1\n")
                    .arg(report.unreadable.size()) +
                listed(report.unreadable);
    frame.report(text);
}

void PictureCommands::writePictures(Frame& frame)
{
    Connection& connection = frame.app().dbConnection;
    QFileDialog chooser(
        frame.window(),
        QCoreApplication::translate("PictureCommands", "Write the stored pictures to a folder"),
        QDir::homePath());
    chooser.setObjectName(QStringLiteral("dlgPictureFolder"));
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setFileMode(QFileDialog::Directory);
    chooser.setOption(QFileDialog::ShowDirsOnly);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    if (MessageBox::exec(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return;
    const QString folder = chooser.selectedFiles().constFirst();
    const QString shown = QDir::toNativeSeparators(folder);
    pictures::JobReport report;
    try {
        connection.ensureAlive();
        if (pictures::isInstalled(connection)) {
            Progress progress(frame,
                              QCoreApplication::translate(
                                  "PictureCommands", "Writing the stored pictures to \"%1\"...")
                                  .arg(shown),
                              "dlgWritePicturesProgress");
            report = pictures::writeOut(connection, folder, progress.callback());
        }
    } catch (const DbError& e) {
        frame.report(
            QCoreApplication::translate("PictureCommands",
                                        "The stored pictures could not be written to \"%1\": %2")
                .arg(shown, e.message()));
        return;
    }
    if (report.cancelled) {
        frame.report(QCoreApplication::translate(
                         "PictureCommands",
                         "Writing the stored pictures was cancelled. No picture was left in "
                         "\"%1\".")
                         .arg(shown));
        return;
    }
    QString text =
        QCoreApplication::translate("PictureCommands", "Stored pictures written to \"%1\": %2.")
            .arg(shown)
            .arg(report.stored);
    if (!report.unreadable.isEmpty())
        text += QStringLiteral("\n\n") +
                QCoreApplication::translate("PictureCommands",
                                            "Pictures that could not be written: %1\n")
                    .arg(report.unreadable.size()) +
                listed(report.unreadable);
    frame.report(text);
}

void PictureCommands::compact(Frame& frame)
{
    Connection& connection = frame.app().dbConnection;
    const qint64 before = fileSize(connection);
    qint64 removed = 0;
    bool cancelled = false;
    try {
        connection.ensureAlive();
        if (pictures::isInstalled(connection)) {
            Progress progress(
                frame, QCoreApplication::translate("PictureCommands", "Compacting the database..."),
                "dlgCompactProgress");
            const pictures::Progress report = progress.callback();
            removed = pictures::compact(connection, [&](qint64 done, qint64 total) {
                cancelled = !report(done, total);
                return !cancelled;
            });
        }
    } catch (const DbError& e) {
        frame.report(
            QCoreApplication::translate(
                "PictureCommands", "The database could not be compacted: %1\n\nIt is as it was.")
                .arg(e.message()));
        return;
    }
    if (cancelled) {
        frame.report(QCoreApplication::translate(
            "PictureCommands", "Compacting was cancelled. The database is as it was."));
        return;
    }
    QString text =
        QCoreApplication::translate(
            "PictureCommands", "Pictures removed that no article and no kept version used: %1.")
            .arg(removed);
    const qint64 after = fileSize(connection);
    if (before >= 0 && after >= 0) {
        const QLocale locale;
        text += QStringLiteral("\n\n") +
                QCoreApplication::translate(
                    "PictureCommands", "The database file measured %1 before and measures %2 now.")
                    .arg(locale.formattedDataSize(before), locale.formattedDataSize(after));
    }
    frame.report(text);
}
