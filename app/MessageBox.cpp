#include "MessageBox.h"

QMessageBox::StandardButton showMessage(QWidget* parent, const QString& text, const QString& title,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, buttons, parent);
    box.setObjectName(QStringLiteral("ArdentryMessage"));
    box.setTextFormat(Qt::PlainText);
    if (buttons.testFlag(defaultButton))
        box.setDefaultButton(defaultButton);
    box.setWindowModality(Qt::ApplicationModal);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool askYesNo(QWidget* parent, const QString& text, const QString& title,
              QMessageBox::StandardButton defaultButton)
{
    return showMessage(parent, text, title, QMessageBox::Yes | QMessageBox::No, defaultButton) ==
           QMessageBox::Yes;
}
