// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Frame.h"
#include "common/SingleInstance.h"

#include <QDialog>
#include <QString>

#include <memory>

class DbError;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class Frame;

// What tells the two list editors apart. Everything else is shared.
struct ListEditorDescription {
    const char* formName;      // window class and objectName
    const char* caption;       // window title
    const char* query;         // the list query, also names the table and its order column
    const char* column;        // the name column
    const char* listName;      // "user list", for messages
    const char* nameKind;      // "user name", for messages
    const char* labelName;     // objectName of the name box's label
    const char* labelCaption;  // its caption while adding
    const char* editName;      // objectName of the Edit button
    const char* deleteName;    // objectName of the Delete button
    const char* editOkName;    // objectName of the rename OK button
    const char* cancelCaption; // caption of cmdCancel
    // Category rules: Add OK starts disabled and is enabled by any change of the name box; Add
    // neither moves the focus nor touches Add, Edit, Delete and Cancel.
    bool okFollowsText;
    const char* onlyRowMessage; // refusal to delete the only row
};

// A list editor: adds, renames and deletes the names of one single-column table. While it is
// open it borrows rsMain (reopened on the list query) and keeps the main window disabled; when it
// closes rsMain goes back to the article query and the article form shows the first article.
// A row is identified by its position in the ordered query, which is also the list's order.
class ListEditor : public QDialog
{
    Q_OBJECT
public:
    ListEditor(Frame& frame, const ListEditorDescription& description);
    ~ListEditor() override;

    // Disables the main window, drops any unsent change of rsMain and fills the list. False when
    // the list cannot be read (already reported); the caller then unloads the editor.
    bool Form_Load();
    // Enables the main window, puts rsMain back on the article query and shows its first article.
    // Runs once, however the editor is closed.
    void Form_Unload();

    // Both editors borrow rsMain, so only one of them is open at a time: an open one is brought
    // to the front instead of loading `Editor`.
    template <typename Editor> static void showEditor(Frame& frame)
    {
        SingleInstance::show<ListEditor>(frame.window(), [&frame] {
            std::unique_ptr<ListEditor> editor = std::make_unique<Editor>(frame);
            if (!editor->Form_Load()) {
                editor->Form_Unload();
                editor.reset();
            }
            return editor;
        });
    }

    const ListEditorDescription& description() const { return m_description; }

protected:
    // The shared steps, one per event; the editors connect their controls to handlers named after
    // the controls, which call these.
    void listSelected();
    void startAdding();
    void startRenaming();
    void confirmAdding();
    void confirmRenaming();
    void cancelMode();
    void deleteSelected();
    void nameChanged();
    void closeEditor();

    void closeEvent(QCloseEvent* event) override;
    void reject() override; // Escape: the same as Close

    QListWidget* m_list = nullptr;
    QLabel* m_label = nullptr;
    QLineEdit* m_name = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_addOk = nullptr;
    QPushButton* m_editOk = nullptr;
    QPushButton* m_cancel = nullptr;

private:
    // Reads the list again from the table: rsMain is closed and reopened on the list query.
    bool fillList();
    int selectedIndex() const;
    void moveToSelectedRow(int index);
    bool nameAccepted();
    void reportChangeFailure(const DbError& error);
    void hideNameBox();
    // Adding or renaming begins: the name box takes the keys and Enter presses `ok`.
    void takeTyping(QPushButton* ok);
    // The name box is gone: Enter is Add again and the keys go to the list.
    void leaveNameBox();

    Frame& m_frame;
    const ListEditorDescription& m_description;
};
