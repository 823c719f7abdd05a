#include "logging/log_columns.h"

#include "numbers/number_text.h"

#include <array>
#include <vector>

namespace logging {

namespace {

// One field-mask bit: its column names and the value index of each column.
struct FieldColumns {
    const char *names;
    std::vector<int> valueIndexes;
};

const std::array<FieldColumns, 13> &fields()
{
    static const std::array<FieldColumns, 13> table{{
        {"Azimuth;", {0}},
        {"Pitch;", {1}},
        {"Roll;", {2}},
        {"Temperature;", {3}},
        {"Depth;", {4}},
        {"Mag. Scalar;", {5}},
        {"Mag. X;Mag. Y;Mag Z;", {6, 7, 8}},
        {"Acc. Scalar;", {9}},
        {"Acc. X;Acc. Y; Acc. Z;", {10, 11, 12}},
        {"Gyro Scalar;", {13}},
        {"Gyro X;Gyro Y;", {14, 15}},
        {"Life Count;", {16}},
        {"SPI Err;", {17}},
    }};
    return table;
}

// Azimuth, pitch and roll are read back from the instrument, not from labels.
QString valueText(int valueIndex, const LogValues &values, QChar decimalSeparator)
{
    static constexpr int instrumentValue[] = {platform::Instrument::Heading, platform::Instrument::Pitch,
                                              platform::Instrument::Roll};
    if (valueIndex < 3)
        return numbers::FormatNumber(values.horizon.value(instrumentValue[valueIndex]), decimalSeparator);
    return values.labelText(valueIndex);
}

bool hasBit(std::int32_t mask, std::size_t bit) { return (mask >> bit) & 1; }

} // namespace

QString HeaderLine(std::int32_t mask, bool withDate, bool withTime)
{
    QString line;
    if (withDate)
        line += QStringLiteral("Date;");
    if (withTime)
        line += QStringLiteral("Time;");
    for (std::size_t bit = 0; bit < fields().size(); ++bit) {
        if (hasBit(mask, bit))
            line += QLatin1String(fields()[bit].names);
    }
    return line;
}

QString DataLine(std::int32_t mask, const LogStamp &stamp, const LogValues &values, QChar decimalSeparator)
{
    QString line;
    for (const auto *column : {&stamp.date, &stamp.time}) {
        if (*column)
            line += **column + QLatin1Char(';');
    }
    for (std::size_t bit = 0; bit < fields().size(); ++bit) {
        if (!hasBit(mask, bit))
            continue;
        for (int valueIndex : fields()[bit].valueIndexes)
            line += valueText(valueIndex, values, decimalSeparator) + QLatin1Char(';');
    }
    return line;
}

} // namespace logging
