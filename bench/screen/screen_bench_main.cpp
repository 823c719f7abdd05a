// The measuring side of bench/screen_bench.sh: feeds the program's COM link,
// and `cat` the same bytes, from a pseudo-terminal each, times the program's
// processor use against cat's, watches the program's input queue, and times
// from the write of a heading jump to its first pixels on the X screen.
// Commands come on standard input, one a line; each is answered with one line.
#include "bench/screen/changed_areas.h"
#include "bench/screen/process_cpu.h"
#include "bench/screen/queue_watch.h"
#include "bench/screen/raw_pty.h"
#include "bench/screen/screen_grab.h"
#include "bench/screen/sentence_feed.h"
#include "tools/pseudo_terminal.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using bench::nowNs;
using bench::Pixels;
using bench::Rect;

constexpr std::int64_t NsPerMs = 1'000'000;

const char Usage[] = R"(Usage: bench_screen --ports-dir DIR [--com N]
Makes a pseudo-terminal linked as DIR/COM<N> (default 2) for the program and
another that `cat` reads, and writes the same data sentences to both. Then
reads commands from standard input and answers each with one line:
  program PID          the process whose processor time `cpu` measures
  rate N               sentences a second to both (0: none)
  moving | steady      a board tumbling, or every value held but the heading
  wait SECONDS         let time pass
  cpu SECONDS          the program's and cat's share of one core over that
                       time (utime+stime; for cat also its run time from
                       schedstat, which the ratio divides by), the most bytes
                       waiting in the program's input queue (sampled every
                       100 ms) and the sentences a second written
  calibrate X Y W H    find the heading's label and instrument in that screen
                       rectangle (the program's window) by jumping the heading
                       (steady sentences only)
  latency N            N heading jumps: from the write of each to the first
                       change on the screen of the label and of the instrument,
                       p50 and p99 in ms (needs calibrate)
  snap X Y W H FILE    write that screen rectangle as a PPM picture
  quit
)";

void sleepMs(double ms)
{
    std::this_thread::sleep_for(std::chrono::microseconds(static_cast<std::int64_t>(ms * 1000)));
}

std::string text(const Rect &r)
{
    return std::to_string(r.width) + "x" + std::to_string(r.height) + "+" + std::to_string(r.x) + "+"
           + std::to_string(r.y);
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    // Nearest rank: the smallest value with at least p of them at or below it.
    const auto rank = static_cast<std::size_t>(std::ceil(p * static_cast<double>(values.size())));
    return values[std::max<std::size_t>(rank, 1) - 1];
}

class Bench {
public:
    Bench(const std::string &portsDir, int com)
        : m_link(portsDir, com, m_program.slavePath()), m_feed({&m_program, &m_cat}), m_watch(m_program)
    {
        m_catPid = ::fork();
        if (m_catPid == 0) {
            const int in = ::open(m_cat.slavePath().c_str(), O_RDONLY | O_NOCTTY);
            const int out = ::open("/dev/null", O_WRONLY);
            // Ends with us, however we end.
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            ::dup2(in, 0);
            ::dup2(out, 1);
            ::dup2(out, 2);
            ::execlp("cat", "cat", static_cast<char *>(nullptr));
            ::_exit(127);
        }
    }
    ~Bench()
    {
        ::kill(m_catPid, SIGTERM);
        ::waitpid(m_catPid, nullptr, 0);
    }
    pid_t catPid() const { return m_catPid; }

    std::string command(const std::string &line);

private:
    std::string cpu(double seconds);
    std::string calibrate(const Rect &window);
    std::string latency(int jumps);
    // Waits until `r` shows the same for `quietMs` (at most 2 s) and returns what it shows.
    Pixels settled(const Rect &r, int quietMs);
    double nextHeading()
    {
        // Steps that are no multiple of a scale's marks, so the instrument always changes.
        m_heading = std::fmod(m_heading + 97.3, 360.0);
        return m_heading;
    }

    bench::RawPty m_program, m_cat;
    compass_sim::PortLink m_link;
    bench::SentenceFeed m_feed;
    bench::QueueWatch m_watch;
    pid_t m_catPid = -1;
    pid_t m_programPid = -1;
    double m_rate = 0;
    double m_heading = 90.0;
    std::unique_ptr<bench::ScreenGrab> m_screen;
    std::optional<bench::HeadingElements> m_elements;
};

