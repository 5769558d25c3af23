// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/frmSetupCG.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace
{
const ListEditorDescription kCategories = {
    "frmSetupCG",
    QT_TRANSLATE_NOOP("ListEditor", "Setup Categories"),
    "SELECT * FROM Categories ORDER BY Category",
    "Category",
    QT_TRANSLATE_NOOP("ListEditor", "category list"),
    QT_TRANSLATE_NOOP("ListEditor", "category name"),
    "Label2",
    QT_TRANSLATE_NOOP("ListEditor", "Category Name:"),
    "Command3",
    "Command2",
    "cmdEditOk",
    QT_TRANSLATE_NOOP("ListEditor", "&Cancel"),
    true,
    QT_TRANSLATE_NOOP(
        "ListEditor",
        "Ardentry can't delete this Category because it is the ONLY Ardentry Category. Delete will "
        "leave Ardentry in an unstable condition. Delete process stopped."),
};
} // namespace

frmSetupCG::frmSetupCG(Frame& frame) : ListEditor(frame, kCategories)
{
    List1 = m_list;
    Label2 = m_label;
    Text1 = m_name;
    Command1 = m_add;
    Command3 = m_edit;
    Command2 = m_delete;
    Command4 = m_close;
    Command5 = m_addOk;
    cmdEditOk = m_editOk;
    cmdCancel = m_cancel;

    connect(List1, &QListWidget::itemSelectionChanged, this, &frmSetupCG::List1_Click);
    connect(List1, &QListWidget::itemClicked, this, &frmSetupCG::List1_Click);
    connect(Text1, &QLineEdit::textChanged, this, &frmSetupCG::Text1_Change);
    connect(Command1, &QPushButton::clicked, this, &frmSetupCG::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmSetupCG::Command3_Click);
    connect(Command2, &QPushButton::clicked, this, &frmSetupCG::Command2_Click);
    connect(Command4, &QPushButton::clicked, this, &frmSetupCG::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &frmSetupCG::Command5_Click);
    connect(cmdEditOk, &QPushButton::clicked, this, &frmSetupCG::cmdEditOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSetupCG::cmdCancel_Click);
}

void frmSetupCG::List1_Click()
{
    listSelected();
}
void frmSetupCG::Text1_Change()
{
    nameChanged();
}
void frmSetupCG::Command1_Click()
{
    startAdding();
}
void frmSetupCG::Command3_Click()
{
    startRenaming();
}
void frmSetupCG::Command2_Click()
{
    deleteSelected();
}
void frmSetupCG::Command4_Click()
{
    closeEditor();
}
void frmSetupCG::Command5_Click()
{
    confirmAdding();
}
void frmSetupCG::cmdEditOk_Click()
{
    confirmRenaming();
}
void frmSetupCG::cmdCancel_Click()
{
    cancelMode();
}
