// SPDX-License-Identifier: GPL-3.0-or-later
#include "Version.h"
#include "app/Startup.h"

#include <QApplication>
#include <QCommandLineParser>

#include <iostream>

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Ardentry"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ARDENTRY_VERSION));
    QCommandLineParser parser;
    if (wantsTextOnly(argc, argv)) {
        // Help and version need no display: printed before any window system is reached.
        const QCoreApplication textOnly(argc, argv);
        loadTranslations();
        describeCommandLine(parser); // in the user's language
        parser.process(textOnly);    // prints and ends the program
        return 0;
    }

    if (lacksDisplay(argc, argv)) {
        // Said in one line, instead of the platform plugin's abort.
        std::cerr << QCoreApplication::translate("Startup", "Ardentry needs a graphical display: "
                                                            "DISPLAY and WAYLAND_DISPLAY are not "
                                                            "set.")
                         .toStdString()
                  << std::endl;
        return 1;
    }

    QApplication application(argc, argv);
    loadTranslations();
    describeCommandLine(parser);
    // Ties the windows to the desktop entry (Wayland's app id, the taskbar's icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.kestrow.Ardentry"));
    parser.process(application); // an unknown option: a message and the end
    StartOptions options;
    options.checkStart = parser.isSet(QStringLiteral("check-start"));
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::cerr << QCoreApplication::translate("Startup", "Give one database file at most.")
                         .toStdString()
                  << "\n\n"
                  << parser.helpText().toStdString();
        return 2;
    }
    if (!files.isEmpty())
        options.database = files.first();
    return runArdentry(QApplication::applicationDirPath(), options);
}
