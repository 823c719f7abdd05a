#include "settings_panel/number_text.h"

#include "settings_panel/menu_protocol.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace settings_panel {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The number in the plain "C" form from_chars reads, or nothing when the text
// is not a number.
std::optional<std::string> canonical(std::string_view text, char decimalSeparator)
{
    text = trimmed(text);
    std::string out;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-')
            out += '-';
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            digits = true;
            out += c;
        } else if ((c == decimalSeparator || c == '.') && !point) {
            point = true;
            out += '.';
        } else {
            break;
        }
    }
    if (!digits)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            out += text[i++];
        const std::size_t exponentStart = i;
        for (; i < text.size() && isDigit(text[i]); ++i)
            out += text[i];
        if (i == exponentStart)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    return out;
}

template <typename Int>
std::optional<Int> readWhole(std::string_view text, char decimalSeparator)
{
    const auto number = ReadNumber(text, decimalSeparator);
    if (!number)
        return std::nullopt;
    const double rounded = RoundHalfEven(*number);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

bool equalsIgnoringCase(std::string_view text, std::string_view word)
{
    if (text.size() != word.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != word[i])
            return false;
    }
    return true;
}

} // namespace

std::optional<double> ReadNumber(std::string_view text, char decimalSeparator)
{
    const auto plain = canonical(text, decimalSeparator);
    if (!plain)
        return std::nullopt;
    double value = 0;
    const char *first = plain->data();
    const char *last = first + plain->size();
    const auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc() || result.ptr != last || !std::isfinite(value))
        return std::nullopt;
    return value;
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

std::optional<std::int16_t> ReadWhole16(std::string_view text, char decimalSeparator)
{
    return readWhole<std::int16_t>(text, decimalSeparator);
}

std::optional<std::int32_t> ReadWhole32(std::string_view text, char decimalSeparator)
{
    return readWhole<std::int32_t>(text, decimalSeparator);
}

std::optional<float> ReadSingle(std::string_view text, char decimalSeparator)
{
    const auto number = ReadNumber(text, decimalSeparator);
    if (!number || std::fabs(*number) > static_cast<double>(std::numeric_limits<float>::max()))
        return std::nullopt;
    return static_cast<float>(*number);
}

std::optional<bool> ReadBoolean(std::string_view text, char decimalSeparator)
{
    const std::string_view word = trimmed(text);
    if (equalsIgnoringCase(word, "true"))
        return true;
    if (equalsIgnoringCase(word, "false"))
        return false;
    const auto number = ReadNumber(text, decimalSeparator);
    if (!number)
        return std::nullopt;
    return *number != 0.0;
}

std::string FormatSingle(float value, char decimalSeparator)
{
    std::string text = MenuProtocol::DecimalValue(value);
    for (char &c : text)
        if (c == '.')
            c = decimalSeparator;
    return text;
}

} // namespace settings_panel
