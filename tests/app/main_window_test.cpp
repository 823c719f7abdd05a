#include "main_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {

TEST_F(MainWindowTest, FirstStartShowsTheNoticeOnceAndOpensOnTheDataView)
{
    load();
    EXPECT_EQ(sim->messages.texts(), QStringList{"Configuration file not found or bad version, default loaded."});
    EXPECT_EQ(sim->messages.shown().front().icon, platform::MessageIcon::Information);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("Compass.ini")));
    EXPECT_EQ(window->windowTitle(),
              "Quorvane Orvex Demo Utility V2.6" + QString(31, ' ') + "(Nov 5, 2010)");
    EXPECT_TRUE(shown("frViewData"));
    EXPECT_FALSE(shown("frCS"));
    expectPort(false);
    EXPECT_FALSE(sim->ports.openPort(2));
    EXPECT_FALSE(shown("lblPresent"));
    sim->advance(500);
    EXPECT_TRUE(shown("lblPresent"));
    EXPECT_EQ(control<QLabel>("lblPresent")->text(), "- Compass Not Connected -");
    EXPECT_FALSE(enabled("cmdShowCmpData"));

    EXPECT_EQ(control<QLabel>("lblHeading")->text(), "?");
    EXPECT_EQ(window->Com().portNumber(), 2);
    EXPECT_EQ(window->Com().settings(), "19200,N,8,1");

    // Later starts load the file silently.
    window.reset();
    load();
    EXPECT_TRUE(sim->messages.shown().empty());
}

TEST_F(MainWindowTest, OpenPortTries20Times100MsApartThenWarnsWithTheReason)
{
    load();
    sim->messages.clear();
    sim->ports.removeDevice(2);
    auto start = sim->now();
    press("cmdOpen");
    ASSERT_EQ(sim->messages.texts(), QStringList{"Can't open the communication port after 20 tries."});
    const auto &box = sim->messages.shown().front();
    EXPECT_GE(box.at - start, 20u * 100u);
    EXPECT_LE(box.at - start, 20u * 102u);
    EXPECT_EQ(box.icon, platform::MessageIcon::Exclamation);
    EXPECT_EQ(box.detail, "COM2 is /dev/ttyS1: No such file or directory. Plug the device in, or choose its port "
                          "with Configure.");
    expectPort(false);

    // A device that appears during the retries is taken at the next one.
    auto appear = sim->pump.createTimer();
    appear->setTickHandler([&] { sim->ports.addDevice(2); appear->setEnabled(false); });
    appear->setInterval(1000);
    appear->setEnabled(true);
    start = sim->now();
    press("cmdOpen");
    EXPECT_NEAR(double(sim->now() - start), 1010.0, 15.0);
    expectPort(true);
    press("cmdClose");
    expectPort(false);

    sim->ports.denyAccess(2);
    press("cmdOpen");
    EXPECT_EQ(sim->messages.shown().back().detail,
              "COM2 is /dev/ttyS1: Permission denied. Add your user to the dialout group, then log in again.");
}

TEST_F(MainWindowTest, SilentCompassIsPolledEvery5SecondsAndDataBringsItBack)
{
    load();
    press("cmdOpen");
    sim->advance(2000);
    EXPECT_TRUE(shown("lblPresent"));
    EXPECT_TRUE(window->link().tmrAskCmp().isEnabled());
    compass().clearWritten();
    sim->advance(10000);
    // Each poll starts with the escape character and asks for the dump with "&".
    int polls = 0;
    for (const auto &chunk : compass().written())
        polls += chunk.bytes == "&";
    EXPECT_EQ(polls, 2);

    // Lines again: the notice goes within half a second and polling stops.
    auto feed = sim->pump.createTimer();
    feed->setTickHandler([&] { compass().deliver("$C10.0P1.0R2.0*00\r\n"); });
    feed->setInterval(100);
    feed->setEnabled(true);
    sim->advance(600);
    EXPECT_FALSE(shown("lblPresent"));
    EXPECT_TRUE(enabled("cmdShowCmpData"));
    sim->advance(2000);
    EXPECT_FALSE(window->link().tmrAskCmp().isEnabled());
    EXPECT_EQ(control<QLabel>("lblHeading")->text(), QString::fromUtf8("10°"));
}

// Only what arrives after Open Port is live: what the device kept while the
// port was closed, and the head of a line that Close Port cut, are never parsed.
TEST_F(MainWindowTest, OpenPortStartsOnLiveData)
{
    load();
    auto &device = static_cast<platform::sim::SimSerialPort &>(window->Com());
    for (int i = 0; i < 35; ++i)
        device.deliver("$C111.0P1.0R1.0*00\r\n", sim->now() + 100 * i);
    sim->advance(3500);
    const std::int32_t before = window->sampleNumber();
    press("cmdOpen");
    sim->advance(10);
    EXPECT_EQ(window->sampleNumber(), before) << "sentences from before the open";
    compass().deliver("$C222.0P2.0R2.0*00\r\n");
    sim->advance(100);
    EXPECT_EQ(window->sampleNumber(), before + 1);
    EXPECT_EQ(control<QLabel>("lblHeading")->text(), QString::fromUtf8("222°"));

    compass().deliver("$C333.0P-0");
    sim->advance(10);
    press("cmdClose");
    press("cmdOpen");
    compass().deliver("$C10.0P1.0R2.0*00\r\n");
    sim->advance(100);
    EXPECT_EQ(control<QLabel>("lblHeading")->text(), QString::fromUtf8("10°"));
}

