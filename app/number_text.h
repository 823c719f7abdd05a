#pragma once
#include <QChar>
#include <QString>

namespace app {

// A number as the user reads it: up to 15 significant digits, no trailing
// zeros, the user's decimal separator.
QString FormatNumber(double value, QChar decimalSeparator);

// The user's separator as the byte the sentence parser matches. Wire text is
// one byte per character, so a separator outside Latin-1, or one that could be
// mistaken for part of a number (digit, sign, exponent letter, blank), leaves
// "." alone as the point.
char DecimalSeparatorByte(const QString &decimalSeparator);

} // namespace app
