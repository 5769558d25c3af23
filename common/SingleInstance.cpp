// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/SingleInstance.h"

#include <QVariant>

namespace
{
constexpr const char* unloadedProperty = "ardentryUnloaded";
}

void SingleInstance::markUnloaded(QWidget* window)
{
    window->setProperty(unloadedProperty, true);
}

bool SingleInstance::isUnloaded(const QWidget* window)
{
    return window->property(unloadedProperty).toBool();
}

bool SingleInstance::unloadOnce(QWidget* window)
{
    if (isUnloaded(window))
        return false;
    markUnloaded(window);
    return true;
}

void SingleInstance::bringUp(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}
