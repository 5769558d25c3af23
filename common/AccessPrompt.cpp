#include "common/AccessPrompt.h"

#include "common/MessageBox.h"
#include "core/AccessConversion.h"
#include "core/AccessDatabase.h"
#include "core/DbError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>

QString convertIfAccessDatabase(QWidget* parent, const QString& path)
{
    if (!accessdb::isAccessPath(path))
        return path;
    const auto tr = [](const char* text) {
        return QCoreApplication::translate("AccessPrompt", text);
    };
    if (!askYesNo(parent, accessConversionQuestion(), QStringLiteral("Ardentry"), QMessageBox::Yes))
        return QString();
    const QString wanted = convertedDatabasePath(path);
    const QString target = freeConvertedDatabasePath(path);
    AccessConversionResult result;
    try {
        QProgressDialog progress(tr("Converting the Access database..."), tr("Cancel"), 0, 100,
                                 parent);
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
        showMessage(parent, tr("The Access database was not converted: %1\n\nNothing was written; "
                               "the Access file is as it was.")
                                .arg(e.message()));
        return QString();
    }
    if (result.cancelled) {
        showMessage(parent, tr("The conversion was cancelled. Nothing was written; the Access "
                               "file is as it was."));
        return QString();
    }
    QString text =
        tr("The Access database was converted into %1.").arg(QDir::toNativeSeparators(target));
    if (target != wanted)
        text += QLatin1Char(' ') +
                tr("(%1 exists already and was left as it is.)").arg(QFileInfo(wanted).fileName());
    text += QStringLiteral("\n\n") + result.report();
    showMessage(parent, text);
    return target;
}
