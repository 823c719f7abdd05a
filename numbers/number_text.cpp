#include "numbers/number_text.h"

#include <charconv>

namespace numbers {

QString FormatNumber(double value, QChar decimalSeparator)
{
    if (value == 0)
        value = 0;
    QString text = QString::number(value, 'g', 15);
    if (decimalSeparator != QLatin1Char('.'))
        text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}

std::string FormatSingle(float value, char decimalSeparator)
{
    if (value == 0.0f)
        return "0";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    std::string text(buffer, result.ptr);
    for (char &c : text) {
        if (c == 'e')
            c = 'E';
        else if (c == '.')
            c = decimalSeparator;
    }
    return text;
}

} // namespace numbers
