// The port rule: a link in the ports folder, whatever its name, is listed
// under the COM number whose opening follows it; a device is listed under the
// number that opens it. Input: the link's name, 0xFF, the device's path.
#include "config/mod_serial_port.h"
#include "platform/sim/sim_platform.h"
#include "tests/fuzz/fuzz_check.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using platform::ComPortMap;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QTemporaryDir dir;
    static const QString target = dir.filePath(QStringLiteral("adapter"));
    static const bool made = QFile(target).open(QIODevice::WriteOnly) && QDir(dir.path()).mkpath("ports");
    expect(made, "the scratch folder is set up");

    const auto parts = chunksOf(data, size);
    QString name = QString::fromLatin1(parts[0]).replace(QLatin1Char('/'), QLatin1Char('_'));
    name.replace(QChar(0), QLatin1Char('_'));
    QString devicePath = parts.size() > 1 ? QString::fromLatin1(parts[1]) : QString();
    devicePath.replace(QChar(0), QLatin1Char('_'));

    if (const auto number = ComPortMap::defaultComNumber(devicePath))
        expect(ComPortMap::defaultDevicePath(*number) == devicePath, "one device a COM number");

    const ComPortMap map(dir.filePath(QStringLiteral("ports")));
    // Joined by hand: QDir takes a name starting with ':' for a resource path.
    const QString link = map.portsDir() + QLatin1Char('/') + name;
    const bool linked = name != "." && name != ".." && QFile::link(target, link);
    platform::sim::SimSerialDeviceList devices;
    devices.list = std::vector<platform::SerialDevice>{{devicePath, QStringLiteral("fuzzed"), {}, {}}};
    QStringList ports;
    config::modSerialPort::GetComPorts(ports, devices, map);
    for (const QString &entry : ports) {
        const auto number = config::modSerialPort::PortNumberOfEntry(entry);
        expect(number.has_value(), "every entry has its number");
        const int com = number->toInt();
        if (entry.contains(QStringLiteral(" - link to ")))
            expect(linked && map.overrideLink(com) == link, "a listed link is the one its number opens");
        else
            expect(ComPortMap::defaultDevicePath(com) == devicePath, "a listed device is the one its number opens");
    }
    if (linked)
        QFile::remove(link);
    return 0;
}
