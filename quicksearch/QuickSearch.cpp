// SPDX-License-Identifier: GPL-3.0-or-later
#include "quicksearch/QuickSearch.h"

#include "articles/ArticleCommands.h"
#include "common/Frame.h"
#include "common/MessageBox.h"
#include "core/Backup.h"
#include "core/Connection.h"
#include "core/ProfileFile.h"
#include "core/QuickSearch.h"
#include "core/mdlMain.h"
#include "history/HistoryCommands.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDockWidget>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMainWindow>
#include <QPainter>
#include <QProgressDialog>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{

enum Column { Number, Title, Category, EnteredBy, DateEntered, Snippet };
constexpr int KeyRole = Qt::UserRole;

// The snippet as rich text: the text escaped, the matched words in bold.
QString markedHtml(const QString& snippet)
{
    QString html = snippet.toHtmlEscaped();
    html.replace(quicksearch::MarkStart, QStringLiteral("<b>"));
    html.replace(quicksearch::MarkEnd, QStringLiteral("</b>"));
    return html;
}

// Draws the snippet column as rich text, in the palette's colours.
class SnippetDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QString html = markedHtml(item.text);
        item.text.clear();
        item.widget->style()->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
        QTextDocument document;
        document.setDefaultFont(item.font);
        document.setHtml(html);
        document.setDocumentMargin(1);
        QAbstractTextDocumentLayout::PaintContext context;
        context.palette = item.palette;
        const bool selected = item.state & QStyle::State_Selected;
        context.palette.setColor(
            QPalette::Text,
            item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->save();
        painter->translate(item.rect.topLeft());
        painter->setClipRect(item.rect.translated(-item.rect.topLeft()));
        document.documentLayout()->draw(painter, context);
        painter->restore();
    }
};

} // namespace

QuickSearch::QuickSearch(QMainWindow& main, Frame& frame) : QObject(&main), m_frame(frame)
{
    tlbQuickSearch = new QToolBar(tr("Quick Search"), &main);
    tlbQuickSearch->setObjectName(QStringLiteral("tlbQuickSearch"));
    tlbQuickSearch->setMovable(false);
    txtQuickSearch = new QLineEdit(tlbQuickSearch);
    txtQuickSearch->setObjectName(QStringLiteral("txtQuickSearch"));
    txtQuickSearch->setPlaceholderText(tr("Search all articles"));
    txtQuickSearch->setAccessibleName(tr("Search all articles"));
    txtQuickSearch->setClearButtonEnabled(true);
    txtQuickSearch->setMinimumWidth(260);
    tlbQuickSearch->addWidget(txtQuickSearch);
    main.addToolBar(Qt::TopToolBarArea, tlbQuickSearch);

    m_dock = new QDockWidget(tr("Quick Search Results"), &main);
    m_dock->setObjectName(QStringLiteral("dockQuickSearch"));
    m_dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    auto* panel = new QWidget(m_dock);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(2, 2, 2, 2);
    lblResultCount = new QLabel(panel);
    lblResultCount->setObjectName(QStringLiteral("lblResultCount"));
    lstResults = new QTreeWidget(panel);
    lstResults->setObjectName(QStringLiteral("lstResults"));
    lstResults->setAccessibleName(tr("Quick search results"));
    lstResults->setRootIsDecorated(false);
    lstResults->setUniformRowHeights(true);
    lstResults->setAllColumnsShowFocus(true);
    lstResults->setHeaderLabels({tr("Number"), tr("Title"), tr("Category"), tr("Entered By"),
                                 tr("Date Entered"), tr("Found")});
    lstResults->setItemDelegateForColumn(Snippet, new SnippetDelegate(lstResults));
    lstResults->header()->setStretchLastSection(true);
    layout->addWidget(lblResultCount);
    layout->addWidget(lstResults);
    m_dock->setWidget(panel);
    main.addDockWidget(Qt::BottomDockWidgetArea, m_dock);
    m_dock->hide();

    m_pause.setSingleShot(true);
    m_pause.setInterval(PauseMilliseconds);
    connect(&m_pause, &QTimer::timeout, this, &QuickSearch::runSearch);
    connect(txtQuickSearch, &QLineEdit::textEdited, this, &QuickSearch::txtQuickSearch_Change);
    connect(lstResults, &QTreeWidget::itemActivated, this, &QuickSearch::lstResults_Open);
    txtQuickSearch->installEventFilter(this);
    lstResults->installEventFilter(this);
    m_dock->installEventFilter(this);
    QTimer::singleShot(0, this, &QuickSearch::checkIndex);
}

