// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

class QCommandLineParser;
class frmMain;
class mdlMain;

// What the command line asks of this run.
struct StartOptions {
    QString database;        // opened for this run instead of the stored path (empty: stored)
    bool checkStart = false; // start, check that the main window shows, end (for installs)
};

// The command line: --help, --version, --check-start and an optional database file.
void describeCommandLine(QCommandLineParser& parser);
// Installs the program's translation and Qt's own for the user's language (the system locale:
// LC_ALL, LC_MESSAGES, LANG, LANGUAGE), when there is one; English stays otherwise.
void loadTranslations();
// True when the arguments ask only for text (help, version): no display is needed for them.
bool wantsTextOnly(int argc, char* argv[]);
// True when the windows would go to a display that is not there: a platform that needs one (X11,
// Wayland, or Qt's choice when none is named) while DISPLAY and WAYLAND_DISPLAY are unset. A
// platform without a screen (offscreen, minimal, vnc, ...) needs neither.
bool lacksDisplay(int argc, char* argv[]);

// Start-up only, for tests and runArdentry: runs mdlMain::Main and, when it succeeds, creates and
// shows the main window. With no database chosen yet (a first start) the welcome window asks for
// one; any other failure shows one message naming the step and the reason, with "Choose another
// database..." beside "Quit", and writes it to standard error. A database chosen either way is
// stored as the database path (or, when this run was given one, used for this run only) and
// start-up goes on. Returns nullptr when the user quits.
std::unique_ptr<frmMain> startArdentry(mdlMain& app);

// The whole run below main(): start-up, then the event loop. Returns 1 after a failed start.
// With `checkStart` the run ends once the main window is on screen: 0 when it showed, and no box
// waits for an answer (each takes its default button: Quit).
int runArdentry(const QString& programFolder, const StartOptions& options = {});
