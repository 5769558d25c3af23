#include "app/Startup.h"
#include "Version.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ardentry"));
    QApplication::setApplicationVersion(QStringLiteral(ARDENTRY_VERSION));
    return runArdentry(QApplication::applicationDirPath());
}