void QuickSearch::mnuQuickSearch_Click()
{
    // Asked for on purpose: a declined index is offered again at the next search.
    m_indexDeclined = false;
    txtQuickSearch->setFocus(Qt::ShortcutFocusReason);
    txtQuickSearch->selectAll();
}

bool QuickSearch::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_dock && event->type() == QEvent::Hide)
        rememberHeight();
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape) {
        clear();
        txtQuickSearch->setFocus();
        return true;
    }
    if (watched != txtQuickSearch)
        return false;
    if (key == Qt::Key_Down && lstResults->topLevelItemCount() > 0) {
        lstResults->setFocus();
        lstResults->setCurrentItem(lstResults->topLevelItem(0));
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (m_pause.isActive()) {
            m_pause.stop();
            runSearch();
        }
        QTreeWidgetItem* chosen = lstResults->currentItem();
        if (!chosen && lstResults->topLevelItemCount() > 0)
            chosen = lstResults->topLevelItem(0);
        if (chosen)
            lstResults_Open(chosen);
        return true;
    }
    return false;
}

void QuickSearch::txtQuickSearch_Change()
{
    m_pause.start();
}

void QuickSearch::clear()
{
    m_pause.stop();
    txtQuickSearch->clear();
    lstResults->clear();
    m_dock->hide();
}

bool QuickSearch::ensureIndex()
{
    mdlMain& app = m_frame.app();
    try {
        if (quicksearch::hasIndex(app.dbConnection.database()))
            return true;
    } catch (const DbError& e) {
        reportFailure(e.message());
        return false;
    }
    if (m_indexDeclined)
        return false;
    // A server's database is backed up by its administrator: no copy is promised there.
    const QString question =
        app.dbConnection.isServer()
            ? tr("The quick search needs an index of the articles, which this database does not "
                 "have yet. Build it now?")
            : tr("The quick search needs an index of the articles, which this database does not "
                 "have yet. Build it now? A copy of the database goes to its backups folder "
                 "first.");
    if (!askYesNo(m_frame.window(), question, QStringLiteral("Ardentry"), QMessageBox::Yes)) {
        m_indexDeclined = true;
        return false;
    }
    try {
        // A copy goes to the backups folder first; a failed copy is reported and the build goes
        // on, since it only adds to the file.
        try {
            backup::copyNow(app.dbConnection);
        } catch (const DbError& e) {
            HistoryCommands::reportBackupFailure(m_frame, e.message());
        }
        if (!buildWithProgress(Build::First))
            return false;
    } catch (const DbError& e) {
        m_frame.report(tr("The quick-search index could not be built: %1\n\nThe database is as it "
                          "was.")
                           .arg(e.message()));
        m_indexDeclined = true;
        return false;
    }
    return true;
}

