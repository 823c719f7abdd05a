#include "wizard/reading_text.h"

#include "platform/wait.h"

namespace wizard {

QString ReadingText(platform::Platform &platform, float value)
{
    // Seven significant digits: what a single-precision value really holds.
    QString text = QString::number(double(value), 'g', 7);
    const QString separator = platform::GetLocaleText(platform, platform::Locale::DecimalSeparator);
    if (separator.size() == 1 && separator != QChar(u'\0'))
        text.replace(QLatin1Char('.'), separator);
    return text;
}

} // namespace wizard
