#include "numbers/number_reader.h"
#include "numbers/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <utility>

namespace {

using numbers::NumberRules;
using numbers::ReadNumber;

TEST(NumberReader, SignDigitsOnePointAndAnExponentWithBlanksAround)
{
    EXPECT_EQ(ReadNumber("328.1"), 328.1);
    EXPECT_EQ(ReadNumber("+7"), 7);
    EXPECT_EQ(ReadNumber(".5"), 0.5);
    EXPECT_EQ(ReadNumber("5."), 5);
    EXPECT_EQ(ReadNumber("1.5e3"), 1500);
    EXPECT_EQ(ReadNumber("2E-2"), 0.02);
    EXPECT_EQ(ReadNumber("007"), 7);
    EXPECT_TRUE(std::signbit(*ReadNumber("-0")));
    EXPECT_EQ(ReadNumber(" \t-12.5 \r\n"), -12.5);
    EXPECT_EQ(ReadNumber(std::string(300, '0') + "12.5" + std::string(300, '0')), 12.5);
    // Long mantissas are rounded once, as the standard conversion rounds them.
    for (const char *text :
         {"12345678901234567890", "923.056717986145560", "4403104104964.5076", "00000000000000000015"})
        EXPECT_EQ(ReadNumber(text), std::strtod(text, nullptr)) << text;
}

TEST(NumberReader, RefusesWhatIsNotOneNumberOrLiesBeyondADouble)
{
    for (const char *text : {"", " ", "\r\n", "-", "+", ".", "-.", "1.2.3", "1 2", "- 1", "1e", "1e+", "e5", "1x",
                             "x1", "0x10", "inf", "nan", "1,5", "1'000", "++1", "1-", "\xB0", "1e999", "-1e400"})
        EXPECT_EQ(ReadNumber(text), std::nullopt) << '"' << text << '"';
}

TEST(NumberReader, TheUsersSeparatorIsThePointBesideTheDotOrAlone)
{
    const NumberRules comma{','};
    EXPECT_EQ(ReadNumber("12.5", comma), 12.5);
    EXPECT_EQ(ReadNumber("-0,25\r\n", comma), -0.25);
    EXPECT_EQ(ReadNumber("2,5E-1", comma), 0.25);
    EXPECT_EQ(ReadNumber("1,2.5", comma), std::nullopt) << "still one point";
    // Too long for the stack copy the conversion makes.
    EXPECT_EQ(ReadNumber(std::string(100, '0') + "3,75", comma), 3.75);
    const NumberRules commaOnly{',', false};
    EXPECT_EQ(ReadNumber("12,5", commaOnly), 12.5);
    EXPECT_EQ(ReadNumber("12.5", commaOnly), std::nullopt);
}

TEST(NumberReader, WholeNumbersRoundHalvesToEvenAndMustFitTheirWidth)
{
    for (const auto &[value, rounded] : {std::pair{0.5, 0.0}, {1.5, 2.0}, {2.5, 2.0}, {-0.5, 0.0}, {-1.5, -2.0},
                                         {-2.5, -2.0}, {2.4999, 2.0}, {-0.6, -1.0}, {1235.5, 1236.0}, {2.6, 3.0}})
        EXPECT_EQ(numbers::RoundHalfEven(value), rounded) << value;
    EXPECT_EQ(numbers::ReadWhole<std::int16_t>("100.5", {}), 100);
    EXPECT_EQ(numbers::ReadWhole<std::int16_t>("101.5", {}), 102);
    EXPECT_EQ(numbers::ReadWhole<std::int16_t>("-32768.5", {}), -32768);
    EXPECT_EQ(numbers::ReadWhole<std::int16_t>("-32769", {}), std::nullopt);
    EXPECT_EQ(numbers::ReadWhole<std::int32_t>("2147483647.5", {}), std::nullopt);
    EXPECT_EQ(numbers::ReadSingle("-3.4e38", {}), -3.4e38f);
    EXPECT_EQ(numbers::ReadSingle("3.5e38", {}), std::nullopt);
}

TEST(NumberReader, TheLeadingNumberOfAValueAsTheCompassObjectReadsIt)
{
    using numbers::LeadingNumber;
    EXPECT_DOUBLE_EQ(LeadingNumber(" -0.4\r"), -0.4);
    EXPECT_DOUBLE_EQ(LeadingNumber("12.5.7"), 12.5);
    EXPECT_DOUBLE_EQ(LeadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(LeadingNumber("12,5"), 12.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("2e5"), 2.0);
    for (const char *none : {"", "-", "#!", "."})
        EXPECT_EQ(LeadingNumber(none), 0.0) << none;
    EXPECT_EQ(LeadingNumber(std::string(400, '9')), std::numeric_limits<double>::infinity());
}

TEST(NumberText, ShortestFormUpToFifteenDigitsWithTheUsersSeparator)
{
    using numbers::FormatNumber;
    EXPECT_EQ(FormatNumber(328.1, '.'), "328.1");
    EXPECT_EQ(FormatNumber(300.0, '.'), "300");
    EXPECT_EQ(FormatNumber(0.1 + 0.2, '.'), "0.3");
    EXPECT_EQ(FormatNumber(123456789012345, '.'), "123456789012345");
    EXPECT_EQ(FormatNumber(123456789.123456789, '.'), "123456789.123457");
    EXPECT_EQ(FormatNumber(-0.0, '.'), "0");
    EXPECT_EQ(FormatNumber(-1.25, ','), "-1,25");
    EXPECT_EQ(numbers::FormatSingle(-0.1f, ','), "-0,1");
}

} // namespace
