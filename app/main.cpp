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
    // The command line is answered before the window system is asked for, so
    // that help, version and refusals need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const app::CommandLineRequest early = app::ReadCommandLine(app::WithoutWindowSystemOptions(arguments));
    if (early.action != app::CommandLineRequest::Action::Run)
        return answer(early);

    QApplication application(argc, argv);
    app::NameApplication();
    // An option taken for the window system's that it did not take after all is refused as any other.
    const app::CommandLineRequest late = app::ReadCommandLine(QApplication::arguments());
    if (late.action != app::CommandLineRequest::Action::Run)
        return answer(late);
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
