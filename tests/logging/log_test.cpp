#include "controls/attitude_indicator.h"
#include "controls/xp_button.h"
#include "logging/log_columns.h"
#include "logging/log_frame.h"
#include "platform/sim/sim_platform.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using logging::LogFrame;

TEST(LogColumns, HeaderNamesEveryColumnOfTheMaskAndDataComesFromInstrumentAndLabels)
{
    using logging::HeaderLine;
    EXPECT_EQ(HeaderLine(7, false, false), "Azimuth;Pitch;Roll;");
    EXPECT_EQ(HeaderLine(0x1FFF, true, true),
              "Date;Time;Azimuth;Pitch;Roll;Temperature;Depth;Mag. Scalar;Mag. X;Mag. Y;Mag Z;Acc. Scalar;"
              "Acc. X;Acc. Y; Acc. Z;Gyro Scalar;Gyro X;Gyro Y;Life Count;SPI Err;");
    EXPECT_EQ(HeaderLine(8 | 4096, false, true), "Time;Temperature;SPI Err;");
    // Bits above the thirteen fields name nothing.
    EXPECT_EQ(HeaderLine(1 | 8192, true, false), "Date;Azimuth;");

    controls::AttitudeIndicator horizon;
    horizon.setValue(platform::Instrument::Heading, 328.1);
    horizon.setValue(platform::Instrument::Pitch, -0.4);
    horizon.setValue(platform::Instrument::Roll, 1.0 / 3.0);
    const logging::LogValues values{horizon, [&](int index) { return QStringLiteral("v%1").arg(index); }};
    EXPECT_EQ(logging::DataLine(0x1FFF, {QString("05/12/2026"), QString("14:03:09")}, values, ','),
              "05/12/2026;14:03:09;328,1;-0,4;0,333333333333333;v3;v4;v5;v6;v7;v8;v9;v10;v11;v12;v13;v14;v15;"
              "v16;v17;");
    EXPECT_EQ(logging::DataLine(64 | 2, {std::nullopt, QString("t")}, values, '.'), "t;-0.4;v6;v7;v8;");
}

class LogFrameTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    platform::sim::SimPlatform sim{dir.path()};
    controls::AttitudeIndicator horizon;
    LogFrame frame{sim.platform, horizon, [](int index) { return QStringLiteral("L%1").arg(index); }};

    void SetUp() override
    {
        horizon.setValue(platform::Instrument::Heading, 328.1);
        horizon.setValue(platform::Instrument::Pitch, -0.4);
        horizon.setValue(platform::Instrument::Roll, 1.2);
    }
    QString logPath() const { return QDir(dir.path()).filePath("run.txt"); }
    void openLog(const QString &path)
    {
        sim.files.queueAnswer(path, 0);
        frame.cmdOpenLog()->click();
    }
    void openAndStart(const QString &path)
    {
        openLog(path);
        ASSERT_TRUE(frame.LogFileOpen());
        frame.cmdStartLog()->click();
        ASSERT_TRUE(frame.LoggingActive());
    }
    static QByteArray bytesOf(const QString &path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    QByteArray logBytes() const { return bytesOf(logPath()); }
};

TEST_F(LogFrameTest, CancelledChoiceIsTheOpenErrorAndLeavesTheLogClosed)
{
    frame.cmdOpenLog()->click();
    ASSERT_EQ(sim.messages.shown().size(), 1u);
    EXPECT_EQ(sim.messages.texts()[0],
              QString::fromUtf8("There was an error opening file.\r\n\r\nErorr N° 6: The file choice was cancelled."));
    EXPECT_EQ(sim.messages.shown()[0].icon, platform::MessageIcon::Exclamation);
    EXPECT_FALSE(frame.LogFileOpen());
    EXPECT_FALSE(frame.cmdStartLog()->isEnabled());
    EXPECT_EQ(frame.cmdOpenLog()->text(), "Open Log");
}

