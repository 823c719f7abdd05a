// compass-tap's forwarding against a plain read-and-write copy loop between
// the same ptys, in the same run: sentences from a module's pty through the
// tap (recording to a file) to the program's pty, as fast as they go and at
// the sentence rate of a 921600-baud line.
#include "tools/compass_simulator.h"
#include "tools/serial_tap.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr double BytesPerSecondAt921600 = 921600 / 10.0;  // 8 data bits, start and stop bit

// Heading to magnetic field, as the program's own receive-load figures use.
std::vector<std::string> sentences()
{
    std::vector<std::string> lines;
    compass_sim::CompassSimulator module([&lines](std::string s) { lines.push_back(std::move(s)); });
    module.settings().set("DISPLAY_FIELDS", "127");
    module.overrideSentencesPerSecond(1000);
    module.advanceTo(1000);
    return lines;
}

double meanLength(const std::vector<std::string> &lines)
{
    double total = 0;
    for (const std::string &l : lines)
        total += static_cast<double>(l.size());
    return total / static_cast<double>(lines.size());
}

int openRaw(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios raw{};
    ::tcgetattr(fd, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(fd, TCSANOW, &raw);
    return fd;
}

// Reads `count` bytes as they come.
void receive(int fd, std::size_t count)
{
    char buf[4096];
    for (std::size_t got = 0; got < count;) {
        pollfd p{fd, POLLIN, 0};
        ::poll(&p, 1, 100);
        const ssize_t n = ::read(fd, buf, sizeof buf);
        got += n > 0 ? static_cast<std::size_t>(n) : 0;
    }
}

// A module's line and the program's, with the program's end open.
struct Line {
    compass_sim::PseudoTerminal module;
    compass_sim::PseudoTerminal program{compass_sim::PseudoTerminal::Slave::LeftToProgram};
    int device = openRaw(module.slavePath());
    int programEnd = openRaw(program.slavePath());
    ~Line()
    {
        ::close(device);
        ::close(programEnd);
    }
};

// What moves the bytes: the tap, or the plain copy loop it is measured against.
struct PlainCopy {
    explicit PlainCopy(Line &line) : m_line(line) {}
    // Waits up to `ms` for the module's bytes and passes them on; returns how many.
    std::size_t step(int ms)
    {
        pollfd p{m_line.device, POLLIN, 0};
        ::poll(&p, 1, ms);
        const ssize_t n = ::read(m_line.device, m_buf, sizeof m_buf);
        if (n <= 0)
            return 0;
        m_line.program.write(std::string_view(m_buf, static_cast<std::size_t>(n)));
        return static_cast<std::size_t>(n);
    }
    bool intact(std::int64_t) const { return true; }

    Line &m_line;
    char m_buf[1 << 16];
};

struct Tap {
    explicit Tap(Line &line) : m_tap(line.device, line.program, m_capture, false) {}
    std::size_t step(int ms)
    {
        const auto before = m_tap.counts().fromModule;
        m_tap.pump(ms);
        return m_tap.counts().fromModule - before;
    }
    // Every sentence counted and the capture still recording.
    bool intact(std::int64_t sentences) const
    {
        return m_capture.recording() && m_tap.counts().sentences + 1 >= static_cast<std::uint64_t>(sentences);
    }

    QTemporaryDir m_dir;
    compass_sim::CaptureFile m_capture{m_dir.filePath("capture.txt").toStdString()};
    compass_sim::SerialTap m_tap;
};

// As fast as it goes: one sentence written, forwarded and read back a pass.
template <class Forwarder>
void mostSentences(benchmark::State &state)
{
    const auto lines = sentences();
    Line line;
    Forwarder forwarder(line);
    std::size_t next = 0;
    for (auto _ : state) {
        const std::string &sentence = lines[next];
        next = (next + 1) % lines.size();
        line.module.write(sentence);
        for (std::size_t moved = 0; moved < sentence.size();)
            moved += forwarder.step(100);
        receive(line.programEnd, sentence.size());
    }
    state.SetItemsProcessed(state.iterations());
    if (!forwarder.intact(state.iterations()))
        state.SkipWithError("sentences lost or not recorded");
}

double threadCpuSeconds()
{
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// One second of the line at its full sentence rate a pass; the forwarder runs
// on its own thread, whose processor time is its share of one core.
template <class Forwarder>
void atLineRate(benchmark::State &state)
{
    const auto lines = sentences();
    const auto interval = std::chrono::duration<double>(meanLength(lines) / BytesPerSecondAt921600);
    const auto perSecond = static_cast<std::int64_t>(1.0 / interval.count());
    Line line;
    Forwarder forwarder(line);
    double cpu = 0, wall = 0;
    for (auto _ : state) {
        std::atomic<bool> stop{false};
        double forwarderCpu = 0;
        std::thread thread([&] {
            const double start = threadCpuSeconds();
            while (!stop)
                forwarder.step(20);
            forwarderCpu = threadCpuSeconds() - start;
        });
        const auto start = std::chrono::steady_clock::now();
        std::size_t sent = 0, received = 0;
        char buf[4096];
        for (std::int64_t i = 0; i < perSecond; ++i) {
            std::this_thread::sleep_until(start + std::chrono::duration_cast<std::chrono::nanoseconds>(
                                                      interval * static_cast<double>(i)));
            sent += line.module.write(lines[static_cast<std::size_t>(i) % lines.size()]);
            for (ssize_t n; (n = ::read(line.programEnd, buf, sizeof buf)) > 0;)
                received += static_cast<std::size_t>(n);
        }
        receive(line.programEnd, sent - received);
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        stop = true;
        thread.join();
        cpu += forwarderCpu;
    }
    state.counters["core_percent"] = 100 * cpu / wall;
    state.SetItemsProcessed(state.iterations() * perSecond);
    if (!forwarder.intact(state.iterations() * perSecond))
        state.SkipWithError("sentences lost or not recorded");
}

// Prints the tap against the copy loop: how far above the line's rate each
// can go, and the share of one core each takes at the line's rate.
class TapReporter : public benchmark::ConsoleReporter {
public:
    explicit TapReporter(double sentencesPerSecond) : m_needed(sentencesPerSecond) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            for (const char *counter : {"items_per_second", "core_percent"})
                if (run.counters.count(counter))
                    m_figures[run.run_name.function_name + " " + counter] = run.counters.at(counter).value;
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const double tapMost = m_figures["Most/Tap items_per_second"];
        const double copyMost = m_figures["Most/PlainCopy items_per_second"];
        const double tapShare = m_figures["LineRate/Tap core_percent"];
        const double copyShare = m_figures["LineRate/PlainCopy core_percent"];
        std::printf("921600 baud carries %.0f sentences/s of %.1f bytes\n", m_needed, BytesPerSecondAt921600 / m_needed);
        if (tapMost > 0 && copyMost > 0)
            std::printf("at most: tap %.0f sentences/s (%.1fx the line's rate), copy loop %.0f; tap/copy %.2f\n",
                        tapMost, tapMost / m_needed, copyMost, tapMost / copyMost);
        if (tapShare > 0 && copyShare > 0)
            std::printf("at the line's rate: tap %.2f %% of one core, copy loop %.2f %%; tap/copy %.2f\n", tapShare,
                        copyShare, tapShare / copyShare);
    }

private:
    double m_needed;
    std::map<std::string, double> m_figures;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::RegisterBenchmark("Most/PlainCopy", mostSentences<PlainCopy>)->UseRealTime();
    benchmark::RegisterBenchmark("Most/Tap", mostSentences<Tap>)->UseRealTime();
    benchmark::RegisterBenchmark("LineRate/PlainCopy", atLineRate<PlainCopy>)->UseRealTime()->Iterations(3);
    benchmark::RegisterBenchmark("LineRate/Tap", atLineRate<Tap>)->UseRealTime()->Iterations(3);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TapReporter reporter(BytesPerSecondAt921600 / meanLength(sentences()));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
