#include "compass_bench.h"

#include <vector>

namespace LinkStatus = device::LinkStatus;

namespace {

class CompassLink : public CompassBench {};

TEST_F(CompassLink, StartConfiguresTheOwnersPortOrFailsCleanly)
{
    EXPECT_FALSE(device::clsCompass(sim.platform).StartCompass()) << "not bound";
    compass->ComPort = "COM3";
    EXPECT_FALSE(compass->StartCompass());
    EXPECT_EQ(com->portNumber(), 1) << "a bad number leaves the port alone";
    compass->ComPort = "9";
    const auto before = sim.now();
    EXPECT_FALSE(compass->StartCompass());
    EXPECT_NEAR(double(sim.now() - before), 300, 5) << "three attempts 100 ms apart";
    EXPECT_EQ(compass->StatusStr(), "Not Used");

    compass->ComPort = "3";
    compass->ComBaud = "19200";
    compass->ComParity = "E";
    compass->ComDataBits = "7";
    compass->ComStopBits = "2";
    ASSERT_TRUE(compass->StartCompass());
    EXPECT_EQ(com->portNumber(), 3);
    EXPECT_EQ(com->settings(), "19200,E,7,2");
    EXPECT_TRUE(com->rtsEnabled());
    EXPECT_EQ(compass->StatusStr(), "Listening");
    compass->StopCompass();
    EXPECT_FALSE(com->isOpen());
    EXPECT_EQ(compass->Status(), LinkStatus::NotUsed);
}

// What the device kept while the port was closed is old: the object starts on live data.
TEST_F(CompassLink, StartDiscardsWhatArrivedBeforeTheOpen)
{
    com->deliver("$C111.0\r\n$C112.0\r\n");
    startCompass();
    sim.advance(10);
    EXPECT_FALSE(compass->HeadingPresent());
    EXPECT_EQ(compass->StatusStr(), "Listening");
    arrive("$C222.0\r\n");
    EXPECT_FLOAT_EQ(compass->Heading(), 222.0f);
}

TEST_F(CompassLink, LinesAreCutAtCrLfAndOnlyCompleteSentencesRaiseNewData)
{
    startCompass();
    std::vector<float> headings;
    compass->NewData = [&] { headings.push_back(compass->Heading()); };
    arrive("$C32");
    arrive("8.5P1.0\r");
    EXPECT_TRUE(headings.empty());
    arrive("\n");
    EXPECT_EQ(headings, std::vector<float>{328.5f});
    EXPECT_FLOAT_EQ(compass->Pitch(), 1.0f);

    arrive("$C1\r\n$C2P\r\n$C3");
    EXPECT_EQ(headings, (std::vector<float>{328.5f, 1})) << "a tag without a value raises nothing";
    EXPECT_FLOAT_EQ(compass->Heading(), 2.0f);
    arrive("\r\n");
    EXPECT_EQ(headings.back(), 3);
}

TEST_F(CompassLink, RawCopyKeepsItsNewestThousandAndEmptiesOnRead)
{
    startCompass();
    compass->HoldsBuffer = true;
    std::string text;
    for (int i = 0; i < 2001; ++i)
        text += static_cast<char>('a' + i % 26);
    arrive(text);
    EXPECT_EQ(compass->InputBuffer(), text.substr(1001));
    EXPECT_EQ(compass->InputBuffer(), "");
}

TEST_F(CompassLink, SilenceOfMoreThanFiveSecondsTimesOutAndForgetsTheIdentity)
{
    startCompass();
    board.replies['V'] = {"XY-100 V3.2, SN#0012345"};
    EXPECT_EQ(compass->FirmwareVersion(), "3.2");
    arrive("$C2\r\n");
    sim.advance(4999);
    EXPECT_EQ(compass->Status(), LinkStatus::Alive);
    sim.advance(1);
    EXPECT_EQ(compass->StatusStr(), "Timeout");
    board.silentKeys.insert('V');
    EXPECT_EQ(compass->FirmwareVersion(), "") << "emptied, and the compass does not answer";
    EXPECT_EQ(compass->SN(), "ND");
    arrive("$C3\r\n");
    EXPECT_EQ(compass->Status(), LinkStatus::Alive);
}

class CompassLinkAtTickWrap : public CompassBench {
protected:
    CompassLinkAtTickWrap() : CompassBench(0xFFFFF000u) {}
};

TEST_F(CompassLinkAtTickWrap, TimeoutCountsAcrossTheWrap)
{
    startCompass();
    sim.advance(3000);
    arrive("$C1\r\n");
    sim.advance(4000);
    ASSERT_LT(sim.clock.tickCount(), 0x1000u) << "the tick count has wrapped";
    EXPECT_EQ(compass->Status(), LinkStatus::Alive);
    sim.advance(1100);
    EXPECT_EQ(compass->Status(), LinkStatus::Timeout);
}

TEST_F(CompassLink, BridgeOffsetAfterACalibrationKeySkipsProgressToTheCr)
{
    startCompass();
    int raised = 0;
    compass->NewData = [&] { ++raised; };
    arrive("Bridge offset\r\n");
    arrive("$C1\r\n");
    EXPECT_EQ(raised, 1) << "without a calibration key nothing is skipped";

    ASSERT_TRUE(compass->CmdStartLevelCalibration());
    arrive("Bridge offset\r\n");
    sim.advance(4000);
    arrive("....$C5\n");
    sim.advance(4000);
    EXPECT_EQ(compass->Status(), LinkStatus::Alive) << "progress is a sign of life";
    arrive("...\r\n$C6\r\n");
    EXPECT_EQ(raised, 1) << "the chunk that ends the skip is dropped whole";
    arrive("$C7\r\n");
    EXPECT_EQ(raised, 2);
}

} // namespace
