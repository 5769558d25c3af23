// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Startup.h"

#include "app/frmMain.h"
#include "app/frmPassword.h"
#include "app/frmWelcome.h"
#include "common/AccessPrompt.h"
#include "common/MessageBox.h"
#include "core/AccessDatabase.h"
#include "core/ServerAddress.h"
#include "core/mdlMain.h"
#include "history/HistoryCommands.h"
#include "search/SearchIndexes.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QWindow>

#include <cstring>
#include <iostream>
#include <optional>

static void initIcons()
{
    Q_INIT_RESOURCE(ardentry_icons);
}

namespace
{
// The texts of start-up, under the translation context "Startup".
class Startup
{
    Q_DECLARE_TR_FUNCTIONS(Startup)
};

// The program's icon, drawn at each size the desktop asks for.
QIcon programIcon()
{
    initIcons();
    QIcon icon;
    for (int size : {48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/ardentry/%1.png").arg(size), QSize(size, size));
    return icon;
}

// Makes `chosen` the database of this run: stored as the database path, or for this run only
// when the command line gave one. Throws StartupError when it cannot be stored.
void useDatabase(mdlMain& app, const QString& typed)
{
    const QString chosen = app.TakePassword(typed);
    if (app.hasDatabaseForThisRun()) {
        app.setDatabaseForThisRun(chosen);
        return;
    }
    QString reason;
    if (!app.StoreDatabasePath(chosen, &reason))
        throw StartupError(Startup::tr("The database path could not be stored in %1: %2")
                               .arg(QDir::toNativeSeparators(app.IniFile()), reason));
}

// The one message of a failed start. Returns the database chosen instead, or an empty text to
// try again (the chooser was cancelled); nullopt when the user quits.
std::optional<QString> askAfterFailure(mdlMain& app, const StartupError& failure)
{
    std::cerr << "Ardentry: " << failure.message().toStdString() << std::endl;
    const auto answer = MessageBox::show(
        nullptr, Startup::tr("Ardentry cannot start.\n\n") + failure.message(),
        QStringLiteral("Ardentry"), QMessageBox::Open | QMessageBox::Close, QMessageBox::Close,
        {{QMessageBox::Open, Startup::tr("Choose another database...")},
         {QMessageBox::Close, Startup::tr("Quit")}});
    if (answer != QMessageBox::Open)
        return std::nullopt;
    // The chooser starts where the failed database is, when that folder is still there.
    const QString failed = app.DatabasePath();
    const QString folder = failed.isEmpty() ? QString() : QFileInfo(failed).absolutePath();
    return frmWelcome::chooseExistingDatabase(nullptr,
                                              QFileInfo(folder).isDir() ? folder : QString());
}
} // namespace

void describeCommandLine(QCommandLineParser& parser)
{
    parser.setApplicationDescription(Startup::tr("Ardentry, the help-desk knowledge base."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption check(QStringLiteral("check-start"),
                             Startup::tr("Start, check that the main window shows, and end."));
    check.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(check);
    parser.addPositionalArgument(
        QStringLiteral("database"),
        Startup::tr(
            "The database file to open for this run; the stored database path stays as it is."),
        QStringLiteral("[database]"));
}

void loadTranslations()
{
    // Ours are built into the program; Qt's come with Qt (Debian: qt6-translations-l10n).
    const QString folders[][2] = {
        {QStringLiteral("ardentry"), QStringLiteral(":/translations")},
        {QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)}};
    for (const auto& [name, folder] : folders) {
        auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
        if (translator->load(QLocale::system(), name, QStringLiteral("_"), folder))
            QCoreApplication::installTranslator(translator.release()); // the application owns it
    }
}

bool wantsTextOnly(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"-h", "--help", "-?", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
        if (std::strcmp(argv[i], "--") == 0)
            break;
    }
    return false;
}

bool lacksDisplay(int argc, char* argv[])
{
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            platform = argv[i + 1];
    }
    // "xcb:wayland" and the like name several; the first one that loads is used.
    const QByteArray first = platform.split(';').constFirst().split(':').constFirst().trimmed();
    const bool needsDisplay = first.isEmpty() || first == "xcb" || first.startsWith("wayland");
    return needsDisplay && qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

std::unique_ptr<frmMain> startArdentry(mdlMain& app)
{
    QApplication::setWindowIcon(programIcon());
    std::optional<StartupError> failure;
    for (;;) {
        if (!failure) {
            try {
                app.Main();
                break;
            } catch (const StartupError& e) {
                failure = e;
            }
        }
        QString chosen;
        if (failure->kind() == StartupError::Kind::PasswordNeeded) {
            // The server wants a password: asked for, then the same database again. Cancel
            // leads to the message of a failed start.
            frmPassword ask(app.ShownDatabasePath(),
                            app.dbConnection.isServer() &&
                                    failure->message().contains(QLatin1String("authentication"))
                                ? failure->message()
                                : QString());
            if (MessageBox::exec(ask) == QDialog::Accepted) {
                app.dbConnection.setPassword(ask.password());
                failure.reset();
                continue;
            }
            failure = StartupError(failure->message());
            continue;
        }
        if (failure->kind() == StartupError::Kind::NoDatabaseChosen) {
            frmWelcome welcome;
            if (MessageBox::exec(welcome) != QDialog::Accepted)
                return nullptr;
            chosen = welcome.databasePath();
            if (!welcome.password().isEmpty())
                app.dbConnection.setPassword(welcome.password());
        } else {
            const std::optional<QString> answer = askAfterFailure(app, *failure);
            if (!answer)
                return nullptr;
            chosen = *answer;
        }
        failure.reset();
        chosen = convertIfAccessDatabase(nullptr, chosen);
        if (chosen.isEmpty())
            continue; // the chooser was cancelled: the same failure is shown again
        try {
            useDatabase(app, chosen);
        } catch (const StartupError& e) {
            failure = e;
        }
    }
    auto window = std::make_unique<frmMain>(app);
    window->show();
    // The daily copy, then the history's tables, once the window is painted; then the offer of
    // the search indexes a large server database was left without.
    HistoryCommands::afterShown(*window, [&main = *window] { SearchIndexes::offer(main); });
    return window;
}

namespace
{
// --check-start: waits until the main window is on screen, then reports what is in use.
int checkStarted(frmMain& window, const mdlMain& app)
{
    const QDeadlineTimer deadline(10000);
    while (!(window.isVisible() && window.windowHandle() && window.windowHandle()->isExposed()) &&
           !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!window.windowHandle() || !window.windowHandle()->isExposed()) {
        std::cerr << "Ardentry: the main window did not show." << std::endl;
        return 3;
    }
    while (!HistoryCommands::startFinished(window) && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    int articles = 0;
    try {
        articles = app.rsMain.recordCount();
    } catch (const DbError&) {
        articles = -1;
    }
    std::cout << "Ardentry started: window \"" << window.windowTitle().toStdString() << "\""
              << (window.windowIcon().isNull() ? "" : " with its icon") << "\n"
              << "database: " << app.ShownDatabasePath().toStdString() << " (" << articles
              << " articles)\n"
              << "preferences: " << app.IniFile().toStdString() << "\n"
              << "guide: " << app.HelpFile().toStdString() << std::endl;
    return 0;
}
} // namespace

int runArdentry(const QString& programFolder, const StartOptions& options)
{
    mdlMain app(programFolder);
    if (options.checkStart)
        MessageBox::setAnswering(true); // nobody is there to answer: each box takes its default
    QString database = options.database;
    if (accessdb::isAccessPath(database)) {
        // Converted, its new database is this run's; declined, the stored database opens.
        QApplication::setWindowIcon(programIcon());
        database = convertIfAccessDatabase(nullptr, QFileInfo(database).absoluteFilePath());
    }
    if (!database.isEmpty())
        app.setDatabaseForThisRun(ServerAddress::looks(database)
                                      ? app.TakePassword(database)
                                      : QFileInfo(database).absoluteFilePath());
    // The window goes before the shared state it refers to.
    const std::unique_ptr<frmMain> window = startArdentry(app);
    if (!window)
        return 1;
    if (options.checkStart)
        return checkStarted(*window, app);
    QObject::connect(window.get(), &frmMain::programEnded, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    return QApplication::exec();
}
