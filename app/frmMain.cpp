// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmMain.h"

#include "articles/frmBrowser.h"
#include "articles/frmDisplay.h"
#include "common/MessageBox.h"
#include "common/SingleInstance.h"
#include "core/mdlMain.h"
#include "dialogs/General.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmCustomizeLabels.h"
#include "dialogs/frmDataPath.h"
#include "history/HistoryCommands.h"
#include "images/frmImages.h"
#include "lists/frmSetupCG.h"
#include "lists/frmSetupUsers.h"
#include "pictures/PictureCommands.h"
#include "quicksearch/QuickSearch.h"
#include "search/frmSearch.h"
#include "transfer/TransferCommands.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QUrl>

static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace
{

struct ToolButton {
    const char* key;     // nullptr: separator
    const char* tooltip; // trailing blanks are part of the text
    const char* themeIcon;
    const char* picture; // fallback picture shipped with the program
};

const ToolButton toolButtons[14] = {
    {"New", QT_TRANSLATE_NOOP("frmMain", "Add New Record - Ctrl + N"), "document-new",
     ":/icons/new.png"},
    {"Save", QT_TRANSLATE_NOOP("frmMain", "Save Record - Ctrl + S "), "document-save",
     ":/icons/save.png"},
    {"Delete", QT_TRANSLATE_NOOP("frmMain", "Delete Record - Ctrl + D"), "edit-delete",
     ":/icons/delete.png"},
    {"Print", QT_TRANSLATE_NOOP("frmMain", "Print Record - Ctrl + P"), "document-print",
     ":/icons/print.png"},
    {nullptr, nullptr, nullptr, nullptr},
    {"Search", QT_TRANSLATE_NOOP("frmMain", "Search - F2"), "edit-find", ":/icons/search.png"},
    {"Refresh", QT_TRANSLATE_NOOP("frmMain", "Refresh"), "view-refresh", ":/icons/refresh.png"},
    {nullptr, nullptr, nullptr, nullptr},
    {"First ", QT_TRANSLATE_NOOP("frmMain", "First Record - Ctrl + F1"), "go-first",
     ":/icons/first.png"},
    {"Previous", QT_TRANSLATE_NOOP("frmMain", "Previous Record - Ctrl + F2"), "go-previous",
     ":/icons/previous.png"},
    {"Next", QT_TRANSLATE_NOOP("frmMain", "Next Record - Ctrl + F3"), "go-next",
     ":/icons/next.png"},
    {"Last", QT_TRANSLATE_NOOP("frmMain", "Last Record - Ctrl + Z"), "go-last", ":/icons/last.png"},
    {nullptr, nullptr, nullptr, nullptr},
    {"Exit", QT_TRANSLATE_NOOP("frmMain", "Exit"), "application-exit", ":/icons/exit.png"},
};

// Keeps the menu shortcuts working while a text box has the focus: text boxes claim keys such as
// Ctrl+Z (undo) for themselves, but here Ctrl+Z is Last Record.
class ShortcutKeeper : public QObject
{
public:
    ShortcutKeeper(frmMain* main) : QObject(main), m_main(main) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != m_main)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (QAction* action : m_main->findChildren<QAction*>()) {
            if (!action->shortcut().isEmpty() && action->shortcut() == pressed &&
                action->isEnabled())
                return true; // not claimed by the text box: the shortcut runs
        }
        return false;
    }

private:
    frmMain* m_main;
};

} // namespace

frmMain::frmMain(mdlMain& app, QWidget* parent) : QMainWindow(parent), m_app(app)
{
    initResources();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(tr("Kestrow Ardentry"));
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("MDIClient"));
    // One tab for the article form: it fills the frame and its caption (the database path) stays
    // visible, while the frame keeps its own caption.
    m_mdi->setViewMode(QMdiArea::TabbedView);
    m_mdi->setTabsClosable(true);
    m_mdi->setDocumentMode(true);
    setCentralWidget(m_mdi);
    buildMenus();
    buildToolbar();
    m_quickSearch = new QuickSearch(*this, *this);
    qApp->installEventFilter(new ShortcutKeeper(this));
    MDIForm_Load();
}

frmMain::~frmMain() = default;

RecordSet& frmMain::rsMain() const
{
    return m_app.rsMain;
}

void frmMain::MDIForm_Load()
{
    resize(800, 600);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(400, 300));
    }
    display();
    m_app.NoArticleAddedYet = true;
}

