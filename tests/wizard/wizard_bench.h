#pragma once
#include "compass_bench.h"
#include "device/cls_automation.h"
#include "wizard/wizard_host.h"

// The main window as the wizard sees it: the program-wide compass object is
// the one `compass` holds.
class TestHost : public wizard::WizardHost {
public:
    TestHost(platform::sim::SimPlatform &sim, platform::SerialPort &com, std::unique_ptr<device::clsCompass> &compass)
        : m_sim(sim), m_com(com), m_compass(compass)
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
        m_compass = std::move(fresh);
        ++replacements;
        return *m_compass;
    }
    void setCompassOwnsPort(bool) override {}
    void runModal(QDialog &) override {}

    device::SerialLineSettings stored;
    float threshold = 5.0f;
    int replacements = 0;

private:
    platform::sim::SimPlatform &m_sim;
    platform::SerialPort &m_com;
    std::unique_ptr<device::clsCompass> &m_compass;
};

class WizardBench : public CompassBench {
protected:
    TestHost host{sim, *com, compass};
    device::clsAutomation automation{sim.platform};
};
