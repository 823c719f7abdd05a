#include "platform/qt/qt_serial_port.h"

#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QStringList>
#include <QThread>

#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace platform::qt {

std::optional<LineSettings> parseLineSettings(const std::string &text, std::string &error)
{
    const QStringList items = QString::fromStdString(text).split(QLatin1Char(','));
    if (items.size() != 4) {
        error = "Line settings \"" + text + "\" need four items: baud,parity,data bits,stop bits.";
        return std::nullopt;
    }
    LineSettings s;
    bool ok = false;
    s.baud = items[0].trimmed().toInt(&ok);
    if (!ok || s.baud <= 0) {
        error = "The baud rate \"" + items[0].toStdString() + "\" is not a positive number.";
        return std::nullopt;
    }
    const QString parity = items[1].trimmed().toUpper();
    if (parity == "N") s.parity = QSerialPort::NoParity;
    else if (parity == "E") s.parity = QSerialPort::EvenParity;
    else if (parity == "O") s.parity = QSerialPort::OddParity;
    else if (parity == "M") s.parity = QSerialPort::MarkParity;
    else if (parity == "S") s.parity = QSerialPort::SpaceParity;
    else {
        error = "The parity \"" + items[1].toStdString() + "\" is not one of N, E, O, M, S.";
        return std::nullopt;
    }
    const int bits = items[2].trimmed().toInt(&ok);
    if (!ok || bits < 5 || bits > 8) {
        error = "The data bits \"" + items[2].toStdString() + "\" are not 5 to 8.";
        return std::nullopt;
    }
    s.dataBits = static_cast<QSerialPort::DataBits>(bits);
    const QString stop = items[3].trimmed();
    if (stop == "1") s.stopBits = QSerialPort::OneStop;
    else if (stop == "1.5") s.stopBits = QSerialPort::OneAndHalfStop;
    else if (stop == "2") s.stopBits = QSerialPort::TwoStop;
    else {
        error = "The stop bits \"" + stop.toStdString() + "\" are not 1, 1.5 or 2.";
        return std::nullopt;
    }
    return s;
}

QtSerialPort::QtSerialPort(ComPortMap map) : m_map(std::move(map))
{
    QObject::connect(&m_port, &QSerialPort::readyRead, [this] { scheduleDelivery(); });
    QObject::connect(&m_port, &QSerialPort::errorOccurred,
                     [this](QSerialPort::SerialPortError e) { onError(e); });
}

QtSerialPort::~QtSerialPort()
{
    m_onReceive = nullptr;
    m_onLost = nullptr;
    if (m_port.isOpen())
        m_port.close();
}

void QtSerialPort::setRtsEnable(bool on)
{
    m_rts = on;
    if (m_port.isOpen())
        m_port.setRequestToSend(on);
}

void QtSerialPort::setNoHandshaking()
{
    m_port.setFlowControl(QSerialPort::NoFlowControl);
}

std::string QtSerialPort::named(const QString &device) const
{
    return "COM" + std::to_string(m_number) + " is " + device.toStdString();
}

bool QtSerialPort::fail(Failure failure, std::string reason)
{
    m_failure = failure;
    m_error = std::move(reason);
    return false;
}

bool QtSerialPort::open()
{
    if (m_port.isOpen())
        return fail(Failure::Other, "COM" + std::to_string(m_number) + " is already open.");
    const QString device = m_map.devicePath(m_number);
    if (device.isEmpty())
        return fail(Failure::NoDevice, "COM" + std::to_string(m_number) + " has no device: add a link ports/COM"
                                           + std::to_string(m_number) + " beside Compass.ini.");
    std::string error;
    const auto line = parseLineSettings(m_settings, error);
    if (!line)
        return fail(Failure::Settings, error);
    if (line->stopBits == QSerialPort::OneAndHalfStop)
        return fail(Failure::Settings, "COM" + std::to_string(m_number)
                                           + ": 1.5 stop bits are not supported on this system.");
    m_device = device;
    m_port.setPortName(device);
    if (!m_port.open(QIODevice::ReadWrite)) {
        // Qt reports a busy device and a forbidden one alike, and a busy one
        // under a lock file's name: ask the system which it is.
        const QByteArray path = QFile::encodeName(device);
        if (m_port.error() == QSerialPort::DeviceNotFoundError || ::access(path.constData(), F_OK) != 0)
            return fail(Failure::NoDevice, named(device) + ": No such file or directory.");
        if (::access(path.constData(), R_OK | W_OK) != 0)
            return fail(Failure::NoPermission, named(device) + ": Permission denied.");
        if (m_port.error() == QSerialPort::PermissionError)
            return fail(Failure::Busy, named(device) + ": Device or resource busy.");
        return fail(Failure::Other, named(device) + ": " + m_port.errorString().toStdString() + ".");
    }
    // Qt accepts some settings only once the port is open; a refusal fails the open.
    if (!m_port.setBaudRate(line->baud) || !m_port.setParity(line->parity)
        || !m_port.setDataBits(line->dataBits) || !m_port.setStopBits(line->stopBits)
        || !m_port.setFlowControl(QSerialPort::NoFlowControl)) {
        const std::string refusal = m_port.errorString().toStdString();
        m_port.close();
        return fail(Failure::Settings, named(device) + ": it refused the settings " + m_settings + ": " + refusal
                                           + ".");
    }
    m_port.setRequestToSend(m_rts);
    serial_icounter_struct counters{};
    m_countersAvailable = ::ioctl(static_cast<int>(m_port.handle()), TIOCGICOUNT, &counters) == 0;
    m_frameErrorsSeen = m_countersAvailable ? static_cast<quint32>(counters.frame) : 0;
    m_failure = Failure::None;
    m_error.clear();
    return true;
}

