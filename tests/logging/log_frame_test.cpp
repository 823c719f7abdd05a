#include "controls/xp_button.h"
#include "fake_instrument.h"
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

class LogFrameTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    platform::sim::SimPlatform sim{dir.path()};
    FakeInstrument horizon;
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
    QByteArray logBytes() const
    {
        QFile f(logPath());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
};

TEST_F(LogFrameTest, CancelledChoiceIsTheOpenErrorAndLeavesTheLogClosed)
{
    frame.cmdOpenLog()->click();
    ASSERT_EQ(sim.files.requests().size(), 1u);
    EXPECT_EQ(sim.files.requests()[0].filter, "Text File (*.txt)|*.txt");
    EXPECT_TRUE(sim.files.requests()[0].pathMustExist);
    ASSERT_EQ(sim.messages.shown().size(), 1u);
    EXPECT_EQ(sim.messages.texts()[0],
              QString::fromUtf8("There was an error opening file.\r\n\r\nErorr N° 6: The file choice was cancelled."));
    EXPECT_EQ(sim.messages.shown()[0].icon, platform::MessageIcon::Exclamation);
    EXPECT_FALSE(frame.LogFileOpen());
    EXPECT_FALSE(frame.cmdStartLog()->isEnabled());
    EXPECT_EQ(frame.cmdOpenLog()->text(), "Open Log");

    // A file that cannot be made is reported the same way.
    openLog(dir.path());
    ASSERT_EQ(sim.messages.shown().size(), 2u);
    EXPECT_TRUE(sim.messages.texts()[1].startsWith("There was an error opening file.\r\n\r\nErorr N° "));
    EXPECT_FALSE(frame.LogFileOpen());
}

TEST_F(LogFrameTest, HeaderThenOneLinePerSentence)
{
    openAndStart(logPath());
    EXPECT_EQ(frame.lblLogFile()->text(), logPath());
    EXPECT_EQ(frame.cmdOpenLog()->text(), "Close Log");
    EXPECT_EQ(frame.cmdStartLog()->text(), "Stop Logging");
    frame.WriteLogLine(7);
    horizon.setValue(platform::Instrument::Heading, 0.5);
    frame.WriteLogLine(7);
    EXPECT_EQ(logBytes(), "Azimuth;Pitch;Roll;\r\n328.1;-0.4;1.2;\r\n0.5;-0.4;1.2;\r\n");

    // Another set of items, then the time box: a new header each time.
    frame.WriteLogLine(8 | 64);
    frame.chkLogTime()->setChecked(true);
    frame.WriteLogLine(8 | 64);
    EXPECT_TRUE(logBytes().endsWith("Temperature;Mag. X;Mag. Y;Mag Z;\r\nL3;L6;L7;L8;\r\n"
                                    "Time;Temperature;Mag. X;Mag. Y;Mag Z;\r\n09:30:00;L3;L6;L7;L8;\r\n"));
    EXPECT_TRUE(sim.messages.shown().empty());
}

TEST_F(LogFrameTest, DateAndTimeComeFromTheClockInTheUsersFormats)
{
    sim.locale.setDateFormat("yyyy-MM-dd");
    sim.locale.setTimeFormat("h:mm");
    sim.clock.setWallClockStart(QDateTime(QDate(2026, 3, 4), QTime(17, 5, 0)));
    frame.chkLogDate()->setChecked(true);
    frame.chkLogTime()->setChecked(true);
    openAndStart(logPath());
    frame.WriteLogLine(1);
    EXPECT_EQ(logBytes(), "Date;Time;Azimuth;\r\n2026-03-04;17:05;328.1;\r\n");
}

TEST_F(LogFrameTest, AnExistingFileIsAppendedToWithANewHeader)
{
    {
        QFile f(logPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Azimuth;\r\n1;\r\n");
    }
    openAndStart(logPath());
    frame.WriteLogLine(1);
    EXPECT_EQ(logBytes(), "Azimuth;\r\n1;\r\nAzimuth;\r\n328.1;\r\n");

    // Reopening always begins with a header, even for the same columns.
    frame.cmdOpenLog()->click();
    openAndStart(logPath());
    frame.WriteLogLine(1);
    EXPECT_EQ(logBytes(), "Azimuth;\r\n1;\r\nAzimuth;\r\n328.1;\r\nAzimuth;\r\n328.1;\r\n");
}

TEST_F(LogFrameTest, NothingIsWrittenWhileNotLogging)
{
    openLog(logPath());
    frame.WriteLogLine(7);
    frame.cmdStartLog()->click();
    frame.cmdStartLog()->click(); // stop
    EXPECT_FALSE(frame.LoggingActive());
    frame.WriteLogLine(7);
    EXPECT_EQ(logBytes(), "");
    EXPECT_TRUE(frame.LogFileOpen());
}

TEST_F(LogFrameTest, LoggingLabelBlinksOnceASecondWhileLogging)
{
    openAndStart(logPath());
    EXPECT_TRUE(frame.tmrLogging().isTicking());
    EXPECT_EQ(frame.tmrLogging().interval(), 1000);
    EXPECT_TRUE(frame.lblLogging()->isHidden());
    sim.advance(1000);
    EXPECT_FALSE(frame.lblLogging()->isHidden());
    sim.advance(1000);
    EXPECT_TRUE(frame.lblLogging()->isHidden());
    sim.advance(1000);
    frame.cmdStartLog()->click();
    EXPECT_TRUE(frame.lblLogging()->isHidden());
    EXPECT_FALSE(frame.tmrLogging().isTicking());
}

TEST_F(LogFrameTest, CloseWhileLoggingStopsAndANewFileStartsAfresh)
{
    openAndStart(logPath());
    sim.advance(1000);
    frame.cmdOpenLog()->click();
    EXPECT_FALSE(frame.LoggingActive());
    EXPECT_FALSE(frame.LogFileOpen());
    EXPECT_TRUE(frame.lblLogging()->isHidden());
    EXPECT_TRUE(frame.lblLogFile()->text().isEmpty());
    EXPECT_FALSE(frame.cmdStartLog()->isEnabled());
    EXPECT_EQ(frame.cmdStartLog()->text(), "Start Logging");
    EXPECT_EQ(frame.cmdOpenLog()->text(), "Open Log");

    const QString second = QDir(dir.path()).filePath("second.txt");
    openAndStart(second);
    frame.WriteLogLine(2);
    QFile f(second);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "Pitch;\r\n-0.4;\r\n");
}

TEST_F(LogFrameTest, FullDeviceStopsLoggingAndKeepsTheFileOpen)
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

    // Logging can start again; it fails again, once per sentence tried.
    frame.cmdStartLog()->click();
    frame.WriteLogLine(7);
    frame.WriteLogLine(7);
    EXPECT_EQ(sim.messages.shown().size(), 2u);
}

TEST_F(LogFrameTest, RemovedFileStopsLoggingAndKeepsWhatWasWritten)
{
    openAndStart(logPath());
    frame.WriteLogLine(1);
    const QByteArray written = logBytes();
    const QString kept = QDir(dir.path()).filePath("kept.txt");
    ASSERT_TRUE(QFile::rename(logPath(), kept));
    frame.WriteLogLine(1);
    ASSERT_EQ(sim.messages.shown().size(), 1u);
    EXPECT_TRUE(sim.messages.texts()[0].contains(logPath()));
    EXPECT_FALSE(frame.LoggingActive());
    QFile f(kept);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), written);
    EXPECT_EQ(written, "Azimuth;\r\n328.1;\r\n");
}

} // namespace
