// Fallback for machines without clang's fuzzer runtime: many seeded random lines
// of every form against the same invariants the fuzzer checks.
#include "tests/fuzz/parser_invariants.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

namespace {

// Pieces that real sentences are made of, so lines get deep into the parser.
constexpr std::array<const char *, 40> pieces = {
    "$",  "$C", "$O", "$H", "$HCHDT", "$OHPR,", "C",  "P",  "R",  "T",  "D",  "M",  "Mx", "My",
    "Mz", "A",  "Ax", "Ay", "Az",     "G",      "Gx", "Gy", "L",  "S",  "Q",  "mx", "-",  "+",
    ".",  ",",  "*",  "\r\n", " ",    "e",      "E",  "0",  "7",  "328.1", "-0.4", "1e308"};

std::string randomLine(std::mt19937 &random)
{
    std::string line;
    const int length = std::uniform_int_distribution<int>(0, 24)(random);
    for (int i = 0; i < length; ++i) {
        if (random() % 8 == 0)
            line += static_cast<char>(random() % 256);
        else
            line += pieces[random() % pieces.size()];
    }
    return line;
}

TEST(RandomSentences, EveryFormHoldsItsInvariants)
{
    constexpr std::int32_t forms[] = {1, 2, 4, 8, 16, 0, -1};
    constexpr char separators[] = {'.', ',', '\xB7'};
    std::mt19937 random(20101105);
    for (char separator : separators) {
        parser_invariants::CheckedParser parser(separator);
        for (int i = 0; i < 300000; ++i) {
            const std::string line = randomLine(random);
            const std::int32_t form = forms[random() % std::size(forms)];
            const auto fields = static_cast<std::int32_t>(random());
            const std::string failure = parser.check(line, form, fields, random() % 2 == 0);
            ASSERT_EQ(failure, "") << "line \"" << line << "\" form " << form << " fields " << fields;
        }
    }
}

// The reader's quick path for short decimals must round exactly like the full conversion.
TEST(RandomSentences, DecimalsReadAsTheStandardConversionReadsThem)
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
        ASSERT_EQ(parser_invariants::checkNumber(text, ','), "");
        if (text.find('e') == std::string::npos) {
            ASSERT_TRUE(numbers::ReadNumber(text, {','})) << text;
        }
    }
}

} // namespace
