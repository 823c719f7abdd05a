// The program against a module that goes away: the adapter pulled, or the module dying in a command.
#include "end_to_end.h"

#include <QLineEdit>

namespace {

TEST_F(EndToEnd, UnpluggedAdapterClosesThePortKeepsTheLogAndOpensAgain)
{
    auto compass = std::make_unique<SimulatedCompass>(dir.path(), 2, QStringList{"--quiet", "--rate", "20"});
    ASSERT_TRUE(compass->linked());
    start();
    const QString logPath = dir.filePath("log.txt");
    startLog(logPath);
    const std::int32_t firstSample = window->sampleNumber();
    button("cmdOpen")->click();
    ASSERT_TRUE(window->Com().isOpen());
    ASSERT_TRUE(waitFor([&] { return logDataLines(logPath).size() >= 10; }, 8000));
    messages.clear();

    compass->kill();
    ASSERT_TRUE(waitFor([&] { return !window->Com().isOpen() && !messages.isEmpty(); }, 5000));
    EXPECT_TRUE(told("COM2 (")) << messages.join('|').toStdString();
    EXPECT_TRUE(told("stopped working: the device was removed.")) << messages.join('|').toStdString();
    EXPECT_TRUE(button("cmdOpen")->isEnabled());
    EXPECT_FALSE(button("cmdClose")->isEnabled());
    // Every sentence the program took in before the loss is in the file, whole.
    const std::int32_t samplesBeforeLoss = window->sampleNumber() - firstSample;
    EXPECT_EQ(logDataLines(logPath).size(), samplesBeforeLoss);
    for (const QString &line : logDataLines(logPath))
        EXPECT_TRUE(line.endsWith(";\r")) << line.toStdString();
    platform::Wait(machine.platform, 500);
    EXPECT_EQ(messages.size(), 1) << messages.join('|').toStdString();

    // Plugged in again: Open Port works and the same log goes on.
    compass = std::make_unique<SimulatedCompass>(dir.path(), 2, QStringList{"--quiet", "--rate", "20"});
    ASSERT_TRUE(compass->linked());
    button("cmdOpen")->click();
    ASSERT_TRUE(window->Com().isOpen());
    EXPECT_TRUE(waitFor([&] { return window->sampleNumber() - firstSample > samplesBeforeLoss + 5; }, 5000));
    EXPECT_TRUE(logFrame()->LoggingActive());
    EXPECT_EQ(logDataLines(logPath).size(), window->sampleNumber() - firstSample);
}

// A module that loses power in the middle of a settings command: the command
// ends at once, the port is closed, and a new module is taken up again.
TEST_F(EndToEnd, ModuleDyingDuringASettingsCommand)
{
    SimulatedCompass compass(dir.path(), 2, {"--quiet", "--hang-up-on", QString::number('R')});
    ASSERT_TRUE(compass.linked());
    startWithDataFlowing();
    ASSERT_TRUE(waitFor([&] { return settingsRead(); }, 8000));
    button("cmdShowCSetup")->click();
    control<QLineEdit>("txtCSOutRate")->setText("5");
    messages.clear();
    button("cmdSet(1)")->click();
    EXPECT_TRUE(waitFor([&] { return !window->Com().isOpen(); }, 3000));
    EXPECT_TRUE(told("COM2")) << messages.join('|').toStdString();
    EXPECT_TRUE(button("cmdOpen")->isEnabled());

    SimulatedCompass again(dir.path(), 2, {"--quiet"});
    ASSERT_TRUE(again.linked());
    button("cmdOpen")->click();
    ASSERT_TRUE(window->Com().isOpen()) << messages.join('|').toStdString();
    EXPECT_TRUE(waitFor([&] { return settingsRead(); }, 8000));
    EXPECT_EQ(window->state().Settings.OutputRate, 10);
}

} // namespace
