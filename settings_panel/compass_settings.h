#pragma once
#include <cstdint>

namespace settings_panel {

// The compass's settings from its last dump.
struct CompassSettings {
    std::int32_t OutputFormat = 0;
    std::int32_t DisplayFields = 0;
};

} // namespace settings_panel