bool QuickSearch::buildWithProgress(Build what)
{
    mdlMain& app = m_frame.app();
    const QString label = what == Build::Again
                              ? tr("The articles were renumbered by another program. "
                                   "Rebuilding the quick-search index...")
                          : what == Build::First ? tr("Building the quick-search index...")
                                                 : tr("Building the index of quoted phrases...");
    QProgressDialog progress(label, tr("Cancel"), 0, 100, m_frame.window());
    progress.setObjectName(QStringLiteral("dlgBuildIndex"));
    progress.setWindowTitle(QStringLiteral("Ardentry"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    const auto step = [&](qint64 done, qint64 total) {
        progress.setValue(total > 0 ? int(done * 100 / total) : 100);
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };
    if (what == Build::First) {
        if (quicksearch::buildIndex(app.dbConnection, step))
            return true;
        m_frame.report(tr("The index was not built; the database is as it was."));
        return false;
    }
    try {
        if (what == Build::Phrases) {
            if (quicksearch::buildPhraseIndex(app.dbConnection, step))
                return true;
            m_frame.report(tr("The index was not built; the database is as it was."));
            return false;
        }
        if (quicksearch::rebuildIndex(app.dbConnection, step))
            return true;
        m_frame.report(tr("The quick-search index was not rebuilt; the quick search finds "
                          "nothing until it is."));
    } catch (const DbError& e) {
        m_frame.report(
            what == Build::Phrases
                ? tr("The index of quoted phrases could not be built: %1\n\nThe "
                     "database is as it was.")
                      .arg(e.message())
                : tr("The quick-search index could not be rebuilt: %1").arg(e.message()));
    }
    return false;
}

void QuickSearch::offerPhraseIndex(const QString& typed)
{
    if (m_phrasesOffered || !quicksearch::hasPhrase(typed))
        return;
    Connection& connection = m_frame.app().dbConnection;
    try {
        if (!quicksearch::hasIndex(connection.database()))
            return; // the search offers the index, and this one with it
        // Looked at once: later keys ask the database nothing more.
        m_phrasesOffered = true;
        if (quicksearch::hasPhraseIndex(connection.database()) ||
            !quicksearch::mayBuildPhraseIndex(connection))
            return;
    } catch (const DbError&) {
        return; // the search tells
    }
    if (askYesNo(m_frame.window(),
                 tr("Quoted phrases are found much faster with an index of neighbouring words, "
                    "which this database does not have yet. On a large database building it "
                    "takes some minutes, and meanwhile nobody can save changes. Build it now?"),
                 QStringLiteral("Ardentry"), QMessageBox::Yes))
        buildWithProgress(Build::Phrases);
}

void QuickSearch::checkIndex()
{
    Connection& connection = m_frame.app().dbConnection;
    try {
        if (!connection.isOpen() || quicksearch::indexMatches(connection))
            return;
    } catch (const DbError&) {
        return; // the next search tells
    }
    buildWithProgress(Build::Again);
}

void QuickSearch::runSearch()
{
    const QString typed = txtQuickSearch->text();
    if (typed.trimmed().isEmpty()) {
        lstResults->clear();
        m_dock->hide();
        return;
    }
    // Each key typed asks the database one thing, the search (which also connects again after a
    // server restart); only a database without the index is asked to make it.
    offerPhraseIndex(typed);
    quicksearch::Result result;
    try {
        try {
            result = quicksearch::search(m_frame.app().dbConnection, typed);
        } catch (const quicksearch::NoIndex&) {
            if (!ensureIndex())
                return;
            result = quicksearch::search(m_frame.app().dbConnection, typed);
        } catch (const quicksearch::StaleIndex&) {
            if (!buildWithProgress(Build::Again))
                return;
            result = quicksearch::search(m_frame.app().dbConnection, typed);
        }
    } catch (const DbError& e) {
        reportFailure(tr("The quick search failed: %1").arg(e.message()));
        return;
    }
    m_failure.clear();
    lstResults->clear();
    for (const quicksearch::Hit& hit : result.hits) {
        auto* item = new QTreeWidgetItem(lstResults);
        item->setText(Number, hit.id);
        item->setText(Title, hit.title);
        item->setText(Category, hit.category);
        item->setText(EnteredBy, hit.enteredBy);
        item->setText(DateEntered, hit.dateEntered);
        item->setText(Snippet, hit.snippet);
        item->setData(Number, KeyRole, hit.key);
    }
    if (result.overflow)
        lblResultCount->setText(tr("More than %1 articles; the first %2 are shown")
                                    .arg(QLocale().toString(quicksearch::RankedAtMost))
                                    .arg(result.hits.size()));
    else
        lblResultCount->setText(result.total == 1 ? tr("1 article")
                                                  : tr("%1 articles").arg(result.total));
    for (int c = Number; c < Snippet; ++c)
        lstResults->resizeColumnToContents(c);
    if (m_dock->isHidden())
        showResults();
}

void QuickSearch::showResults()
{
    m_dock->show();
    int height = ProfileFile(m_frame.app().IniFile())
                     .read(QStringLiteral("QuickSearch"), QStringLiteral("ResultsHeight"))
                     .toInt();
    if (height <= 0) {
        // Room for the count, the header and eight and a half rows.
        const int row = std::max(lstResults->sizeHintForRow(0), lstResults->fontMetrics().height());
        const int list =
            lstResults->header()->sizeHint().height() + row * 17 / 2 + 2 * lstResults->frameWidth();
        height = m_dock->sizeHint().height() - lstResults->sizeHint().height() + list;
    }
    auto* main = static_cast<QMainWindow*>(m_dock->parentWidget());
    // The article form keeps its own height: the window grows when the results need the room.
    const int missing = main->centralWidget()->minimumSizeHint().height() + height -
                        main->centralWidget()->height();
    if (missing > 0 && !main->isMaximized() && !main->isFullScreen()) {
        int room = main->height() + missing;
        if (const QScreen* screen = main->screen())
            room = std::min(room, screen->availableGeometry().height() -
                                      (main->frameGeometry().height() - main->height()));
        main->resize(main->width(), std::max(main->height(), room));
    }
    main->resizeDocks({m_dock}, {height}, Qt::Vertical);
    // What the layout gave, to tell a height the user chose later from it.
    m_laidOutHeight = -1;
    QTimer::singleShot(0, this, [this] { m_laidOutHeight = m_dock->height(); });
}

void QuickSearch::rememberHeight()
{
    if (m_laidOutHeight < 0 || m_dock->height() == m_laidOutHeight)
        return;
    m_laidOutHeight = m_dock->height();
    ProfileFile(m_frame.app().IniFile())
        .write(QStringLiteral("QuickSearch"), QStringLiteral("ResultsHeight"),
               QString::number(m_dock->height()));
}

void QuickSearch::reportFailure(const QString& text)
{
    if (text != m_failure) {
        m_failure = text;
        m_frame.report(text);
        return;
    }
    lstResults->clear();
    lblResultCount->setText(text);
    m_dock->show();
}

void QuickSearch::lstResults_Open(QTreeWidgetItem* item)
{
    if (!item || !ArticleCommands(m_frame).SaveChangesFirst())
        return;
    const qint64 key = item->data(Number, KeyRole).toLongLong();
    mdlMain& app = m_frame.app();
    m_frame.DropUnsentChanges();
    try {
        // The search filter goes first, so the article is always found; a reload also brings
        // articles that were added since the last one.
        RecordSet& rs = app.rsMain;
        if (!rs.isOpen() || !rs.filter().isEmpty() || !rs.moveToKey(key)) {
            app.ReloadArticles();
            if (!rs.moveToKey(key)) {
                m_frame.report(tr("This article is no longer in the database."));
                return;
            }
        }
        // Another program may have renumbered the rows since the search: the row found must
        // still be the article listed.
        if (rs.value(QStringLiteral("ID")) != item->text(Number)) {
            app.ReloadArticles();
            m_frame.report(tr("The articles were renumbered by another program since this "
                              "search; it runs again."));
            runSearch();
            return;
        }
    } catch (const DbError& e) {
        m_frame.report(tr("The article could not be shown: %1").arg(e.message()));
        return;
    }
    m_frame.display();
    m_frame.ShowCurrentRecord();
}
