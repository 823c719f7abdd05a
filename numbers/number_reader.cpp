#include "numbers/number_reader.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>

namespace numbers {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

struct Scan {
    // Characters of the number at the start of the text, 0 when it is not one.
    std::size_t length = 0;
    // The point is a character other than ".".
    bool foreignPoint = false;
    bool exponent = false;
    std::size_t digits = 0;
    int fractionDigits = 0;
    // The digits as an integer, while they fit.
    std::uint64_t mantissa = 0;
};

// The unsigned number at the start of `text`: digits with at most one point
// (`point` or, when `dotToo`, "."), then an exponent when `exponent` allows one.
Scan scanNumber(std::string_view text, NumberRules rules, bool exponent)
{
    Scan scan;
    std::size_t i = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            if (++scan.digits <= 19)
                scan.mantissa = scan.mantissa * 10 + static_cast<unsigned>(c - '0');
            if (point)
                ++scan.fractionDigits;
        } else if (!point && (c == rules.separator || (c == '.' && rules.dotToo))) {
            point = true;
            scan.foreignPoint = c != '.';
        } else {
            break;
        }
    }
    if (scan.digits == 0)
        return scan;
    if (exponent && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        scan.exponent = true;
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        for (; i < text.size() && isDigit(text[i]); ++i)
            ++exponentDigits;
        if (exponentDigits == 0)
            return scan;
    }
    scan.length = i;
    return scan;
}

// Exact for what a compass sends: an integer below 2^53 divided by a power of
// ten that a double holds exactly gives the correctly rounded result.
std::optional<double> quickValue(const Scan &scan)
{
    static constexpr double powersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr std::uint64_t exactIntegers = std::uint64_t(1) << 53;
    if (scan.exponent || scan.digits > 19 || scan.mantissa > exactIntegers || scan.fractionDigits > 22)
        return std::nullopt;
    return static_cast<double>(scan.mantissa) / powersOfTen[scan.fractionDigits];
}

// The conversion knows "." only; values are short, so a stack copy nearly always fits.
std::errc convert(std::string_view number, char point, double &value)
{
    std::array<char, 64> buffer;
    std::string longCopy;
    char *copy = buffer.data();
    if (number.size() > buffer.size()) {
        longCopy.resize(number.size());
        copy = longCopy.data();
    }
    for (std::size_t i = 0; i < number.size(); ++i)
        copy[i] = number[i] == point ? '.' : number[i];
    const auto [end, error] = std::from_chars(copy, copy + number.size(), value);
    return end == copy + number.size() ? error : std::errc::invalid_argument;
}

// The sign at the start of `text`, removed.
bool takeSign(std::string_view &text)
{
    if (text.empty() || (text.front() != '+' && text.front() != '-'))
        return false;
    const bool negative = text.front() == '-';
    text.remove_prefix(1);
    return negative;
}

} // namespace

std::optional<double> ReadNumber(std::string_view text, NumberRules rules)
{
    std::string_view number = trimmed(text);
    const bool negative = takeSign(number);
    const Scan scan = scanNumber(number, rules, true);
    if (scan.length == 0 || scan.length != number.size())
        return std::nullopt;

    std::optional<double> value = quickValue(scan);
    if (!value) {
        double converted = 0;
        if (convert(number, scan.foreignPoint ? rules.separator : '.', converted) != std::errc())
            return std::nullopt;
        value = converted;
    }
    return negative ? -*value : *value;
}

double RoundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction < 0.5)
        return floor;
    if (fraction > 0.5)
        return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

double LeadingNumber(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    const bool negative = takeSign(text);
    const Scan scan = scanNumber(text, NumberRules{}, false);
    double value = 0;
    if (scan.length > 0) {
        if (const auto quick = quickValue(scan))
            value = *quick;
        else if (convert(text.substr(0, scan.length), '.', value) == std::errc::result_out_of_range)
            value = std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

} // namespace numbers
