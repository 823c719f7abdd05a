#include "app/number_text.h"

namespace app {

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