void QtSerialPort::close()
{
    if (m_port.isOpen())
        m_port.close();
}

void QtSerialPort::write(std::string_view bytes)
{
    if (!m_port.isOpen() || bytes.empty())
        return;
    m_bytesWritten += bytes.size();
    m_port.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string QtSerialPort::readAll()
{
    const QByteArray data = m_port.readAll();
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

void QtSerialPort::discardInput()
{
    // The driver's buffer as well as Qt's.
    if (m_port.isOpen())
        m_port.clear(QSerialPort::Input);
}

void QtSerialPort::scheduleDelivery()
{
    // QSerialPort does not emit readyRead again while a slot of it runs, but the
    // handler waits for more input inside itself; so deliver from a queued call.
    if (m_deliveryQueued)
        return;
    m_deliveryQueued = true;
    QMetaObject::invokeMethod(&m_port, [this] { deliver(); }, Qt::QueuedConnection);
}

int QtSerialPort::newFramingErrors()
{
    if (!m_countersAvailable || !m_port.isOpen())
        return 0;
    serial_icounter_struct counters{};
    if (::ioctl(static_cast<int>(m_port.handle()), TIOCGICOUNT, &counters) != 0)
        return 0;
    const quint32 now = static_cast<quint32>(counters.frame);
    const quint32 fresh = now - m_frameErrorsSeen;
    m_frameErrorsSeen = now;
    // The supervision saturates at 60; more events would change nothing.
    return static_cast<int>(std::min<quint32>(fresh, 64));
}

void QtSerialPort::deliver()
{
    m_deliveryQueued = false;
    if (!m_port.isOpen() || !m_onReceive)
        return;
    for (int i = newFramingErrors(); i > 0 && m_port.isOpen(); --i) {
        m_event = EventFramingError;
        m_onReceive();
    }
    if (m_port.isOpen() && m_threshold > 0 && m_port.bytesAvailable() >= m_threshold) {
        m_event = EventReceive;
        m_onReceive();
    }
}

void QtSerialPort::onError(QSerialPort::SerialPortError error)
{
    // A read error on a terminal is a hang-up: the notifier would fire it
    // again and again, so it counts as the device going away, like a resource error.
    const bool gone = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
    if (!gone || !m_port.isOpen())
        return;
    // Qt's text here is whatever errno held last ("Resource temporarily
    // unavailable"); the device file tells the real cause. A pulled adapter
    // hangs its line up a moment before its node goes: give it that moment.
    for (int waited = 0; waited < RemovalSettleMs && QFileInfo::exists(m_device); waited += 10)
        QThread::msleep(10);
    const bool removed = !QFileInfo::exists(m_device);
    const std::string reason = "COM" + std::to_string(m_number) + " (" + m_device.toStdString() + ") stopped working: "
                               + (removed ? "the device was removed." : "the line was hung up.");
    m_port.clearError();
    m_port.close();
    m_failure = removed ? Failure::Removed : Failure::HungUp;
    m_error = reason;
    if (m_onLost)
        QMetaObject::invokeMethod(&m_port, [this, reason] { if (m_onLost) m_onLost(reason); },
                                  Qt::QueuedConnection);
}

} // namespace platform::qt
