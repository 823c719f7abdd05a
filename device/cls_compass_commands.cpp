#include "device/cls_compass.h"

#include "device/command_values.h"
#include "device/wait_until.h"
#include "platform/wait.h"
#include "settings_panel/menu_protocol.h"

#include <QLocale>

namespace device {

namespace MP = settings_panel::MenuProtocol;

namespace {
constexpr char ESC = 27;
constexpr char CR = 13;

// Menu timing.
constexpr int KeyAfterEscMs = 250;
constexpr int EchoWaitMs = 200;
constexpr int RetryPauseMs = 100;
constexpr int ValueAfterEchoMs = 90;
constexpr int PromptWaitMs = 200;
constexpr int TextCharMs = 10;
constexpr int ReplyWaitMs = 200;
constexpr int CustomCharMs = 200;
constexpr int AfterSpaceMs = 510;
constexpr int VersionBeforeSpaceMs = 150;

// The item numbers of the abbreviated month names, January first.
constexpr int AbbreviatedMonthName1 = 0x44;
} // namespace

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

bool clsCompass::SendCmd(const std::string &key)
{
    m_keyAcknowledged = false;
    if (!m_port)
        return false;
    for (int attempt = 0; attempt < CmdTries; ++attempt) {
        m_lastKeySent = key;
        m_keyAcknowledged = false;
        if (!Send(std::string(1, ESC))) {
            m_lastKeySent.clear();
            return false;
        }
        platform::Wait(m_platform, KeyAfterEscMs);
        if (!Send(key)) {
            m_lastKeySent.clear();
            return false;
        }
        if (WaitUntil(m_platform, [this] { return m_keyAcknowledged; }, EchoWaitMs))
            break;
        platform::Wait(m_platform, RetryPauseMs);
    }
    m_lastKeySent.clear();
    return m_keyAcknowledged;
}

bool clsCompass::SendValueCmd(const std::string &key, const std::string &value)
{
    if (!SendCmd(key))
        return false;
    m_lastKeySent.clear();
    platform::Wait(m_platform, ValueAfterEchoMs);
    m_promptValue.clear();
    m_valuePromptSeen = false;
    if (!Send(value + CR))
        return false;
    // A data sentence clears the echo: the compass left its menu.
    WaitUntil(m_platform, [this] { return m_valuePromptSeen || !m_keyEchoed; }, PromptWaitMs);
    return m_valuePromptSeen && m_promptValue == value;
}

bool clsCompass::SendTextCmd(const std::string &key, const std::string &text)
{
    if (!SendCmd(key))
        return false;
    m_lastKeySent.clear();
    for (char c : text) {
        if (!Send(std::string(1, c)))
            return false;
        platform::Wait(m_platform, TextCharMs);
    }
    return WaitReply() != Reply::None;
}

// Waits for a reply to what was sent last, which may have come already: the
// compass can answer a key in the same chunk as its echo.
clsCompass::Reply clsCompass::WaitReply()
{
    WaitUntil(m_platform, [this] { return !m_lastReplyLine.empty() || !m_keyEchoed; }, ReplyWaitMs);
    if (!m_lastReplyLine.empty())
        return Reply::Line;
    return m_keyEchoed ? Reply::None : Reply::DataSentence;
}

bool clsCompass::SendSpace()
{
    if (!Send(" "))
        return false;
    platform::Wait(m_platform, AfterSpaceMs);
    m_skipToLineEnd = false;
    return true;
}

bool clsCompass::ShowVersion()
{
    if (!SendCmd("V"))
        return false;
    platform::Wait(m_platform, VersionBeforeSpaceMs);
    SendSpace();
    return WaitReply() != Reply::None;
}

bool clsCompass::SetFactoryZone()
{
    m_mode = 0;
    for (int send = 0; send < 2; ++send) {
        if (!SendCmd("#"))
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
    const QString name = m_platform.locale.localeText(AbbreviatedMonthName1 + month - 1);
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
    return RunExchange([this] { return SendCmd("#"); });
}

bool clsCompass::CmdShowFields(std::int16_t newVal)
{
    return RunExchange([this, newVal] { return SendValueCmd("X", std::to_string(newVal)); });
}

bool clsCompass::CmdSaveCalDate()
{
    return RunExchange([this] {
        return SendValueCmd("]", CalDateDaysValue(m_platform.clock.now().date()));
    });
}

bool clsCompass::CmdSaveCalDateStr()
{
    return RunExchange([this] {
        const QDate today = m_platform.clock.now().date();
        return SendTextCmd("}", MP::CalDateTextValue(today.day(), MonthAbbreviation(today.month()), today.year()));
    });
}

bool clsCompass::CmdSaveSN(std::int32_t theSN)
{
    const auto digits = MP::SerialNumberValue(theSN);
    if (!digits)
        return false;
    return RunExchange([this, &digits] { return SendTextCmd("[", *digits); });
}

bool clsCompass::CmdShowVersion()
{
    return RunExchange([this] { return ShowVersion(); });
}

bool clsCompass::CmdStartLevelCalibration()
{
    return RunExchange([this] { return SendCmd("C"); });
}

bool clsCompass::CmdStart90DegreeCal()
{
    return RunExchange([this] { return SendCmd("Z"); });
}

bool clsCompass::CmdSetTempOffset(float theOffset)
{
    return RunExchange([this, theOffset] { return SendValueCmd("+", TempOffsetValue(theOffset)); });
}

bool clsCompass::CmdStartHighTempLevelCal()
{
    return RunExchange([this] { return SendCmd("("); });
}

bool clsCompass::CmdStartHighTemp90DegreeCal()
{
    return RunExchange([this] { return SendCmd(")"); });
}

bool clsCompass::CmdRestoreDefaults()
{
    return RunExchange([this] { return SendCmd("F"); });
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
            platform::Wait(m_platform, CustomCharMs);
        }
        return true;
    });
}

bool clsCompass::CmdSpace()
{
    return RunExchange([this] { return SendSpace(); });
}

} // namespace device
