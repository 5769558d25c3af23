// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

class Frame;
class QDockWidget;
class QLabel;
class QLineEdit;
class QMainWindow;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

// The quick search of the main window: the box `txtQuickSearch` on the toolbar `tlbQuickSearch`
// and the ranked results `lstResults` in a dock under the article form. Results follow the typing
// after a short pause; Enter or a double click shows the article, Esc empties the box and hides
// the results.
class QuickSearch : public QObject
{
    Q_OBJECT
public:
    // Adds the toolbar and the dock to `main`.
    QuickSearch(QMainWindow& main, Frame& frame);

    // Ctrl+F: the box takes the focus.
    void mnuQuickSearch_Click();

    // The pause between the last key and the search.
    static constexpr int PauseMilliseconds = 250;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void txtQuickSearch_Change();
    void runSearch();
    void lstResults_Open(QTreeWidgetItem* item);
    void clear();
    // Shows the results at the height the user gave them last (kept in the preferences file,
    // [QuickSearch] ResultsHeight), or with room for eight rows at first.
    void showResults();
    // Stores the results' height when the user changed it.
    void rememberHeight();
    // The database has the index, or the user had it built now.
    bool ensureIndex();
    // What buildWithProgress makes.
    enum class Build {
        First,   // the index of a database without one
        Again,   // the index made again from the articles
        Phrases, // the index of neighbouring words beside an index made without it
    };
    // Builds with a progress window; false when cancelled or failed, which is reported.
    bool buildWithProgress(Build what);
    // Before a search of what was typed: a "quoted phrase" in a database whose index was made
    // without the index of neighbouring words offers to add it, once a session.
    void offerPhraseIndex(const QString& typed);
    // At start: an index that no longer matches the articles is made again.
    void checkIndex();
    // A failed search: reported in a box the first time; while later searches fail the same way
    // (a server that is away, each key would bring the box back) only in the result line.
    void reportFailure(const QString& text);

    Frame& m_frame;
    QToolBar* tlbQuickSearch = nullptr;
    QLineEdit* txtQuickSearch = nullptr;
    QDockWidget* m_dock = nullptr;
    QTreeWidget* lstResults = nullptr;
    QLabel* lblResultCount = nullptr;
    QTimer m_pause;
    bool m_indexDeclined = false;
    bool m_phrasesOffered = false;
    QString m_failure; // the failure last reported in a box; empty once a search worked
    int m_laidOutHeight = -1;
};
