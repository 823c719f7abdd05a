#include "platform/sim/sim_serial_port.h"

#include "platform/com_port_map.h"

#include <algorithm>

namespace platform::sim {

SimSerialPort::SimSerialPort(SimPortBus &bus, SimEventPump &pump) : m_bus(bus), m_pump(pump)
{
    m_pump.addSource(this);
}

SimSerialPort::~SimSerialPort()
{
    m_pump.removeSource(this);
    if (m_open)
        m_bus.release(*this);
    m_bus.forget(*this);
}

bool SimSerialPort::open()
{
    if (m_open) {
        m_failure = Failure::Other;
        m_error = "The port is already open.";
        return false;
    }
    if (!m_bus.claim(*this, m_failure, m_error))
        return false;
    m_open = true;
    ++m_openCount;
    takeHeld();
    m_failure = Failure::None;
    m_error.clear();
    if (m_bus.m_onOpen)
        m_bus.m_onOpen(*this);
    return true;
}

void SimSerialPort::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_bus.release(*this);
    // Unread input and what is still on its way stay with the device.
    hold(Delivery{m_pump.clock().virtualNow(), std::move(m_rx), false});
    m_rx.clear();
    for (Delivery &d : m_pending)
        if (!d.framingError)
            hold(std::move(d));
    m_pending.clear();
    m_bytesBeforeHangUp.reset();
    m_hangUpNoticed.reset();
}

void SimSerialPort::write(std::string_view bytes)
{
    if (!m_open || bytes.empty())
        return;
    m_bytesWritten += bytes.size();
    if (m_bytesBeforeHangUp) {
        // What a dead line swallows is never seen by the far end.
        const std::size_t through = std::min(bytes.size(), *m_bytesBeforeHangUp);
        *m_bytesBeforeHangUp -= through;
        bytes = bytes.substr(0, through);
        if (*m_bytesBeforeHangUp == 0 && !m_hangUpNoticed)
            m_hangUpNoticed = m_pump.clock().virtualNow();
        if (bytes.empty())
            return;
    }
    m_written.push_back({m_pump.clock().virtualNow(), std::string(bytes)});
    if (m_peer)
        m_peer(bytes);
}

std::string SimSerialPort::readAll()
{
    std::string out;
    out.swap(m_rx);
    return out;
}

void SimSerialPort::discardInput()
{
    if (!m_open)
        return;
    m_rx.clear();
    m_rxNew = false;
    const VirtualMs now = m_pump.clock().virtualNow();
    while (!m_pending.empty() && m_pending.front().at <= now)
        m_pending.pop_front();
}

std::string SimSerialPort::writtenText() const
{
    std::string all;
    for (const auto &chunk : m_written)
        all += chunk.bytes;
    return all;
}

void SimSerialPort::schedule(std::deque<Delivery> &queue, Delivery delivery)
{
    // Keep deliveries in time order so bytes never overtake each other.
    auto pos = std::upper_bound(queue.begin(), queue.end(), delivery.at,
                                [](VirtualMs t, const Delivery &d) { return t < d.at; });
    queue.insert(pos, std::move(delivery));
}

void SimSerialPort::deliver(std::string bytes, std::optional<VirtualMs> at)
{
    const VirtualMs when = std::max(at.value_or(0), m_pump.clock().virtualNow());
    if (m_open)
        schedule(m_pending, Delivery{when, std::move(bytes), false});
    else
        hold(Delivery{when, std::move(bytes), false});
}

void SimSerialPort::deliverFramingError(std::optional<VirtualMs> at)
{
    if (!m_open)
        return;
    const VirtualMs when = std::max(at.value_or(0), m_pump.clock().virtualNow());
    schedule(m_pending, Delivery{when, {}, true});
}

