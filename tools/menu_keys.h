#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace compass_sim {

// Where a value key's value goes once it is accepted.
enum class ValueTarget {
    DumpSetting,        // the dump setting named in `setting`
    AccelerometerRange,
    QuietMode,
    CalibrationDays,
    EscapeCode,
};

// A menu key that takes a value ended by CR.
struct ValueKey {
    char key;
    ValueTarget target;
    const char *setting;  // dump name for DumpSetting, else empty
    double min, max;
    bool tenths;          // the value comes in tenths and is kept in units
    bool whole;           // the setting holds a whole number
};

// The value key for `key`, if it is one.
const ValueKey *findValueKey(char key);

// The value text as the setting keeps it, or nothing when the module
// refuses it (not a number, out of range, or not one of the output formats).
std::optional<std::string> acceptValue(const ValueKey &key, std::string_view typed);

// The two keys whose value has a fixed length and no terminator.
constexpr bool isFixedTextKey(char key) { return key == '[' || key == '}'; }
constexpr std::size_t FixedTextLength = 9;

// Keys that start a calibration reported with "Bridge offset" lines.
constexpr bool isBridgeCalibrationKey(char key) { return key == 'C' || key == 'Z' || key == '(' || key == ')'; }

} // namespace compass_sim
