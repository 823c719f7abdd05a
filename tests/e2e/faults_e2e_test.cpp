// The program against faults on the line and in its files.
#include "fault_end_to_end.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

TEST_F(FaultEndToEnd, UnpluggedAdapterClosesThePortKeepsTheLogAndOpensAgain)
{
    auto compass = std::make_unique<SimulatedCompass>(dir.path(), 2, QStringList{"--quiet", "--rate", "20"});
    ASSERT_TRUE(compass->linked());
    start();
    const QString logPath = QDir(dir.path()).filePath("log.txt");
    startLog(logPath);
    const std::int32_t firstSample = window->sampleNumber();
    button("cmdOpen")->click();
    ASSERT_TRUE(window->Com().isOpen());
    ASSERT_TRUE(waitFor([&] { return logDataLines(logPath).size() >= 10; }, 8000));
    messages.clear();

    compass->kill();
    ASSERT_TRUE(waitFor([&] { return !window->Com().isOpen() && !messages.isEmpty(); }, 5000));
    EXPECT_TRUE(told("COM2")) << messages.join('|').toStdString();
    EXPECT_TRUE(told("Open Port")) << messages.join('|').toStdString();
    EXPECT_TRUE(enabled("cmdOpen"));
    EXPECT_FALSE(enabled("cmdClose"));
    // Every sentence the program took in before the loss is in the file, whole.
    const std::int32_t samplesBeforeLoss = window->sampleNumber() - firstSample;
    EXPECT_EQ(logDataLines(logPath).size(), samplesBeforeLoss);
    for (const QString &line : logDataLines(logPath))
        EXPECT_TRUE(line.endsWith(";\r")) << line.toStdString();

    // Idle after the loss: the dead line does not keep the program busy.
    EXPECT_LT(cpuSecondsWhileWaiting(1000), 0.3);
    EXPECT_EQ(messages.size(), 1) << messages.join('|').toStdString();

    // Nothing to open while the adapter is away.
    button("cmdOpen")->click();
    EXPECT_FALSE(window->Com().isOpen());
    EXPECT_TRUE(told("Can't open the communication port after 20 tries."));
    EXPECT_TRUE(enabled("cmdOpen"));

    // Plugged in again: Open Port works and the same log goes on.
    compass = std::make_unique<SimulatedCompass>(dir.path(), 2, QStringList{"--quiet", "--rate", "20"});
    ASSERT_TRUE(compass->linked());
    button("cmdOpen")->click();
    ASSERT_TRUE(window->Com().isOpen());
    EXPECT_FALSE(enabled("cmdOpen"));
    EXPECT_TRUE(enabled("cmdClose"));
    EXPECT_TRUE(waitFor([&] { return window->sampleNumber() - firstSample > samplesBeforeLoss + 5; }, 5000));
    EXPECT_TRUE(logFrame()->LoggingActive());
    EXPECT_EQ(logDataLines(logPath).size(), window->sampleNumber() - firstSample);
    EXPECT_TRUE(waitFor([&] { return !control("lblPresent")->isVisibleTo(window.get()); }, 3000));
}

} // namespace

// A module that loses power in the middle of an exchange: the exchange ends
// with its failure, the port is closed, and a new module is taken up again.
class DeadLineEndToEnd : public FaultEndToEnd {
protected:
    void openOn(SimulatedCompass &compass)
    {
        ASSERT_TRUE(compass.linked());
        start();
        button("cmdOpen")->click();
        ASSERT_TRUE(window->Com().isOpen());
        ASSERT_TRUE(waitFor([&] { return control<QLabel>("lblHeading")->text() != "?"; }, 5000));
    }
    // Runs `press` and returns how long it kept the program in it, in ms.
    qint64 timed(const std::function<void()> &press)
    {
        QElapsedTimer clock;
        clock.start();
        press();
        return clock.elapsed();
    }
    void expectPortClosedAndSaid()
    {
        EXPECT_TRUE(waitFor([&] { return !window->Com().isOpen(); }, 3000));
        EXPECT_TRUE(told("COM2")) << messages.join('|').toStdString();
        EXPECT_TRUE(enabled("cmdOpen"));
        EXPECT_FALSE(enabled("cmdClose"));
    }
    // A working module on the same port: Open Port brings data and settings again.
    void expectUsableAgain()
    {
        SimulatedCompass again(dir.path(), 2, {"--quiet"});
        ASSERT_TRUE(again.linked());
        messages.clear();
        button("cmdOpen")->click();
        ASSERT_TRUE(window->Com().isOpen()) << messages.join('|').toStdString();
        EXPECT_TRUE(waitFor([&] { return window->state().DumpReceived && window->state().SettingsKnown; }, 8000));
        EXPECT_EQ(window->state().Settings.OutputRate, 10);
    }
};

TEST_F(DeadLineEndToEnd, ModuleDyingDuringASettingsCommand)
{
    SimulatedCompass compass(dir.path(), 2, {"--hang-up-on", QString::number('R')});
    openOn(compass);
    ASSERT_TRUE(waitFor([&] { return window->state().SettingsKnown; }, 8000));
    button("cmdShowCSetup")->click();
    control<QLineEdit>("txtCSOutRate")->setText("5");
    messages.clear();
    const qint64 took = timed([&] { button("cmdSet(1)")->click(); });
    EXPECT_LT(took, 5000);
    expectPortClosedAndSaid();
    expectUsableAgain();
}

TEST_F(DeadLineEndToEnd, ModuleDyingInTheMiddleOfTheSettingsDump)
{
    SimulatedCompass compass(dir.path(), 2, {"--hang-up-on", QString::number('&')});
    messages.clear();
    openOn(compass);
    expectPortClosedAndSaid();
    // Half a dump is not the module's settings.
    EXPECT_FALSE(window->state().SettingsKnown);
    expectUsableAgain();
}

TEST_F(DeadLineEndToEnd, ModuleDyingDuringTheEscapeSearch)
{
    SimulatedCompass compass(dir.path(), 2, {"--escape", "3", "--hang-up-on", "1"});
    openOn(compass);
    button("cmdShowCSetup")->click();
    platform::Wait(machine.platform, 1500);
    messages.clear();
    const qint64 took = timed([&] { button("cmdIDEsc")->click(); });
    EXPECT_LT(took, 3000);
    EXPECT_TRUE(told("ESC Command was not found, please check if the compass is connected to the computer"));
    expectPortClosedAndSaid();
    expectUsableAgain();
}
