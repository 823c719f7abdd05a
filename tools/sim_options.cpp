#include "tools/sim_options.h"

#include "tools/compass_simulator.h"
#include "tools/module_settings.h"

#include <algorithm>

namespace compass_sim {

namespace {

const ToolInfo SimTool{
    "compass-sim",
    "Makes a pseudo-terminal, links it as DIR/COM<N> (default ports/COM2) and answers on it like the\n"
    "compass module. As on a line, what it sends while the program's port is closed is lost, and up to\n"
    "64 KiB wait for a program that reads late. Prints what it receives, with times, unless --quiet.\n"
    "Ends on SIGINT/SIGTERM or after --duration. With --replay it plays a capture's module side\n"
    "instead (see --replay).\n"};

// Replay holds its output while the program is behind, so faster than this tells nothing more.
constexpr double MaxSpeed = 1000;
// Far beyond a real board, yet small enough that every value the module prints stays finite.
constexpr double MaxField = 10000;   // about forty times the earth's field in the board's units
constexpr double MaxSoftIron = 10;
constexpr double MaxTurn = 3600;     // ten turns a second
constexpr double MaxSeconds = 31536000;  // a year

// `count` numbers from -max to max, separated by commas.
template <std::size_t count>
std::array<double, count> numbers(const std::string &option, const std::string &text, double max = MaxField)
{
    std::array<double, count> values{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t comma = text.find(',', start);
        if ((comma == std::string::npos) != (i + 1 == count))
            throw std::invalid_argument("--" + option + " takes " + std::to_string(count) +
                                        " numbers separated by commas, not \"" + text + "\"");
        values[i] = numberValue(option, text.substr(start, comma - start), -max, max);
        start = comma + 1;
    }
    return values;
}

// 0 for off, or from `min` to `max`.
double offOrWithin(const std::string &option, const std::string &text, double min, double max, const char *off)
{
    const double v = numberValue(option, text);
    if (v != 0 && (v < min || v > max))
        throw std::invalid_argument("--" + option + " takes 0 (" + off + ") or seconds " + rangeText(min, max) +
                                    ", not \"" + text + "\"");
    return v;
}

} // namespace

const std::vector<ToolOption<SimOptions>> &simOptionTable()
{
    using O = SimOptions;
    static const std::vector<ToolOption<SimOptions>> table{
        {"ports-dir", "DIR", "folder of the COM<N> link (default ports)",
         [](O &o, const std::string &v) { o.portsDir = v; }},
        {"com", "N", "COM number to link (default 2)",
         [](O &o, const std::string &v) { o.com = wholeValue("com", v, 1, 256); }},
        {"rate", "PER_SECOND", "sentences per second beyond the module's own output-rate setting",
         [](O &o, const std::string &v) {
             o.rate = numberValue("rate", v, 0, CompassSimulator::MaxSentencesPerSecond);
             if (*o.rate == 0)
                 throw std::invalid_argument("--rate takes a number of sentences per second above 0");
         }},
        {"format", "1|2|4|8|16", "output format",
         [](O &o, const std::string &v) {
             o.format = wholeValue("format", v, 1, 16);
             if (*o.format != 1 && *o.format != 2 && *o.format != 4 && *o.format != 8 && *o.format != 16)
                 throw std::invalid_argument("--format takes 1, 2, 4, 8 or 16, not \"" + v + "\"");
         }},
        {"fields", "MASK", "display-fields mask, 0 to 8191",
         [](O &o, const std::string &v) { o.fields = wholeValue("fields", v, 0, 8191); }},
        {"escape", "CODE", "the module's escape code (default 27)",
         [](O &o, const std::string &v) { o.escape = wholeValue("escape", v, 0, 255); }},
        {"turn", "DEG_PER_S", "how fast the heading turns (default 2)",
         [](O &o, const std::string &v) { o.turnDegPerSecond = numberValue("turn", v, -MaxTurn, MaxTurn); }},
        {"duration", "SECONDS", "end after this long (default 0: until a signal)",
         [](O &o, const std::string &v) {
             o.durationSeconds = offOrWithin("duration", v, 0.001, MaxSeconds, "until a signal");
         }},
        {"hang-up-on", "CODE",
         "fail like a module losing power: on the first byte with this code send half the reply, remove the "
         "link and exit",
         [](O &o, const std::string &v) { o.hangUpOn = wholeValue("hang-up-on", v, 0, 255); }},
        {"hard-iron", "X,Y,Z", "iron the module's stored offsets do not take off",
         [](O &o, const std::string &v) { o.hardIron = numbers<3>("hard-iron", v); }},
        {"soft-iron", "M11,M12,...,M33",
         "make the board see this matrix (nine numbers, row by row) times the earth field",
         [](O &o, const std::string &v) { o.softIron = numbers<9>("soft-iron", v, MaxSoftIron); }},
        {"earth-field", "MAGNITUDE,INCLINATION",
         "the earth field's magnitude and inclination in degrees, positive where it points down (default 234.3,39.8)",
         [](O &o, const std::string &v) { o.earthField = numbers<2>("earth-field", v, MaxField); }},
        {"mag-noise", "SIGMA", "noise of this standard deviation on each magnetic axis",
         [](O &o, const std::string &v) { o.magNoise = numberValue("mag-noise", v, 0, MaxField); }},
        {"tumble", "SECONDS", "turn the board through every orientation in SECONDS, over and over",
         [](O &o, const std::string &v) { o.tumbleSeconds = offOrWithin("tumble", v, 1, MaxSeconds, "no tumble"); }},
        {"quiet", "", "do not print what is received", [](O &o, const std::string &) { o.quiet = true; }},
        {"refuse", "NAME", "keep the old value of the dump setting NAME (as OUTPUT_RATE) whatever is sent",
         [](O &o, const std::string &v) {
             if (!std::count(ModuleSettings::dumpNames().begin(), ModuleSettings::dumpNames().end(), v))
                 throw std::invalid_argument("--refuse takes the dump name of a setting, as OUTPUT_RATE, not \"" + v +
                                             "\"");
             o.refuse = v;
         }},
        {"replay", "FILE",
         "play the module side of a compass-tap capture once the program opens the port, holding it where the "
         "capture has the program send first (never leaving the program 1.5 s without a line), and every byte "
         "however late the program reads; then report how far it fell behind and where the program's keys "
         "differ from the capture; exit 0 when they match, 1 when not, 2 when the capture could not be played "
         "to its end (damaged, or the program took nothing for 5 s)",
         [](O &o, const std::string &v) { o.replay = v; }},
        {"speed", "X", "replay X times faster than recorded (default 1)",
         [](O &o, const std::string &v) { o.speed = numberValue("speed", v, 0.01, MaxSpeed); }},
    };
    return table;
}

CommandLine<SimOptions> parseSimOptions(const std::vector<std::string> &args)
{
    return parseCommandLine(SimTool, simOptionTable(), args);
}

} // namespace compass_sim
