#pragma once
#include "protocol/console_state.h"
#include "protocol/setting_table.h"

#include <string>
#include <string_view>

namespace settings_panel {

// One line of the settings dump, terminator and all. A line of a name, "=" and
// a value marks the dump as received; a known name stores its value when the
// value converts and fits, otherwise the field keeps what it had.
void ParseSettingsLine(protocol::ConsoleState &state, std::string_view line, char decimalSeparator);

// Stores `value` into the record's member as the dump does: whole numbers round
// half to even into their width, floats are single floats, booleans are 0 or
// another number or the words True and False, text is kept. False when the
// value does not convert or fit; the member is then unchanged.
bool StoreValue(protocol::CompassSettings &settings, const protocol::RecordMember &member, const std::string &value,
                char decimalSeparator);

} // namespace settings_panel
