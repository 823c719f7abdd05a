#pragma once
#include <QChar>
#include <QString>
#include <string>

namespace numbers {

// A number as the user reads it: the shortest form up to 15 significant
// digits, no trailing zeros, the user's decimal separator (328.1 as "328,1").
// -0 reads as 0.
QString FormatNumber(double value, QChar decimalSeparator);

// A single float: at most seven significant digits, no trailing zeros, an
// exponent as "E" where one is needed; "0" for zero.
std::string FormatSingle(float value, char decimalSeparator = '.');

} // namespace numbers