QAction* frmMain::addCommand(QMenu* menu, const char* name, const QString& caption,
                             const QKeySequence& shortcut, void (frmMain::*handler)())
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    if (handler)
        connect(action, &QAction::triggered, this, handler);
    return action;
}

void frmMain::buildMenus()
{
    auto addMenu = [this](const char* name, const QString& caption) {
        QMenu* menu = menuBar()->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    auto addSeparator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };

    QMenu* file = addMenu("mnuFile", tr("&File"));
    addCommand(file, "mnuAdd", tr("&Add New Record"), QKeySequence(Qt::CTRL | Qt::Key_N),
               &frmMain::AddRecord);
    addCommand(file, "mnuSave", tr("&Save Record"), QKeySequence(Qt::CTRL | Qt::Key_S),
               &frmMain::SaveRecord);
    addCommand(file, "mnuDelete", tr("&Delete Record"), QKeySequence(Qt::CTRL | Qt::Key_D),
               &frmMain::DeleteRecord);
    addCommand(file, "mnuPrint", tr("&Print Record"), QKeySequence(Qt::CTRL | Qt::Key_P),
               &frmMain::mnuPrint_Click);
    addSeparator(file, "mnuFileDivide2");
    addCommand(file, "mnuFirst", tr("&First Record"), QKeySequence(Qt::CTRL | Qt::Key_F1),
               &frmMain::mnuFirst_Click);
    addCommand(file, "mnuPrevious", tr("Previous Record"), QKeySequence(Qt::CTRL | Qt::Key_F2),
               &frmMain::mnuPrevious_Click);
    addCommand(file, "mnuNext", tr("Next Record"), QKeySequence(Qt::CTRL | Qt::Key_F3),
               &frmMain::mnuNext_Click);
    addCommand(file, "mnuLast", tr("Last Record"), QKeySequence(Qt::CTRL | Qt::Key_Z),
               &frmMain::mnuLast_Click);
    addSeparator(file, "mnuFileDivide1");
    addCommand(file, "mnuSearch", tr("Sea&rch"), QKeySequence(Qt::Key_F2),
               &frmMain::mnuSearch_Click);
    addCommand(file, "mnuExit", tr("E&xit"), QKeySequence(), &frmMain::mnuExit_Click);

    QMenu* setup = addMenu("mnuSetup", tr("&Setup"));
    addCommand(setup, "mnuCategories", tr("&Categories"), QKeySequence(Qt::Key_F3),
               &frmMain::mnuCategories_Click);
    addCommand(setup, "mnuUsers", tr("&Users"), QKeySequence(Qt::Key_F4), &frmMain::mnuUsers_Click);
    addCommand(setup, "mnuData", tr("&Database Path"), QKeySequence(Qt::Key_F5),
               &frmMain::mnuData_Click);
    addCommand(setup, "mnuLabels", tr("Customize &Labels"), QKeySequence(Qt::Key_F6),
               &frmMain::mnuLabels_Click);

    // Tools: the features beside the article form's own commands.
    m_tools = addMenu("mnuTools", tr("&Tools"));
    addCommand(m_tools, "mnuQuickSearch", tr("&Quick Search"), QKeySequence(Qt::CTRL | Qt::Key_F),
               &frmMain::mnuQuickSearch_Click);
    addCommand(m_tools, "mnuHistory", tr("Article &History"), QKeySequence(Qt::CTRL | Qt::Key_H),
               &frmMain::mnuHistory_Click);
    addCommand(m_tools, "mnuTrash", tr("&Trash"), QKeySequence(), &frmMain::mnuTrash_Click);
    addCommand(m_tools, "mnuBackup", tr("&Back Up Database..."), QKeySequence(),
               &frmMain::mnuBackup_Click);
    addCommand(m_tools, "mnuImport", tr("&Import Articles..."), QKeySequence(),
               &frmMain::mnuImport_Click);
    addCommand(m_tools, "mnuExport", tr("&Export Articles..."), QKeySequence(),
               &frmMain::mnuExport_Click);
    m_tools->addSeparator()->setObjectName(QStringLiteral("mnuToolsPictures"));
    addCommand(m_tools, "mnuStoreLinkedPictures", tr("&Store the linked pictures in the database"),
               QKeySequence(), &frmMain::mnuStoreLinkedPictures_Click);
    addCommand(m_tools, "mnuWritePictures", tr("&Write the stored pictures to a folder..."),
               QKeySequence(), &frmMain::mnuWritePictures_Click);
    addCommand(m_tools, "mnuCompact", tr("&Compact the database"), QKeySequence(),
               &frmMain::mnuCompact_Click);

    QMenu* help = addMenu("mnuHelp", tr("&Help"));
    addCommand(help, "mnuGen", tr("&General Info"), QKeySequence(), &frmMain::mnuGen_Click);
    addCommand(help, "mnuMan", tr("&User's Guide"), QKeySequence(Qt::Key_F1),
               &frmMain::mnuMan_Click);
    addSeparator(help, "mnuHelpHy1");
    addCommand(help, "mnuAbout", tr("&About Ardentry..."), QKeySequence(),
               &frmMain::mnuAbout_Click);
}

