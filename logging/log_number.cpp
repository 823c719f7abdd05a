#include "logging/log_number.h"

namespace logging {

QChar LogDecimalSeparator(const platform::Locale &locale)
{
    const QString text = locale.localeText(platform::Locale::DecimalSeparator);
    if (text.isEmpty() || text.front() == QChar(0))
        return QLatin1Char('.');
    return text.front();
}

QString FormatLogNumber(double value, QChar decimalSeparator)
{
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}

} // namespace logging
