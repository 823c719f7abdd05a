#pragma once
#include "app/sentence_parser.h"
#include "platform/clock.h"
#include "platform/serial_port.h"
#include "protocol/console_state.h"

#include <cstdint>
#include <functional>
#include <string>

namespace app {

// Where the receive path hands on what is not a data sentence, and what it
// notices. Whoever builds the path connects each outlet to its object; an
// outlet left alone takes nothing.
struct ReceiveOutlets {
    // A line of the settings dump being read.
    std::function<void(const std::string &line)> dumpLine = [](const std::string &) {};
    // Text for the terminal: menu lines, the raw echo and echoed data lines.
    std::function<void(const std::string &text)> terminal = [](const std::string &) {};
    // "Show Compass Output" is checked: data lines are echoed too.
    std::function<bool()> echoData = [] { return false; };
    // Input of any kind: the compass is still there.
    std::function<void()> signOfLife = [] {};
    // A data line came while the settings are unknown: read them.
    std::function<void()> settingsWanted = [] {};
    // Shows or hides `lbl1004`.
    std::function<void(bool shown)> framingWarning = [](bool) {};
    // The compass object reads the port itself while it owns it.
    std::function<void()> compassEvent = [] {};
};

// Cuts what arrives on `Com` into lines and routes each: dump, data sentence
// (to the parser) or menu text. Receive events nest when a handler waits;
// lines stay in order and no partial line is lost, because every event works
// on the one buffer.
class ReceivePath {
public:
    // A line without LF longer than this keeps only its newest characters.
    static constexpr std::size_t MaxLineBuffer = 4096;
    // Echo text beyond the biggest burst the throttle can hold back.
    static constexpr std::size_t MaxPendingEcho = 48 * 1024;
    static constexpr std::int16_t FramingLimit = 50;

    ReceivePath(const platform::Clock &clock, protocol::ConsoleState &state, SentenceParser &parser,
                ReceiveOutlets outlets);

    // The receive event of `Com`.
    void OnComm(platform::SerialPort &com);
    void HandleLine(std::string &line);

    // Open and Close Port reset the framing supervision.
    void resetFramingErrors();
    // After `com` opened: forgets the partial line, which live input would
    // complete into a false one. The first line may be the tail of one the
    // module began before the open: when it would be read as a data sentence
    // without its "$" (a bare list of values), it is dropped, unless the
    // program has written to `com` since, when it is an answer.
    void startAfterOpen(const platform::SerialPort &com);

    // The escape-code search: while it is active, what arrives is kept raw
    // instead of cut into lines, and watched for the menu prompt "CMD:".
    void setEscSearchActive(bool active) { m_escSearchActive = active; }
    bool EscSearchActive() const { return m_escSearchActive; }
    // CmdPromptSeen tells from now on whether the prompt has come.
    void awaitPrompt() { m_cmdPromptSeen = false; }
    bool CmdPromptSeen() const { return m_cmdPromptSeen; }

    // What has come of the line not ended yet.
    const std::string &LineBuffer() const { return m_lineBuffer; }
    std::int16_t FramingErrorCount() const { return m_framingErrorCount; }
    std::int16_t GoodReceiveCount() const { return m_goodReceiveCount; }

private:
    void captureForEscapeSearch(const std::string &input);
    void cutLines(const std::string &input);
    void countGoodEvent();
    void countFramingError();
    void echoDataLine(const std::string &line);
    void trimLineBuffer();

    const platform::Clock &m_clock;
    protocol::ConsoleState &m_state;
    SentenceParser &m_parser;
    ReceiveOutlets m_out;
    std::string m_lineBuffer;
    // The head of the line buffer left by the escape search, which holds no line ends of its own.
    std::size_t m_uncut = 0;
    platform::Tick m_lastEchoTick = 0;
    std::string m_pendingEcho;
    std::int16_t m_framingErrorCount = 0;
    std::int16_t m_goodReceiveCount = 0;
    // No line has come since the open, nor has the program written.
    bool m_firstLineAfterOpen = false;
    std::uint64_t m_writtenAtOpen = 0;
    bool m_escSearchActive = false;
    bool m_cmdPromptSeen = false;
};

} // namespace app
