// The program against faults on the line and in its files.
#include "fault_end_to_end.h"
#include "tools/pseudo_terminal.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>
#include <algorithm>
#include <random>

namespace {

#if defined(__SANITIZE_ADDRESS__)
#define COMPASS_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define COMPASS_UNDER_ASAN 1
#endif
#endif
#if defined(COMPASS_UNDER_ASAN)
constexpr bool RunsUnderAddressSanitizer = true;
#else
constexpr bool RunsUnderAddressSanitizer = false;
#endif

TEST_F(FaultEndToEnd, UnpluggedAdapterClosesThePortKeepsTheLogAndOpensAgain)
{
    auto compass = std::make_unique<SimulatedCompass>(dir.path(), 2, QStringList{"--quiet", "--rate", "20"});
    ASSERT_TRUE(compass->linked());
    start();
    const QString logPath = QDir(dir.path()).filePath("log.txt");
    startLog(logPath);
    const std::int32_t firstSample = window->sampleNumber();
    button("cmdOpen")->click();
    ASSERT_TRUE(window->Com().isOpen());
    ASSERT_TRUE(waitFor([&] { return logDataLines(logPath).size() >= 10; }, 8000));
    messages.clear();

    compass->kill();
    ASSERT_TRUE(waitFor([&] { return !window->Com().isOpen() && !messages.isEmpty(); }, 5000));
    EXPECT_TRUE(told("COM2")) << messages.join('|').toStdString();
    EXPECT_TRUE(told("stopped working: the device was removed.")) << messages.join('|').toStdString();
    EXPECT_TRUE(told("Open Port")) << messages.join('|').toStdString();
    EXPECT_TRUE(enabled("cmdOpen"));
    EXPECT_FALSE(enabled("cmdClose"));
    // Every sentence the program took in before the loss is in the file, whole.
    const std::int32_t samplesBeforeLoss = window->sampleNumber() - firstSample;
    EXPECT_EQ(logDataLines(logPath).size(), samplesBeforeLoss);
    for (const QString &line : logDataLines(logPath))
        EXPECT_TRUE(line.endsWith(";\r")) << line.toStdString();

    // Idle after the loss: the dead line does not keep the program busy.
    EXPECT_LT(cpuSecondsWhileWaiting(1000), 0.3);
    EXPECT_EQ(messages.size(), 1) << messages.join('|').toStdString();

    // Nothing to open while the adapter is away.
    button("cmdOpen")->click();
    EXPECT_FALSE(window->Com().isOpen());
    EXPECT_TRUE(told("Can't open the communication port after 20 tries."));
    EXPECT_TRUE(enabled("cmdOpen"));

    // Plugged in again: Open Port works and the same log goes on.
    compass = std::make_unique<SimulatedCompass>(dir.path(), 2, QStringList{"--quiet", "--rate", "20"});
    ASSERT_TRUE(compass->linked());
    button("cmdOpen")->click();
    ASSERT_TRUE(window->Com().isOpen());
    EXPECT_FALSE(enabled("cmdOpen"));
    EXPECT_TRUE(enabled("cmdClose"));
    EXPECT_TRUE(waitFor([&] { return window->sampleNumber() - firstSample > samplesBeforeLoss + 5; }, 5000));
    EXPECT_TRUE(logFrame()->LoggingActive());
    EXPECT_EQ(logDataLines(logPath).size(), window->sampleNumber() - firstSample);
    EXPECT_TRUE(waitFor([&] { return !control("lblPresent")->isVisibleTo(window.get()); }, 3000));
}

} // namespace

// A module that loses power in the middle of an exchange: the exchange ends
// with its failure, the port is closed, and a new module is taken up again.
class DeadLineEndToEnd : public FaultEndToEnd {
protected:
    void openOn(SimulatedCompass &compass)
    {
        ASSERT_TRUE(compass.linked());
        startWithDataFlowing();
    }
    // Runs `press` and returns how long it kept the program in it, in ms.
    qint64 timed(const std::function<void()> &press)
    {
        QElapsedTimer clock;
        clock.start();
        press();
        return clock.elapsed();
    }
    void expectPortClosedAndSaid()
    {
        EXPECT_TRUE(waitFor([&] { return !window->Com().isOpen(); }, 3000));
        EXPECT_TRUE(told("COM2")) << messages.join('|').toStdString();
        EXPECT_TRUE(enabled("cmdOpen"));
        EXPECT_FALSE(enabled("cmdClose"));
    }
    // A working module on the same port: Open Port brings data and settings again.
    void expectUsableAgain()
    {
        SimulatedCompass again(dir.path(), 2, {"--quiet"});
        ASSERT_TRUE(again.linked());
        messages.clear();
        button("cmdOpen")->click();
        ASSERT_TRUE(window->Com().isOpen()) << messages.join('|').toStdString();
        EXPECT_TRUE(waitFor([&] { return window->state().DumpReceived && window->state().SettingsKnown; }, 8000));
        EXPECT_EQ(window->state().Settings.OutputRate, 10);
    }
};

