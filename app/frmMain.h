// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QPointer>

#include "articles/ArticleCommands.h"
#include "articles/ArticlePrinter.h"
#include "common/Frame.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;
class QuickSearch;
class RecordSet;

// The program's frame: menu bar, toolbar `tlbTool` and the article form inside a QMdiArea. It
// wires each menu item and toolbar button to the subsystem that owns the command.
class frmMain : public QMainWindow, public Frame
{
    Q_OBJECT
public:
    explicit frmMain(mdlMain& app, QWidget* parent = nullptr);
    ~frmMain() override;

    // Frame
    QWidget* window() override { return this; }
    mdlMain& app() override { return m_app; }
    frmDisplay& display() override;
    frmDisplay* displayIfLoaded() override;
    void unloadDisplay() override;
    void ShowCurrentRecord() override;
    void DropUnsentChanges() override;
    void showImages() override;
    void disableWhileOpen(QWidget* window) override;
    void enableAgain() override;
    void report(const QString& text) override;

    RecordSet& rsMain() const;

    // Navigation and the frame's own commands.
    void mnuFirst_Click();
    void mnuPrevious_Click();
    void mnuNext_Click();
    void mnuLast_Click();
    void Refresh();
    void mnuExit_Click();
    void mnuMan_Click();
    void tlbTool_ButtonClick(int position);

    // Commands of the subsystems.
    void AddRecord();
    void SaveRecord();
    void DeleteRecord();
    void PrintRecord();
    void mnuPrint_Click();
    void mnuSearch_Click();
    void mnuCategories_Click();
    void mnuUsers_Click();
    void mnuData_Click();
    void mnuLabels_Click();
    void mnuGen_Click();
    void mnuAbout_Click();
    void mnuQuickSearch_Click();
    void mnuImport_Click();
    void mnuExport_Click();
    void mnuHistory_Click();
    void mnuTrash_Click();
    void mnuBackup_Click();
    void mnuStoreLinkedPictures_Click();
    void mnuWritePictures_Click();
    void mnuCompact_Click();

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
    ArticleCommands m_articles{*this};
    ArticlePrinter m_printer{*this};
    QMdiArea* m_mdi = nullptr;
    QToolBar* m_toolbar = nullptr;
    QMenu* m_tools = nullptr;
    QuickSearch* m_quickSearch = nullptr; // owned by this window
    QPointer<QMdiSubWindow> m_displayWindow;
    bool m_ending = false;
};
