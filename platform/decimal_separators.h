#pragma once
#include "platform/locale.h"

#include <QChar>

namespace platform {

// `separator` as the byte that serves as the point in text read off the wire
// or out of a field. That text is one byte per character, so a separator
// outside Latin-1, or one that could be taken for part of a number (digit,
// sign, exponent letter, blank), leaves "." alone as the point.
char PointByte(QChar separator);

// The user's decimal separators, read from the locale once (Platform::separators).
struct DecimalSeparators {
    // The user's number format: fields, the settings dump, the setup dialog,
    // the log and the wizard's readings.
    QChar Number = u'.';
    // The monetary one, through which data sentences are read and their labels shown.
    QChar Monetary = u'.';

    char numberByte() const { return PointByte(Number); }
    char monetaryByte() const { return PointByte(Monetary); }
};

// Each separator's first character; "." where the locale has none.
DecimalSeparators ReadDecimalSeparators(const Locale &locale);

} // namespace platform
