// The main window's terminal tools: factory space and the high-temperature calibration.
#include "app/frm_main.h"

#include "app/compass_busy.h"
#include "app/terminal_frame.h"
#include "config/cls_config.h"
#include "controls/busy_pointer.h"
#include "device/cls_compass.h"
#include "device/factory_space_compass.h"
#include "protocol/menu_exchange_gate.h"
#include "wizard/ht_cal_launcher.h"

#include <QCheckBox>

namespace app {

namespace {

const QColor FactorySpaceColour(255, 255, 192);
const QColor UserSpaceColour(255, 255, 255);

} // namespace

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
            m_platform.messages.show(CompassBusyText(), platform::MessageIcon::Exclamation);
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
        m_platform.messages.show(CompassBusyText(), platform::MessageIcon::Exclamation);
        return;
    }
    m_link->tmrCheckAlive().setInterval(0);
    DialogResult = wizard::RunHighTempCalibration(*this, this);
    m_link->tmrCheckAlive().setInterval(protocol::LinkSupervisor::CheckIntervalAfterPause);
    setPortButtons(m_com->isOpen());
}

} // namespace app
