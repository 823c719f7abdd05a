#pragma once
#include "platform/platform.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_locale.h"
#include "platform/qt/qt_serial_device_list.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/qt/qt_timer.h"

namespace compass_ctl {

// Boxes go to standard error as lines: nobody is there to press OK.
class ConsoleMessages : public platform::MessageBox {
public:
    platform::MessageResult show(const QString &text, platform::MessageIcon icon, platform::MessageButtons buttons,
                                 const QString &detail) override;
};

// No one to choose a file or open a document.
class NoFileDialog : public platform::FileDialog {
protected:
    std::optional<QString> ask(const platform::FileDialogRequest &) override { return std::nullopt; }
};
class NoShell : public platform::Shell {
public:
    bool open(const QString &) override { return false; }
};

// The real machine without a window: the port, the clock, the event loop,
// timers and the locale. Create after QCoreApplication.
class CtlPlatform {
public:
    // COM numbers name devices through the links in `portsDir` and the program's rule.
    explicit CtlPlatform(const QString &portsDir);

    platform::qt::QtClock clock;
    platform::qt::QtEventPump pump;
    platform::qt::QtTimerFactory timers;
    platform::qt::QtSerialPortFactory ports;
    platform::qt::QtSerialDeviceList devices;
    ConsoleMessages messages;
    NoFileDialog files;
    platform::qt::QtLocale locale;
    NoShell shell;
    platform::Platform platform;
};

} // namespace compass_ctl
