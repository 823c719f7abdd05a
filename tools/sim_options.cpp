#include "tools/sim_options.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace compass_sim {

const char *const SimUsage =
    "usage: compass-sim [--ports-dir DIR] [--com N] [--rate PER_SECOND] [--format 1|2|4|8|16]\n"
    "                   [--fields MASK] [--escape CODE] [--turn DEG_PER_S] [--duration SECONDS]\n"
    "                   [--hang-up-on CODE] [--quiet]\n"
    "Makes a pseudo-terminal, links it as DIR/COM<N> (default ports/COM2) and answers on it like the\n"
    "compass module. --rate sets sentences per second beyond the module's own output-rate setting.\n"
    "Prints what it receives, with times, unless --quiet. Ends on SIGINT/SIGTERM or after --duration.\n"
    "--hang-up-on makes it fail like a module losing power: on the first byte with that code it sends\n"
    "half of its reply, removes its link and exits, leaving the line dead.\n";

namespace {

double number(const std::string &option, const std::string &text)
{
    char *end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(v))
        throw std::invalid_argument(option + " takes a number, not \"" + text + "\"");
    return v;
}

int whole(const std::string &option, const std::string &text, int min, int max)
{
    const double v = number(option, text);
    if (v != std::floor(v) || v < min || v > max)
        throw std::invalid_argument(option + " takes a whole number from " + std::to_string(min) + " to " +
                                    std::to_string(max) + ", not \"" + text + "\"");
    return static_cast<int>(v);
}

} // namespace

SimOptions parseSimOptions(const std::vector<std::string> &args)
{
    SimOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a == "--quiet") {
            o.quiet = true;
            continue;
        }
        if (a == "--help" || a == "-h") {
            o.help = true;
            continue;
        }
        if (i + 1 >= args.size())
            throw std::invalid_argument(a == "" || a[0] != '-' ? "unexpected argument \"" + a + "\""
                                                               : a + " needs a value");
        const std::string &v = args[++i];
        if (a == "--ports-dir") {
            o.portsDir = v;
        } else if (a == "--com") {
            o.com = whole(a, v, 1, 256);
        } else if (a == "--rate") {
            o.rate = number(a, v);
            if (*o.rate <= 0)
                throw std::invalid_argument("--rate takes a number of sentences per second above 0");
        } else if (a == "--format") {
            o.format = whole(a, v, 1, 16);
            if (*o.format != 1 && *o.format != 2 && *o.format != 4 && *o.format != 8 && *o.format != 16)
                throw std::invalid_argument("--format takes 1, 2, 4, 8 or 16, not \"" + v + "\"");
        } else if (a == "--fields") {
            o.fields = whole(a, v, 0, 8191);
        } else if (a == "--escape") {
            o.escape = whole(a, v, 0, 255);
        } else if (a == "--hang-up-on") {
            o.hangUpOn = whole(a, v, 0, 255);
        } else if (a == "--duration") {
            o.durationSeconds = number(a, v);
            if (o.durationSeconds < 0)
                throw std::invalid_argument("--duration takes seconds, 0 or more (0 runs until a signal)");
        } else if (a == "--turn") {
            o.turnDegPerSecond = number(a, v);
        } else {
            throw std::invalid_argument("unknown option " + a);
        }
    }
    return o;
}

} // namespace compass_sim
