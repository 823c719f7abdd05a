#pragma once
#include "protocol/console_state.h"

#include <string_view>

namespace settings_panel {

// How many names the dump parser knows.
constexpr int KnownDumpKeyCount = 57;

// One line of the settings dump, terminator and all. A line of a name, "=" and
// a value marks the dump as received; a known name stores its value when the
// value converts and fits, otherwise the field keeps what it had.
void ParseSettingsLine(protocol::ConsoleState &state, std::string_view line, char decimalSeparator);

} // namespace settings_panel
