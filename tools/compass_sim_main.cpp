// compass-sim: a simulated compass module on a pseudo-terminal, linked as
// <ports-dir>/COM<n> for the main program, or the replay of a capture.
#include "tools/byte_queue.h"
#include "tools/capture_replay.h"
#include "tools/compass_simulator.h"
#include "tools/pseudo_terminal.h"
#include "tools/sim_options.h"
#include "tools/stop_signals.h"
#include "tools/stoppable_file.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <istream>
#include <stdexcept>
#include <string>
#include <thread>

#include <poll.h>
#include <unistd.h>

namespace {

std::uint64_t monotonicMs()
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// One line per read: the time in seconds, then the bytes, with <n> for those that do not print.
void printReceived(std::uint64_t at, std::string_view bytes)
{
    std::string shown;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 32 && c < 127 && c != '<')
            shown += ch;
        else
            shown += "<" + std::to_string(c) + ">";
    }
    std::printf("%8.3f received %s\n", static_cast<double>(at) / 1000.0, shown.c_str());
    std::fflush(stdout);
}

void configure(compass_sim::CompassSimulator &compass, const compass_sim::SimOptions &opt)
{
    // Both spaces, so that restoring factory defaults keeps what the command line chose.
    for (compass_sim::ModuleSettings *space : {&compass.settings(), &compass.factorySettings()}) {
        if (opt.format)
            space->set("OUTPUT_FORMAT", std::to_string(*opt.format));
        if (opt.fields)
            space->set("DISPLAY_FIELDS", std::to_string(*opt.fields));
    }
    if (opt.rate)
        compass.overrideSentencesPerSecond(*opt.rate);
    if (opt.refuse)
        compass.refuseSetting(*opt.refuse);
    compass.setEscapeCode(opt.escape);
    compass.setTurnRate(opt.turnDegPerSecond);
    compass_sim::SensorModel &board = compass.sensor();
    if (opt.hardIron) {
        const compass_sim::ModuleSettings &stored = compass.settings();
        board.setHardIron(stored.number("MAG_X_OFFSET") + (*opt.hardIron)[0],
                          stored.number("MAG_Y_OFFSET") + (*opt.hardIron)[1],
                          stored.number("MAG_Z_OFFSET") + (*opt.hardIron)[2]);
    }
    if (opt.softIron)
        board.setSoftIron(*opt.softIron);
    if (opt.earthField)
        board.setEarthFieldDip((*opt.earthField)[0], (*opt.earthField)[1]);
    if (opt.magNoise > 0)
        board.setMagneticNoise(opt.magNoise);
    if (opt.tumbleSeconds > 0)
        board.setTumble(opt.tumbleSeconds);
}

// What compass-sim keeps for a program that reads late, as a tty does before it throttles.
constexpr std::size_t OutputQueueBytes = 64 * 1024;
// A closed port hangs up the master on every poll, so its opening is looked for this often instead.
constexpr int ClosedPortCheckMs = 20;

int simulate(const compass_sim::SimOptions &opt)
{
    using namespace compass_sim;
    // The slave is left to the program, so that what is sent while its port is closed is lost, as on a line.
    PseudoTerminal pty(PseudoTerminal::Slave::LeftToProgram);
    const PortLink link(opt.portsDir, opt.com, pty.slavePath());
    if (link.madeFolder())
        std::printf("compass-sim: made the folder %s for the link\n", opt.portsDir.c_str());
    catchStopSignals();
    const std::uint64_t start = monotonicMs();
    const auto elapsed = [start] { return monotonicMs() - start; };

    ByteQueue output(OutputQueueBytes);
    std::uint64_t dropped = 0;
    bool dropping = false;
    // While set, replies are held back instead of sent (for --hang-up-on).
    std::string *heldBack = nullptr;
    CompassSimulator compass([&](std::string bytes) {
        if (heldBack) {
            *heldBack += bytes;
            return;
        }
        const std::size_t queued = output.push(bytes);
        if (queued < bytes.size() && !dropping)
            std::fprintf(stderr, "compass-sim: %.3f s: the program has left %zu KiB unread; what does not fit is dropped\n",
                         static_cast<double>(elapsed()) / 1000.0, OutputQueueBytes / 1024);
        dropping = queued < bytes.size();
        dropped += bytes.size() - queued;
        output.writeTo(pty.masterFd());
    });
    configure(compass, opt);
    if (!opt.quiet) {
        std::printf("compass-sim: %s -> %s\n", link.path().c_str(), pty.slavePath().c_str());
        std::fflush(stdout);
    }

    const auto end = static_cast<std::uint64_t>(std::ceil(opt.durationSeconds * 1000.0));
    bool open = false;
    char buf[4096];
    while (!g_stopSignal && (end == 0 || elapsed() < end)) {
        if (open != pty.slaveOpen()) {
            open = !open;
            output.clear();
        }
        if (!open) {
            compass.skipTo(elapsed());
            std::this_thread::sleep_for(std::chrono::milliseconds(ClosedPortCheckMs));
            continue;
        }
        compass.advanceTo(elapsed());
        const auto wait = std::clamp<std::int64_t>(static_cast<std::int64_t>(std::min(compass.nextDue(), UINT64_MAX / 2)) -
                                                       static_cast<std::int64_t>(elapsed()),
                                                   0, 100);
        pollfd pfd{pty.masterFd(), static_cast<short>(POLLIN | (output.empty() ? 0 : POLLOUT)), 0};
        if (::poll(&pfd, 1, static_cast<int>(wait)) <= 0)
            continue;
        if (pfd.revents & POLLOUT)
            output.writeTo(pty.masterFd());
        if (!(pfd.revents & POLLIN))
            continue;
        const ssize_t n = ::read(pty.masterFd(), buf, sizeof buf);
        if (n <= 0)
            continue;
        const std::uint64_t at = elapsed();
        compass.advanceTo(at);
        const std::string_view bytes(buf, static_cast<std::size_t>(n));
        if (!opt.quiet)
            printReceived(at, bytes);
        const std::size_t trigger =
            opt.hangUpOn ? bytes.find(static_cast<char>(*opt.hangUpOn)) : std::string_view::npos;
        if (trigger == std::string_view::npos) {
            compass.receive(bytes);
            continue;
        }
        compass.receive(bytes.substr(0, trigger));
        std::string reply;
        heldBack = &reply;
        compass.receive(bytes.substr(trigger, 1));
        heldBack = nullptr;
        output.push(reply.substr(0, reply.size() / 2));
        output.writeTo(pty.masterFd());
        // Time for the program to read the half reply: a hang-up discards unread input.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        if (!opt.quiet)
            std::printf("compass-sim: hung up on <%d>\n", *opt.hangUpOn);
        break;
    }
    if (dropped)
        std::fprintf(stderr, "compass-sim: %llu B dropped in all: the program left more than %zu KiB unread\n",
                     static_cast<unsigned long long>(dropped), OutputQueueBytes / 1024);
    return 0;
}

