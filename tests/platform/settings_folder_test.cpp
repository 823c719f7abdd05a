#include "platform/settings_folder.h"

#include <gtest/gtest.h>

TEST(SettingsFolder, BesideTheProgramOnlyWhereItMayWriteAndIsNotInstalled)
{
    const QString user = "/home/ann/.config/compass-bench";
    EXPECT_EQ(platform::SettingsFolder("/home/ann/src/build/app", true, user), "/home/ann/src/build/app");
    EXPECT_EQ(platform::SettingsFolder("/home/ann/src/build/app", false, user), user);
    EXPECT_EQ(platform::SettingsFolder("/opt/bench", false, user), user);
    // Root may write to /usr/bin, but the package manager owns it.
    EXPECT_EQ(platform::SettingsFolder("/usr/bin", true, user), user);
    EXPECT_EQ(platform::SettingsFolder("/usr/local/bin/", true, user), user);
    EXPECT_EQ(platform::SettingsFolder("/usrdata/bench", true, user), "/usrdata/bench");
}