TEST_F(DeadLineEndToEnd, ModuleDyingDuringASettingsCommand)
{
    SimulatedCompass compass(dir.path(), 2, {"--hang-up-on", QString::number('R')});
    openOn(compass);
    ASSERT_TRUE(waitFor([&] { return window->state().SettingsKnown; }, 8000));
    button("cmdShowCSetup")->click();
    control<QLineEdit>("txtCSOutRate")->setText("5");
    messages.clear();
    const qint64 took = timed([&] { button("cmdSet(1)")->click(); });
    EXPECT_LT(took, 5000);
    expectPortClosedAndSaid();
    expectUsableAgain();
}

TEST_F(DeadLineEndToEnd, ModuleDyingInTheMiddleOfTheSettingsDump)
{
    SimulatedCompass compass(dir.path(), 2, {"--hang-up-on", QString::number('&')});
    messages.clear();
    openOn(compass);
    expectPortClosedAndSaid();
    // Half a dump is not the module's settings.
    EXPECT_FALSE(window->state().SettingsKnown);
    expectUsableAgain();
}

TEST_F(DeadLineEndToEnd, ModuleDyingDuringTheEscapeSearch)
{
    SimulatedCompass compass(dir.path(), 2, {"--escape", "3", "--hang-up-on", "1"});
    openOn(compass);
    button("cmdShowCSetup")->click();
    platform::Wait(machine.platform, 1500);
    messages.clear();
    const qint64 took = timed([&] { button("cmdIDEsc")->click(); });
    EXPECT_LT(took, 3000);
    EXPECT_TRUE(told("ESC Command was not found, please check if the compass is connected to the computer"));
    expectPortClosedAndSaid();
    expectUsableAgain();
}

// The program's port on a pty this test writes to, as a line at the wrong
// baud rate delivers noise.
class NoisyLineEndToEnd : public FaultEndToEnd {
protected:
    NoisyLineEndToEnd() : link(QDir(dir.path()).filePath("ports").toStdString(), 2, line.slavePath()) {}

    // Writes `chunk()` every 2 ms for `ms`, while noting the longest the event loop went unserved.
    void feedFor(int ms, const std::function<std::string()> &chunk)
    {
        QTimer writer;
        writer.setInterval(2);
        QObject::connect(&writer, &QTimer::timeout, [&] { line.write(chunk()); });
        QElapsedTimer sinceBeat;
        sinceBeat.start();
        QTimer heartbeat;
        heartbeat.setInterval(10);
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            longestStall = std::max(longestStall, sinceBeat.restart());
        });
        writer.start();
        heartbeat.start();
        platform::Wait(machine.platform, ms);
    }
    std::string bytes(std::size_t n, int low, int high)
    {
        std::uniform_int_distribution<int> pick(low, high);
        std::string out(n, '\0');
        for (char &c : out)
            c = static_cast<char>(pick(random));
        return out;
    }
    std::string bytesWithoutLf(std::size_t n, int low, int high)
    {
        std::string out = bytes(n, low, high);
        std::replace(out.begin(), out.end(), '\n', '.');
        return out;
    }

    compass_sim::PseudoTerminal line;
    compass_sim::PortLink link;
    std::mt19937 random{20261207};
    qint64 longestStall = 0;
};

TEST_F(NoisyLineEndToEnd, WrongBaudNoiseKeepsMemoryBoundedAndTheProgramResponsive)
{
    start();
    button("cmdOpen")->click();
    ASSERT_TRUE(window->Com().isOpen());
    button("cmdShowCSetup")->click();
    control<QCheckBox>("chkShowCompassData")->setChecked(true);
    platform::Wait(machine.platform, 200);
    const long residentBefore = residentKiB();

    feedFor(1500, [&] { return bytesWithoutLf(4096, 0, 255); });
    feedFor(1000, [&] { return std::string(4096, '\0'); });
    feedFor(1000, [&] { return bytesWithoutLf(4096, 128, 255); });
    // Lines of 100 kB, some of them looking like data.
    std::size_t written = 0;
    feedFor(1500, [&] {
        std::string chunk = bytesWithoutLf(4096, 32, 255);
        if ((written += chunk.size()) >= 100'000) {
            written = 0;
            chunk.back() = '\n';
            chunk.front() = '$';
        }
        return chunk;
    });

    // A pty has no framing errors: noise alone raises no warning.
    EXPECT_FALSE(control("lbl1004")->isVisibleTo(window.get()));
    EXPECT_LE(window->receivePath().LineBuffer.size(), app::ReceivePath::MaxLineBuffer);
    EXPECT_LE(control<QPlainTextEdit>("txtInput")->toPlainText().size(), 2000 + 4096 + 2);
    // AddressSanitizer holds freed memory back for a while, so only a plain build shows the true figure.
    if (!RunsUnderAddressSanitizer)
        EXPECT_LT(residentKiB() - residentBefore, 32 * 1024) << "resident memory grew by KiB";
    EXPECT_LT(longestStall, 500) << "the event loop went unserved for ms";

    // Clean sentences again: the program reads them at once.
    line.write("\r\n");
    ASSERT_TRUE(waitFor([&] {
        line.write("$C123.4P1.5R-2.5*00\r\n");
        return control<QLabel>("lblHeading")->text() == QString::fromUtf8("123.4°");
    }, 3000)) << control<QLabel>("lblHeading")->text().toStdString();
    EXPECT_TRUE(window->Com().isOpen());
}
