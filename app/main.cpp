#include "app/application_name.h"
#include "app/frm_main.h"
#include "controls/frame_rate_limiter.h"
#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    app::NameApplication();
    // Readings may come a thousand times a second; the eye needs 25 frames.
    controls::FrameRateLimiter frames(25);
    application.installEventFilter(&frames);

    platform::qt::QtPlatform machine(QApplication::applicationDirPath());
    app::frmMain window(machine.platform);
    // Quit ends the program at once, even from inside a wait; the port is
    // closed and the log flushed by then.
    QObject::connect(&window, &app::frmMain::exitRequested, [] {
        std::fflush(nullptr);
        std::_Exit(0);
    });
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
