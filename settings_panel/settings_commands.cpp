#include "settings_panel/settings_commands.h"

#include "controls/busy_pointer.h"
#include "numbers/number_reader.h"
#include "platform/wait.h"
#include "protocol/menu_protocol.h"
#include "settings_panel/field_checks.h"
#include "settings_panel/settings_reader.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <utility>

namespace settings_panel {

using enum CompassSettingsPanel::Command;
namespace Key = protocol::Key;
namespace PanelTiming = protocol::PanelPace;

namespace {

const QString PortClosedMessage = QStringLiteral(
    "The com port isn't open, to set this parameter you should first open the port and connect to the Orvex.");

const char *const SoftIronCaptions[] = {"Aim Mag North", "Aim Mag East", "Aim Mag South", "Aim Mag West"};
constexpr std::int16_t SoftIronHeadings = 4;

} // namespace

SettingsCommands::SettingsCommands(SettingsHost &host, protocol::ConsoleState &state, protocol::MenuExchangeGate &gate,
                                   CompassSettingsPanel &panel, SettingsReader &reader)
    : m_host(host), m_state(state), m_gate(gate), m_panel(panel), m_reader(reader)
{
}

SettingsCommands::~SettingsCommands() = default;

void SettingsCommands::Press(int index)
{
    if (index < 0 || index >= CompassSettingsPanel::CommandCount)
        return;
    if (!m_host.port().isOpen()) {
        showExclamation(PortClosedMessage);
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
        showExclamation(PortClosedMessage);
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
    switch (index) {
    case BaudRate:
        escAndKey(Key::BaudRate);
        value(Key::BaudRate, protocol::WholeValue(m_panel.cmbCSBaud()->currentIndex()));
        break;
    case OutputRate:
        escAndKey(Key::OutputRate);
        value(Key::OutputRate, fieldText(m_panel.txtCSOutRate()));
        reread = true;
        break;
    case ShowFields: {
        std::int32_t mask = 0;
        for (int i = 0; i < CompassSettingsPanel::ShowItemCount; ++i)
            if (m_panel.chkCSShowItem(i)->isChecked())
                mask |= 1 << i;
        escAndKey(Key::DisplayFields);
        value(Key::DisplayFields, protocol::WholeValue(mask));
        m_state.Settings.DisplayFields = mask;
        break;
    }
    case Deguass:
        escAndKey(Key::SetResetRate);
        value(Key::SetResetRate, fieldText(m_panel.txtCSDeguass()));
        break;
    case Deviation: return sendAngle(index, Key::Deviation, m_panel.txtCSDeviation());
    case Declination: return sendAngle(index, Key::Declination, m_panel.txtCSDeclination());
    case LevelCalibration: levelOrZ(index, Key::LevelCalibration); break;
    case ZCalibration: levelOrZ(index, Key::ZCalibration); break;
    case AvgSamples:
        escAndKey(Key::Averaging);
        value(Key::Averaging, fieldText(m_panel.txtCSAvgSamples()));
        break;
    case MaxPressure:
        escAndKey(Key::MaxPressure);
        value(Key::MaxPressure, fieldText(m_panel.txtCSMaxPressure()));
        break;
    case ZeroDepth: keyThenBlank(Key::ZeroDepth); break;
    case NullGyro: keyThenBlank(Key::NullGyro); break;
    case FactoryDefaults:
        escAndKey(Key::FactoryDefaults);
        value(Key::FactoryDefaults, "");
        break;
    case DecimationFilter:
        escAndKey(Key::DecimationFilter);
        value(Key::DecimationFilter, fieldText(m_panel.txtCSDecimationFilter()));
        break;
    case SoftIron:
        escAndKey(Key::SoftIron);
        value(Key::SoftIron, std::string(m_panel.optSoftIron(0)->isChecked() ? protocol::SoftIronOn
                                                                            : protocol::SoftIronOff));
        break;
    case SoftIronCalibration: softIron(); break;
    case OutputFormat:
        escAndKey(Key::OutputFormat);
        value(Key::OutputFormat, fieldText(m_panel.txtCSOutFormat()));
        reread = true;
        break;
    case AccRange:
        escAndKey(Key::AccelerometerRange);
        value(Key::AccelerometerRange, fieldText(m_panel.txtCSAccRange()));
        break;
    case Mounting:
        escAndKey(Key::Mounting);
        value(Key::Mounting, protocol::WholeValue(m_panel.cmbCSMountPos()->currentIndex() + 1));
        break;
    case QuietMode:
        escAndKey(Key::QuietMode);
        value(Key::QuietMode,
              std::string(m_panel.optCSQMode(0)->isChecked() ? protocol::QuietOn : protocol::QuietOff));
        break;
    case TempOffset:
        escAndKey(Key::TemperatureOffset);
        value(Key::TemperatureOffset, fieldText(m_panel.txtCSTempOffset()));
        break;
    case TrimRollPitch: trimRollPitch(); break;
    case EulerMath:
        escAndKey(Key::EulerMath);
        value(Key::EulerMath, fieldText(m_panel.txtCSEuler()));
        break;
    case SkipReadings:
        escAndKey(Key::SkipReadings);
        value(Key::SkipReadings, fieldText(m_panel.txtCSSkipReadings()));
        break;
    }
    return Outcome::Sent;
}

SettingsCommands::Outcome SettingsCommands::sendAngle(int index, char key, QLineEdit *field)
{
    // The field's own check keeps it numeric; should it not be, nothing is sent
    // rather than a half command.
    const char separator = m_host.platform().separators.numberByte();
    const auto degrees = numbers::ReadSingle(fieldText(field), {separator});
    if (!degrees) {
        const CheckedField check = index == Deviation ? CheckedField::Deviation : CheckedField::Declination;
        showExclamation(CheckField(check, field->text(), separator).refusal.value_or(QString()));
        return Outcome::Refused;
    }
    escAndKey(key);
    value(key, protocol::TenthsValue(*degrees));
    return Outcome::Sent;
}

void SettingsCommands::levelOrZ(int index, char key)
{
    QAbstractButton *button = m_panel.cmdSet(index);
    if (!calibrationRunning()) {
        m_host.checkAliveTimer().setInterval(0);
        m_host.port().setReceiveThreshold(CalibrationThreshold);
        m_state.RawTerminal = true;
        button->setText(QStringLiteral("Done!"));
        escAndKey(key);
        if (key == Key::LevelCalibration)
            value(key, "");
        else
            pause(protocol::PauseAfterKey(key));
        button->setEnabled(true);
        m_calibration = key == Key::LevelCalibration ? Calibration::Level : Calibration::Z;
        return;
    }
    m_host.checkAliveTimer().setInterval(RestartedAliveInterval);
    m_host.port().setReceiveThreshold(NormalThreshold);
    m_state.RawTerminal = false;
    button->setText(QStringLiteral("Start"));
    send(protocol::Blank);
    m_calibration = Calibration::None;
}

void SettingsCommands::softIron()
{
    QAbstractButton *button = m_panel.cmdSet(SoftIronCalibration);
    if (!calibrationRunning()) {
        m_host.checkAliveTimer().setInterval(0);
        escAndKey(Key::SoftIron);
        value(Key::SoftIron, std::string(protocol::SoftIronCalibrate));
        m_softIronPoint = 0;
        button->setText(QLatin1String(SoftIronCaptions[0]));
        m_calibration = Calibration::SoftIron;
    } else {
        send(protocol::Blank);
        ++m_softIronPoint;
        if (m_softIronPoint < SoftIronHeadings) {
            button->setText(QLatin1String(SoftIronCaptions[m_softIronPoint]));
        } else {
            m_host.checkAliveTimer().setInterval(RestartedAliveInterval);
            button->setText(QStringLiteral("Calibrate"));
            m_calibration = Calibration::None;
        }
    }
    pause(PanelTiming::SoftIronSettle);
    button->setEnabled(true);
}

void SettingsCommands::trimRollPitch()
{
    escAndKey(Key::TrimRollPitch);
    m_state.CapturedReply.clear();
    m_state.CaptureReply = true;
    pause(protocol::PauseAfterKey(Key::TrimRollPitch));
    m_state.CaptureReply = false;
    send(protocol::Blank);
    const std::string &reply = m_state.CapturedReply;
    m_trimReply = QString::fromLatin1(reply.data(), static_cast<qsizetype>(reply.size()));
}

void SettingsCommands::escAndKey(char key)
{
    send(protocol::Esc);
    m_state.MenuCommandActive = true;
    pause(PanelTiming::AfterEsc);
    send(key);
}

void SettingsCommands::value(char key, const std::string &text)
{
    pause(protocol::PauseAfterKey(key));
    if (protocol::ValueEndOf(key) == protocol::ValueEnd::CrTogether) {
        send(text + protocol::Cr);
        return;
    }
    send(text);
    pause(PanelTiming::BeforeCr);
    send(protocol::Cr);
}

void SettingsCommands::keyThenBlank(char key)
{
    escAndKey(key);
    pause(protocol::PauseAfterKey(key));
    send(protocol::Blank);
}

void SettingsCommands::send(std::string_view text)
{
    m_host.port().write(text);
}

void SettingsCommands::pause(std::int32_t ms)
{
    platform::Wait(m_host.platform(), ms);
}

std::string SettingsCommands::fieldText(const QLineEdit *field) const
{
    return field->text().toLatin1().toStdString();
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