bench::ScreenGrab &screenOf(std::unique_ptr<bench::ScreenGrab> &screen)
{
    if (!screen)
        screen = std::make_unique<bench::ScreenGrab>();
    return *screen;
}

std::string Bench::command(const std::string &line)
{
    std::istringstream in(line);
    std::string word;
    in >> word;
    if (word == "program") {
        in >> m_programPid;
        return "ok";
    }
    if (word == "rate") {
        in >> m_rate;
        m_feed.setRate(m_rate);
        return "ok";
    }
    if (word == "moving" || word == "steady") {
        m_feed.setSteady(word == "steady");
        return "ok";
    }
    double seconds = 0;
    if (word == "wait" && in >> seconds) {
        sleepMs(seconds * 1000);
        return "ok";
    }
    if (word == "cpu" && in >> seconds)
        return cpu(seconds);
    Rect r;
    if (word == "calibrate" && in >> r.x >> r.y >> r.width >> r.height)
        return calibrate(r);
    int jumps = 0;
    if (word == "latency" && in >> jumps)
        return latency(jumps);
    std::string file;
    if (word == "snap" && in >> r.x >> r.y >> r.width >> r.height >> file) {
        screenOf(m_screen).savePpm(r, file);
        return "ok";
    }
    return "error: cannot read the command \"" + line + "\"; run bench_screen --help for the commands";
}

std::string Bench::cpu(double seconds)
{
    if (m_programPid <= 0)
        return "error: no program to measure; give its process id with `program PID` first";
    const std::int64_t programBefore = bench::processTicks(m_programPid);
    const std::int64_t catBefore = bench::processTicks(m_catPid), catNsBefore = bench::mainThreadRunNs(m_catPid);
    const std::uint64_t sentBefore = m_feed.sentencesWritten(), skippedBefore = m_feed.sentencesSkipped();
    const std::int64_t start = nowNs();
    m_watch.restart();
    sleepMs(seconds * 1000);
    const double wall = double(nowNs() - start) / 1e9;
    const std::int64_t programAfter = bench::processTicks(m_programPid);
    const std::int64_t catAfter = bench::processTicks(m_catPid), catNsAfter = bench::mainThreadRunNs(m_catPid);
    if (programBefore < 0 || programAfter < 0)
        return "error: the program (process " + std::to_string(m_programPid) + ") ended while it was measured";
    const double perCore = 100.0 / (double(bench::ticksPerSecond()) * wall);
    const double program = double(programAfter - programBefore) * perCore;
    const double cat = double(catAfter - catBefore) * perCore;
    // cat's share in nanoseconds, as it often uses less than a tick.
    const double catNs = 100.0 * double(catNsAfter - catNsBefore) / (wall * 1e9);
    char ratio[32] = "-";
    if (catNs > 0)
        std::snprintf(ratio, sizeof ratio, "%.1f", program / catNs);
    char answer[320];
    std::snprintf(answer, sizeof answer,
                  "cpu program_pct=%.2f cat_pct=%.2f cat_run_pct=%.3f ratio=%s max_inq=%d sentences_per_s=%.0f "
                  "skipped=%llu",
                  program, cat, catNs, ratio, m_watch.most(), double(m_feed.sentencesWritten() - sentBefore) / wall,
                  static_cast<unsigned long long>(m_feed.sentencesSkipped() - skippedBefore));
    return answer;
}

Pixels Bench::settled(const Rect &r, int quietMs)
{
    bench::ScreenGrab &screen = screenOf(m_screen);
    Pixels shown = screen.grab(r);
    const std::int64_t giveUp = nowNs() + 2000 * NsPerMs;
    std::int64_t sameSince = nowNs();
    while (nowNs() - sameSince < quietMs * NsPerMs && nowNs() < giveUp) {
        sleepMs(10);
        Pixels now = screen.grab(r);
        if (now != shown) {
            shown = std::move(now);
            sameSince = nowNs();
        }
    }
    return shown;
}

