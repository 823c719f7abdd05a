#include "protocol/menu_protocol.h"

#include "numbers/number_text.h"

#include <cctype>
#include <cstdio>

namespace protocol {

namespace {

std::string_view trimmedBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// The text from `start` up to the first blank or comma; nothing when neither follows.
std::optional<std::string_view> upToBlankOrComma(std::string_view text, std::size_t start)
{
    const auto end = text.find_first_of(" ,", start);
    if (end == std::string_view::npos)
        return std::nullopt;
    return text.substr(start, end - start);
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

std::string WholeValue(std::int64_t value)
{
    return std::to_string(value);
}

std::string TenthsValue(float degrees)
{
    return numbers::FormatSingle(degrees * 10.0f);
}

std::optional<std::string> SerialNumberValue(std::int64_t serial)
{
    if (serial < 0)
        return std::nullopt;
    std::string digits = std::to_string(serial);
    if (digits.size() < 9)
        digits.insert(0, 9 - digits.size(), '0');
    return digits;
}

std::string CalDateTextValue(int day, const QString &monthAbbreviation, int year)
{
    char dayText[8];
    std::snprintf(dayText, sizeof dayText, "%02d", day % 100);
    char yearText[8];
    std::snprintf(yearText, sizeof yearText, "%02d", ((year % 100) + 100) % 100);
    std::string month;
    for (const QChar c : monthAbbreviation)
        month += c.unicode() < 256 ? static_cast<char>(c.unicode()) : '?';
    return std::string(dayText) + ' ' + month + ' ' + yearText;
}

std::string_view WithoutTerminator(std::string_view line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    return line;
}

bool ContainsKeyPrompt(std::string_view text)
{
    return text.find(KeyPrompt) != std::string_view::npos;
}

bool IsKeyEcho(std::string_view line, char key)
{
    return line.size() == KeyPrompt.size() + 1 && startsWith(line, KeyPrompt) && line.back() == key;
}

std::optional<std::string_view> ValueEcho(std::string_view line)
{
    if (line.size() <= ValuePrompt.size() || !startsWith(line, ValuePrompt))
        return std::nullopt;
    return line.substr(ValuePrompt.size());
}

bool IsFactoryNotice(std::string_view line)
{
    return line == FactoryNotice;
}

bool IsCalibrationProgress(std::string_view line)
{
    return line == CalibrationProgress;
}

VersionLine ReadVersionLine(std::string_view line)
{
    VersionLine out;
    line = trimmedBlanks(line);
    if (const auto blank = line.find(' '); blank != std::string_view::npos) {
        out.Model = std::string(line.substr(0, blank));
        if (const auto v = line.find(" V", blank); v != std::string_view::npos) {
            if (const auto version = upToBlankOrComma(line, v + 2))
                out.FirmwareVersion = std::string(*version);
        }
    }
    if (const auto sn = line.find("SN#"); sn != std::string_view::npos) {
        const auto start = sn + 3;
        out.SerialNumber = std::string(upToBlankOrComma(line, start).value_or(line.substr(start)));
    }
    return out;
}

std::optional<DumpLine> SplitDumpLine(std::string_view line)
{
    line = WithoutTerminator(line);
    const auto equals = line.find('=');
    if (equals == std::string_view::npos || line.find('=', equals + 1) != std::string_view::npos)
        return std::nullopt;
    DumpLine out;
    out.Name = std::string(trimmedBlanks(line.substr(0, equals)));
    for (char &c : out.Name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    out.Value = std::string(trimmedBlanks(line.substr(equals + 1)));
    return out;
}

} // namespace protocol
