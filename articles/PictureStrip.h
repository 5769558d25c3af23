// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QWidget>

class Connection;
class QHBoxLayout;
class QToolButton;

// Small previews of the pictures an article keeps in the database, one button per stored slot
// ("picThumbnail<slot>"), in slot order. Only thumbnails are read, in one statement, and only
// when a slot holds a stored picture; paths are not previewed. Hidden when there is nothing to
// show.
class PictureStrip : public QWidget
{
    Q_OBJECT
public:
    explicit PictureStrip(QWidget* parent = nullptr);

    // Shows the thumbnails of the slot texts (slot N at index N - 1). The same stored pictures
    // as shown already are not read again. False (the strip then empty) when they cannot be read.
    bool showSlots(Connection& connection, const QStringList& slotTexts);
    // Forgets what is shown, so the next showSlots() reads again.
    void clear();

    // The buttons shown, in slot order.
    QList<QToolButton*> buttons() const;

signals:
    // A thumbnail was clicked: the slot (1..10) and its text.
    void opened(int slot, const QString& slotText);

private:
    QHBoxLayout* m_row = nullptr;
    QStringList m_shown; // the slot texts behind the buttons shown
};
