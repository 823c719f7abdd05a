#pragma once
#include <QSerialPort>

#include <string>

namespace compass_sim {

// The module's serial device, opened with the program's own rules: a COM
// number maps through the ports folder's links and the fixed device names,
// the line settings are read and refused as the program does.
class TapDevice {
public:
    // Throws std::runtime_error that says what failed and, where it can, what to do.
    TapDevice(const std::string &path, const std::string &line);
    static std::string pathOfCom(const std::string &portsDir, int com);

    // Raw and non-blocking; the tap reads and writes it itself.
    int fd() const { return static_cast<int>(m_port.handle()); }
    const std::string &path() const { return m_path; }

private:
    std::string m_path;
    QSerialPort m_port;
};

} // namespace compass_sim
