#include "tools/tap_device.h"

#include "platform/com_port_map.h"
#include "platform/qt/qt_serial_port.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include <sys/stat.h>

namespace compass_sim {

std::string TapDevice::pathOfCom(const std::string &portsDir, int com)
{
    const QString path = platform::ComPortMap(QString::fromStdString(portsDir)).devicePath(com);
    if (path.isEmpty())
        throw std::runtime_error("COM" + std::to_string(com) + " has no device: link it as " + portsDir + "/COM" +
                                 std::to_string(com) + " or give --device PATH");
    return path.toStdString();
}

namespace {

// Qt looks for a bare name such as "ttyUSB0" in /dev/; the tap takes a path as the shell gives it.
std::string serialDevice(const std::string &path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        throw std::runtime_error("cannot open " + path + ": " + std::strerror(errno));
    if (!S_ISCHR(st.st_mode)) {
        const char *kind = S_ISDIR(st.st_mode) ? " a folder," : S_ISREG(st.st_mode) ? " a regular file," : "";
        throw std::runtime_error(path + " is" + kind + " not a serial device such as /dev/ttyUSB0");
    }
    return std::filesystem::absolute(path).string();
}

} // namespace

TapDevice::TapDevice(const std::string &path, const std::string &line) : m_path(serialDevice(path))
{
    std::string error;
    const auto settings = platform::qt::parseLineSettings(line, error);
    if (!settings)
        throw std::runtime_error(error);
    if (settings->stopBits == QSerialPort::OneAndHalfStop)
        throw std::runtime_error("1.5 stop bits are not supported on this system; choose 1 or 2");
    m_port.setPortName(QString::fromStdString(m_path));
    if (!m_port.open(QIODevice::ReadWrite))
        throw std::runtime_error("cannot open " + path + ": " + m_port.errorString().toStdString() +
                                 (m_port.error() == QSerialPort::PermissionError
                                      ? " (on Debian, add your user to the dialout group)"
                                      : ""));
    if (!m_port.setBaudRate(settings->baud) || !m_port.setParity(settings->parity) ||
        !m_port.setDataBits(settings->dataBits) || !m_port.setStopBits(settings->stopBits) ||
        !m_port.setFlowControl(QSerialPort::NoFlowControl))
        throw std::runtime_error(path + " refused the line settings " + line + ": " +
                                 m_port.errorString().toStdString());
}

} // namespace compass_sim
