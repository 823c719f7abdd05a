#pragma once
#include "protocol/console_state.h"
#include "protocol/menu_exchange_gate.h"
#include "settings_panel/profile_plan.h"
#include "settings_panel/settings_host.h"

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace settings_panel {

class SettingsReader;

// "Save Settings..." writes the module's settings, as its last dump printed
// them, to a profile. "Load Settings..." reads a profile and the module's
// settings afresh, shows the differences, and on Apply sends what differs as
// the Set buttons send it, reads the settings back and shows what the module
// took. Nothing is sent before Apply.
class ProfileCommands {
    Q_DECLARE_TR_FUNCTIONS(ProfileCommands)
public:
    ProfileCommands(SettingsHost &host, protocol::ConsoleState &state, protocol::MenuExchangeGate &gate,
                    SettingsReader &reader, QWidget &windowAnchor);

    void SaveSettings();
    void LoadSettings();

private:
    // Runs `action` with the menu: now, or once the exchange that has it ends.
    void withMenu(std::function<void(protocol::MenuExchange &)> action);
    void save(protocol::MenuExchange &exchange);
    void compare(protocol::MenuExchange &exchange, const SettingsProfile &profile, const QString &path);
    void apply(protocol::MenuExchange &exchange, std::vector<ProfileEntry> plan);
    void showExclamation(const QString &text, const QString &detail = {});
    char decimalSeparator() const;

    SettingsHost &m_host;
    protocol::ConsoleState &m_state;
    protocol::MenuExchangeGate &m_gate;
    SettingsReader &m_reader;
    QWidget &m_windowAnchor;
    bool m_waitingForMenu = false;
};

} // namespace settings_panel
