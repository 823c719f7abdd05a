#include "device/cls_automation.h"

namespace device {

clsAutomation::clsAutomation(platform::Platform &platform) : m_platform(platform)
{
    ComPort = "12";
}

bool clsAutomation::StartAutomation()
{
    return m_port && OpenWithSettings(m_platform, *m_port, *this);
}

void clsAutomation::StopAutomation()
{
    if (m_port && m_port->isOpen())
        m_port->close();
}

void clsAutomation::OnCom()
{
    if (m_port)
        m_port->readAll();
}

} // namespace device
