#pragma once
#include <QImage>
#include <QRect>
#include <QWidget>
#include <functional>

namespace charts_test {

inline QImage snapshot(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The box around every pixel that matches, empty when none does.
inline QRect pixelsWhere(const QImage &image, const std::function<bool(QRgb)> &match)
{
    QRect found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (match(image.pixel(x, y)))
                found |= QRect(x, y, 1, 1);
    return found;
}

inline bool isRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}

inline bool isGreen(QRgb pixel)
{
    return qGreen(pixel) > 200 && qRed(pixel) < 90 && qBlue(pixel) < 90;
}

} // namespace charts_test
