// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lists/ListEditor.h"

// The user list editor: table Users, column Users.
class frmSetupUsers : public ListEditor
{
    Q_OBJECT
public:
    explicit frmSetupUsers(Frame& frame);

    void List1_Click();
    void Command1_Click(); // Add
    void Command2_Click(); // Edit
    void Command3_Click(); // Delete
    void Command4_Click(); // Close
    void Command5_Click(); // OK, add
    void Command6_Click(); // OK, rename
    void cmdCancel_Click();

    // Controls, named as their objectName.
    QListWidget* List1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* cmdCancel = nullptr;
};
