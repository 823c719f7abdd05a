#include "platform/decimal_separators.h"

namespace platform {

namespace {
QChar separatorOf(const Locale &locale, int item)
{
    const QString text = locale.localeText(item);
    if (text.isEmpty() || text.front() == QChar(0))
        return QLatin1Char('.');
    return text.front();
}
} // namespace

char PointByte(QChar separator)
{
    const char16_t c = separator.unicode();
    const bool partOfNumber = (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'e' || c == u'E';
    // Blanks and control characters, DEL, no-break space, beyond Latin-1.
    const bool unusable = c <= 0x20 || c == 0x7F || c == 0xA0 || c > 0xFF;
    if (unusable || partOfNumber)
        return '.';
    return static_cast<char>(c);
}

DecimalSeparators ReadDecimalSeparators(const Locale &locale)
{
    return {separatorOf(locale, Locale::DecimalSeparator), separatorOf(locale, Locale::MonetaryDecimalSeparator)};
}

} // namespace platform
