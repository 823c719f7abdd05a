#pragma once
#include "device/cls_compass.h"
#include "fake_compass.h"
#include "platform/sim/sim_platform.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

// A compass object on COM3 of the simulated machine, wired the way the main
// window wires it: the port's receive handler calls OnCom.
class CompassBench : public ::testing::Test {
protected:
    static constexpr int Port = 3;

    explicit CompassBench(platform::Tick firstTick = 1000)
        : sim(dir.path(), firstTick), owned(sim.ports.createPort()),
          com(static_cast<platform::sim::SimSerialPort *>(owned.get())), compass(sim.platform),
          device(sim, *com)
    {
        sim.ports.addDevice(Port);
        com->setReceiveHandler([this] { compass.OnCom(); });
        compass.SetCom(*com);
        compass.ComPort = std::to_string(Port);
    }

    void start() { ASSERT_TRUE(compass.StartCompass()); }
    // Text from the compass, handled before the call returns.
    void arrive(const std::string &text)
    {
        com->deliver(text);
        sim.advance(1);
    }
    platform::sim::VirtualMs writtenAt(std::size_t i) const { return com->written().at(i).at; }

    QTemporaryDir dir;
    platform::sim::SimPlatform sim;
    std::unique_ptr<platform::SerialPort> owned;
    platform::sim::SimSerialPort *com;
    device::clsCompass compass;
    FakeCompass device;
};
