#pragma once
#include <QChar>
#include <QString>

namespace app {

// The user's separator as the byte the sentence parser matches. Wire text is
// one byte per character, so a separator outside Latin-1, or one that could be
// mistaken for part of a number (digit, sign, exponent letter, blank), leaves
// "." alone as the point.
char DecimalSeparatorByte(const QString &decimalSeparator);

} // namespace app
