// The three tools' command lines as a user meets them: one style of usage and
// refusal, no display needed to be refused, and edges that once went wrong.
#include "line_peers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

#include <sys/stat.h>

namespace {

struct Ran {
    int status = -1;
    std::string out, err;
};

// Runs `program` to its end, in `folder`, without a display.
Ran run(const QString &program, const QStringList &arguments, const QString &folder = {}, int ms = 5000)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(ms)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

TEST(ToolCommandLines, UsageAndRefusalsLookAlikeAndNeedNoDisplay)
{
    for (const auto &[path, name] : {std::pair{COMPASS_BENCH_PATH, "compass-bench"},
                                     std::pair{COMPASS_SIM_PATH, "compass-sim"}, std::pair{COMPASS_TAP_PATH, "compass-tap"}}) {
        const std::string tool = name;
        const Ran refused = run(path, {"--bogus"});
        EXPECT_EQ(refused.status, 2) << tool << refused.err;
        EXPECT_EQ(refused.err, tool + ": Unknown option 'bogus'.\nRun " + tool + " --help for its options.\n");
        EXPECT_EQ(refused.out, "");
        const Ran help = run(path, {"--help"});
        EXPECT_EQ(help.status, 0) << tool;
        EXPECT_EQ(help.out.rfind("Usage: " + tool + " [options]\n", 0), 0u) << help.out;
    }
}

TEST(ToolEdges, BadPlacesAndValuesAreRefusedLeavingNothingBehind)
{
    QTemporaryDir dir;
    const QString capture = dir.filePath("capture.txt");
    QFile(dir.filePath("exists.txt")).open(QIODevice::WriteOnly);

    // A file named as the device is that file, not one in /dev/.
    Ran ran = run(COMPASS_TAP_PATH, {"--device", "exists.txt", "--capture", capture}, dir.path());
    EXPECT_EQ(ran.status, 1);
    EXPECT_EQ(ran.err, "compass-tap: exists.txt is a regular file, not a serial device such as /dev/ttyUSB0\n");

    // A tap that cannot make its link leaves no capture to refuse the next run.
    peers::ModuleLine module;
    ran = run(COMPASS_TAP_PATH, {"--device", QString::fromStdString(module.devicePath), "--ports-dir",
                                 dir.filePath("exists.txt"), "--capture", capture});
    EXPECT_EQ(ran.status, 1);
    EXPECT_NE(ran.err.find("exists.txt is not a folder"), std::string::npos) << ran.err;
    EXPECT_FALSE(QFile::exists(capture));

    // Only the ports folder itself is made, and the user is told; a path wrong higher up is refused.
    ran = run(COMPASS_SIM_PATH, {"--ports-dir", dir.filePath("missing/a/b"), "--duration", "0.001"});
    EXPECT_EQ(ran.status, 1);
    EXPECT_NE(ran.err.find("there is no folder " + dir.filePath("missing/a").toStdString()), std::string::npos)
        << ran.err;
    EXPECT_FALSE(QDir(dir.filePath("missing")).exists());
    ran = run(COMPASS_SIM_PATH, {"--ports-dir", dir.filePath("ports"), "--duration", "0.001", "--quiet"});
    EXPECT_EQ(ran.status, 0) << ran.err;
    EXPECT_NE(ran.out.find("made the folder " + dir.filePath("ports").toStdString()), std::string::npos) << ran.out;

    // Values out of range are refused at once, not run until a signal or sent as "inf".
    EXPECT_EQ(run(COMPASS_SIM_PATH, {"--duration", "1e-300"}).err,
              "compass-sim: --duration takes 0 (until a signal) or seconds from 0.001 to 31536000, not \"1e-300\"\n"
              "Run compass-sim --help for its options.\n");
    EXPECT_EQ(run(COMPASS_SIM_PATH, {"--mag-noise", "1e308"}).status, 2);
}

// A capture that is no capture is refused before it is read whole, and Ctrl-C ends a read that waits.
TEST(ToolEdges, AReplayReadsNoEndlessLineAndHearsCtrlCWhileReading)
{
    QTemporaryDir dir;
    const Ran zeros = run(COMPASS_SIM_PATH, {"--replay", "/dev/zero", "--ports-dir", dir.path(), "--quiet"});
    EXPECT_EQ(zeros.status, 2);
    EXPECT_NE(zeros.err.find("/dev/zero: line 1: longer than 16 MiB"), std::string::npos) << zeros.err;

    const std::string fifo = dir.filePath("capture.fifo").toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    QProcess replay;
    replay.start(COMPASS_SIM_PATH, {"--replay", QString::fromStdString(fifo), "--ports-dir", dir.path(), "--quiet"});
    ASSERT_TRUE(replay.waitForStarted(5000));
    // The capture's first line, and half of the next, then nothing more: the replay waits in its read.
    const peers::Fd writer(::open(fifo.c_str(), O_WRONLY));
    ASSERT_EQ(::write(writer.fd, "compass-capture 2\n0.1", 22), 22);
    peers::pause(300);
    ASSERT_FALSE(replay.waitForFinished(0));
    ::kill(static_cast<pid_t>(replay.processId()), SIGINT);
    QElapsedTimer stopping;
    stopping.start();
    ASSERT_TRUE(replay.waitForFinished(3000)) << "still reading after Ctrl-C";
    EXPECT_LT(stopping.elapsed(), 1000);
    const std::string told = peers::output(replay);
    EXPECT_EQ(replay.exitCode(), 2) << told;
    EXPECT_NE(told.find("replay cut short"), std::string::npos) << told;
}

} // namespace
