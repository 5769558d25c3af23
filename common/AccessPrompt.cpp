// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/AccessPrompt.h"

#include "common/MessageBox.h"
#include "core/AccessConversion.h"
#include "core/AccessDatabase.h"
#include "core/DbError.h"
#include "core/ServerAddress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QProgressDialog>

namespace
{
// The context of this file's texts in the translations.
struct AccessPrompt {
    Q_DECLARE_TR_FUNCTIONS(AccessPrompt)
};

// A server address without its password.
QString shownAddress(const QString& text)
{
    ServerAddress address;
    return ServerAddress::parse(text, address) ? address.display() : text;
}
} // namespace

QString convertIfAccessDatabase(QWidget* parent, const QString& path)
{
    if (!accessdb::isAccessPath(path))
        return path;
    // Only a help desk's database is converted; any other Access file is said to be what it is
    // before anything is asked.
    try {
        if (!isHelpDeskAccessDatabase(accessdb::AccessFile(path))) {
            showMessage(parent, AccessPrompt::tr(
                                    "%1 is an Access database, but it holds no help-desk articles "
                                    "(no table AR), so it cannot be converted. Open or create an "
                                    "Ardentry database; Tools > Import Articles can then take "
                                    "the rows of any of its tables.")
                                    .arg(QDir::toNativeSeparators(path)));
            return QString();
        }
    } catch (const DbError& e) {
        showMessage(parent, e.message());
        return QString();
    }
    const QMessageBox::StandardButton answer =
        MessageBox::show(parent, accessConversionQuestion(), QStringLiteral("Ardentry"),
                         QMessageBox::Yes | QMessageBox::Save | QMessageBox::No, QMessageBox::Yes,
                         {{QMessageBox::Save, AccessPrompt::tr("Onto a &server...")}});
    if (answer != QMessageBox::Yes && answer != QMessageBox::Save)
        return QString();
    const QString wanted = convertedDatabasePath(path);
    QString target = freeConvertedDatabasePath(path);
    if (answer == QMessageBox::Save) {
        // An empty database made on the server beforehand (createdb); its password comes from
        // ~/.pgpass or libpq's environment, as for ardentry-newdb.
        QInputDialog ask(parent);
        ask.setObjectName(QStringLiteral("dlgConvertTarget"));
        ask.setWindowTitle(QStringLiteral("Ardentry"));
        ask.setLabelText(
            AccessPrompt::tr("The address of an empty database on the server, made with createdb "
                             "(postgresql://user@host/dbname):"));
        ask.setTextValue(QStringLiteral("postgresql://"));
        if (MessageBox::exec(ask) != QDialog::Accepted ||
            ask.textValue().trimmed() == QLatin1String("postgresql://"))
            return QString();
        target = ask.textValue().trimmed();
    }
    AccessConversionResult result;
    try {
        QProgressDialog progress(AccessPrompt::tr("Converting the Access database..."),
                                 AccessPrompt::tr("Cancel"), 0, 100, parent);
        progress.setObjectName(QStringLiteral("dlgConvertAccess"));
        progress.setWindowTitle(QStringLiteral("Ardentry"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(300);
        result = convertAccessDatabase(path, target, [&](qint64 done, qint64 total) {
            progress.setValue(total > 0 ? int(done * 100 / total) : 100);
            QCoreApplication::processEvents();
            return !progress.wasCanceled();
        });
    } catch (const DbError& e) {
        showMessage(parent, AccessPrompt::tr(
                                "The Access database was not converted: %1\n\nNothing was written; "
                                "the Access file is as it was.")
                                .arg(e.message()));
        return QString();
    }
    if (result.cancelled) {
        showMessage(parent, AccessPrompt::tr(
                                "The conversion was cancelled. Nothing was written; the Access "
                                "file is as it was."));
        return QString();
    }
    QString text = AccessPrompt::tr("The Access database was converted into %1.")
                       .arg(answer == QMessageBox::Save ? shownAddress(target)
                                                        : QDir::toNativeSeparators(target));
    if (answer == QMessageBox::Yes && target != wanted)
        text += QLatin1Char(' ') + AccessPrompt::tr("(%1 exists already and was left as it is.)")
                                       .arg(QFileInfo(wanted).fileName());
    text += QStringLiteral("\n\n") + result.report();
    showMessage(parent, text);
    return target;
}
