#include "platform/qt/qt_platform.h"
#include "platform/wait.h"
#include "tools/pseudo_terminal.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

using compass_sim::PortLink;
using compass_sim::PseudoTerminal;

class QtSerialPortTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    platform::qt::QtPlatform qt{dir.path()};
    std::string portsDir() const { return QDir(dir.path()).filePath("ports").toStdString(); }
    // A port on COM2, linked to `line`.
    std::unique_ptr<platform::SerialPort> com2On(const PseudoTerminal &line)
    {
        link = std::make_unique<PortLink>(portsDir(), 2, line.slavePath());
        auto port = qt.ports.createPort();
        port->setPortNumber(2);
        return port;
    }
    std::unique_ptr<PortLink> link;
    // Runs the event loop until `done`, for a second at most.
    bool waitFor(const std::function<bool()> &done)
    {
        for (int i = 0; i < 100 && !done(); ++i)
            platform::Wait(qt.platform, 10);
        return done();
    }
};

TEST_F(QtSerialPortTest, PassesBytesBothWaysAndNestsReceiveEventsWhileTheHandlerWaits)
{
    PseudoTerminal line(PseudoTerminal::Slave::LeftToProgram);
    PortLink link(portsDir(), 2, line.slavePath());
    auto port = qt.ports.createPort();
    port->setPortNumber(2);
    port->setSettings("19200,N,8,1");
    std::string received;
    int depth = 0, maxDepth = 0;
    bool nested = false;
    port->setReceiveHandler([&] {
        EXPECT_EQ(port->commEvent(), platform::SerialPort::EventReceive);
        maxDepth = std::max(maxDepth, ++depth);
        received += port->readAll();
        if (depth == 1 && !nested) {
            nested = true;
            line.write("b");
            waitFor([&] { return received.back() == 'b'; });
        }
        --depth;
    });
    ASSERT_TRUE(port->open()) << port->errorString();
    line.write("$C1.0\r\n");
    EXPECT_TRUE(waitFor([&] { return received.size() >= 8; }));
    EXPECT_EQ(received, "$C1.0\r\nb");
    EXPECT_EQ(maxDepth, 2);
    port->write("\x1b&");
    platform::Wait(qt.platform, 50);
    char sent[8] = {};
    EXPECT_EQ(::read(line.masterFd(), sent, sizeof sent), 2);
    EXPECT_EQ(std::string(sent), "\x1b&");
}

// A pseudo-terminal, like a USB adapter, keeps what came while the port was closed.
TEST_F(QtSerialPortTest, DiscardedInputIsGoneDownToTheDevicesBuffer)
{
    PseudoTerminal line(PseudoTerminal::Slave::LeftToProgram);
    auto port = com2On(line);
    std::string received;
    port->setReceiveHandler([&] { received += port->readAll(); });
    ASSERT_EQ(line.write("$C111.0\r\n"), 9u);
    ASSERT_TRUE(port->open()) << port->errorString();
    port->discardInput();
    line.write("$C222.0\r\n");
    EXPECT_TRUE(waitFor([&] { return received.size() >= 9; }));
    platform::Wait(qt.platform, 50);
    EXPECT_EQ(received, "$C222.0\r\n");
}

TEST_F(QtSerialPortTest, MissingDeviceRefusedSettingsAndABusyPortFailTheOpen)
{
    auto port = qt.ports.createPort();
    PortLink dangling(portsDir(), 7, "/dev/pts/999999");
    port->setPortNumber(7);
    EXPECT_FALSE(port->open());
    EXPECT_EQ(port->errorString(), "COM7 is /dev/pts/999999: No such file or directory.");
    EXPECT_EQ(port->failure(), platform::SerialPort::Failure::NoDevice);
    EXPECT_FALSE(port->isOpen());

    PseudoTerminal line;
    PortLink link(portsDir(), 2, line.slavePath());
    port->setPortNumber(2);
    port->setSettings("9600,N,8,1.5");
    EXPECT_FALSE(port->open());
    EXPECT_FALSE(port->isOpen());
    port->setSettings("9600,X,8,1");
    EXPECT_FALSE(port->open());
    EXPECT_NE(port->errorString().find("parity"), std::string::npos);
    EXPECT_EQ(port->failure(), platform::SerialPort::Failure::Settings);
    port->setSettings("38400,N,8,2");
    EXPECT_TRUE(port->open()) << port->errorString();
    auto second = qt.ports.createPort();
    second->setPortNumber(2);
    EXPECT_FALSE(second->open());
    EXPECT_EQ(second->failure(), platform::SerialPort::Failure::Busy) << second->errorString();
}

TEST_F(QtSerialPortTest, VanishedPeerClosesThePortAndReportsItOnce)
{
    auto line = std::make_unique<PseudoTerminal>(PseudoTerminal::Slave::LeftToProgram);
    PortLink link(portsDir(), 2, line->slavePath());
    auto port = qt.ports.createPort();
    port->setPortNumber(2);
    int lost = 0;
    std::string reason;
    port->setReceiveHandler([&] { port->readAll(); });
    port->setLostHandler([&](const std::string &r) { ++lost; reason = r; });
    ASSERT_TRUE(port->open());
    line.reset();
    EXPECT_TRUE(waitFor([&] { return lost > 0; }));
    platform::Wait(qt.platform, 50);
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(port->isOpen());
    EXPECT_NE(reason.find("COM2"), std::string::npos);
    // The pseudo-terminal's node goes with its far end, as a USB adapter's does.
    EXPECT_NE(reason.find("stopped working: the device was removed."), std::string::npos) << reason;
    EXPECT_EQ(port->failure(), platform::SerialPort::Failure::Removed);
}

// A line hung up while its device stays (as a tap or a modem line does) is told
// apart from a device that went: the node is still there.
TEST_F(QtSerialPortTest, HungUpLineIsToldApartFromARemovedDevice)
{
    PseudoTerminal line(PseudoTerminal::Slave::LeftToProgram);
    auto port = com2On(line);
    std::string reason;
    port->setReceiveHandler([&] { port->readAll(); });
    port->setLostHandler([&](const std::string &r) { reason = r; });
    ASSERT_TRUE(port->open());
    line.write("&\r\nOUTPUT_RATE=7\r\n");
    const int other = ::open(line.slavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(other, 0);
    const bool hungUp = ::ioctl(other, TIOCVHANGUP) == 0;
    ::close(other);
    if (!hungUp)
        GTEST_SKIP() << "hanging up a terminal needs CAP_SYS_ADMIN";
    EXPECT_TRUE(waitFor([&] { return !reason.empty(); }));
    EXPECT_NE(reason.find("stopped working: the line was hung up."), std::string::npos) << reason;
    EXPECT_EQ(port->failure(), platform::SerialPort::Failure::HungUp);
}

} // namespace
