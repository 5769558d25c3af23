// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmPassword.h"

#include "common/DesignedLayout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmPassword::frmPassword(const QString& address, const QString& reason, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmPassword"));
    setWindowTitle(tr("Ardentry Database Password"));

    // The caption's "&" marks the shortcut; an "&" of the address (between its options) shows.
    lblPassword =
        new QLabel(tr("&Password for %1:")
                       .arg(QString(address).replace(QLatin1Char('&'), QStringLiteral("&&"))),
                   this);
    lblPassword->setObjectName(QStringLiteral("lblPassword"));
    lblPassword->setTextFormat(Qt::PlainText);
    lblPassword->setWordWrap(true);
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setMinimumWidth(360);
    txtPassword->setAccessibleName(tr("Password"));
    lblPassword->setBuddy(txtPassword);
    lblReason = new QLabel(reason, this);
    lblReason->setObjectName(QStringLiteral("lblReason"));
    lblReason->setTextFormat(Qt::PlainText);
    lblReason->setWordWrap(true);
    lblReason->setVisible(!reason.isEmpty());
    cmdOK = commandButton(this, "cmdOK", tr("&OK"), true);
    cmdCancel = commandButton(this, "cmdCancel", tr("&Cancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPassword);
    layout->addWidget(txtPassword);
    layout->addWidget(lblReason);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK, &QPushButton::clicked, this, &frmPassword::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    txtPassword->setFocus();
}

QString frmPassword::password() const
{
    return txtPassword->text();
}

void frmPassword::cmdOK_Click()
{
    accept();
}
