#include "protocol/reading_value.h"

namespace protocol {

namespace {

struct Member {
    double CompassReading::*value;
    bool CompassReading::*present;
};

constexpr Member members[ReadingValueCount] = {
    {&CompassReading::Heading, &CompassReading::HeadingPresent},
    {&CompassReading::Pitch, &CompassReading::PitchPresent},
    {&CompassReading::Roll, &CompassReading::RollPresent},
    {&CompassReading::Temperature, &CompassReading::TemperaturePresent},
    {&CompassReading::Depth, &CompassReading::DepthPresent},
    {&CompassReading::MagVector, &CompassReading::MagVectorPresent},
    {&CompassReading::MagX, &CompassReading::MagXPresent},
    {&CompassReading::MagY, &CompassReading::MagYPresent},
    {&CompassReading::MagZ, &CompassReading::MagZPresent},
    {&CompassReading::AccVector, &CompassReading::AccVectorPresent},
    {&CompassReading::AccX, &CompassReading::AccXPresent},
    {&CompassReading::AccY, &CompassReading::AccYPresent},
    {&CompassReading::AccZ, &CompassReading::AccZPresent},
    {&CompassReading::GyroVect, &CompassReading::GyroVectPresent},
    {&CompassReading::GyroX, &CompassReading::GyroXPresent},
    {&CompassReading::GyroY, &CompassReading::GyroYPresent},
    {&CompassReading::LifeCount, &CompassReading::LifeCountPresent},
    {&CompassReading::SPIErr, &CompassReading::SpiErrPresent},
};

} // namespace

double &valueOf(CompassReading &reading, ReadingValue value) { return reading.*members[indexOf(value)].value; }
double valueOf(const CompassReading &reading, ReadingValue value) { return reading.*members[indexOf(value)].value; }
bool &presentOf(CompassReading &reading, ReadingValue value) { return reading.*members[indexOf(value)].present; }
bool presentOf(const CompassReading &reading, ReadingValue value) { return reading.*members[indexOf(value)].present; }

} // namespace protocol
