#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

using Action = app::CommandLineRequest::Action;

TEST(CommandLine, HelpAndVersionPrintAndAnythingElseIsRefused)
{
    EXPECT_EQ(app::ReadCommandLine({"/usr/bin/compass-bench"}).action, Action::Run);

    const auto help = app::ReadCommandLine({"/usr/bin/compass-bench", "--help"});
    EXPECT_EQ(help.action, Action::Print);
    EXPECT_TRUE(help.text.startsWith("Usage: compass-bench [options]\n")) << help.text.toStdString();
    EXPECT_TRUE(help.text.contains("--version"));
    EXPECT_EQ(app::ReadCommandLine({"compass-bench", "-h"}).text, help.text);

    const auto version = app::ReadCommandLine({"compass-bench", "-v"});
    EXPECT_EQ(version.action, Action::Print);
    EXPECT_EQ(version.text, "compass-bench 2.6\n");

    for (const QString stray : {"--port=COM2", "COM2"}) {
        const auto refused = app::ReadCommandLine({"compass-bench", stray});
        EXPECT_EQ(refused.action, Action::Refuse) << stray.toStdString();
        EXPECT_TRUE(refused.text.startsWith("compass-bench: ")) << refused.text.toStdString();
        EXPECT_TRUE(refused.text.contains(stray.section('=', 0, 0).remove("--"))) << refused.text.toStdString();
        EXPECT_TRUE(refused.text.endsWith("\nRun compass-bench --help for its options.\n")) << refused.text.toStdString();
    }
}

// The window system's own options are left to it, with their values; the rest is read before it is asked for.
TEST(CommandLine, WindowSystemOptionsAreSetAsideWithTheirValues)
{
    EXPECT_EQ(app::WithoutWindowSystemOptions({"compass-bench", "-platform", "offscreen", "--bogus", "-style=Fusion",
                                               "--display", ":1", "-reverse", "COM2", "-platformtheme"}),
              QStringList({"compass-bench", "--bogus", "COM2"}));
    EXPECT_EQ(app::ReadCommandLine(app::WithoutWindowSystemOptions({"compass-bench", "-platform", "offscreen"})).action,
              Action::Run);
}

} // namespace
