#pragma once
#include "platform/serial_port.h"
#include "platform/sim/sim_event_pump.h"

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace platform::sim {

class SimPortBus;

// What the program wrote, with the virtual time it was written at.
struct WrittenChunk {
    VirtualMs at;
    std::string bytes;
};

// A serial port whose far end is the test or an in-process device.
class SimSerialPort : public SerialPort, public EventSource {
public:
    SimSerialPort(SimPortBus &bus, SimEventPump &pump);
    ~SimSerialPort() override;

    void setPortNumber(int number) override { m_number = number; }
    int portNumber() const override { return m_number; }
    void setSettings(const std::string &settings) override { m_settings = settings; }
    std::string settings() const override { return m_settings; }
    void setRtsEnable(bool on) override { m_rts = on; }
    void setNoHandshaking() override {}
    void setReceiveThreshold(int count) override { m_threshold = count; }
    int receiveThreshold() const override { return m_threshold; }

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    Failure failure() const override { return m_failure; }
    std::string errorString() const override { return m_error; }

    void write(std::string_view bytes) override;
    std::uint64_t bytesWritten() const override { return m_bytesWritten; }
    std::string readAll() override;
    void discardInput() override;
    int commEvent() const override { return m_event; }
    void setReceiveHandler(std::function<void()> handler) override { m_onReceive = std::move(handler); }
    void setLostHandler(std::function<void(const std::string &)> handler) override { m_onLost = std::move(handler); }

    // What the device keeps for a closed port, as a pseudo-terminal's buffer
    // does; what comes beyond it is lost.
    static constexpr std::size_t HeldWhileClosed = 4096;

    // --- the far end ---
    // Bytes arrive at `at` (default: now). While the port is closed the device
    // keeps them, and what it kept is there to read at the next open.
    void deliver(std::string bytes, std::optional<VirtualMs> at = {});
    // One framing-error event at `at` (default: now); lost while closed.
    void deliverFramingError(std::optional<VirtualMs> at = {});
    // The device goes away with what it kept: the port closes and the lost handler runs.
    void unplug(const std::string &reason, Failure failure = Failure::Removed);
    // The line hangs up in the middle of a write, after `bytes` more bytes got
    // through: the rest is lost, and the port is closed and reported lost from
    // the event loop, as a real port notices it.
    void hangUpAfterWriting(std::size_t bytes, std::string reason);
    // Everything the program wrote since the last clearWritten().
    const std::vector<WrittenChunk> &written() const { return m_written; }
    std::string writtenText() const;
    void clearWritten() { m_written.clear(); }
    // Called on every write while open (an in-process device listens here).
    void setPeer(std::function<void(std::string_view)> onHostWrite) { m_peer = std::move(onHostWrite); }
    bool rtsEnabled() const { return m_rts; }
    int openCount() const { return m_openCount; }

    std::optional<VirtualMs> nextDue() const override;
    void runDue(VirtualMs now) override;

private:
    struct Delivery {
        VirtualMs at;
        std::string bytes;
        bool framingError;
    };
    void raise(int event);
    static void schedule(std::deque<Delivery> &queue, Delivery delivery);
    // Keeps bytes for the closed port, as far as the device has room.
    void hold(Delivery delivery);
    // Hands what the device kept to the port opening now: what arrived while
    // it was closed is due at once.
    void takeHeld();

    SimPortBus &m_bus;
    SimEventPump &m_pump;
    int m_number = 1;
    std::string m_settings = "9600,N,8,1";
    bool m_rts = false;
    int m_threshold = 1;
    bool m_open = false;
    Failure m_failure = Failure::None;
    std::string m_error;
    // A hang-up due mid-write: bytes still to pass, then the time it is noticed.
    std::optional<std::size_t> m_bytesBeforeHangUp;
    std::optional<VirtualMs> m_hangUpNoticed;
    std::string m_hangUpReason;
    int m_event = 0;
    int m_openCount = 0;
    std::string m_rx;
    bool m_rxNew = false;
    std::deque<Delivery> m_pending;
    // Bytes for the port while it is closed, in time order.
    std::deque<Delivery> m_held;
    std::size_t m_heldBytes = 0;
    std::vector<WrittenChunk> m_written;
    std::uint64_t m_bytesWritten = 0;
    std::function<void()> m_onReceive;
    std::function<void(const std::string &)> m_onLost;
    std::function<void(std::string_view)> m_peer;
};

// Which COM numbers exist and who holds them. Ports created by the factory
// share one bus, so a second open of a held port fails like on a real machine.
class SimPortBus : public SerialPortFactory {
public:
    explicit SimPortBus(SimEventPump &pump) : m_pump(pump) {}
    std::unique_ptr<SerialPort> createPort() override;

    void addDevice(int number) { m_devices.insert(number); }
    void removeDevice(int number) { m_devices.erase(number); }
    // The device exists but the user may not open it.
    void denyAccess(int number) { m_denied.insert(number); }
    bool hasDevice(int number) const { return m_devices.count(number) != 0; }
    // Every port ever created, in creation order (tests look at `Com` through it).
    const std::vector<SimSerialPort *> &ports() const { return m_ports; }
    // The open port on COM n, if any.
    SimSerialPort *openPort(int number) const;
    // Called whenever a port on COM n opens (an in-process device attaches here).
    void setOnOpen(std::function<void(SimSerialPort &)> onOpen) { m_onOpen = std::move(onOpen); }

private:
    friend class SimSerialPort;
    bool claim(SimSerialPort &port, SerialPort::Failure &failure, std::string &error);
    void release(SimSerialPort &port);
    void forget(SimSerialPort &port);

    SimEventPump &m_pump;
    std::set<int> m_devices;
    std::set<int> m_denied;
    std::map<int, SimSerialPort *> m_holders;
    std::vector<SimSerialPort *> m_ports;
    std::function<void(SimSerialPort &)> m_onOpen;
};

} // namespace platform::sim
