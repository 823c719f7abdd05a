#include "tools/sim_compass_link.h"

#include <algorithm>
#include <cmath>

namespace compass_sim {

SimCompassLink::SimCompassLink(platform::sim::SimPortBus &bus, platform::sim::SimEventPump &pump, int comNumber,
                               int baud)
    : m_bus(bus), m_pump(pump), m_com(comNumber), m_msPerByte(10000.0 / baud),
      m_compass([this](std::string bytes) { send(std::move(bytes)); })
{
    m_bus.addDevice(comNumber);
    m_bus.setOnOpen([this](platform::sim::SimSerialPort &p) {
        if (p.portNumber() == m_com)
            attach(p);
    });
    m_pump.addSource(this);
}

SimCompassLink::~SimCompassLink()
{
    m_pump.removeSource(this);
    m_bus.setOnOpen({});
    if (auto *p = port())
        p->setPeer({});
}

platform::sim::SimSerialPort *SimCompassLink::port() const
{
    return m_bus.openPort(m_com);
}

void SimCompassLink::attach(platform::sim::SimSerialPort &p)
{
    m_compass.skipTo(m_pump.clock().virtualNow());
    p.setPeer([this](std::string_view bytes) {
        m_compass.advanceTo(m_pump.clock().virtualNow());
        m_compass.receive(bytes);
    });
}

void SimCompassLink::send(std::string bytes)
{
    auto *p = port();
    if (!p)
        return;
    // Bytes leave one after another at the line's speed.
    const auto now = m_pump.clock().virtualNow();
    const auto start = std::max(now, m_lineFreeAt);
    m_lineFreeAt = start + static_cast<platform::sim::VirtualMs>(std::ceil(bytes.size() * m_msPerByte));
    p->deliver(std::move(bytes), m_lineFreeAt);
}

std::optional<platform::sim::VirtualMs> SimCompassLink::nextDue() const
{
    if (!port())
        return std::nullopt;
    return m_compass.nextDue();
}

void SimCompassLink::runDue(platform::sim::VirtualMs now)
{
    m_compass.advanceTo(now);
}

} // namespace compass_sim
