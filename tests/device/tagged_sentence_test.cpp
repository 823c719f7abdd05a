#include "device/tagged_sentence.h"

#include <gtest/gtest.h>

using protocol::CompassReading;
using device::ReadTaggedSentence;

TEST(TaggedSentence, StoresTaggedValuesAndFlagsOnlyThose)
{
    CompassReading r;
    r.Pitch = 7;
    r.PitchPresent = true;
    ASSERT_TRUE(ReadTaggedSentence("$C10.5T21.5*3F", r));
    EXPECT_FLOAT_EQ(r.Heading, 10.5f);
    EXPECT_FLOAT_EQ(r.Temperature, 21.5f);
    EXPECT_TRUE(r.HeadingPresent);
    EXPECT_TRUE(r.TemperaturePresent);
    EXPECT_FALSE(r.PitchPresent);
    EXPECT_EQ(r.Pitch, 7) << "an absent value keeps what it had";
}

TEST(TaggedSentence, ReadsEveryTagCaseSensitivelyAndSkipsUnknownOnes)
{
    CompassReading r;
    ASSERT_TRUE(ReadTaggedSentence("$C1P2R3T4D5M6Mx7My8Mz9A10Ax11Ay12Az13G14Gx15Gy16L17S18Q99MX5", r));
    const double values[] = {r.Heading, r.Pitch, r.Roll, r.Temperature, r.Depth, r.MagVector,
                             r.MagX, r.MagY, r.MagZ, r.AccVector, r.AccX, r.AccY, r.AccZ,
                             r.GyroVect, r.GyroX, r.GyroY, r.LifeCount, r.SPIErr};
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(values[i], i + 1) << "value " << i;
    EXPECT_TRUE(r.SpiErrPresent && r.LifeCountPresent && r.GyroYPresent && r.MagZPresent);
}

TEST(TaggedSentence, KeepsFloatsAsFloatsAndCountsAsRoundedIntegers)
{
    CompassReading r;
    ASSERT_TRUE(ReadTaggedSentence("$C0.1L1234.5S1235.5", r));
    EXPECT_EQ(r.Heading, static_cast<double>(0.1f));
    EXPECT_EQ(r.LifeCount, 1234);
    EXPECT_EQ(r.SPIErr, 1236);
}

TEST(TaggedSentence, BreaksOffAtATagWithoutValueOrAValueThatDoesNotFit)
{
    CompassReading r;
    EXPECT_FALSE(ReadTaggedSentence("$C10.5P", r));
    EXPECT_FLOAT_EQ(r.Heading, 10.5f);
    EXPECT_FALSE(r.PitchPresent);

    EXPECT_FALSE(ReadTaggedSentence("$C1L3000000000P2", r));
    EXPECT_TRUE(r.HeadingPresent);
    EXPECT_FALSE(r.LifeCountPresent);
    EXPECT_FALSE(r.PitchPresent) << "nothing after the failing value is read";

    r.Heading = 3;
    EXPECT_FALSE(ReadTaggedSentence("$C" + std::string(40, '9'), r)) << "beyond a 32-bit float";
    EXPECT_EQ(r.Heading, 3);
}

TEST(TaggedSentence, ATextValueIsZero)
{
    CompassReading r;
    r.Roll = 5;
    ASSERT_TRUE(ReadTaggedSentence("$C12P-R#", r));
    EXPECT_EQ(r.Pitch, 0);
    EXPECT_EQ(r.Roll, 0);
    EXPECT_TRUE(r.RollPresent);
}
