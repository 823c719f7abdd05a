#pragma once
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
#include <memory>
#include <string>
#include <vector>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace panel_test {

// The key that opens the compass's menu.
inline const std::string ESC = "\x1b";

using platform::sim::VirtualMs;

// A wait of `ms` returns once more than `ms` have passed: on the simulated
// clock, which moves in whole milliseconds, that is one millisecond later.
constexpr VirtualMs After(int ms)
{
    return static_cast<VirtualMs>(ms) + 1;
}

// One write on the wire and the time since the write before it.
struct Sent {
    VirtualMs gap;
    std::string bytes;
    bool operator==(const Sent &) const = default;
};

inline std::ostream &operator<<(std::ostream &out, const Sent &s)
{
    out << "{+" << s.gap << " \"";
    for (char c : s.bytes) {
        if (c == 27)
            out << "<ESC>";
        else if (c == 13)
            out << "<CR>";
        else
            out << c;
    }
    return out << "\"}";
}

// The main window as the panel sees it: the simulated port and timers, and a
// receive path that routes dump lines to the parser and menu lines to the capture.
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
        ++shiftModeClears;
        if (shiftModeChecked) {
            shiftModeChecked = false;
            // The factory switch answers inside the panel's exchange.
            m_port->write("#");
        }
    }
    void appendTerminal(const std::string &text) override { terminal += text; }
    void runModal(QDialog &dialog) override
    {
        auto *window = dynamic_cast<settings_panel::CompassDataWindow *>(&dialog);
        ASSERT_NE(window, nullptr);
        shownWindows.push_back(window->txtData()->toPlainText());
    }

    platform::sim::SimSerialPort &sim() { return static_cast<platform::sim::SimSerialPort &>(*m_port); }

    int format16Updates = 0;
    int shiftModeClears = 0;
    bool shiftModeChecked = false;
    std::string terminal;
    std::vector<QString> shownWindows;

private:
    platform::sim::SimPlatform &m_sim;
    std::unique_ptr<platform::SerialPort> m_port;
    std::unique_ptr<platform::Timer> m_checkAlive;
};

// The panel in a window with its controller, on the simulated machine.
class PanelBench : public ::testing::Test {
protected:
    PanelBench()
        : sim(dir.path()), host(sim), gate(sim.pump), controller(host, state, gate, *panel)
    {
        window.setLayout(new QVBoxLayout);
        window.layout()->addWidget(panel);
        controller.FillDefaults();
        host.port().setReceiveHandler([this] { receive(); });
    }

    // Every write since the last clear, each with its gap to the one before
    // (the first with its time since `since`).
    std::vector<Sent> sent(VirtualMs since) const
    {
        std::vector<Sent> out;
        VirtualMs previous = since;
        for (const auto &chunk : const_cast<TestHost &>(host).sim().written()) {
            out.push_back({chunk.at - previous, chunk.bytes});
            previous = chunk.at;
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

    // The compass prints these lines (each gets CR LF) `afterMs` from now.
    void reply(const std::vector<std::string> &lines, VirtualMs afterMs)
    {
        std::string text;
        for (const auto &line : lines)
            text += line + "\r\n";
        host.sim().deliver(text, sim.now() + afterMs);
    }

    QTemporaryDir dir;
    platform::sim::SimPlatform sim;
    TestHost host;
    protocol::ConsoleState state;
    protocol::MenuExchangeGate gate;
    QWidget window;
    settings_panel::CompassSettingsPanel *panel = new settings_panel::CompassSettingsPanel(&window);
    settings_panel::SettingsPanelController controller;
    std::vector<std::string> dataLinesParsed;

private:
    // What the main window's receive path does with each line.
    void receive()
    {
        m_line += host.port().readAll();
        for (auto lf = m_line.find('\n'); lf != std::string::npos; lf = m_line.find('\n')) {
            std::string line = m_line.substr(0, lf + 1);
            m_line.erase(0, lf + 1);
            if (state.DumpInProgress) {
                controller.ParseSettingsLine(line);
                continue;
            }
            const bool data = (line[0] == '$' || std::isdigit(static_cast<unsigned char>(line[0]))) &&
                              !state.MenuCommandActive;
            if (data) {
                dataLinesParsed.push_back(line);
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
