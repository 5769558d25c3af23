#pragma once

#include <QString>

#include <memory>

class frmMain;
class mdlMain;

// Start-up only, for tests and runArdentry: runs mdlMain::Main and, when it succeeds, creates and
// shows the main window. A failed start shows one message, writes it to standard error and
// returns nullptr.
std::unique_ptr<frmMain> startArdentry(mdlMain& app);

// The whole run below main(): start-up, then the event loop. Returns 1 after a failed start.
int runArdentry(const QString& programFolder);
