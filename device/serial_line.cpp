#include "device/serial_line.h"

#include "platform/wait.h"

namespace device {

namespace {
constexpr int OpenAttempts = 3;
constexpr int OpenRetryMs = 100;

// Errors while closing or opening are the port's business; only the open
// state read back counts.
bool openWithRetries(platform::Platform &platform, platform::SerialPort &port)
{
    for (int attempt = 0; attempt < OpenAttempts && !port.isOpen(); ++attempt) {
        if (port.open())
            port.discardInput(); // what the device kept from before the open is not live
        else
            platform::Wait(platform, OpenRetryMs);
        platform.pump.processEvents();
    }
    return port.isOpen();
}
} // namespace

std::string SerialLineSettings::SettingsText() const
{
    return ComBaud + "," + ComParity + "," + ComDataBits + "," + ComStopBits;
}

bool OpenWithSettings(platform::Platform &platform, platform::SerialPort &port,
                      const SerialLineSettings &line)
{
    const auto number = platform::ComPortNumber(line.ComPort);
    if (!number)
        return false;
    if (port.isOpen())
        port.close();
    port.setPortNumber(*number);
    port.setSettings(line.SettingsText());
    port.setRtsEnable(true);
    port.setNoHandshaking();
    return openWithRetries(platform, port);
}

} // namespace device
