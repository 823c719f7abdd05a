#pragma once
#include <QString>
#include <QStringList>

namespace app {

// What the command line asks for. The program takes no options but --help and
// --version; anything else is refused rather than ignored.
struct CommandLineRequest {
    enum class Action { Run, Print, Refuse };
    Action action = Action::Run;
    // Print: the text for standard output. Refuse: the error for standard error.
    QString text;
};

// `arguments` starts with the program's path, as QCoreApplication::arguments().
CommandLineRequest ReadCommandLine(const QStringList &arguments);

// `arguments` without the options the window system takes for itself (-platform
// offscreen, -style Fusion, -display :1 ...), so that the rest can be read, and
// refused, before the window system is asked for.
QStringList WithoutWindowSystemOptions(const QStringList &arguments);

} // namespace app
