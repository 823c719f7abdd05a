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

QChar UserDecimalSeparator(const Locale &locale)
{
    const QString text = locale.localeText(Locale::DecimalSeparator);
    if (text.isEmpty() || text.front() == QChar(0))
        return QLatin1Char('.');
    return text.front();
}

} // namespace platform
