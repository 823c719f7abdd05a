#pragma once
#include "protocol/console_state.h"
#include "settings_panel/compass_settings_panel.h"
#include "settings_panel/settings_host.h"

#include <functional>

namespace settings_panel {

// Copies the record into the panel, step by step as the settings table says.
// An input that cannot show its value before the notices' step (the skip
// count's scroll bar) ends the refresh there, leaving the later inputs as
// they were; after it, an input that cannot show its value keeps the old one
// and the refresh goes on. `setNullGyroAvailable` learns whether "Null Gyro"
// makes sense for this compass. Returns whether every step ran.
bool RefreshSettingsPanel(CompassSettingsPanel &panel, protocol::ConsoleState &state, SettingsHost &host,
                          const std::function<void(bool)> &setNullGyroAvailable);

// The panel as the main window starts with it.
void FillPanelDefaults(CompassSettingsPanel &panel);

} // namespace settings_panel
