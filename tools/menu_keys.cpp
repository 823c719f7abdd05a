#include "tools/menu_keys.h"

#include "tools/module_settings.h"

#include <cmath>
#include <cstdlib>

namespace compass_sim {

namespace {

constexpr double Wide = 32767;

const ValueKey Keys[] = {
    {'B', ValueTarget::DumpSetting, "BAUD_RATE", 0, 6, false, true},
    {'R', ValueTarget::DumpSetting, "OUTPUT_RATE", -50, 40, false, true},
    {'X', ValueTarget::DumpSetting, "DISPLAY_FIELDS", 0, 8191, false, true},
    {'S', ValueTarget::DumpSetting, "SET-RESET_RATE", 5, 4000, false, true},
    {'N', ValueTarget::DumpSetting, "DEVIATION", -1800, 1800, true, false},
    {'Q', ValueTarget::DumpSetting, "DECLINATION", -1800, 1800, true, false},
    {'A', ValueTarget::DumpSetting, "AVERAGING", 1, Wide, false, true},
    {'M', ValueTarget::DumpSetting, "MAX_PSI", 0, Wide, false, true},
    {'D', ValueTarget::DumpSetting, "AD_UPDATE_RATE", 1, 6, false, true},
    {'$', ValueTarget::DumpSetting, "SOFTIRONCORRECTION", 0, 2, false, true},
    {'*', ValueTarget::DumpSetting, "OUTPUT_FORMAT", 1, 16, false, true},
    {'a', ValueTarget::AccelerometerRange, "", 0, 1, false, true},
    {'E', ValueTarget::DumpSetting, "HW_MOUNTING_POS", 1, 6, false, true},
    {'@', ValueTarget::QuietMode, "", 0, 1, false, true},
    {'+', ValueTarget::DumpSetting, "TEMP_OFFSET", -100, 100, false, false},
    {'e', ValueTarget::DumpSetting, "EULER", 1, 4, false, true},
    {'l', ValueTarget::DumpSetting, "LIFESKIP", 0, 20, false, true},
    {'%', ValueTarget::EscapeCode, "", 0, 255, false, true},
    {']', ValueTarget::CalibrationDays, "", 0, 100000, false, true},
};

bool isOutputFormat(double v)
{
    return v == 1 || v == 2 || v == 4 || v == 8 || v == 16;
}

} // namespace

const ValueKey *findValueKey(char key)
{
    for (const ValueKey &k : Keys)
        if (k.key == key)
            return &k;
    return nullptr;
}

std::optional<std::string> acceptValue(const ValueKey &key, std::string_view typed)
{
    const std::string text(typed);
    char *end = nullptr;
    const double raw = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(raw))
        return std::nullopt;
    if (raw < key.min || raw > key.max)
        return std::nullopt;
    if (key.key == '*' && !isOutputFormat(raw))
        return std::nullopt;
    if (key.whole)
        return std::to_string(std::lround(raw));
    return formatDecimal(key.tenths ? raw / 10.0 : raw, 4);
}

} // namespace compass_sim
