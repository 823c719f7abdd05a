#include "wizard/reading_text.h"

namespace wizard {

QString ReadingText(platform::Platform &platform, float value)
{
    // Seven significant digits: what a single-precision value really holds.
    QString text = QString::number(double(value), 'g', 7);
    if (platform.separators.Number != QLatin1Char('.'))
        text.replace(QLatin1Char('.'), platform.separators.Number);
    return text;
}

} // namespace wizard
