#pragma once
#include <QDate>
#include <cstdint>
#include <string>

namespace device {

// "<esc>", "<space>", "<enter>" and "<wait>" (lower case only) become ESC,
// a blank, CR LF and nothing.
std::string ExpandCustomCommand(const std::string &text);

// A temperature offset in degrees as the compass takes it: tenths of a degree
// after rounding to one decimal, halves to even (2.5 gives "25", -1.3 "-13").
std::string TempOffsetValue(float degrees);

// The calibration date as days since 1 January 2008.
std::string CalDateDaysValue(const QDate &today);

} // namespace device
