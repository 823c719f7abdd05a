#pragma once
#include <QDate>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

namespace device {

// "<esc>", "<space>", "<enter>" and "<wait>" (lower case only) become ESC,
// a blank, CR LF and nothing.
std::string ExpandCustomCommand(const std::string &text);

// A temperature offset in degrees as the compass takes it: tenths of a degree
// after rounding to one decimal, halves to even (2.5 gives "25", -1.3 "-13").
std::string TempOffsetValue(float degrees);

// A serial number as nine digits with leading zeros ("000012345"); longer
// numbers keep all their digits. Nothing for a negative number, which has no
// such form.
std::optional<std::string> SerialNumberValue(std::int32_t serial);

// The calibration date as days since 1 January 2008.
std::string CalDateDaysValue(const QDate &today);

// The calibration date as text: "05 Nov 10" (day, month abbreviation in the
// user's language, two-digit year), one byte per character on the wire.
std::string CalDateTextValue(const QDate &today, const QString &monthAbbreviation);

} // namespace device
