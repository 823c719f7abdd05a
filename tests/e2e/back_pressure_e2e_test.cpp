// The tap, the replay and the simulator against a far side that reads late:
// each passes on every byte, or says what it could not.
#include "capture_records.h"
#include "line_peers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <regex>

namespace {

using compass_sim::CaptureRecord;
using peers::Transfer;
constexpr std::size_t KiB = 1024;

// "" when `got` is `sent`, else where they part.
std::string difference(const std::string &got, const std::string &sent)
{
    std::size_t at = 0;
    while (at < got.size() && at < sent.size() && got[at] == sent[at])
        ++at;
    if (at == got.size() && at == sent.size())
        return "";
    return "got " + std::to_string(got.size()) + " of " + std::to_string(sent.size()) + " bytes, the first " +
           std::to_string(at) + " as sent";
}

bool appears(const std::string &path, int ms)
{
    for (int waited = 0; waited < ms; waited += 20, peers::pause(20))
        if (QFileInfo(QString::fromStdString(path)).isSymLink())
            return true;
    return false;
}

class TapBackPressure : public ::testing::Test {
protected:
    // The tap between `module`'s device and the program's COM2, with the program's port open and seen open.
    void SetUp() override
    {
        ASSERT_FALSE(module.devicePath.empty());
        tap.start(COMPASS_TAP_PATH, {"--device", QString::fromStdString(module.devicePath), "--ports-dir",
                                     dir.filePath("ports"), "--com", "2", "--capture", capturePath()});
        ASSERT_TRUE(appears(link(), 5000)) << peers::output(tap);
        program = peers::openPort(link());
        ASSERT_GE(program.fd, 0);
        // The tap passes the program's bytes on only once it has seen the port open.
        Transfer hello{program.fd, "?", 0, -1, {}}, heard{-1, {}, 0, module.line.fd, {}};
        ASSERT_TRUE(peers::run({&hello, &heard}, [&] { return heard.in == "?"; }, 5000));
    }
    std::string link() const { return dir.filePath("ports/COM2").toStdString(); }
    QString capturePath() const { return dir.filePath("capture.txt"); }
    // Stops the tap as Ctrl-C does; its exit status.
    int stopTap()
    {
        tap.terminate();
        return tap.waitForFinished(5000) ? tap.exitCode() : -1;
    }

