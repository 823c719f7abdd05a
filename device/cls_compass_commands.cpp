#include "device/cls_compass.h"

#include "device/command_values.h"
#include "device/wait_until.h"
#include "platform/wait.h"
#include "protocol/menu_protocol.h"

#include <QLocale>

namespace device {

namespace Key = protocol::Key;
namespace Pace = protocol::ObjectPace;

// The guard that keeps one exchange at a time: replies of two interleaved
// commands would be indistinguishable.
template <typename Exchange> bool clsCompass::RunExchange(Exchange exchange)
{
    if (m_commandRunning)
        return false;
    struct Running {
        bool &flag;
        explicit Running(bool &f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(m_commandRunning);
    return exchange();
}

bool clsCompass::PortOpen() const
{
    return m_port && m_port->isOpen();
}

bool clsCompass::Send(std::string_view text)
{
    if (!PortOpen())
        return false;
    // A reply answers what was sent last: lines that came before it do not count.
    m_lastReplyLine.clear();
    m_port->write(text);
    return true;
}

bool clsCompass::SendCmd(char key)
{
    m_keyAcknowledged = false;
    if (!m_port)
        return false;
    for (int attempt = 0; attempt < CmdTries; ++attempt) {
        m_lastKeySent = std::string(1, key);
        m_keyAcknowledged = false;
        if (!Send(std::string_view(&protocol::Esc, 1))) {
            m_lastKeySent.clear();
            return false;
        }
        platform::Wait(m_platform, Pace::KeyAfterEsc);
        if (!Send(std::string_view(&key, 1))) {
            m_lastKeySent.clear();
            return false;
        }
        if (WaitUntil(m_platform, [this] { return m_keyAcknowledged; }, Pace::EchoWait))
            break;
        platform::Wait(m_platform, Pace::RetryPause);
    }
    m_lastKeySent.clear();
    return m_keyAcknowledged;
}

bool clsCompass::SendValueCmd(char key, const std::string &value)
{
    if (!SendCmd(key))
        return false;
    m_lastKeySent.clear();
    platform::Wait(m_platform, Pace::ValueAfterEcho);
    m_promptValue.clear();
    m_valuePromptSeen = false;
    if (!Send(value + protocol::Cr))
        return false;
    // A data sentence clears the echo: the compass left its menu.
    WaitUntil(m_platform, [this] { return m_valuePromptSeen || !m_keyEchoed; }, Pace::PromptWait);
    return m_valuePromptSeen && m_promptValue == value;
}

bool clsCompass::SendTextCmd(char key, const std::string &text)
{
    if (!SendCmd(key))
        return false;
    m_lastKeySent.clear();
    for (char c : text) {
        if (!Send(std::string(1, c)))
            return false;
        platform::Wait(m_platform, Pace::FixedFormChar);
    }
    return WaitReply() != Reply::None;
}

// Waits for a reply to what was sent last, which may have come already: the
// compass can answer a key in the same chunk as its echo.
clsCompass::Reply clsCompass::WaitReply()
{
    WaitUntil(m_platform, [this] { return !m_lastReplyLine.empty() || !m_keyEchoed; }, Pace::ReplyWait);
    if (!m_lastReplyLine.empty())
        return Reply::Line;
    return m_keyEchoed ? Reply::None : Reply::DataSentence;
}

bool clsCompass::SendSpace()
{
    if (!Send(std::string_view(&protocol::Blank, 1)))
        return false;
    platform::Wait(m_platform, Pace::AfterBlank);
    m_skipToLineEnd = false;
    return true;
}

bool clsCompass::ShowVersion()
{
    if (!SendCmd(Key::Version))
        return false;
    platform::Wait(m_platform, Pace::VersionBeforeBlank);
    SendSpace();
    return WaitReply() != Reply::None;
}

bool clsCompass::SetFactoryZone()
{
    m_mode = 0;
    for (int send = 0; send < 2; ++send) {
        if (!SendCmd(Key::FlashZone))
            return false;
        if (WaitReply() == Reply::None)
            return false;
        if (m_mode == 2)
            return true;
    }
    return false;
}

QString clsCompass::MonthAbbreviation(int month) const
{
    const QString name = m_platform.locale.localeText(platform::Locale::FirstAbbreviatedMonth + month - 1);
    if (name.isEmpty() || name.front() == QChar(0))
        return QLocale::c().monthName(month, QLocale::ShortFormat);
    return name;
}

bool clsCompass::CmdSetFactoryZone()
{
    return RunExchange([this] { return SetFactoryZone(); });
}

bool clsCompass::CmdSwitchFlashZone()
{
    return RunExchange([this] { return SendCmd(Key::FlashZone); });
}

bool clsCompass::CmdShowFields(std::int16_t newVal)
{
    return RunExchange([this, newVal] { return SendValueCmd(Key::DisplayFields, std::to_string(newVal)); });
}

bool clsCompass::CmdSaveCalDate()
{
    return RunExchange([this] {
        return SendValueCmd(Key::CalDateDays, CalDateDaysValue(m_platform.clock.now().date()));
    });
}

bool clsCompass::CmdSaveCalDateStr()
{
    return RunExchange([this] {
        const QDate today = m_platform.clock.now().date();
        return SendTextCmd(Key::CalDateText,
                           protocol::CalDateTextValue(today.day(), MonthAbbreviation(today.month()), today.year()));
    });
}

bool clsCompass::CmdSaveSN(std::int32_t theSN)
{
    const auto digits = protocol::SerialNumberValue(theSN);
    if (!digits)
        return false;
    return RunExchange([this, &digits] { return SendTextCmd(Key::SerialNumber, *digits); });
}

bool clsCompass::CmdShowVersion()
{
    return RunExchange([this] { return ShowVersion(); });
}

bool clsCompass::CmdStartLevelCalibration()
{
    return RunExchange([this] { return SendCmd(Key::LevelCalibration); });
}

bool clsCompass::CmdStart90DegreeCal()
{
    return RunExchange([this] { return SendCmd(Key::ZCalibration); });
}

bool clsCompass::CmdSetTempOffset(float theOffset)
{
    return RunExchange([this, theOffset] { return SendValueCmd(Key::TemperatureOffset, TempOffsetValue(theOffset)); });
}

bool clsCompass::CmdStartHighTempLevelCal()
{
    return RunExchange([this] { return SendCmd(Key::HighTempLevelCal); });
}

bool clsCompass::CmdStartHighTemp90DegreeCal()
{
    return RunExchange([this] { return SendCmd(Key::HighTemp90Cal); });
}

bool clsCompass::CmdRestoreDefaults()
{
    return RunExchange([this] { return SendCmd(Key::FactoryDefaults); });
}

bool clsCompass::CmdCustomCommand(std::string &theCmd)
{
    if (!m_port)
        return false;
    return RunExchange([this, &theCmd] {
        theCmd = ExpandCustomCommand(theCmd);
        if (!PortOpen())
            return false;
        m_lastKeySent = theCmd;
        m_keyAcknowledged = false;
        for (char c : theCmd) {
            if (!Send(std::string(1, c)))
                return false;
            platform::Wait(m_platform, Pace::FreeTextChar);
        }
        return true;
    });
}

bool clsCompass::CmdSpace()
{
    return RunExchange([this] { return SendSpace(); });
}

} // namespace device
