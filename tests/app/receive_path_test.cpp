#include "app/receive_path.h"
#include "app/terminal_display.h"
#include "app/terminal_text.h"
#include "platform/sim/sim_platform.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <vector>

namespace {

using platform::sim::SimPlatform;

struct RecordingHost : app::ReceiveHost {
    std::vector<std::string> terminal;
    // Every line handed on, data or not, in the order handled.
    std::vector<std::string> handled;
    std::vector<std::pair<std::string, int>> sentences;
    std::vector<std::string> dumpLines;
    int settingsRequests = 0;
    bool echo = false;
    bool warning = false;

    void appendTerminal(const std::string &text) override
    {
        terminal.push_back(text);
        handled.push_back(text.substr(0, text.size() - 2));  // less the CR LF added for the terminal
    }
    bool showCompassOutput() const override { return echo; }
    void setFramingWarningVisible(bool visible) override { warning = visible; }
    void parseSentence(std::string &line, std::int32_t form, std::int32_t) override
    {
        sentences.emplace_back(line, form);
        handled.push_back(line);
    }
    void parseSettingsLine(const std::string &line) override { dumpLines.push_back(line); }
    void requestSettings() override { ++settingsRequests; }
    void forwardToCompass() override {}
};

// The line cutter keeps at most this much of a line that has no LF yet.
constexpr std::size_t LineBound = 4096;

class ReceivePathTest : public ::testing::Test {
protected:
    // The tick count wraps 220 ms after the start.
    ReceivePathTest() : sim(dir.path(), 0xFFFFFF24u), path(sim.clock, state, host)
    {
        sim.ports.addDevice(2);
        port = sim.ports.createPort();
        port->setPortNumber(2);
        port->setReceiveHandler([this] { path.OnComm(*port); });
        EXPECT_TRUE(port->open());
        state.SettingsKnown = true;
    }
    platform::sim::SimSerialPort &far() { return *sim.ports.openPort(2); }
    void send(const std::string &bytes)
    {
        far().deliver(bytes);
        sim.advance(1);
    }

