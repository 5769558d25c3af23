// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmCustomizeLabels.h"

#include "common/DesignedLayout.h"
#include "common/Frame.h"
#include "common/MessageBox.h"
#include "common/SingleInstance.h"
#include "core/mdlMain.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

const char* const frmCustomizeLabels::DefaultTexts[6] = {
    QT_TR_NOOP("AR Number:"), QT_TR_NOOP("Category:"), QT_TR_NOOP("Entered By:"),
    QT_TR_NOOP("Title:"),     QT_TR_NOOP("Problem:"),  QT_TR_NOOP("Solution:")};

namespace
{
const QString LabelsColumn = QStringLiteral("Labels");

// rsAux is opened only inside one handler at a time; it is closed however the handler ends.
struct AuxGuard {
    RecordSet& rs;
    ~AuxGuard() { rs.close(); }
};
} // namespace

frmCustomizeLabels::frmCustomizeLabels(Frame& frame, mdlMain& app)
    : QDialog(frame.window(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                  Qt::WindowCloseButtonHint),
      m_frame(frame), m_app(app)
{
    setObjectName(QStringLiteral("frmCustomizeLabels"));
    setWindowTitle(tr("Customize Labels"));
    setAttribute(Qt::WA_DeleteOnClose); // only the title bar's close closes it; OK/Cancel hide

    auto* grid = new QGridLayout;
    for (int k = 0; k < 6; ++k) {
        const QString n = QString::number(k + 1);
        Label[k] = new QLabel(tr(DefaultTexts[k]), this);
        Label[k]->setObjectName(QStringLiteral("Label") + n);
        Text[k] = new QLineEdit(this);
        Text[k]->setObjectName(QStringLiteral("Text") + n);
        Text[k]->setMinimumWidth(240);
        Label[k]->setBuddy(Text[k]);
        grid->addWidget(Label[k], k, 0);
        grid->addWidget(Text[k], k, 1);
    }
    Command1 = commandButton(this, "Command1", tr("&OK"), true);
    Command2 = commandButton(this, "Command2", tr("&Cancel"));
    Command3 = commandButton(this, "Command3", tr("&Reset to Default"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command3);
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Command1, &QPushButton::clicked, this, &frmCustomizeLabels::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmCustomizeLabels::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmCustomizeLabels::Command3_Click);
}

void frmCustomizeLabels::Form_Load()
{
    // Rows that the table lacks show their default text; OK adds them.
    QStringList stored;
    RecordSet& aux = m_app.rsAux;
    try {
        AuxGuard guard{aux};
        aux.open(QString::fromLatin1(mdlMain::CustomizeQuery));
        for (; !aux.eof() && stored.size() < 6; aux.moveNext())
            stored << aux.value(LabelsColumn);
    } catch (const DbError& e) {
        stored.clear();
        showMessage(this, tr("The label texts could not be read; the default texts are "
                             "shown.\n\n") +
                              e.message());
    }
    for (int k = 0; k < 6; ++k)
        Text[k]->setText(k < stored.size() ? stored.at(k) : QString::fromLatin1(DefaultTexts[k]));
}

void frmCustomizeLabels::Command1_Click()
{
    // Each row is written on its own: a failure leaves the rows before it stored.
    RecordSet& aux = m_app.rsAux;
    int row = -1; // the row being written
    try {
        AuxGuard guard{aux};
        aux.open(QString::fromLatin1(mdlMain::CustomizeQuery));
        const int existing = aux.recordCount();
        qint64 lastId = 0;
        for (row = 0; row < 6; ++row) {
            if (row < existing) {
                bool number = false;
                const qint64 id = aux.value(QStringLiteral("ID")).toLongLong(&number);
                if (number)
                    lastId = id;
                aux.collect(LabelsColumn, Text[row]->text());
                aux.updateBatch();
                if (row + 1 < existing)
                    aux.moveNext();
            } else {
                // A missing row gets its row number as ID, or the number after the last ID when
                // that is higher, so that it sorts after the rows already there.
                lastId = std::max<qint64>(row + 1, lastId + 1);
                aux.addNew();
                aux.collect(QStringLiteral("ID"), QString::number(lastId));
                aux.collect(LabelsColumn, Text[row]->text());
                aux.updateBatch();
            }
        }
    } catch (const DbError& e) {
        QString text;
        if (row < 0)
            text = tr("The labels could not be saved.\n\n") + e.message();
        else
            text = tr("The label \"%1\" could not be saved.\n\n%2")
                       .arg(tr(DefaultTexts[row]), e.message());
        if (row > 0)
            text += tr("\n\nThe labels before it were saved.");
        showMessage(this, text);
        return; // the dialog stays open with the texts as typed
    }
    hide();
}

void frmCustomizeLabels::Command2_Click()
{
    hide();
}

void frmCustomizeLabels::Command3_Click()
{
    for (int k = 0; k < 6; ++k)
        Text[k]->setText(QString::fromLatin1(DefaultTexts[k]));
}

void frmCustomizeLabels::reject()
{
    Command2_Click();
}

void frmCustomizeLabels::closeEvent(QCloseEvent* event)
{
    // The title bar's close unloads the dialog: unsaved edits are gone, the next showing loads
    // the stored texts again.
    SingleInstance::markUnloaded(this);
    event->accept();
}
