#pragma once
#include "tools/command_line.h"

#include <optional>
#include <string>
#include <vector>

namespace compass_sim {

// The command line of compass-tap.
struct TapOptions {
    // The module's side: a device path, or a COM number by the program's rule.
    std::optional<std::string> device;
    std::optional<int> deviceCom;
    std::string line = "19200,N,8,1";  // the program's own default
    // The program's side: a pseudo-terminal linked as <portsDir>/COM<com>.
    std::string portsDir = "ports";
    int com = 2;
    std::string capture;
    bool stopOnFullDisk = false;
};

const std::vector<ToolOption<TapOptions>> &tapOptionTable();

// Throws std::invalid_argument naming the option and what it takes.
CommandLine<TapOptions> parseTapOptions(const std::vector<std::string> &args);

} // namespace compass_sim
