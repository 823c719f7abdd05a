#include "device/cls_compass.h"

#include "device/tagged_sentence.h"
#include "platform/port_failure.h"

#include <QCoreApplication>

namespace device {

clsCompass::clsCompass(platform::Platform &platform) : m_platform(platform)
{
    ComPort = "1";
}

void clsCompass::SetCom(platform::SerialPort &ComObj)
{
    m_port = &ComObj;
}

bool clsCompass::StartCompass()
{
    if (!m_port)
        return false;
    m_lines.clear();
    m_skipToLineEnd = false;
    m_lfAfterSkip = false;
    if (!OpenWithSettings(m_platform, *m_port, *this)) {
        m_status = LinkStatus::NotUsed;
        // A ComPort that is no number never reached the port, whose failure would be an old one.
        m_openFailure = platform::ComPortNumber(ComPort) ? platform::PortFailureDetail(*m_port) : QString();
        return false;
    }
    m_openFailure.clear();
    m_lastActivity = m_platform.clock.tickCount();
    m_status = LinkStatus::Listening;
    return true;
}

void clsCompass::StopCompass()
{
    if (m_port && m_port->isOpen())
        m_port->close();
    m_status = LinkStatus::NotUsed;
}

std::int32_t clsCompass::Status()
{
    CheckTimeout();
    return m_status;
}

QString clsCompass::StatusStr()
{
    CheckTimeout();
    switch (m_status) {
    case LinkStatus::NotUsed: return QCoreApplication::translate("device::clsCompass", "Not Used");
    case LinkStatus::Listening: return QCoreApplication::translate("device::clsCompass", "Listening");
    case LinkStatus::Timeout: return QCoreApplication::translate("device::clsCompass", "Timeout");
    case LinkStatus::Alive: return QCoreApplication::translate("device::clsCompass", "Alive");
    default: return {};
    }
}

void clsCompass::CheckTimeout()
{
    if (m_status == LinkStatus::NotUsed)
        return;
    if (platform::ticksSince(m_platform.clock.tickCount(), m_lastActivity) > AliveTimeoutMs) {
        m_status = LinkStatus::Timeout;
        // Whatever answers next may be another compass: ask it again.
        m_firmwareVersion.clear();
        m_sn.clear();
        m_partNumber.clear();
    }
}

void clsCompass::MarkAlive()
{
    m_status = LinkStatus::Alive;
    m_lastActivity = m_platform.clock.tickCount();
}

std::string clsCompass::FirmwareVersion()
{
    if (m_firmwareVersion.empty())
        CmdShowVersion();
    return m_firmwareVersion;
}

std::string clsCompass::SN()
{
    if (m_firmwareVersion.empty())
        CmdShowVersion();
    return m_sn.empty() ? std::string("ND") : m_sn;
}

std::string clsCompass::PartNumber()
{
    if (m_firmwareVersion.empty())
        CmdShowVersion();
    return m_partNumber.empty() ? std::string("ND") : m_partNumber;
}

std::string clsCompass::InputBuffer()
{
    std::string out;
    out.swap(m_raw);
    return out;
}

void clsCompass::KeepRaw(const std::string &text)
{
    m_raw += text;
    if (m_raw.size() > RawBufferLimit)
        m_raw.erase(0, m_raw.size() - RawBufferKeep);
}

void clsCompass::OnCom()
{
    if (!m_port)
        return;
    const int event = m_port->commEvent();
    std::string text = m_port->readAll();
    if (event != platform::SerialPort::EventReceive)
        return;
    if (HoldsBuffer)
        KeepRaw(text);

    if (m_lfAfterSkip) {
        m_lfAfterSkip = false;
        if (!text.empty() && text.front() == '\n')
            text.erase(0, 1);
    }
    if (m_skipToLineEnd) {
        // Calibration progress: alive, but no lines; the chunk with the CR
        // that ends it goes too, and so does that CR's LF in the next one.
        MarkAlive();
        m_lines.clear();
        if (text.find('\r') != std::string::npos) {
            m_skipToLineEnd = false;
            m_lfAfterSkip = text.back() == '\r';
        }
        return;
    }

    m_lines.append(text);
    // A handler below may wait and so run OnCom again; each pass takes the
    // oldest line left, so lines stay in order.
    while (auto line = m_lines.takeLine())
        ProcessLine(*line);
    m_lines.trim();
}

void clsCompass::ProcessLine(const std::string &line)
{
    if (line.empty())
        return;
    MarkAlive();
    m_skipToLineEnd = false;
    if (line.rfind("$C", 0) == 0) {
        m_versionExpected = false;
        m_calibrationAcknowledged = false;
        m_keyEchoed = false;
        ParseDataSentence(line);
        return;
    }
    ProcessReply(line);
}

void clsCompass::ParseDataSentence(const std::string &line)
{
    if (!ReadTaggedSentence(line, m_reading))
        return;
    // A copy: the handler may replace itself.
    if (auto handler = NewData)
        handler();
}

} // namespace device
