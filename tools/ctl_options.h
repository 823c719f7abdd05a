#pragma once
#include "tools/command_line.h"

#include <optional>
#include <string>
#include <vector>

namespace compass_ctl {

enum class Command { Info, Settings, Apply, Log, Check };

// The command line of compass-ctl: options, a command and its argument.
struct CtlOptions {
    std::string port;
    std::optional<std::string> portsDir;
    std::string line = "9600,N,8,1";
    int seconds = 10;
    std::optional<std::string> output;
    bool dryRun = false;

    Command command = Command::Info;
    // The profile of "apply".
    std::string profile;
};

// Throws std::invalid_argument naming what is wrong and what the command takes.
compass_sim::CommandLine<CtlOptions> parseCtlOptions(const std::vector<std::string> &args);

} // namespace compass_ctl
