// compass-ctl: one compass module from the command line, for scripts on the
// production line: its identity, its settings, a settings profile applied and
// read back, its data sentences logged, its magnetic calibration checked.
#include "tools/ctl_commands.h"
#include "tools/ctl_options.h"
#include "tools/ctl_platform.h"
#include "tools/ctl_port.h"

#include <QCoreApplication>
#include <cstdio>
#include <stdexcept>

namespace {

using namespace compass_ctl;

int run(const CtlOptions &options)
{
    const QString programDir = QCoreApplication::applicationDirPath();
    const PortChoice port = ChoosePort(
        options.port, options.portsDir ? QString::fromStdString(*options.portsDir) : ProgramPortsDir(programDir));
    CtlPlatform machine(port.portsDir);
    ModuleLine module(machine.platform, port.com, options.line);
    const QString portName = QString::fromStdString(options.port);
    QString failure;
    if (!module.open(failure)) {
        std::fprintf(stderr, "compass-ctl: cannot open the port %s. %s\n", portName.toLocal8Bit().constData(),
                     failure.toLocal8Bit().constData());
        return Exit::Port;
    }
    int status = Exit::Done;
    switch (options.command) {
    case Command::Info: status = Info(module, portName); break;
    case Command::Settings: status = Settings(module); break;
    case Command::Apply: status = Apply(module, options); break;
    case Command::Log: status = Log(module, options); break;
    case Command::Check: status = Check(module, options); break;
    }
    if (!module.lostReason().empty() && status != Exit::Port) {
        std::fprintf(stderr, "compass-ctl: %s Reconnect the module and run again.\n", module.lostReason().c_str());
        return Exit::Port;
    }
    return status;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);  // the serial port's notifiers and the waits want one
    try {
        const auto parsed = parseCtlOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (parsed.print) {
            std::fputs(parsed.print->c_str(), stdout);
            return Exit::Done;
        }
        return run(parsed.options);
    } catch (const std::invalid_argument &e) {
        std::fprintf(stderr, "compass-ctl: %s (see compass-ctl --help)\n", e.what());
        return Exit::CommandLine;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "compass-ctl: %s\n", e.what());
        return Exit::Port;
    }
}
