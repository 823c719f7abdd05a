#include "config/cls_config.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using config::clsConfig;

QByteArray readFile(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray le16(int v) { return QByteArray(reinterpret_cast<const char *>(&v), 2); }
QByteArray le64(double v) { return QByteArray(reinterpret_cast<const char *>(&v), 8); }
QByteArray text(const QByteArray &s) { return le16(int(s.size())) + s; }

// The file a fresh start writes, field by field.
QByteArray defaultFile()
{
    return le16(4) + text("2") + text("19200") + text("N") + text("1") + text("8") + le64(300.0) + le64(-300.0)
           + le64(2.0) + le64(-2.0) + le16(0) + le64(300.0) + le64(-300.0) + le64(360.0) + le64(-180.0);
}

// Bytes this process has read from files so far.
qint64 bytesReadSoFar()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    qint64 value = 0;
    while (io >> key >> value)
        if (key == "rchar:")
            return value;
    return -1;
}

// Root may read and write anything; the checks an ordinary user meets need
// one (real and effective, with root kept as the saved id to come back to).
class AsOrdinaryUser {
public:
    AsOrdinaryUser()
    {
        if (::geteuid() != 0 || ::setresgid(65534, 65534, 0) != 0)
            return;
        m_switched = ::setresuid(65534, 65534, 0) == 0;
        if (!m_switched)
            (void)::setresgid(0, 0, 0);
    }
    ~AsOrdinaryUser()
    {
        if (m_switched && ::setresuid(0, 0, 0) == 0)
            (void)::setresgid(0, 0, 0);
    }

private:
    bool m_switched = false;
};

class ConfigFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return QDir(dir.path()).filePath("Compass.ini"); }
};

TEST_F(ConfigFile, FreshDirectoryGetsTheDefaultFile)
{
    clsConfig cfg(dir.path());
    EXPECT_EQ(cfg.LoadSettings(), -1);
    const QByteArray bytes = readFile(path());
    EXPECT_EQ(bytes.size(), 87);
    EXPECT_EQ(bytes, defaultFile());
    EXPECT_EQ(cfg.SerialPort(), "2");
    EXPECT_EQ(cfg.CmpChartMax(), 360.0);
    EXPECT_TRUE(cfg.LastSaveSucceeded());
}

TEST_F(ConfigFile, EverySettingSurvivesARestart)
{
    {
        clsConfig cfg(dir.path());
        cfg.LoadSettings();
        cfg.setSerialPort("17");
        cfg.setSerialBauds("115200");
        cfg.setSerialParity("E");
        cfg.setSerialStopBits("1.5");
        cfg.setSerialDataBits("7");
        cfg.setMagChartMax(123.5);
        cfg.setMagChartMin(-77.25);
        cfg.setAccChartMax(4);
        cfg.setAccChartMin(-4);
        cfg.setCmpChartMax(90);
        cfg.setCmpChartMin(-90);
        cfg.setShowCompassData(true);
        ASSERT_TRUE(cfg.SaveConfig());
    }
    // True is stored as FF FF, right after the four chart doubles.
    const QByteArray bytes = readFile(path());
    const int flagAt = 2 + (2 + 2) + (2 + 6) + (2 + 1) + (2 + 3) + (2 + 1) + 4 * 8;
    EXPECT_EQ(bytes.mid(flagAt, 2), QByteArray("\xFF\xFF", 2));
    clsConfig cfg(dir.path());
    EXPECT_EQ(cfg.LoadSettings(), 0);
    EXPECT_EQ(cfg.SerialPort(), "17");
    EXPECT_EQ(cfg.SerialBauds(), "115200");
    EXPECT_EQ(cfg.SerialParity(), "E");
    EXPECT_EQ(cfg.SerialStopBits(), "1.5");
    EXPECT_EQ(cfg.SerialDataBits(), "7");
    EXPECT_EQ(cfg.MagChartMax(), 123.5);
    EXPECT_EQ(cfg.MagChartMin(), -77.25);
    EXPECT_EQ(cfg.AccChartMax(), 4);
    EXPECT_EQ(cfg.CmpChartMax(), 90);
    EXPECT_EQ(cfg.CmpChartMin(), -90);
    EXPECT_TRUE(cfg.ShowCompassData());
}

