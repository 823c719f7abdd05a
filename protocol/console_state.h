#pragma once
#include "protocol/compass_settings.h"
#include "protocol/link_supervisor.h"

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

namespace protocol {

// State that the receive path and the menu exchanges share on the main window.
struct ConsoleState {
    // Raw echo of every received chunk to the terminal (panel calibrations).
    bool RawTerminal = false;
    // A menu command is on the line: data-looking lines are menu text.
    bool MenuCommandActive = false;
    // Menu lines are collected into CapturedReply while set.
    bool CaptureReply = false;
    std::string CapturedReply;

    bool SettingsKnown = false;
    bool DumpInProgress = false;
    bool DumpReceived = false;
    CompassSettings Settings;
    // The known names the current or last dump printed.
    std::set<std::string_view> DumpNamesSeen;

    // Silence after which the compass counts as not connected (LinkSupervisor).
    std::int32_t AliveTimeout = LinkSupervisor::SilenceLimit;

    // The wizard's or factory switch's compass object reads the port itself.
    bool CompassOwnsPort = false;
};

} // namespace protocol
