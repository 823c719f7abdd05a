// compass-ctl's command line, its ports and its commands on the simulated
// machine, against a compass that answers the menu.
#include "menu_compass.h"
#include "tools/ctl_check_json.h"
#include "tools/ctl_commands.h"
#include "tools/ctl_options.h"
#include "tools/ctl_port.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using compass_ctl::Command;
using compass_ctl::CtlOptions;

CtlOptions parsed(const std::vector<std::string> &args)
{
    return compass_ctl::parseCtlOptions(args).options;
}

std::string refusal(const std::vector<std::string> &args)
{
    try {
        compass_ctl::parseCtlOptions(args);
    } catch (const std::invalid_argument &e) {
        return e.what();
    }
    return {};
}

TEST(CtlCommandLine, OptionsAroundACommandAndItsArgument)
{
    const CtlOptions apply = parsed({"apply", "--port", "COM3", "line.json", "--dry-run", "--line=19200,N,8,1"});
    EXPECT_EQ(apply.command, Command::Apply);
    EXPECT_EQ(apply.profile, "line.json");
    EXPECT_EQ(apply.port, "COM3");
    EXPECT_TRUE(apply.dryRun);
    EXPECT_EQ(apply.line, "19200,N,8,1");
    const CtlOptions log = parsed({"--port", "/dev/ttyUSB0", "--seconds", "5", "log", "--output", "a.txt"});
    EXPECT_EQ(log.command, Command::Log);
    EXPECT_EQ(log.seconds, 5);
    EXPECT_EQ(log.output, "a.txt");

    EXPECT_EQ(refusal({"--port", "3"}), "say what to do: info, settings, apply PROFILE, log or check");
    EXPECT_EQ(refusal({"info"}), "--port is needed: the module's COM number (COM3 or 3) or device path");
    EXPECT_EQ(refusal({"--port", "3", "apply"}), "apply takes one profile file: apply PROFILE");
    EXPECT_EQ(refusal({"--port", "3", "info", "extra"}), "\"info\" takes no argument");
    EXPECT_EQ(refusal({"--port", "3", "settings", "--dry-run"}), "--dry-run goes with apply");
    EXPECT_NE(refusal({"--port", "3", "log", "--seconds", "0"}), "");
    EXPECT_NE(refusal({"--port", "3", "info", "--line", "9600,X,8,1"}), "");
    EXPECT_TRUE(compass_ctl::parseCtlOptions({"--help"}).print);
}

TEST(CtlPort, ACOMNumberByTheRuleOrADeviceByItsPath)
{
    EXPECT_EQ(compass_ctl::ChoosePort("COM3", "links").com, 3);
    EXPECT_EQ(compass_ctl::ChoosePort("com12", "links").portsDir, "links");
    EXPECT_EQ(compass_ctl::ChoosePort("201", "links").com, 201);
    // A device the rule names is that device, whatever a link of its number says.
    const auto usb = compass_ctl::ChoosePort("/dev/ttyUSB2", "links");
    EXPECT_EQ(usb.com, 103);
    EXPECT_TRUE(usb.portsDir.isEmpty());
    const auto pty = compass_ctl::ChoosePort("/dev/pts/7", "links");
    EXPECT_EQ(QFileInfo(QDir(pty.portsDir).filePath(QStringLiteral("COM%1").arg(pty.com))).symLinkTarget(),
              "/dev/pts/7");
    EXPECT_THROW(compass_ctl::ChoosePort("ttyUSB0", "links"), std::invalid_argument);
    EXPECT_THROW(compass_ctl::ChoosePort("COM0", "links"), std::invalid_argument);
}

TEST(CtlCheck, TheExitStatusFollowsTheVerdict)
{
    mag_check::CheckResult result;
    const std::pair<mag_check::Verdict, int> statuses[] = {{mag_check::Verdict::Good, 0},
                                                           {mag_check::Verdict::Recalibrate, 1},
                                                           {mag_check::Verdict::RotateMore, 6},
                                                           {mag_check::Verdict::Undecided, 6}};
    for (const auto &[verdict, status] : statuses) {
        result.verdict = verdict;
        EXPECT_EQ(compass_ctl::CheckExitStatus(result), status);
    }
    result.verdict = mag_check::Verdict::RotateMore;
    EXPECT_EQ(compass_ctl::CheckJson(result)["verdict"].toString(), "Rotate more");
}

// One module on COM3 of the simulated machine, opened as compass-ctl opens it.
class CtlApply : public ::testing::Test {
protected:
    CtlApply() : sim(dir.path()), module(sim.platform, 3, "9600,N,8,1")
    {
        sim.ports.addDevice(3);
        QString failure;
        EXPECT_TRUE(module.open(failure)) << failure.toStdString();
        board = std::make_unique<MenuCompass>(sim, *sim.ports.openPort(3));
        options.port = "COM3";
        options.command = Command::Apply;
        options.profile = dir.filePath("line.json").toStdString();
        QFile file(QString::fromStdString(options.profile));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(R"({"format": "compass-bench settings profile", "version": 1,
                       "settings": {"OUTPUT_RATE": 5, "AVERAGING": 8, "EULER": 4}})");
    }
    // The keys and values the module received.
    std::string received() const
    {
        std::string keys;
        for (const auto &chunk : sim.ports.openPort(3)->written())
            keys += chunk.bytes == "\x1b" ? std::string("<esc>") : chunk.bytes;
        return keys;
    }
    int apply(std::string &printed)
    {
        sim.ports.openPort(3)->clearWritten();
        testing::internal::CaptureStdout();
        const int status = compass_ctl::Apply(module, options);
        printed = testing::internal::GetCapturedStdout();
        return status;
    }

    QTemporaryDir dir;
    platform::sim::SimPlatform sim;
    compass_ctl::ModuleLine module;
    std::unique_ptr<MenuCompass> board;
    CtlOptions options;
};

TEST_F(CtlApply, ADryRunShowsTheDifferencesAndSendsNothing)
{
    board->replies['&'] = {"OUTPUT_RATE=10\r\nAVERAGING=8\r\nEULER=4"};
    options.dryRun = true;
    std::string printed;
    EXPECT_EQ(apply(printed), compass_ctl::Exit::Done);
    EXPECT_EQ(received(), "<esc>& ") << "the settings read, nothing else";
    EXPECT_NE(printed.find("OUTPUT_RATE          10 -> 5              to be set"), std::string::npos) << printed;
}

TEST_F(CtlApply, ApplySendsTheDifferencesAndAValueNotTakenFailsIt)
{
    board->replies['&'] = {"OUTPUT_RATE=10\r\nAVERAGING=5\r\nEULER=4", "OUTPUT_RATE=5\r\nAVERAGING=5\r\nEULER=4"};
    std::string printed;
    EXPECT_EQ(apply(printed), compass_ctl::Exit::NotAllTaken);
    EXPECT_EQ(received(), "<esc>& <esc>R5\r<esc>A8\r<esc>& ");
    EXPECT_NE(printed.find("AVERAGING            5 -> 8               not taken: the module holds 5."),
              std::string::npos)
        << printed;
}

TEST_F(CtlApply, EverySettingTakenIsDone)
{
    board->replies['&'] = {"OUTPUT_RATE=10\r\nAVERAGING=5\r\nEULER=4", "OUTPUT_RATE=5\r\nAVERAGING=8\r\nEULER=4"};
    std::string printed;
    EXPECT_EQ(apply(printed), compass_ctl::Exit::Done);
}

} // namespace
