#include "platform/qt/qt_platform.h"
#include "platform/wait.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The far end of a pseudo-terminal, linked as ports/COM<n>.
class PtyPeer {
public:
    PtyPeer(const QString &portsDir, int com)
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        ::grantpt(m_master);
        ::unlockpt(m_master);
        const QString slave = QString::fromLocal8Bit(::ptsname(m_master));
        // Raw, so bytes pass unchanged.
        const int fd = ::open(::ptsname(m_master), O_RDWR | O_NOCTTY);
        termios t{};
        ::tcgetattr(fd, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(fd, TCSANOW, &t);
        ::close(fd);
        QDir().mkpath(portsDir);
        QFile::link(slave, QDir(portsDir).filePath(QStringLiteral("COM%1").arg(com)));
    }
    ~PtyPeer() { closeMaster(); }
    void send(const std::string &s) { ASSERT_EQ(::write(m_master, s.data(), s.size()), ssize_t(s.size())); }
    std::string receive()
    {
        char buf[256];
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        return n > 0 ? std::string(buf, std::size_t(n)) : std::string();
    }
    void closeMaster()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
};

class QtSerialPortTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    platform::qt::QtPlatform qt{dir.path()};
    QString portsDir() const { return QDir(dir.path()).filePath("ports"); }
};

TEST_F(QtSerialPortTest, OpensTheLinkedDeviceAndPassesBytesBothWays)
{
    PtyPeer peer(portsDir(), 2);
    auto port = qt.ports.createPort();
    port->setPortNumber(2);
    port->setSettings("19200,N,8,1");
    std::string received;
    port->setReceiveHandler([&] {
        EXPECT_EQ(port->commEvent(), platform::SerialPort::EventReceive);
        received += port->readAll();
    });
    ASSERT_TRUE(port->open()) << port->errorString();
    peer.send("$C1.0\r\n");
    for (int i = 0; i < 100 && received.size() < 7; ++i)
        platform::Wait(qt.platform, 10);
    EXPECT_EQ(received, "$C1.0\r\n");
    port->write("\x1b&");
    platform::Wait(qt.platform, 50);
    EXPECT_EQ(peer.receive(), "\x1b&");
}

TEST_F(QtSerialPortTest, ReceiveEventsNestWhileTheHandlerWaits)
{
    PtyPeer peer(portsDir(), 2);
    auto port = qt.ports.createPort();
    port->setPortNumber(2);
    std::string received;
    int depth = 0, maxDepth = 0;
    port->setReceiveHandler([&] {
        maxDepth = std::max(maxDepth, ++depth);
        received += port->readAll();
        if (depth == 1) {
            peer.send("b");
            for (int i = 0; i < 50 && received.find('b') == std::string::npos; ++i)
                platform::Wait(qt.platform, 10);
        }
        --depth;
    });
    ASSERT_TRUE(port->open());
    peer.send("a");
    for (int i = 0; i < 100 && received.size() < 2; ++i)
        platform::Wait(qt.platform, 10);
    EXPECT_EQ(received, "ab");
    EXPECT_EQ(maxDepth, 2);
}

TEST_F(QtSerialPortTest, MissingDeviceAndRefusedSettingsFailTheOpen)
{
    auto port = qt.ports.createPort();
    QDir().mkpath(portsDir());
    QFile::link("/dev/pts/999999", QDir(portsDir()).filePath("COM7"));
    port->setPortNumber(7);
    EXPECT_FALSE(port->open());
    EXPECT_EQ(port->errorString(), "COM7 is /dev/pts/999999: No such file or directory.");
    EXPECT_EQ(port->failure(), platform::SerialPort::Failure::NoDevice);
    EXPECT_FALSE(port->isOpen());

    PtyPeer peer(portsDir(), 2);
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
    auto peer = std::make_unique<PtyPeer>(portsDir(), 2);
    auto port = qt.ports.createPort();
    port->setPortNumber(2);
    int lost = 0;
    std::string reason;
    port->setReceiveHandler([&] { port->readAll(); });
    port->setLostHandler([&](const std::string &r) { ++lost; reason = r; });
    ASSERT_TRUE(port->open());
    peer->closeMaster();
    for (int i = 0; i < 100 && lost == 0; ++i)
        platform::Wait(qt.platform, 10);
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(port->isOpen());
    EXPECT_NE(reason.find("COM2"), std::string::npos);
    // The pseudo-terminal's node goes with its far end, as a USB adapter's does.
    EXPECT_NE(reason.find("stopped working: the device was removed."), std::string::npos) << reason;
    EXPECT_EQ(port->failure(), platform::SerialPort::Failure::Removed);
}

TEST(LineSettings, ParsesTheFourItems)
{
    std::string error;
    const auto s = platform::qt::parseLineSettings("115200,O,7,2", error);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->baud, 115200);
    EXPECT_EQ(s->parity, QSerialPort::OddParity);
    EXPECT_EQ(s->dataBits, QSerialPort::Data7);
    EXPECT_EQ(s->stopBits, QSerialPort::TwoStop);
    EXPECT_FALSE(platform::qt::parseLineSettings("9600,N,8", error).has_value());
    EXPECT_FALSE(platform::qt::parseLineSettings("fast,N,8,1", error).has_value());
    EXPECT_FALSE(platform::qt::parseLineSettings("9600,N,9,1", error).has_value());
    EXPECT_FALSE(platform::qt::parseLineSettings("9600,N,8,3", error).has_value());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
