#include "device/serial_line.h"

#include "platform/wait.h"

#include <charconv>

namespace device {

namespace {
constexpr int OpenAttempts = 3;
constexpr int OpenRetryMs = 100;
constexpr int HighestPortNumber = 32767;

std::string trimmedBlanks(const std::string &text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

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

std::optional<int> ComPortNumber(const std::string &text)
{
    const std::string digits = trimmedBlanks(text);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    if (number < 1 || number > HighestPortNumber)
        return std::nullopt;
    return number;
}

bool OpenWithSettings(platform::Platform &platform, platform::SerialPort &port,
                      const SerialLineSettings &line)
{
    const auto number = ComPortNumber(line.ComPort);
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