void SimSerialPort::hold(Delivery delivery)
{
    delivery.bytes.resize(std::min(delivery.bytes.size(), HeldWhileClosed - m_heldBytes));
    if (delivery.bytes.empty())
        return;
    m_heldBytes += delivery.bytes.size();
    schedule(m_held, std::move(delivery));
}

void SimSerialPort::takeHeld()
{
    const VirtualMs now = m_pump.clock().virtualNow();
    for (Delivery &d : m_held) {
        d.at = std::max(d.at, now);
        schedule(m_pending, std::move(d));
    }
    m_held.clear();
    m_heldBytes = 0;
}

void SimSerialPort::unplug(const std::string &reason, Failure failure)
{
    if (!m_open)
        return;
    close();
    m_held.clear();
    m_heldBytes = 0;
    m_failure = failure;
    m_error = reason;
    if (m_onLost)
        m_onLost(reason);
}

void SimSerialPort::hangUpAfterWriting(std::size_t bytes, std::string reason)
{
    m_bytesBeforeHangUp = bytes;
    m_hangUpReason = std::move(reason);
}

std::optional<VirtualMs> SimSerialPort::nextDue() const
{
    if (!m_open)
        return std::nullopt;
    if (m_hangUpNoticed && (m_pending.empty() || *m_hangUpNoticed < m_pending.front().at))
        return m_hangUpNoticed;
    if (m_pending.empty())
        return std::nullopt;
    return m_pending.front().at;
}

void SimSerialPort::runDue(VirtualMs now)
{
    // Each framing error is an event of its own; plain bytes due together form one event.
    while (m_open && !m_pending.empty() && m_pending.front().at <= now) {
        Delivery d = std::move(m_pending.front());
        m_pending.pop_front();
        if (d.framingError) {
            raise(EventFramingError);
            continue;
        }
        m_rx += d.bytes;
        m_rxNew = true;
        if (m_pending.empty() || m_pending.front().at > now || m_pending.front().framingError)
            if (m_threshold > 0 && static_cast<int>(m_rx.size()) >= m_threshold && m_rxNew)
                raise(EventReceive);
    }
    if (m_open && m_hangUpNoticed && *m_hangUpNoticed <= now)
        unplug(m_hangUpReason, Failure::HungUp);
}

void SimSerialPort::raise(int event)
{
    m_event = event;
    if (event == EventReceive)
        m_rxNew = false;
    if (m_onReceive)
        m_onReceive();
}

std::unique_ptr<SerialPort> SimPortBus::createPort()
{
    auto port = std::make_unique<SimSerialPort>(*this, m_pump);
    m_ports.push_back(port.get());
    return port;
}

SimSerialPort *SimPortBus::openPort(int number) const
{
    auto it = m_holders.find(number);
    return it == m_holders.end() ? nullptr : it->second;
}

bool SimPortBus::claim(SimSerialPort &port, SerialPort::Failure &failure, std::string &error)
{
    using Failure = SerialPort::Failure;
    const int n = port.portNumber();
    const std::string device =
        "COM" + std::to_string(n) + " is " + ComPortMap::defaultDevicePath(n).toStdString() + ": ";
    if (!hasDevice(n)) {
        failure = Failure::NoDevice;
        error = device + "No such file or directory.";
        return false;
    }
    if (m_denied.count(n)) {
        failure = Failure::NoPermission;
        error = device + "Permission denied.";
        return false;
    }
    if (m_holders.count(n)) {
        failure = Failure::Busy;
        error = device + "Device or resource busy.";
        return false;
    }
    m_holders[n] = &port;
    return true;
}

void SimPortBus::release(SimSerialPort &port)
{
    for (auto it = m_holders.begin(); it != m_holders.end(); ++it) {
        if (it->second == &port) {
            m_holders.erase(it);
            return;
        }
    }
}

void SimPortBus::forget(SimSerialPort &port)
{
    m_ports.erase(std::remove(m_ports.begin(), m_ports.end(), &port), m_ports.end());
}

} // namespace platform::sim
