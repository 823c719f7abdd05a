#include "tools/module_settings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <utility>

namespace compass_sim {

namespace {

// Name and firmware default, in the order the dump prints them. The magnetic
// offsets match the board's own hard iron (see SensorModel), so a fresh
// module reads clean vectors.
const std::vector<std::pair<std::string, std::string>> &defaults()
{
    static const std::vector<std::pair<std::string, std::string>> all = {
        {"FW_VERSION", "2.6"}, {"FW_DATE", "Nov 05 2010"}, {"SERIAL_NUMBER", "000012345"},
        {"OUTPUT_FORMAT", "1"}, {"DISPLAY_FIELDS", "15"}, {"SET-RESET_RATE", "20"}, {"DEVIATION", "0.0"},
        {"DECLINATION", "0.0"}, {"SOFTIRONCORRECTION", "0"}, {"BAUD_RATE", "3"}, {"OUTPUT_RATE", "10"},
        {"MAX_PSI", "100"}, {"AVERAGING", "5"}, {"AD_UPDATE_RATE", "3"}, {"HW_MOUNTING_POS", "1"},
        {"TEMP_OFFSET", "0.0"}, {"TEST_DATE", "15 Jan 26"}, {"DEPTH_OFFSET", "0.0"}, {"LIFESKIP", "8"},
        {"EULER", "4"}, {"ACC_X_SCALE", "1.002"}, {"ACC_Y_SCALE", "0.998"}, {"ACC_Z_SCALE", "1.001"},
        {"ACC_X_OFFSET", "0.004"}, {"ACC_Y_OFFSET", "-0.003"}, {"ACC_Z_OFFSET", "0.01"},
        {"MAG_X_SCALE", "1.0"}, {"MAG_Y_SCALE", "1.0"}, {"MAG_Z_SCALE", "1.0"}, {"TEMPERATURE_CAL", "25.0"},
        {"MAG_X_OFFSET", "12.5"}, {"MAG_X_SCALE_HT", "1.0"}, {"MAG_X_OFFSET_FACTOR", "0.0"},
        {"MAG_Y_OFFSET", "-8.25"}, {"MAG_Y_SCALE_HT", "1.0"}, {"MAG_Y_OFFSET_FACTOR", "0.0"},
        {"MAG_Z_OFFSET", "3.0"}, {"MAG_Z_SCALE_HT", "1.0"}, {"MAG_Z_OFFSET_FACTOR", "0.0"},
        {"MAG_X_BRIDGE_OFFSET", "101"}, {"MAG_Y_BRIDGE_OFFSET", "-97"}, {"MAG_Z_BRIDGE_OFFSET", "12"},
        {"TOTAL_GAUSS", "0.52"}, {"KFILTER", "0.25"}, {"A", "1.0"}, {"B", "0.0"}, {"C", "0.0"}, {"E", "1.0"},
        {"GYR_PITCH_QGYRO", "0.003"}, {"GYR_PITCH_QANGLE", "0.001"}, {"GYR_PITCH_RANGLE", "0.03"},
        {"GYR_ROLL_QGYRO", "0.003"}, {"GYR_ROLL_QANGLE", "0.001"}, {"GYR_ROLL_RANGLE", "0.03"},
        {"GYR_X_OFFSET", "0.0"}, {"GYR_Y_OFFSET", "0.0"}, {"GYR_Z_OFFSET", "0.0"},
    };
    return all;
}

} // namespace

std::string formatDecimal(double value, int decimals)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    std::string text = buf;
    if (text == "-0" || text.rfind("-0.", 0) == 0) {
        // "-0.00" is zero: print it without the sign.
        if (std::strtod(text.c_str(), nullptr) == 0.0)
            text.erase(0, 1);
    }
    const auto dot = text.find('.');
    if (dot == std::string::npos)
        return text + ".0";
    while (text.size() > dot + 2 && text.back() == '0')
        text.pop_back();
    return text;
}

ModuleSettings::ModuleSettings()
{
    for (const auto &entry : defaults())
        m_values.push_back(entry.second);
}

const std::vector<std::string> &ModuleSettings::dumpNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const auto &entry : defaults())
            all.push_back(entry.first);
        return all;
    }();
    return names;
}

std::size_t ModuleSettings::indexOf(std::string_view name) const
{
    const auto &names = dumpNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name)
            return i;
    throw std::invalid_argument("\"" + std::string(name) + "\" is not a setting of the module's dump.");
}

const std::string &ModuleSettings::get(std::string_view name) const
{
    return m_values[indexOf(name)];
}

void ModuleSettings::set(std::string_view name, std::string value)
{
    m_values[indexOf(name)] = std::move(value);
}

int ModuleSettings::integer(std::string_view name) const
{
    return static_cast<int>(std::lround(number(name)));
}

double ModuleSettings::number(std::string_view name) const
{
    return std::strtod(get(name).c_str(), nullptr);
}

void ModuleSettings::setNumber(std::string_view name, double value)
{
    set(name, formatDecimal(value, 4));
}

std::string ModuleSettings::dump(bool withGyroFilter) const
{
    std::string out;
    const auto &names = dumpNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!withGyroFilter && names[i] == "KFILTER")
            continue;
        out += names[i] + "=" + m_values[i] + "\r\n";
    }
    return out;
}

} // namespace compass_sim
