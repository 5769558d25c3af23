// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;
class QWidget;
class frmDisplay;
class mdlMain;

// What the subsystems ask of the main window: the shared state of the run, the article form, and
// the frame's own services. The main window implements it; the windows of the subsystems get a
// reference and never include the main window itself.
class Frame
{
public:
    virtual ~Frame() = default;

    // The main window: parent of every secondary window and message box.
    virtual QWidget* window() = 0;
    virtual mdlMain& app() = 0;

    // The article form; loaded again when the user had closed it.
    virtual frmDisplay& display() = 0;
    virtual frmDisplay* displayIfLoaded() = 0;
    // Unloads the article form (the search does this before showing it afresh).
    virtual void unloadDisplay() = 0;
    // Copies the current row of rsMain into the article form.
    virtual void ShowCurrentRecord() = 0;
    // A begun article, or any other change of rsMain not sent yet, is dropped before a command
    // moves rsMain elsewhere: no later batch may send it.
    virtual void DropUnsentChanges() = 0;
    // The images dialog of the current article (the article form's Images button).
    virtual void showImages() = 0;

    // Disables the main window while one of its child windows (a dialog that must stay usable)
    // is open; child windows that are already open stay usable too.
    virtual void disableWhileOpen(QWidget* window) = 0;
    virtual void enableAgain() = 0;
    // A message box titled "Ardentry" over the main window.
    virtual void report(const QString& text) = 0;
};
