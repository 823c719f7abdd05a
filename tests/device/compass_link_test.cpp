#include "compass_bench.h"

#include <vector>

namespace LinkStatus = device::LinkStatus;

namespace {

class CompassLink : public CompassBench {};

TEST_F(CompassLink, StartConfiguresTheOwnersPortAndListens)
{
    compass.ComBaud = "19200";
    compass.ComParity = "E";
    compass.ComDataBits = "7";
    compass.ComStopBits = "2";
    EXPECT_EQ(compass.StatusStr(), "Not Used");
    start();
    EXPECT_TRUE(com->isOpen());
    EXPECT_EQ(com->portNumber(), Port);
    EXPECT_EQ(com->settings(), "19200,E,7,2");
    EXPECT_TRUE(com->rtsEnabled());
    EXPECT_EQ(compass.Status(), LinkStatus::Listening);
    EXPECT_EQ(compass.StatusStr(), "Listening");

    compass.StopCompass();
    EXPECT_FALSE(com->isOpen());
    EXPECT_EQ(compass.Status(), LinkStatus::NotUsed);
}

TEST_F(CompassLink, StartFailsWithoutPortOrNumberOrDevice)
{
    device::clsCompass unbound(sim.platform);
    EXPECT_FALSE(unbound.StartCompass());

    compass.ComPort = "COM3";
    EXPECT_FALSE(compass.StartCompass());
    EXPECT_EQ(compass.Status(), LinkStatus::NotUsed);
    EXPECT_EQ(com->portNumber(), 1) << "a bad number leaves the port alone";

    compass.ComPort = "9";
    const auto before = sim.now();
    EXPECT_FALSE(compass.StartCompass());
    EXPECT_NEAR(static_cast<double>(sim.now() - before), 303, 3) << "three attempts 100 ms apart";
}

TEST_F(CompassLink, LinesAreCutAtCrLfAcrossPieces)
{
    start();
    std::vector<float> headings;
    compass.NewData = [&] { headings.push_back(compass.Heading()); };
    arrive("$C32");
    arrive("8.5P1.0\r");
    EXPECT_TRUE(headings.empty());
    arrive("\n");
    ASSERT_EQ(headings.size(), 1u);
    EXPECT_FLOAT_EQ(headings[0], 328.5f);
    EXPECT_FLOAT_EQ(compass.Pitch(), 1.0f);

    arrive("$C1\r\n$C2\r\n$C3");
    EXPECT_EQ(headings, (std::vector<float>{328.5f, 1, 2}));
    arrive("\r\n");
    EXPECT_EQ(headings.back(), 3);
}

TEST_F(CompassLink, NewDataOnlyForCompleteSentences)
{
    start();
    int raised = 0;
    compass.NewData = [&] { ++raised; };
    arrive("$C10.5T21.5*3F\r\n");
    EXPECT_EQ(raised, 1);
    EXPECT_TRUE(compass.HeadingPresent() && compass.TemperaturePresent());
    EXPECT_FALSE(compass.PitchPresent() || compass.RollPresent() || compass.LifeCountPresent());
    arrive("$C11P\r\n");
    EXPECT_EQ(raised, 1);
    EXPECT_FLOAT_EQ(compass.Heading(), 11.0f);
    arrive("$C1L1234.5\r\n");
    EXPECT_EQ(compass.LifeCount(), 1234);
}

TEST_F(CompassLink, UnfinishedTextIsBoundedToItsNewestCharacters)
{
    start();
    int raised = 0;
    compass.NewData = [&] { ++raised; };
    arrive(std::string(10000, 'x') + "$C7");
    arrive("\r\n");
    EXPECT_EQ(raised, 0) << "the oldest characters are gone, the line starts with x";
    arrive(std::string(5000, 'y') + "\r\n$C8\r\n");
    EXPECT_EQ(raised, 1);
    EXPECT_FLOAT_EQ(compass.Heading(), 8.0f);
}

TEST_F(CompassLink, RawCopyKeepsItsNewestHalfAndEmptiesOnRead)
{
    start();
    compass.HoldsBuffer = true;
    std::string text;
    for (int i = 0; i < 2001; ++i)
        text += static_cast<char>('a' + i % 26);
    arrive(text);
    EXPECT_EQ(compass.InputBuffer(), text.substr(1001));
    EXPECT_EQ(compass.InputBuffer(), "");
    com->deliverFramingError();
    sim.advance(1);
    EXPECT_EQ(compass.InputBuffer(), "");
}

TEST_F(CompassLink, SilenceTimesOutAndForgetsTheIdentity)
{
    start();
    device.replies['V'] = {"XY-100 V3.2, SN#0012345"};
    EXPECT_EQ(compass.FirmwareVersion(), "3.2");
    EXPECT_EQ(compass.Status(), LinkStatus::Alive);

    arrive("$C2\r\n");
    sim.advance(4999);
    EXPECT_EQ(compass.Status(), LinkStatus::Alive);
    sim.advance(1);
    EXPECT_EQ(compass.StatusStr(), "Timeout");
    device.silentKeys.insert('V');
    EXPECT_EQ(compass.SN(), "ND") << "the identity was emptied and the compass does not answer";
    arrive("$C3\r\n");
    EXPECT_EQ(compass.Status(), LinkStatus::Alive);
}

class CompassLinkAtTickWrap : public CompassBench {
protected:
    CompassLinkAtTickWrap() : CompassBench(0xFFFFF000u) {}
};

TEST_F(CompassLinkAtTickWrap, TimeoutCountsAcrossTheWrap)
{
    start();
    sim.advance(3000);
    arrive("$C1\r\n");
    sim.advance(4000);
    ASSERT_LT(sim.clock.tickCount(), 0x1000u) << "the tick count has wrapped";
    EXPECT_EQ(compass.Status(), LinkStatus::Alive);
    sim.advance(1100);
    EXPECT_EQ(compass.Status(), LinkStatus::Timeout);
}

TEST_F(CompassLink, BridgeOffsetAfterACalibrationKeySkipsProgressToTheCr)
{
    start();
    int raised = 0;
    compass.NewData = [&] { ++raised; };
    arrive("Bridge offset\r\n");
    arrive("$C1\r\n");
    EXPECT_EQ(raised, 1) << "without a calibration key nothing is skipped";

    ASSERT_TRUE(compass.CmdStartLevelCalibration());
    arrive("Bridge offset\r\n");
    sim.advance(4000);
    arrive("....$C5\n");
    sim.advance(4000);
    EXPECT_EQ(compass.Status(), LinkStatus::Alive) << "progress is a sign of life";
    arrive("...\r\n$C6\r\n");
    EXPECT_EQ(raised, 1) << "the chunk that ends the skip is dropped whole";
    arrive("$C7\r\n");
    EXPECT_EQ(raised, 2) << "after the CR lines count again";
    EXPECT_FLOAT_EQ(compass.Heading(), 7.0f);
}

} // namespace
