#include "protocol/timed_commands.h"

#include "platform/wait.h"
#include "protocol/menu_protocol.h"

#include <string>

namespace protocol {

namespace {

void send(platform::SerialPort &port, char c)
{
    port.write(std::string_view(&c, 1));
}

} // namespace

void SendEscAndKey(platform::Platform &platform, platform::SerialPort &port, char key,
                   const std::function<void()> &escSent)
{
    send(port, Esc);
    escSent();
    platform::Wait(platform, PanelPace::AfterEsc);
    send(port, key);
}

void SendSettingCommand(platform::Platform &platform, platform::SerialPort &port, const Setting &setting,
                        std::string_view value, const std::function<void()> &escSent)
{
    SendEscAndKey(platform, port, setting.key, escSent);
    platform::Wait(platform, setting.afterKey);
    switch (setting.follows) {
    case Follows::Value:
        if (setting.valueEnd == ValueEnd::CrAfterPause) {
            port.write(value);
            platform::Wait(platform, PanelPace::BeforeCr);
            send(port, Cr);
            break;
        }
        [[fallthrough]];
    case Follows::Tenths:
        port.write(std::string(value) + Cr);
        break;
    case Follows::Cr:
        send(port, Cr);
        break;
    case Follows::Blank:
        send(port, Blank);
        break;
    case Follows::Nothing:
        break;
    }
}

void SendDumpRequest(platform::Platform &platform, platform::SerialPort &port, std::int32_t beforeKey,
                     std::int32_t dumpTime, const std::function<void()> &started)
{
    send(port, Esc);
    platform::Wait(platform, DumpPace::AfterEsc);
    started();
    platform::Wait(platform, beforeKey);
    send(port, Key::PrintSettings);
    platform::Wait(platform, dumpTime);
    send(port, Blank);
}

} // namespace protocol
