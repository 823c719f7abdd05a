#pragma once
#include "protocol/setting_table.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The compass's escape-key menu: what is sent, how it is paced and how the
// compass answers. Everything that talks to the menu takes its characters from
// here and from the settings table (setting_table.h).
namespace protocol {

// Every command starts with ESC, whatever escape code the compass was given.
constexpr char Esc = 27;
constexpr char Cr = 13;
constexpr char Blank = ' ';
constexpr std::string_view CrLf = "\r\n";

// The menu keys the compass object and the terminal tools send; the panel's
// keys are in the settings table. They are case-sensitive.
namespace Key {
constexpr char DisplayFields = 'X';
constexpr char LevelCalibration = 'C';
constexpr char ZCalibration = 'Z';
constexpr char FactoryDefaults = 'F';
constexpr char TemperatureOffset = '+';
constexpr char PrintSettings = '&';
constexpr char EscapeCode = '%';
constexpr char Version = 'V';
// Toggles between the user and the factory settings space.
constexpr char FlashZone = '#';
constexpr char CalDateDays = ']';
constexpr char CalDateText = '}';
constexpr char SerialNumber = '[';
constexpr char HighTempLevelCal = '(';
constexpr char HighTemp90Cal = ')';
} // namespace Key

// Key "$" with this value starts the soft-iron calibration.
constexpr std::string_view SoftIronCalibrate = "2";
// The escape code the system restores with key "%".
constexpr std::string_view DefaultEscapeCode = "27";

// The settings panel paces by time alone: ESC, pause, key, pause, value.
namespace PanelPace {
constexpr std::int32_t AfterEsc = 500;
// Between a value and its CR, for the keys that want them apart.
constexpr std::int32_t BeforeCr = 500;
// After each soft-iron press, and before the re-read after "R" and "*".
constexpr std::int32_t SoftIronSettle = 200;
constexpr std::int32_t BeforeReread = 200;
} // namespace PanelPace

// The compass object waits for the compass's echoes and prompts, and retries.
namespace ObjectPace {
constexpr std::int32_t KeyAfterEsc = 250;
// How long the key's echo, the value prompt and any reply are awaited.
constexpr std::int32_t EchoWait = 200;
constexpr std::int32_t PromptWait = 200;
constexpr std::int32_t ReplyWait = 200;
// Before the key goes out again.
constexpr std::int32_t RetryPause = 100;
constexpr std::int32_t ValueAfterEcho = 90;
// Between the characters of a fixed-form value, and of free text.
constexpr std::int32_t FixedFormChar = 10;
constexpr std::int32_t FreeTextChar = 200;
constexpr std::int32_t AfterBlank = 510;
constexpr std::int32_t VersionBeforeBlank = 150;
} // namespace ObjectPace

// The settings read: ESC, pause, "&", the dump time, a blank.
namespace DumpPace {
constexpr std::int32_t AfterEsc = 50;
constexpr std::int32_t BeforeKey = 300;
constexpr std::int32_t DumpTime = 500;
// The "Compass Data" window waits a little longer for the full list.
constexpr std::int32_t WindowBeforeKey = 400;
constexpr std::int32_t WindowDumpTime = 600;
} // namespace DumpPace

// The escape-code search: a pause before the first candidate and the wait for
// each candidate's prompt; then, to set the code back to 27, the found code,
// "%" and the value, each with its pause before or after.
namespace EscapePace {
constexpr std::int32_t BeforeSearch = 100;
constexpr std::int32_t PromptWait = 100;
constexpr std::int32_t BeforeCode = 50;
constexpr std::int32_t AfterCode = 50;
constexpr std::int32_t AfterKey = 250;
constexpr std::int32_t AfterValue = 20;
} // namespace EscapePace

// --- values ---

// Whole numbers: plain decimal, a "-" for negatives, no plus sign or padding.
std::string WholeValue(std::int64_t value);
// Degrees in tenths: the degrees times 10, so 12.5 gives "125" and 12.34 gives "123.4".
std::string TenthsValue(float degrees);
// Key "[": nine digits with leading zeros; longer numbers keep every digit.
// Nothing for a negative number.
std::optional<std::string> SerialNumberValue(std::int64_t serial);
// Key "}": "05 Nov 10", the month abbreviation in the user's language, one byte
// per character (characters outside Latin-1 go out as "?").
std::string CalDateTextValue(int day, const QString &monthAbbreviation, int year);

// --- replies ---

constexpr std::string_view KeyPrompt = "CMD:";
constexpr std::string_view ValuePrompt = "Value and Enter, or Esc ";
constexpr std::string_view FactoryNotice = "FACTORY ";
constexpr std::string_view CalibrationProgress = "Bridge offset";

// The line without its trailing CR and LF characters.
std::string_view WithoutTerminator(std::string_view line);
// The text shows the menu prompt anywhere (the escape search looks for it).
bool ContainsKeyPrompt(std::string_view text);
// "CMD:" followed by exactly `key`: the compass took the key.
bool IsKeyEcho(std::string_view line, char key);
// What the compass echoed after the value prompt; nothing when the line is not
// a value echo (the prompt alone is not one).
std::optional<std::string_view> ValueEcho(std::string_view line);
bool IsFactoryNotice(std::string_view line);
bool IsCalibrationProgress(std::string_view line);

// A member is missing when the line did not have it.
struct VersionLine {
    std::optional<std::string> Model;
    std::optional<std::string> FirmwareVersion;
    std::optional<std::string> SerialNumber;
};
// "XY-100 V2.6, SN#123": the model before the first blank, the version after the
// first " V" behind it up to a blank or comma (none when neither follows), the
// serial after "SN#" up to a blank, a comma or the end of the line.
VersionLine ReadVersionLine(std::string_view line);

// One line of the settings dump: a name, "=" and a value.
struct DumpLine {
    // Trimmed and upper-cased.
    std::string Name;
    // Trimmed.
    std::string Value;
};
// Nothing unless the line (terminator removed) has exactly one "=".
std::optional<DumpLine> SplitDumpLine(std::string_view line);

} // namespace protocol