std::string behind(const compass_sim::CaptureReplay::Result &result)
{
    char text[96];
    std::snprintf(text, sizeof text, ", at most %.3f s behind its timing (line %zu)",
                  static_cast<double>(result.mostBehind.count()) / 1e6, result.mostBehindLine);
    return result.mostBehindLine ? text : "";
}

// Exit status: 0 the program sent what the capture holds, 1 it did not, 2 the capture was not played to its end.
int replay(const compass_sim::SimOptions &opt)
{
    using namespace compass_sim;
    // Before the first read: Ctrl-C ends even a read that would never end.
    catchStopSignals();
    StoppableFile file(*opt.replay, g_stopSignal);
    std::istream in(&file);
    CaptureReader reader(in);
    PseudoTerminal pty(PseudoTerminal::Slave::LeftToProgram);
    const PortLink link(opt.portsDir, opt.com, pty.slavePath());
    if (link.madeFolder())
        std::printf("compass-sim: made the folder %s for the link\n", opt.portsDir.c_str());
    std::printf("compass-sim: replaying %s at %gx on %s -> %s once the program opens COM%d\n", opt.replay->c_str(),
                opt.speed, link.path().c_str(), pty.slavePath().c_str(), opt.com);
    std::fflush(stdout);
    CaptureReplay play(reader, pty, opt.speed, [&opt](std::uint64_t micros, std::string_view bytes) {
        if (!opt.quiet)
            printReceived(micros / 1000, bytes);
    });
    const CaptureReplay::Result result = play.run(g_stopSignal);
    if (!file.error().empty())
        std::fprintf(stderr, "compass-sim: cannot read %s to its end: %s; replay stopped\n", opt.replay->c_str(),
                     file.error().c_str());
    else if (!result.fault.empty())
        std::fprintf(stderr, "compass-sim: %s: %s; replay stopped\n", opt.replay->c_str(), result.fault.c_str());
    for (const KeyDifference &d : result.differences)
        std::printf("compass-sim: %s\n", describe(d).c_str());
    std::printf("compass-sim: %llu chunks played%s%s", static_cast<unsigned long long>(result.chunksPlayed),
                result.complete ? " to the end of the capture" : ", replay cut short", behind(result).c_str());
    if (result.chunksMissed)
        std::printf("; %llu not played: the program had its port closed where the capture has it open",
                    static_cast<unsigned long long>(result.chunksMissed));
    std::printf("; %s\n", result.differences.empty() ? "the program sent the keys the capture holds"
                                                     : "the program's keys differ from the capture");
    std::fflush(stdout);
    // Time for the program to read the last chunk, even a program slowed by a busy machine or a
    // sanitizer: a hang-up discards unread input. A stop signal cuts it short.
    for (int waited = 0; waited < 1000 && !g_stopSignal; waited += 10)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!result.complete)
        return 2;
    return result.differences.empty() ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    compass_sim::CommandLine<compass_sim::SimOptions> parsed;
    try {
        parsed = compass_sim::parseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument &e) {
        return compass_sim::refuse("compass-sim", e.what());
    }
    if (parsed.print) {
        std::fputs(parsed.print->c_str(), stdout);
        return 0;
    }
    const bool replaying = parsed.options.replay.has_value();
    try {
        return replaying ? replay(parsed.options) : simulate(parsed.options);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "compass-sim: %s\n", e.what());
        return replaying ? 2 : 1;
    }
}
