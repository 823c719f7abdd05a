#include "app/number_text.h"

#include <gtest/gtest.h>

namespace {

using app::DecimalSeparatorByte;
using app::FormatNumber;

TEST(NumberText, ShortestFormUpToFifteenDigits)
{
    EXPECT_EQ(FormatNumber(328.1, '.'), "328.1");
    EXPECT_EQ(FormatNumber(25, '.'), "25");
    EXPECT_EQ(FormatNumber(-0.4, '.'), "-0.4");
    EXPECT_EQ(FormatNumber(0.1 + 0.2, '.'), "0.3");
    EXPECT_EQ(FormatNumber(123456789012345, '.'), "123456789012345");
    EXPECT_EQ(FormatNumber(1.0 / 3, '.'), "0.333333333333333");
    EXPECT_EQ(FormatNumber(-0.0, '.'), "0");
}

TEST(NumberText, UsesTheUsersSeparator)
{
    EXPECT_EQ(FormatNumber(12.5, ','), "12,5");
    EXPECT_EQ(FormatNumber(-1.25, ','), "-1,25");
    EXPECT_EQ(FormatNumber(7, ','), "7");
}

TEST(NumberText, SeparatorByteForTheParser)
{
    EXPECT_EQ(DecimalSeparatorByte(","), ',');
    EXPECT_EQ(DecimalSeparatorByte("."), '.');
    EXPECT_EQ(DecimalSeparatorByte(QString(QChar(0xB7))), '\xB7');
    // Unknown, outside Latin-1, or a character a number is made of: "." alone.
    for (const QString &unusable : {QString(), QString(QChar(0)), QString(QChar(0x066B)), QString(" "),
                                    QString("e"), QString("-"), QString("5"), QString(QChar(0xA0))})
        EXPECT_EQ(DecimalSeparatorByte(unusable), '.') << unusable.toStdString();
}

} // namespace
