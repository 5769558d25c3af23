#pragma once

#include <QMainWindow>
#include <QPointer>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;
class frmDisplay;
class mdlMain;
class RecordSet;

// The program's frame: menu bar, toolbar `tlbTool` and the article form inside a QMdiArea.
// Commands of the other subsystems are member functions implemented in their own folders.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(mdlMain& app, QWidget* parent = nullptr);
    ~frmMain() override;

    mdlMain& app() const { return m_app; }
    RecordSet& rsMain() const;

    // The article form; loaded (Form_Load) again when the user had closed it.
    frmDisplay& display();
    frmDisplay* displayIfLoaded() const;
    // Unloads the article form (the search does this before showing it afresh).
    void unloadDisplay();

    // Copies the current row of rsMain into the article form.
    void ShowCurrentRecord();
    static bool EitherBlank(const QString& first, const QString& second);
    // A begun article, or any other change of rsMain not sent yet, is dropped before a command
    // moves rsMain elsewhere: no later batch may send it.
    void DropUnsentChanges();
    // Disables the main window while one of its child windows (a dialog that must stay usable)
    // is open; child windows that are already open stay usable too. A child window created while
    // the main window is disabled must call setEnabled(true) on itself.
    void disableWhileOpen(QWidget* window);
    void enableAgain();
    // Runs `text` in a message box titled "Ardentry" with this window as parent.
    void report(const QString& text);

    // Navigation and the frame's own commands.
    void mnuFirst_Click();
    void mnuPrevious_Click();
    void mnuNext_Click();
    void mnuLast_Click();
    void Refresh();
    void mnuExit_Click();
    void mnuMan_Click();
    void tlbTool_ButtonClick(int position);

    // articles/
    void AddRecord();
    void SaveRecord();
    void DeleteRecord();
    void PrintRecord();
    void mnuPrint_Click();
    // search/
    void mnuSearch_Click();
    // lists/
    void mnuCategories_Click();
    void mnuUsers_Click();
    // dialogs/
    void mnuData_Click();
    void mnuLabels_Click();
    void mnuGen_Click();
    void mnuAbout_Click();

    // The menu item or toolbar action with that object name (tests, wiring).
    QAction* action(const QString& objectName) const;
    QToolBar* toolbar() const { return m_toolbar; }

signals:
    // Exit, the toolbar's Exit and closing the window: the program ends at once.
    void programEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void MDIForm_Load();
    void buildMenus();
    void buildToolbar();
    QAction* addCommand(QMenu* menu, const char* name, const QString& caption,
                        const QKeySequence& shortcut, void (frmMain::*handler)());

    mdlMain& m_app;
    QMdiArea* m_mdi = nullptr;
    QToolBar* m_toolbar = nullptr;
    QPointer<QMdiSubWindow> m_displayWindow;
    bool m_ending = false;
};
