// The Compass.ini reader: any file loads, as the version-4 file (whole or cut
// short) or as another version replaced by the defaults; and what was loaded
// is saved and loads back the same.
#include "config/cls_config.h"
#include "tests/fuzz/fuzz_check.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>

namespace {

using config::clsConfig;

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool sameSettings(const clsConfig &a, const clsConfig &b)
{
    return a.SerialPort() == b.SerialPort() && a.SerialBauds() == b.SerialBauds() &&
           a.SerialParity() == b.SerialParity() && a.SerialStopBits() == b.SerialStopBits() &&
           a.SerialDataBits() == b.SerialDataBits() && a.ShowCompassData() == b.ShowCompassData() &&
           sameBits(a.MagChartMax(), b.MagChartMax()) && sameBits(a.MagChartMin(), b.MagChartMin()) &&
           sameBits(a.AccChartMax(), b.AccChartMax()) && sameBits(a.AccChartMin(), b.AccChartMin()) &&
           sameBits(a.CmpChartMax(), b.CmpChartMax()) && sameBits(a.CmpChartMin(), b.CmpChartMin());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // In memory where there is such a folder: every save is synced to disk.
    static const QString shm = QStringLiteral("/dev/shm");
    static const QTemporaryDir dir((QDir(shm).exists() ? shm : QDir::tempPath()) + QStringLiteral("/compass-XXXXXX"));
    QFile file(dir.filePath(QStringLiteral("Compass.ini")));
    expect(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the scratch file opens");
    file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    file.close();

    clsConfig loaded(dir.path());
    const std::int32_t status = loaded.LoadSettings();
    const bool version4 = size >= 2 && data[0] == 4 && data[1] == 0;
    expect(version4 ? status == 0 || status == -4 : status == -2, "the status says what the file was");
    expect(loaded.SaveConfig(), "the settings are saved");
    clsConfig reread(dir.path());
    expect(reread.LoadSettings() == 0 && sameSettings(loaded, reread), "what was saved loads back the same");
    return 0;
}
