// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/ListEditor.h"

#include "common/Frame.h"
#include "common/MessageBox.h"
#include "core/mdlMain.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace
{
const char* const kRenameCaption = QT_TRANSLATE_NOOP("ListEditor", "Edit Name:");

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, const QRect& place)
{
    auto* button = new QPushButton(QCoreApplication::translate("ListEditor", caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    return button;
}
} // namespace

ListEditor::ListEditor(Frame& frame, const ListEditorDescription& description)
    : QDialog(frame.window(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                  Qt::WindowCloseButtonHint),
      m_frame(frame), m_description(description)
{
    setObjectName(QString::fromLatin1(description.formName));
    setWindowTitle(tr(description.caption));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFixedSize(340, 308);

    // Name box with its label, the two OK buttons (in the same place) and Cancel above the list;
    // Add, Edit, Delete and Close in a column to the right of the list.
    m_label = new QLabel(tr(description.labelCaption), this);
    m_label->setObjectName(QString::fromLatin1(description.labelName));
    m_label->setGeometry(10, 10, 220, 20);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Text1"));
    m_name->setGeometry(10, 32, 220, 24);
    m_label->setBuddy(m_name);
    const QRect okPlace(10, 62, 85, 28);
    m_addOk = makeButton(this, "Command5", QT_TRANSLATE_NOOP("ListEditor", "&OK"), okPlace);
    m_editOk =
        makeButton(this, description.editOkName, QT_TRANSLATE_NOOP("ListEditor", "&OK"), okPlace);
    m_cancel = makeButton(this, "cmdCancel", description.cancelCaption, QRect(105, 62, 85, 28));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setGeometry(10, 98, 220, 200);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setAccessibleName(tr(description.listName));

    m_add = makeButton(this, "Command1", QT_TRANSLATE_NOOP("ListEditor", "&Add"),
                       QRect(245, 98, 85, 28));
    m_edit = makeButton(this, description.editName, QT_TRANSLATE_NOOP("ListEditor", "&Edit"),
                        QRect(245, 132, 85, 28));
    m_delete = makeButton(this, description.deleteName, QT_TRANSLATE_NOOP("ListEditor", "&Delete"),
                          QRect(245, 166, 85, 28));
    m_close = makeButton(this, "Command4", QT_TRANSLATE_NOOP("ListEditor", "&Close"),
                         QRect(245, 200, 85, 28));
    m_add->setDefault(true);

    m_label->hide();
    m_name->hide();
    m_addOk->hide();
    m_addOk->setEnabled(!description.okFollowsText);
    m_editOk->hide();
    m_cancel->hide();
    m_edit->setEnabled(false);
    m_delete->setEnabled(false);
}

ListEditor::~ListEditor() = default;

bool ListEditor::Form_Load()
{
    m_frame.disableWhileOpen(this);
    // A begun article or any other unsent change of rsMain must not travel with the list's batch.
    m_frame.DropUnsentChanges();
    return fillList();
}

void ListEditor::Form_Unload()
{
    if (!SingleInstance::unloadOnce(this))
        return;
    m_frame.enableAgain();
    RecordSet& rs = m_frame.app().rsMain;
    try {
        rs.close();
        rs.open(QString::fromLatin1(mdlMain::ArticleQuery));
    } catch (const DbError& e) {
        showMessage(this, tr("The articles could not be read again: ") + e.message());
    }
    m_frame.ShowCurrentRecord();
}

bool ListEditor::fillList()
{
    m_list->clear();
    RecordSet& rs = m_frame.app().rsMain;
    const QString column = QString::fromLatin1(m_description.column);
    bool filled = true;
    try {
        rs.close();
        rs.open(QString::fromLatin1(m_description.query));
        while (!rs.eof()) {
            m_list->addItem(rs.value(column));
            rs.moveNext();
        }
    } catch (const DbError& e) {
        m_list->clear();
        filled = false;
        showMessage(
            this, tr("The %1 could not be read: %2").arg(tr(m_description.listName), e.message()));
    }
    // The list has no selection now, so there is nothing to rename or delete.
    m_edit->setEnabled(false);
    m_delete->setEnabled(false);
    return filled;
}

int ListEditor::selectedIndex() const
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->row(selected.first());
}

void ListEditor::moveToSelectedRow(int index)
{
    RecordSet& rs = m_frame.app().rsMain;
    rs.moveFirst();
    for (int i = 0; i < index && !rs.eof(); ++i)
        rs.moveNext();
    if (!rs.hasCurrentRow())
        throw DbError(DbError::Kind::NoCurrentRow,
                      tr("the selected name is no longer in the table."));
}

bool ListEditor::nameAccepted()
{
    if (!m_name->text().trimmed().isEmpty())
        return true;
    showMessage(
        this,
        tr("Type a %1 first: an empty name cannot be stored.").arg(tr(m_description.nameKind)));
    m_name->setFocus();
    return false;
}

void ListEditor::reportChangeFailure(const DbError& error)
{
    RecordSet& rs = m_frame.app().rsMain;
    if (rs.isOpen() && rs.hasPendingChanges())
        rs.cancelBatch();
    showMessage(
        this,
        tr("The %1 could not be changed: %2").arg(tr(m_description.listName), error.message()));
    // Show what the table really holds; the name box keeps what was typed.
    fillList();
}

void ListEditor::hideNameBox()
{
    m_label->hide();
    m_name->hide();
    m_addOk->hide();
    m_editOk->hide();
    m_cancel->hide();
}

void ListEditor::takeTyping(QPushButton* ok)
{
    // As in a grid: what is typed next goes into the name, and Enter confirms it.
    m_name->setFocus();
    ok->setDefault(true);
}

void ListEditor::leaveNameBox()
{
    m_add->setDefault(true);
    if (!m_name->isVisible())
        m_list->setFocus();
}

void ListEditor::listSelected()
{
    const bool selected = selectedIndex() >= 0;
    m_edit->setEnabled(selected);
    m_delete->setEnabled(selected);
}

void ListEditor::startAdding()
{
    const QString caption = tr(m_description.labelCaption);
    if (m_description.okFollowsText) {
        m_label->setText(caption);
        m_label->show();
        m_name->show();
        m_addOk->show();
        m_editOk->hide();
        m_addOk->setEnabled(false);
        if (!m_name->text().isEmpty())
            m_addOk->setEnabled(true);
        takeTyping(m_addOk);
        return;
    }
    m_label->hide();
    m_name->show();
    m_label->setText(caption);
    m_label->show();
    m_addOk->show();
    m_editOk->hide();
    m_add->setEnabled(false);
    m_name->setFocus();
    m_edit->setEnabled(false);
    m_delete->setEnabled(false);
    m_cancel->show();
    takeTyping(m_addOk);
}

void ListEditor::startRenaming()
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    m_label->setText(tr(kRenameCaption));
    m_label->show();
    m_name->show();
    m_editOk->show();
    m_addOk->hide(); // one OK button at a time: renaming leaves adding
    m_name->setFocus();
    m_name->setText(m_list->item(index)->text());
    m_cancel->show();
    m_delete->setEnabled(false);
    m_edit->setEnabled(false);
    takeTyping(m_editOk);
}

