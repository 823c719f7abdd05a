#include "settings_panel/settings_panel_controller.h"

#include "numbers/number_reader.h"
#include "settings_panel/field_checks.h"
#include "settings_panel/panel_refresh.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace settings_panel {

SettingsPanelController::SettingsPanelController(SettingsHost &host, protocol::ConsoleState &state,
                                                 protocol::MenuExchangeGate &gate, CompassSettingsPanel &panel,
                                                 QObject *parent)
    : QObject(parent), m_host(host), m_state(state), m_panel(panel),
      m_guard(host.platform().messages, [this] { return decimalSeparator(); }),
      m_reader(host, state, gate, panel, [this] { RefreshSettingsPanel(); }),
      m_commands(host, state, gate, panel, m_reader)
{
    linkRateControls();
    watchFields();
    connect(&m_panel, &CompassSettingsPanel::setPressed, this, [this](int index) { m_commands.Press(index); });
}

void SettingsPanelController::FillDefaults()
{
    FillPanelDefaults(m_panel);
}

bool SettingsPanelController::RefreshSettingsPanel()
{
    return settings_panel::RefreshSettingsPanel(m_panel, m_state, m_host,
                                                [this](bool available) { m_commands.setNullGyroAvailable(available); });
}

void SettingsPanelController::linkRateControls()
{
    QLineEdit *rate = m_panel.txtCSOutRate();
    QLabel *unit = m_panel.lblCSOutRateUnit();
    connect(m_panel.vsCSOutRate(), &QScrollBar::valueChanged, this, [rate, unit](int value) {
        const int shown = OutRateFromScroll(value);
        rate->setText(QString::number(shown));
        unit->setText(OutRateUnit(shown));
    });
    connect(rate, &QLineEdit::textChanged, this, [this, unit](const QString &text) {
        if (const auto number = numbers::ReadNumber(text.toLatin1().toStdString(), {decimalSeparator()}))
            unit->setText(numbers::RoundHalfEven(*number) < 0 ? OutRateUnit(-1) : OutRateUnit(0));
    });
    QLineEdit *skip = m_panel.txtCSSkipReadings();
    connect(m_panel.vsCSSkipReadings(), &QScrollBar::valueChanged, this,
            [skip](int value) { skip->setText(QString::number(SkipFromScroll(value))); });
}

void SettingsPanelController::watchFields()
{
    using enum CompassSettingsPanel::Command;
    CompassSettingsPanel &p = m_panel;
    m_guard.watch(p.txtCSDeguass(), CheckedField::Deguass, p.cmdSet(Deguass));
    m_guard.watch(p.txtCSAvgSamples(), CheckedField::AvgSamples, p.cmdSet(AvgSamples));
    m_guard.watch(p.txtCSDecimationFilter(), CheckedField::DecimationFilter, p.cmdSet(DecimationFilter));
    m_guard.watch(p.txtCSDeclination(), CheckedField::Declination, p.cmdSet(Declination));
    m_guard.watch(p.txtCSDeviation(), CheckedField::Deviation, p.cmdSet(Deviation));
    m_guard.watch(p.txtCSTempOffset(), CheckedField::TempOffset, p.cmdSet(TempOffset));
    m_guard.watch(p.txtCSAccRange(), CheckedField::AccRange, p.cmdSet(AccRange));
    m_guard.watch(p.txtCSMaxPressure(), CheckedField::MaxPressure, p.cmdSet(MaxPressure));
    m_guard.watch(p.txtCSOutFormat(), CheckedField::OutFormat, p.cmdSet(OutputFormat));
    QScrollBar *rateBar = p.vsCSOutRate();
    m_guard.watch(p.txtCSOutRate(), CheckedField::OutRate, p.cmdSet(OutputRate),
                  [rateBar](double rate) { rateBar->setValue(OutRateScrollValue(static_cast<int>(rate))); });
    QScrollBar *skipBar = p.vsCSSkipReadings();
    m_guard.watch(p.txtCSSkipReadings(), CheckedField::SkipReadings, p.cmdSet(SkipReadings),
                  [skipBar](double count) { skipBar->setValue(SkipScrollValue(static_cast<int>(count))); });
}

char SettingsPanelController::decimalSeparator() const
{
    return m_host.platform().separators.numberByte();
}

} // namespace settings_panel