std::string Bench::calibrate(const Rect &window)
{
    bench::ScreenGrab &screen = screenOf(m_screen);
    bench::ChangeMask byItself{window.width, window.height, {}}, byHeading{window.width, window.height, {}};
    settled(window, 300);
    for (int i = 0; i < 3; ++i) {
        const Pixels before = screen.grab(window);
        sleepMs(300);
        byItself.add(before, screen.grab(window));
    }
    for (int i = 0; i < 6; ++i) {
        const Pixels before = settled(window, 200);
        if (m_feed.jumpTo(nextHeading()) == 0)
            return "error: no sentence went out in 2 s; set a rate first";
        sleepMs(300);
        byHeading.add(before, settled(window, 200));
    }
    byHeading.changed.resize(byItself.changed.size());
    byHeading.remove(byItself, 2);
    const std::vector<Rect> areas = bench::changedAreas(byHeading, 6);
    m_elements = bench::headingElements(areas, 60);
    std::string found;
    for (const Rect &a : areas)
        found += " " + text(a);
    std::string answer = "elements areas=" + std::to_string(areas.size());
    if (!m_elements) {
        const std::string where = "(in the window:" + found + ")";
        return "error: the heading's label and instrument were not among the areas that changed with it " + where
               + "; is the data view shown and nothing over it?";
    }
    // Screen coordinates, the label with a margin for longer numbers.
    Rect &label = m_elements->label, &instrument = m_elements->instrument;
    label = {window.x + label.x - 2, window.y + label.y - 2, label.width + 4, label.height + 4};
    instrument.x += window.x;
    instrument.y += window.y;
    return answer + " label=" + text(label) + " instrument=" + text(instrument) + " (in the window:" + found + ")";
}

std::string Bench::latency(int jumps)
{
    if (!m_elements)
        return "error: no elements to watch; run calibrate first";
    bench::ScreenGrab &screen = screenOf(m_screen);
    const Rect label = m_elements->label, instrument = m_elements->instrument;
    std::vector<double> labelMs, instrumentMs;
    int missed = 0;
    for (int i = 0; i < jumps; ++i) {
        const Pixels labelBefore = settled(label, 150), instrumentBefore = settled(instrument, 150);
        const std::int64_t written = m_feed.jumpTo(nextHeading());
        if (written == 0)
            return "error: no sentence went out in 2 s; set a rate first";
        bool labelSeen = false, instrumentSeen = false;
        while (!(labelSeen && instrumentSeen) && nowNs() - written < 1000 * NsPerMs) {
            if (!labelSeen && screen.grab(label) != labelBefore) {
                labelSeen = true;
                labelMs.push_back(double(nowNs() - written) / 1e6);
            }
            if (!instrumentSeen && screen.grab(instrument) != instrumentBefore) {
                instrumentSeen = true;
                instrumentMs.push_back(double(nowNs() - written) / 1e6);
            }
            sleepMs(0.5);
        }
        missed += !labelSeen + !instrumentSeen;
    }
    char answer[256];
    std::snprintf(answer, sizeof answer,
                  "latency label_p50=%.1f label_p99=%.1f instrument_p50=%.1f instrument_p99=%.1f missed=%d",
                  percentile(labelMs, 0.5), percentile(labelMs, 0.99), percentile(instrumentMs, 0.5),
                  percentile(instrumentMs, 0.99), missed);
    return answer;
}

} // namespace

int main(int argc, char **argv)
{
    std::string portsDir;
    int com = 2;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (arg == "--ports-dir" && i + 1 < argc)
            portsDir = argv[++i];
        else if (arg == "--com" && i + 1 < argc)
            com = std::atoi(argv[++i]);
        else {
            std::fprintf(stderr, "bench_screen: cannot take \"%s\"\nRun bench_screen --help for its options.\n",
                         arg.c_str());
            return 2;
        }
    }
    if (portsDir.empty()) {
        std::fputs("bench_screen: --ports-dir is needed\nRun bench_screen --help for its options.\n", stderr);
        return 2;
    }
    try {
        Bench bench(portsDir, com);
        std::cout << "ready cat_pid=" << bench.catPid() << std::endl;
        for (std::string line; std::getline(std::cin, line) && line != "quit";)
            std::cout << bench.command(line) << std::endl;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_screen: %s\n", e.what());
        return 1;
    }
    return 0;
}
