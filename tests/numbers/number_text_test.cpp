#include "numbers/number_text.h"

#include <gtest/gtest.h>

namespace {

using numbers::FormatNumber;

TEST(NumberText, ShortestFormUpToFifteenDigits)
{
    EXPECT_EQ(FormatNumber(328.1, '.'), "328.1");
    EXPECT_EQ(FormatNumber(300.0, '.'), "300");
    EXPECT_EQ(FormatNumber(-0.4, '.'), "-0.4");
    EXPECT_EQ(FormatNumber(0.1 + 0.2, '.'), "0.3");
    EXPECT_EQ(FormatNumber(123456789012345, '.'), "123456789012345");
    EXPECT_EQ(FormatNumber(123456789.123456789, '.'), "123456789.123457");
    EXPECT_EQ(FormatNumber(1.0 / 3, '.'), "0.333333333333333");
    EXPECT_EQ(FormatNumber(-0.0, '.'), "0");
}

TEST(NumberText, UsesTheUsersSeparator)
{
    EXPECT_EQ(FormatNumber(12.5, ','), "12,5");
    EXPECT_EQ(FormatNumber(-1.25, ','), "-1,25");
    EXPECT_EQ(FormatNumber(7, ','), "7");
    EXPECT_EQ(numbers::FormatSingle(-0.1f, ','), "-0,1");
}

} // namespace
