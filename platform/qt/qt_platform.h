#pragma once
#include "platform/platform.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_locale.h"
#include "platform/qt/qt_serial_device_list.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/qt/qt_timer.h"

namespace platform::qt {

// The real machine. Create after QApplication.
class QtPlatform {
public:
    // `settingsFolder` holds Compass.ini and the ports/ folder.
    explicit QtPlatform(const QString &settingsFolder);

    QtClock clock;
    QtEventPump pump;
    QtTimerFactory timers;
    QtSerialPortFactory ports;
    QtSerialDeviceList devices;
    QtMessageBox messages;
    QtFileDialog files;
    QtLocale locale;
    QtShell shell;
    Platform platform;
};

} // namespace platform::qt
