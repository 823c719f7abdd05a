#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace device {

// The texts with which the compass answers its escape-key menu.
namespace MenuText {
constexpr std::string_view KeyPrompt = "CMD:";
constexpr std::string_view ValuePrompt = "Value and Enter, or Esc ";
constexpr std::string_view FactoryNotice = "FACTORY ";
constexpr std::string_view CalibrationProgress = "Bridge offset";
} // namespace MenuText

// "CMD:" and exactly the key: the compass took it.
bool IsKeyEcho(std::string_view line, std::string_view key);

// The value after the value prompt when it reads as a number in the user's
// format (blanks around it, a sign, `decimalSeparator`, an exponent);
// nothing for any other line.
std::optional<std::string> ValuePromptValue(std::string_view line, char decimalSeparator);

// What a version line says; a missing member was not in the line.
struct VersionLine {
    std::optional<std::string> PartNumber;
    std::optional<std::string> FirmwareVersion;
    std::optional<std::string> SN;
};

// "XY-100 V3.2, SN#0012345": the model before the first blank, the version
// after " V" up to a blank or comma (none when neither follows), the serial
// after "SN#" up to a blank, a comma or the end.
VersionLine ReadVersionLine(std::string_view line);

} // namespace device
