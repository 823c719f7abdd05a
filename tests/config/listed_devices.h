#pragma once
#include "config/mod_serial_port.h"

// A device list that the test writes.
class ListedDevices : public config::modSerialPort::DeviceListSource {
public:
    std::optional<std::vector<config::modSerialPort::SerialDevice>> list;
    std::optional<std::vector<config::modSerialPort::SerialDevice>> devices() const override { return list; }
};
