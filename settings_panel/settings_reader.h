#pragma once
#include "protocol/console_state.h"
#include "protocol/menu_exchange_gate.h"
#include "settings_panel/settings_host.h"

#include <QCoreApplication>
#include <functional>
#include <string>

class QWidget;

namespace settings_panel {

// Reads the compass's settings dump ("&") into the record, and shows it in the
// "Compass Data" window.
class SettingsReader {
    Q_DECLARE_TR_FUNCTIONS(SettingsReader)
public:
    SettingsReader(SettingsHost &host, protocol::ConsoleState &state, protocol::MenuExchangeGate &gate,
                   QWidget &windowAnchor, std::function<void()> refreshPanel);

    // From the poll timer and after a data sentence. While another exchange has
    // the menu the read waits for its end; it is dropped then if a read finished
    // meanwhile (only the panel refresh it asked for is still done).
    void RequestSettings(bool refreshPanel);
    // The read as part of an exchange the caller holds (the re-read after "R" and "*").
    void RequestSettings(protocol::MenuExchange &running, bool refreshPanel);
    // One line of the dump, as the receive path hands it on while DumpInProgress.
    void ParseSettingsLine(const std::string &line);
    // "Show Compass Data": a fresh dump, then the window, modally.
    void ShowCompassData();

private:
    void deferRequest(bool refreshPanel);
    void runDeferredRequest();
    void startRead();
    // Ends a dump read; false when the port went away during it.
    bool finishRead();
    char decimalSeparator() const;

    SettingsHost &m_host;
    protocol::ConsoleState &m_state;
    protocol::MenuExchangeGate &m_gate;
    QWidget &m_windowAnchor;
    std::function<void()> m_refreshPanel;

    int m_readsDone = 0;
    int m_refreshesDone = 0;
    bool m_requestDeferred = false;
    bool m_deferredRefresh = false;
    int m_readsAtDeferral = 0;
    int m_refreshesAtDeferral = 0;
    bool m_showDeferred = false;
};

} // namespace settings_panel
