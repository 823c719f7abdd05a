#pragma once
#include "protocol/compass_reading.h"

#include <cstdint>

namespace protocol {

// One value a data sentence can carry, in the order of the field-mask bits.
enum class ReadingValue : std::uint8_t {
    Heading, Pitch, Roll, Temperature, Depth,
    MagVector, MagX, MagY, MagZ,
    AccVector, AccX, AccY, AccZ,
    GyroVect, GyroX, GyroY,
    LifeCount, SPIErr,
};
constexpr int ReadingValueCount = 18;

constexpr int indexOf(ReadingValue value) { return static_cast<int>(value); }

// The unit a label shows after the value, in UTF-8: degrees for the attitude,
// degrees Celsius for the temperature, nothing for the rest.
constexpr const char *ReadingUnit(ReadingValue value)
{
    switch (value) {
    case ReadingValue::Heading:
    case ReadingValue::Pitch:
    case ReadingValue::Roll: return "\u00B0";
    case ReadingValue::Temperature: return "\u00B0C";
    default: return "";
    }
}

double &valueOf(protocol::CompassReading &reading, ReadingValue value);
double valueOf(const protocol::CompassReading &reading, ReadingValue value);
bool &presentOf(protocol::CompassReading &reading, ReadingValue value);
bool presentOf(const protocol::CompassReading &reading, ReadingValue value);

} // namespace protocol
