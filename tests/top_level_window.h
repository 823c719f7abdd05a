#pragma once
#include <QApplication>
#include <QWidget>

// The window of this name that has no parent, such as the chart windows; nullptr when there is none.
template <class Window>
Window *topLevelWindow(const char *name)
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String(name))
            return qobject_cast<Window *>(widget);
    return nullptr;
}
