#include "settings_panel/panel_refresh.h"

#include "numbers/number_reader.h"
#include "numbers/number_text.h"
#include "settings_panel/field_checks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <cstdlib>

namespace settings_panel {

namespace {

constexpr std::int32_t DefaultAliveTimeout = 1800;
constexpr std::int32_t AliveTimeoutPerSecondPerSample = 1500;

QString whole(std::int32_t value)
{
    return QString::number(value);
}

// A scroll bar takes only values within its range.
bool setScrollValue(QScrollBar *bar, int value)
{
    if (value < bar->minimum() || value > bar->maximum())
        return false;
    bar->setValue(value);
    return true;
}

bool selectItem(QComboBox *list, int index)
{
    if (index < 0 || index >= list->count())
        return false;
    list->setCurrentIndex(index);
    return true;
}

} // namespace

std::int32_t AliveTimeoutForRate(std::int16_t outputRate)
{
    if (outputRate < 0)
        return std::abs(static_cast<std::int32_t>(outputRate)) * AliveTimeoutPerSecondPerSample;
    return DefaultAliveTimeout;
}

bool RefreshSettingsPanel(CompassSettingsPanel &panel, protocol::ConsoleState &state, SettingsHost &host,
                          const std::function<void(bool)> &setNullGyroAvailable)
{
    const protocol::CompassSettings &s = state.Settings;
    const char separator = host.platform().separators.numberByte();
    auto single = [separator](float value) { return QString::fromLatin1(numbers::FormatSingle(value, separator)); };

    for (int i = 0; i < CompassSettingsPanel::ShowItemCount; ++i)
        panel.chkCSShowItem(i)->setChecked((s.DisplayFields >> i) & 1);
    panel.txtCSDeguass()->setText(whole(s.SetResetRate));
    panel.txtCSDeviation()->setText(single(s.Deviation));
    panel.txtCSDeclination()->setText(single(s.Declination));
    panel.optSoftIron(s.SoftIronCorrection ? 0 : 1)->setChecked(true);
    panel.txtCSAccRange()->setText(whole(s.AccelerometerRange));
    panel.optCSQMode(s.QuietMode ? 0 : 1)->setChecked(true);
    panel.txtCSEuler()->setText(whole(s.EulerMath));
    panel.txtCSSkipReadings()->setText(whole(s.SkipReadings));
    if (!setScrollValue(panel.vsCSSkipReadings(), SkipScrollValue(s.SkipReadings)))
        return false;
    panel.txtCSMaxPressure()->setText(whole(s.MaxPressure));
    panel.txtCSAvgSamples()->setText(whole(s.Averaging));
    panel.txtCSDecimationFilter()->setText(whole(s.AdUpdateRate));
    panel.txtCSOutFormat()->setText(whole(s.OutputFormat));
    panel.txtCSTempOffset()->setText(single(s.TemperatureOffset));
    setNullGyroAvailable(!state.DumpReceived || s.KFilterPresent);
    host.updateFormat16Notice();
    state.AliveTimeout = AliveTimeoutForRate(s.OutputRate);

    selectItem(panel.cmbCSMountPos(), s.MountingPosition - 1);
    panel.txtCSOutRate()->setText(whole(s.OutputRate));
    setScrollValue(panel.vsCSOutRate(), OutRateScrollValue(s.OutputRate));
    if (const auto baud = numbers::ReadWhole<std::int16_t>(s.BaudRate, {separator}))
        selectItem(panel.cmbCSBaud(), *baud);
    return true;
}

void FillPanelDefaults(CompassSettingsPanel &panel)
{
    panel.txtCSOutRate()->setText(QStringLiteral("7"));
    panel.vsCSOutRate()->setValue(OutRateScrollValue(7));
    panel.cmbCSBaud()->setCurrentIndex(1);
    panel.txtCSDeguass()->setText(QStringLiteral("0"));
    panel.txtCSDeclination()->setText(QStringLiteral("0"));
    panel.txtCSDeviation()->setText(QStringLiteral("0"));
    panel.txtCSAvgSamples()->setText(QStringLiteral("5"));
    panel.txtCSMaxPressure()->setText(QStringLiteral("100"));
    panel.txtCSDecimationFilter()->setText(QStringLiteral("3"));
    panel.txtCSOutFormat()->setText(QStringLiteral("1"));
    panel.txtCSAccRange()->setText(QStringLiteral("1"));
    panel.txtCSTempOffset()->setText(QStringLiteral("0.0"));
    panel.txtCSEuler()->setText(QStringLiteral("4"));
    panel.txtCSSkipReadings()->setText(QStringLiteral("8"));
    panel.vsCSSkipReadings()->setValue(SkipScrollValue(8));
    panel.cmbCSMountPos()->setCurrentIndex(0);
    for (int i = 0; i < CompassSettingsPanel::ShowItemCount; ++i)
        panel.chkCSShowItem(i)->setChecked(i < 3);
    // Nothing is switched on until the compass says so.
    panel.optSoftIron(1)->setChecked(true);
    panel.optCSQMode(1)->setChecked(true);
}

} // namespace settings_panel
