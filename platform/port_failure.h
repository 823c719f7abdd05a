#pragma once
#include "platform/serial_port.h"

#include <QString>

namespace platform {

// Why the port failed and what the user can do about it, for a message box's
// detail ("COM2 is /dev/ttyUSB0: Permission denied. Add your user to the
// dialout group, then log in again."); empty when the port has not failed.
QString PortFailureDetail(const SerialPort &port);

} // namespace platform
