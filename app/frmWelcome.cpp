// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmWelcome.h"

#include "app/frmPassword.h"
#include "common/DesignedLayout.h"
#include "common/MessageBox.h"
#include "core/Connection.h"
#include "core/NewDatabase.h"
#include "core/ServerAddress.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <initializer_list>
#include <stdexcept>

namespace
{
// The caption as a screen reader says it: without the mnemonic's "&".
QString spoken(const QString& caption)
{
    QString text = caption;
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

// The busy pointer while a new database (possibly with its sample articles) is written.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QStringList databaseFilters()
{
    return {frmWelcome::tr("Ardentry databases (*.db *.sqlite *.sqlite3)"),
            frmWelcome::tr("All files (*)"),
            frmWelcome::tr("Access databases to convert (*.mdb *.accdb)")};
}
} // namespace

frmWelcome::frmWelcome(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmWelcome"));
    setWindowTitle(tr("Welcome to Ardentry"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgIcon"));
    picture->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    picture->setAccessibleName(tr("Ardentry"));

    lblTitle = new QLabel(tr("Welcome to Ardentry"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    lblTitle->setFont(big);

    lblIntro = new QLabel(tr("Ardentry keeps its articles in a database file. Choose the one to "
                             "work with; Database Path on the Setup menu changes it later."),
                          this);
    lblIntro->setObjectName(QStringLiteral("lblIntro"));
    lblIntro->setWordWrap(true);
    lblIntro->setMinimumWidth(380);

    cmdOpen = commandButton(this, "cmdOpen", tr("&Open an existing database..."));
    cmdCreate = commandButton(this, "cmdCreate", tr("&Create a new database..."), true);
    chkSample = new QCheckBox(tr("Fill the new database with &sample articles"), this);
    chkSample->setObjectName(QStringLiteral("chkSample"));
    cmdQuit = commandButton(this, "cmdQuit", tr("&Quit"));
    cmdServer = commandButton(this, "cmdServer", tr("Co&nnect to a server..."));
    for (QLabel* label : {lblTitle, lblIntro})
        label->setAccessibleName(label->text());
    for (QAbstractButton* button :
         std::initializer_list<QAbstractButton*>{cmdOpen, cmdCreate, chkSample, cmdQuit, cmdServer})
        button->setAccessibleName(spoken(button->text()));

    auto* heading = new QVBoxLayout;
    heading->addWidget(lblTitle);
    heading->addWidget(lblIntro);
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(heading, 1);
    auto* sample = new QHBoxLayout;
    sample->addSpacing(24);
    sample->addWidget(chkSample);
    auto* quit = new QHBoxLayout;
    quit->addStretch();
    quit->addWidget(cmdQuit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addWidget(cmdOpen);
    layout->addWidget(cmdCreate);
    layout->addLayout(sample);
    layout->addWidget(cmdServer);
    layout->addSpacing(12);
    layout->addLayout(quit);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOpen, &QPushButton::clicked, this, &frmWelcome::cmdOpen_Click);
    connect(cmdCreate, &QPushButton::clicked, this, &frmWelcome::cmdCreate_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdServer, &QPushButton::clicked, this, &frmWelcome::cmdServer_Click);
}

QString frmWelcome::chooseExistingDatabase(QWidget* parent, const QString& folder)
{
    QFileDialog chooser(parent, tr("Open an Existing Database"),
                        folder.isEmpty() ? documentsFolder() : folder);
    chooser.setObjectName(QStringLiteral("dlgOpenDatabase"));
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setNameFilters(databaseFilters());
    if (MessageBox::exec(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return QString();
    return QDir::cleanPath(chooser.selectedFiles().first());
}

QString frmWelcome::proposedNewDatabase()
{
    return QDir(documentsFolder()).filePath(QStringLiteral("Helpdesk.ardentry.db"));
}

void frmWelcome::cmdOpen_Click()
{
    const QString chosen = chooseExistingDatabase(this);
    if (chosen.isEmpty())
        return;
    m_databasePath = chosen;
    accept();
}

void frmWelcome::cmdCreate_Click()
{
    const QString proposed = proposedNewDatabase();
    QFileDialog chooser(this, tr("Create a New Database"), QFileInfo(proposed).absolutePath());
    chooser.setObjectName(QStringLiteral("dlgNewDatabase"));
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setOption(QFileDialog::DontConfirmOverwrite); // an existing file is refused below
    chooser.setFileMode(QFileDialog::AnyFile);
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setNameFilters(databaseFilters());
    chooser.setDefaultSuffix(QStringLiteral("db"));
    chooser.selectFile(proposed);
    if (MessageBox::exec(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return;
    const QString path = QDir::cleanPath(chooser.selectedFiles().first());
    if (QFileInfo::exists(path)) {
        showMessage(this, tr("%1 exists already.\n\nChoose another name for the new database, "
                             "or open this one with \"Open an existing database...\".")
                              .arg(QDir::toNativeSeparators(path)));
        return;
    }
    NewDatabaseOptions options;
    options.sample = chkSample->isChecked();
    try {
        const WaitCursor waiting;
        createArticleDatabase(path, options);
    } catch (const std::exception& e) {
        showMessage(this,
                    tr("The new database %1 could not be created.\n\n%2")
                        .arg(QDir::toNativeSeparators(path), QString::fromStdString(e.what())));
        return;
    }
    m_databasePath = path;
    accept();
}

void frmWelcome::cmdServer_Click()
{
    QString typed;
    ServerAddress address;
    for (;;) {
        QInputDialog ask(this);
        ask.setObjectName(QStringLiteral("dlgServerAddress"));
        ask.setWindowTitle(tr("Connect to a Server"));
        ask.setLabelText(tr("Address of the database on the PostgreSQL server\n"
                            "(postgresql://user@host/database):"));
        ask.setTextValue(typed);
        if (MessageBox::exec(ask) != QDialog::Accepted)
            return;
        typed = ask.textValue().trimmed();
        QString why;
        if (ServerAddress::parse(typed, address, &why))
            break;
        showMessage(this, tr("This server address cannot be used.\n\n%1").arg(why));
    }
    QString password;
    for (;;) {
        Connection probe;
        probe.setPassword(password);
        try {
            const WaitCursor waiting;
            probe.open(typed);
            break;
        } catch (const DbError& e) {
            if (e.kind() != DbError::Kind::PasswordNeeded) {
                showMessage(this,
                            tr("Ardentry cannot connect to the server.\n\n%1").arg(e.message()));
                return;
            }
            frmPassword ask(address.display(),
                            e.message().contains(QLatin1String("authentication")) ? e.message()
                                                                                  : QString(),
                            this);
            if (MessageBox::exec(ask) != QDialog::Accepted)
                return;
            password = ask.password();
        }
    }
    m_databasePath = typed; // its passwords are taken out before it is stored
    m_password = password;
    accept();
}
