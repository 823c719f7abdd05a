#include "app/escape_search.h"

#include "app/compass_busy.h"
#include "app/receive_path.h"
#include "app/terminal_frame.h"
#include "controls/busy_pointer.h"
#include "device/wait_until.h"
#include "platform/wait.h"
#include "protocol/link_supervisor.h"
#include "protocol/menu_exchange_gate.h"
#include "protocol/menu_protocol.h"

namespace app {

namespace Pace = protocol::EscapePace;

namespace {

constexpr std::int16_t LastCode = 255;

std::string byte(std::int16_t code)
{
    return std::string(1, static_cast<char>(code));
}

} // namespace

EscapeSearch::EscapeSearch(platform::Platform &platform, platform::SerialPort &com, ReceivePath &receive,
                           const protocol::LinkSupervisor &link, protocol::MenuExchangeGate &gate,
                           TerminalFrame &terminal)
    : m_platform(platform), m_com(com), m_receive(receive), m_link(link), m_gate(gate), m_terminal(terminal)
{
}

void EscapeSearch::run()
{
    if (!m_com.isOpen()) {
        warn(tr("Please open the serial port first and check the compass is connected to the computer"));
        return;
    }
    if (m_link.silenceReachedLimit()) {
        warn(tr("Compass seems not to be connected, please check connections"));
        return;
    }
    auto exchange = m_gate.tryBegin();
    if (!exchange) {
        warn(CompassBusyText());
        return;
    }
    controls::BusyPointer busy;
    const std::optional<std::int16_t> escCode = find();
    if (!escCode) {
        warn(tr("ESC Command was not found, please check if the compass is connected to the computer"));
        return;
    }
    m_com.write(std::string_view(&protocol::Esc, 1));
    offerDefault(*escCode);
}

std::optional<std::int16_t> EscapeSearch::find()
{
    std::int16_t escCode = -1;
    m_receive.awaitPrompt();
    platform::Wait(m_platform, Pace::BeforeSearch);
    // A port lost on the way (adapter pulled) ends the search: nothing can answer.
    while (escCode < LastCode && !m_receive.CmdPromptSeen() && m_com.isOpen()) {
        m_receive.setEscSearchActive(true);
        m_receive.awaitPrompt();
        ++escCode;
        m_com.write(byte(escCode));
        device::WaitUntil(m_platform, [this] { return m_receive.CmdPromptSeen(); }, Pace::PromptWait);
        m_terminal.append("Searching for ESC command (current value: " + std::to_string(escCode) + ")\r\n");
    }
    m_receive.setEscSearchActive(false);
    if (!m_receive.CmdPromptSeen())
        return std::nullopt;
    return escCode;
}

void EscapeSearch::offerDefault(std::int16_t escCode)
{
    // The default code is ESC itself.
    if (escCode == protocol::Esc) {
        m_platform.messages.show(tr("Current ESC command is the default value: <esc>=27 (0x1B)"),
                                 platform::MessageIcon::Information);
        return;
    }
    const QString question = tr("Current ESC command is %1 (0x%2) would you like to change back to default "
                                "<esc>=27 (0x1B)?")
                                 .arg(escCode)
                                 .arg(QString::number(escCode, 16).toUpper());
    if (m_platform.messages.show(question, platform::MessageIcon::Question, platform::MessageButtons::YesNo)
        != platform::MessageResult::Yes)
        return;
    platform::Wait(m_platform, Pace::BeforeCode);
    m_com.write(byte(escCode));
    platform::Wait(m_platform, Pace::AfterCode);
    m_com.write(std::string_view(&protocol::Key::EscapeCode, 1));
    platform::Wait(m_platform, Pace::AfterKey);
    m_com.write(std::string(protocol::DefaultEscapeCode) + protocol::Cr);
    platform::Wait(m_platform, Pace::AfterValue);
}

void EscapeSearch::warn(const QString &text)
{
    m_platform.messages.show(text, platform::MessageIcon::Exclamation);
}

} // namespace app
