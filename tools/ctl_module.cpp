#include "tools/ctl_module.h"

#include "platform/port_failure.h"
#include "platform/wait.h"
#include "protocol/menu_protocol.h"
#include "protocol/timed_commands.h"
#include "settings_panel/settings_dump.h"

#include <QStringList>

namespace compass_ctl {

namespace {

// The compass object's tries for a key: a second one when the first echo is lost.
constexpr std::int16_t KeyTries = 2;

// The tool reads the settings when it needs them, not after a sentence, and has no terminal.
app::ReceiveOutlets moduleOutlets(protocol::ConsoleState &state, device::clsCompass &compass, char numberSeparator)
{
    app::ReceiveOutlets out;
    out.dumpLine = [&state, numberSeparator](const std::string &line) {
        settings_panel::ParseSettingsLine(state, line, numberSeparator);
    };
    out.compassEvent = [&compass] { compass.OnCom(); };
    return out;
}

} // namespace

ModuleLine::ModuleLine(platform::Platform &platform, int comNumber, const std::string &line)
    : m_platform(platform), m_port(platform.ports.createPort()), m_compass(platform),
      m_parser(platform.separators.monetaryByte(), {*this, app::AllChartsInto(m_noChart), *this}),
      m_receive(platform.clock, m_state, m_parser, moduleOutlets(m_state, m_compass, numberSeparator()))
{
    // Settings are read when a command needs them.
    m_state.SettingsKnown = true;
    const QStringList items = QString::fromStdString(line).split(QLatin1Char(','));
    m_compass.ComPort = std::to_string(comNumber);
    m_compass.ComBaud = items.value(0).toStdString();
    m_compass.ComParity = items.value(1).toStdString();
    m_compass.ComDataBits = items.value(2).toStdString();
    m_compass.ComStopBits = items.value(3).toStdString();
    m_compass.CmdTries = KeyTries;
    m_compass.SetCom(*m_port);
    m_port->setReceiveHandler([this] { m_receive.OnComm(*m_port); });
    m_port->setLostHandler([this](const std::string &reason) { m_lostReason = reason; });
}

ModuleLine::~ModuleLine()
{
    m_port->setReceiveHandler({});
    m_port->setLostHandler({});
}

bool ModuleLine::open(QString &failure)
{
    if (m_compass.StartCompass())
        return true;
    // What to do is said in the command line's terms; the program's own advice names its dialogs.
    const QString reason = QString::fromStdString(m_port->errorString());
    switch (m_port->failure()) {
    case platform::SerialPort::Failure::NoDevice:
        failure = reason + QStringLiteral(" Plug the module in, or name its port with --port.");
        break;
    case platform::SerialPort::Failure::Settings:
        failure = reason + QStringLiteral(" Give other line settings with --line.");
        break;
    default: failure = platform::PortFailureDetail(*m_port); break;
    }
    return false;
}

bool ModuleLine::readSettings()
{
    protocol::SendDumpRequest(m_platform, *m_port, protocol::DumpPace::BeforeKey, protocol::DumpPace::DumpTime, [this] {
        m_state.DumpInProgress = true;
        m_state.DumpReceived = false;
        m_state.DumpNamesSeen.clear();
    });
    m_state.DumpInProgress = false;
    return m_state.DumpReceived && m_port->isOpen();
}

void ModuleLine::sendSetting(const protocol::Setting &setting, std::string_view value)
{
    protocol::SendSettingCommand(m_platform, *m_port, setting, value, [this] { m_state.MenuCommandActive = true; });
    m_state.MenuCommandActive = false;
}

std::optional<ModuleIdentity> ModuleLine::identity()
{
    // The compass object reads the port while it asks. Its command counts an
    // answer only when more follows the closing blank, as data sentences do;
    // a module in output format 16 has told its version all the same.
    m_state.CompassOwnsPort = true;
    ModuleIdentity identity{{}, m_compass.FirmwareVersion(), {}};
    identity.model = m_compass.PartNumber();
    identity.serialNumber = m_compass.SN();
    m_state.CompassOwnsPort = false;
    if (identity.firmwareVersion.empty())
        return std::nullopt;
    return identity;
}

void ModuleLine::listen(int ms, SentenceHandler sentence)
{
    m_onSentence = std::move(sentence);
    platform::Wait(m_platform, ms);
    m_onSentence = nullptr;
}

void ModuleLine::WriteLogLine(std::int32_t mask)
{
    ++m_sentences;
    if (m_onSentence)
        m_onSentence(m_reading, mask);
}

} // namespace compass_ctl
