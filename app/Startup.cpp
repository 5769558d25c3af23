#include "app/Startup.h"

#include "app/frmMain.h"
#include "common/MessageBox.h"
#include "core/mdlMain.h"

#include <QApplication>

#include <iostream>

std::unique_ptr<frmMain> startArdentry(mdlMain& app)
{
    try {
        app.Main();
    } catch (const StartupError& e) {
        std::cerr << "Ardentry: " << e.message().toStdString() << std::endl;
        showMessage(nullptr, QStringLiteral("Ardentry cannot start.\n\n") + e.message());
        return nullptr;
    }
    auto window = std::make_unique<frmMain>(app);
    window->show();
    return window;
}

int runArdentry(const QString& programFolder)
{
    mdlMain app(programFolder);
    // The window goes before the shared state it refers to.
    const std::unique_ptr<frmMain> window = startArdentry(app);
    if (!window)
        return 1;
    QObject::connect(window.get(), &frmMain::programEnded, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    return QApplication::exec();
}
