#pragma once
#include "protocol/console_state.h"
#include "protocol/menu_exchange_gate.h"
#include "settings_panel/compass_settings_panel.h"
#include "settings_panel/field_guard.h"
#include "settings_panel/profile_commands.h"
#include "settings_panel/settings_commands.h"
#include "settings_panel/settings_host.h"
#include "settings_panel/settings_reader.h"

#include <QObject>
#include <string>

namespace settings_panel {

class ProfileTools;

// The logic behind the compass-settings panel: its field checks and scroll
// bars, its `cmdSet` commands, and the settings read that fills it.
class SettingsPanelController : public QObject {
    Q_OBJECT
public:
    SettingsPanelController(SettingsHost &host, protocol::ConsoleState &state, protocol::MenuExchangeGate &gate,
                            CompassSettingsPanel &panel, QObject *parent = nullptr);

    // The defaults the main window starts with.
    void FillDefaults();
    // See SettingsReader.
    void RequestSettings(bool refreshPanel) { m_reader.RequestSettings(refreshPanel); }
    void ParseSettingsLine(const std::string &line) { m_reader.ParseSettingsLine(line); }
    void ShowCompassData() { m_reader.ShowCompassData(); }
    // Copies the record into the panel; false when a refused value stopped it early.
    bool RefreshSettingsPanel();

    SettingsCommands &commands() { return m_commands; }
    ProfileCommands &profiles() { return m_profiles; }
    // "Save Settings..." and "Load Settings..." act on this panel's module.
    void offerProfiles(ProfileTools &tools);

private:
    void linkScrollBars();
    void watchFields();
    char decimalSeparator() const;

    SettingsHost &m_host;
    protocol::ConsoleState &m_state;
    CompassSettingsPanel &m_panel;
    FieldGuard m_guard;
    SettingsReader m_reader;
    SettingsCommands m_commands;
    ProfileCommands m_profiles;
};

} // namespace settings_panel
