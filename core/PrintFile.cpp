// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PrintFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace PrintFile
{

namespace
{

const QString FileName = QStringLiteral("artemp.html");

// A folder that only this user can see into and write: a real folder (not a link), owned by the
// user, with no rights for group or others.
bool isPrivate(const QString& folder)
{
#ifdef Q_OS_UNIX
    struct stat st {
    };
    if (::lstat(QFile::encodeName(folder).constData(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
#else
    return QFileInfo(folder).isDir();
#endif
}

QString ownTempFolder()
{
#ifdef Q_OS_UNIX
    const QString folder =
        QDir(QDir::tempPath()).filePath(QStringLiteral("ardentry-%1").arg(::geteuid()));
    ::mkdir(QFile::encodeName(folder).constData(), 0700); // fails harmlessly when it exists
    return folder;
#else
    return QStandardPaths::writableLocation(QStandardPaths::TempLocation);
#endif
}

} // namespace

QString folder(QString* error)
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && isPrivate(runtime))
        return runtime;
    const QString own = ownTempFolder();
    if (isPrivate(own))
        return own;
    if (error)
        *error =
            QCoreApplication::translate(
                "PrintFile", "there is no temporary folder of your own to write the print file "
                             "in (\"%1\" belongs to someone else or others may write in it)")
                .arg(QDir::toNativeSeparators(own));
    return QString();
}

QString path(QString* error)
{
    const QString dir = folder(error);
    return dir.isEmpty() ? QString() : QDir(dir).filePath(FileName);
}

QString write(const QString& page, QString* error)
{
    QString reason;
    const QString file = path(&reason);
    if (file.isEmpty()) {
        if (error)
            *error = reason;
        return QString();
    }
    auto failed = [&](const QString& why) {
        if (error)
            *error = QCoreApplication::translate("PrintFile",
                                                 "the print file \"%1\" could not be written (%2)")
                         .arg(QDir::toNativeSeparators(file), why);
        return QString();
    };
    // The save file would write through a link to wherever it points: remove the link itself.
    const QFileInfo existing(file);
    if (existing.isSymLink()) {
        if (!QFile::remove(file))
            return failed(
                QCoreApplication::translate("PrintFile", "a link of that name cannot be removed"));
    } else if (existing.exists() && !existing.isFile()) {
        return failed(
            QCoreApplication::translate("PrintFile", "something other than a file has that name"));
    }
    QSaveFile out(file);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        return failed(out.errorString());
    out.write(page.toUtf8());
    out.write("\r\n");
    if (!out.commit())
        return failed(out.errorString());
    return file;
}

} // namespace PrintFile
