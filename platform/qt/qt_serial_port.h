#pragma once
#include "platform/com_port_map.h"
#include "platform/serial_port.h"

#include <QSerialPort>

namespace platform::qt {

struct LineSettings {
    qint32 baud = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

// Parses "9600,N,8,1"; nothing for a text the port cannot take, with the reason.
std::optional<LineSettings> parseLineSettings(const std::string &text, std::string &error);

class QtSerialPort : public SerialPort {
public:
    // The longest a pulled adapter's device node takes to go after its line hangs up.
    static constexpr int RemovalSettleMs = 100;

    explicit QtSerialPort(ComPortMap map);
    ~QtSerialPort() override;

    void setPortNumber(int number) override { m_number = number; }
    int portNumber() const override { return m_number; }
    void setSettings(const std::string &settings) override { m_settings = settings; }
    std::string settings() const override { return m_settings; }
    void setRtsEnable(bool on) override;
    void setNoHandshaking() override;
    void setReceiveThreshold(int count) override { m_threshold = count; }
    int receiveThreshold() const override { return m_threshold; }

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }
    Failure failure() const override { return m_failure; }
    std::string errorString() const override { return m_error; }

    void write(std::string_view bytes) override;
    std::uint64_t bytesWritten() const override { return m_bytesWritten; }
    std::string readAll() override;
    void discardInput() override;
    int commEvent() const override { return m_event; }
    void setReceiveHandler(std::function<void()> handler) override { m_onReceive = std::move(handler); }
    void setLostHandler(std::function<void(const std::string &)> handler) override { m_onLost = std::move(handler); }

private:
    void scheduleDelivery();
    void deliver();
    int newFramingErrors();
    void onError(QSerialPort::SerialPortError error);
    bool fail(Failure failure, std::string reason);
    std::string named(const QString &device) const;

    ComPortMap m_map;
    QSerialPort m_port;
    std::uint64_t m_bytesWritten = 0;
    // The device of the last open, for telling why it stopped.
    QString m_device;
    int m_number = 1;
    std::string m_settings = "9600,N,8,1";
    bool m_rts = false;
    int m_threshold = 1;
    int m_event = 0;
    Failure m_failure = Failure::None;
    std::string m_error;
    bool m_deliveryQueued = false;
    quint32 m_frameErrorsSeen = 0;
    bool m_countersAvailable = false;
    std::function<void()> m_onReceive;
    std::function<void(const std::string &)> m_onLost;
};

class QtSerialPortFactory : public SerialPortFactory {
public:
    explicit QtSerialPortFactory(ComPortMap map) : m_map(std::move(map)) {}
    std::unique_ptr<SerialPort> createPort() override { return std::make_unique<QtSerialPort>(m_map); }

private:
    ComPortMap m_map;
};

} // namespace platform::qt
