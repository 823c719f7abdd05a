#include "settings_panel/compass_data_window.h"

#include "controls/xp_button.h"
#include "numbers/number_text.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace settings_panel {

namespace {

class Lines {
public:
    explicit Lines(char decimalSeparator) : m_separator(decimalSeparator) {}

    void add(const char *label, const std::string &value) { m_text += label + value + "\r\n"; }
    void add(const char *label, std::int32_t value) { add(label, std::to_string(value)); }
    void add(const char *label, std::int16_t value) { add(label, std::to_string(value)); }
    void add(const char *label, float value) { add(label, numbers::FormatSingle(value, m_separator)); }
    void add(const char *label, bool value) { add(label, std::string(value ? "True" : "False")); }
    void emptyLine() { m_text += "\r\n"; }
    const std::string &text() const { return m_text; }

private:
    char m_separator;
    std::string m_text;
};

} // namespace

std::string CompassDataText(const protocol::CompassSettings &s, char decimalSeparator)
{
    Lines l(decimalSeparator);
    l.add("Firmware Version = ", s.FirmwareVersion);
    l.add("Firmware Date = ", s.FirmwareDate);
    l.add("Serial Number = ", s.SerialNumber);
    l.add("Test Date = ", s.TestDate);
    l.emptyLine();
    l.add("Output Format = ", s.OutputFormat);
    l.add("Display Fields = ", s.DisplayFields);
    l.add("HW Mounting Position = ", s.MountingPosition);
    l.add("Baud Rate = ", s.BaudRate);
    l.add("Deguass Rate = ", s.SetResetRate);
    l.add("Output Rate = ", s.OutputRate);
    l.add("Skip Lines (n) = ", s.SkipReadings);
    l.add("Euler Math = ", s.EulerMath);
    l.add("Averaging = ", s.Averaging);
    l.add("AD Update Rate = ", s.AdUpdateRate);
    l.add("Deviation = ", s.Deviation);
    l.add("Declination = ", s.Declination);
    l.add("Temperature Offset = ", s.TemperatureOffset);
    l.add("Temperature Calibration = ", s.TemperatureCal);
    l.add("Depth Offset = ", s.DepthOffset);
    l.add("Maximum Presure [PSI] = ", s.MaxPressure);
    l.add("Acceleration X Offset = ", s.AccOffsetX);
    l.add("Acceleration Y Offset = ", s.AccOffsetY);
    l.add("Acceleration Z Offset = ", s.AccOffsetZ);
    l.add("Acceleration X Scale = ", s.AccScaleX);
    l.add("Acceleration Y Scale = ", s.AccScaleY);
    l.add("Acceleration Z Scale = ", s.AccScaleZ);
    l.add("Magnetic X Offset = ", s.MagOffsetX);
    l.add("Magnetic X Offset Factor = ", s.MagOffsetFactorX);
    l.add("Magnetic Y Offset = ", s.MagOffsetY);
    l.add("Magnetic Y Offset Factor = ", s.MagOffsetFactorY);
    l.add("Magnetic Z Offset = ", s.MagOffsetZ);
    l.add("Magnetic Z Offset Factor = ", s.MagOffsetFactorZ);
    l.add("Magnetic X Scale = ", s.MagScaleX);
    l.add("Magnetic X Scale (HT) = ", s.MagScaleHtX);
    l.add("Magnetic Y Scale = ", s.MagScaleY);
    l.add("Magnetic Y Scale (HT) = ", s.MagScaleHtY);
    l.add("Magnetic Z Scale = ", s.MagScaleZ);
    l.add("Magnetic Z Scale (HT) = ", s.MagScaleHtZ);
    l.add("Magnetic X Bridge Offset = ", s.MagBridgeOffsetX);
    l.add("Magnetic Y Bridge Offset = ", s.MagBridgeOffsetY);
    l.add("Magnetic Z Bridge Offset = ", s.MagBridgeOffsetZ);
    l.add("Total Gauss = ", s.TotalGauss);
    l.add("K Filter = ", s.KFilter);
    l.add("Gyro Pitch Q Angle = ", s.GyroPitchQAngle);
    l.add("Gyro Pitch Q Gyro = ", s.GyroPitchQGyro);
    l.add("Gyro Pitch R Angle = ", s.GyroPitchRAngle);
    l.add("Gyro Roll Q Angle = ", s.GyroRollQAngle);
    l.add("Gyro Roll Q Gyro = ", s.GyroRollQGyro);
    l.add("Gyro Roll R Angle = ", s.GyroRollRAngle);
    l.add("Gyro X Offset = ", s.GyroOffsetX);
    l.add("Gyro Y Offset = ", s.GyroOffsetY);
    l.add("Gyro Z Offset = ", s.GyroOffsetZ);
    l.add("A = ", s.CoefA);
    l.add("B = ", s.CoefB);
    l.add("C = ", s.CoefC);
    l.add("E = ", s.CoefE);
    l.add("Soft Iron Correction = ", s.SoftIronCorrection);
    return l.text();
}

CompassDataWindow::CompassDataWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCmpData"));
    setWindowTitle(QStringLiteral("Compass Data"));

    m_txtData = new QPlainTextEdit(this);
    m_txtData->setObjectName(QStringLiteral("txtData"));
    m_txtData->setAccessibleName(QStringLiteral("Compass Data"));
    m_txtData->setReadOnly(true);
    m_txtData->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    m_cmdClose = new controls::XPButton(QStringLiteral("Close"), this);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(m_cmdClose, &QAbstractButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_txtData);
    layout->addLayout(buttons);
    resize(420, 560);
}

void CompassDataWindow::setText(const std::string &text)
{
    QString shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_txtData->setPlainText(shown);
}

} // namespace settings_panel