// The port opens while the module is in the middle of a sentence in the comma
// form: the tail "8.1,-0.4,1.2" would read as heading 8.1. It is not read;
// the next, whole sentence is.
TEST_F(MainWindowTest, TheTailOfASentenceBegunBeforeTheOpenIsNotRead)
{
    load();
    window->state().Settings.DisplayFields = 7;  // as the module's last dump said
    press("cmdOpen");
    const std::int32_t before = window->sampleNumber();
    compass().deliver("8.1,-0.4,1.2\r\n");
    sim->advance(10);
    EXPECT_EQ(window->sampleNumber(), before);
    EXPECT_EQ(control<QLabel>("lblHeading")->text(), "?");
    compass().deliver("$OHPR,329.0,-0.5,1.1\r\n");
    sim->advance(10);
    EXPECT_EQ(window->sampleNumber(), before + 1);
    EXPECT_EQ(control<QLabel>("lblHeading")->text(), QString::fromUtf8("329°"));
}

// The supervision ticks every 500 ms from the start, one of them as the port
// opens: a line 1801 ms before a tick leaves the compass silent, one 1800 ms before keeps it alive.
TEST_F(MainWindowTest, SilenceOfMoreThan1800MsShowsTheNotice)
{
    load();
    press("cmdOpen");
    const auto opened = sim->now();
    compass().deliver("CMD:\r\n", opened + 199);
    sim->advance(1999);
    EXPECT_FALSE(shown("lblPresent"));
    EXPECT_TRUE(enabled("cmdShowCmpData"));
    sim->advance(1);
    EXPECT_TRUE(shown("lblPresent"));
    EXPECT_FALSE(enabled("cmdShowCmpData"));
    compass().deliver("CMD:\r\n", opened + 2700);
    sim->advance(2500);
    EXPECT_FALSE(shown("lblPresent"));
    sim->advance(500);
    EXPECT_TRUE(shown("lblPresent"));
}

TEST_F(MainWindowTest, Format16CompassStaysAliveOnPollsAndShowsTheNotice)
{
    load();
    press("cmdOpen");
    // The compass answers every dump request; it sends no data sentences.
    compass().setPeer([this](std::string_view bytes) {
        if (bytes == "&")
            compass().deliver("OUTPUT_FORMAT=16\r\nDISPLAY_FIELDS=7\r\n", sim->now() + 20);
    });
    sim->advance(30000);
    EXPECT_FALSE(shown("lblPresent"));
    EXPECT_TRUE(shown("lblFormat16"));
    EXPECT_EQ(control<QLabel>("lblFormat16")->text(), "NO DATA DISPLAY, FORMAT SET TO 16. CHANGE FOR DATA DISPLAY");
    EXPECT_EQ(window->state().AliveTimeout, 7000);
    EXPECT_TRUE(window->link().tmrAskCmp().isEnabled());

    // A port opened again knows nothing of the compass until it has read the settings.
    press("cmdClose");
    press("cmdOpen");
    sim->messages.clear();
    press("cmdShowCmpData");
    EXPECT_EQ(sim->messages.texts(),
              QStringList{"Firmware version is v1.4 or older. This function is not implemented."});
}

TEST_F(MainWindowTest, SupervisionMeasuresSilenceAcrossTheTickWrap)
{
    load(0xFFFFF000u);  // the tick count wraps at 4096 ms
    press("cmdOpen");
    const auto opened = sim->now();
    for (platform::sim::VirtualMs at = opened; at <= opened + 2000; at += 100)
        compass().deliver("CMD:\r\n", at);
    ASSERT_LT(opened + 2000, 4096u);
    sim->advance(3500);
    EXPECT_FALSE(shown("lblPresent")) << "1500 ms of silence";
    sim->advance(500);
    EXPECT_TRUE(shown("lblPresent")) << "2000 ms of silence";
}

