// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/History.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class Frame;

// "Trash": the deleted articles, last deleted first (number, title, when, by whom), narrowed by
// a search box. Restore puts the selected article back with its number, or with another one the
// user gives when its number was taken meanwhile; Empty Trash removes them all for good after
// asking. The main window waits while it is open.
class frmTrash : public QDialog
{
    Q_OBJECT
public:
    explicit frmTrash(Frame& frame);

    static void showTrash(Frame& frame);

    // Reads the trash; false (after a message) when the database has none.
    bool Form_Load();
    void txtSearch_Change();
    void cmdRestore_Click();
    void cmdEmptyTrash_Click();
    void cmdClose_Click();

    void done(int result) override;

    QLabel* lblSearch = nullptr;
    QLineEdit* txtSearch = nullptr;
    QTreeWidget* lstTrash = nullptr;
    QLabel* lblCount = nullptr;
    QPushButton* cmdRestore = nullptr;
    QPushButton* cmdEmptyTrash = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    void buildControls();
    bool fill();
    // The number to restore the entry with: its own (an invalid value) when free, else one the
    // user gives. False when the user gave none.
    bool chooseNumber(const history::TrashEntry& entry, QVariant& number);
    const history::TrashEntry* selected() const;
    void updateButtons();

    Frame& m_frame;
    QList<history::TrashEntry> m_entries;
};
