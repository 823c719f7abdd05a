#pragma once
#include "device/cls_automation.h"
#include "device/cls_compass.h"
#include "platform/sim/sim_platform.h"
#include "scripted_compass.h"
#include "wizard/wizard_host.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QTemporaryDir>
#include <functional>
#include <memory>

// The main window as the wizard sees it, on the simulated machine.
class TestHost : public wizard::WizardHost {
public:
    explicit TestHost(platform::sim::SimPlatform &sim, platform::SerialPort &com) : m_sim(sim), m_com(com)
    {
        stored.ComPort = "3";
        stored.ComBaud = "19200";
    }

    platform::Platform &platform() override { return m_sim.platform; }
    platform::SerialPort &port() override { return m_com; }
    device::SerialLineSettings storedSerialSettings() override { return stored; }
    float refAngleThreshold() override { return threshold; }
    device::clsCompass &replaceCompass(std::unique_ptr<device::clsCompass> fresh) override
    {
        compass = std::move(fresh);
        ++replacements;
        return *compass;
    }
    void setCompassOwnsPort(bool owns) override { ownsPort = owns; }
    void runModal(QDialog &dialog) override
    {
        ++modalRuns;
        if (onModal)
            onModal(dialog);
    }

    device::SerialLineSettings stored;
    float threshold = 5.0f;
    std::unique_ptr<device::clsCompass> compass;
    int replacements = 0;
    bool ownsPort = false;
    int modalRuns = 0;
    // Plays the user while a dialog is up.
    std::function<void(QDialog &)> onModal;

private:
    platform::sim::SimPlatform &m_sim;
    platform::SerialPort &m_com;
};

// A host, its port `Com` on COM3 and a scripted compass at the far end. The
// port's receive handler feeds the host's compass object, as the main window
// does while the compass owns the port.
class WizardBench : public ::testing::Test {
protected:
    static constexpr int Port = 3;

    WizardBench()
        : sim(dir.path()), owned(sim.ports.createPort()),
          com(static_cast<platform::sim::SimSerialPort *>(owned.get())), host(sim, *com), board(sim, *com),
          automation(sim.platform)
    {
        sim.ports.addDevice(Port);
        com->setReceiveHandler([this] {
            if (host.compass)
                host.compass->OnCom();
            else
                com->readAll();
        });
    }

    // A started compass object on `Com`, as the wizard's first step leaves it.
    device::clsCompass &startCompass()
    {
        device::clsCompass &compass = host.replaceCompass(std::make_unique<device::clsCompass>(sim.platform));
        compass.SetCom(*com);
        compass.ComPort = std::to_string(Port);
        EXPECT_TRUE(compass.StartCompass());
        return compass;
    }
    // A reading that is handled before the call returns.
    void reading(float heading, float pitch, float roll, float temperature)
    {
        board.sendReading(heading, pitch, roll, temperature);
        sim.advance(1);
    }
    // The board sends the same reading every 100 ms for `ms`.
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
    TestHost host;
    ScriptedCompass board;
    device::clsAutomation automation;
};
