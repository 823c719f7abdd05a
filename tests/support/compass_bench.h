#pragma once
#include "device/cls_compass.h"
#include "menu_compass.h"
#include "platform/sim/sim_platform.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A compass object bound to COM3 of the simulated machine, wired the way the
// main window wires it (the port's receive handler calls OnCom), with a
// menu-answering compass at the far end.
class CompassBench : public ::testing::Test {
protected:
    static constexpr int Port = 3;

    explicit CompassBench(platform::Tick firstTick = 1000)
        : sim(dir.path(), firstTick), owned(sim.ports.createPort()),
          com(static_cast<platform::sim::SimSerialPort *>(owned.get())), board(sim, *com)
    {
        sim.ports.addDevice(Port);
        com->setReceiveHandler([this] { compass->OnCom(); });
        bindCompass();
    }

    // A fresh compass object on the port, not started.
    device::clsCompass &bindCompass()
    {
        compass = std::make_unique<device::clsCompass>(sim.platform);
        compass->SetCom(*com);
        compass->ComPort = std::to_string(Port);
        return *compass;
    }
    device::clsCompass &startCompass()
    {
        bindCompass();
        EXPECT_TRUE(compass->StartCompass());
        return *compass;
    }
    // Text from the compass, handled before the call returns.
    void arrive(const std::string &text)
    {
        com->deliver(text);
        sim.advance(1);
    }
    void reading(float heading, float pitch, float roll, float temperature)
    {
        board.sendReading(heading, pitch, roll, temperature);
        sim.advance(1);
    }
    // The same reading every 100 ms for `ms`.
    void hold(float heading, float pitch, float roll, float temperature, platform::sim::VirtualMs ms)
    {
        for (platform::sim::VirtualMs t = 0; t < ms; t += 100) {
            board.sendReading(heading, pitch, roll, temperature);
            sim.advance(100);
        }
    }

    QTemporaryDir dir;
    platform::sim::SimPlatform sim;
    std::unique_ptr<platform::SerialPort> owned;
    platform::sim::SimSerialPort *com;
    MenuCompass board;
    std::unique_ptr<device::clsCompass> compass;
};
