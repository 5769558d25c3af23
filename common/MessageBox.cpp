// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/MessageBox.h"

#include <QDialog>
#include <QPushButton>

namespace
{
struct Answering {
    bool on = false;
    QList<QMessageBox::StandardButton> answers;
    std::function<int(QDialog&)> dialogs;
    QList<MessageBox::Shown> shown;
};

Answering& answering()
{
    static Answering state;
    return state;
}
} // namespace

QMessageBox::StandardButton
MessageBox::show(QWidget* parent, const QString& text, const QString& title,
                 QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
                 const QMap<QMessageBox::StandardButton, QString>& captions)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, buttons, parent);
    box.setObjectName(QStringLiteral("ArdentryMessage"));
    for (auto it = captions.cbegin(); it != captions.cend(); ++it)
        if (QAbstractButton* button = box.button(it.key()))
            button->setText(it.value());
    box.setTextFormat(Qt::PlainText);
    if (buttons.testFlag(defaultButton))
        box.setDefaultButton(defaultButton);
    box.setWindowModality(Qt::ApplicationModal);

    Answering& state = answering();
    if (!state.on)
        return static_cast<QMessageBox::StandardButton>(box.exec());
    Shown seen;
    seen.text = box.text();
    seen.title = box.windowTitle();
    seen.buttons = box.standardButtons();
    seen.defaultButton =
        box.defaultButton() ? box.standardButton(box.defaultButton()) : QMessageBox::NoButton;
    seen.icon = box.icon();
    state.shown << seen;
    if (!state.answers.isEmpty())
        return state.answers.takeFirst();
    return seen.defaultButton != QMessageBox::NoButton ? seen.defaultButton : QMessageBox::Ok;
}

int MessageBox::exec(QDialog& dialog)
{
    Answering& state = answering();
    if (!state.on)
        return dialog.exec();
    return state.dialogs ? state.dialogs(dialog) : int(QDialog::Rejected);
}

void MessageBox::setAnswering(bool on)
{
    Answering& state = answering();
    state = Answering();
    state.on = on;
}

void MessageBox::setNextAnswer(QMessageBox::StandardButton answer)
{
    answering().answers << answer;
}

void MessageBox::setDialogHandler(std::function<int(QDialog&)> handler)
{
    answering().dialogs = std::move(handler);
}

const QList<MessageBox::Shown>& MessageBox::shown()
{
    return answering().shown;
}

QStringList MessageBox::shownTexts()
{
    QStringList texts;
    for (const Shown& s : answering().shown)
        texts << s.text;
    return texts;
}

void MessageBox::clearShown()
{
    answering().shown.clear();
}

QMessageBox::StandardButton showMessage(QWidget* parent, const QString& text, const QString& title,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    return MessageBox::show(parent, text, title, buttons, defaultButton);
}

bool askYesNo(QWidget* parent, const QString& text, const QString& title,
              QMessageBox::StandardButton defaultButton)
{
    return showMessage(parent, text, title, QMessageBox::Yes | QMessageBox::No, defaultButton) ==
           QMessageBox::Yes;
}
