#pragma once
#include "platform/clock.h"
#include "platform/serial_port.h"
#include "protocol/console_state.h"

#include <cstdint>
#include <string>

namespace app {

// What the receive path hands lines and notices to.
class ReceiveHost {
public:
    virtual ~ReceiveHost() = default;
    // Appends to the terminal with its 2000/1000 limit and moves the caret to the end.
    virtual void appendTerminal(const std::string &text) = 0;
    // "Show Compass Output" is checked.
    virtual bool showCompassOutput() const = 0;
    // `lbl1004`.
    virtual void setFramingWarningVisible(bool visible) = 0;
    virtual void parseSentence(std::string &line, std::int32_t form, std::int32_t displayFields) = 0;
    virtual void parseSettingsLine(const std::string &line) = 0;
    // Settings read with panel refresh, after the first data line.
    virtual void requestSettings() = 0;
    // The compass object reads the port itself while it owns it.
    virtual void forwardToCompass() = 0;
};

// Cuts what arrives on `Com` into lines and routes each: dump, data sentence
// or menu text. Receive events nest when a handler waits; lines stay in order
// and no partial line is lost, because every event works on the one buffer.
class ReceivePath {
public:
    // A line without LF longer than this keeps only its newest characters.
    static constexpr std::size_t MaxLineBuffer = 4096;
    // Echo text beyond the biggest burst the throttle can hold back.
    static constexpr std::size_t MaxPendingEcho = 48 * 1024;
    static constexpr std::int16_t FramingLimit = 50;

    ReceivePath(const platform::Clock &clock, protocol::ConsoleState &state, ReceiveHost &host);

    // The receive event of `Com`.
    void OnComm(platform::SerialPort &com);
    void HandleLine(std::string &line);

    // Open and Close Port reset the framing supervision.
    void resetFramingErrors();
    // Forgets the partial line, which live input would complete into a false one.
    void discardPartialLine();

    std::string LineBuffer;
    platform::Tick LastDataTick = 0;
    platform::Tick LastEchoTick = 0;
    std::string PendingEcho;
    std::int16_t FramingErrorCount = 0;
    std::int16_t GoodReceiveCount = 0;
    // Escape-code search: raw capture instead of line cutting.
    bool EscSearchActive = false;
    std::int32_t CmdPromptSeen = 0;

private:
    void captureForEscapeSearch(const std::string &input);
    void cutLines(const std::string &input);
    void countGoodEvent();
    void countFramingError();
    void echoDataLine(const std::string &line);
    void trimLineBuffer();

    const platform::Clock &m_clock;
    protocol::ConsoleState &m_state;
    ReceiveHost &m_host;
    // The head of LineBuffer left by the escape search, which holds no line ends of its own.
    std::size_t m_uncut = 0;
};

} // namespace app