void ListEditor::confirmAdding()
{
    if (!nameAccepted())
        return;
    RecordSet& rs = m_frame.app().rsMain;
    try {
        rs.addNew();
        rs.collect(QString::fromLatin1(m_description.column), m_name->text());
        rs.updateBatch();
    } catch (const DbError& e) {
        reportChangeFailure(e);
        return;
    }
    if (m_description.okFollowsText) {
        fillList();
        m_delete->setEnabled(false);
        m_edit->setEnabled(false);
        m_label->hide();
        m_name->hide();
        m_addOk->hide();
        leaveNameBox();
        return;
    }
    m_name->hide();
    m_label->hide();
    m_addOk->hide();
    fillList();
    m_add->setEnabled(true);
    m_cancel->hide();
    leaveNameBox();
}

void ListEditor::confirmRenaming()
{
    const int index = selectedIndex();
    if (index < 0) {
        showMessage(this, tr("Select the name to change in the list first."));
        return;
    }
    if (!nameAccepted())
        return;
    RecordSet& rs = m_frame.app().rsMain;
    try {
        moveToSelectedRow(index);
        rs.collect(QString::fromLatin1(m_description.column), m_name->text());
        rs.updateBatch();
    } catch (const DbError& e) {
        reportChangeFailure(e);
        return;
    }
    fillList();
    hideNameBox();
    // Add may have been pressed before Edit; with the name box gone it must be usable again.
    m_add->setEnabled(true);
    leaveNameBox();
}

void ListEditor::cancelMode()
{
    hideNameBox();
    m_add->setEnabled(true);
    m_edit->setEnabled(false);
    m_delete->setEnabled(false);
    leaveNameBox();
}

void ListEditor::deleteSelected()
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    RecordSet& rs = m_frame.app().rsMain;
    try {
        moveToSelectedRow(index);
        if (rs.recordCount() == 1) {
            showMessage(this, tr(m_description.onlyRowMessage));
        } else {
            rs.deleteCurrent();
            rs.updateBatch();
        }
    } catch (const DbError& e) {
        reportChangeFailure(e);
        return;
    }
    fillList();
    m_edit->setEnabled(false);
    m_delete->setEnabled(false);
}

void ListEditor::nameChanged()
{
    if (m_description.okFollowsText)
        m_addOk->setEnabled(true);
}

void ListEditor::closeEditor()
{
    close();
}

void ListEditor::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void ListEditor::reject()
{
    close();
}
