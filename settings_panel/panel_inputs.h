#pragma once
#include "protocol/setting_table.h"
#include "settings_panel/compass_settings_panel.h"

#include <string>

namespace settings_panel {

// What a setting's input shows, as its Set button sends it: a field's text as
// typed, a list's number, "1" or "0" for a pair of options, the check boxes' mask.
std::string ShownValue(const CompassSettingsPanel &panel, const protocol::Setting &setting);

// Shows `value`, written as RecordText writes the record, in the setting's
// input. False when the input cannot show it: a scroll bar or list beyond its
// range, or a list number that does not read; the input then keeps what it
// showed (a field beside a scroll bar takes the text all the same).
bool ShowValue(CompassSettingsPanel &panel, const protocol::Setting &setting, const std::string &value,
               char decimalSeparator);

} // namespace settings_panel
