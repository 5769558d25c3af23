// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/frmTrash.h"

#include "common/DesignedLayout.h"
#include "common/Frame.h"
#include "common/MessageBox.h"
#include "common/SingleInstance.h"
#include "core/TextMatch.h"
#include "core/mdlMain.h"
#include "history/HistoryCommands.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{

QString numberText(const QVariant& number)
{
    if (number.isNull())
        return QString();
    if (number.typeId() == QMetaType::LongLong || number.typeId() == QMetaType::Int)
        return textmatch::numberText(number.toLongLong());
    if (number.typeId() == QMetaType::Double)
        return textmatch::numberText(number.toDouble());
    return number.toString();
}

} // namespace

frmTrash::frmTrash(Frame& frame)
    : QDialog(frame.window(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                  Qt::WindowCloseButtonHint),
      m_frame(frame)
{
    setObjectName(QStringLiteral("frmTrash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(tr("Trash"));
    buildControls();
}

void frmTrash::buildControls()
{
    lblSearch = new QLabel(tr("&Search:"), this);
    lblSearch->setObjectName(QStringLiteral("lblSearch"));
    txtSearch = new QLineEdit(this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->setPlaceholderText(tr("Number, title, problem or solution"));
    txtSearch->setClearButtonEnabled(true);
    lblSearch->setBuddy(txtSearch);

    lstTrash = new QTreeWidget(this);
    lstTrash->setObjectName(QStringLiteral("lstTrash"));
    lstTrash->setHeaderLabels({tr("Number"), tr("Title"), tr("Deleted on"), tr("By")});
    lstTrash->setRootIsDecorated(false);
    lstTrash->setSelectionMode(QAbstractItemView::SingleSelection);
    lstTrash->setAllColumnsShowFocus(true);
    lstTrash->setColumnWidth(0, 70);
    lstTrash->setColumnWidth(1, 280);
    lstTrash->setColumnWidth(2, 130);
    lstTrash->setAccessibleName(tr("Deleted articles"));

    lblCount = new QLabel(this);
    lblCount->setObjectName(QStringLiteral("lblCount"));

    cmdRestore = commandButton(this, "cmdRestore", tr("&Restore"));
    cmdEmptyTrash = commandButton(this, "cmdEmptyTrash", tr("&Empty Trash"));
    cmdClose = commandButton(this, "cmdClose", tr("&Close"));

    auto* search = new QHBoxLayout;
    search->addWidget(lblSearch);
    search->addWidget(txtSearch, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdRestore);
    buttons->addWidget(cmdEmptyTrash);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(search);
    layout->addWidget(lstTrash, 1);
    layout->addWidget(lblCount);
    layout->addLayout(buttons);
    resize(640, 420);

    connect(txtSearch, &QLineEdit::textChanged, this, &frmTrash::txtSearch_Change);
    connect(lstTrash, &QTreeWidget::currentItemChanged, this, &frmTrash::updateButtons);
    connect(cmdRestore, &QPushButton::clicked, this, &frmTrash::cmdRestore_Click);
    connect(cmdEmptyTrash, &QPushButton::clicked, this, &frmTrash::cmdEmptyTrash_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmTrash::cmdClose_Click);
}

void frmTrash::showTrash(Frame& frame)
{
    SingleInstance::showIfLoads<frmTrash>(frame);
}

bool frmTrash::Form_Load()
{
    try {
        if (!history::isInstalled(m_frame.app().dbConnection)) {
            m_frame.report(tr("This database has no trash yet."));
            return false;
        }
    } catch (const DbError& e) {
        m_frame.report(e.message());
        return false;
    }
    if (!fill())
        return false;
    m_frame.disableWhileOpen(this);
    txtSearch->setFocus();
    return true;
}

bool frmTrash::fill()
{
    try {
        m_entries = history::trash(m_frame.app().dbConnection);
    } catch (const DbError& e) {
        m_frame.report(e.message());
        return false;
    }
    const QSignalBlocker quiet(lstTrash);
    lstTrash->clear();
    for (const history::TrashEntry& entry : m_entries) {
        auto* item =
            new QTreeWidgetItem(lstTrash, {numberText(entry.number), entry.title,
                                           entry.when.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                                           entry.who.isEmpty() ? tr("unknown") : entry.who});
        item->setData(0, Qt::UserRole, entry.id);
    }
    txtSearch_Change();
    return true;
}

void frmTrash::txtSearch_Change()
{
    const textmatch::TextPattern pattern(txtSearch->text().trimmed(),
                                         textmatch::TextPattern::Mode::Contains);
    const bool everything = txtSearch->text().trimmed().isEmpty();
    int shownCount = 0;
    QTreeWidgetItem* first = nullptr;
    for (int i = 0; i < lstTrash->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = lstTrash->topLevelItem(i);
        const history::TrashEntry& entry = m_entries[i];
        const bool matches = everything || pattern.matches(numberText(entry.number)) ||
                             pattern.matches(entry.title) || pattern.matches(entry.problem) ||
                             pattern.matches(entry.solution);
        item->setHidden(!matches);
        if (matches && !first)
            first = item;
        shownCount += matches ? 1 : 0;
    }
    if (!lstTrash->currentItem() || lstTrash->currentItem()->isHidden())
        lstTrash->setCurrentItem(first);
    lblCount->setText(
        everything ? tr("%1 deleted article(s)").arg(m_entries.size())
                   : tr("%1 of %2 deleted article(s)").arg(shownCount).arg(m_entries.size()));
    updateButtons();
}

void frmTrash::updateButtons()
{
    cmdRestore->setEnabled(selected() != nullptr);
    cmdEmptyTrash->setEnabled(!m_entries.isEmpty());
}

const history::TrashEntry* frmTrash::selected() const
{
    const QTreeWidgetItem* item = lstTrash->currentItem();
    if (!item || item->isHidden())
        return nullptr;
    const int index = lstTrash->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item));
    return index >= 0 && index < m_entries.size() ? &m_entries[index] : nullptr;
}

bool frmTrash::chooseNumber(const history::TrashEntry& entry, QVariant& number)
{
    Connection& connection = m_frame.app().dbConnection;
    number = QVariant();
    if (entry.number.isNull() || !history::numberTaken(connection, entry.number))
        return true;
    QString proposal = QString::number(history::nextFreeNumber(connection));
    for (;;) {
        QInputDialog ask(this);
        ask.setObjectName(QStringLiteral("dlgRestoreNumber"));
        ask.setWindowTitle(QStringLiteral("Ardentry"));
        ask.setInputMode(QInputDialog::TextInput);
        ask.setLabelText(tr("Article number %1 was given to another article after "
                            "this one was deleted. Restore it with the number:")
                             .arg(numberText(entry.number)));
        ask.setTextValue(proposal);
        if (MessageBox::exec(ask) != QDialog::Accepted)
            return false;
        proposal = ask.textValue().trimmed();
        bool whole = false;
        const qlonglong value = proposal.toLongLong(&whole);
        if (!whole) {
            showMessage(this, tr("The article number \"%1\" is not a whole number. "
                                 "Please enter a whole number.")
                                  .arg(proposal));
        } else if (history::numberTaken(connection, value)) {
            showMessage(this, tr("Article number %1 is already used by another "
                                 "article. Choose another number.")
                                  .arg(value));
        } else {
            number = value;
            return true;
        }
    }
}

void frmTrash::cmdRestore_Click()
{
    const history::TrashEntry* chosen = selected();
    if (!chosen)
        return;
    const history::TrashEntry entry = *chosen;
    QVariant number;
    qint64 row = 0;
    try {
        if (!chooseNumber(entry, number))
            return;
        row = history::restoreFromTrash(m_frame.app().dbConnection, entry.id, number);
    } catch (const DbError& e) {
        showMessage(this, tr("The article could not be restored: ") + e.message());
        fill();
        return;
    }
    const QString restored = numberText(number.isValid() ? number : entry.number);
    HistoryCommands::showArticle(m_frame, QString(), 0, restored, row);
    fill();
    showMessage(this, tr("Article %1 was restored.").arg(restored));
}

void frmTrash::cmdEmptyTrash_Click()
{
    if (m_entries.isEmpty())
        return;
    if (!askYesNo(this,
                  tr("Empty the trash? The %1 deleted article(s) in it and their "
                     "earlier versions will be gone for good.")
                      .arg(m_entries.size()),
                  QStringLiteral("Ardentry"), QMessageBox::No))
        return;
    try {
        history::emptyTrash(m_frame.app().dbConnection);
    } catch (const DbError& e) {
        showMessage(this, tr("The trash could not be emptied: ") + e.message());
    }
    fill();
}

void frmTrash::cmdClose_Click()
{
    close();
}

void frmTrash::done(int result)
{
    if (SingleInstance::unloadOnce(this))
        m_frame.enableAgain();
    QDialog::done(result);
}
