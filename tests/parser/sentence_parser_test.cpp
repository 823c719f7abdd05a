#include "recording_targets.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using parser_test::Journal;
using parser_test::RecordedParser;
namespace Form = protocol::SentenceForm;

constexpr std::int32_t AllFields = 8191;

TEST(TaggedSentence, DeliversEachValueInOrderThenShowsAndLogs)
{
    RecordedParser p;
    EXPECT_THAT(p.parse("$C328.1P-0.4R1.2T26.3*3F\r\n", Form::Tagged),
                ElementsAre("show Heading 328.1", "cmp 0 1 328.1", "show Pitch -0.4", "cmp 1 1 -0.4",
                            "show Roll 1.2", "cmp 2 1 1.2", "show Temperature 26.3", "items", "log 15"));
    const protocol::CompassReading &r = p.parser.Reading();
    EXPECT_TRUE(r.HeadingPresent && r.PitchPresent && r.RollPresent && r.TemperaturePresent);
    EXPECT_FALSE(r.DepthPresent || r.MagXPresent || r.AccXPresent || r.GyroXPresent);
    EXPECT_EQ(r.Temperature, 26.3);
    // Everything from the first "*" on is ignored, whatever it holds.
    EXPECT_THAT(p.parse("$C10.0P-2.5*7A,R,zz*", Form::Tagged),
                ElementsAre("show Heading 10", "cmp 0 2 10", "show Pitch -2.5", "cmp 1 2 -2.5", "items", "log 3"));
}

TEST(TaggedSentence, TerminatorStaysOnTheLastValueAndAllPointsShareOneX)
{
    RecordedParser p;
    p.parse("$C1P1\r\n", Form::Tagged);
    EXPECT_THAT(p.parse("$C10.0P-2.5R3.0\r\n", Form::Tagged),
                ElementsAre("show Heading 10", "cmp 0 2 10", "show Pitch -2.5", "cmp 1 2 -2.5", "show Roll 3",
                            "cmp 2 2 3", "items", "log 7"));
    EXPECT_EQ(p.parser.FieldMask(), 7);
}

TEST(TaggedSentence, ChartPointsComeBeforeTheirLabelsAndEveryTagGivesItsBit)
{
    RecordedParser p;
    EXPECT_THAT(p.parse("$C1.5Mx10My20Mz30\r\n", Form::Tagged),
                ElementsAre("show Heading 1.5", "cmp 0 1 1.5", "mag 1 1 10", "show MagX 10", "mag 2 1 20",
                            "show MagY 20", "mag 3 1 30", "show MagZ 30", "items", "log 65"));
    EXPECT_THAT(p.parse("$M5A1Ax2Ay3Az4", Form::Tagged),
                ElementsAre("mag 0 2 5", "show MagVector 5", "acc 0 2 1", "show AccVector 1", "acc 1 2 2",
                            "show AccX 2", "acc 2 2 3", "show AccY 3", "acc 3 2 4", "show AccZ 4", "items",
                            "log 416"));
    EXPECT_THAT(p.parse("$D3G4Gx5Gy6L7S8", Form::Tagged),
                ElementsAre("show Depth 3", "show GyroVect 4", "show GyroX 5", "show GyroY 6", "show LifeCount 7",
                            "show SPIErr 8", "items", "log 7696"));
}

TEST(TaggedSentence, ARepeatedTagCountsItsBitOnce)
{
    // Adding the bit twice would turn heading into pitch in the log's columns.
    RecordedParser p;
    EXPECT_THAT(p.parse("$C1C2", Form::Tagged),
                ElementsAre("show Heading 1", "cmp 0 1 1", "show Heading 2", "cmp 0 1 2", "items", "log 1"));
    EXPECT_EQ(p.parser.Reading().Heading, 2);
}

TEST(TaggedSentence, AnEmptySentenceStillHidesEverythingAndIsLogged)
{
    RecordedParser p;
    EXPECT_THAT(p.parse("$*00\r\n", Form::Tagged), ElementsAre("items", "log 0"));
    EXPECT_FALSE(p.parser.Reading().HeadingPresent);
}