TEST_F(ConfigFile, OtherVersionsAreReplacedByDefaults)
{
    for (int version : {3, 5}) {
        writeFile(path(), le16(version) + QByteArray(60, '\x01'));
        clsConfig cfg(dir.path());
        EXPECT_EQ(cfg.LoadSettings(), -2) << version;
        EXPECT_EQ(readFile(path()), defaultFile()) << version;
    }
    writeFile(path(), {});
    clsConfig empty(dir.path());
    EXPECT_EQ(empty.LoadSettings(), -2);
}

TEST_F(ConfigFile, OlderFileWithoutTheCompassRangeLoadsItsDefaults)
{
    // The 71-byte layout: everything up to the second magnetic range.
    writeFile(path(), le16(4) + text("5") + defaultFile().mid(5, 71 - 5));
    clsConfig cfg(dir.path());
    EXPECT_EQ(cfg.LoadSettings(), 0);
    EXPECT_EQ(cfg.SerialPort(), "5");
    EXPECT_EQ(cfg.CmpChartMax(), 360.0);
    EXPECT_EQ(cfg.CmpChartMin(), -180.0);
}

TEST_F(ConfigFile, CutShortOrCorruptFilesLoadWhatTheyCan)
{
    const QByteArray full = le16(4) + text("9") + text("4800") + text("O") + text("2") + text("7") + le64(50)
                            + le64(-50) + le64(1) + le64(-1) + le16(-1) + le64(50) + le64(-50);
    for (int cut = 3; cut < full.size(); ++cut) {
        writeFile(path(), full.left(cut));
        clsConfig cfg(dir.path());
        EXPECT_EQ(cfg.LoadSettings(), -4) << cut;
    }
    // The baud rate's text is cut short: it keeps its default.
    writeFile(path(), full.left(2 + 3 + 2 + 3));
    clsConfig partial(dir.path());
    partial.LoadSettings();
    EXPECT_EQ(partial.SerialPort(), "9");
    EXPECT_EQ(partial.SerialBauds(), "19200");

    // A length prefix far beyond the end of the file.
    writeFile(path(), le16(4) + le16(0xFFF0) + "12");
    clsConfig corrupt(dir.path());
    EXPECT_EQ(corrupt.LoadSettings(), -4);
    EXPECT_EQ(corrupt.SerialPort(), "2");
}

// The largest file the format makes: version, five texts of at most 255
// bytes each, eight doubles and the flag, 1353 bytes. Anything after field 13
// is ignored up to there; a longer file is damaged, and read no further.
TEST_F(ConfigFile, AFileLongerThanTheFormatHoldsIsDamagedAndReadNoFurther)
{
    const QByteArray file = le16(4) + text("9") + defaultFile().mid(5);
    const int largest = 2 + 5 * (2 + 255) + 8 * 8 + 2;
    writeFile(path(), file + QByteArray(largest - file.size(), '\0'));
    clsConfig whole(dir.path());
    EXPECT_EQ(whole.LoadSettings(), 0);
    EXPECT_EQ(whole.SerialPort(), "9");

    writeFile(path(), file);
    QFile sparse(path());
    ASSERT_TRUE(sparse.resize(64 << 20));
    const qint64 readBefore = bytesReadSoFar();
    clsConfig longer(dir.path());
    EXPECT_EQ(longer.LoadSettings(), -4);
    EXPECT_LT(bytesReadSoFar() - readBefore, 64 * 1024);
    EXPECT_EQ(longer.LastLoadProblem(), "is damaged: it is longer than the 1353 bytes the format can hold");
    EXPECT_EQ(longer.SerialPort(), "9");

    ASSERT_TRUE(sparse.resize(largest + 1));
    clsConfig oneMore(dir.path());
    EXPECT_EQ(oneMore.LoadSettings(), -4);
}

