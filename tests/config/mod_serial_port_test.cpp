#include "config/mod_serial_port.h"
#include "platform/sim/sim_platform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace config::modSerialPort;
using platform::SerialDevice;

class PortList : public ::testing::Test {
protected:
    QTemporaryDir dir;
    platform::sim::SimSerialDeviceList source;
    QString portsDir() const { return QDir(dir.path()).filePath("ports"); }
    platform::ComPortMap map() const { return platform::ComPortMap(portsDir()); }

    // A stand-in device file and a link ports/COMn to it.
    QString linkPort(int number, const QString &deviceName)
    {
        QDir(dir.path()).mkpath("ports");
        const QString device = QDir(dir.path()).filePath(deviceName);
        QFile f(device);
        f.open(QIODevice::WriteOnly);
        QFile::link(device, QDir(portsDir()).filePath(QStringLiteral("COM%1").arg(number)));
        return device;
    }
};

TEST_F(PortList, EntriesAreNumberedAsOpeningNumbersThemInAscendingOrder)
{
    source.list = std::vector<SerialDevice>{{"/dev/ttyACM1", "Arduino Uno", "Arduino", "8573"},
                                            {"/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A50285BI"},
                                            {"/dev/ttyUSB1", "", "", "A50285BJ"},
                                            {"/dev/ttyS0", "", "", ""},
                                            {"/dev/ttyS1", "16550A", "", ""},
                                            {"/dev/pts/3", "no number", "", ""},
                                            // Not what COM4 and COM201 open.
                                            {"/dev/ttyS03", "", "", ""}, {"/dev/ttyUSB100", "", "", ""}};
    linkPort(2, "pts5");
    QStringList ports{"stale"};
    ASSERT_TRUE(GetComPorts(ports, source, map()));
    EXPECT_EQ(ports, (QStringList{"COM1 - /dev/ttyS0", "COM2 - link to " + QDir(dir.path()).filePath("pts5"),
                                  "COM101 - FT232R USB UART, FTDI, serial A50285BI (/dev/ttyUSB0)",
                                  "COM102 - serial A50285BJ (/dev/ttyUSB1)",
                                  "COM202 - Arduino Uno, serial 8573 (/dev/ttyACM1)"}));
}

TEST_F(PortList, LinkedDeviceKeepsItsDescriptionAndDanglingLinksAreLeftOut)
{
    const QString device = linkPort(5, "usbdongle");
    QFile::link(QDir(dir.path()).filePath("gone"), QDir(portsDir()).filePath("COM7"));
    source.list = std::vector<SerialDevice>{{device, "USB Serial", "", ""}};
    QStringList ports;
    ASSERT_TRUE(GetComPorts(ports, source, map()));
    EXPECT_EQ(ports, QStringList{"COM5 - USB Serial (" + device + ")"});
}

TEST_F(PortList, NoDeviceListFallsBackToTheProbeOfCom1ToCom16)
{
    platform::sim::SimPlatform sim(dir.path());
    for (int number : {3, 10, 16, 17, 40})
        sim.ports.addDevice(number);
    auto holder = sim.platform.ports.createPort();
    holder->setPortNumber(10);
    ASSERT_TRUE(holder->open());
    auto comTest = sim.platform.ports.createPort();

    QStringList ports{"stale"};
    EXPECT_FALSE(GetComPorts(ports, source, map()));
    EXPECT_TRUE(ports.isEmpty());
    // COM10 is held by another program; COM17 and above are never tried.
    EXPECT_EQ(FillPortList(source, map(), *comTest), (QStringList{"COM3 ", "COM16 "}));
    EXPECT_FALSE(comTest->isOpen());
    EXPECT_TRUE(holder->isOpen());

    // A list that holds no port at all is still the list: no probing.
    source.list = std::vector<SerialDevice>{};
    EXPECT_TRUE(FillPortList(source, map(), *comTest).isEmpty());
}

TEST(PortEntry, NumberRunsFromTheFourthCharacterToTheFirstBlank)
{
    EXPECT_EQ(PortNumberOfEntry("COM12 - USB Serial Port (COM12)"), "12");
    EXPECT_EQ(PortNumberOfEntry("COM3 "), "3");
    EXPECT_EQ(PortNumberOfEntry("COM3"), std::nullopt);
    EXPECT_EQ(PortNumberOfEntry(""), std::nullopt);
}

} // namespace
