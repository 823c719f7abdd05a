#pragma once
#include "protocol/setting_table.h"

#include <string>

namespace settings_panel {

// A member of the record as the panel shows it: text as stored, whole numbers
// in decimal, single floats with at most seven significant digits, a boolean
// as "1" or "0".
std::string RecordText(const protocol::CompassSettings &settings, const protocol::RecordMember &member,
                       char decimalSeparator);

// A member as "Compass Data" shows it: as RecordText, but a boolean reads
// True or False.
std::string DataValueText(const protocol::CompassSettings &settings, const protocol::RecordMember &member,
                          char decimalSeparator);

// The list shown in "Compass Data": one "label = value" line per setting, each
// ending in CR LF, with an empty line after the test date.
std::string CompassDataText(const protocol::CompassSettings &settings, char decimalSeparator);

} // namespace settings_panel
