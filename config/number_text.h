#pragma once
#include "platform/locale.h"

#include <QChar>
#include <QString>
#include <optional>

namespace config {

// The user's decimal separator; "." when the locale has none.
QChar UserDecimalSeparator(const platform::Locale &locale);

// Up to 15 significant digits, no trailing zeros, the user's separator: 300, -2, 0,5.
QString FormatNumber(double value, QChar decimalSeparator);

// A number as the user types it: blanks around it, a sign, the user's separator
// or ".", an exponent ("1e3"). Nothing for anything else, grouping included.
std::optional<double> ReadNumber(const QString &text, QChar decimalSeparator);

} // namespace config
