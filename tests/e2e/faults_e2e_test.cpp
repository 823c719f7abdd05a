// The program against faults on the line and in its files.
#include "fault_end_to_end.h"

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
