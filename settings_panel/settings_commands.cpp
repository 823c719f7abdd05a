#include "settings_panel/settings_commands.h"

#include "controls/busy_pointer.h"
#include "numbers/number_reader.h"
#include "platform/wait.h"
#include "protocol/menu_protocol.h"
#include "protocol/timed_commands.h"
#include "settings_panel/panel_inputs.h"
#include "settings_panel/settings_reader.h"

#include <QAbstractButton>

#include <utility>

namespace settings_panel {

using enum CompassSettingsPanel::Command;
namespace PanelTiming = protocol::PanelPace;

namespace {

// The soft-iron button's caption while it waits for each heading.
const char *const SoftIronCaptions[] = {
    QT_TRANSLATE_NOOP("SettingsCommands", "Aim Mag North"), QT_TRANSLATE_NOOP("SettingsCommands", "Aim Mag East"),
    QT_TRANSLATE_NOOP("SettingsCommands", "Aim Mag South"), QT_TRANSLATE_NOOP("SettingsCommands", "Aim Mag West")};
constexpr std::int16_t SoftIronHeadings = 4;

} // namespace

SettingsCommands::SettingsCommands(SettingsHost &host, protocol::ConsoleState &state, protocol::MenuExchangeGate &gate,
                                   CompassSettingsPanel &panel, SettingsReader &reader)
    : m_host(host), m_state(state), m_gate(gate), m_panel(panel), m_reader(reader)
{
}

SettingsCommands::~SettingsCommands() = default;

QString SettingsCommands::PortClosedMessage()
{
    return tr(
        "The com port isn't open, to set this parameter you should first open the port and connect to the Orvex.");
}

void SettingsCommands::Press(int index)
{
    if (index < 0 || index >= CompassSettingsPanel::CommandCount)
        return;
    if (!m_host.port().isOpen()) {
        showExclamation(PortClosedMessage());
        return;
    }
    if (m_deferredPress)
        return;
    if (calibrationRunning() && index == calibrationButton()) {
        protocol::MenuExchange exchange = std::move(*m_calibrationExchange);
        m_calibrationExchange.reset();
        run(index, std::move(exchange));
        return;
    }
    auto exchange = m_gate.tryBegin();
    if (!exchange) {
        // Another exchange has the menu (a settings read, the escape search, a
        // calibration); this command goes out once it has ended.
        m_deferredPress = index;
        m_deferredBusy = std::make_unique<controls::BusyPointer>();
        disableButtons();
        m_gate.whenFree([this] { runDeferredPress(); });
        return;
    }
    run(index, std::move(*exchange));
}

void SettingsCommands::runDeferredPress()
{
    auto exchange = m_gate.tryBegin();
    if (!exchange) {
        m_gate.whenFree([this] { runDeferredPress(); });
        return;
    }
    const int index = *m_deferredPress;
    m_deferredPress.reset();
    m_deferredBusy.reset();
    if (!m_host.port().isOpen()) {
        enableButtons();
        showExclamation(PortClosedMessage());
        return;
    }
    run(index, std::move(*exchange));
}

void SettingsCommands::run(int index, protocol::MenuExchange exchange)
{
    controls::BusyPointer busy;
    disableButtons();
    bool reread = false;
    if (sequence(index, reread) == Outcome::Refused) {
        enableButtons();
        return;
    }
    m_host.clearShiftMode(exchange);
    m_state.MenuCommandActive = false;
    if (reread) {
        pause(PanelTiming::BeforeReread);
        m_reader.RequestSettings(exchange, true);
    }
    if (calibrationRunning()) {
        m_calibrationExchange = std::move(exchange);
        return;
    }
    enableButtons();
    // The trim reply is shown once the command is over: sentences that come
    // while the user reads it are data, not menu text.
    if (m_trimReply) {
        exchange.end();
        const QString reply = *std::exchange(m_trimReply, std::nullopt);
        m_host.platform().messages.show(reply, platform::MessageIcon::Information, platform::MessageButtons::Ok);
    }
}

SettingsCommands::Outcome SettingsCommands::sequence(int index, bool &reread)
{
    const protocol::Setting &setting = *protocol::SettingOfButton(index);
    reread = setting.reread;
    switch (index) {
    case ShowFields: {
        const std::string mask = ShownValue(m_panel, setting);
        command(setting, mask);
        m_state.Settings.DisplayFields = std::stoi(mask);
        break;
    }
    case Deviation:
    case Declination: return sendAngle(setting);
    case LevelCalibration:
    case ZCalibration: levelOrZ(setting); break;
    case SoftIronCalibration: softIron(setting); break;
    case TrimRollPitch: trimRollPitch(setting); break;
    default: command(setting, ShownValue(m_panel, setting)); break;
    }
    return Outcome::Sent;
}

SettingsCommands::Outcome SettingsCommands::sendAngle(const protocol::Setting &setting)
{
    // The field's own check keeps it numeric; should it not be, nothing is sent
    // rather than a half command.
    const char separator = m_host.platform().separators.numberByte();
    const std::string text = ShownValue(m_panel, setting);
    const auto degrees = numbers::ReadSingle(text, {separator});
    if (!degrees) {
        showExclamation(protocol::CheckValue(*setting.check, QString::fromLatin1(text), separator)
                            .refusal.value_or(QString()));
        return Outcome::Refused;
    }
    command(setting, protocol::TenthsValue(*degrees));
    return Outcome::Sent;
}

void SettingsCommands::levelOrZ(const protocol::Setting &setting)
{
    QAbstractButton *button = m_panel.cmdSet(setting.button);
    if (!calibrationRunning()) {
        m_host.checkAliveTimer().setInterval(0);
        m_host.port().setReceiveThreshold(CalibrationThreshold);
        m_state.RawTerminal = true;
        button->setText(tr("Done!"));
        command(setting, "");
        button->setEnabled(true);
        m_calibration = setting.button == LevelCalibration ? Calibration::Level : Calibration::Z;
        return;
    }
    m_host.checkAliveTimer().setInterval(RestartedAliveInterval);
    m_host.port().setReceiveThreshold(NormalThreshold);
    m_state.RawTerminal = false;
    button->setText(protocol::SettingText(setting.buttonCaption));
    send(protocol::Blank);
    m_calibration = Calibration::None;
}

void SettingsCommands::softIron(const protocol::Setting &setting)
{
    QAbstractButton *button = m_panel.cmdSet(setting.button);
    if (!calibrationRunning()) {
        m_host.checkAliveTimer().setInterval(0);
        command(setting, protocol::SoftIronCalibrate);
        m_softIronPoint = 0;
        button->setText(tr(SoftIronCaptions[0]));
        m_calibration = Calibration::SoftIron;
    } else {
        send(protocol::Blank);
        ++m_softIronPoint;
        if (m_softIronPoint < SoftIronHeadings) {
            button->setText(tr(SoftIronCaptions[m_softIronPoint]));
        } else {
            m_host.checkAliveTimer().setInterval(RestartedAliveInterval);
            button->setText(protocol::SettingText(setting.buttonCaption));
            m_calibration = Calibration::None;
        }
    }
    pause(PanelTiming::SoftIronSettle);
    button->setEnabled(true);
}

void SettingsCommands::trimRollPitch(const protocol::Setting &setting)
{
    protocol::SendEscAndKey(m_host.platform(), m_host.port(), setting.key, [this] { m_state.MenuCommandActive = true; });
    m_state.CapturedReply.clear();
    m_state.CaptureReply = true;
    pause(setting.afterKey);
    m_state.CaptureReply = false;
    send(protocol::Blank);
    const std::string &reply = m_state.CapturedReply;
    m_trimReply = QString::fromLatin1(reply.data(), static_cast<qsizetype>(reply.size()));
}

void SettingsCommands::command(const protocol::Setting &setting, std::string_view value)
{
    protocol::SendSettingCommand(m_host.platform(), m_host.port(), setting, value,
                                 [this] { m_state.MenuCommandActive = true; });
}

void SettingsCommands::send(std::string_view text)
{
    m_host.port().write(text);
}

void SettingsCommands::pause(std::int32_t ms)
{
    platform::Wait(m_host.platform(), ms);
}

int SettingsCommands::calibrationButton() const
{
    switch (m_calibration) {
    case Calibration::Level: return LevelCalibration;
    case Calibration::Z: return ZCalibration;
    case Calibration::SoftIron: return SoftIronCalibration;
    case Calibration::None: break;
    }
    return -1;
}

void SettingsCommands::setNullGyroAvailable(bool available)
{
    m_nullGyroAvailable = available;
    // While a command runs the buttons stay locked; its end applies this.
    if (!m_locked)
        m_panel.cmdSet(NullGyro)->setEnabled(available);
}

void SettingsCommands::enableButtons()
{
    m_locked = false;
    for (int i = 0; i < CompassSettingsPanel::CommandCount; ++i)
        m_panel.cmdSet(i)->setEnabled(i != NullGyro || m_nullGyroAvailable);
}

void SettingsCommands::disableButtons()
{
    m_locked = true;
    for (int i = 0; i < CompassSettingsPanel::CommandCount; ++i)
        m_panel.cmdSet(i)->setEnabled(false);
}

void SettingsCommands::showExclamation(const QString &text)
{
    m_host.platform().messages.show(text, platform::MessageIcon::Exclamation, platform::MessageButtons::Ok);
}

} // namespace settings_panel