// A value the program cannot use is damage too: that setting alone takes its default.
TEST_F(ConfigFile, UnusableValuesAreDamageAndOnlyThoseSettingsTakeTheirDefaults)
{
    writeFile(path(), le16(4) + text("-2") + text(QByteArray(256, '9')) + text("E") + text("2")
                          + text(QByteArray(255, '7')) + le64(300) + le64(500) + le64(4) + le64(-4) + le16(-1)
                          + le64(300) + le64(500) + le64(INFINITY) + le64(-90));
    clsConfig cfg(dir.path());
    EXPECT_EQ(cfg.LoadSettings(), -4);
    EXPECT_EQ(cfg.LastLoadProblem(),
              "is damaged: the baud rate is longer than 255 characters; the port number \"-2\" names no COM port; "
              "the magnetic chart range 500 to 300 is no range a chart can show; the compass chart range -90 to "
              "inf is no range a chart can show");
    EXPECT_EQ(cfg.SerialPort(), "2");
    EXPECT_EQ(cfg.SerialBauds(), "19200");
    EXPECT_EQ(cfg.SerialParity(), "E");
    EXPECT_EQ(cfg.SerialStopBits(), "2");
    EXPECT_EQ(cfg.SerialDataBits(), QString(255, '7'));
    EXPECT_EQ(cfg.MagChartMin(), -300.0);
    EXPECT_EQ(cfg.MagChartMax(), 300.0);
    EXPECT_EQ(cfg.AccChartMin(), -4.0);
    EXPECT_EQ(cfg.AccChartMax(), 4.0);
    EXPECT_TRUE(cfg.ShowCompassData());
    EXPECT_EQ(cfg.CmpChartMin(), -180.0);
    EXPECT_EQ(cfg.CmpChartMax(), 360.0);

    // The acceleration range alone, not finite or empty.
    for (const auto &[min, max] : {std::pair{NAN, 2.0}, {-INFINITY, 2.0}, {2.0, 2.0}}) {
        writeFile(path(), defaultFile().left(37) + le64(max) + le64(min) + defaultFile().mid(53));
        clsConfig bad(dir.path());
        EXPECT_EQ(bad.LoadSettings(), -4) << min << " to " << max;
        EXPECT_EQ(bad.LastLoadProblem().count("no range"), 1);
        EXPECT_EQ(bad.AccChartMin(), -2.0);
    }
}

// The settings are never written through a link to a device, a pipe or
// nothing: the program says so and goes on with the defaults in memory.
TEST_F(ConfigFile, NeverWritesThroughALinkToWhatIsNotARegularFile)
{
    const QString pipe = QDir(dir.path()).filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(pipe, path()));
    clsConfig cfg(dir.path());
    EXPECT_EQ(cfg.LoadSettings(), -1);
    EXPECT_EQ(cfg.LastSaveError(), "it is a link to " + pipe
                                       + ", which is not a regular file, so it was left as it is. Remove the link or "
                                         "point it at a file.");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(pipe).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the pipe is still a pipe";
    EXPECT_EQ(cfg.SerialPort(), "2");
    EXPECT_EQ(cfg.MagChartMax(), 300.0);

    const QString nothing = QDir(dir.path()).filePath("nothing");
    ASSERT_TRUE(QFile::remove(path()) && QFile::link(nothing, path()));
    EXPECT_FALSE(cfg.SaveConfig());
    EXPECT_TRUE(cfg.LastSaveError().contains("which does not exist")) << cfg.LastSaveError().toStdString();
    EXPECT_FALSE(QFileInfo::exists(nothing));

    // A link to a file is followed, and stays a link.
    const QString real = QDir(dir.path()).filePath("real.ini");
    writeFile(real, le16(4) + text("9") + defaultFile().mid(5));
    ASSERT_TRUE(QFile::remove(path()) && QFile::link(real, path()));
    EXPECT_EQ(cfg.LoadSettings(), 0);
    EXPECT_EQ(cfg.SerialPort(), "9");
    cfg.setSerialPort("4");
    EXPECT_TRUE(cfg.SaveConfig()) << cfg.LastSaveError().toStdString();
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
    EXPECT_EQ(readFile(real).mid(4, 1), "4");
}

// Where the system refuses the file, its own reason is given.
TEST_F(ConfigFile, PermissionDeniedIsSaidWhereThatIsWhy)
{
    writeFile(path(), defaultFile());
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                      | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                                      | QFileDevice::WriteOther | QFileDevice::ExeOther));
    ASSERT_TRUE(QFile::setPermissions(path(), {}));
    clsConfig cfg(dir.path());
    AsOrdinaryUser user;
    EXPECT_EQ(cfg.LoadSettings(), -4);
    EXPECT_EQ(cfg.LastLoadProblem(), "could not be read: Permission denied");
    EXPECT_FALSE(cfg.SaveConfig());
    EXPECT_EQ(cfg.LastSaveError(), "Permission denied. Check that the folder and the file may be written.");
}

} // namespace
