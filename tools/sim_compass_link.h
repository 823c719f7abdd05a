#pragma once
#include "platform/sim/sim_serial_port.h"
#include "tools/compass_simulator.h"

namespace compass_sim {

// Puts a simulated module on COM n of the simulated machine: whenever a port
// opens on that number, the module hears what the program writes and answers
// in virtual time. With a baud rate each byte takes 10 bit times on the line;
// with baud 0 everything arrives at the moment it is sent.
class SimCompassLink : public platform::sim::EventSource {
public:
    static constexpr int DefaultBaud = 19200;

    explicit SimCompassLink(int baud = DefaultBaud);
    // Shorthand for the constructor above followed by attachToBus().
    SimCompassLink(platform::sim::SimPortBus &bus, platform::sim::SimEventPump &pump, int comNumber,
                   int baud = DefaultBaud);
    ~SimCompassLink() override;
    SimCompassLink(const SimCompassLink &) = delete;
    SimCompassLink &operator=(const SimCompassLink &) = delete;

    // Makes COM `comNumber` exist on `bus` and answers every port opened on it.
    // Takes over the bus's open hook; call once.
    void attachToBus(platform::sim::SimPortBus &bus, platform::sim::SimEventPump &pump, int comNumber);

    CompassSimulator &compass() { return m_compass; }
    // The port the module is on now (null while none is open).
    platform::sim::SimSerialPort *port() const;

    std::optional<platform::sim::VirtualMs> nextDue() const override;
    void runDue(platform::sim::VirtualMs now) override;

private:
    void attach(platform::sim::SimSerialPort &port);
    void send(std::string bytes);

    platform::sim::SimPortBus *m_bus = nullptr;
    platform::sim::SimEventPump *m_pump = nullptr;
    int m_com = 0;
    double m_msPerByte;
    double m_lineFreeAt = 0;
    CompassSimulator m_compass;
};

} // namespace compass_sim
