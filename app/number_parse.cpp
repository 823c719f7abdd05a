#include "app/number_parse.h"

#include <array>
#include <charconv>
#include <string>
#include <system_error>

namespace app {

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

// Length of the number at the start of `text` (without sign), 0 when it is not one.
// Sets `foreignPoint` when the point is the user's separator rather than ".".
std::size_t numberLength(std::string_view text, char decimalSeparator, bool &foreignPoint)
{
    std::size_t i = 0;
    std::size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            ++digits;
        } else if (!point && (c == '.' || c == decimalSeparator)) {
            point = true;
            foreignPoint = c != '.';
        } else {
            break;
        }
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        for (; i < text.size() && isDigit(text[i]); ++i)
            ++exponentDigits;
        if (exponentDigits == 0)
            return 0;
    }
    return i;
}

std::optional<double> convert(std::string_view number)
{
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<double> ParseSentenceNumber(std::string_view text, char decimalSeparator)
{
    std::string_view number = trimmed(text);
    bool negative = false;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    bool foreignPoint = false;
    if (number.empty() || numberLength(number, decimalSeparator, foreignPoint) != number.size())
        return std::nullopt;

    std::optional<double> value;
    if (!foreignPoint) {
        value = convert(number);
    } else {
        // The conversion knows "." only; values are short, so a stack copy nearly always fits.
        std::array<char, 64> buffer;
        std::string longCopy;
        char *copy = buffer.data();
        if (number.size() > buffer.size()) {
            longCopy.resize(number.size());
            copy = longCopy.data();
        }
        for (std::size_t i = 0; i < number.size(); ++i)
            copy[i] = number[i] == decimalSeparator ? '.' : number[i];
        value = convert(std::string_view(copy, number.size()));
    }
    if (value && negative)
        *value = -*value;
    return value;
}

} // namespace app
