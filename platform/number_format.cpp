#include "platform/number_format.h"

namespace platform {

QString FormatNumber(double value, QChar decimalSeparator)
{
    if (value == 0)
        value = 0;
    QString text = QString::number(value, 'g', 15);
    if (decimalSeparator != QLatin1Char('.'))
        text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}

} // namespace platform