// A header before the first line, and again whenever the mask, Add Date or Add Time changes.
TEST_F(LogFrameTest, AHeaderWheneverTheColumnsChange)
{
    sim.locale.setDateFormat("yyyy-MM-dd");
    sim.locale.setTimeFormat("h:mm");
    sim.clock.setWallClockStart(QDateTime(QDate(2026, 3, 4), QTime(17, 5, 0)));
    openAndStart(logPath());
    EXPECT_EQ(frame.lblLogFile()->text(), logPath());
    EXPECT_EQ(frame.cmdOpenLog()->text(), "Close Log");
    EXPECT_EQ(frame.cmdStartLog()->text(), "Stop Logging");
    frame.WriteLogLine(7);
    horizon.setValue(platform::Instrument::Heading, 0.5);
    frame.WriteLogLine(7);
    frame.WriteLogLine(8 | 64);
    frame.chkLogTime()->setChecked(true);
    frame.WriteLogLine(8 | 64);
    frame.chkLogDate()->setChecked(true);
    frame.WriteLogLine(8 | 64);
    frame.chkLogTime()->setChecked(false);
    frame.WriteLogLine(8 | 64);
    frame.WriteLogLine(8 | 64);
    EXPECT_EQ(logBytes(), "Azimuth;Pitch;Roll;\r\n328.1;-0.4;1.2;\r\n0.5;-0.4;1.2;\r\n"
                          "Temperature;Mag. X;Mag. Y;Mag Z;\r\nL3;L6;L7;L8;\r\n"
                          "Time;Temperature;Mag. X;Mag. Y;Mag Z;\r\n17:05;L3;L6;L7;L8;\r\n"
                          "Date;Time;Temperature;Mag. X;Mag. Y;Mag Z;\r\n2026-03-04;17:05;L3;L6;L7;L8;\r\n"
                          "Date;Temperature;Mag. X;Mag. Y;Mag Z;\r\n2026-03-04;L3;L6;L7;L8;\r\n2026-03-04;L3;L6;L7;L8;\r\n");
    EXPECT_TRUE(sim.messages.shown().empty());
}

TEST_F(LogFrameTest, AnExistingFileIsAppendedToAndEveryOpeningStartsWithAHeader)
{
    {
        QFile f(logPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Azimuth;\r\n1;\r\n");
    }
    openAndStart(logPath());
    frame.WriteLogLine(1);
    EXPECT_EQ(logBytes(), "Azimuth;\r\n1;\r\nAzimuth;\r\n328.1;\r\n");
    frame.cmdOpenLog()->click();
    openAndStart(logPath());
    frame.WriteLogLine(1);
    EXPECT_EQ(logBytes(), "Azimuth;\r\n1;\r\nAzimuth;\r\n328.1;\r\nAzimuth;\r\n328.1;\r\n");
}

TEST_F(LogFrameTest, LoggingBlinksOnceASecondAndNothingIsWrittenWhenStopped)
{
    openLog(logPath());
    frame.WriteLogLine(7);
    frame.cmdStartLog()->click();
    EXPECT_TRUE(frame.lblLogging()->isHidden());
    sim.advance(1000);
    EXPECT_FALSE(frame.lblLogging()->isHidden());
    sim.advance(1000);
    EXPECT_TRUE(frame.lblLogging()->isHidden());
    sim.advance(1000);
    frame.cmdStartLog()->click();
    EXPECT_FALSE(frame.LoggingActive());
    EXPECT_TRUE(frame.lblLogging()->isHidden());
    sim.advance(1000);
    EXPECT_TRUE(frame.lblLogging()->isHidden());
    frame.WriteLogLine(7);
    EXPECT_EQ(logBytes(), "");
    EXPECT_TRUE(frame.LogFileOpen());
}

TEST_F(LogFrameTest, FullDeviceStopsLoggingOnceAndKeepsTheFileOpen)
{
    if (!QFile::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    openAndStart("/dev/full");
    // Sentences come in at 200 a second, also while the box is up.
    sim.ports.addDevice(1);
    auto port = sim.ports.createPort();
    port->setPortNumber(1);
    port->setReceiveHandler([&] {
        port->readAll();
        frame.WriteLogLine(7);
    });
    ASSERT_TRUE(port->open());
    for (int i = 0; i < 1000; ++i)
        sim.ports.openPort(1)->deliver("$", sim.now() + 5 * i);
    sim.advance(5000);
    EXPECT_EQ(sim.messages.mostOpenAtOnce(), 1);
    ASSERT_EQ(sim.messages.shown().size(), 1u);
    EXPECT_TRUE(sim.messages.texts()[0].startsWith(
        QString::fromUtf8("There was an error writing log file. Log will now stop!\r\n\r\nErrr N° ")));
    EXPECT_EQ(sim.messages.shown()[0].icon, platform::MessageIcon::Exclamation);
    EXPECT_FALSE(frame.LoggingActive());
    EXPECT_TRUE(frame.LogFileOpen());
    EXPECT_EQ(frame.cmdStartLog()->text(), "Start Logging");
}

TEST_F(LogFrameTest, RemovedFileStopsLoggingAndKeepsWhatWasWritten)
{
    openAndStart(logPath());
    frame.WriteLogLine(1);
    const QString kept = QDir(dir.path()).filePath("kept.txt");
    ASSERT_TRUE(QFile::rename(logPath(), kept));
    frame.WriteLogLine(1);
    ASSERT_EQ(sim.messages.shown().size(), 1u);
    EXPECT_TRUE(sim.messages.texts()[0].contains(logPath()));
    EXPECT_FALSE(frame.LoggingActive());
    EXPECT_EQ(bytesOf(kept), "Azimuth;\r\n328.1;\r\n");
}

} // namespace
