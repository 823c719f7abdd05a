#pragma once
#include <QApplication>
#include <QImage>
#include <QWidget>

namespace controls_test {

// A shown, active top-level window, so that children can take the keyboard focus.
inline void showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    QApplication::processEvents();
}

inline QImage snapshot(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace controls_test
