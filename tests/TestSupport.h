// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/MessageBox.h"
#include "tests/TestFolder.h"

#include <QApplication>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <stdexcept>

class mdlMain;
class frmMain;
class frmDisplay;

// The program's message boxes, answered without being shown (MessageBox's answering mode) and
// recorded. Answers are taken in order from the queue; when it is empty the box's default button
// (or Ok) is pressed. Other modal dialogs (printer, file choosers) go to the handler, or are
// rejected.
class MessageCatcher
{
public:
    using Seen = MessageBox::Shown;

    MessageCatcher();
    ~MessageCatcher();
    void answer(QMessageBox::StandardButton button) { MessageBox::setNextAnswer(button); }
    // The handler gets the dialog (set up, not shown); accept() or reject() it.
    void onOtherDialog(std::function<void(QWidget*)> handler);

    const QList<Seen>& seen;
    QStringList texts() const { return MessageBox::shownTexts(); }
    void clear() { MessageBox::clearShown(); }
};

// A started program on a TestFolder: mdlMain after start-up with its main window shown.
// Window tests run their rows on the engines TestFolder::engineRows() gives.
class StartedApp
{
public:
    explicit StartedApp(const NewDatabaseOptions& options = {},
                        TestFolder::Engine engine = TestFolder::Engine::File);
    // Start on an existing folder (after the test changed it); `onDialog` answers the dialogs
    // of start-up other than message boxes (see MessageCatcher::onOtherDialog).
    explicit StartedApp(std::shared_ptr<TestFolder> folder,
                        std::function<void(QWidget*)> onDialog = nullptr);
    ~StartedApp();

    TestFolder& folder() { return *m_folder; }
    mdlMain& app() { return *m_app; }
    frmMain& main();
    frmDisplay& display();
    MessageCatcher& messages() { return m_messages; }
    int startStatus() const { return m_window ? 0 : 1; }

    // A control of the article form by object name.
    template <typename T> T* control(const QString& objectName);
    // The text a control of the article form shows (line edit, combo box, text box or label).
    QString text(const QString& objectName);
    // Clicks into a control of the article form and types `keys` with real key events; `replace`
    // selects what it holds first.
    void type(const QString& objectName, const QString& keys, bool replace = true);

    // Triggers the menu item or toolbar action with that object name.
    void trigger(const QString& actionName);
    // Clicks toolbar position 1..14.
    void clickToolbar(int position);
    // A menu item or toolbar action by object name, or "tbN": clicks toolbar position N.
    void run(const QString& step);

private:
    void start();
    std::shared_ptr<TestFolder> m_folder;
    MessageCatcher m_messages;
    std::unique_ptr<mdlMain> m_app;
    std::unique_ptr<frmMain> m_window; // goes before the shared state it refers to
};

// Finds a top-level or child widget by object name among all widgets of the application.
QWidget* findAnyWidget(const QString& objectName);
template <typename T> T* findWidget(const QString& objectName)
{
    return qobject_cast<T*>(findAnyWidget(objectName));
}

QWidget* formControl(frmDisplay& form, const QString& objectName);
template <typename T> T* StartedApp::control(const QString& objectName)
{
    T* found = qobject_cast<T*>(formControl(display(), objectName));
    if (!found)
        throw std::runtime_error(("no control " + objectName).toStdString());
    return found;
}
