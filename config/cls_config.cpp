#include "config/cls_config.h"

#include "config/chart_range.h"
#include "platform/com_port_map.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>
#include <cerrno>
#include <cstring>
#include <optional>
#include <tuple>
#include <fcntl.h>
#include <unistd.h>

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
    std::optional<QByteArray> text()
    {
        if (!has(2))
            return std::nullopt;
        const auto length = qFromLittleEndian<quint16>(m_bytes.constData() + m_pos);
        if (!has(2 + qsizetype(length)))
            return std::nullopt;
        const QByteArray v = m_bytes.mid(m_pos + 2, length);
        m_pos += 2 + length;
        return v;
    }

private:
    bool has(qsizetype n) const { return m_bytes.size() - m_pos >= n; }
    const QByteArray &m_bytes;
    qsizetype m_pos = 0;
};

const QString DefaultPort = QStringLiteral("2");

QString cutShortAt(const char *field)
{
    return clsConfig::tr("it is cut short at the %1").arg(clsConfig::tr(field));
}

// Why the file must not be written over: it is there but is no regular file,
// or a link to something that is none. Empty when it may be written.
QString refusalToWrite(const QString &path)
{
    const QFileInfo info(path);
    if (info.isFile() || (!info.isSymLink() && !info.exists()))
        return {};
    if (!info.isSymLink())
        return clsConfig::tr("it is not a regular file (a folder, a device or a pipe), so it was left as it is. "
                             "Rename or remove it.");
    return clsConfig::tr("it is a link to %1, which %2, so it was left as it is. Remove the link or point it at a "
                         "file.")
        .arg(info.symLinkTarget(),
             info.exists() ? clsConfig::tr("is not a regular file") : clsConfig::tr("does not exist"));
}

// Qt says an existing file "is not writable" without saying why; the system says why.
QString systemReason(const QString &path, const QString &qtReason)
{
    if (::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) != 0 && errno != ENOENT)
        return QString::fromLocal8Bit(std::strerror(errno));
    return qtReason;
}

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
    const QByteArray bytes = v.toLatin1().left(clsConfig::MaxTextLength);
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
    for (const charts::ChartRow &row : charts::ChartTable)
        m_chartRanges[row.id] = {row.range.defaultMin, row.range.defaultMax};
    m_serial = SerialSettings{DefaultPort, QStringLiteral("19200"), QStringLiteral("N"), QStringLiteral("1"),
                              QStringLiteral("8")};
}

std::int32_t clsConfig::LoadSettings()
{
    m_lastLoadProblem.clear();
    const QFileInfo info(FilePath());
    if (!info.exists() || !info.isFile() || info.isHidden()) {
        SetDefaults();
        SaveConfig();
        return NotFound;
    }
    SetDefaults();
    QFile file(FilePath());
    // One byte beyond the longest file the format makes tells a longer one.
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.read(MaxFileBytes + 1) : QByteArray();
    if (file.error() != QFileDevice::NoError) {
        m_lastLoadProblem = tr("could not be read: ") + file.errorString();
        return ReadError;
    }
    FieldReader header(bytes);
    if (header.int16() != FormatVersion) {
        SetDefaults();
        SaveConfig();
        return WrongVersion;
    }
    QStringList damage;
    if (bytes.size() > MaxFileBytes)
        damage << tr("it is longer than the %1 bytes the format can hold").arg(MaxFileBytes);
    damage << readFields(bytes.left(MaxFileBytes)) << dropUnusableValues();
    if (damage.isEmpty())
        return Loaded;
    m_lastLoadProblem = tr("is damaged: ") + damage.join(QStringLiteral("; "));
    return ReadError;
}

