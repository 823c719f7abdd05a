// The receive path's line cutter. Chunks as the port delivers them (cut at
// 0xFF); the first byte of each says whether it arrives as a framing error
// (bit 0), whether the escape search captures it (bit 1) and whether a
// settings dump is being read (bit 2). Lines reach the
// handlers whole and in order, and the buffer stays bounded.
#include "app/receive_path.h"
#include "platform/sim/sim_platform.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/parser/recording_targets.h"

namespace {

// Joins every line handed on, terminators and all. Data-looking lines are
// menu text here (a menu command is on the line), so every line is seen.
class Lines {
public:
    std::string text;
    bool whole = true;

    app::ReceiveOutlets outlets()
    {
        app::ReceiveOutlets out;
        out.terminal = [this](const std::string &menuLine) { take(menuLine.substr(0, menuLine.size() - 2)); };
        out.dumpLine = [this](const std::string &line) { take(line); };
        return out;
    }

private:
    void take(const std::string &line)
    {
        whole = whole && line.find('\n') == line.size() - 1;
        text += line;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    platform::sim::SimPlatform sim(QStringLiteral("/nonexistent"));
    protocol::ConsoleState state;
    state.MenuCommandActive = true;
    Lines lines;
    parser_test::RecordedParser unused;
    app::ReceivePath path(sim.clock, state, unused.parser, lines.outlets());
    sim.ports.addDevice(1);
    const auto port = sim.ports.createPort();
    port->setPortNumber(1);
    port->open();
    port->setReceiveHandler([&] { path.OnComm(*port); });

    std::string sent;
    bool searched = false;
    for (const std::string &chunk : chunksOf(data, size)) {
        const int control = chunk.empty() ? 0 : static_cast<unsigned char>(chunk[0]);
        path.setEscSearchActive(control & 2);
        state.DumpInProgress = control & 4;
        searched = searched || path.EscSearchActive();
        if (control & 1) {
            sim.ports.openPort(1)->deliverFramingError();
        } else if (chunk.size() > 1) {
            sim.ports.openPort(1)->deliver(chunk.substr(1));
            sent += chunk.substr(1);
        }
        sim.advance(1);
        expect(path.LineBuffer().size() <= app::ReceivePath::MaxLineBuffer, "the line buffer stays bounded");
    }
    if (!searched) {
        expect(lines.whole, "a line ends at its line feed");
        // Nothing is dropped while no unfinished line outgrows the buffer.
        if (sent.size() <= app::ReceivePath::MaxLineBuffer)
            expect(lines.text + path.LineBuffer() == sent, "lines come whole, in order, and nothing is lost");
    }
    return 0;
}
