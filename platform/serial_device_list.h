#pragma once
#include <QString>
#include <optional>
#include <vector>

namespace platform {

// A serial device as the operating system lists it; the texts may be empty.
struct SerialDevice {
    QString systemLocation; // "/dev/ttyUSB0"
    QString description;    // "FT232R USB UART"
    QString manufacturer;   // "FTDI"
    QString serialNumber;   // "A50285BI"
};

// The system's list of present serial devices, asked afresh on each call.
class SerialDeviceList {
public:
    virtual ~SerialDeviceList() = default;
    // Nothing when the system cannot be asked.
    virtual std::optional<std::vector<SerialDevice>> devices() const = 0;
};

} // namespace platform
