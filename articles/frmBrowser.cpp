// SPDX-License-Identifier: GPL-3.0-or-later
#include "articles/frmBrowser.h"

#include "articles/DocumentView.h"
#include "common/Frame.h"
#include "common/SingleInstance.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFrame>
#include <QPrinter>
#include <QTimer>

namespace
{
int s_loadTimeout = 30000;
int s_documentsPrinted = 0;

frmBrowser::PrinterHook& printerHook()
{
    static frmBrowser::PrinterHook hook;
    return hook;
}

QString secondsText(int milliseconds)
{
    const int seconds = qMax(1, (milliseconds + 999) / 1000);
    return seconds == 1 ? QCoreApplication::translate("frmBrowser", "1 second")
                        : QCoreApplication::translate("frmBrowser", "%1 seconds").arg(seconds);
}
} // namespace

frmBrowser::frmBrowser(Frame& frame)
    : QWidget(frame.window(),
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmBrowser"));
    setWindowTitle(tr("Ardentry Print Article"));
    setFixedSize(504, 443);

    wbrBrowser1 = new QFrame(this);
    wbrBrowser1->setObjectName(QStringLiteral("wbrBrowser1"));
    wbrBrowser1->setFrameShape(QFrame::Panel);
    wbrBrowser1->setFrameShadow(QFrame::Sunken);
    wbrBrowser1->setGeometry(8, 8, 473, 417);

    WBrBrowser = new DocumentView(wbrBrowser1);
    WBrBrowser->setObjectName(QStringLiteral("WBrBrowser"));
    WBrBrowser->setGeometry(40, 280, 97, 41);
    WBrBrowser->setAccessibleName(tr("Article to print"));
}

void frmBrowser::abandon()
{
    m_abandoned = true;
    if (WBrBrowser->isLoading())
        WBrBrowser->stop(tr("the program has ended"));
}

frmBrowser* frmBrowser::loaded(Frame& frame)
{
    return SingleInstance::loaded<frmBrowser>(frame.window());
}

frmBrowser& frmBrowser::load(Frame& frame)
{
    if (frmBrowser* window = loaded(frame))
        return *window;
    auto window = std::make_unique<frmBrowser>(frame);
    window->Form_Load();
    return *window.release(); // owned by the main window from here on
}

void frmBrowser::Form_Load()
{
    WBrBrowser->navigate(QStringLiteral("about:blank"));
}

void frmBrowser::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
}

int frmBrowser::loadTimeout()
{
    return s_loadTimeout;
}
void frmBrowser::setLoadTimeout(int milliseconds)
{
    s_loadTimeout = qMax(1, milliseconds);
}
void frmBrowser::setPrinterHook(PrinterHook hook)
{
    printerHook() = std::move(hook);
}
bool frmBrowser::hasPrinterHook()
{
    return bool(printerHook());
}

bool frmBrowser::waitUntilLoaded()
{
    // The window keeps working while it waits: events of the whole program are processed.
    const QDeadlineTimer deadline(s_loadTimeout);
    while (WBrBrowser->isLoading() && !deadline.hasExpired()) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        connect(WBrBrowser, &DocumentView::loadFinished, &loop, &QEventLoop::quit);
        timer.start(int(qMax<qint64>(1, deadline.remainingTime())));
        if (WBrBrowser->isLoading())
            loop.exec();
    }
    return !WBrBrowser->isLoading();
}

QString frmBrowser::printDocument(const QString& target, QPrinter& printer)
{
    struct Busy {
        bool& flag;
        explicit Busy(bool& f) : flag(f) { flag = true; }
        ~Busy() { flag = false; }
    } busy(m_printing);

    if (m_abandoned)
        return tr("the program has ended");
    WBrBrowser->navigate(target);
    if (!waitUntilLoaded()) {
        WBrBrowser->stop(tr("it did not finish loading"));
        return tr("it did not finish loading within %1").arg(secondsText(s_loadTimeout));
    }
    if (!WBrBrowser->isReady() || m_abandoned)
        return WBrBrowser->errorText();
    ++s_documentsPrinted;
    if (const PrinterHook& hook = printerHook())
        hook(printer, s_documentsPrinted);
    if (!WBrBrowser->print(printer))
        return WBrBrowser->errorText();
    return QString();
}
