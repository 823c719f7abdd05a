#include "app/receive_path.h"

#include "protocol/menu_protocol.h"

#include <algorithm>
#include <utility>

namespace app {

namespace {
constexpr char LF = '\n';
} // namespace

ReceivePath::ReceivePath(const platform::Clock &clock, protocol::ConsoleState &state, SentenceParser &parser,
                         ReceiveOutlets outlets)
    : m_clock(clock), m_state(state), m_parser(parser), m_out(std::move(outlets))
{
    m_lastEchoTick = m_clock.tickCount();
}

void ReceivePath::resetFramingErrors()
{
    m_framingErrorCount = 0;
    m_out.framingWarning(false);
}

void ReceivePath::startAfterOpen(const platform::SerialPort &com)
{
    m_lineBuffer.clear();
    m_uncut = 0;
    m_firstLineAfterOpen = true;
    m_writtenAtOpen = com.bytesWritten();
}

void ReceivePath::OnComm(platform::SerialPort &com)
{
    if (m_state.CompassOwnsPort) {
        m_out.compassEvent();
        return;
    }
    const int event = com.commEvent();
    const std::string input = com.readAll();

    if (m_state.RawTerminal) {
        m_out.signOfLife();
        if (!input.empty())
            m_out.terminal(input);
    }
    if (m_escSearchActive) {
        captureForEscapeSearch(input);
        return;
    }
    // What comes after the program has written is an answer.
    if (com.bytesWritten() != m_writtenAtOpen)
        m_firstLineAfterOpen = false;
    if (event < 1000) {
        cutLines(input);
        countGoodEvent();
    } else if (event == platform::SerialPort::EventFramingError) {
        countFramingError();
    }
}

void ReceivePath::captureForEscapeSearch(const std::string &input)
{
    m_lineBuffer += input;
    const auto lf = m_lineBuffer.find(LF);
    if (lf != std::string::npos)
        m_lineBuffer.erase(0, lf + 1);
    if (protocol::ContainsKeyPrompt(m_lineBuffer))
        m_cmdPromptSeen = true;
    trimLineBuffer();
    // What was captured starts the next line whole, LFs and all.
    m_uncut = m_lineBuffer.size();
    m_out.signOfLife();
}

void ReceivePath::cutLines(const std::string &input)
{
    // Events nested inside HandleLine append here too and carry on with the
    // oldest line first, so the outer loop simply finds less left to do.
    m_lineBuffer += input;
    for (auto lf = m_lineBuffer.find(LF, m_uncut); lf != std::string::npos; lf = m_lineBuffer.find(LF, m_uncut)) {
        std::string line = m_lineBuffer.substr(0, lf + 1);
        m_lineBuffer.erase(0, lf + 1);
        const bool capturedHead = m_uncut > 0;
        m_uncut = 0;
        // The line's own LF ends it, so only a head the escape search left can
        // hold an LF followed by a CR; such a line loses its last two characters.
        if (capturedHead && line.size() > 2 && line.find("\n\r") != std::string::npos)
            line.resize(line.size() - 2);
        HandleLine(line);
    }
    trimLineBuffer();
}

void ReceivePath::trimLineBuffer()
{
    if (m_lineBuffer.size() > MaxLineBuffer) {
        const std::size_t dropped = m_lineBuffer.size() - MaxLineBuffer;
        m_lineBuffer.erase(0, dropped);
        m_uncut -= std::min(m_uncut, dropped);
    }
}

void ReceivePath::countGoodEvent()
{
    m_goodReceiveCount = static_cast<std::int16_t>(m_goodReceiveCount + 1);
    if (m_goodReceiveCount > FramingLimit) {
        m_framingErrorCount = 0;
        m_goodReceiveCount = 60;
        m_out.framingWarning(false);
    }
}

void ReceivePath::countFramingError()
{
    m_goodReceiveCount = 0;
    m_framingErrorCount = static_cast<std::int16_t>(m_framingErrorCount + 1);
    if (m_framingErrorCount > FramingLimit) {
        m_framingErrorCount = 60;
        m_out.framingWarning(true);
    }
}

void ReceivePath::HandleLine(std::string &line)
{
    if (line.empty())
        return;
    m_out.signOfLife();
    const bool firstAfterOpen = std::exchange(m_firstLineAfterOpen, false);
    if (m_state.DumpInProgress) {
        m_out.dumpLine(line);
        return;
    }
    const char first = line.front();
    const bool data = (first == '$' || (first >= '0' && first <= '9')) && !m_state.MenuCommandActive;
    if (data) {
        // Most likely the tail of a sentence begun before the open, which
        // would be read as a bare list of values: not a reading.
        if (firstAfterOpen && first != '$')
            return;
        if (m_out.echoData())
            echoDataLine(line);
        m_parser.ParseSentence(line, SentenceFormOf(line), m_state.Settings.DisplayFields);
        if (!m_state.SettingsKnown)
            m_out.settingsWanted();
        return;
    }
    if (m_state.RawTerminal)
        return;
    m_out.terminal(line + "\r\n");
    if (m_state.CaptureReply)
        m_state.CapturedReply += line;
}

void ReceivePath::echoDataLine(const std::string &line)
{
    m_pendingEcho += line;
    m_pendingEcho += "\r\n";
    if (m_pendingEcho.size() > MaxPendingEcho)
        m_pendingEcho.erase(0, m_pendingEcho.size() - MaxPendingEcho);
    const platform::Tick now = m_clock.tickCount();
    const std::uint32_t elapsed = platform::ticksSince(now, m_lastEchoTick);
    if (elapsed != 0 && 40000.0 / elapsed < static_cast<double>(m_pendingEcho.size())) {
        m_out.terminal(m_pendingEcho);
        m_pendingEcho.clear();
    }
    m_lastEchoTick = now;
}

} // namespace app
