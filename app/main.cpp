#include "app/application_name.h"
#include "app/command_line.h"
#include "app/frm_main.h"
#include "controls/frame_rate_limiter.h"
#include "platform/qt/qt_platform.h"
#include "platform/settings_folder.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {

int answer(const app::CommandLineRequest &request)
{
    const bool refused = request.action == app::CommandLineRequest::Action::Refuse;
    std::fputs(request.text.toLocal8Bit().constData(), refused ? stderr : stdout);
    return refused ? 2 : 0;
}

} // namespace

int main(int argc, char **argv)
{
    // Help and version are answered before the window system is asked for, so
    // they work without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const app::CommandLineRequest early = app::ReadCommandLine(arguments);
    if (early.action == app::CommandLineRequest::Action::Print)
        return answer(early);

    QApplication application(argc, argv);
    app::NameApplication();
    // Qt has taken its own options (-platform, -style ...) by now; anything left is refused.
    if (early.action == app::CommandLineRequest::Action::Refuse) {
        const app::CommandLineRequest request = app::ReadCommandLine(QApplication::arguments());
        if (request.action != app::CommandLineRequest::Action::Run)
            return answer(request);
    }
    // Readings may come a thousand times a second; the eye needs 25 frames.
    controls::FrameRateLimiter frames(25);
    application.installEventFilter(&frames);

    platform::qt::QtPlatform machine(platform::SettingsFolderFor(QApplication::applicationDirPath()));
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
