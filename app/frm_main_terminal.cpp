// The main window's terminal tools: escape-code search and factory space.
#include "app/frm_main.h"

#include "app/terminal_frame.h"
#include "config/cls_config.h"
#include "controls/busy_pointer.h"
#include "device/cls_compass.h"
#include "device/factory_space_compass.h"
#include "device/wait_until.h"
#include "platform/wait.h"
#include "protocol/menu_exchange_gate.h"
#include "protocol/menu_protocol.h"
#include "wizard/ht_cal_launcher.h"

#include <QCheckBox>

namespace app {

namespace {

constexpr std::int32_t PromptSeen = -1;
constexpr std::int32_t PromptAwaited = -2;
const QColor FactorySpaceColour(255, 255, 192);
const QColor UserSpaceColour(255, 255, 255);

QString compassBusyText()
{
    return frmMain::tr("Another command is talking to the compass. Try again when it has finished.");
}

} // namespace

void frmMain::cmdIDEsc_Click()
{
    auto warn = [this](const QString &text) { m_platform.messages.show(text, platform::MessageIcon::Exclamation); };
    if (!m_com->isOpen()) {
        warn(tr("Please open the serial port first and check the compass is connected to the computer"));
        return;
    }
    if (m_link->silenceReachedLimit()) {
        warn(tr("Compass seems not to be connected, please check connections"));
        return;
    }
    auto exchange = m_gate->tryBegin();
    if (!exchange) {
        warn(compassBusyText());
        return;
    }
    controls::BusyPointer busy;
    ReceivePath &rx = *m_receive;
    std::int16_t escCode = -1;
    rx.CmdPromptSeen = PromptAwaited;
    platform::Wait(m_platform, 100);
    // A port lost on the way (adapter pulled) ends the search: nothing can answer.
    while (escCode < 255 && rx.CmdPromptSeen != PromptSeen && m_com->isOpen()) {
        rx.EscSearchActive = true;
        rx.CmdPromptSeen = PromptAwaited;
        ++escCode;
        m_com->write(std::string(1, static_cast<char>(escCode)));
        device::WaitUntil(m_platform, [&rx] { return rx.CmdPromptSeen != PromptAwaited; }, 100);
        appendTerminal("Searching for ESC command (current value: " + std::to_string(escCode) + ")\r\n");
    }
    rx.EscSearchActive = false;
    EscCode = escCode;

    if (rx.CmdPromptSeen != PromptSeen) {
        warn(tr("ESC Command was not found, please check if the compass is connected to the computer"));
        return;
    }
    m_com->write(std::string_view(&protocol::Esc, 1));
    if (escCode == 27) {
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
    platform::Wait(m_platform, 50);
    m_com->write(std::string(1, static_cast<char>(escCode)));
    platform::Wait(m_platform, 50);
    m_com->write(std::string_view(&protocol::Key::EscapeCode, 1));
    platform::Wait(m_platform, 250);
    m_com->write(std::string(protocol::DefaultEscapeCode) + protocol::Cr);
    platform::Wait(m_platform, 20);
}

void frmMain::clearShiftMode(protocol::MenuExchange &running)
{
    // The switch back belongs to the panel command that is ending.
    m_shiftModeExchange = &running;
    m_terminal->chkShiftMode()->setChecked(false);
    m_shiftModeExchange = nullptr;
}

void frmMain::chkShiftMode_Click()
{
    QCheckBox *box = m_terminal->chkShiftMode();
    std::optional<protocol::MenuExchange> own;
    if (!m_shiftModeExchange) {
        own = m_gate->tryBegin();
        if (!own || (m_gCompass && m_gCompass->CommandRunning())) {
            const QSignalBlocker keep(box);
            box->setChecked(!box->isChecked());
            m_platform.messages.show(compassBusyText(), platform::MessageIcon::Exclamation);
            return;
        }
    }
    controls::BusyPointer busy;
    m_state.CompassOwnsPort = true;
    m_gCompass = std::make_unique<device::clsCompass>(m_platform);
    device::StartInFactorySpace(*m_gCompass, *m_com, storedSerialSettings(), m_platform.messages);
    QPalette palette = m_frCS->palette();
    if (box->isChecked()) {
        palette.setColor(QPalette::Window, FactorySpaceColour);
    } else {
        m_gCompass->CmdSwitchFlashZone();
        palette.setColor(QPalette::Window, UserSpaceColour);
    }
    m_frCS->setPalette(palette);
    m_state.CompassOwnsPort = false;
    // The compass object reopened the port, or could not.
    setPortButtons(m_com->isOpen());
}

device::SerialLineSettings frmMain::storedSerialSettings()
{
    device::SerialLineSettings line;
    line.ComPort = m_config->SerialPort().toStdString();
    line.ComBaud = m_config->SerialBauds().toStdString();
    line.ComDataBits = m_config->SerialDataBits().toStdString();
    line.ComParity = m_config->SerialParity().toStdString();
    line.ComStopBits = m_config->SerialStopBits().toStdString();
    return line;
}

float frmMain::refAngleThreshold()
{
    return m_config->RefAngleThreshold();
}

device::clsCompass &frmMain::replaceCompass(std::unique_ptr<device::clsCompass> compass)
{
    m_gCompass = std::move(compass);
    return *m_gCompass;
}

void frmMain::cmdHighTemp_Click()
{
    // The wizard talks to the compass for as long as it is open.
    auto exchange = m_gate->tryBegin();
    if (!exchange) {
        m_platform.messages.show(compassBusyText(), platform::MessageIcon::Exclamation);
        return;
    }
    m_link->tmrCheckAlive().setInterval(0);
    DialogResult = wizard::RunHighTempCalibration(*this, this);
    m_link->tmrCheckAlive().setInterval(protocol::LinkSupervisor::CheckIntervalAfterPause);
    setPortButtons(m_com->isOpen());
}

} // namespace app
