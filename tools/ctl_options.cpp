#include "tools/ctl_options.h"

#include "platform/qt/qt_serial_port.h"

#include <algorithm>
#include <map>

namespace compass_ctl {

namespace {

using compass_sim::ToolOption;

const compass_sim::ToolInfo CtlTool{
    "compass-ctl",
    "Talks to one compass module as the program does, for scripts: usage compass-ctl --port PORT [options] COMMAND.\n"
    "Commands:\n"
    "  info                      the module's model, firmware version and serial number (JSON)\n"
    "  settings                  the module's settings dump (JSON: a profile, plus every value printed)\n"
    "  apply PROFILE             the differences between the module and PROFILE, then sends them as the\n"
    "                            program's Set buttons do, reads the settings back and says what the module took\n"
    "  log                       data sentences for --seconds, as the program's log writes them\n"
    "  check                     the magnetic calibration check over --seconds of turning (JSON)\n"
    "Exit status: 0 done (apply: every setting taken or unchanged; check: Good), 1 apply: a setting not\n"
    "taken or not sent, check: Recalibrate, 2 a wrong command line, 3 the port would not open or stopped\n"
    "working, 4 the module did not answer or sent no data, 5 a file could not be read or written or is\n"
    "no profile, 6 check: no verdict yet (turn the module more, or send the acceleration too).\n"};

const std::map<std::string, Command> Commands = {{"info", Command::Info}, {"settings", Command::Settings},
                                                 {"apply", Command::Apply}, {"log", Command::Log},
                                                 {"check", Command::Check}};

// The longest log or check a script may ask for: a day.
constexpr int MaxSeconds = 86400;

const std::vector<ToolOption<CtlOptions>> &ctlOptionTable()
{
    using O = CtlOptions;
    static const std::vector<ToolOption<CtlOptions>> table{
        {"port", "COMn|N|PATH",
         "the module's port: a COM number by the program's rule (links in the ports folder, then COM1-100 "
         "/dev/ttyS0-99, COM101-200 /dev/ttyUSB0-99, COM201-300 /dev/ttyACM0-99), or a device path",
         [](O &o, const std::string &v) { o.port = v; }},
        {"ports-dir", "DIR",
         "the folder of the program's COMn links (default: the installed program's, ~/.config/compass-bench/ports)",
         [](O &o, const std::string &v) { o.portsDir = v; }},
        {"line", "BAUD,PARITY,DATA,STOP", "the line settings (default 9600,N,8,1)",
         [](O &o, const std::string &v) {
             std::string error;
             if (!platform::qt::parseLineSettings(v, error))
                 throw std::invalid_argument("--line: " + error);
             o.line = v;
         }},
        {"seconds", "N", "how long log and check listen (default 10)",
         [](O &o, const std::string &v) { o.seconds = compass_sim::wholeValue("seconds", v, 1, MaxSeconds); }},
        {"output", "FILE", "log: append the lines to FILE instead of writing them to standard output",
         [](O &o, const std::string &v) { o.output = v; }},
        {"dry-run", "", "apply: show the differences and send nothing",
         [](O &o, const std::string &) { o.dryRun = true; }},
    };
    return table;
}

bool takesValue(const std::string &arg)
{
    const auto &table = ctlOptionTable();
    return std::any_of(table.begin(), table.end(), [&](const ToolOption<CtlOptions> &option) {
        return !option.valueName.empty() && arg == "--" + option.name;
    });
}

} // namespace

compass_sim::CommandLine<CtlOptions> parseCtlOptions(const std::vector<std::string> &args)
{
    // The words that are no option or option value: the command and its argument.
    std::vector<std::string> options;
    std::vector<std::string> words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i].rfind("-", 0) != 0) {
            words.push_back(args[i]);
            continue;
        }
        options.push_back(args[i]);
        if (takesValue(args[i]) && i + 1 < args.size())
            options.push_back(args[++i]);
    }
    auto parsed = compass_sim::parseCommandLine(CtlTool, ctlOptionTable(), options);
    if (parsed.print)
        return parsed;
    CtlOptions &o = parsed.options;
    if (words.empty())
        throw std::invalid_argument("say what to do: info, settings, apply PROFILE, log or check");
    const auto command = Commands.find(words[0]);
    if (command == Commands.end())
        throw std::invalid_argument("unknown command \"" + words[0] + "\": info, settings, apply PROFILE, log or check");
    o.command = command->second;
    const std::size_t operands = o.command == Command::Apply ? 1 : 0;
    if (words.size() != operands + 1)
        throw std::invalid_argument(o.command == Command::Apply ? "apply takes one profile file: apply PROFILE"
                                                                : "\"" + words[0] + "\" takes no argument");
    if (o.command == Command::Apply)
        o.profile = words[1];
    if (o.port.empty())
        throw std::invalid_argument("--port is needed: the module's COM number (COM3 or 3) or device path");
    if (o.dryRun && o.command != Command::Apply)
        throw std::invalid_argument("--dry-run goes with apply");
    if (o.output && o.command != Command::Log)
        throw std::invalid_argument("--output goes with log");
    return parsed;
}

} // namespace compass_ctl
