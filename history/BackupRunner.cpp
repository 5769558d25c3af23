// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/BackupRunner.h"

#include "core/Backup.h"

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QWidget>

BackupRunner::BackupRunner(QWidget* owner, std::unique_ptr<BackupJob> job, const QString& label)
    : QObject(owner), m_owner(owner), m_job(std::move(job)), m_label(label)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (m_ended)
            return;
        const int before = m_job->remaining();
        if (stepOnce())
            return;
        // Nothing was copied: the file is busy, so try again a little later.
        m_timer.setInterval(m_job->remaining() == before ? 50 : 0);
    });
}

BackupRunner::~BackupRunner()
{
    delete m_progress.data();
}

void BackupRunner::start(int budgetMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < budgetMs) {
        if (stepOnce())
            return;
    }
    auto* progress = new QProgressDialog(m_label, tr("&Cancel"), 0, 1000, m_owner);
    progress->setObjectName(QStringLiteral("dlgBackupProgress"));
    progress->setWindowTitle(QStringLiteral("Ardentry"));
    progress->setWindowModality(Qt::NonModal);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    progress->setMinimumDuration(0);
    connect(progress, &QProgressDialog::canceled, this, [this] { end(true, QString()); });
    m_progress = progress;
    stepOnce(); // shows where the copy is
    if (!m_ended) {
        progress->show();
        m_timer.start();
    }
}

bool BackupRunner::stepOnce()
{
    if (m_ended)
        return true;
    try {
        if (m_job->step(PagesPerStep)) {
            end(false, QString());
            return true;
        }
    } catch (const DbError& e) {
        end(false, e.message());
        return true;
    }
    if (m_progress && m_job->pageCount() > 0)
        m_progress->setValue(
            int(qint64(m_job->pageCount() - m_job->remaining()) * 1000 / m_job->pageCount()));
    return false;
}

void BackupRunner::end(bool cancelled, const QString& failure)
{
    if (m_ended)
        return;
    m_ended = true;
    m_timer.stop();
    if (cancelled)
        m_job.reset(); // the partial copy goes at once
    if (m_progress)
        m_progress->hide();
    deleteLater();
    emit finished(cancelled, failure);
}