TEST(TaggedSentence, ABrokenValueStopsTheLineWithoutShowingOrLoggingIt)
{
    RecordedParser p;
    // The terminator alone is no value.
    EXPECT_THAT(p.parse("$C10.0P\r\n", Form::Tagged), ElementsAre("show Heading 10", "cmp 0 1 10"));
    // A last tag without any value.
    EXPECT_THAT(p.parse("$C10.0P", Form::Tagged), ElementsAre("show Heading 10", "cmp 0 2 10"));
    // An unknown tag's value is converted too.
    EXPECT_THAT(p.parse("$C1Q?P2", Form::Tagged), ElementsAre("show Heading 1", "cmp 0 3 1"));
    // Two points, or a comma inside the sentence, which splits like a tag boundary.
    EXPECT_THAT(p.parse("$C1.2.3", Form::Tagged), IsEmpty());
    EXPECT_THAT(p.parse("$C1,5P2", Form::Tagged), ElementsAre("show Heading 1", "cmp 0 5 1"));
}

TEST(CommaSentence, BareLineFollowsTheDisplayFieldsAndFeedsNoCompassChart)
{
    RecordedParser p;
    EXPECT_THAT(p.parse("10.0,-2.5,3.0\r\n", Form::Bare, 7),
                ElementsAre("show Heading 10", "show Pitch -2.5", "show Roll 3", "items", "log 7"));
}

TEST(CommaSentence, AClearBitStillTakesAnItem)
{
    RecordedParser p;
    // Bits 2 and 4 take items 1 and 2; temperature would be item 3, which is not there.
    EXPECT_THAT(p.parse("10.0,25.0", Form::Bare, 9), ElementsAre("show Heading 10", "items", "log 1"));
    EXPECT_THAT(p.parse("1,x,x,4", Form::Bare, 9), ElementsAre("show Heading 1", "show Temperature 4", "items", "log 9"));
}

TEST(CommaSentence, EveryFieldLandsOnItsValueAndChartTrace)
{
    RecordedParser p;
    EXPECT_THAT(p.parse("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18\r\n", Form::Bare, AllFields),
                ElementsAre("show Heading 1", "show Pitch 2", "show Roll 3", "show Temperature 4", "show Depth 5",
                            "mag 0 1 6", "show MagVector 6", "mag 1 1 7", "show MagX 7", "mag 2 1 8", "show MagY 8",
                            "mag 3 1 9", "show MagZ 9", "acc 0 1 10", "show AccVector 10", "acc 1 1 11",
                            "show AccX 11", "acc 2 1 12", "show AccY 12", "acc 3 1 13", "show AccZ 13",
                            "show GyroVect 14", "show GyroX 15", "show GyroY 16", "show LifeCount 17",
                            "show SPIErr 18", "items", "log 8191"));
}

TEST(CommaSentence, GroupsTakeTheirExtraItemsOnlyWhenTheirBitIsSet)
{
    RecordedParser p;
    // Bit 64 takes three items (6, 7, 8); bit 128 then reads item 9.
    EXPECT_THAT(p.parse("0,0,0,0,0,0,7,8,9,10", Form::Bare, 64 + 128),
                ElementsAre("mag 1 1 7", "show MagX 7", "mag 2 1 8", "show MagY 8", "mag 3 1 9", "show MagZ 9",
                            "acc 0 1 10", "show AccVector 10", "items", "log 192"));
    // Clear, bit 64 is one item: bit 128 reads item 7.
    EXPECT_THAT(p.parse("0,0,0,0,0,0,x,10", Form::Bare, 128),
                ElementsAre("acc 0 2 10", "show AccVector 10", "items", "log 128"));
}

