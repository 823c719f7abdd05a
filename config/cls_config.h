#pragma once
#include <QString>
#include <cstdint>

namespace config {

// The serial settings of the compass's port, held as text.
struct SerialSettings {
    QString Port;
    QString Bauds;
    QString Parity;
    QString StopBits;
    QString DataBits;
};

// The program's persistent settings, kept in Compass.ini in its directory.
//
// The file: a 16-bit version (4), then five texts (16-bit length, Latin-1
// bytes: port, bauds, parity, stop bits, data bits), four doubles (magnetic
// max and min, acceleration max and min), a 16-bit boolean (0 or FFFF), the
// magnetic range a second time (older readers expect it there), and last the
// compass chart range, which older files lack. All little-endian.
class clsConfig {
public:
    static constexpr std::int16_t FormatVersion = 4;
    static constexpr std::int32_t Loaded = 0;
    static constexpr std::int32_t NotFound = -1;
    static constexpr std::int32_t WrongVersion = -2;
    static constexpr std::int32_t ReadError = -4;

    explicit clsConfig(const QString &programDirectory);

    std::int32_t LoadSettings();
    // False when the file could not be written (the values stay as set).
    bool SaveConfig();

    const QString &AppPath() const { return m_appPath; }
    QString FilePath() const { return m_appPath + QStringLiteral("Compass.ini"); }
    // Whether the last write of the file worked, and why not.
    bool LastSaveSucceeded() const { return m_lastSaveError.isEmpty(); }
    const QString &LastSaveError() const { return m_lastSaveError; }

    bool ShowCompassData() const { return m_showCompassData; }
    void setShowCompassData(bool on) { m_showCompassData = on; }
    const QString &SerialPort() const { return m_serial.Port; }
    void setSerialPort(const QString &v) { m_serial.Port = v; }
    const QString &SerialBauds() const { return m_serial.Bauds; }
    void setSerialBauds(const QString &v) { m_serial.Bauds = v; }
    const QString &SerialDataBits() const { return m_serial.DataBits; }
    void setSerialDataBits(const QString &v) { m_serial.DataBits = v; }
    const QString &SerialStopBits() const { return m_serial.StopBits; }
    void setSerialStopBits(const QString &v) { m_serial.StopBits = v; }
    const QString &SerialParity() const { return m_serial.Parity; }
    void setSerialParity(const QString &v) { m_serial.Parity = v; }
    double MagChartMax() const { return m_magChartMax; }
    void setMagChartMax(double v) { m_magChartMax = v; }
    double MagChartMin() const { return m_magChartMin; }
    void setMagChartMin(double v) { m_magChartMin = v; }
    double AccChartMax() const { return m_accChartMax; }
    void setAccChartMax(double v) { m_accChartMax = v; }
    double AccChartMin() const { return m_accChartMin; }
    void setAccChartMin(double v) { m_accChartMin = v; }
    float RefAngleThreshold() const { return m_refAngleThreshold; }
    void setRefAngleThreshold(float v) { m_refAngleThreshold = v; }
    double CmpChartMax() const { return m_cmpChartMax; }
    void setCmpChartMax(double v) { m_cmpChartMax = v; }
    double CmpChartMin() const { return m_cmpChartMin; }
    void setCmpChartMin(double v) { m_cmpChartMin = v; }

private:
    void SetDefaults();
    // True when the whole file was read; stops at the first field that is cut short.
    bool readFields(const QByteArray &bytes);

    QString m_appPath;
    QString m_lastSaveError;
    bool m_showCompassData = false;
    float m_refAngleThreshold = 0;
    double m_magChartMin = 0, m_magChartMax = 0;
    double m_accChartMin = 0, m_accChartMax = 0;
    double m_cmpChartMin = 0, m_cmpChartMax = 0;
    SerialSettings m_serial;
};

} // namespace config
