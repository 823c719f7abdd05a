#pragma once
#include <QChar>
#include <QString>
#include <optional>

namespace config {

// A number as the user types it: blanks around it, a sign, the user's separator
// or ".", an exponent ("1e3"). Nothing for anything else, grouping included.
std::optional<double> ReadNumber(const QString &text, QChar decimalSeparator);

} // namespace config
