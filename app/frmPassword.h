// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks at start-up for the password of a database server that wants one which neither the
// address, ~/.pgpass nor libpq's environment gave. The text is not echoed and is kept in memory
// only. Accepted by OK, rejected by Cancel, Escape and the title bar's close.
class frmPassword : public QDialog
{
    Q_OBJECT
public:
    // `address`: the server address as it may be shown; `reason`: the server's answer to the
    // last attempt.
    frmPassword(const QString& address, const QString& reason, QWidget* parent = nullptr);

    QString password() const;

    void cmdOK_Click();

    QLabel* lblPassword = nullptr;
    QLabel* lblReason = nullptr;
    QLineEdit* txtPassword = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};
