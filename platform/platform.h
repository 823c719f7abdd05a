#pragma once
#include "platform/clock.h"
#include "platform/decimal_separators.h"
#include "platform/event_pump.h"
#include "platform/file_dialog.h"
#include "platform/locale.h"
#include "platform/message_box.h"
#include "platform/serial_device_list.h"
#include "platform/serial_port.h"
#include "platform/shell.h"
#include "platform/timer.h"

#include <QString>

namespace platform {

// Everything the logic needs from the machine it runs on. Production wires
// the Qt implementations; tests wire the simulated ones.
struct Platform {
    Clock &clock;
    EventPump &pump;
    TimerFactory &timers;
    SerialPortFactory &ports;
    SerialDeviceList &devices;
    MessageBox &messages;
    FileDialog &files;
    Locale &locale;
    Shell &shell;
    // The settings folder: Compass.ini and the ports/ folder live here (the
    // program's directory when it may write there, see SettingsFolder).
    QString appPath;
    // Read once: the locale does not change while the program runs.
    DecimalSeparators separators = ReadDecimalSeparators(locale);
};

} // namespace platform
