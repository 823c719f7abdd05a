#pragma once
#include <optional>
#include <string_view>

namespace app {

// Converts one value of a data sentence. The compass writes "." as its decimal
// point and the user's separator is what it is read through, so both serve as
// the point (at most one of them). Accepted: blanks, tabs, CR and LF around the
// number, an optional sign, digits with an optional point, an optional exponent.
// Grouping characters are refused: the compass never sends them, and in the
// comma forms a "," could only ever be a field boundary. A value beyond the range
// of a double does not convert either.
std::optional<double> ParseSentenceNumber(std::string_view text, char decimalSeparator);

} // namespace app
