#pragma once

#include "NewDatabase.h"

#include <QMessageBox>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariant>

#include <functional>
#include <memory>

class mdlMain;
class frmMain;
class frmDisplay;

// A temporary program folder: Ini/arprefs.ini pointing at a fresh database "ardentry.db" in it,
// and Help/arhelp.htm. SQL helpers work through a connection of their own, as another program
// would, so tests see what the file really holds.
class TestFolder
{
public:
    explicit TestFolder(const NewDatabaseOptions& options = {});
    ~TestFolder();

    QString folder() const { return m_dir.path(); }
    QString dbPath() const;
    QString iniPath() const;
    QString path(const QString& relative) const; // a file inside the folder

    void exec(const QString& sql, const QVariantList& binds = {}) const;
    QList<QVariantList> rows(const QString& sql, const QVariantList& binds = {}) const;
    QVariant scalar(const QString& sql, const QVariantList& binds = {}) const;
    // Replaces every article with `count` numbered ones: ID i, Problem "Problem i", ...
    void fillArticles(int count) const;
    // Writes text into a file of the folder (creating folders on the way).
    void writeFile(const QString& relative, const QByteArray& content) const;

private:
    QTemporaryDir m_dir;
    QString m_connection;
};

// Answers the program's message boxes (any modal QMessageBox) as they appear and records them.
// Answers are taken in order from the queue; when it is empty the box's default button (or Ok)
// is pressed.
class MessageCatcher : public QObject
{
public:
    struct Seen {
        QString text;
        QString title;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton;
        QMessageBox::Icon icon;
    };

    MessageCatcher();
    void answer(QMessageBox::StandardButton button) { m_answers << button; }
    // Called for any other modal dialog (printer or file dialogs); default: reject it.
    void onOtherDialog(std::function<void(QWidget*)> handler) { m_other = std::move(handler); }

    QList<Seen> seen;
    QStringList texts() const;
    void clear() { seen.clear(); }

private:
    void poll();
    QTimer m_timer;
    QList<QMessageBox::StandardButton> m_answers;
    std::function<void(QWidget*)> m_other;
};

// A started program on a TestFolder: mdlMain after start-up with its main window shown.
class StartedApp
{
public:
    explicit StartedApp(const NewDatabaseOptions& options = {});
    // Start on an existing folder (after the test changed it).
    explicit StartedApp(std::shared_ptr<TestFolder> folder);
    ~StartedApp();

    TestFolder& folder() { return *m_folder; }
    mdlMain& app() { return *m_app; }
    frmMain& main();
    frmDisplay& display();
    MessageCatcher& messages() { return m_messages; }
    int startStatus() const { return m_status; }

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
    int m_status = -1;
};

// Finds a top-level or child widget by object name among all widgets of the application.
template <typename T> T* findWidget(const QString& objectName);
QWidget* findAnyWidget(const QString& objectName);

#include <QApplication>
template <typename T> T* findWidget(const QString& objectName)
{
    return qobject_cast<T*>(findAnyWidget(objectName));
}
