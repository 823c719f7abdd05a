#include "platform/sim/sim_platform.h"
#include "tools/sim_compass_link.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using platform::sim::VirtualMs;

// COM2 of a simulated machine with the module on it, and the program's end of the line.
class OnTheLine : public ::testing::Test {
protected:
    OnTheLine() : sim(dir.path()), link(0)
    {
        link.attachToBus(sim.ports, sim.pump, 2);
        link.compass().setHeading(328.1);
        port = sim.ports.createPort();
        port->setPortNumber(2);
        port->setReceiveHandler([this] {
            for (char c : port->readAll()) {
                current += c;
                if (c == '\n') {
                    lines.push_back({sim.now(), current});
                    current.clear();
                }
            }
        });
        EXPECT_TRUE(port->open());
    }
    compass_sim::CompassSimulator &compass() { return link.compass(); }
    int count(std::string_view prefix) const
    {
        int n = 0;
        for (const auto &line : lines)
            n += line.text.rfind(prefix, 0) == 0;
        return n;
    }

    struct Line {
        VirtualMs at;
        std::string text;
    };
    QTemporaryDir dir;
    platform::sim::SimPlatform sim;
    compass_sim::SimCompassLink link;
    std::unique_ptr<platform::SerialPort> port;
    std::vector<Line> lines;
    std::string current;
};

unsigned checksumOf(const std::string &body)
{
    unsigned sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    return sum;
}

TEST_F(OnTheLine, EachFormAsTheModuleSendsIt)
{
    compass().settings().set("DISPLAY_FIELDS", "7");
    sim.advance(50);
    ASSERT_EQ(lines.size(), 1u);
    const std::string tagged = lines[0].text;
    ASSERT_EQ(tagged.substr(0, 16), "$C328.1P-0.4R1.2");
    ASSERT_EQ(tagged.size(), 21u);
    EXPECT_EQ(tagged[16], '*');
    EXPECT_EQ(std::stoul(tagged.substr(17, 2), nullptr, 16), checksumOf("C328.1P-0.4R1.2"));
    EXPECT_EQ(tagged.substr(19), "\r\n");

    // In the comma forms a clear bit below the highest set one still takes an item.
    compass().settings().set("DISPLAY_FIELDS", "9");
    compass().settings().set("OUTPUT_FORMAT", "8");
    sim.advance(100);
    EXPECT_EQ(lines.back().text, "328.1,,,26.3\r\n");
    compass().settings().set("OUTPUT_FORMAT", "2");
    sim.advance(100);
    EXPECT_EQ(lines.back().text, "$OHPR,328.1,,,26.3\r\n");
    compass().settings().set("OUTPUT_FORMAT", "4");
    sim.advance(100);
    EXPECT_EQ(lines.back().text.substr(0, 15), "$HCHDT,328.1,T*");
    EXPECT_EQ(std::stoul(lines.back().text.substr(15, 2), nullptr, 16), checksumOf("HCHDT,328.1,T"));
}

TEST_F(OnTheLine, OutputRateSetsTheCadenceInVirtualTime)
{
    compass().settings().set("OUTPUT_RATE", "20");
    sim.advance(999);
    EXPECT_EQ(count("$C"), 20);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1].at - lines[0].at, 50u);

    lines.clear();
    compass().settings().set("OUTPUT_RATE", "-2");
    sim.advance(6000);
    ASSERT_EQ(count("$C"), 3);
    EXPECT_EQ(lines[1].at - lines[0].at, 2000u) << "negative rate: seconds between sentences";

    lines.clear();
    compass().settings().set("OUTPUT_FORMAT", "16");
    sim.advance(3000);
    EXPECT_TRUE(lines.empty());
}

} // namespace
