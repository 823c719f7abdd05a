#pragma once
#include <QString>
#include <optional>
#include <string>

namespace platform {

// The COM number a stored port text names: whole digits, blanks around them
// allowed, 1 to 32767. Nothing for "COM3", "3.5", "", "0" or "-2".
std::optional<int> ComPortNumber(const std::string &text);

// How a COM number names a device on Linux:
//  1. a link (or file) named COMn in the "ports" folder beside Compass.ini
//     points at the device, for example ports/COM2 -> /dev/pts/5;
//  2. otherwise COM1..COM100 are /dev/ttyS0..ttyS99, COM101..COM200 are
//     /dev/ttyUSB0..ttyUSB99 and COM201..COM300 are /dev/ttyACM0..ttyACM99.
class ComPortMap {
public:
    explicit ComPortMap(QString portsDir) : m_portsDir(std::move(portsDir)) {}

    const QString &portsDir() const { return m_portsDir; }
    // The device path for COM n (empty when n is outside every rule).
    QString devicePath(int comNumber) const;
    // The link in the ports folder that overrides COM n, if there is one.
    std::optional<QString> overrideLink(int comNumber) const;
    // The COM number of a device under the fixed rule ("/dev/ttyUSB0" -> 101).
    static std::optional<int> defaultComNumber(const QString &devicePath);
    static QString defaultDevicePath(int comNumber);

private:
    QString m_portsDir;
};

} // namespace platform
