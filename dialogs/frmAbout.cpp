// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmAbout.h"

#include "Version.h"

#include "common/DesignedLayout.h"
#include "common/Frame.h"
#include "common/SingleInstance.h"

#include <QApplication>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

frmAbout::frmAbout(Frame& frame)
    : QDialog(frame.window(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                  Qt::WindowCloseButtonHint),
      m_frame(frame)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About Ardentry"));
    setAttribute(Qt::WA_DeleteOnClose);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    // The program's own icon, drawn sharp at the screen's scale.
    Image1->setPixmap(QApplication::windowIcon().pixmap(QSize(48, 48), devicePixelRatioF()));
    Image1->setFixedSize(48, 48);
    Image1->setAccessibleName(QStringLiteral("Ardentry"));

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Label1 = new QLabel(QStringLiteral("Ardentry"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont big = Label1->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    Label1->setFont(big);
    Label2 = new QLabel(tr("Version 1.1"), Frame1);
    Label2->setObjectName(QStringLiteral("Label2"));
    auto* frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addWidget(Label1);
    frameLayout->addWidget(Label2);

    Label5 = new QLabel(QStringLiteral("BuildNumber"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label6 = new QLabel(tr("January 23, 2006"), this);
    Label6->setObjectName(QStringLiteral("Label6"));

    Command1 = commandButton(this, "Command1", tr("&OK"), true);

    auto* top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addWidget(Frame1, 1);
    auto* bottom = new QHBoxLayout;
    auto* facts = new QVBoxLayout;
    facts->addWidget(Label5);
    facts->addWidget(Label6);
    bottom->addLayout(facts);
    bottom->addStretch();
    bottom->addWidget(Command1, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);
}

void frmAbout::Form_Load()
{
    m_frame.disableWhileOpen(this);
    Label5->setText(tr("Build %1").arg(ARDENTRY_REVISION));
}

void frmAbout::Command1_Click()
{
    accept();
}

void frmAbout::done(int result)
{
    m_frame.enableAgain();
    SingleInstance::markUnloaded(this); // closing: the next command opens a new one
    QDialog::done(result);
}
