#pragma once
#include "platform/platform.h"
#include "platform/serial_port.h"
#include "platform/timer.h"

#include <string>

class QDialog;

namespace protocol { class MenuExchange; }

namespace settings_panel {

// What the settings panel needs from the main window that hosts it.
class SettingsHost {
public:
    virtual ~SettingsHost() = default;
    virtual platform::Platform &platform() = 0;
    // The compass's port, `Com`.
    virtual platform::SerialPort &port() = 0;
    // `tmrCheckAlive`: stopped (interval 0) around calibrations, restarted at 250 ms.
    virtual platform::Timer &checkAliveTimer() = 0;
    virtual void updateFormat16Notice() = 0;
    // Unchecks `chkShiftMode` at the end of a panel command. When that switches
    // the compass back out of factory space, the switch is part of the panel's
    // `running` exchange: it must not take the gate itself.
    virtual void clearShiftMode(protocol::MenuExchange &running) = 0;
    // Appends text to the terminal `txtInput` with its 2000/1000 limit.
    virtual void appendTerminal(const std::string &text) = 0;
    // Shows a window modally and returns when it closes ("Compass Data").
    virtual void runModal(QDialog &dialog) = 0;
};

} // namespace settings_panel
