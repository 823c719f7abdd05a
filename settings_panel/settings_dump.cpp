#include "settings_panel/settings_dump.h"

#include "numbers/number_reader.h"
#include "protocol/menu_protocol.h"

#include <array>
#include <cctype>
#include <variant>

namespace settings_panel {

namespace {

using S = protocol::CompassSettings;
using Field = std::variant<std::string S::*, std::int32_t S::*, std::int16_t S::*, float S::*, bool S::*>;

struct DumpKey {
    std::string_view name;
    Field field;
};

// Whole-number fields round half to even into their width; floats are read as
// single floats; text is kept as received.
const std::array<DumpKey, KnownDumpKeyCount> &dumpKeys()
{
    static const std::array<DumpKey, KnownDumpKeyCount> keys = {{
        {"FW_VERSION", &S::FirmwareVersion},
        {"FW_DATE", &S::FirmwareDate},
        {"SERIAL_NUMBER", &S::SerialNumber},
        {"OUTPUT_FORMAT", &S::OutputFormat},
        {"DISPLAY_FIELDS", &S::DisplayFields},
        {"SET-RESET_RATE", &S::SetResetRate},
        {"DEVIATION", &S::Deviation},
        {"DECLINATION", &S::Declination},
        {"SOFTIRONCORRECTION", &S::SoftIronCorrection},
        {"BAUD_RATE", &S::BaudRate},
        {"OUTPUT_RATE", &S::OutputRate},
        {"MAX_PSI", &S::MaxPressure},
        {"AVERAGING", &S::Averaging},
        {"AD_UPDATE_RATE", &S::AdUpdateRate},
        {"HW_MOUNTING_POS", &S::MountingPosition},
        {"TEMP_OFFSET", &S::TemperatureOffset},
        {"TEST_DATE", &S::TestDate},
        {"DEPTH_OFFSET", &S::DepthOffset},
        {"LIFESKIP", &S::SkipReadings},
        {"EULER", &S::EulerMath},
        {"ACC_X_SCALE", &S::AccScaleX},
        {"ACC_Y_SCALE", &S::AccScaleY},
        {"ACC_Z_SCALE", &S::AccScaleZ},
        {"ACC_X_OFFSET", &S::AccOffsetX},
        {"ACC_Y_OFFSET", &S::AccOffsetY},
        {"ACC_Z_OFFSET", &S::AccOffsetZ},
        {"MAG_X_SCALE", &S::MagScaleX},
        {"MAG_Y_SCALE", &S::MagScaleY},
        {"MAG_Z_SCALE", &S::MagScaleZ},
        {"TEMPERATURE_CAL", &S::TemperatureCal},
        {"MAG_X_OFFSET", &S::MagOffsetX},
        {"MAG_X_SCALE_HT", &S::MagScaleHtX},
        {"MAG_X_OFFSET_FACTOR", &S::MagOffsetFactorX},
        {"MAG_Y_OFFSET", &S::MagOffsetY},
        {"MAG_Y_SCALE_HT", &S::MagScaleHtY},
        {"MAG_Y_OFFSET_FACTOR", &S::MagOffsetFactorY},
        {"MAG_Z_OFFSET", &S::MagOffsetZ},
        {"MAG_Z_SCALE_HT", &S::MagScaleHtZ},
        {"MAG_Z_OFFSET_FACTOR", &S::MagOffsetFactorZ},
        {"MAG_X_BRIDGE_OFFSET", &S::MagBridgeOffsetX},
        {"MAG_Y_BRIDGE_OFFSET", &S::MagBridgeOffsetY},
        {"MAG_Z_BRIDGE_OFFSET", &S::MagBridgeOffsetZ},
        {"TOTAL_GAUSS", &S::TotalGauss},
        {"KFILTER", &S::KFilter},
        {"A", &S::CoefA},
        {"B", &S::CoefB},
        {"C", &S::CoefC},
        {"E", &S::CoefE},
        {"GYR_PITCH_QGYRO", &S::GyroPitchQGyro},
        {"GYR_PITCH_QANGLE", &S::GyroPitchQAngle},
        {"GYR_PITCH_RANGLE", &S::GyroPitchRAngle},
        {"GYR_ROLL_QGYRO", &S::GyroRollQGyro},
        {"GYR_ROLL_QANGLE", &S::GyroRollQAngle},
        {"GYR_ROLL_RANGLE", &S::GyroRollRAngle},
        {"GYR_X_OFFSET", &S::GyroOffsetX},
        {"GYR_Y_OFFSET", &S::GyroOffsetY},
        {"GYR_Z_OFFSET", &S::GyroOffsetZ},
    }};
    return keys;
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

// 0 is false, any other number true; the words True and False in any case.
std::optional<bool> readBoolean(std::string_view text, numbers::NumberRules rules)
{
    const auto first = text.find_first_not_of(" \t");
    const std::string_view word = first == std::string_view::npos
                                      ? std::string_view()
                                      : text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (equalsIgnoringCase(word, "true"))
        return true;
    if (equalsIgnoringCase(word, "false"))
        return false;
    const auto number = numbers::ReadNumber(text, rules);
    if (!number)
        return std::nullopt;
    return *number != 0.0;
}

struct Store {
    S &settings;
    const std::string &value;
    numbers::NumberRules rules;

    void operator()(std::string S::*field) const { settings.*field = value; }
    void operator()(std::int32_t S::*field) const { assign(field, numbers::ReadWhole<std::int32_t>(value, rules)); }
    void operator()(std::int16_t S::*field) const { assign(field, numbers::ReadWhole<std::int16_t>(value, rules)); }
    void operator()(float S::*field) const { assign(field, numbers::ReadSingle(value, rules)); }
    void operator()(bool S::*field) const { assign(field, readBoolean(value, rules)); }

    template <typename T>
    void assign(T S::*field, const std::optional<T> &converted) const
    {
        if (converted)
            settings.*field = *converted;
    }
};

} // namespace

void ParseSettingsLine(protocol::ConsoleState &state, std::string_view line, char decimalSeparator)
{
    const auto parts = protocol::SplitDumpLine(line);
    if (!parts)
        return;
    state.DumpReceived = true;
    for (const DumpKey &key : dumpKeys()) {
        if (key.name != parts->Name)
            continue;
        if (key.name == "KFILTER")
            state.Settings.KFilterPresent = true;
        std::visit(Store{state.Settings, parts->Value, {decimalSeparator}}, key.field);
        return;
    }
}

} // namespace settings_panel
