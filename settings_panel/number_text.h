#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace settings_panel {

// Numbers as the user types them and as the compass prints its settings.
// A number is an optional sign, digits with at most one decimal point, an
// optional exponent, blanks around it allowed. The point is the user's decimal
// separator or "." (the compass always prints "."), so "12.5" never turns into
// 125 on a system that groups with "."; grouping characters are refused.
std::optional<double> ReadNumber(std::string_view text, char decimalSeparator);

// Halves go to the even neighbour: 100.5 -> 100, 101.5 -> 102, -2.5 -> -2.
double RoundHalfEven(double value);

// A number rounded half to even that fits the width; nothing otherwise.
std::optional<std::int16_t> ReadWhole16(std::string_view text, char decimalSeparator);
std::optional<std::int32_t> ReadWhole32(std::string_view text, char decimalSeparator);
// A number that fits a single float.
std::optional<float> ReadSingle(std::string_view text, char decimalSeparator);
// 0 is false, any other number true; the words True and False in any case.
std::optional<bool> ReadBoolean(std::string_view text, char decimalSeparator);

// A single float for the user: at most seven significant digits, no trailing
// zeros, the user's decimal separator.
std::string FormatSingle(float value, char decimalSeparator);

} // namespace settings_panel