TEST(CommaSentence, ABadOrMissingItemStopsButTheLineIsStillShown)
{
    RecordedParser p;
    EXPECT_THAT(p.parse("1,2,x,4", Form::Bare, 15),
                ElementsAre("show Heading 1", "show Pitch 2", "items", "log 7"));
    EXPECT_TRUE(p.display.lastItems.PitchPresent);
    EXPECT_FALSE(p.display.lastItems.RollPresent);
    // A bit goes to the log before its values convert: a group cut short and a
    // first value that does not convert are logged with it.
    EXPECT_THAT(p.parse("1,0,0,0,0,0,10,20", Form::Bare, 65),
                ElementsAre("show Heading 1", "mag 1 2 10", "show MagX 10", "mag 2 2 20", "show MagY 20", "items",
                            "log 65"));
    EXPECT_TRUE(p.display.lastItems.MagXPresent);
    EXPECT_THAT(p.parse("x,1", Form::Bare, 3), ElementsAre("items", "log 1"));
}

TEST(CommaSentence, PrefixedLineLosesSixCharactersAndItsTerminator)
{
    RecordedParser p;
    EXPECT_THAT(p.parse("$OHPR,10.0,-2.5,3.0\r\n", Form::Prefixed, 7),
                ElementsAre("show Heading 10", "show Pitch -2.5", "show Roll 3", "items", "log 7"));
    // Without a terminator the last two real characters go.
    EXPECT_THAT(p.parse("$OHPR,10.0,-2.5,3.25", Form::Prefixed, 7),
                ElementsAre("show Heading 10", "show Pitch -2.5", "show Roll 3", "items", "log 7"));
    // Shorter than prefix and terminator: nothing.
    EXPECT_THAT(p.parse("$OHPR,1", Form::Prefixed, 1), ElementsAre("items", "log 0"));
    EXPECT_THAT(p.parse("$OHPR,\r\n", Form::Prefixed, 1), ElementsAre("items", "log 0"));
    EXPECT_THAT(p.parse("$OHPR,5\r\n", Form::Prefixed, 1), ElementsAre("show Heading 5", "items", "log 1"));
}

TEST(HeadingSentence, FieldOneIsTheHeadingAndTheLogGetsMaskOne)
{
    RecordedParser p;
    EXPECT_THAT(p.parse("$HCHDT,123.4,T*2B\r\n", Form::HeadingOnly, AllFields),
                ElementsAre("show Heading 123.4", "items", "log 1"));
    // Without a readable heading the log still gets mask 1.
    EXPECT_THAT(p.parse("$HCHDT\r\n", Form::HeadingOnly), ElementsAre("items", "log 1"));
    EXPECT_THAT(p.parse("$HCHDT,,T", Form::HeadingOnly), ElementsAre("items", "log 1"));
    EXPECT_THAT(p.parse("$HCHDT,12x,T", Form::HeadingOnly), ElementsAre("items", "log 1"));
    EXPECT_FALSE(p.display.lastItems.HeadingPresent);
}

TEST(DecimalSeparator, CommaLocaleReadsThePointThroughIt)
{
    RecordedParser p(',');
    EXPECT_THAT(p.parse("$C12.5P-0.25", Form::Tagged),
                ElementsAre("show Heading 12.5", "cmp 0 1 12.5", "show Pitch -0.25", "cmp 1 1 -0.25", "items",
                            "log 3"));
    EXPECT_THAT(p.parse("12.5,1.5\r\n", Form::Bare, 3),
                ElementsAre("show Heading 12.5", "show Pitch 1.5", "items", "log 3"));
}

TEST(SampleNumber, WrapsAboveTwoMillionAndClearsAccelerationThenMagnetic)
{
    RecordedParser p;
    p.log.active = false;
    for (int i = 0; i < 2'000'000; ++i)
        p.parser.ParseSentence("", Form::NoData, 0);
    EXPECT_EQ(p.parser.SampleNumber(), 2'000'000);
    EXPECT_THAT(p.parse("$C1M2A3", Form::Tagged),
                ElementsAre("clear acc", "clear mag", "show Heading 1", "cmp 0 0 1", "mag 0 0 2", "show MagVector 2",
                            "acc 0 0 3", "show AccVector 3", "items"));
    EXPECT_EQ(p.parser.SampleNumber(), 0);
    EXPECT_THAT(p.parse("$C1", Form::Tagged), ElementsAre("show Heading 1", "cmp 0 1 1", "items"));
}

} // namespace