QStringList clsConfig::readFields(const QByteArray &bytes)
{
    FieldReader in(bytes);
    in.int16();
    QStringList damage;
    const std::pair<QString *, const char *> texts[] = {
        {&m_serial.Port, QT_TRANSLATE_NOOP("clsConfig", "port number")},
        {&m_serial.Bauds, QT_TRANSLATE_NOOP("clsConfig", "baud rate")},
        {&m_serial.Parity, QT_TRANSLATE_NOOP("clsConfig", "parity")},
        {&m_serial.StopBits, QT_TRANSLATE_NOOP("clsConfig", "stop bits")},
        {&m_serial.DataBits, QT_TRANSLATE_NOOP("clsConfig", "data bits")}};
    for (const auto &[field, name] : texts) {
        const auto v = in.text();
        if (!v)
            return damage << cutShortAt(name);
        if (v->size() > MaxTextLength)
            damage << tr("the %1 is longer than %2 characters").arg(tr(name)).arg(MaxTextLength);
        else
            *field = QString::fromLatin1(*v);
    }
    const std::pair<double *, const char *> ranges[] = {
        {&m_chartRanges[charts::ChartId::Mag].max, QT_TRANSLATE_NOOP("clsConfig", "magnetic chart maximum")},
        {&m_chartRanges[charts::ChartId::Mag].min, QT_TRANSLATE_NOOP("clsConfig", "magnetic chart minimum")},
        {&m_chartRanges[charts::ChartId::Acc].max, QT_TRANSLATE_NOOP("clsConfig", "acceleration chart maximum")},
        {&m_chartRanges[charts::ChartId::Acc].min, QT_TRANSLATE_NOOP("clsConfig", "acceleration chart minimum")}};
    for (const auto &[field, name] : ranges) {
        const auto v = in.float64();
        if (!v)
            return damage << cutShortAt(name);
        *field = *v;
    }
    const auto show = in.int16();
    if (!show)
        return damage << cutShortAt(QT_TRANSLATE_NOOP("clsConfig", "Show Compass Output setting"));
    m_showCompassData = *show != 0;
    for (const auto &[field, name] : {ranges[0], ranges[1]}) {
        const auto v = in.float64();
        if (!v)
            return damage << cutShortAt(name);
        *field = *v;
    }
    // Files written before the compass range was kept end here.
    const auto cmpMax = in.float64();
    const auto cmpMin = in.float64();
    if (cmpMax && cmpMin)
        m_chartRanges[charts::ChartId::Cmp] = {*cmpMin, *cmpMax};
    return damage;
}

QStringList clsConfig::dropUnusableValues()
{
    QStringList damage;
    if (!platform::ComPortNumber(m_serial.Port.toStdString())) {
        damage << tr("the port number \"%1\" names no COM port").arg(m_serial.Port);
        m_serial.Port = DefaultPort;
    }
    for (charts::ChartId id : charts::RangeOrder) {
        ChartRange &range = m_chartRanges[id];
        if (IsUsableChartRange(range.min, range.max))
            continue;
        const charts::ChartRangeRow &row = charts::Chart(id).range;
        damage << tr("the %1 chart range %2 to %3 is no range a chart can show")
                      .arg(charts::ChartText(row.name))
                      .arg(range.min)
                      .arg(range.max);
        range = {row.defaultMin, row.defaultMax};
    }
    return damage;
}

bool clsConfig::SaveConfig()
{
    QByteArray out;
    putInt16(out, FormatVersion);
    for (const QString *field : {&m_serial.Port, &m_serial.Bauds, &m_serial.Parity, &m_serial.StopBits,
                                 &m_serial.DataBits})
        putText(out, *field);
    for (double v : {MagChartMax(), MagChartMin(), AccChartMax(), AccChartMin()})
        putFloat64(out, v);
    putInt16(out, m_showCompassData ? -1 : 0);
    putFloat64(out, MagChartMax());
    putFloat64(out, MagChartMin());
    putFloat64(out, CmpChartMax());
    putFloat64(out, CmpChartMin());

    m_lastSaveError = refusalToWrite(FilePath());
    if (!m_lastSaveError.isEmpty())
        return false;
    // Written whole to a new file and renamed, so a failed write keeps the old one.
    QSaveFile file(FilePath());
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit()) {
        m_lastSaveError =
            systemReason(FilePath(), file.errorString()) + tr(". Check that the folder and the file may be written.");
        return false;
    }
    return true;
}

} // namespace config
