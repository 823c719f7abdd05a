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

} // namespace app
