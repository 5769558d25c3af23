// SPDX-License-Identifier: GPL-3.0-or-later
#include "articles/PictureStrip.h"

#include "core/DbError.h"
#include "core/Pictures.h"

#include <QHBoxLayout>
#include <QHash>
#include <QPixmap>
#include <QToolButton>

namespace
{
// The side of a preview on the form, in pixels: half a thumbnail, so the strip fits beside the
// Images button.
constexpr int Side = pictures::ThumbnailSide / 2;
} // namespace

PictureStrip::PictureStrip(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picThumbnails"));
    setAccessibleName(tr("Stored pictures"));
    m_row = new QHBoxLayout(this);
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->setSpacing(4);
    m_row->addStretch(1);
    hide();
}

QList<QToolButton*> PictureStrip::buttons() const
{
    return findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly);
}

void PictureStrip::clear()
{
    for (QToolButton* button : buttons())
        delete button;
    m_shown.clear();
    hide();
}

bool PictureStrip::showSlots(Connection& connection, const QStringList& slotTexts)
{
    QStringList wanted(slotTexts.size());
    QStringList ids;
    for (int i = 0; i < slotTexts.size(); ++i) {
        const QString id = pictures::parse(slotTexts.at(i)).id;
        if (!id.isEmpty()) {
            wanted[i] = slotTexts.at(i);
            ids << id;
        }
    }
    if (ids.isEmpty()) {
        if (!m_shown.isEmpty())
            clear();
        return true;
    }
    if (wanted == m_shown)
        return true;
    clear();
    QHash<QString, QImage> thumbnails;
    try {
        for (const auto& [id, thumbnail] : pictures::thumbnails(connection, ids))
            thumbnails.insert(id, thumbnail);
    } catch (const DbError&) {
        return false;
    }
    m_shown = wanted;
    for (int i = 0; i < wanted.size(); ++i) {
        if (wanted.at(i).isEmpty())
            continue;
        const pictures::StoredRef stored = pictures::parse(wanted.at(i));
        auto* button = new QToolButton(this);
        const int slot = i + 1;
        button->setObjectName(QStringLiteral("picThumbnail") + QString::number(slot));
        button->setAutoRaise(true);
        button->setIconSize(QSize(Side, Side));
        button->setFixedSize(Side + 6, Side + 6);
        const QImage thumbnail = thumbnails.value(stored.id);
        if (thumbnail.isNull())
            button->setText(QStringLiteral("?")); // not in this database
        else
            button->setIcon(QPixmap::fromImage(
                thumbnail.scaled(Side, Side, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        const QString tip = tr("Image %1: %2").arg(slot).arg(stored.name);
        button->setToolTip(tip);
        button->setAccessibleName(tip);
        m_row->insertWidget(m_row->count() - 1, button);
        const QString text = wanted.at(i);
        connect(button, &QToolButton::clicked, this,
                [this, slot, text] { emit opened(slot, text); });
    }
    show();
    return true;
}
