#include "compass_bench.h"

#include <string>
#include <vector>

namespace {

const std::string esc = "\x1b";

class CompassCommands : public CompassBench {
protected:
    CompassCommands()
    {
        startCompass();
        compass->CmdTries = 2;
    }
    std::vector<std::string> writes() const
    {
        std::vector<std::string> out;
        for (const auto &chunk : com->written())
            out.push_back(chunk.bytes);
        return out;
    }
    double gap(std::size_t i) const { return double(com->written().at(i).at - com->written().at(i - 1).at); }
};

TEST_F(CompassCommands, AKeyGoesOut250MsAfterEscAndIsTriedCmdTriesTimes)
{
    EXPECT_TRUE(compass->CmdStartLevelCalibration());
    EXPECT_EQ(writes(), (std::vector<std::string>{esc, "C"})) << "echoed at once: sent once";
    EXPECT_NEAR(gap(1), 250, 2);

    com->clearWritten();
    board.silentKeys.insert('Z');
    const auto before = sim.now();
    EXPECT_FALSE(compass->CmdStart90DegreeCal());
    EXPECT_NEAR(double(sim.now() - before), 1100, 10);
    EXPECT_EQ(writes(), (std::vector<std::string>{esc, "Z", esc, "Z"}));
    EXPECT_NEAR(gap(2), 300, 3) << "200 ms echo wait, 100 ms pause";

    com->clearWritten();
    compass->CmdTries = 0;
    EXPECT_FALSE(compass->CmdRestoreDefaults());
    EXPECT_TRUE(com->written().empty());
}

TEST_F(CompassCommands, AnEchoOfAnotherKeyIsNoAcknowledgement)
{
    board.silentKeys.insert('V');
    board.say("CMD:C", 260);
    EXPECT_FALSE(compass->CmdShowVersion());
    EXPECT_EQ(writes(), (std::vector<std::string>{esc, "V", esc, "V"}));
}

TEST_F(CompassCommands, AValueSucceedsOnlyWhenEchoedExactlyAsANumber)
{
    EXPECT_TRUE(compass->CmdSetTempOffset(2.5f));
    ASSERT_EQ(writes(), (std::vector<std::string>{esc, "+", "25\r"}));
    EXPECT_NEAR(gap(2), 20 + 90, 3) << "90 ms after the echo, which took the compass 20 ms";

    board.promptShows["25"] = "24";
    EXPECT_FALSE(compass->CmdSetTempOffset(2.5f));
    board.promptShows["7"] = "seven";
    EXPECT_FALSE(compass->CmdShowFields(7));
    board.silentKeys.insert('X');
    EXPECT_FALSE(compass->CmdShowFields(8));
    EXPECT_EQ(board.values(), (std::vector<std::string>{"25", "25", "7"}));
}

TEST_F(CompassCommands, AValuePromptWaitEndsWhenDataSentencesResume)
{
    board.promptShows["5"] = "";
    const auto before = sim.now();
    com->deliver("$C1\r\n", before + 380);
    EXPECT_FALSE(compass->CmdShowFields(5));
    EXPECT_LT(sim.now() - before, 400u) << "the data line cut the 200 ms prompt wait short";
}

TEST_F(CompassCommands, FixedFormValuesGoOutOneCharacterPer10Ms)
{
    EXPECT_TRUE(compass->CmdSaveSN(12345));
    const auto w = writes();
    ASSERT_EQ(w.size(), 2u + 9u);
    for (std::size_t i = 3; i < w.size(); ++i)
        EXPECT_NEAR(gap(i), 10, 1) << i;
    EXPECT_EQ(board.values().back(), "000012345") << "no CR follows";
    EXPECT_FALSE(compass->CmdSaveSN(-1));
    EXPECT_EQ(com->written().size(), w.size()) << "a negative number sends nothing";

    sim.clock.setWallClockStart(QDateTime(QDate(2010, 11, 5), QTime(8, 0)));
    EXPECT_TRUE(compass->CmdSaveCalDateStr());
    EXPECT_EQ(board.values().back(), "05 Nov 10");
    EXPECT_TRUE(compass->CmdSaveCalDate());
    EXPECT_EQ(board.values().back(), "1039");
}

TEST_F(CompassCommands, FactoryZoneTogglesASecondTimeWhenTheFirstLeftIt)
{
    board.replies['#'] = {"USER ", "FACTORY "};
    EXPECT_TRUE(compass->CmdSetFactoryZone());
    EXPECT_EQ(compass->Mode(), 2);
    EXPECT_EQ(com->writtenText(), esc + "#" + esc + "#");

    com->clearWritten();
    board.replies['#'] = {"FACTORY "};
    EXPECT_TRUE(compass->CmdSetFactoryZone());
    EXPECT_EQ(com->writtenText(), esc + "#");

    board.replies['#'] = {"FACTORY"};
    EXPECT_FALSE(compass->CmdSetFactoryZone()) << "without the blank it is no notice";
    EXPECT_EQ(compass->Mode(), 0);
    com->clearWritten();
    board.replies['#'] = {""};
    EXPECT_FALSE(compass->CmdSetFactoryZone());
    EXPECT_EQ(com->writtenText(), esc + "#") << "no reply at all: no second toggle";
}

TEST_F(CompassCommands, TheVersionQueryReadsTheIdentity)
{
    board.replies['V'] = {"XY-100 V3.2, SN#0012345"};
    EXPECT_FALSE(compass->CmdShowVersion()) << "the version line came before the blank, and nothing answered that";
    EXPECT_EQ(compass->PartNumber(), "XY-100");
    EXPECT_EQ(compass->FirmwareVersion(), "3.2");
    EXPECT_EQ(compass->SN(), "0012345");
    EXPECT_EQ(com->writtenText(), esc + "V ") << "asked once, closed with a blank";
    EXPECT_NEAR(gap(2), 20 + 150, 3) << "the blank 150 ms after the echo";
    board.say("CMD:", 800);
    EXPECT_TRUE(compass->CmdShowVersion()) << "a line after the blank answers it";
}

TEST_F(CompassCommands, ASecondCommandWhileOneWaitsIsRefused)
{
    bool nested = true;
    compass->NewData = [&] { nested = compass->CmdSpace(); };
    board.silentKeys.insert('F');
    board.say("$C1", 300);
    EXPECT_FALSE(compass->CmdRestoreDefaults());
    EXPECT_FALSE(nested);
    EXPECT_EQ(com->writtenText().find(' '), std::string::npos);
}

TEST_F(CompassCommands, ABlankIsFollowedBy510MsAndAClosedPortFailsAtOnce)
{
    auto before = sim.now();
    EXPECT_TRUE(compass->CmdSpace());
    EXPECT_EQ(com->writtenText(), " ");
    EXPECT_NEAR(double(sim.now() - before), 510, 2);

    compass->StopCompass();
    before = sim.now();
    std::string text = "<space>";
    EXPECT_FALSE(compass->CmdSetFactoryZone());
    EXPECT_FALSE(compass->CmdSpace());
    EXPECT_FALSE(compass->CmdShowFields(1));
    EXPECT_FALSE(compass->CmdCustomCommand(text));
    EXPECT_EQ(sim.now(), before);
}

} // namespace
