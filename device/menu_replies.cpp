#include "device/menu_replies.h"

#include "settings_panel/menu_protocol.h"

namespace device {

namespace {

std::string_view trimmedBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Digits with at most one separator, at least one digit; returns the index
// after them, or npos when there is no digit.
std::size_t skipMantissa(std::string_view text, std::size_t i, char separator)
{
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i]))
            digits = true;
        else if (text[i] == separator && !point)
            point = true;
        else
            break;
    }
    return digits ? i : std::string_view::npos;
}

bool isNumberText(std::string_view text, char separator)
{
    text = trimmedBlanks(text);
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    i = skipMantissa(text, i, separator);
    if (i == std::string_view::npos)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            ++i;
        const std::size_t exponent = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        if (i == exponent)
            return false;
    }
    return i == text.size();
}

} // namespace

std::optional<std::string> ValuePromptValue(std::string_view line, char decimalSeparator)
{
    const auto value = settings_panel::MenuProtocol::ValueEcho(line);
    if (!value || !isNumberText(*value, decimalSeparator))
        return std::nullopt;
    return std::string(*value);
}

} // namespace device
