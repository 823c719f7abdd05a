#include "config/mod_serial_port.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <map>

namespace config::modSerialPort {

namespace {

constexpr int kProbeLastPort = 16;

// The same file under two names (a link and its target) compares equal.
bool sameDevice(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    const QString cb = QFileInfo(b).canonicalFilePath();
    return (!ca.isEmpty() && ca == cb) || QDir::cleanPath(a) == QDir::cleanPath(b);
}

// What tells two adapters apart: their description, maker and serial number
// where the device has them, and always the device path.
QString describe(const platform::SerialDevice &device)
{
    QStringList told;
    if (!device.description.isEmpty())
        told << device.description;
    if (!device.manufacturer.isEmpty() && !device.description.contains(device.manufacturer, Qt::CaseInsensitive))
        told << device.manufacturer;
    if (!device.serialNumber.isEmpty())
        told << QCoreApplication::translate("config::modSerialPort", "serial %1").arg(device.serialNumber);
    if (told.isEmpty())
        return device.systemLocation;
    return told.join(QStringLiteral(", ")) + QStringLiteral(" (") + device.systemLocation + QLatin1Char(')');
}

// COM numbers of the links in the ports folder whose target is there.
std::vector<int> linkedNumbers(const platform::ComPortMap &map)
{
    std::vector<int> numbers;
    if (map.portsDir().isEmpty())
        return numbers;
    // Anchored on the whole name: "$" alone would also take "COM1" followed by a line feed.
    static const QRegularExpression linkName(QRegularExpression::anchoredPattern(QStringLiteral("COM([1-9][0-9]*)")));
    const QDir dir(map.portsDir());
    for (const QString &name : dir.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const auto match = linkName.match(name);
        if (!match.hasMatch())
            continue;
        bool ok = false;
        const int number = match.captured(1).toInt(&ok);
        if (ok && QFileInfo::exists(map.devicePath(number)))
            numbers.push_back(number);
    }
    return numbers;
}

} // namespace

bool GetComPorts(QStringList &ports, const platform::SerialDeviceList &source, const platform::ComPortMap &map)
{
    ports.clear();
    const auto devices = source.devices();
    if (!devices)
        return false;

    std::map<int, QString> byNumber;
    for (int number : linkedNumbers(map)) {
        const QString target = map.devicePath(number);
        QString text = QCoreApplication::translate("config::modSerialPort", "link to %1").arg(target);
        for (const platform::SerialDevice &device : *devices) {
            if (sameDevice(device.systemLocation, target))
                text = describe(device);
        }
        byNumber[number] = text;
    }
    for (const platform::SerialDevice &device : *devices) {
        const auto number = platform::ComPortMap::defaultComNumber(device.systemLocation);
        // A link that takes this number sends opens elsewhere.
        if (number && !map.overrideLink(*number))
            byNumber.emplace(*number, describe(device));
    }
    for (const auto &[number, text] : byNumber)
        ports << QStringLiteral("COM%1 - %2").arg(number).arg(text);
    return true;
}

bool ComIsAvailable(platform::SerialPort &comTest, int comNumber)
{
    if (comTest.isOpen())
        comTest.close();
    comTest.setPortNumber(comNumber);
    if (!comTest.open())
        return false;
    comTest.close();
    return true;
}

QStringList ProbeComPorts(platform::SerialPort &comTest)
{
    QStringList ports;
    for (int number = 1; number <= kProbeLastPort; ++number) {
        if (ComIsAvailable(comTest, number))
            ports << QStringLiteral("COM%1 ").arg(number);
    }
    return ports;
}

QStringList FillPortList(const platform::SerialDeviceList &source, const platform::ComPortMap &map,
                         platform::SerialPort &comTest)
{
    QStringList ports;
    if (GetComPorts(ports, source, map))
        return ports;
    return ProbeComPorts(comTest);
}

std::optional<QString> PortNumberOfEntry(const QString &entry)
{
    const qsizetype blank = entry.indexOf(QLatin1Char(' '), 3);
    if (blank < 0)
        return std::nullopt;
    return entry.mid(3, blank - 3);
}

} // namespace config::modSerialPort
