#include "protocol/menu_protocol.h"

#include <gtest/gtest.h>

namespace {

TEST(MenuReplies, KeyEchoIsThePromptAndExactlyTheKey)
{
    EXPECT_TRUE(protocol::IsKeyEcho("CMD:a", 'a'));
    EXPECT_FALSE(protocol::IsKeyEcho("CMD:a", 'A'));
    EXPECT_FALSE(protocol::IsKeyEcho("CMD:", 'a'));
    EXPECT_FALSE(protocol::IsKeyEcho("CMD:ab", 'a'));
    EXPECT_FALSE(protocol::IsKeyEcho("CMD:ba", 'a'));
    EXPECT_TRUE(protocol::ContainsKeyPrompt("xyzCMD:"));
    EXPECT_FALSE(protocol::ContainsKeyPrompt("CMD"));
}

TEST(MenuReplies, ValueEchoNeedsTextAfterThePrompt)
{
    EXPECT_EQ(protocol::ValueEcho("Value and Enter, or Esc 125"), std::optional<std::string_view>("125"));
    EXPECT_FALSE(protocol::ValueEcho("Value and Enter, or Esc "));
    EXPECT_FALSE(protocol::ValueEcho("Value and Enter, or Esc"));
    EXPECT_TRUE(protocol::IsFactoryNotice("FACTORY "));
    EXPECT_FALSE(protocol::IsFactoryNotice("FACTORY"));
    EXPECT_TRUE(protocol::IsCalibrationProgress("Bridge offset"));
}

TEST(MenuReplies, VersionLine)
{
    auto v = protocol::ReadVersionLine("  XR-3000 V2.6, SN#123 ");
    EXPECT_EQ(v.Model, "XR-3000");
    EXPECT_EQ(v.FirmwareVersion, "2.6");
    EXPECT_EQ(v.SerialNumber, "123");

    v = protocol::ReadVersionLine("XR-3000 V2.6");
    EXPECT_EQ(v.Model, "XR-3000");
    EXPECT_FALSE(v.FirmwareVersion) << "nothing ends the version";
    EXPECT_FALSE(v.SerialNumber);

    v = protocol::ReadVersionLine("XR-3000 build 7 V1.8 SN#42,x");
    EXPECT_EQ(v.FirmwareVersion, "1.8");
    EXPECT_EQ(v.SerialNumber, "42");

    v = protocol::ReadVersionLine("XR3000");
    EXPECT_FALSE(v.Model);
}

TEST(MenuReplies, DumpLineSplit)
{
    auto line = protocol::SplitDumpLine(" kfilter = 0.5 \r\n");
    ASSERT_TRUE(line);
    EXPECT_EQ(line->Name, "KFILTER");
    EXPECT_EQ(line->Value, "0.5");
    EXPECT_FALSE(protocol::SplitDumpLine("A=B=C\r\n"));
    EXPECT_FALSE(protocol::SplitDumpLine("no equals\r\n"));
    line = protocol::SplitDumpLine("=\r\n");
    ASSERT_TRUE(line);
    EXPECT_EQ(line->Name, "");
}

TEST(MenuPacing, PauseAfterTheKeyAndHowTheValueEnds)
{
    using protocol::ValueEnd;
    for (const char key : std::string_view("BRXSNQCZAMPGFD$*aE@+Tel")) {
        const int pause = key == 'G' ? 800 : key == 'T' ? 550 : 500;
        EXPECT_EQ(protocol::PauseAfterKey(key), pause) << key;
        const bool crApart = std::string_view("D$*aE@+e").find(key) != std::string_view::npos;
        EXPECT_EQ(protocol::ValueEndOf(key), crApart ? ValueEnd::CrAfterPause : ValueEnd::CrTogether) << key;
    }
}

TEST(MenuValues, PlainDecimalAndTenths)
{
    EXPECT_EQ(protocol::WholeValue(-30), "-30");
    EXPECT_EQ(protocol::TenthsValue(12.5f), "125");
    EXPECT_EQ(protocol::TenthsValue(-3.25f), "-32.5");
    EXPECT_EQ(protocol::TenthsValue(12.34f), "123.4");
    EXPECT_EQ(protocol::TenthsValue(0.0f), "0");
    EXPECT_EQ(protocol::TenthsValue(-180.0f), "-1800");
}

TEST(MenuValues, FixedForms)
{
    EXPECT_EQ(protocol::SerialNumberValue(12345678), "012345678");
    EXPECT_EQ(protocol::SerialNumberValue(1234567890), "1234567890");
    EXPECT_FALSE(protocol::SerialNumberValue(-1));
    EXPECT_EQ(protocol::CalDateTextValue(5, "Nov", 2010), "05 Nov 10");
    EXPECT_EQ(protocol::CalDateTextValue(28, QString::fromUtf8("f\u00e9v"), 2009), "28 f\xe9v 09");
}

} // namespace
