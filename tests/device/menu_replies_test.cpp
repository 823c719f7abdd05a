#include "device/command_values.h"
#include "device/menu_replies.h"

#include <gtest/gtest.h>

using namespace device;

TEST(MenuReplies, AKeyEchoIsCmdPromptAndExactlyTheKey)
{
    EXPECT_TRUE(IsKeyEcho("CMD:V", "V"));
    EXPECT_FALSE(IsKeyEcho("CMD:C", "V"));
    EXPECT_FALSE(IsKeyEcho("CMD:", "V"));
    EXPECT_FALSE(IsKeyEcho("CMD:VV", "V"));
    EXPECT_FALSE(IsKeyEcho("CMD:v", "V"));
    EXPECT_FALSE(IsKeyEcho("CMD:V", "")) << "no key awaited";
}

TEST(MenuReplies, AValuePromptCarriesANumberInTheUsersFormat)
{
    EXPECT_EQ(ValuePromptValue("Value and Enter, or Esc 25", '.'), "25");
    EXPECT_EQ(ValuePromptValue("Value and Enter, or Esc -1.5e3", '.'), "-1.5e3");
    EXPECT_EQ(ValuePromptValue("Value and Enter, or Esc 12,5", ','), "12,5");
    EXPECT_EQ(ValuePromptValue("Value and Enter, or Esc  7 ", '.'), " 7 ") << "kept as shown";
    EXPECT_FALSE(ValuePromptValue("Value and Enter, or Esc 12.5", ','));
    EXPECT_FALSE(ValuePromptValue("Value and Enter, or Esc ", '.'));
    EXPECT_FALSE(ValuePromptValue("Value and Enter, or Esc abc", '.'));
    EXPECT_FALSE(ValuePromptValue("Value and Enter, or Esc 5e", '.'));
    EXPECT_FALSE(ValuePromptValue("Value and Enter or Esc 25", '.'));
}

TEST(MenuReplies, TheVersionLineGivesModelFirmwareAndSerial)
{
    const auto v = ReadVersionLine("  XY-100 V3.2, SN#0012345 ");
    EXPECT_EQ(v.PartNumber, "XY-100");
    EXPECT_EQ(v.FirmwareVersion, "3.2");
    EXPECT_EQ(v.SN, "0012345");

    const auto atEnd = ReadVersionLine("QV-7 V2.6 SN#123");
    EXPECT_EQ(atEnd.FirmwareVersion, "2.6");
    EXPECT_EQ(atEnd.SN, "123");

    const auto open = ReadVersionLine("QV-7 V2.6");
    EXPECT_EQ(open.PartNumber, "QV-7");
    EXPECT_FALSE(open.FirmwareVersion) << "no blank or comma after the version";
    EXPECT_FALSE(open.SN);

    const auto bare = ReadVersionLine("SN#77,x");
    EXPECT_FALSE(bare.PartNumber);
    EXPECT_EQ(bare.SN, "77");
}

TEST(CommandValues, CustomCommandPlaceholdersInLowerCaseOnly)
{
    EXPECT_EQ(ExpandCustomCommand("<esc>V<enter><wait>"), "\x1bV\r\n");
    EXPECT_EQ(ExpandCustomCommand("a<space>b<ESC>"), "a b<ESC>");
    EXPECT_EQ(ExpandCustomCommand("<wait><wait>"), "");
}

TEST(CommandValues, ValuesTheCompassTakes)
{
    EXPECT_EQ(TempOffsetValue(2.5f), "25");
    EXPECT_EQ(TempOffsetValue(-1.3f), "-13");
    EXPECT_EQ(TempOffsetValue(0.25f), "2") << "halves go to even";
    EXPECT_EQ(TempOffsetValue(-0.04f), "0");
    EXPECT_EQ(SerialNumberValue(12345), "000012345");
    EXPECT_EQ(SerialNumberValue(1234567890), "1234567890");
    EXPECT_FALSE(SerialNumberValue(-5));
    EXPECT_EQ(CalDateDaysValue(QDate(2008, 1, 1)), "0");
    EXPECT_EQ(CalDateDaysValue(QDate(2010, 11, 5)), "1039");
    EXPECT_EQ(CalDateTextValue(QDate(2010, 11, 5), "Nov"), "05 Nov 10");
}
