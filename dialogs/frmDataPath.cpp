// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmDataPath.h"

#include "common/AccessPrompt.h"
#include "common/DesignedLayout.h"
#include "common/Frame.h"
#include "common/MessageBox.h"
#include "common/SingleInstance.h"
#include "core/AccessDatabase.h"
#include "core/ProfileFile.h"
#include "core/ServerAddress.h"
#include "core/mdlMain.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
const QString Section = QStringLiteral("General");
const QString Key = QStringLiteral("Path");
} // namespace

frmDataPath::frmDataPath(Frame& frame, mdlMain& app)
    : QDialog(frame.window(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                  Qt::WindowCloseButtonHint),
      m_frame(frame), m_app(app)
{
    setObjectName(QStringLiteral("frmDataPath"));
    setWindowTitle(tr("Ardentry Database Path"));
    setAttribute(Qt::WA_DeleteOnClose);

    Label1 = new QLabel(tr("Database Path:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setMinimumWidth(420);
    Label1->setBuddy(Text1);
    cmdBrowse = commandButton(this, "cmdBrowse", tr("Browse..."));
    Command1 = commandButton(this, "Command1", tr("&OK"), true);
    Command2 = commandButton(this, "Command2", tr("&Cancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdBrowse);
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Text1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Command1, &QPushButton::clicked, this, &frmDataPath::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmDataPath::Command2_Click);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmDataPath::cmdBrowse_Click);
}

void frmDataPath::Form_Load()
{
    m_frame.disableWhileOpen(this);
    Text1->setText(ProfileFile(m_app.IniFile()).read(Section, Key));
}

void frmDataPath::Command1_Click()
{
    // Stored exactly as typed: no trimming, no check that the file exists, empty allowed. Only
    // a server address loses its passwords, which are kept in memory for the next start; one
    // that cannot be read is refused, since what in it is a password cannot be told.
    QString reason;
    ServerAddress address;
    if (ServerAddress::looks(Text1->text()) &&
        !ServerAddress::parse(Text1->text(), address, &reason)) {
        showMessage(this, tr("The server address was not stored: %1").arg(reason));
        return; // the typed address stays in the box, to be mended
    }
    QString path = m_app.TakePassword(Text1->text());
    if (accessdb::isAccessPath(path)) {
        // An Access database is converted; the new database's path is stored instead.
        path = convertIfAccessDatabase(this, path);
        if (path.isEmpty())
            return;                      // the typed path stays in the box
        path = m_app.TakePassword(path); // a server's address may hold one
        Text1->setText(ServerAddress::looks(path) ? path : QDir::toNativeSeparators(path));
    }
    if (!ProfileFile(m_app.IniFile()).write(Section, Key, path, &reason)) {
        showMessage(this, tr("The database path could not be stored in %1.\n\n%2")
                              .arg(QDir::toNativeSeparators(m_app.IniFile()), reason));
        return; // the typed path stays in the box
    }
    accept();
}

void frmDataPath::Command2_Click()
{
    reject();
}

void frmDataPath::cmdBrowse_Click()
{
    QString folder = m_app.programFolder();
    const QFileInfo typed(Text1->text());
    if (!Text1->text().isEmpty() && typed.absoluteDir().exists())
        folder = typed.absolutePath();

    QFileDialog chooser(this, tr("Database File"), folder);
    chooser.setObjectName(QStringLiteral("dlgDatabaseFile"));
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setNameFilters(
        {tr("Database files (*.db *.sqlite *.sqlite3 *.mdb)"), tr("All files (*)")});
    if (typed.isFile())
        chooser.selectFile(typed.absoluteFilePath());
    if (MessageBox::exec(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return;
    Text1->setText(QDir::toNativeSeparators(chooser.selectedFiles().first()));
}

void frmDataPath::done(int result)
{
    m_frame.enableAgain();
    SingleInstance::markUnloaded(this); // closing: the next command opens a new one
    QDialog::done(result);
}
