// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QRect>
#include <QString>
#include <QWidget>

// Windows laid out in twips, as they were designed: 15 twips make a pixel.
inline QRect twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

// A new control named `name` at a fixed place in `parent`.
template <typename W> W* place(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* widget = new W(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

#include <QPushButton>

// A button named `name`. The default button takes Enter; the others never take it on their own.
inline QPushButton* commandButton(QWidget* parent, const char* name, const QString& caption,
                                  bool isDefault = false)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    if (isDefault)
        button->setDefault(true);
    else
        button->setAutoDefault(false);
    return button;
}

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

// A file row of a dialog: the caption (buddy of the box), the path box named `boxName` and a
// "&Browse..." button named "cmdBrowse".
inline QHBoxLayout* fileRow(QWidget* parent, const QString& caption, const char* boxName,
                            QLineEdit*& box, QPushButton*& browse)
{
    auto* label = new QLabel(caption, parent);
    box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(boxName));
    box->setMinimumWidth(420);
    label->setBuddy(box);
    browse = commandButton(parent, "cmdBrowse",
                           QCoreApplication::translate("DesignedLayout", "&Browse..."));
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(box, 1);
    row->addWidget(browse);
    return row;
}
