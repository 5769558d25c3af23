#include "TestSupport.h"

#include "articles/frmDisplay.h"
#include "frmMain.h"
#include "mdlMain.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QToolBar>
#include <QUuid>

#include <stdexcept>

namespace
{
QSqlQuery run(const QString& connection, const QString& sql, const QVariantList& binds)
{
    QSqlQuery query(QSqlDatabase::database(connection));
    if (!query.prepare(sql))
        throw std::runtime_error(
            ("prepare failed: " + sql + ": " + query.lastError().text()).toStdString());
    for (const QVariant& value : binds)
        query.addBindValue(value);
    if (!query.exec())
        throw std::runtime_error(
            ("exec failed: " + sql + ": " + query.lastError().text()).toStdString());
    return query;
}
} // namespace

TestFolder::TestFolder(const NewDatabaseOptions& options)
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    QDir(m_dir.path()).mkpath(QStringLiteral("Ini"));
    QDir(m_dir.path()).mkpath(QStringLiteral("Help"));
    writeFile(QStringLiteral("Help/arhelp.htm"), "<html><body>Guide</body></html>\n");
    createArticleDatabase(dbPath(), options);
    writeFile(QStringLiteral("Ini/arprefs.ini"),
              ("[General]\r\nPath=" + dbPath() + "\r\n").toUtf8());
    m_connection = QStringLiteral("testfolder-") + QUuid::createUuid().toString(QUuid::Id128);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(dbPath());
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
    if (!db.open())
        throw std::runtime_error("cannot open the test database");
}

TestFolder::~TestFolder()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

QString TestFolder::dbPath() const
{
    return path(QStringLiteral("ardentry.db"));
}
QString TestFolder::iniPath() const
{
    return path(QStringLiteral("Ini/arprefs.ini"));
}
QString TestFolder::path(const QString& relative) const
{
    return m_dir.filePath(relative);
}

void TestFolder::exec(const QString& sql, const QVariantList& binds) const
{
    run(m_connection, sql, binds);
}

QList<QVariantList> TestFolder::rows(const QString& sql, const QVariantList& binds) const
{
    QSqlQuery query = run(m_connection, sql, binds);
    QList<QVariantList> result;
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << query.value(i);
        result << row;
    }
    return result;
}

QVariant TestFolder::scalar(const QString& sql, const QVariantList& binds) const
{
    const QList<QVariantList> all = rows(sql, binds);
    return all.isEmpty() || all.first().isEmpty() ? QVariant() : all.first().first();
}

void TestFolder::fillArticles(int count) const
{
    exec(QStringLiteral("DELETE FROM AR"));
    for (int i = 1; i <= count; ++i) {
        const QString n = QString::number(i);
        QVariantList values{
            i,     "Category " + n, "Tech " + n, "Title " + n, "Problem " + n, "Solution " + n,
            "N/A", "01/02/2006",    "N/A",       "N/A"};
        for (int k = 1; k <= 10; ++k)
            values << QStringLiteral("N/A");
        exec(QStringLiteral("INSERT INTO AR (ID, CUName, techname, Title, Problem, solution, "
                            "reference, InitialEntry, EditedBy, DateEdited, Image1, Image2, "
                            "Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10) "
                            "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
             values);
    }
}

void TestFolder::writeFile(const QString& relative, const QByteArray& content) const
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error(("cannot write " + full).toStdString());
    file.write(content);
}

MessageCatcher::MessageCatcher()
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &MessageCatcher::poll);
    m_timer.start();
}

QStringList MessageCatcher::texts() const
{
    QStringList all;
    for (const Seen& s : seen)
        all << s.text;
    return all;
}

void MessageCatcher::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        if (!box->isVisible())
            return;
        Seen s;
        s.text = box->text();
        s.title = box->windowTitle();
        s.buttons = box->standardButtons();
        s.defaultButton = box->defaultButton() ? box->standardButton(box->defaultButton())
                                               : QMessageBox::NoButton;
        s.icon = box->icon();
        seen << s;
        QMessageBox::StandardButton answer =
            m_answers.isEmpty()
                ? (s.defaultButton != QMessageBox::NoButton ? s.defaultButton : QMessageBox::Ok)
                : m_answers.takeFirst();
        if (QAbstractButton* button = box->button(answer))
            button->click();
        else
            box->done(answer);
        return;
    }
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        if (!dialog->isVisible())
            return;
        if (m_other)
            m_other(dialog);
        else
            dialog->reject();
    }
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

StartedApp::StartedApp(const NewDatabaseOptions& options)
    : m_folder(std::make_shared<TestFolder>(options))
{
    start();
}

StartedApp::StartedApp(std::shared_ptr<TestFolder> folder) : m_folder(std::move(folder))
{
    start();
}

StartedApp::~StartedApp() = default;

void StartedApp::start()
{
    m_app = std::make_unique<mdlMain>(m_folder->folder());
    m_status = startArdentry(*m_app);
}

frmMain& StartedApp::main()
{
    if (!m_app->mainWindow())
        throw std::runtime_error("the program did not start");
    return *m_app->mainWindow();
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
