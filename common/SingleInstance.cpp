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

void SingleInstance::bringUp(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}
