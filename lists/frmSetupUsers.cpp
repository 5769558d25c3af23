// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/frmSetupUsers.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace
{
const ListEditorDescription kUsers = {
    "frmSetupUsers",
    QT_TRANSLATE_NOOP("ListEditor", "Setup Users"),
    "SELECT * FROM Users ORDER BY Users",
    "Users",
    QT_TRANSLATE_NOOP("ListEditor", "user list"),
    QT_TRANSLATE_NOOP("ListEditor", "user name"),
    "Label1",
    QT_TRANSLATE_NOOP("ListEditor", "User Name:"),
    "Command2",
    "Command3",
    "Command6",
    QT_TRANSLATE_NOOP("ListEditor", "Ca&ncel"),
    false,
    QT_TRANSLATE_NOOP(
        "ListEditor",
        "Ardentry can't delete this User because it is the ONLY Ardentry User. Delete will leave "
        "Ardentry in an unstable condition. Delete process stopped."),
};
} // namespace

frmSetupUsers::frmSetupUsers(Frame& frame) : ListEditor(frame, kUsers)
{
    List1 = m_list;
    Label1 = m_label;
    Text1 = m_name;
    Command1 = m_add;
    Command2 = m_edit;
    Command3 = m_delete;
    Command4 = m_close;
    Command5 = m_addOk;
    Command6 = m_editOk;
    cmdCancel = m_cancel;

    connect(List1, &QListWidget::itemSelectionChanged, this, &frmSetupUsers::List1_Click);
    connect(List1, &QListWidget::itemClicked, this, &frmSetupUsers::List1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmSetupUsers::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmSetupUsers::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmSetupUsers::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmSetupUsers::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &frmSetupUsers::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &frmSetupUsers::Command6_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSetupUsers::cmdCancel_Click);
}

void frmSetupUsers::List1_Click()
{
    listSelected();
}
void frmSetupUsers::Command1_Click()
{
    startAdding();
}
void frmSetupUsers::Command2_Click()
{
    startRenaming();
}
void frmSetupUsers::Command3_Click()
{
    deleteSelected();
}
void frmSetupUsers::Command4_Click()
{
    closeEditor();
}
void frmSetupUsers::Command5_Click()
{
    confirmAdding();
}
void frmSetupUsers::Command6_Click()
{
    confirmRenaming();
}
void frmSetupUsers::cmdCancel_Click()
{
    cancelMode();
}
