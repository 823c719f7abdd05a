#pragma once
#include "platform/serial_device_list.h"

namespace platform::qt {

// The system's own list (QSerialPortInfo, read from sysfs).
class QtSerialDeviceList : public SerialDeviceList {
public:
    std::optional<std::vector<SerialDevice>> devices() const override;
};

} // namespace platform::qt
