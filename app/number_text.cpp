#include "app/number_text.h"

namespace app {

QString FormatNumber(double value, QChar decimalSeparator)
{
    // -0 reads as 0 to the user.
    if (value == 0)
        value = 0;
    QString text = QString::number(value, 'g', 15);
    if (decimalSeparator != QLatin1Char('.'))
        text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}

char DecimalSeparatorByte(const QString &decimalSeparator)
{
    if (decimalSeparator.isEmpty())
        return '.';
    const char16_t c = decimalSeparator.front().unicode();
    const bool partOfNumber = (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'e' || c == u'E';
    // Blanks and control characters, DEL, no-break space, beyond Latin-1.
    const bool unusable = c <= 0x20 || c == 0x7F || c == 0xA0 || c > 0xFF;
    if (unusable || partOfNumber)
        return '.';
    return static_cast<char>(c);
}

} // namespace app