    QTemporaryDir dir;
    peers::ModuleLine module;
    QProcess tap;
    peers::Fd program;
};

TEST_F(TapBackPressure, BurstsBothWaysToSidesThatReadOnlyAfterwardsArriveWhole)
{
    // Neither side reads until both bursts are written: each is many times what a pty holds.
    Transfer down{module.line.fd, peers::pattern(256 * KiB, 1), 0, -1, {}};
    Transfer up{program.fd, peers::pattern(64 * KiB, 2), 0, -1, {}};
    ASSERT_TRUE(peers::run({&down, &up}, [&] { return down.written == down.out.size() && up.written == up.out.size(); },
                           10000))
        << down.written << " and " << up.written << " written";
    Transfer atProgram{-1, {}, 0, program.fd, {}}, atModule{-1, {}, 0, module.line.fd, {}};
    peers::run({&atProgram, &atModule},
               [&] { return atProgram.in.size() >= down.out.size() && atModule.in.size() >= up.out.size(); }, 10000);
    EXPECT_EQ(difference(atProgram.in, down.out), "");
    EXPECT_EQ(difference(atModule.in, up.out), "");
    EXPECT_EQ(stopTap(), 0) << peers::output(tap);
}

TEST_F(TapBackPressure, BeyondItsQueueTheTapDropsRecordsAndSaysSo)
{
    // The module goes on sending while the program reads nothing: more than the tap may keep.
    Transfer down{module.line.fd, peers::pattern(1536 * KiB, 3), 0, -1, {}};
    ASSERT_TRUE(peers::run({&down}, [&] { return down.written == down.out.size(); }, 10000));
    Transfer atProgram{-1, {}, 0, program.fd, {}};
    peers::run({&atProgram}, [&] { return atProgram.in.size() >= 1024 * KiB; }, 10000);
    peers::run({&atProgram}, [] { return false; }, 300);
    EXPECT_EQ(stopTap(), 1);
    const std::string told = peers::output(tap);
    EXPECT_NE(told.find("B from the module were dropped"), std::string::npos) << told;

    // The capture keeps every byte, and tells those the program got from those it did not.
    std::string fault, delivered, dropped, all;
    for (const CaptureRecord &r : readCapture(capturePath().toStdString(), fault)) {
        if (r.kind == CaptureRecord::Kind::Module)
            delivered += r.text;
        if (r.kind == CaptureRecord::Kind::Dropped)
            dropped += r.text;
        if (r.kind == CaptureRecord::Kind::Module || r.kind == CaptureRecord::Kind::Dropped)
            all += r.text;
    }
    EXPECT_EQ(fault, "");
    EXPECT_EQ(difference(all, down.out), "");
    EXPECT_EQ(difference(atProgram.in, delivered), "");
    EXPECT_GE(delivered.size(), 1024 * KiB);
    EXPECT_FALSE(dropped.empty());
    EXPECT_NE(told.find(std::to_string(dropped.size()) + " B from the module were dropped"), std::string::npos) << told;
}

class ReplayBackPressure : public ::testing::Test {
protected:
    // A capture of `records`, the program's port opened at 0.
    void writeCapture(const std::vector<CaptureRecord> &records)
    {
        std::string text = std::string(compass_sim::CaptureVersionLine) + "\n";
        compass_sim::appendCaptureLine(text, CaptureRecord::Kind::Opened, 0, {});
        for (const CaptureRecord &r : records)
            compass_sim::appendCaptureLine(text, r);
        QFile file(dir.filePath("capture.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }
    void startReplay()
    {
        replay.start(COMPASS_SIM_PATH, {"--replay", dir.filePath("capture.txt"), "--ports-dir", dir.filePath("ports"),
                                        "--com", "2", "--quiet"});
        ASSERT_TRUE(appears(dir.filePath("ports/COM2").toStdString(), 5000)) << peers::output(replay);
        program = peers::openPort(dir.filePath("ports/COM2").toStdString());
        ASSERT_GE(program.fd, 0);
    }
    bool replayEnded() { return replay.state() == QProcess::NotRunning || replay.waitForFinished(0); }

    // Sentences every 50 ms up to 2 s, and the program asking for the settings at 0.5 s.
    static std::vector<CaptureRecord> sentencesAndARequest()
    {
        std::vector<CaptureRecord> records;
        for (std::uint64_t ms = 50; ms <= 2000; ms += 50) {
            records.push_back({CaptureRecord::Kind::Module, ms * 1000, "$C1.0*00\r\n", 0});
            if (ms == 500)
                records.push_back({CaptureRecord::Kind::Program, ms * 1000 + 10, "\x1b&", 0});
        }
        records.push_back({CaptureRecord::Kind::End, 2100000, "stopped by SIGINT", 0});
        return records;
    }

    QTemporaryDir dir;
    QProcess replay;
    peers::Fd program;
};

TEST_F(ReplayBackPressure, AReaderThatStallsThenReadsSlowlyGetsEveryByteAndIsToldTheDelay)
{
    std::vector<CaptureRecord> records;
    std::string sent;
    for (std::uint64_t i = 0; i < 128; ++i) {
        records.push_back({CaptureRecord::Kind::Module, 1000 + i * 1000, peers::pattern(4 * KiB, unsigned(i)), 0});
        sent += records.back().text;
    }
    records.push_back({CaptureRecord::Kind::End, 200000, "stopped by SIGINT", 0});
    writeCapture(records);
    startReplay();
    peers::pause(1000);
    std::string got;
    char buf[4 * KiB];
    while (got.size() < sent.size() && !replayEnded()) {
        const ssize_t n = ::read(program.fd, buf, sizeof buf);
        got.append(buf, static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
        peers::pause(10);
    }
    ASSERT_TRUE(replayEnded() || replay.waitForFinished(10000));
    const std::string report = peers::output(replay);
    EXPECT_EQ(replay.exitCode(), 0) << report;
    EXPECT_EQ(difference(got, sent), "");
    // The reader held the chunks back by a second at least, and took 4 KiB every 10 ms after that.
    std::smatch behind;
    ASSERT_TRUE(std::regex_search(report, behind, std::regex("at most ([0-9.]+) s behind its timing"))) << report;
    EXPECT_GE(std::stod(behind[1]), 1.0) << report;
    EXPECT_LT(std::stod(behind[1]), 10.0) << report;
}

// A program that takes nothing is not waited for without end: the replay stops, naming the chunk.
TEST_F(ReplayBackPressure, AReaderThatTakesNothingEndsTheReplayNamingTheChunk)
{
    std::vector<CaptureRecord> records;
    for (std::uint64_t i = 0; i < 64; ++i)
        records.push_back({CaptureRecord::Kind::Module, 1000 + i * 1000, peers::pattern(4 * KiB, unsigned(i)), 0});
    records.push_back({CaptureRecord::Kind::End, 100000, "stopped by SIGINT", 0});
    writeCapture(records);
    startReplay();
    ASSERT_TRUE(replay.waitForFinished(15000));
    const std::string report = peers::output(replay);
    EXPECT_EQ(replay.exitCode(), 2) << report;
    EXPECT_TRUE(std::regex_search(report, std::regex("capture.txt: line [0-9]+: the program took (none|no more) of "
                                                     "this chunk \\(due at 0.0[0-9]+ s\\) for 5 s; replay stopped")))
        << report;
}

// The program takes a module silent for 1.8 s for gone: however long the program is in sending what the
// capture has it send, the replay never falls silent that long.
TEST_F(ReplayBackPressure, WaitingForTheProgramNeverSilencesTheModuleForLong)
{
    writeCapture(sentencesAndARequest());
    startReplay();
    std::string got;
    auto last = peers::Clock::now();
    std::chrono::milliseconds longest{0};
    char buf[256];
    while (!replayEnded()) {
        const ssize_t n = ::read(program.fd, buf, sizeof buf);
        const auto now = peers::Clock::now();
        if (n > 0) {
            if (!got.empty())
                longest = std::max(longest, std::chrono::duration_cast<std::chrono::milliseconds>(now - last));
            got.append(buf, static_cast<std::size_t>(n));
            last = now;
        }
        peers::pause(5);
    }
    EXPECT_LT(longest.count(), 1800);
    EXPECT_EQ(got.size(), 40 * std::string("$C1.0*00\r\n").size());
    EXPECT_EQ(replay.exitCode(), 1);
    EXPECT_NE(peers::output(replay).find("missing settings request"), std::string::npos);
}

// Keys the program sends while the replay waits for it are timed where the capture's clock stands.
TEST_F(ReplayBackPressure, TimesInTheReportNeverRunBackwards)
{
    writeCapture(sentencesAndARequest());
    startReplay();
    auto last = peers::Clock::now();
    bool sent = false;
    char buf[256];
    while (!replayEnded()) {
        if (::read(program.fd, buf, sizeof buf) > 0)
            last = peers::Clock::now();
        // A second of silence: the replay is waiting for the program, which answers late and then once more.
        if (!sent && peers::Clock::now() - last > std::chrono::seconds(1)) {
            ASSERT_EQ(::write(program.fd, "\x1b" "A", 2), 2);
            peers::pause(100);
            ASSERT_EQ(::write(program.fd, "\x1b" "B", 2), 2);
            sent = true;
        }
        peers::pause(5);
    }
    ASSERT_TRUE(sent);
    const std::string report = peers::output(replay);
    std::vector<double> times;
    const std::regex timed("compass-sim: ([0-9.]+) s: ");
    for (auto it = std::sregex_iterator(report.begin(), report.end(), timed); it != std::sregex_iterator(); ++it)
        times.push_back(std::stod((*it)[1]));
    ASSERT_EQ(times.size(), 2u) << report;
    EXPECT_LE(times[0], times[1]) << report;
    EXPECT_LT(times[1], 1.0) << report;
}

// Life counts of the sentences in `text`, in order.
std::vector<long> lifeCounts(const std::string &text)
{
    std::vector<long> counts;
    const std::regex life("L([0-9]+)\\*");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), life); it != std::sregex_iterator(); ++it)
        counts.push_back(std::stol((*it)[1]));
    return counts;
}

TEST(SimulatorLine, NothingWaitsForAClosedPortAndALateReaderFindsWhatATtyKeeps)
{
    QTemporaryDir dir;
    QProcess sim;
    sim.start(COMPASS_SIM_PATH, {"--ports-dir", dir.filePath("ports"), "--com", "2", "--quiet", "--rate", "4000",
                                 "--fields", "2049"});
    const std::string link = dir.filePath("ports/COM2").toStdString();
    ASSERT_TRUE(appears(link, 5000)) << peers::output(sim);
    peers::pause(500);
    const peers::Fd program = peers::openPort(link);
    ASSERT_GE(program.fd, 0);
    // What the module sent before the port opened is gone, as on a line: only what it sent since is there.
    Transfer first{-1, {}, 0, program.fd, {}};
    peers::run({&first}, [] { return false; }, 10);
    EXPECT_LT(first.in.size(), 8 * KiB);

    // A program that reads nothing for a moment then finds every sentence, in order (about 24 KiB).
    peers::pause(300);
    Transfer late{-1, {}, 0, program.fd, {}};
    peers::run({&late}, [] { return false; }, 300);
    const std::vector<long> counts = lifeCounts(first.in + late.in);
    ASSERT_GT(late.in.size(), 16 * KiB);
    for (std::size_t i = 1; i < counts.size(); ++i)
        ASSERT_EQ(counts[i], counts[i - 1] + 1) << "sentence " << i;

    // One that leaves far more unread loses what a tty would not keep, and is told so.
    peers::pause(1500);
    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(5000));
    const std::string told = peers::output(sim);
    EXPECT_NE(told.find("the program has left 64 KiB unread"), std::string::npos) << told;
    EXPECT_NE(told.find("B dropped in all"), std::string::npos) << told;
}

} // namespace
