// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QMap>
#include <QMessageBox>
#include <QString>

#include <functional>

class QDialog;
class QWidget;

// The program's message boxes and other modal dialogs. Every box is a real modal QMessageBox
// without icon. Tests switch on answering: each box is then built as usual, recorded and answered
// from a queue (or with its default button) instead of being shown, the way KeePassXC's
// MessageBox::setNextAnswer works; file and printer dialogs are handed to the test's handler.
class MessageBox
{
public:
    struct Shown {
        QString text;
        QString title;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };

    // `captions` gives some of the buttons a text of their own (Open as "Choose another
    // database...").
    static QMessageBox::StandardButton
    show(QWidget* parent, const QString& text, const QString& title,
         QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
         const QMap<QMessageBox::StandardButton, QString>& captions = {});
    // Runs a modal dialog (file chooser, printer dialog); returns its result code.
    static int exec(QDialog& dialog);

    // For tests.
    static void setAnswering(bool on);
    static void setNextAnswer(QMessageBox::StandardButton answer);
    // Modal dialogs go to `handler` instead of being shown; its return is the result. Without a
    // handler they are rejected.
    static void setDialogHandler(std::function<int(QDialog&)> handler);
    static const QList<Shown>& shown();
    static QStringList shownTexts();
    static void clearShown();
};

// A box titled "Ardentry" (or `title`) with `buttons`. Returns the button pressed.
QMessageBox::StandardButton
showMessage(QWidget* parent, const QString& text, const QString& title = QStringLiteral("Ardentry"),
            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
            QMessageBox::StandardButton defaultButton = QMessageBox::Ok);

// Yes/No question; true when the answer is Yes.
bool askYesNo(QWidget* parent, const QString& text, const QString& title,
              QMessageBox::StandardButton defaultButton);
