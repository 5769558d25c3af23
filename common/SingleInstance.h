// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <memory>

// Windows of which the main window holds at most one, loaded on demand: the one loaded instance
// is a direct child of its owner. A window that unloads marks itself, so it is never found again
// while it waits for its deletion.
namespace SingleInstance
{

void markUnloaded(QWidget* window);
bool isUnloaded(const QWidget* window);
// Marks the window unloaded; true the first time only, so its unload steps run once however it
// is closed.
bool unloadOnce(QWidget* window);
// Shows a window, raises it and gives it the focus.
void bringUp(QWidget* window);

// The loaded window of type T among the owner's direct children, or nullptr.
template <typename T> T* loaded(const QWidget* owner)
{
    for (T* window : owner->findChildren<T*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!isUnloaded(window))
            return window;
    }
    return nullptr;
}

// Brings up the loaded window of type T or, when there is none, the one that `load` makes
// (a std::unique_ptr<T> whose parent is the owner, or nullptr when it refused to load).
// Returns the window shown, or nullptr.
template <typename T, typename Load> T* show(const QWidget* owner, Load load)
{
    if (T* window = loaded<T>(owner)) {
        bringUp(window);
        return window;
    }
    std::unique_ptr<T> made = load();
    if (!made)
        return nullptr;
    T* window = made.release(); // owned by its parent from here on
    bringUp(window);
    return window;
}

// Brings up the loaded window of type T or makes one as T(frame, args...) and runs its
// Form_Load first.
template <typename T, typename Frame, typename... Args> T* showLoaded(Frame& frame, Args&... args)
{
    return show<T>(frame.window(), [&] {
        auto window = std::make_unique<T>(frame, args...);
        window->Form_Load();
        return window;
    });
}

// As showLoaded, for a window whose Form_Load may refuse (returns false, after saying why):
// nothing is shown then and nullptr returned.
template <typename T, typename Frame, typename... Args> T* showIfLoads(Frame& frame, Args&... args)
{
    return show<T>(frame.window(), [&] {
        auto window = std::make_unique<T>(frame, args...);
        if (!window->Form_Load())
            window.reset();
        return window;
    });
}

} // namespace SingleInstance
