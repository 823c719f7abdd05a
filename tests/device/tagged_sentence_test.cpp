#include "device/tagged_sentence.h"

#include <gtest/gtest.h>

using device::ReadTaggedSentence;
using protocol::CompassReading;

TEST(TaggedSentence, StoresEveryTagCaseSensitivelyAndFlagsOnlyThose)
{
    CompassReading r;
    r.Pitch = 7;
    r.PitchPresent = true;
    ASSERT_TRUE(ReadTaggedSentence("$C10.5T21.5*3F", r));
    EXPECT_FLOAT_EQ(r.Heading, 10.5f);
    EXPECT_FLOAT_EQ(r.Temperature, 21.5f);
    EXPECT_TRUE(r.HeadingPresent && r.TemperaturePresent);
    EXPECT_FALSE(r.PitchPresent);
    EXPECT_EQ(r.Pitch, 7) << "an absent value keeps what it had";

    ASSERT_TRUE(ReadTaggedSentence("$C1P2R3T4D5M6Mx7My8Mz9A10Ax11Ay12Az13G14Gx15Gy16L17S18Q99MX5", r));
    const double values[] = {r.Heading, r.Pitch, r.Roll, r.Temperature, r.Depth, r.MagVector,
                             r.MagX, r.MagY, r.MagZ, r.AccVector, r.AccX, r.AccY, r.AccZ,
                             r.GyroVect, r.GyroX, r.GyroY, r.LifeCount, r.SPIErr};
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(values[i], i + 1) << "value " << i;
    EXPECT_TRUE(r.SpiErrPresent && r.LifeCountPresent && r.GyroYPresent && r.MagZPresent);

    ASSERT_TRUE(ReadTaggedSentence("$C0.1L1234.5S1235.5P-R#", r));
    EXPECT_EQ(r.Heading, double(0.1f)) << "a single float";
    EXPECT_EQ(r.LifeCount, 1234) << "counts round half to even";
    EXPECT_EQ(r.SPIErr, 1236);
    EXPECT_EQ(r.Roll, 0) << "a value without a number is 0";
    EXPECT_TRUE(r.RollPresent);
}

TEST(TaggedSentence, BreaksOffAtATagWithoutValueOrAValueThatDoesNotFit)
{
    CompassReading r;
    EXPECT_FALSE(ReadTaggedSentence("$C10.5P", r));
    EXPECT_FLOAT_EQ(r.Heading, 10.5f);
    EXPECT_FALSE(r.PitchPresent);

    EXPECT_FALSE(ReadTaggedSentence("$C1L3000000000P2", r));
    EXPECT_TRUE(r.HeadingPresent);
    EXPECT_FALSE(r.LifeCountPresent || r.PitchPresent) << "nothing after the failing value is read";

    r.Heading = 3;
    EXPECT_FALSE(ReadTaggedSentence("$C" + std::string(40, '9'), r)) << "beyond a 32-bit float";
    EXPECT_EQ(r.Heading, 3);
}
