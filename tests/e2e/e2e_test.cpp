#include "end_to_end.h"

#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

TEST_F(EndToEnd, LinkBecomesAliveAfterOpenPortAndTheSettingsAreRead)
{
    SimulatedCompass compass(dir.path(), 2, {"--quiet"});
    ASSERT_TRUE(compass.linked());
    start();
    ASSERT_TRUE(waitFor([&] { return control("lblPresent")->isVisibleTo(window.get()); }, 2000));
    EXPECT_EQ(messages, QStringList{"Configuration file not found or bad version, default loaded."});
    control<QAbstractButton>("cmdOpen")->click();
    ASSERT_TRUE(window->Com().isOpen());
    EXPECT_TRUE(waitFor([&] { return !control("lblPresent")->isVisibleTo(window.get()); }, 5000));
    EXPECT_TRUE(waitFor([&] { return control<QLabel>("lblHeading")->text() != "?"; }, 5000));
    EXPECT_TRUE(waitFor([&] { return window->state().DumpReceived && window->state().SettingsKnown; }, 8000));
    EXPECT_EQ(window->state().Settings.OutputFormat, 1);
    saveScreenshot("main_window.png");
}

} // namespace

namespace {

TEST_F(EndToEnd, PanelShowsTheModulesSettingsAndAChangedRateIsReadBack)
{
    SimulatedCompass compass(dir.path(), 2);
    ASSERT_TRUE(compass.linked());
    start();
    control<QAbstractButton>("cmdOpen")->click();
    auto *rate = control<QLineEdit>("txtCSOutRate");
    // The first data sentence brings the dump, which fills the panel.
    ASSERT_TRUE(waitFor([&] { return window->state().DumpReceived && window->state().SettingsKnown; }, 8000));
    ASSERT_TRUE(waitFor([&] { return rate->text() == "10"; }, 3000)) << rate->text().toStdString();
    EXPECT_EQ(window->state().Settings.OutputRate, 10);
    control<QAbstractButton>("cmdShowCSetup")->click();
    rate->setText("5");
    control<QAbstractButton>("cmdSet(1)")->click();
    // The module heard ESC, "R" and the rate; the re-read shows its new value.
    EXPECT_TRUE(waitFor([&] { return compass.received().contains("received 5<13>"); }, 3000))
        << compass.received().toStdString();
    EXPECT_TRUE(waitFor([&] { return window->state().SettingsKnown; }, 3000));
    EXPECT_EQ(window->state().Settings.OutputRate, 5);
    EXPECT_EQ(rate->text(), "5");
    saveScreenshot("settings_panel_live.png");
}

} // namespace
