#include "settings_panel/panel_refresh.h"

#include "protocol/link_supervisor.h"
#include "settings_panel/panel_inputs.h"
#include "settings_panel/record_text.h"

#include <algorithm>

namespace settings_panel {

namespace {

int lastRefreshStep()
{
    int last = 0;
    for (const protocol::Setting &setting : protocol::Settings())
        last = std::max(last, setting.refreshStep);
    return last;
}

} // namespace

bool RefreshSettingsPanel(CompassSettingsPanel &panel, protocol::ConsoleState &state, SettingsHost &host,
                          const std::function<void(bool)> &setNullGyroAvailable)
{
    const protocol::CompassSettings &s = state.Settings;
    const char separator = host.platform().separators.numberByte();
    for (int step = 1; step <= lastRefreshStep(); ++step) {
        if (step == protocol::RefreshNoticesStep) {
            setNullGyroAvailable(!state.DumpReceived || s.KFilterPresent);
            host.updateFormat16Notice();
            state.AliveTimeout = protocol::LinkSupervisor::silenceLimitForRate(s.OutputRate);
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
