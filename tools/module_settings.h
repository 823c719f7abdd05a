#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace compass_sim {

// One settings space of the module (it has a user space and a factory space).
// Dump settings are kept as the text the dump prints; a few settings the
// module never prints are kept beside them.
class ModuleSettings {
public:
    // The firmware's defaults.
    ModuleSettings();

    // Every name the "&" dump prints, in its order.
    static const std::vector<std::string> &dumpNames();

    // Throws std::invalid_argument for a name that is not a dump name.
    const std::string &get(std::string_view name) const;
    void set(std::string_view name, std::string value);
    int integer(std::string_view name) const;
    double number(std::string_view name) const;
    void setNumber(std::string_view name, double value);

    // The dump lines, name=value with CR LF; KFILTER only when a gyro is fitted.
    std::string dump(bool withGyroFilter) const;

    // Not in the dump.
    int accelerometerRange = 0;
    bool quietMode = false;
    int calibrationDays = 0;
    double pitchTrim = 0;
    double rollTrim = 0;

private:
    std::size_t indexOf(std::string_view name) const;
    std::vector<std::string> m_values;
};

// A number as the module prints it: at most `decimals` decimals, trailing
// zeros dropped, but always one decimal ("12.5", "0.0", "1.25").
std::string formatDecimal(double value, int decimals);

} // namespace compass_sim
