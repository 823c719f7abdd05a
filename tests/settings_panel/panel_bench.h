#pragma once
#include "menu_compass.h"
#include "platform/sim/sim_platform.h"
#include "protocol/console_state.h"
#include "protocol/menu_exchange_gate.h"
#include "settings_panel/compass_data_window.h"
#include "settings_panel/compass_settings_panel.h"
#include "settings_panel/settings_host.h"
#include "settings_panel/settings_panel_controller.h"

#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace panel_test {

using Cmd = settings_panel::CompassSettingsPanel;
using platform::sim::VirtualMs;
inline const std::string ESC = "\x1b";

// A wait of `ms` ends once more than `ms` have passed: on the simulated clock,
// one millisecond later.
constexpr VirtualMs After(int ms) { return static_cast<VirtualMs>(ms) + 1; }

// One write on the wire and the time since the write before it.
struct Sent {
    VirtualMs gap;
    std::string bytes;
    bool operator==(const Sent &) const = default;
};
inline std::ostream &operator<<(std::ostream &out, const Sent &s)
{
    return out << "{+" << s.gap << " " << ::testing::PrintToString(s.bytes) << "}";
}

// The main window as the panel sees it: its port on COM2, the alive timer, a
// terminal and the modal windows it was asked to show.
class TestHost : public settings_panel::SettingsHost {
public:
    explicit TestHost(platform::sim::SimPlatform &sim) : m_sim(sim)
    {
        sim.ports.addDevice(2);
        m_port = sim.ports.createPort();
        m_port->setPortNumber(2);
        m_port->open();
        m_checkAlive = sim.pump.createTimer();
        m_checkAlive->setInterval(500);
        m_checkAlive->setEnabled(true);
    }

    platform::Platform &platform() override { return m_sim.platform; }
    platform::SerialPort &port() override { return *m_port; }
    platform::Timer &checkAliveTimer() override { return *m_checkAlive; }
    void updateFormat16Notice() override { ++format16Updates; }
    void clearShiftMode(protocol::MenuExchange &) override
    {
        // The factory switch answers inside the panel's exchange.
        if (std::exchange(shiftModeChecked, false))
            m_port->write("#");
    }
    void appendTerminal(const std::string &) override {}
    void runModal(QDialog &dialog) override
    {
        if (auto *data = qobject_cast<settings_panel::CompassDataWindow *>(&dialog))
            shownWindows.push_back(data->txtData()->toPlainText());
        else if (onModal)
            onModal(dialog);
    }
    platform::sim::SimSerialPort &sim() { return static_cast<platform::sim::SimSerialPort &>(*m_port); }

    // Acts on a window other than "Compass Data" while it is shown.
    std::function<void(QDialog &)> onModal;
    int format16Updates = 0;
    bool shiftModeChecked = false;
    std::vector<QString> shownWindows;

private:
    platform::sim::SimPlatform &m_sim;
    std::unique_ptr<platform::SerialPort> m_port;
    std::unique_ptr<platform::Timer> m_checkAlive;
};

// The panel in a window with its controller, on the simulated machine, with a
// compass that answers the menu at the far end of the port.
class PanelBench : public ::testing::Test {
protected:
    PanelBench() : sim(dir.path()), host(sim), board(sim, host.sim()), gate(sim.pump), controller(host, state, gate, *panel)
    {
        window.setLayout(new QVBoxLayout);
        window.layout()->addWidget(panel);
        controller.FillDefaults();
        host.port().setReceiveHandler([this] { receive(); });
    }

    // Every write since the last clear, each with its gap to the one before
    // (the first with its time since `since`).
    std::vector<Sent> sent(VirtualMs since)
    {
        std::vector<Sent> out;
        for (const auto &chunk : host.sim().written()) {
            out.push_back({chunk.at - since, chunk.bytes});
            since = chunk.at;
        }
        return out;
    }
    // Presses `cmdSet(index)` and lets the whole command run.
    std::vector<Sent> press(int index)
    {
        host.sim().clearWritten();
        const VirtualMs start = sim.now();
        controller.commands().Press(index);
        return sent(start);
    }
    // A settings read; the compass prints `dump` (lines joined by CR LF) after "&".
    void read(const std::string &dump, bool refresh = true)
    {
        board.replies['&'] = {dump};
        controller.RequestSettings(refresh);
    }

    QTemporaryDir dir;
    platform::sim::SimPlatform sim;
    TestHost host;
    MenuCompass board;
    protocol::ConsoleState state;
    protocol::MenuExchangeGate gate;
    QWidget window;
    Cmd *panel = new Cmd(&window);
    settings_panel::SettingsPanelController controller;
    std::vector<std::string> dataLines;

private:
    // What the main window's receive path does with each line.
    void receive()
    {
        m_line += host.port().readAll();
        for (auto lf = m_line.find('\n'); lf != std::string::npos; lf = m_line.find('\n')) {
            const std::string line = m_line.substr(0, lf + 1);
            m_line.erase(0, lf + 1);
            if (state.DumpInProgress) {
                controller.ParseSettingsLine(line);
            } else if ((line[0] == '$' || std::isdigit(static_cast<unsigned char>(line[0]))) &&
                       !state.MenuCommandActive) {
                dataLines.push_back(line);
                if (!state.SettingsKnown)
                    controller.RequestSettings(true);
            } else if (state.CaptureReply) {
                state.CapturedReply += line;
            }
        }
    }
    std::string m_line;
};

} // namespace panel_test
