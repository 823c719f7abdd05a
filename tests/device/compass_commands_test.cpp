#include "compass_bench.h"

#include <string>
#include <vector>

namespace {

class CompassCommands : public CompassBench {
protected:
    CompassCommands()
    {
        compass.CmdTries = 2;
        start();
    }
    std::vector<std::string> writes() const
    {
        std::vector<std::string> out;
        for (const auto &chunk : com->written())
            out.push_back(chunk.bytes);
        return out;
    }
    const std::string esc = std::string(1, ESC);
};

TEST_F(CompassCommands, AnEchoedKeyIsSentOnce)
{
    EXPECT_TRUE(compass.CmdStartLevelCalibration());
    EXPECT_EQ(writes(), (std::vector<std::string>{esc, "C"}));
    EXPECT_NEAR(static_cast<double>(writtenAt(1) - writtenAt(0)), 250, 2);
}

TEST_F(CompassCommands, AKeyNeverEchoedIsTriedCmdTriesTimesInAboutOnePointOneSeconds)
{
    device.silentKeys.insert('Z');
    const auto before = sim.now();
    EXPECT_FALSE(compass.CmdStart90DegreeCal());
    EXPECT_NEAR(static_cast<double>(sim.now() - before), 1100, 10);
    EXPECT_EQ(writes(), (std::vector<std::string>{esc, "Z", esc, "Z"}));
    EXPECT_NEAR(static_cast<double>(writtenAt(2) - writtenAt(1)), 300, 3) << "200 ms echo wait, 100 ms pause";
}

TEST_F(CompassCommands, AnEchoOfAnotherKeyIsNoAcknowledgement)
{
    device.silentKeys.insert('V');
    device.say("CMD:C", 260);
    EXPECT_FALSE(compass.CmdShowVersion());
    EXPECT_EQ(writes(), (std::vector<std::string>{esc, "V", esc, "V"}));
}

TEST_F(CompassCommands, NoTriesSendNothing)
{
    compass.CmdTries = 0;
    EXPECT_FALSE(compass.CmdRestoreDefaults());
    EXPECT_TRUE(com->written().empty());
}

TEST_F(CompassCommands, AValueSucceedsOnlyWhenEchoedExactly)
{
    EXPECT_TRUE(compass.CmdSetTempOffset(2.5f));
    ASSERT_EQ(writes(), (std::vector<std::string>{esc, "+", "25\r"}));
    EXPECT_NEAR(static_cast<double>(writtenAt(2) - writtenAt(1)), 20 + 90, 3)
        << "90 ms after the echo (which took the compass 20 ms)";

    device.promptShows["25"] = "24";
    EXPECT_FALSE(compass.CmdSetTempOffset(2.5f));
    device.promptShows["7"] = "seven";
    EXPECT_FALSE(compass.CmdShowFields(7));
    device.silentKeys.insert('X');
    EXPECT_FALSE(compass.CmdShowFields(8));
    EXPECT_EQ(device.valuesTyped(), (std::vector<std::string>{"25", "25", "7"}));
}

TEST_F(CompassCommands, AValuePromptWaitEndsWhenDataSentencesResume)
{
    device.promptShows["5"] = "";
    const auto before = sim.now();
    com->deliver("$C1\r\n", before + 380);
    EXPECT_FALSE(compass.CmdShowFields(5));
    EXPECT_LT(sim.now() - before, 400u) << "the data line cut the 200 ms prompt wait short";
}

TEST_F(CompassCommands, TheSerialNumberGoesOutOneCharacterPer10Ms)
{
    EXPECT_TRUE(compass.CmdSaveSN(12345));
    const auto w = writes();
    ASSERT_EQ(w.size(), 2u + 9u);
    std::string digits;
    for (std::size_t i = 2; i < w.size(); ++i) {
        digits += w[i];
        if (i > 2) {
            EXPECT_NEAR(static_cast<double>(writtenAt(i) - writtenAt(i - 1)), 10, 1);
        }
    }
    EXPECT_EQ(digits, "000012345") << "no CR follows";

    com->clearWritten();
    device.fixedValueReply = "";
    device.silentKeys.insert('[');
    EXPECT_FALSE(compass.CmdSaveSN(1));
    EXPECT_FALSE(compass.CmdSaveSN(-1));
    EXPECT_EQ(com->written().size(), 4u) << "the negative number sent nothing";
}

TEST_F(CompassCommands, TheDateGoesOutAsDaysOrAsText)
{
    sim.clock.setWallClockStart(QDateTime(QDate(2010, 11, 5), QTime(8, 0)));
    EXPECT_TRUE(compass.CmdSaveCalDate());
    EXPECT_EQ(device.valuesTyped().back(), "1039");
    EXPECT_TRUE(compass.CmdSaveCalDateStr());
    EXPECT_EQ(device.valuesTyped().back(), "05 Nov 10");
}

TEST_F(CompassCommands, ACustomCommandIsExpandedAndPaced)
{
    std::string text = "<esc>V<enter><wait>";
    EXPECT_TRUE(compass.CmdCustomCommand(text));
    EXPECT_EQ(text, "\x1bV\r\n");
    EXPECT_EQ(writes(), (std::vector<std::string>{esc, "V", "\r", "\n"}));
    for (std::size_t i = 1; i < 4; ++i)
        EXPECT_NEAR(static_cast<double>(writtenAt(i) - writtenAt(i - 1)), 200, 1);

    compass.StopCompass();
    std::string again = "<space>";
    EXPECT_FALSE(compass.CmdCustomCommand(again)) << "closed port";
    device::clsCompass unbound(sim.platform);
    EXPECT_FALSE(unbound.CmdCustomCommand(again));
}

TEST_F(CompassCommands, FactoryZoneTogglesASecondTimeWhenTheFirstLeftIt)
{
    device.replies['#'] = {"USER ", "FACTORY "};
    EXPECT_TRUE(compass.CmdSetFactoryZone());
    EXPECT_EQ(compass.Mode(), 2);
    EXPECT_EQ(com->writtenText(), esc + "#" + esc + "#");

    com->clearWritten();
    device.replies['#'] = {"FACTORY "};
    EXPECT_TRUE(compass.CmdSetFactoryZone());
    EXPECT_EQ(com->writtenText(), esc + "#");

    device.replies['#'] = {"FACTORY"};
    EXPECT_FALSE(compass.CmdSetFactoryZone()) << "without the blank it is no notice";
    EXPECT_EQ(compass.Mode(), 0);

    device.replies['#'] = {""};
    EXPECT_FALSE(compass.CmdSetFactoryZone()) << "no reply line at all";
}

TEST_F(CompassCommands, TheVersionQueryReadsTheIdentity)
{
    device.replies['V'] = {"XY-100 V3.2, SN#0012345"};
    EXPECT_FALSE(compass.CmdShowVersion()) << "the version line came before the blank, and nothing answered that";
    EXPECT_EQ(compass.PartNumber(), "XY-100");
    EXPECT_EQ(compass.FirmwareVersion(), "3.2");
    EXPECT_EQ(compass.SN(), "0012345");
    EXPECT_EQ(com->writtenText(), esc + "V ") << "asked once, closed with a blank";
    // The blank goes out 420 ms into the query; a line after it is the reply.
    device.say("CMD:", 800);
    EXPECT_TRUE(compass.CmdShowVersion());
}

TEST_F(CompassCommands, ASecondCommandWhileOneWaitsIsRefused)
{
    bool nested = true;
    bool running = false;
    compass.NewData = [&] {
        running = compass.CommandRunning();
        nested = compass.CmdSpace();
    };
    device.silentKeys.insert('F');
    device.say("$C1", 300);
    EXPECT_FALSE(compass.CmdRestoreDefaults());
    EXPECT_TRUE(running);
    EXPECT_FALSE(nested);
    EXPECT_FALSE(compass.CommandRunning());
    EXPECT_EQ(com->writtenText().find(' '), std::string::npos);
    EXPECT_TRUE(compass.CmdSpace()) << "free again afterwards";
}

TEST_F(CompassCommands, CommandsFailAtOnceOnAClosedPort)
{
    compass.StopCompass();
    const auto before = sim.now();
    EXPECT_FALSE(compass.CmdSetFactoryZone());
    EXPECT_FALSE(compass.CmdSpace());
    EXPECT_FALSE(compass.CmdShowFields(1));
    EXPECT_EQ(sim.now(), before);
}

TEST_F(CompassCommands, ASpaceIsFollowedBy510Ms)
{
    const auto before = sim.now();
    EXPECT_TRUE(compass.CmdSpace());
    EXPECT_EQ(com->writtenText(), " ");
    EXPECT_NEAR(static_cast<double>(sim.now() - before), 510, 2);
}

} // namespace
