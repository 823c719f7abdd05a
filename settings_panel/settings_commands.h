#pragma once
#include "protocol/console_state.h"
#include "protocol/link_supervisor.h"
#include "protocol/menu_exchange_gate.h"
#include "settings_panel/compass_settings_panel.h"
#include "settings_panel/settings_host.h"

#include <QCoreApplication>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace controls { class BusyPointer; }

namespace settings_panel {

class SettingsReader;

// The `cmdSet` buttons: each press sends its row's menu command, paced by time
// alone. The level, Z and soft-iron calibrations take several presses and hold
// the menu from the first to the last, so no settings read or other command can
// break into them.
class SettingsCommands {
    Q_DECLARE_TR_FUNCTIONS(SettingsCommands)
public:
    static constexpr int RestartedAliveInterval = protocol::LinkSupervisor::CheckIntervalAfterPause;
    static constexpr int CalibrationThreshold = 1;
    static constexpr int NormalThreshold = 10;

    SettingsCommands(SettingsHost &host, protocol::ConsoleState &state, protocol::MenuExchangeGate &gate,
                     CompassSettingsPanel &panel, SettingsReader &reader);
    ~SettingsCommands();

    // What a press says while the port is closed.
    static QString PortClosedMessage();

    // `cmdSet` with this index was pressed. While another exchange has the menu
    // the press waits for its end, with every button disabled.
    void Press(int index);

    // Whether the compass has a gyro to null (known from its last dump).
    void setNullGyroAvailable(bool available);
    // Headings confirmed in the running soft-iron calibration, 0 to 4.
    std::int16_t SoftIronPoint() const { return m_softIronPoint; }
    bool calibrationRunning() const { return m_calibration != Calibration::None; }

private:
    enum class Calibration { None, Level, Z, SoftIron };
    enum class Outcome { Sent, Refused };

    void run(int index, protocol::MenuExchange exchange);
    void runDeferredPress();
    // The rows whose command is more than their key and value are handled
    // here; every other row sends what its input shows.
    Outcome sequence(int index, bool &reread);
    Outcome sendAngle(const protocol::Setting &setting);
    void levelOrZ(const protocol::Setting &setting);
    void softIron(const protocol::Setting &setting);
    void trimRollPitch(const protocol::Setting &setting);

    void command(const protocol::Setting &setting, std::string_view value);
    void send(std::string_view text);
    void send(char c) { send(std::string_view(&c, 1)); }
    void pause(std::int32_t ms);
    int calibrationButton() const;
    void enableButtons();
    void disableButtons();
    void showExclamation(const QString &text);

    SettingsHost &m_host;
    protocol::ConsoleState &m_state;
    protocol::MenuExchangeGate &m_gate;
    CompassSettingsPanel &m_panel;
    SettingsReader &m_reader;

    bool m_nullGyroAvailable = true;
    // Every button is disabled, or all but a running calibration's.
    bool m_locked = false;
    Calibration m_calibration = Calibration::None;
    std::optional<protocol::MenuExchange> m_calibrationExchange;
    std::int16_t m_softIronPoint = 0;
    // What the trim command captured, shown once the command has ended.
    std::optional<QString> m_trimReply;
    std::optional<int> m_deferredPress;
    std::unique_ptr<controls::BusyPointer> m_deferredBusy;
};

} // namespace settings_panel
