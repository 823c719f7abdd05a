#pragma once
#include "device/serial_line.h"
#include "platform/platform.h"

#include <cstdint>

namespace device {

// The fixture that turns and tilts the board. It has no command set yet, so
// its motion operations send nothing and the operator moves the board as the
// calibration steps ask; the serial link is kept for a fixture that talks.
class clsAutomation : public SerialLineSettings {
public:
    explicit clsAutomation(platform::Platform &platform);
    clsAutomation(const clsAutomation &) = delete;
    clsAutomation &operator=(const clsAutomation &) = delete;

    void SetCom(platform::SerialPort &ComObj) { m_port = &ComObj; }
    // False when unbound, when ComPort is not a port number or the port will not open.
    bool StartAutomation();
    void StopAutomation();
    // The owner calls this for every event of the bound port; the fixture says nothing we read.
    void OnCom();

    void RotateBoard360() {}
    void TiltBoard(std::int16_t Angle) { static_cast<void>(Angle); }

private:
    platform::Platform &m_platform;
    platform::SerialPort *m_port = nullptr;
};

} // namespace device
