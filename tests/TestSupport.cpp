// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/TestSupport.h"

#include "app/Startup.h"

#include "app/frmMain.h"
#include "articles/frmDisplay.h"
#include "core/mdlMain.h"
#include "history/HistoryCommands.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <QUuid>

#include <stdexcept>

MessageCatcher::MessageCatcher() : seen(MessageBox::shown())
{
    MessageBox::setAnswering(true);
}

MessageCatcher::~MessageCatcher()
{
    MessageBox::setAnswering(false);
}

void MessageCatcher::onOtherDialog(std::function<void(QWidget*)> handler)
{
    MessageBox::setDialogHandler([handler = std::move(handler)](QDialog& dialog) {
        dialog.setResult(QDialog::Rejected);
        handler(&dialog);
        return dialog.result();
    });
}

QWidget* findAnyWidget(const QString& objectName)
{
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == objectName)
            return top;
        if (QWidget* child = top->findChild<QWidget*>(objectName))
            return child;
    }
    return nullptr;
}

StartedApp::StartedApp(const NewDatabaseOptions& options, TestFolder::Engine engine)
    : m_folder(std::make_shared<TestFolder>(options, engine))
{
    start();
}

StartedApp::StartedApp(std::shared_ptr<TestFolder> folder, std::function<void(QWidget*)> onDialog)
    : m_folder(std::move(folder))
{
    if (onDialog)
        m_messages.onOtherDialog(std::move(onDialog));
    start();
}

StartedApp::~StartedApp()
{
    m_window.reset();
}

void StartedApp::start()
{
    m_app = std::make_unique<mdlMain>(m_folder->folder());
    m_window = startArdentry(*m_app);
    // The daily copy and the history's tables follow the window's first paint.
    if (m_window)
        (void)QTest::qWaitFor([this] { return HistoryCommands::startFinished(*m_window); }, 30000);
}

frmMain& StartedApp::main()
{
    if (!m_window)
        throw std::runtime_error("the program did not start");
    return *m_window;
}

frmDisplay& StartedApp::display()
{
    return main().display();
}

void StartedApp::trigger(const QString& actionName)
{
    QAction* action = main().action(actionName);
    if (!action)
        throw std::runtime_error(("no action " + actionName).toStdString());
    action->trigger();
}

void StartedApp::clickToolbar(int position)
{
    const QList<QAction*> actions = main().toolbar()->actions();
    if (position < 1 || position > actions.size())
        throw std::runtime_error("no such toolbar position");
    QAction* action = actions.at(position - 1);
    if (QWidget* button = main().toolbar()->widgetForAction(action))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        action->trigger();
}

void StartedApp::run(const QString& step)
{
    if (step.startsWith(QLatin1String("tb")))
        clickToolbar(step.mid(2).toInt());
    else
        trigger(step);
}

QWidget* formControl(frmDisplay& form, const QString& objectName)
{
    return form.findChild<QWidget*>(objectName);
}

QString StartedApp::text(const QString& objectName)
{
    QWidget* widget = control<QWidget>(objectName);
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        return line->text();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
        return plain->toPlainText();
    if (auto* rich = qobject_cast<QTextEdit*>(widget))
        return rich->toPlainText();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    throw std::runtime_error(("no text in " + objectName).toStdString());
}

void StartedApp::type(const QString& objectName, const QString& keys, bool replace)
{
    QWidget* widget = control<QWidget>(objectName);
    QWidget* target = widget;
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit())
        target = combo->lineEdit();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
        target = plain->viewport();
    // Typing goes to the active window, as it does for a user (completers need that).
    widget->window()->activateWindow();
    if (!QTest::qWaitForWindowActive(widget->window()))
        throw std::runtime_error("the window did not become active");
    QTest::mouseClick(target, Qt::LeftButton);
    widget->setFocus(Qt::MouseFocusReason);
    if (replace)
        QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(widget, keys);
}
