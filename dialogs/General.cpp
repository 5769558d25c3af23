// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/General.h"

#include "common/DesignedLayout.h"
#include "common/Frame.h"
#include "common/SingleInstance.h"
#include "core/Backup.h"
#include "core/mdlMain.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <tuple>
#include <utility>

General::General(Frame& frame, mdlMain& app)
    : QDialog(frame.window(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                  Qt::WindowCloseButtonHint),
      m_frame(frame), m_app(app)
{
    setObjectName(QStringLiteral("General"));
    setWindowTitle(tr("General Information"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* grid = new QGridLayout;
    auto line = [this, grid](int row, const char* captionName, const char* caption,
                             const char* valueName, const char* design) {
        auto* label = new QLabel(tr(caption), this);
        label->setObjectName(QString::fromLatin1(captionName));
        auto* value = new QLabel(QString::fromLatin1(design), this);
        value->setObjectName(QString::fromLatin1(valueName));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setTextFormat(Qt::PlainText);
        // Screen readers name each value by its caption.
        value->setAccessibleName(tr(caption).remove(QLatin1Char(':')));
        grid->addWidget(label, row, 0, Qt::AlignLeft | Qt::AlignTop);
        grid->addWidget(value, row, 1, Qt::AlignLeft | Qt::AlignTop);
        return std::make_pair(label, value);
    };
    std::tie(Label1, Label2) =
        line(0, "Label1", QT_TR_NOOP("Database path:"), "Label2", "FileLocation");
    std::tie(Label3, Label4) =
        line(1, "Label3", QT_TR_NOOP("Number of database records:"), "Label4", "NumRecords");
    std::tie(Label5, Label6) = line(2, "Label5", QT_TR_NOOP("Database Engine:"), "Label6", "");
    std::tie(Label7, Label8) = line(3, "Label7", QT_TR_NOOP("Database Structure:"), "Label8", "");
    line(4, "Label9", QT_TR_NOOP("Newest backup:"), "Label10", ""); // the automatic copies
    line(5, "Label11", QT_TR_NOOP("Daily copies:"), "Label12", "");
    Label2->setMinimumWidth(300); // the window widens to show a long path whole

    Command1 = commandButton(this, "Command1", tr("&OK"), true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Command1, &QPushButton::clicked, this, &General::Command1_Click);
}

void General::Form_Load()
{
    const bool server = m_app.dbConnection.isServer();
    Label2->setText(server ? m_app.ShownDatabasePath()
                           : QDir::toNativeSeparators(m_app.DatabasePath()));
    m_frame.disableWhileOpen(this);
    // Taken once: the count does not follow later changes while the window is open. Under a
    // search filter it is the number of matching articles.
    QString count;
    try {
        if (m_app.rsMain.isOpen())
            count = QString::number(m_app.rsMain.recordCount());
    } catch (const DbError&) {
        // An unreadable count leaves the line empty; the other lines are still filled.
    }
    Label4->setText(count);
    QString version;
    try {
        if (m_app.dbConnection.isServer())
            m_app.dbConnection.ensureAlive(); // a lost connection is made again
        version = m_app.dbConnection.engineVersion();
    } catch (const DbError& e) {
        version = tr("(unknown: %1)").arg(e.message());
    }
    Label6->setText(m_app.dbConnection.engineName() + QLatin1Char(' ') + version);
    auto* backups = findChild<QLabel*>(QStringLiteral("Label10"));
    if (server) {
        // A server's database is backed up by the server's administrator, not by Ardentry.
        Label8->setText(tr("PostgreSQL database on a server"));
        backups->setText(tr("kept by the server"));
        findChild<QLabel*>(QStringLiteral("Label12"))
            ->setText(tr("made by the server's administrator"));
        return;
    }
    Label8->setText(tr("SQLite 3 database file"));
    const QDateTime backedUp = backup::newestCopy(m_app.dbConnection.path());
    backups->setText(backedUp.isValid() ? backedUp.toString(QStringLiteral("yyyy-MM-dd HH:mm"))
                                        : tr("none yet"));
    findChild<QLabel*>(QStringLiteral("Label12"))
        ->setText(backup::summary(m_app.dbConnection.path()));
}

void General::Command1_Click()
{
    accept();
}

void General::done(int result)
{
    m_frame.enableAgain();
    SingleInstance::markUnloaded(this); // closing: the next command opens a new one
    QDialog::done(result);
}
