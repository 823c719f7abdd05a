#include "tools/ctl_port.h"

#include "device/serial_line.h"
#include "platform/com_port_map.h"
#include "platform/settings_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace compass_ctl {

namespace {

// A device outside the rule is linked as COM1 in a folder of its own.
constexpr int OwnLinkNumber = 1;

} // namespace

PortChoice ChoosePort(const std::string &port, const QString &portsDir)
{
    const QString text = QString::fromStdString(port);
    if (text.startsWith(QLatin1Char('/'))) {
        if (const auto com = platform::ComPortMap::defaultComNumber(text))
            return {*com, QString(), nullptr};
        auto link = std::make_shared<QTemporaryDir>();
        if (!link->isValid() ||
            !QFile::link(text, QDir(link->path()).filePath(QStringLiteral("COM%1").arg(OwnLinkNumber))))
            throw std::runtime_error("cannot make a link to " + port + " in the temporary folder: " +
                                     link->errorString().toStdString());
        return {OwnLinkNumber, link->path(), link};
    }
    const QString number = text.startsWith(QLatin1String("COM"), Qt::CaseInsensitive) ? text.mid(3) : text;
    if (const auto com = platform::ComPortNumber(number.toStdString()))
        return {*com, portsDir, nullptr};
    throw std::invalid_argument("--port takes a COM number (COM3 or 3) or a device path (/dev/ttyUSB0), not \"" +
                                port + "\"");
}

QString ProgramPortsDir(const QString &programDir)
{
    const QString folder =
        platform::SettingsFolder(programDir, QFileInfo(programDir).isWritable(), platform::UserSettingsFolder());
    return QDir(folder).filePath(QStringLiteral("ports"));
}

} // namespace compass_ctl
