#include "platform/port_failure.h"

namespace platform {

namespace {

const char *advice(SerialPort::Failure failure)
{
    using F = SerialPort::Failure;
    switch (failure) {
    case F::NoDevice: return "Plug the device in, or choose its port with Configure.";
    case F::NoPermission: return "Add your user to the dialout group, then log in again.";
    case F::Busy: return "Close the program that uses the port, then try again.";
    case F::Settings: return "Choose other line settings with Configure.";
    case F::Removed: return "Reconnect the device, then try again.";
    case F::HungUp: return "Check the cable and that the device is on, then try again.";
    case F::None:
    case F::Other: break;
    }
    return "";
}

} // namespace

QString PortFailureDetail(const SerialPort &port)
{
    if (port.failure() == SerialPort::Failure::None)
        return {};
    const QString reason = QString::fromStdString(port.errorString());
    const QString what = QString::fromLatin1(advice(port.failure()));
    return what.isEmpty() ? reason : reason + QLatin1Char(' ') + what;
}

} // namespace platform