    QTemporaryDir dir;
    SimPlatform sim;
    protocol::ConsoleState state;
    RecordingHost host;
    app::ReceivePath path;
    std::unique_ptr<platform::SerialPort> port;
};

TEST_F(ReceivePathTest, LinesAreCutAtEachLfWithTheirTerminatorAndTheFormOfTheirSecondCharacter)
{
    send("$C1.0P");
    send("2.0R3.0*00\r");
    EXPECT_TRUE(host.sentences.empty());
    send("\n");
    ASSERT_EQ(host.sentences.size(), 1u);
    EXPECT_EQ(host.sentences[0].first, "$C1.0P2.0R3.0*00\r\n");

    // Two lines and half a third: the half waits for the rest.
    send("$C1\r\n2,3\r\n$H");
    EXPECT_EQ(path.LineBuffer, "$H");
    send("CHDT,1,T\r\n$O123,4\r\n7C1\r\n7\r\n0,1\r\n");
    std::vector<std::pair<std::string, int>> expected{{"$C1.0P2.0R3.0*00\r\n", 1}, {"$C1\r\n", 1},
        {"2,3\r\n", 8}, {"$HCHDT,1,T\r\n", 4}, {"$O123,4\r\n", 2}, {"7C1\r\n", 1}, {"7\r\n", 8}, {"0,1\r\n", 8}};
    EXPECT_EQ(host.sentences, expected);
}

TEST_F(ReceivePathTest, MenuTextGoesToTheTerminalAndTheCaptureAsDoesDataDuringAMenuCommand)
{
    state.CaptureReply = true;
    send("&\r\nCMD:X\r\n");
    ASSERT_EQ(host.terminal.size(), 2u);
    EXPECT_EQ(host.terminal[0], "&\r\n\r\n");
    EXPECT_EQ(state.CapturedReply, "&\r\nCMD:X\r\n");
    state.MenuCommandActive = true;
    send("$C1.0\r\n");
    EXPECT_TRUE(host.sentences.empty());
    EXPECT_EQ(host.terminal.size(), 3u);
}

TEST_F(ReceivePathTest, DumpLinesGoOnlyToTheDumpParser)
{
    state.DumpInProgress = true;
    send("OUTPUT_FORMAT=1\r\n$C1\r\n");
    EXPECT_EQ(host.dumpLines.size(), 2u);
    EXPECT_TRUE(host.terminal.empty());
    EXPECT_TRUE(host.sentences.empty());
}

TEST_F(ReceivePathTest, FirstDataLineAsksForSettingsUntilKnown)
{
    state.SettingsKnown = false;
    send("$C1\r\n");
    EXPECT_EQ(host.settingsRequests, 1);
    state.SettingsKnown = true;
    send("$C1\r\n");
    EXPECT_EQ(host.settingsRequests, 1);
}

TEST_F(ReceivePathTest, FramingWarningAfter51ErrorsWithoutARunOf51GoodEvents)
{
    const auto errors = [&](int n) {
        for (int i = 0; i < n; ++i)
            far().deliverFramingError();
        sim.advance(1);
    };
    const auto goodEvents = [&](int n) {
        for (int i = 0; i < n; ++i)
            send("x");
    };
    goodEvents(40);
    errors(50);
    goodEvents(1);
    EXPECT_FALSE(host.warning);
    errors(1);
    EXPECT_TRUE(host.warning);
    EXPECT_EQ(path.FramingErrorCount, 60);
    // Each error restarts the run of good events that clears it.
    goodEvents(50);
    errors(1);
    goodEvents(50);
    EXPECT_TRUE(host.warning);
    goodEvents(1);
    EXPECT_FALSE(host.warning);
    EXPECT_EQ(path.FramingErrorCount, 0);
    EXPECT_EQ(path.GoodReceiveCount, 60);
}

TEST_F(ReceivePathTest, EscapeSearchCapturesRawText)
{
    path.EscSearchActive = true;
    send("xyz\nCMD:");
    EXPECT_EQ(path.LineBuffer, "CMD:");
    EXPECT_EQ(path.CmdPromptSeen, -1);
    EXPECT_TRUE(host.terminal.empty());
    EXPECT_EQ(path.GoodReceiveCount, 0);

    // After the search the capture starts the next line; only new input's LFs
    // cut it, and an LF CR in the capture costs the line its last two characters.
    send("ab\ncd\n\rCMD:");
    path.EscSearchActive = false;
    send("X\r\n");
    EXPECT_EQ(host.handled, std::vector<std::string>{"cd\n\rCMD:X"});
}

TEST_F(ReceivePathTest, RawTerminalEchoesChunksAndSkipsTheLineEcho)
{
    state.RawTerminal = true;
    send("CMD:C\r\nBridge");
    ASSERT_EQ(host.terminal.size(), 1u);
    EXPECT_EQ(host.terminal[0], "CMD:C\r\nBridge");
}

// Data lines are echoed once the pending text is longer than 40000 characters
// divided by the milliseconds since the previous data line: 400 at 100 ms.
TEST_F(ReceivePathTest, EchoThrottleFlushesWhenThePendingTextPassesItsLimit)
{
    host.echo = true;
    path.LastEchoTick = sim.clock.tickCount();
    const auto lineAfter = [&](int ms, std::size_t length) {
        sim.advance(ms);
        std::string line(length, '1');
        path.HandleLine(line);
    };
    lineAfter(100, 398);
    EXPECT_TRUE(host.terminal.empty()) << "400 characters are not more than 400";
    lineAfter(100, 1);
    ASSERT_EQ(host.terminal.size(), 1u);
    EXPECT_EQ(host.terminal[0].size(), 403u);
    // Across the tick wrap: 300 characters after 50 ms wait for more.
    lineAfter(50, 298);
    EXPECT_EQ(host.terminal.size(), 1u);
    lineAfter(50, 499);
    EXPECT_EQ(host.terminal.size(), 2u);
}

TEST_F(ReceivePathTest, ALineWithoutTerminatorKeepsItsNewest4096Characters)
{
    for (int i = 0; i < 100; ++i)
        send(std::string(1000, char('A' + i % 26)));
    EXPECT_EQ(path.LineBuffer.size(), LineBound);
    EXPECT_EQ(path.LineBuffer.front(), char('A' + 95 % 26));
    EXPECT_EQ(path.LineBuffer.back(), char('A' + 99 % 26));
    send("\n");
    EXPECT_EQ(host.terminal.size(), 1u);
    EXPECT_TRUE(path.LineBuffer.empty());
}

TEST(TerminalText, AnAppendBeyond2000CharactersKeepsTheLast1000)
{
    app::TerminalText terminal;
    terminal.append(std::string(1999, 'a'));
    terminal.append("b");
    EXPECT_EQ(terminal.text().size(), 2000u);
    terminal.append("c");
    EXPECT_EQ(terminal.text(), std::string(998, 'a') + "bc");
}

// The terminal's text holds each line with its own ending and the CR LF added
// after it; it shows one line break for the two.
TEST(TerminalDisplay, EveryLineBreakShowsOnceAndControlBytesByName)
{
    using app::TerminalDisplay;
    EXPECT_EQ(TerminalDisplay("&\r\n\r\nCMD:\r\n\r\n"), "&\nCMD:\n");
    // A blank line the module sent stays.
    EXPECT_EQ(TerminalDisplay("A\r\n\r\n\r\n\r\nB\r\n\r\n"), "A\n\nB\n");
    // A line cut at a lone LF, a lone CR, a CR before CR LF, and text shown raw.
    EXPECT_EQ(TerminalDisplay("A\n\r\nB"), "A\nB");
    EXPECT_EQ(TerminalDisplay("x\ry\nz"), "x\ny\nz");
    EXPECT_EQ(TerminalDisplay("a\r\r\nb\r\nc"), "a\n\nb\nc");
    EXPECT_EQ(TerminalDisplay(std::string_view("CMD:\x1b\x00\x07\x7f\x9b\t\xb0", 11)),
              QString::fromUtf8("CMD:<ESC><NUL><BEL><DEL><0x9B>\t\u00b0"));
}

} // namespace