void frmMain::buildToolbar()
{
    m_toolbar = addToolBar(tr("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("tlbTool"));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(32, 32));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const ToolButton& b : toolButtons) {
        if (!b.key) {
            m_toolbar->addSeparator();
            continue;
        }
        const QIcon fallback(QString::fromLatin1(b.picture));
        QAction* action = m_toolbar->addAction(
            QIcon::fromTheme(QString::fromLatin1(b.themeIcon), fallback), QString());
        action->setData(QString::fromLatin1(b.key));
        action->setObjectName(QStringLiteral("tlbTool_") + QString::fromLatin1(b.key).trimmed());
        action->setText(QString::fromLatin1(b.key).trimmed());
        action->setToolTip(tr(b.tooltip));
    }
    connect(m_toolbar, &QToolBar::actionTriggered, this, [this](QAction* action) {
        tlbTool_ButtonClick(int(m_toolbar->actions().indexOf(action)) + 1);
    });
}

void frmMain::tlbTool_ButtonClick(int position)
{
    switch (position) {
    case 1:
        AddRecord();
        break;
    case 2:
        SaveRecord();
        break;
    case 3:
        DeleteRecord();
        break;
    case 4:
        PrintRecord();
        break;
    case 6:
        mnuSearch_Click();
        break;
    case 7:
        Refresh();
        break;
    case 9:
        mnuFirst_Click();
        break;
    case 10:
        mnuPrevious_Click();
        break;
    case 11:
        mnuNext_Click();
        break;
    case 12:
        mnuLast_Click();
        break;
    case 14:
        mnuExit_Click();
        break;
    default:
        break;
    }
}

QAction* frmMain::action(const QString& objectName) const
{
    return findChild<QAction*>(objectName);
}

frmDisplay& frmMain::display()
{
    if (frmDisplay* form = displayIfLoaded())
        return *form;
    auto* form = new frmDisplay(*this, m_app);
    QMdiSubWindow* window = m_mdi->addSubWindow(form);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(QStringLiteral("frmDisplayWindow"));
    m_displayWindow = window;
    form->Form_Load();
    window->showMaximized();
    return *form;
}

frmDisplay* frmMain::displayIfLoaded()
{
    return m_displayWindow ? qobject_cast<frmDisplay*>(m_displayWindow->widget()) : nullptr;
}

void frmMain::unloadDisplay()
{
    if (m_displayWindow)
        delete m_displayWindow.data();
}

void frmMain::ShowCurrentRecord()
{
    display().showRow();
}

void frmMain::DropUnsentChanges()
{
    RecordSet& rs = rsMain();
    if (rs.isOpen() && rs.hasPendingChanges())
        rs.cancelBatch();
}

void frmMain::disableWhileOpen(QWidget* window)
{
    setEnabled(false);
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            child->setEnabled(true);
    }
    if (window)
        window->setEnabled(true);
}

void frmMain::enableAgain()
{
    setEnabled(true);
    // The article form takes the focus back, so its access keys work without a click.
    if (frmDisplay* form = displayIfLoaded()) {
        activateWindow();
        form->takeFocus();
    }
}

void frmMain::report(const QString& text)
{
    showMessage(this, text);
}

