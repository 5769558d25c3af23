// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>

class QAction;
class QImage;
class QLabel;
class QScrollArea;
class Connection;
class Frame;

// The image viewer: one picture at its own size, scroll bars when it is larger than the window.
// Its caption grows by " - " and the path with every picture asked for; it starts again from
// "View Image" only when the viewer was closed.
class frmView : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmView(Frame& frame);

    // The open viewer of the main window, or nullptr (a closed one that waits for deletion
    // does not count).
    // The open viewer, loaded and shown first when there is none.
    static frmView& showViewer(Frame& frame);

    // Appends " - " and `text` to the caption.
    void addToCaption(const QString& text);
    // Shows the picture in the file; false when it cannot be read, and the previous picture stays.
    bool showPicture(const QString& path);
    // Shows a picture read from elsewhere (the database); false for a null image, and the
    // previous picture stays.
    bool showImage(const QImage& picture);
    // Shows the picture stored in the database that the slot text names (see pictures::parse);
    // false when the database has none by that name or it cannot be decoded. Throws DbError when
    // the database cannot be read.
    bool showStored(Connection& connection, const QString& slotText);

    void mnuClose_Click();

    QScrollArea* scrollArea = nullptr;
    QLabel* Image1 = nullptr;
    QAction* mnuClose = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
};
