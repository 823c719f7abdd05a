#include "platform/decimal_separators.h"
#include "platform/number_format.h"
#include "platform/sim/sim_platform.h"

#include <gtest/gtest.h>

namespace {

using platform::FormatNumber;

TEST(NumberFormat, ShortestFormUpToFifteenDigits)
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

TEST(NumberFormat, UsesTheUsersSeparator)
{
    EXPECT_EQ(FormatNumber(12.5, ','), "12,5");
    EXPECT_EQ(FormatNumber(-1.25, ','), "-1,25");
    EXPECT_EQ(FormatNumber(7, ','), "7");
}

TEST(DecimalSeparators, ReadFromTheLocaleAndUsedAsOneByteOfText)
{
    platform::sim::SimLocale locale;
    locale.setDecimalSeparator(',');
    // A locale without one reads numbers with ".".
    locale.setMonetaryDecimalSeparator(QChar(0));
    const platform::DecimalSeparators separators = platform::ReadDecimalSeparators(locale);
    EXPECT_EQ(separators.Number, QChar(','));
    EXPECT_EQ(separators.Monetary, QChar('.'));

    EXPECT_EQ(platform::PointByte(QChar(0xB7)), '\xB7');
    // Outside Latin-1, or a character a number is made of: "." alone.
    for (const QChar unusable : {QChar(0x066B), QChar(' '), QChar('e'), QChar('-'), QChar('5'), QChar(0xA0)})
        EXPECT_EQ(platform::PointByte(unusable), '.') << int(unusable.unicode());
}

} // namespace
