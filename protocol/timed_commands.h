#pragma once
#include "platform/platform.h"
#include "protocol/setting_table.h"

#include <cstdint>
#include <functional>
#include <string_view>

// The commands the program paces by time alone, without reading the
// module's echoes: a settings row's command and the settings read.
namespace protocol {

// ESC, a pause, the key; `escSent` runs right after the ESC.
void SendEscAndKey(platform::Platform &platform, platform::SerialPort &port, char key,
                   const std::function<void()> &escSent);

// A row's command as its Set button sends it: ESC, the key, its pause, then
// `value` ended as the row's key wants, or the CR, blank or nothing that
// follows a row without a value.
void SendSettingCommand(platform::Platform &platform, platform::SerialPort &port, const Setting &setting,
                        std::string_view value, const std::function<void()> &escSent);

// ESC, a pause, `started`, `beforeKey`, "&", `dumpTime`, a blank: the dump's
// lines arrive during the pauses.
void SendDumpRequest(platform::Platform &platform, platform::SerialPort &port, std::int32_t beforeKey,
                     std::int32_t dumpTime, const std::function<void()> &started);

} // namespace protocol
