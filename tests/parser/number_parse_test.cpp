#include "app/number_parse.h"
#include "tests/fuzz/parser_invariants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>
#include <string>

namespace {

using app::ParseSentenceNumber;

std::optional<double> parse(std::string_view text) { return ParseSentenceNumber(text, '.'); }

TEST(SentenceNumber, ReadsSignDigitsPointAndExponent)
{
    EXPECT_EQ(parse("328.1"), 328.1);
    EXPECT_EQ(parse("-0.4"), -0.4);
    EXPECT_EQ(parse("+7"), 7);
    EXPECT_EQ(parse(".5"), 0.5);
    EXPECT_EQ(parse("5."), 5);
    EXPECT_EQ(parse("1.5e3"), 1500);
    EXPECT_EQ(parse("2E-2"), 0.02);
    EXPECT_EQ(parse("007"), 7);
    EXPECT_TRUE(std::signbit(*parse("-0")));
}

TEST(SentenceNumber, AllowsBlanksAndLineEndsAround)
{
    EXPECT_EQ(parse("3.0\r\n"), 3);
    EXPECT_EQ(parse(" \t-12.5 "), -12.5);
    EXPECT_EQ(parse("\n\r4\n\r"), 4);
}

TEST(SentenceNumber, RefusesWhatIsNotOneNumber)
{
    for (const char *text : {"", " ", "\r\n", "-", "+", ".", "-.", "1.2.3", "1 2", "- 1", "1e", "1e+", "e5", "1x",
                             "x1", "0x10", "inf", "nan", "1,5", "1'000", "++1", "1-", "\xB0"}) {
        EXPECT_EQ(parse(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(SentenceNumber, RefusesValuesBeyondADouble)
{
    EXPECT_EQ(parse("1e999"), std::nullopt);
    EXPECT_EQ(parse("-1e400"), std::nullopt);
}

TEST(SentenceNumber, LongDigitRunsStillConvert)
{
    EXPECT_EQ(parse(std::string(300, '0') + "12.5" + std::string(300, '0')), 12.5);
}

TEST(SentenceNumber, TheUsersSeparatorIsAPointToo)
{
    EXPECT_EQ(ParseSentenceNumber("12.5", ','), 12.5);
    EXPECT_EQ(ParseSentenceNumber("12,5", ','), 12.5);
    EXPECT_EQ(ParseSentenceNumber("-0,25\r\n", ','), -0.25);
    // Still only one point, whichever character it is.
    EXPECT_EQ(ParseSentenceNumber("1,2.5", ','), std::nullopt);
    // A long value with the user's separator leaves the stack copy.
    const std::string longValue = std::string(100, '0') + "3,75";
    EXPECT_EQ(ParseSentenceNumber(longValue, ','), 3.75);
}

// The quick path for short decimals must round exactly like the full conversion.
TEST(SentenceNumber, AgreesWithTheStandardConversionOnRandomDecimals)
{
    std::mt19937_64 random(1105);
    for (int i = 0; i < 200000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 20);
        std::string text = random() % 2 ? "-" : "";
        const int point = static_cast<int>(random() % (digits + 1));
        for (int d = 0; d < digits; ++d) {
            if (d == point)
                text += random() % 2 ? '.' : ',';
            text += static_cast<char>('0' + random() % 10);
        }
        if (random() % 8 == 0)
            text += "e" + std::to_string(static_cast<int>(random() % 60) - 30);
        const std::string failure = parser_invariants::checkNumber(text, ',');
        ASSERT_EQ(failure, "");
        if (text.find('e') == std::string::npos) {
            ASSERT_TRUE(ParseSentenceNumber(text, ',').has_value()) << text;
        }
    }
}

} // namespace