namespace
{
enum class Move { First, Previous, Next, Last };

void navigate(frmMain& main, Move move)
{
    if (!ArticleCommands(main).SaveChangesFirst())
        return;
    main.display(); // a closed article form is loaded again first
    main.DropUnsentChanges();
    RecordSet& rs = main.rsMain();
    try {
        if (rs.recordCount() > 0) {
            switch (move) {
            case Move::First:
                rs.moveFirst();
                break;
            case Move::Last:
                rs.moveLast();
                break;
            case Move::Next:
                if (!rs.eof())
                    rs.moveNext();
                if (rs.eof())
                    rs.moveLast();
                break;
            case Move::Previous:
                if (!rs.bof())
                    rs.movePrevious();
                if (rs.bof())
                    rs.moveFirst();
                break;
            }
        }
    } catch (const DbError& e) {
        main.report(e.message());
    }
    main.ShowCurrentRecord();
}
} // namespace

void frmMain::mnuFirst_Click()
{
    navigate(*this, Move::First);
}
void frmMain::mnuPrevious_Click()
{
    navigate(*this, Move::Previous);
}
void frmMain::mnuNext_Click()
{
    navigate(*this, Move::Next);
}
void frmMain::mnuLast_Click()
{
    navigate(*this, Move::Last);
}

void frmMain::Refresh()
{
    if (!m_articles.SaveChangesFirst())
        return;
    display();
    DropUnsentChanges();
    try {
        m_app.ReloadArticles();
    } catch (const DbError& e) {
        report(tr("The articles could not be read again: ") + e.message());
    }
    ShowCurrentRecord();
}

void frmMain::mnuExit_Click()
{
    close();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (!m_ending && !m_articles.SaveChangesFirst()) {
        event->ignore();
        return;
    }
    event->accept();
    if (!m_ending) {
        m_ending = true;
        if (frmBrowser* browser = frmBrowser::loaded(*this))
            browser->abandon();
        emit programEnded();
    }
}

void frmMain::mnuMan_Click()
{
    // A missing page or a desktop without a program to show it: nothing happens.
    QDesktopServices::openUrl(QUrl::fromLocalFile(m_app.HelpFile()));
}

void frmMain::showImages()
{
    frmImages::showImages(*this);
}

void frmMain::AddRecord()
{
    m_articles.AddRecord();
}
void frmMain::SaveRecord()
{
    m_articles.SaveRecord();
}
void frmMain::DeleteRecord()
{
    m_articles.DeleteRecord();
}
void frmMain::PrintRecord()
{
    m_printer.PrintRecord();
}
void frmMain::mnuPrint_Click()
{
    m_printer.mnuPrint_Click();
}
void frmMain::mnuSearch_Click()
{
    if (m_articles.SaveChangesFirst())
        frmSearch::showSearch(*this);
}
void frmMain::mnuCategories_Click()
{
    if (m_articles.SaveChangesFirst())
        ListEditor::showEditor<frmSetupCG>(*this);
}
void frmMain::mnuUsers_Click()
{
    if (m_articles.SaveChangesFirst())
        ListEditor::showEditor<frmSetupUsers>(*this);
}
void frmMain::mnuData_Click()
{
    SingleInstance::showLoaded<frmDataPath>(*this, m_app);
}
void frmMain::mnuLabels_Click()
{
    SingleInstance::showLoaded<frmCustomizeLabels>(*this, m_app);
}
void frmMain::mnuGen_Click()
{
    SingleInstance::showLoaded<General>(*this, m_app);
}
void frmMain::mnuQuickSearch_Click()
{
    m_quickSearch->mnuQuickSearch_Click();
}
void frmMain::mnuAbout_Click()
{
    SingleInstance::showLoaded<frmAbout>(*this);
}
void frmMain::mnuHistory_Click()
{
    if (m_articles.SaveChangesFirst())
        HistoryCommands::showHistory(*this);
}
void frmMain::mnuTrash_Click()
{
    if (m_articles.SaveChangesFirst())
        HistoryCommands::showTrash(*this);
}
void frmMain::mnuBackup_Click()
{
    HistoryCommands::backUpDatabase(*this);
}
void frmMain::mnuImport_Click()
{
    TransferCommands::showImport(*this);
}
void frmMain::mnuExport_Click()
{
    TransferCommands::showExport(*this);
}
void frmMain::mnuStoreLinkedPictures_Click()
{
    if (m_articles.SaveChangesFirst())
        PictureCommands::storeLinked(*this);
}
void frmMain::mnuWritePictures_Click()
{
    PictureCommands::writePictures(*this);
}
void frmMain::mnuCompact_Click()
{
    if (m_articles.SaveChangesFirst())
        PictureCommands::compact(*this);
}
