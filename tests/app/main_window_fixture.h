#pragma once
#include "app/frm_main.h"
#include "platform/sim/sim_platform.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// The main window on the simulated machine, loaded as at start-up.
class MainWindowTest : public ::testing::Test {
protected:
    void load(platform::Tick firstTick = 1000)
    {
        sim = std::make_unique<platform::sim::SimPlatform>(dir.path(), firstTick);
        sim->ports.addDevice(2);
        window = std::make_unique<app::frmMain>(sim->platform);
        window->Form_Load();
    }

    template <class T = QWidget>
    T *control(const char *name) const
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    bool shown(const char *name) const { return control(name)->isVisibleTo(window.get()); }
    bool enabled(const char *name) const { return control(name)->isEnabled(); }
    void press(const char *name) { control<QAbstractButton>(name)->click(); }
    // The port is as `open` says, and its two buttons show it.
    void expectPort(bool open) const
    {
        EXPECT_EQ(window->Com().isOpen(), open);
        EXPECT_EQ(enabled("cmdOpen"), !open);
        EXPECT_EQ(enabled("cmdClose"), open);
    }
    // The far end of the open COM2.
    platform::sim::SimSerialPort &compass() const { return *sim->ports.openPort(2); }

    QTemporaryDir dir;
    std::unique_ptr<platform::sim::SimPlatform> sim;
    std::unique_ptr<app::frmMain> window;
};
