#pragma once
#include <cstdint>
#include <string>

namespace protocol {

// The compass's settings from its last dump. A dump never clears a field: a
// key the compass did not send keeps its last value.
struct CompassSettings {
    std::string FirmwareVersion;
    std::string FirmwareDate;
    std::string SerialNumber;
    std::int32_t OutputFormat = 0;
    // Bit i (0 to 12) is the same item as bit i of key "X".
    std::int32_t DisplayFields = 0;
    std::int16_t SetResetRate = 0;
    float Deviation = 0;
    float Declination = 0;
    bool SoftIronCorrection = false;
    // An index into the baud list of key "B", as the compass printed it.
    std::string BaudRate;
    std::int16_t OutputRate = 0;
    std::int16_t MaxPressure = 0;
    std::int16_t Averaging = 0;
    std::int16_t AdUpdateRate = 0;
    std::int16_t MountingPosition = 0;
    float TemperatureOffset = 0;
    // The dump carries neither of these two.
    std::int16_t AccelerometerRange = 0;
    bool QuietMode = false;
    std::string TestDate;
    float DepthOffset = 0;
    std::int16_t SkipReadings = 0;
    std::int16_t EulerMath = 0;
    float AccScaleX = 0, AccScaleY = 0, AccScaleZ = 0;
    float AccOffsetX = 0, AccOffsetY = 0, AccOffsetZ = 0;
    float MagScaleX = 0, MagScaleY = 0, MagScaleZ = 0;
    float TemperatureCal = 0;
    float MagOffsetX = 0, MagScaleHtX = 0, MagOffsetFactorX = 0;
    float MagOffsetY = 0, MagScaleHtY = 0, MagOffsetFactorY = 0;
    float MagOffsetZ = 0, MagScaleHtZ = 0, MagOffsetFactorZ = 0;
    float MagBridgeOffsetX = 0, MagBridgeOffsetY = 0, MagBridgeOffsetZ = 0;
    float TotalGauss = 0;
    // Only compasses with a gyro send "KFILTER".
    bool KFilterPresent = false;
    float KFilter = 0;
    float CoefA = 0, CoefB = 0, CoefC = 0, CoefE = 0;
    float GyroPitchQGyro = 0, GyroPitchQAngle = 0, GyroPitchRAngle = 0;
    float GyroRollQGyro = 0, GyroRollQAngle = 0, GyroRollRAngle = 0;
    float GyroOffsetX = 0, GyroOffsetY = 0, GyroOffsetZ = 0;
};

} // namespace protocol
