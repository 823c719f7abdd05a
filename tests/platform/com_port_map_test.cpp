#include "platform/com_port_map.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

TEST(ComPortMap, FixedRuleIsTheSameBothWays)
{
    using platform::ComPortMap;
    EXPECT_EQ(ComPortMap::defaultDevicePath(1), "/dev/ttyS0");
    EXPECT_EQ(ComPortMap::defaultDevicePath(100), "/dev/ttyS99");
    EXPECT_EQ(ComPortMap::defaultDevicePath(101), "/dev/ttyUSB0");
    EXPECT_EQ(ComPortMap::defaultDevicePath(203), "/dev/ttyACM2");
    EXPECT_EQ(ComPortMap::defaultDevicePath(0), "");
    EXPECT_EQ(ComPortMap::defaultDevicePath(301), "");
    for (int n : {1, 2, 57, 100, 101, 150, 201, 300})
        EXPECT_EQ(ComPortMap::defaultComNumber(ComPortMap::defaultDevicePath(n)), n);
    EXPECT_FALSE(ComPortMap::defaultComNumber("/dev/pts/3").has_value());
    for (const char *other : {"/dev/ttyUSBx", "/dev/ttyS100", "/dev/ttyACM-1"})
        EXPECT_FALSE(ComPortMap::defaultComNumber(other).has_value()) << other;
}

TEST(ComPortMap, LinkInThePortsFolderOverrides)
{
    QTemporaryDir dir;
    const QString ports = QDir(dir.path()).filePath("ports");
    ASSERT_TRUE(QDir().mkpath(ports));
    ASSERT_TRUE(QFile::link("/dev/null", QDir(ports).filePath("COM2")));
    ASSERT_TRUE(QFile::link("/nonexistent/pts/9", QDir(ports).filePath("COM3")));
    platform::ComPortMap map(ports);
    EXPECT_EQ(map.devicePath(2), "/dev/null");
    EXPECT_EQ(map.devicePath(3), "/nonexistent/pts/9");
    EXPECT_EQ(map.devicePath(4), "/dev/ttyS3");
    EXPECT_TRUE(map.overrideLink(3).has_value());
    EXPECT_FALSE(map.overrideLink(4).has_value());
}

} // namespace
