#include "config/cls_config.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

} // namespace
