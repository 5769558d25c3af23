// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <QTimer>

#include <memory>

class BackupJob;
class QWidget;

// Runs a backup job a chunk of pages at a time from the event loop, so the program stays usable
// while the copy is made. When the copy takes longer than a moment, a progress window with a
// Cancel button shows how far it is. The runner is a child of the window it reports to and goes
// away by itself once it has reported.
class BackupRunner : public QObject
{
    Q_OBJECT
public:
    static constexpr int PagesPerStep = 256;

    BackupRunner(QWidget* owner, std::unique_ptr<BackupJob> job, const QString& label);
    ~BackupRunner() override;

    // Copies at once for up to `budgetMs` milliseconds; when the copy is not complete by then,
    // shows the progress window and goes on from the event loop.
    void start(int budgetMs);
    // The progress window, while it is shown.
    QProgressDialog* progress() const { return m_progress; }

signals:
    // The copy is complete (`failure` empty and not `cancelled`), failed (`failure` says why) or
    // was cancelled; in the last two cases no copy is left.
    void finished(bool cancelled, const QString& failure);

private:
    // True when the job is over.
    bool stepOnce();
    void end(bool cancelled, const QString& failure);

    QWidget* m_owner;
    std::unique_ptr<BackupJob> m_job;
    QString m_label;
    QTimer m_timer;
    QPointer<QProgressDialog> m_progress;
    bool m_ended = false;
};
