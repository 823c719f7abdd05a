#include "settings_panel/settings_reader.h"

#include "controls/busy_pointer.h"
#include "protocol/menu_protocol.h"
#include "protocol/timed_commands.h"
#include "settings_panel/compass_data_window.h"
#include "settings_panel/settings_dump.h"

#include <optional>

namespace settings_panel {

namespace Pace = protocol::DumpPace;

SettingsReader::SettingsReader(SettingsHost &host, protocol::ConsoleState &state, protocol::MenuExchangeGate &gate,
                               QWidget &windowAnchor, std::function<void()> refreshPanel)
    : m_host(host), m_state(state), m_gate(gate), m_windowAnchor(windowAnchor),
      m_refreshPanel(std::move(refreshPanel))
{
}

void SettingsReader::RequestSettings(bool refreshPanel)
{
    auto exchange = m_gate.tryBegin();
    if (!exchange) {
        deferRequest(refreshPanel);
        return;
    }
    RequestSettings(*exchange, refreshPanel);
}

void SettingsReader::RequestSettings(protocol::MenuExchange &, bool refreshPanel)
{
    protocol::SendDumpRequest(m_host.platform(), m_host.port(), Pace::BeforeKey, Pace::DumpTime, [this] {
        startRead();
        m_state.Settings.KFilterPresent = false;
        m_state.Settings.OutputFormat = 0;
    });
    if (!finishRead())
        return;
    if (refreshPanel) {
        m_refreshPanel();
        ++m_refreshesDone;
    }
}

void SettingsReader::deferRequest(bool refreshPanel)
{
    m_deferredRefresh = m_deferredRefresh || refreshPanel;
    if (m_requestDeferred)
        return;
    m_requestDeferred = true;
    m_readsAtDeferral = m_readsDone;
    m_refreshesAtDeferral = m_refreshesDone;
    m_gate.whenFree([this] { runDeferredRequest(); });
}

void SettingsReader::runDeferredRequest()
{
    const bool refresh = m_deferredRefresh;
    m_requestDeferred = false;
    m_deferredRefresh = false;
    if (m_readsDone != m_readsAtDeferral) {
        // The record is fresh already.
        if (refresh && m_refreshesDone == m_refreshesAtDeferral) {
            m_refreshPanel();
            ++m_refreshesDone;
        }
        return;
    }
    if (!m_host.port().isOpen() || m_state.CompassOwnsPort)
        return;
    RequestSettings(refresh);
}

void SettingsReader::ParseSettingsLine(const std::string &line)
{
    settings_panel::ParseSettingsLine(m_state, line, decimalSeparator());
}

void SettingsReader::ShowCompassData()
{
    // A read under way clears DumpReceived for its length: ask once it is over.
    auto exchange = m_gate.tryBegin();
    if (!exchange) {
        if (!m_showDeferred) {
            m_showDeferred = true;
            m_gate.whenFree([this] {
                m_showDeferred = false;
                ShowCompassData();
            });
        }
        return;
    }
    if (!m_state.DumpReceived) {
        m_host.platform().messages.show(tr("Firmware version is v1.4 or older. This function is not implemented."),
                                        platform::MessageIcon::Information, platform::MessageButtons::Ok);
        return;
    }
    std::optional<controls::BusyPointer> busy(std::in_place);
    protocol::SendDumpRequest(m_host.platform(), m_host.port(), Pace::WindowBeforeKey, Pace::WindowDumpTime, [this] {
        m_state.SettingsKnown = false;
        startRead();
    });
    if (!finishRead())
        return;
    exchange->end();

    CompassDataWindow window(m_windowAnchor.window());
    window.setText(CompassDataText(m_state.Settings, decimalSeparator()));
    busy.reset();
    m_host.runModal(window);
}

void SettingsReader::startRead()
{
    m_state.DumpInProgress = true;
    m_state.DumpReceived = false;
    m_state.DumpNamesSeen.clear();
}

bool SettingsReader::finishRead()
{
    m_state.DumpInProgress = false;
    ++m_readsDone;
    // A port lost during the read leaves a cut dump, and the port's owner has
    // said so already: the settings are not known.
    m_state.SettingsKnown = m_host.port().isOpen();
    return m_state.SettingsKnown;
}

char SettingsReader::decimalSeparator() const
{
    return m_host.platform().separators.numberByte();
}

} // namespace settings_panel
