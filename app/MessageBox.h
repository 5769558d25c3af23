#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// The program's message box: a real modal QMessageBox without icon. Returns the button pressed.
QMessageBox::StandardButton
showMessage(QWidget* parent, const QString& text, const QString& title = QStringLiteral("Ardentry"),
            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
            QMessageBox::StandardButton defaultButton = QMessageBox::Ok);

// Yes/No question; true when the answer is Yes.
bool askYesNo(QWidget* parent, const QString& text, const QString& title,
              QMessageBox::StandardButton defaultButton);
