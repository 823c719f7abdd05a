#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// The serial line as the logic sees it. Text on the wire is a byte string
// (one char per byte); nothing is transcoded.
class SerialPort {
public:
    // Why the last open failed or the open port stopped working.
    enum class Failure { None, NoDevice, NoPermission, Busy, Settings, Removed, HungUp, Other };

    // Why the receive handler ran.
    static constexpr int EventReceive = 2;
    static constexpr int EventFramingError = 1004;

    virtual ~SerialPort() = default;

    // Selects COM port n for the next open.
    virtual void setPortNumber(int number) = 0;
    virtual int portNumber() const = 0;
    // "baud,parity,databits,stopbits", for example "9600,N,8,1".
    virtual void setSettings(const std::string &settings) = 0;
    virtual std::string settings() const = 0;
    virtual void setRtsEnable(bool on) = 0;
    virtual void setNoHandshaking() = 0;
    // How many waiting characters raise the receive handler.
    virtual void setReceiveThreshold(int count) = 0;
    virtual int receiveThreshold() const = 0;

    // Opens with the current number and settings; false when the device is
    // missing, busy, refused or the settings are invalid (see failure()).
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // The last failure, and its reason naming the port and its device
    // ("COM2 is /dev/ttyUSB0: Permission denied."); None and empty after a good open.
    virtual Failure failure() const = 0;
    virtual std::string errorString() const = 0;

    // Characters go out in order, unchanged. Ignored while closed.
    virtual void write(std::string_view bytes) = 0;
    // How many bytes write() has taken from the program since the port was made.
    virtual std::uint64_t bytesWritten() const = 0;
    // Returns and removes everything received so far.
    virtual std::string readAll() = 0;
    // Drops what the open port holds unread, down to the system's own buffers:
    // a pseudo-terminal or a USB adapter keeps what arrived before the open.
    virtual void discardInput() = 0;
    // The code of the event being delivered (EventReceive or EventFramingError).
    virtual int commEvent() const = 0;

    // Runs on the UI thread when input reaches the threshold or a line error
    // occurs. It may run again inside itself when the handler waits.
    virtual void setReceiveHandler(std::function<void()> handler) = 0;
    // Runs once when an open port fails for good (adapter unplugged, peer gone);
    // the port is closed by then.
    virtual void setLostHandler(std::function<void(const std::string &reason)> handler) = 0;
};

class SerialPortFactory {
public:
    virtual ~SerialPortFactory() = default;
    virtual std::unique_ptr<SerialPort> createPort() = 0;
};

} // namespace platform
