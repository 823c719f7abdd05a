#include "fake_instrument.h"
#include "logging/log_columns.h"

#include <gtest/gtest.h>

namespace {

using namespace logging;

TEST(LogHeader, NamesEveryColumnOfTheMaskInBitOrder)
{
    EXPECT_EQ(HeaderLine(7, false, false), "Azimuth;Pitch;Roll;");
    EXPECT_EQ(HeaderLine(0x1FFF, true, true),
              "Date;Time;Azimuth;Pitch;Roll;Temperature;Depth;Mag. Scalar;Mag. X;Mag. Y;Mag Z;Acc. Scalar;"
              "Acc. X;Acc. Y; Acc. Z;Gyro Scalar;Gyro X;Gyro Y;Life Count;SPI Err;");
    EXPECT_EQ(HeaderLine(8 | 4096, false, true), "Time;Temperature;SPI Err;");
    // Bits above the thirteen fields name nothing.
    EXPECT_EQ(HeaderLine(1 | 8192, true, false), "Date;Azimuth;");
}

TEST(LogData, AttitudeFromTheInstrumentAndTheRestFromTheLabels)
{
    FakeInstrument horizon;
    horizon.setValue(platform::Instrument::Heading, 328.1);
    horizon.setValue(platform::Instrument::Pitch, -0.4);
    horizon.setValue(platform::Instrument::Roll, 1.0 / 3.0);
    std::vector<int> asked;
    const LogValues values{horizon, [&](int index) {
                               asked.push_back(index);
                               return QStringLiteral("v%1").arg(index);
                           }};
    EXPECT_EQ(DataLine(0x1FFF, {QString("05/12/2026"), QString("14:03:09")}, values, ','),
              "05/12/2026;14:03:09;328,1;-0,4;0,333333333333333;v3;v4;v5;v6;v7;v8;v9;v10;v11;v12;v13;v14;v15;"
              "v16;v17;");
    EXPECT_EQ(asked.front(), 3); // never asks a label for azimuth, pitch or roll
    EXPECT_EQ(DataLine(64 | 2, {std::nullopt, QString("t")}, values, '.'), "t;-0.4;v6;v7;v8;");
}

} // namespace
