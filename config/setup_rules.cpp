#include "config/setup_rules.h"

#include "config/mod_serial_port.h"

namespace config {

QString ParityName(const QString &letter)
{
    const QString upper = letter.toUpper();
    if (upper == QLatin1String("N"))
        return QStringLiteral("None");
    if (upper == QLatin1String("E"))
        return QStringLiteral("Even");
    if (upper == QLatin1String("O"))
        return QStringLiteral("Odd");
    return {};
}

int PortEntryFor(const QStringList &entries, const QString &serialPort)
{
    const QString wanted = QStringLiteral("COM") + serialPort.toUpper();
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i].toUpper().contains(wanted))
            return i;
    }
    return -1;
}

int EntryNumbered(const QStringList &entries, const QString &portNumber)
{
    for (int i = 0; i < entries.size(); ++i) {
        if (modSerialPort::PortNumberOfEntry(entries[i]) == portNumber)
            return i;
    }
    return -1;
}

} // namespace config
