#include "device/command_values.h"
#include "device/menu_replies.h"

#include <gtest/gtest.h>

using namespace device;

TEST(MenuReplies, AValuePromptCarriesANumberInTheUsersFormat)
{
    EXPECT_EQ(ValuePromptValue("Value and Enter, or Esc 25", '.'), "25");
    EXPECT_EQ(ValuePromptValue("Value and Enter, or Esc -1.5e3", '.'), "-1.5e3");
    EXPECT_EQ(ValuePromptValue("Value and Enter, or Esc 12,5", ','), "12,5");
    EXPECT_EQ(ValuePromptValue("Value and Enter, or Esc  7 ", '.'), " 7 ") << "kept as shown";
    for (const char *line : {"Value and Enter, or Esc ", "Value and Enter, or Esc abc", "Value and Enter, or Esc 5e",
                             "Value and Enter or Esc 25"})
        EXPECT_FALSE(ValuePromptValue(line, '.')) << line;
    EXPECT_FALSE(ValuePromptValue("Value and Enter, or Esc 12.5", ','));
}

TEST(CommandValues, PlaceholdersTenthsAndDays)
{
    EXPECT_EQ(ExpandCustomCommand("a<space>b<ESC><wait><enter>"), "a b<ESC>\r\n") << "lower case only";
    EXPECT_EQ(TempOffsetValue(2.5f), "25");
    EXPECT_EQ(TempOffsetValue(-1.3f), "-13");
    EXPECT_EQ(TempOffsetValue(0.25f), "2") << "halves go to even";
    EXPECT_EQ(CalDateDaysValue(QDate(2008, 1, 1)), "0");
    EXPECT_EQ(CalDateDaysValue(QDate(2010, 11, 5)), "1039");
}
