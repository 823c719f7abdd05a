#include "app/receive_path.h"
#include "app/terminal_display.h"
#include "app/terminal_text.h"
#include "platform/sim/sim_platform.h"
#include "tests/parser/recording_targets.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <vector>

namespace {

using platform::sim::SimPlatform;

// What the receive path hands on besides data sentences, which go to a parser whose targets record them.
struct Recorded {
    std::vector<std::string> terminal;
    // Every menu line handed on, in the order handled.
    std::vector<std::string> handled;
    std::vector<std::string> dumpLines;
    int settingsRequests = 0;
    bool echo = false;
    bool warning = false;

    app::ReceiveOutlets outlets()
    {
        app::ReceiveOutlets out;
        out.terminal = [this](const std::string &text) {
            terminal.push_back(text);
            handled.push_back(text.substr(0, text.size() - 2));  // less the CR LF added for the terminal
        };
        out.echoData = [this] { return echo; };
        out.framingWarning = [this](bool shown) { warning = shown; };
        out.dumpLine = [this](const std::string &line) { dumpLines.push_back(line); };
        out.settingsWanted = [this] { ++settingsRequests; };
        return out;
    }
};

// The line cutter keeps at most this much of a line that has no LF yet.
constexpr std::size_t LineBound = 4096;

class ReceivePathTest : public ::testing::Test {
protected:
    // The tick count wraps 220 ms after the start.
    ReceivePathTest() : sim(dir.path(), 0xFFFFFF24u), path(sim.clock, state, parsed.parser, host.outlets())
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
    // The data sentences parsed so far.
    std::int32_t sentences() const { return parsed.parser.SampleNumber(); }

    QTemporaryDir dir;
    SimPlatform sim;
    protocol::ConsoleState state;
    Recorded host;
    parser_test::RecordedParser parsed;
    app::ReceivePath path;
    std::unique_ptr<platform::SerialPort> port;
};

TEST_F(ReceivePathTest, LinesAreCutAtEachLfWithTheirTerminator)
{
    send("$C1.0P");
    send("2.0R3.0*00\r");
    EXPECT_EQ(sentences(), 0);
    send("\n");
    EXPECT_EQ(sentences(), 1);
    EXPECT_EQ(parsed.journal,
              (parser_test::Journal{"show Heading 1", "cmp 0 1 1", "show Pitch 2", "cmp 1 1 2", "show Roll 3",
                                    "cmp 2 1 3", "items", "log 7"}));

    // Two lines and half a third: the half waits for the rest. The dump parser
    // is given each line as it came, its CR LF included.
    state.DumpInProgress = true;
    send("A=1\r\nB=2\n$H");
    EXPECT_EQ(path.LineBuffer(), "$H");
    send("CHDT,1,T\r\n");
    EXPECT_EQ(host.dumpLines, (std::vector<std::string>{"A=1\r\n", "B=2\n", "$HCHDT,1,T\r\n"}));

    // The prefixed form counts on the terminator, which it cuts off itself.
    state.DumpInProgress = false;
    state.Settings.DisplayFields = 3;
    parsed.journal.clear();
    send("$OHPR,10,20\r\n");
    EXPECT_EQ(parsed.journal, (parser_test::Journal{"show Heading 10", "show Pitch 20", "items", "log 3"}));
    // A line beginning with any digit is a sentence too.
    send("0,1\r\n");
    EXPECT_EQ(sentences(), 3);
    EXPECT_TRUE(host.terminal.empty());
}

// A line beginning "7" is a bare list of values unless its second character names another form.
TEST(SentenceForm, ComesFromTheSecondCharacter)
{
    using namespace protocol::SentenceForm;
    EXPECT_EQ(app::SentenceFormOf("$C1\r\n"), Tagged);
    EXPECT_EQ(app::SentenceFormOf("7C1\r\n"), Tagged);
    EXPECT_EQ(app::SentenceFormOf("$O123,4\r\n"), Prefixed);
    EXPECT_EQ(app::SentenceFormOf("$HCHDT,1,T\r\n"), HeadingOnly);
    EXPECT_EQ(app::SentenceFormOf("2,3\r\n"), Bare);
    EXPECT_EQ(app::SentenceFormOf("7"), Bare);
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
    EXPECT_EQ(sentences(), 0);
    EXPECT_EQ(host.terminal.size(), 3u);
}

TEST_F(ReceivePathTest, DumpLinesGoOnlyToTheDumpParser)
{
    state.DumpInProgress = true;
    send("OUTPUT_FORMAT=1\r\n$C1\r\n");
    EXPECT_EQ(host.dumpLines.size(), 2u);
    EXPECT_TRUE(host.terminal.empty());
    EXPECT_EQ(sentences(), 0);
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
    EXPECT_EQ(path.FramingErrorCount(), 60);
    // Each error restarts the run of good events that clears it.
    goodEvents(50);
    errors(1);
    goodEvents(50);
    EXPECT_TRUE(host.warning);
    goodEvents(1);
    EXPECT_FALSE(host.warning);
    EXPECT_EQ(path.FramingErrorCount(), 0);
    EXPECT_EQ(path.GoodReceiveCount(), 60);
}

TEST_F(ReceivePathTest, EscapeSearchCapturesRawText)
{
    path.setEscSearchActive(true);
    send("xyz\nCMD:");
    EXPECT_EQ(path.LineBuffer(), "CMD:");
    EXPECT_TRUE(path.CmdPromptSeen());
    EXPECT_TRUE(host.terminal.empty());
    EXPECT_EQ(path.GoodReceiveCount(), 0);

    // After the search the capture starts the next line; only new input's LFs
    // cut it, and an LF CR in the capture costs the line its last two characters.
    send("ab\ncd\n\rCMD:");
    path.setEscSearchActive(false);
    send("X\r\n");
    EXPECT_EQ(host.handled, std::vector<std::string>{"cd\n\rCMD:X"});
}

// The first line after an open is read as a bare list of values only when
// the program has written since: then it is an answer.
TEST_F(ReceivePathTest, AfterAnOpenABareFirstLineIsReadOnlyOnceTheProgramHasWritten)
{
    state.Settings.DisplayFields = 7;
    path.startAfterOpen(*port);
    send("8.1,-0.4,1.2\r\n");
    EXPECT_EQ(sentences(), 0);
    path.startAfterOpen(*port);
    port->write("&");
    send("8.1,-0.4,1.2\r\n");
    EXPECT_EQ(sentences(), 1);
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
    EXPECT_EQ(path.LineBuffer().size(), LineBound);
    EXPECT_EQ(path.LineBuffer().front(), char('A' + 95 % 26));
    EXPECT_EQ(path.LineBuffer().back(), char('A' + 99 % 26));
    send("\n");
    EXPECT_EQ(host.terminal.size(), 1u);
    EXPECT_TRUE(path.LineBuffer().empty());
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
