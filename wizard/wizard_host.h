#pragma once
#include "device/serial_line.h"
#include "platform/platform.h"
#include "platform/serial_port.h"

#include <memory>

class QDialog;

namespace device { class clsCompass; }

namespace wizard {

// What the calibration wizard needs from the main window that opens it.
class WizardHost {
public:
    virtual ~WizardHost() = default;
    virtual platform::Platform &platform() = 0;
    // The main window's compass port, `Com`.
    virtual platform::SerialPort &port() = 0;
    // The stored serial settings of `Com` (SerialPort, SerialBauds, SerialDataBits,
    // SerialParity, SerialStopBits of the settings file).
    virtual device::SerialLineSettings storedSerialSettings() = 0;
    // The settings' `RefAngleThreshold`, in degrees.
    virtual float refAngleThreshold() = 0;
    // Makes `compass` the program-wide compass object, releasing the old one,
    // and returns it. The main window's receive handler feeds it while it owns the port.
    virtual device::clsCompass &replaceCompass(std::unique_ptr<device::clsCompass> compass) = 0;
    // `CompassOwnsPort`: while set, every receive event of `Com` goes to the compass object.
    virtual void setCompassOwnsPort(bool owns) = 0;
    // Shows a dialog modally and returns when it closes.
    virtual void runModal(QDialog &dialog) = 0;
};

} // namespace wizard
