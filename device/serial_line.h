#pragma once
#include "platform/com_port_map.h"
#include "platform/platform.h"

#include <optional>
#include <string>

namespace device {

// The five texts that describe a device's serial line, as the settings file
// holds them. They are converted only when the port is configured.
struct SerialLineSettings {
    std::string ComPort;
    std::string ComBaud = "9600";
    std::string ComStopBits = "1";
    std::string ComDataBits = "8";
    std::string ComParity = "N";

    // "9600,N,8,1": baud, parity, data bits, stop bits.
    std::string SettingsText() const;
};

// Closes the port, gives it the line's number and settings, RTS on and no
// handshaking, then opens it with up to three attempts 100 ms apart, and
// drops what the port held from before the open.
// False, with the port untouched, when the port text is not a number.
bool OpenWithSettings(platform::Platform &platform, platform::SerialPort &port,
                      const SerialLineSettings &line);

} // namespace device
