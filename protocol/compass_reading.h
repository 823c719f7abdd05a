#pragma once
#include <cstdint>

namespace protocol {

// Bits of the field mask: which values a sentence carried, which the compass
// puts into its sentences, which columns the log writes.
namespace FieldMask {
constexpr std::int32_t Heading = 1;
constexpr std::int32_t Pitch = 2;
constexpr std::int32_t Roll = 4;
constexpr std::int32_t Temperature = 8;
constexpr std::int32_t Depth = 16;
constexpr std::int32_t MagVector = 32;
constexpr std::int32_t MagXYZ = 64;
constexpr std::int32_t AccVector = 128;
constexpr std::int32_t AccXYZ = 256;
constexpr std::int32_t GyroVector = 512;
constexpr std::int32_t GyroXY = 1024;
constexpr std::int32_t LifeCount = 2048;
constexpr std::int32_t SpiErr = 4096;
constexpr int BitCount = 13;
} // namespace FieldMask

// Output-format codes of the compass; a data line's form.
namespace SentenceForm {
constexpr std::int32_t Tagged = 1;
constexpr std::int32_t Prefixed = 2;
constexpr std::int32_t HeadingOnly = 4;
constexpr std::int32_t Bare = 8;
constexpr std::int32_t NoData = 16;
} // namespace SentenceForm

// The values a data sentence can carry. A present flag says the last
// sentence carried the value; a value whose flag is clear keeps its old value.
struct CompassReading {
    double Heading = 0, Pitch = 0, Roll = 0, Temperature = 0, Depth = 0;
    double MagVector = 0, MagX = 0, MagY = 0, MagZ = 0;
    double AccVector = 0, AccX = 0, AccY = 0, AccZ = 0;
    double GyroVect = 0, GyroX = 0, GyroY = 0;
    double LifeCount = 0, SPIErr = 0;

    bool HeadingPresent = false, PitchPresent = false, RollPresent = false;
    bool TemperaturePresent = false, DepthPresent = false;
    bool MagVectorPresent = false, MagXPresent = false, MagYPresent = false, MagZPresent = false;
    bool AccVectorPresent = false, AccXPresent = false, AccYPresent = false, AccZPresent = false;
    bool GyroVectPresent = false, GyroXPresent = false, GyroYPresent = false;
    bool LifeCountPresent = false, SpiErrPresent = false;

    void clearPresent() { *this = withValuesOf(*this); }

private:
    static CompassReading withValuesOf(const CompassReading &r)
    {
        CompassReading out;
        out.Heading = r.Heading; out.Pitch = r.Pitch; out.Roll = r.Roll;
        out.Temperature = r.Temperature; out.Depth = r.Depth;
        out.MagVector = r.MagVector; out.MagX = r.MagX; out.MagY = r.MagY; out.MagZ = r.MagZ;
        out.AccVector = r.AccVector; out.AccX = r.AccX; out.AccY = r.AccY; out.AccZ = r.AccZ;
        out.GyroVect = r.GyroVect; out.GyroX = r.GyroX; out.GyroY = r.GyroY;
        out.LifeCount = r.LifeCount; out.SPIErr = r.SPIErr;
        return out;
    }
};

} // namespace protocol
