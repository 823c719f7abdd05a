#include "device/menu_replies.h"

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

// The text from `start` up to the first blank or comma; nothing when neither follows.
std::optional<std::string_view> upToBlankOrComma(std::string_view text, std::size_t start)
{
    const auto end = text.find_first_of(" ,", start);
    if (end == std::string_view::npos)
        return std::nullopt;
    return text.substr(start, end - start);
}

} // namespace

bool IsKeyEcho(std::string_view line, std::string_view key)
{
    return key.size() == 1 && line.size() == MenuText::KeyPrompt.size() + 1 &&
           line.substr(0, MenuText::KeyPrompt.size()) == MenuText::KeyPrompt && line.back() == key.front();
}

std::optional<std::string> ValuePromptValue(std::string_view line, char decimalSeparator)
{
    const auto prompt = MenuText::ValuePrompt;
    if (line.size() <= prompt.size() || line.substr(0, prompt.size()) != prompt)
        return std::nullopt;
    const std::string_view value = line.substr(prompt.size());
    if (!isNumberText(value, decimalSeparator))
        return std::nullopt;
    return std::string(value);
}

VersionLine ReadVersionLine(std::string_view line)
{
    VersionLine out;
    line = trimmedBlanks(line);
    if (const auto blank = line.find(' '); blank != std::string_view::npos) {
        out.PartNumber = std::string(line.substr(0, blank));
        if (const auto v = line.find(" V", blank); v != std::string_view::npos) {
            if (const auto version = upToBlankOrComma(line, v + 2))
                out.FirmwareVersion = std::string(trimmedBlanks(*version));
        }
    }
    if (const auto sn = line.find("SN#"); sn != std::string_view::npos) {
        const auto start = sn + 3;
        out.SN = std::string(upToBlankOrComma(line, start).value_or(line.substr(start)));
    }
    return out;
}

} // namespace device
