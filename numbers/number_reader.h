#pragma once
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

namespace numbers {

// What serves as the decimal point. The rest of a number is the same wherever
// one is read: blanks, tabs, CR and LF around it, an optional sign, digits with
// at most one point, an optional exponent ("1e3"). Grouping characters and
// anything else are refused.
struct NumberRules {
    // The user's decimal separator, as a byte of the text.
    char separator = '.';
    // "." serves as the point too: the compass always writes it. Off where the
    // text can only be the user's own (an echo of what was typed).
    bool dotToo = true;
};

// Nothing when the text is not one number by the rules, or lies beyond a double.
std::optional<double> ReadNumber(std::string_view text, NumberRules rules = {});

// Halves go to the even neighbour: 100.5 -> 100, 101.5 -> 102, -2.5 -> -2.
double RoundHalfEven(double value);

// `value` rounded half to even, when that fits Int.
template <typename Int> std::optional<Int> WholeOf(double value)
{
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<Int>::max())))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

// `value` as a single float, when it fits one.
inline std::optional<float> SingleOf(double value)
{
    if (!(std::fabs(value) <= static_cast<double>(std::numeric_limits<float>::max())))
        return std::nullopt;
    return static_cast<float>(value);
}

// A number read by the rules that fits Int after rounding (halves to even).
template <typename Int> std::optional<Int> ReadWhole(std::string_view text, NumberRules rules)
{
    const auto number = ReadNumber(text, rules);
    return number ? WholeOf<Int>(*number) : std::nullopt;
}

// A number read by the rules that fits a single float.
inline std::optional<float> ReadSingle(std::string_view text, NumberRules rules)
{
    const auto number = ReadNumber(text, rules);
    return number ? SingleOf(*number) : std::nullopt;
}

// The number at the start of the text, as the compass object reads a value:
// blanks skipped, a sign, digits with "." as the point, no exponent. What
// follows is ignored; text without a number gives 0, a value beyond a double
// gives infinity.
double LeadingNumber(std::string_view text);

} // namespace numbers
