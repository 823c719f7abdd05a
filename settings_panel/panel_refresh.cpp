#include "settings_panel/panel_refresh.h"

#include "settings_panel/panel_inputs.h"
#include "settings_panel/record_text.h"

#include <algorithm>
#include <cstdlib>

namespace settings_panel {

namespace {

constexpr std::int32_t DefaultAliveTimeout = 1800;
constexpr std::int32_t AliveTimeoutPerSecondPerSample = 1500;

int lastRefreshStep()
{
    int last = 0;
    for (const protocol::Setting &setting : protocol::Settings())
        last = std::max(last, setting.refreshStep);
    return last;
}

} // namespace

std::int32_t AliveTimeoutForRate(std::int16_t outputRate)
{
    if (outputRate < 0)
        return std::abs(static_cast<std::int32_t>(outputRate)) * AliveTimeoutPerSecondPerSample;
    return DefaultAliveTimeout;
}

bool RefreshSettingsPanel(CompassSettingsPanel &panel, protocol::ConsoleState &state, SettingsHost &host,
                          const std::function<void(bool)> &setNullGyroAvailable)
{
    const protocol::CompassSettings &s = state.Settings;
    const char separator = host.platform().separators.numberByte();
    for (int step = 1; step <= lastRefreshStep(); ++step) {
        if (step == protocol::RefreshNoticesStep) {
            setNullGyroAvailable(!state.DumpReceived || s.KFilterPresent);
            host.updateFormat16Notice();
            state.AliveTimeout = AliveTimeoutForRate(s.OutputRate);
        }
        for (const protocol::Setting &setting : protocol::Settings()) {
            if (setting.refreshStep != step)
                continue;
            const bool shown = ShowValue(panel, setting, RecordText(s, setting.member, separator), separator);
            if (!shown && step < protocol::RefreshNoticesStep)
                return false;
        }
    }
    return true;
}

void FillPanelDefaults(CompassSettingsPanel &panel)
{
    for (const protocol::Setting &setting : protocol::Settings())
        if (setting.initial)
            ShowValue(panel, setting, setting.initial, '.');
}

} // namespace settings_panel
