#pragma once
#include "platform/sim/sim_serial_port.h"
#include "tools/compass_simulator.h"

namespace compass_sim {

// Puts a simulated module on COM n of the simulated machine: whenever a port
// opens on that number, the module hears what it writes and answers in
// virtual time, each byte taking 10 bit times at `baud`.
class SimCompassLink : public platform::sim::EventSource {
public:
    SimCompassLink(platform::sim::SimPortBus &bus, platform::sim::SimEventPump &pump, int comNumber,
                   int baud = 19200);
    ~SimCompassLink() override;
    SimCompassLink(const SimCompassLink &) = delete;
    SimCompassLink &operator=(const SimCompassLink &) = delete;

    CompassSimulator &compass() { return m_compass; }
    // The port the module is on now (null while closed).
    platform::sim::SimSerialPort *port() const;

    std::optional<platform::sim::VirtualMs> nextDue() const override;
    void runDue(platform::sim::VirtualMs now) override;

private:
    void attach(platform::sim::SimSerialPort &port);
    void send(std::string bytes);

    platform::sim::SimPortBus &m_bus;
    platform::sim::SimEventPump &m_pump;
    int m_com;
    double m_msPerByte;
    platform::sim::VirtualMs m_lineFreeAt = 0;
    CompassSimulator m_compass;
};

} // namespace compass_sim
