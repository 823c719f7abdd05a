#pragma once
#include "platform/com_port_map.h"
#include "platform/serial_device_list.h"
#include "platform/serial_port.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace config::modSerialPort {

// The installed ports as "COMn - description, manufacturer, serial number
// (device)", with what the device tells of these, in ascending COM order,
// numbered as opening them numbers them: a link ports/COMn wins over the fixed
// rule, and a device whose number a link has taken is left out. False (and an
// empty list) when the system's device list can't be had.
bool GetComPorts(QStringList &ports, const platform::SerialDeviceList &source, const platform::ComPortMap &map);

// Whether COM n can be opened, tried on the spare port `comTest`.
bool ComIsAvailable(platform::SerialPort &comTest, int comNumber);

// The probe route's entries, "COMn " for each of COM1..COM16 that opens.
QStringList ProbeComPorts(platform::SerialPort &comTest);

// The setup dialog's list: the system's ports, or the probe when they can't be had.
QStringList FillPortList(const platform::SerialDeviceList &source, const platform::ComPortMap &map,
                         platform::SerialPort &comTest);

// The port number of a list entry: from its fourth character up to its first
// blank ("COM12 - USB Serial" gives "12"); nothing when it has no blank.
std::optional<QString> PortNumberOfEntry(const QString &entry);

} // namespace config::modSerialPort
