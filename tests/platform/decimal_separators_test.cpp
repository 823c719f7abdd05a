#include "platform/decimal_separators.h"
#include "platform/sim/sim_platform.h"

#include <gtest/gtest.h>

namespace {

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
