// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/History.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTextBrowser;
class QTreeWidget;
class Frame;

// "Article History": the earlier versions of the current article, newest first (when, who, which
// fields the change altered); the selected version's fields beside the article as it is now, the
// differences marked word by word; Restore writes the selected version back as a new change.
// The main window waits while it is open.
class frmHistory : public QDialog
{
    Q_OBJECT
public:
    explicit frmHistory(Frame& frame);

    // The open window, or a new one for the current article.
    static void showHistory(Frame& frame);
    // The caption of a column of an article ("Title", "Image 3", ...).
    static QString caption(const QString& column);

    // Reads the history of the current article of rsMain; false (after a message) when there is
    // no saved article or the database keeps no history.
    bool Form_Load();
    void lstVersions_Click();
    void cmdRestore_Click();
    void cmdClose_Click();

    void done(int result) override;

    QLabel* lblArticle = nullptr;
    QTreeWidget* lstVersions = nullptr;
    QTextBrowser* txtCompare = nullptr;
    QPushButton* cmdRestore = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    void buildControls();
    // Reads the versions again; the version `select` is selected when it is listed, else the
    // newest.
    bool fill(qint64 select = 0);
    const history::Version* selected() const;

    Frame& m_frame;
    QString m_number; // as rsMain shows it
    history::ArticleHistory m_history;
};
