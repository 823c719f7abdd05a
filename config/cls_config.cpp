#include "config/cls_config.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>
#include <cstring>
#include <optional>

namespace config {

namespace {

// Reads little-endian fields off a byte array without ever passing its end.
class FieldReader {
public:
    explicit FieldReader(const QByteArray &bytes) : m_bytes(bytes) {}

    std::optional<std::int16_t> int16()
    {
        if (!has(2))
            return std::nullopt;
        const auto v = qFromLittleEndian<qint16>(m_bytes.constData() + m_pos);
        m_pos += 2;
        return v;
    }
    std::optional<double> float64()
    {
        if (!has(8))
            return std::nullopt;
        const auto bits = qFromLittleEndian<quint64>(m_bytes.constData() + m_pos);
        m_pos += 8;
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    std::optional<QString> text()
    {
        if (!has(2))
            return std::nullopt;
        const auto length = qFromLittleEndian<quint16>(m_bytes.constData() + m_pos);
        if (!has(2 + qsizetype(length)))
            return std::nullopt;
        const QString v = QString::fromLatin1(m_bytes.constData() + m_pos + 2, length);
        m_pos += 2 + length;
        return v;
    }

private:
    bool has(qsizetype n) const { return m_bytes.size() - m_pos >= n; }
    const QByteArray &m_bytes;
    qsizetype m_pos = 0;
};

void putInt16(QByteArray &out, std::int16_t v)
{
    char b[2];
    qToLittleEndian<qint16>(v, b);
    out.append(b, 2);
}

void putFloat64(QByteArray &out, double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, sizeof bits);
    char b[8];
    qToLittleEndian<quint64>(bits, b);
    out.append(b, 8);
}

void putText(QByteArray &out, const QString &v)
{
    const QByteArray bytes = v.toLatin1().left(0xFFFF);
    char b[2];
    qToLittleEndian<quint16>(static_cast<quint16>(bytes.size()), b);
    out.append(b, 2);
    out.append(bytes);
}

} // namespace

clsConfig::clsConfig(const QString &programDirectory) : m_appPath(programDirectory)
{
    if (!m_appPath.endsWith(QLatin1Char('/')))
        m_appPath += QLatin1Char('/');
}

void clsConfig::SetDefaults()
{
    m_showCompassData = false;
    m_refAngleThreshold = 5.0f;
    m_magChartMin = -300.0;
    m_magChartMax = 300.0;
    m_accChartMin = -2.0;
    m_accChartMax = 2.0;
    m_cmpChartMin = -180.0;
    m_cmpChartMax = 360.0;
    m_serial = SerialSettings{QStringLiteral("2"), QStringLiteral("19200"), QStringLiteral("N"),
                              QStringLiteral("1"), QStringLiteral("8")};
}

std::int32_t clsConfig::LoadSettings()
{
    const QFileInfo info(FilePath());
    if (!info.exists() || !info.isFile() || info.isHidden()) {
        SetDefaults();
        SaveConfig();
        return NotFound;
    }
    SetDefaults();
    QFile file(FilePath());
    if (!file.open(QIODevice::ReadOnly))
        return ReadError;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return ReadError;
    FieldReader header(bytes);
    if (header.int16() != FormatVersion) {
        SetDefaults();
        SaveConfig();
        return WrongVersion;
    }
    return readFields(bytes) ? Loaded : ReadError;
}

bool clsConfig::readFields(const QByteArray &bytes)
{
    FieldReader in(bytes);
    in.int16();
    for (QString *field : {&m_serial.Port, &m_serial.Bauds, &m_serial.Parity, &m_serial.StopBits,
                           &m_serial.DataBits}) {
        const auto v = in.text();
        if (!v)
            return false;
        *field = *v;
    }
    for (double *field : {&m_magChartMax, &m_magChartMin, &m_accChartMax, &m_accChartMin}) {
        const auto v = in.float64();
        if (!v)
            return false;
        *field = *v;
    }
    const auto show = in.int16();
    if (!show)
        return false;
    m_showCompassData = *show != 0;
    for (double *field : {&m_magChartMax, &m_magChartMin}) {
        const auto v = in.float64();
        if (!v)
            return false;
        *field = *v;
    }
    // Files written before the compass range was kept end here.
    const auto cmpMax = in.float64();
    const auto cmpMin = in.float64();
    if (cmpMax && cmpMin) {
        m_cmpChartMax = *cmpMax;
        m_cmpChartMin = *cmpMin;
    }
    return true;
}

bool clsConfig::SaveConfig()
{
    QByteArray out;
    putInt16(out, FormatVersion);
    for (const QString *field : {&m_serial.Port, &m_serial.Bauds, &m_serial.Parity, &m_serial.StopBits,
                                 &m_serial.DataBits})
        putText(out, *field);
    for (double v : {m_magChartMax, m_magChartMin, m_accChartMax, m_accChartMin})
        putFloat64(out, v);
    putInt16(out, m_showCompassData ? -1 : 0);
    putFloat64(out, m_magChartMax);
    putFloat64(out, m_magChartMin);
    putFloat64(out, m_cmpChartMax);
    putFloat64(out, m_cmpChartMin);

    // Written whole to a new file and renamed, so a failed write keeps the old one.
    QSaveFile file(FilePath());
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit()) {
        m_lastSaveError = file.errorString();
        return false;
    }
    m_lastSaveError.clear();
    return true;
}

} // namespace config
