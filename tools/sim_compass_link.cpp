#include "tools/sim_compass_link.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace compass_sim {

SimCompassLink::SimCompassLink(int baud)
    : m_msPerByte(baud > 0 ? 10000.0 / baud : 0.0), m_compass([this](std::string bytes) { send(std::move(bytes)); })
{
}

SimCompassLink::SimCompassLink(platform::sim::SimPortBus &bus, platform::sim::SimEventPump &pump, int comNumber,
                               int baud)
    : SimCompassLink(baud)
{
    attachToBus(bus, pump, comNumber);
}

SimCompassLink::~SimCompassLink()
{
    if (!m_bus)
        return;
    m_pump->removeSource(this);
    m_bus->setOnOpen({});
    if (auto *p = port())
        p->setPeer({});
}

void SimCompassLink::attachToBus(platform::sim::SimPortBus &bus, platform::sim::SimEventPump &pump, int comNumber)
{
    if (m_bus)
        throw std::logic_error("SimCompassLink is already attached; make one link per simulated module.");
    m_bus = &bus;
    m_pump = &pump;
    m_com = comNumber;
    bus.addDevice(comNumber);
    bus.setOnOpen([this](platform::sim::SimSerialPort &p) {
        if (p.portNumber() == m_com)
            attach(p);
    });
    pump.addSource(this);
    if (auto *p = port())
        attach(*p);
}

platform::sim::SimSerialPort *SimCompassLink::port() const
{
    return m_bus ? m_bus->openPort(m_com) : nullptr;
}

void SimCompassLink::attach(platform::sim::SimSerialPort &p)
{
    // What fell due while nobody listened is gone, as on a real line.
    m_compass.skipTo(m_pump->clock().virtualNow());
    p.setPeer([this](std::string_view bytes) {
        m_compass.advanceTo(m_pump->clock().virtualNow());
        m_compass.receive(bytes);
    });
}

void SimCompassLink::send(std::string bytes)
{
    auto *p = port();
    if (!p)
        return;
    // Bytes leave one after another at the line's speed; the chunk arrives with its last byte.
    const double now = static_cast<double>(m_pump->clock().virtualNow());
    m_lineFreeAt = std::max(now, m_lineFreeAt) + static_cast<double>(bytes.size()) * m_msPerByte;
    p->deliver(std::move(bytes), static_cast<platform::sim::VirtualMs>(std::ceil(m_lineFreeAt)));
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
