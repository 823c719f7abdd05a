#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace device {

// The value after the value prompt when it reads as a number in the user's
// format (blanks around it, a sign, `decimalSeparator`, an exponent); nothing
// for any other line. Only the user's separator counts: the compass echoes
// what was typed.
std::optional<std::string> ValuePromptValue(std::string_view line, char decimalSeparator);

} // namespace device
