#include "platform/qt/qt_serial_device_list.h"

#include <QFileInfo>
#include <QSerialPortInfo>

namespace platform::qt {

std::optional<std::vector<SerialDevice>> QtSerialDeviceList::devices() const
{
    // Without sysfs the system has no list to give; the probe then finds the ports.
    if (!QFileInfo(QStringLiteral("/sys/class/tty")).isDir())
        return std::nullopt;
    std::vector<SerialDevice> list;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        list.push_back({info.systemLocation(), info.description(), info.manufacturer(), info.serialNumber()});
    return list;
}

} // namespace platform::qt
