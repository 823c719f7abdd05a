#pragma once
#include "tools/command_line.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace compass_sim {

// The command line of compass-sim.
struct SimOptions {
    std::string portsDir = "ports";
    int com = 2;
    std::optional<double> rate;      // sentences per second, overriding the output-rate setting
    std::optional<int> format;       // output format 1, 2, 4, 8 or 16
    std::optional<int> fields;       // display-fields mask 0 to 8191
    int escape = 27;
    // On the first byte with this code: half the reply, then the line goes dead.
    std::optional<int> hangUpOn;
    double durationSeconds = 0;      // 0: until a signal
    double turnDegPerSecond = 2.0;
    // Hard iron the module's stored offsets leave in its output, soft iron (row by row) and noise.
    std::optional<std::array<double, 3>> hardIron;
    std::optional<std::array<double, 9>> softIron;
    double magNoise = 0;
    // The earth field's magnitude and inclination in degrees, positive downwards.
    std::optional<std::array<double, 2>> earthField;
    double tumbleSeconds = 0;        // 0: no tumble
    bool quiet = false;
    // A dump setting whose value the module keeps whatever is sent.
    std::optional<std::string> refuse;
    // A capture to play instead of simulating, `speed` times faster than recorded.
    std::optional<std::string> replay;
    double speed = 1.0;
};

// Every option of compass-sim, in the order --help lists them.
const std::vector<ToolOption<SimOptions>> &simOptionTable();

// Throws std::invalid_argument naming the option and what it takes.
CommandLine<SimOptions> parseSimOptions(const std::vector<std::string> &args);

} // namespace compass_sim
