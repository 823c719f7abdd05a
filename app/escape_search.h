#pragma once
#include "platform/platform.h"

#include <QCoreApplication>
#include <cstdint>
#include <optional>

namespace protocol { class LinkSupervisor; class MenuExchangeGate; }

namespace app {

class ReceivePath;
class TerminalFrame;

// The "ID <esc>" tool: finds the escape code the compass answers to, trying
// every code from 0 up until its menu prompt comes back, and offers to set
// it back to 27. It holds the menu for as long as it runs.
class EscapeSearch {
    Q_DECLARE_TR_FUNCTIONS(EscapeSearch)
public:
    EscapeSearch(platform::Platform &platform, platform::SerialPort &com, ReceivePath &receive,
                 const protocol::LinkSupervisor &link, protocol::MenuExchangeGate &gate, TerminalFrame &terminal);

    // Refused with a warning while the port is closed, the compass silent or
    // another command on the line.
    void run();

private:
    // The code that brought the prompt; nothing when none did.
    std::optional<std::int16_t> find();
    // Asks, unless the code is 27 already, and on Yes sets it back.
    void offerDefault(std::int16_t escCode);
    void warn(const QString &text);

    platform::Platform &m_platform;
    platform::SerialPort &m_com;
    ReceivePath &m_receive;
    const protocol::LinkSupervisor &m_link;
    protocol::MenuExchangeGate &m_gate;
    TerminalFrame &m_terminal;
};

} // namespace app
