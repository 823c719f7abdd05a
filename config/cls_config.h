#pragma once
#include "charts/chart_table.h"
#include "config/chart_range.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
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
//
// A file cut short, longer than the format makes, or holding a value the
// program cannot use (a text beyond MaxTextLength, no COM number, a chart
// range no chart can show) is damaged: those settings keep their defaults.
class clsConfig {
    Q_DECLARE_TR_FUNCTIONS(clsConfig)
public:
    static constexpr std::int16_t FormatVersion = 4;
    static constexpr std::int32_t Loaded = 0;
    static constexpr std::int32_t NotFound = -1;
    static constexpr std::int32_t WrongVersion = -2;
    static constexpr std::int32_t ReadError = -4;
    // Each text is a number or a letter; this is far beyond any of them.
    static constexpr qsizetype MaxTextLength = 255;
    // The longest file the format makes: version, five texts, eight doubles, the flag.
    static constexpr qsizetype MaxFileBytes = 2 + 5 * (2 + MaxTextLength) + 8 * 8 + 2;

    explicit clsConfig(const QString &programDirectory);

    std::int32_t LoadSettings();
    // False when the file could not be written (the values stay as set).
    bool SaveConfig();

    const QString &AppPath() const { return m_appPath; }
    QString FilePath() const { return m_appPath + QStringLiteral("Compass.ini"); }
    // Why the last load returned ReadError, to follow the file's name:
    // "could not be read: Permission denied", "is damaged: it is cut short at the baud rate".
    const QString &LastLoadProblem() const { return m_lastLoadProblem; }
    // Whether the last write of the file worked, and why not (with what to do).
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
    double MagChartMax() const { return m_chartRanges[charts::ChartId::Mag].max; }
    void setMagChartMax(double v) { m_chartRanges[charts::ChartId::Mag].max = v; }
    double MagChartMin() const { return m_chartRanges[charts::ChartId::Mag].min; }
    void setMagChartMin(double v) { m_chartRanges[charts::ChartId::Mag].min = v; }
    double AccChartMax() const { return m_chartRanges[charts::ChartId::Acc].max; }
    void setAccChartMax(double v) { m_chartRanges[charts::ChartId::Acc].max = v; }
    double AccChartMin() const { return m_chartRanges[charts::ChartId::Acc].min; }
    void setAccChartMin(double v) { m_chartRanges[charts::ChartId::Acc].min = v; }
    ChartRange Range(charts::ChartId id) const { return m_chartRanges[id]; }
    void setRange(charts::ChartId id, ChartRange range) { m_chartRanges[id] = range; }
    float RefAngleThreshold() const { return m_refAngleThreshold; }
    void setRefAngleThreshold(float v) { m_refAngleThreshold = v; }
    double CmpChartMax() const { return m_chartRanges[charts::ChartId::Cmp].max; }
    void setCmpChartMax(double v) { m_chartRanges[charts::ChartId::Cmp].max = v; }
    double CmpChartMin() const { return m_chartRanges[charts::ChartId::Cmp].min; }
    void setCmpChartMin(double v) { m_chartRanges[charts::ChartId::Cmp].min = v; }

private:
    void SetDefaults();
    // What is damaged, if anything; stops at the first field that is cut short.
    QStringList readFields(const QByteArray &bytes);
    // Puts defaults in place of the values the program cannot use, and names them.
    QStringList dropUnusableValues();

    QString m_appPath;
    QString m_lastLoadProblem;
    QString m_lastSaveError;
    bool m_showCompassData = false;
    float m_refAngleThreshold = 0;
    charts::PerChart<ChartRange> m_chartRanges{};
    SerialSettings m_serial;
};

} // namespace config
