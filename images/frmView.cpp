// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/frmView.h"

#include "common/Frame.h"
#include "common/SingleInstance.h"
#include "core/Pictures.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>

frmView::frmView(Frame& frame)
    : QMainWindow(frame.window(), Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                      Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmView"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("View Image"));

    mnuClose = menuBar()->addAction(tr("&Close!"));
    mnuClose->setObjectName(QStringLiteral("mnuClose"));
    connect(mnuClose, &QAction::triggered, this, &frmView::mnuClose_Click);

    scrollArea = new QScrollArea(this);
    scrollArea->setObjectName(QStringLiteral("scrollArea"));
    scrollArea->setWidgetResizable(false);
    scrollArea->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setAccessibleName(tr("Image"));
    scrollArea->setWidget(Image1);
    setCentralWidget(scrollArea);

    resize(480, 360);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect placed = geometry();
        placed.moveCenter(screen->availableGeometry().center());
        move(placed.topLeft());
    }
}

frmView& frmView::showViewer(Frame& frame)
{
    frmView* viewer = SingleInstance::show<frmView>(
        frame.window(), [&frame] { return std::make_unique<frmView>(frame); });
    // The main window may be disabled by the images dialog; the viewer stays usable.
    viewer->setEnabled(true);
    return *viewer;
}

void frmView::addToCaption(const QString& text)
{
    // "[*]" in a title is Qt's placeholder for the modified mark; doubled it shows as itself.
    QString shown = text;
    shown.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(windowTitle() + QStringLiteral(" - ") + shown);
}

bool frmView::showPicture(const QString& path)
{
    if (path.isEmpty())
        return false;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return showImage(reader.read());
}

bool frmView::showImage(const QImage& picture)
{
    if (picture.isNull())
        return false;
    Image1->setPixmap(QPixmap::fromImage(picture));
    Image1->adjustSize();
    return true;
}

bool frmView::showStored(Connection& connection, const QString& slotText)
{
    const pictures::StoredRef stored = pictures::parse(slotText);
    if (stored.id.isEmpty())
        return false;
    try {
        return showImage(pictures::image(connection, stored.id));
    } catch (const DbError& e) {
        if (e.kind() == DbError::Kind::NotFound)
            return false;
        throw;
    }
}

void frmView::mnuClose_Click()
{
    close();
}

void frmView::closeEvent(QCloseEvent* event)
{
    SingleInstance::markUnloaded(this);
    event->accept();
}