// Whatever is wrong with Compass.ini, the window starts on working settings and says so in one message.
TEST_F(MainWindowTest, ABadConfigurationIsToldOnceAndTheWindowWorks)
{
    const QString file = dir.filePath("Compass.ini");
    const auto writeFile = [&](const QByteArray &bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    const auto startsAndWorks = [&](const char *what) {
        SCOPED_TRACE(what);
        load();
        EXPECT_EQ(sim->messages.shown().size(), 1u) << sim->messages.texts().join(" | ").toStdString();
        press("cmdOpen");
        EXPECT_TRUE(window->Com().isOpen());
        press("cmdClose");
        window.reset();
    };

    // Version 4, then a length far beyond the end.
    writeFile(QByteArray("\x04\x00\xF0\xFF" "12", 6));
    startsAndWorks("damaged file");
    EXPECT_EQ(sim->messages.texts().front(),
              "The configuration file " + file + " is damaged: it is cut short at the port number. The settings "
              "not read from it have their default values; check them with Configure.");

    writeFile(QByteArray(87, '\xA5'));
    startsAndWorks("noise of the right length");
    EXPECT_EQ(sim->messages.texts().front(), "Configuration file not found or bad version, default loaded.");

    // Port "-2" in the file just written: the port alone takes its default.
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray defaults = written.readAll();
    writeFile(defaults.left(2) + QByteArray("\x02\x00-2", 4) + defaults.mid(5));
    startsAndWorks("port -2");
    EXPECT_EQ(sim->messages.texts().front(),
              "The configuration file " + file + " is damaged: the port number \"-2\" names no COM port. The "
              "settings not read from it have their default values; check them with Configure.");
}

// By keyboard: Tab goes down the button column, and the port buttons hand the
// focus to each other instead of letting it fall on Quit.
TEST_F(MainWindowTest, PortButtonsPassTheFocusToEachOtherAndTabGoesDownTheColumn)
{
    load();
    window->show();
    QApplication::setActiveWindow(window.get());
    sim->advance(500);  // nothing answers: Show Compass Data goes grey
    auto *open = control<QAbstractButton>("cmdOpen");
    open->setFocus();
    QStringList order;
    for (int i = 0; i < 5; ++i) {
        order << QApplication::focusWidget()->objectName();
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &tab);
    }
    // With the port closed and no compass, Close Port and Show Compass Data are skipped.
    EXPECT_EQ(order.join(' '), "cmdOpen cmdConfigure cmdShowCSetup cmdExit cmdShowCmpGraph");

    open->setFocus();
    open->click();
    ASSERT_TRUE(window->Com().isOpen());
    EXPECT_EQ(QApplication::focusWidget(), control("cmdClose"));
    control<QAbstractButton>("cmdClose")->click();
    EXPECT_EQ(QApplication::focusWidget(), open);
}

// Whatever opened the port last, the buttons show whether it is open.
TEST_F(MainWindowTest, PortButtonsShowThePortAsItIsAfterEveryOpen)
{
    load();
    window->show();
    // The wizard's compass object opens the closed port.
    QTimer::singleShot(0, [] {
        auto *password = QApplication::activeModalWidget();
        password->findChild<QLineEdit *>("txtPass")->setText("KwPPe");
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        password->findChild<QAbstractButton *>("cmdOK")->click();
    });
    window->cmdHighTemp_Click();
    ASSERT_EQ(window->DialogResult, 1);
    expectPort(true);

    // Configure confirmed closes the open port and cannot open it again.
    sim->ports.removeDevice(2);
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->findChild<QAbstractButton *>("cmdOk")->click(); });
    window->cmdConfigure_Click();
    ASSERT_EQ(window->DialogResult, 1);
    EXPECT_TRUE(sim->messages.texts().back().startsWith("The Comm Port COM2 couldn't be opened after 20 tries."));
    expectPort(false);

    // The factory-space switch reopens the open port for the compass object, which is refused.
    sim->ports.addDevice(2);
    press("cmdOpen");
    expectPort(true);
    sim->ports.denyAccess(2);
    control<QCheckBox>("chkShiftMode")->setChecked(true);
    EXPECT_TRUE(sim->messages.texts().back().startsWith("Compass can't open port COM2."));
    expectPort(false);
}

// Every file dialog opens where the user last chose a file, the log's and the charts' alike.
TEST_F(MainWindowTest, FileDialogsOpenInTheFolderLastUsed)
{
    load();
    ASSERT_TRUE(QDir(dir.path()).mkdir("logs"));
    const QString logs = dir.filePath("logs");
    sim->files.queueAnswer(logs + "/readings.txt");
    press("cmdOpenLog");
    ASSERT_EQ(control<QLabel>("lblLogFile")->text(), logs + "/readings.txt");
    QWidget *chart = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->objectName() == "frmCmpGraph")
            chart = top;
    ASSERT_NE(chart, nullptr);
    chart->findChild<QAction *>("mnuExportData")->trigger();
    const QFileInfo offered(sim->files.requests().back().initialPath);
    EXPECT_EQ(offered.absolutePath().toStdString(), logs.toStdString());
    EXPECT_EQ(offered.suffix(), "csv");
    // A cancelled dialog leaves the folder as it was.
    press("cmdOpenLog");
    press("cmdOpenLog");
    EXPECT_EQ(sim->files.requests().back().initialPath.toStdString(), logs.toStdString());
}

} // namespace
