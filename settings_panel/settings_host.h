#pragma once
#include "platform/platform.h"
#include "platform/serial_port.h"
#include "platform/timer.h"

class QWidget;

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
    // Unchecks `chkShiftMode` (switches the compass back out of factory space).
    virtual void clearShiftMode() = 0;
    // Appends text to the terminal `txtInput` with its 2000/1000 limit.
    virtual void appendTerminal(const std::string &text) = 0;
};

} // namespace settings_panel
