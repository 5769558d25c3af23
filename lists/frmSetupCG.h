// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lists/ListEditor.h"

// The category list editor: table Categories, column Category.
class frmSetupCG : public ListEditor
{
    Q_OBJECT
public:
    explicit frmSetupCG(Frame& frame);

    void List1_Click();
    void Text1_Change();
    void Command1_Click();  // Add
    void Command3_Click();  // Edit
    void Command2_Click();  // Delete
    void Command4_Click();  // Close
    void Command5_Click();  // OK, add
    void cmdEditOk_Click(); // OK, rename
    void cmdCancel_Click();

    // Controls, named as their objectName.
    QListWidget* List1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* cmdEditOk = nullptr;
    QPushButton* cmdCancel = nullptr;
};
