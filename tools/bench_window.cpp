// SPDX-License-Identifier: GPL-3.0-or-later
// ardentry-bench-window DATABASE: one start of the program on DATABASE as a user sees it, for
// ardentry-bench, which runs it once per sample. The real start-up (startArdentry) runs, on Qt's
// offscreen platform unless another is set; once the main window has been painted for the first
// time it prints the moment (steady clock, ns, the same clock as the parent's) and the article
// number the form shows, then waits until the work after the start (the daily copy, the
// history's tables) has ended, and prints that moment and the peak memory:
//   main <ns>               main() entered
//   painted <ns> <number>   the first paint of the main window ended, <number> in the form
//   finished <ns>           the work after the start ended
//   memory <MB>             peak resident memory (VmHWM)

#include "app/Startup.h"
#include "app/frmMain.h"
#include "common/MessageBox.h"
#include "core/mdlMain.h"
#include "history/HistoryCommands.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <cstdio>

namespace
{

long long now()
{
    return std::chrono::steady_clock::now().time_since_epoch().count();
}

double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

// Notes the end of the main window's first paint: the widgets are painted while the window's
// first Expose event is delivered.
class TimedApplication : public QApplication
{
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        const bool result = QApplication::notify(receiver, event);
        if (m_painted == 0 && event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(receiver);
            for (QWidget* top : topLevelWidgets()) {
                auto* main = qobject_cast<frmMain*>(top);
                if (main && window && main->windowHandle() == window && window->isExposed()) {
                    m_painted = now();
                    const auto* id = main->findChild<QLineEdit*>(QStringLiteral("txtID"));
                    m_shown = id ? id->text() : QString();
                }
            }
        }
        return result;
    }
    long long painted() const { return m_painted; }
    const QString& shown() const { return m_shown; }

private:
    long long m_painted = 0;
    QString m_shown;
};

} // namespace

int main(int argc, char* argv[])
{
    const long long entered = now();
    if (argc != 2) {
        std::fprintf(stderr, "usage: ardentry-bench-window DATABASE\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TimedApplication application(argc, argv);
    QTemporaryDir folder; // the program's folder: preferences of its own
    QDir(folder.path()).mkpath(QStringLiteral("Ini"));
    mdlMain app(folder.path());
    app.setDatabaseForThisRun(QString::fromLocal8Bit(argv[1]));
    MessageBox::setAnswering(true); // nobody answers: each box takes its default
    const std::unique_ptr<frmMain> window = startArdentry(app);
    if (!window)
        return 1;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (application.painted() != 0 && HistoryCommands::startFinished(*window))
            QCoreApplication::quit();
    });
    poll.start(5);
    QTimer::singleShot(std::chrono::minutes(30), &QCoreApplication::quit);
    QApplication::exec();
    const long long finished = now();
    if (application.painted() == 0)
        return 3;
    std::printf("main %lld\npainted %lld %s\nfinished %lld\nmemory %.1f\n", entered,
                application.painted(), qPrintable(application.shown()), finished, peakMegabytes());
    return 0;
}
