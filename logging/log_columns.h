#pragma once
#include "platform/instrument.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace logging {

// Where a data line's values come from: the attitude instrument for azimuth,
// pitch and roll, and the live display's labels for the rest. `labelText`
// takes the reading's value index: 0 heading, 1 pitch, 2 roll, 3 temperature,
// 4 depth, 5 magnetic vector, 6..8 magnetic X..Z, 9 acceleration vector,
// 10..12 acceleration X..Z, 13 gyro vector, 14..15 gyro X..Y, 16 life count,
// 17 SPI errors.
struct LogValues {
    const platform::Instrument &horizon;
    std::function<QString(int valueIndex)> labelText;
};

// The date and time columns of one line; nothing leaves the column out.
struct LogStamp {
    std::optional<QString> date;
    std::optional<QString> time;
};

// "Date;", "Time;" when wanted, then the names of the mask's columns.
QString HeaderLine(std::int32_t mask, bool withDate, bool withTime);

// The stamp's columns, then the mask's values, each followed by ";".
QString DataLine(std::int32_t mask, const LogStamp &stamp, const LogValues &values, QChar decimalSeparator);

} // namespace logging
