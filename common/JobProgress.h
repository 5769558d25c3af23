// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProgressDialog>
#include <QString>

// The progress window of a long job (import, export, a backup, the pictures' commands): titled
// "Ardentry", shown at once at zero, and left open at its end until the job closes it, so that
// a job that ends early never leaves a half-reset bar behind.
inline void setUpJobProgress(QProgressDialog& dialog, const char* objectName,
                             Qt::WindowModality modality = Qt::WindowModal)
{
    dialog.setObjectName(QString::fromLatin1(objectName));
    dialog.setWindowTitle(QStringLiteral("Ardentry"));
    dialog.setWindowModality(modality);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setValue(0);
}
