#include "device/tagged_sentence.h"

#include "settings_panel/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace device {

namespace {

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Alternating runs of letters (tags) and of other characters (values); the
// text before the first tag is dropped. "C328.5P-1.2" gives C, 328.5, P, -1.2.
std::vector<std::string_view> tagValueRuns(std::string_view text)
{
    std::vector<std::string_view> runs;
    std::size_t start = 0;
    while (start < text.size() && !isLetter(text[start]))
        ++start;
    while (start < text.size()) {
        const bool letters = isLetter(text[start]);
        std::size_t end = start + 1;
        while (end < text.size() && isLetter(text[end]) == letters)
            ++end;
        runs.push_back(text.substr(start, end - start));
        start = end;
    }
    return runs;
}

bool storeFloat(double value, double &field, bool &present)
{
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
        return false;
    field = static_cast<float>(value);
    present = true;
    return true;
}

bool storeInt32(double value, double &field, bool &present)
{
    const double rounded = settings_panel::RoundHalfEven(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max()))
        return false;
    field = rounded;
    present = true;
    return true;
}

// Stores one value by its tag; an unknown tag is skipped.
bool store(std::string_view tag, double value, CompassReading &r)
{
    struct Target {
        std::string_view tag;
        double CompassReading::*value;
        bool CompassReading::*present;
        bool whole;
    };
    static const Target targets[] = {
        {"C", &CompassReading::Heading, &CompassReading::HeadingPresent, false},
        {"P", &CompassReading::Pitch, &CompassReading::PitchPresent, false},
        {"R", &CompassReading::Roll, &CompassReading::RollPresent, false},
        {"T", &CompassReading::Temperature, &CompassReading::TemperaturePresent, false},
        {"D", &CompassReading::Depth, &CompassReading::DepthPresent, false},
        {"M", &CompassReading::MagVector, &CompassReading::MagVectorPresent, false},
        {"Mx", &CompassReading::MagX, &CompassReading::MagXPresent, false},
        {"My", &CompassReading::MagY, &CompassReading::MagYPresent, false},
        {"Mz", &CompassReading::MagZ, &CompassReading::MagZPresent, false},
        {"A", &CompassReading::AccVector, &CompassReading::AccVectorPresent, false},
        {"Ax", &CompassReading::AccX, &CompassReading::AccXPresent, false},
        {"Ay", &CompassReading::AccY, &CompassReading::AccYPresent, false},
        {"Az", &CompassReading::AccZ, &CompassReading::AccZPresent, false},
        {"G", &CompassReading::GyroVect, &CompassReading::GyroVectPresent, false},
        {"Gx", &CompassReading::GyroX, &CompassReading::GyroXPresent, false},
        {"Gy", &CompassReading::GyroY, &CompassReading::GyroYPresent, false},
        {"L", &CompassReading::LifeCount, &CompassReading::LifeCountPresent, true},
        {"S", &CompassReading::SPIErr, &CompassReading::SpiErrPresent, true},
    };
    for (const Target &t : targets) {
        if (t.tag != tag)
            continue;
        return t.whole ? storeInt32(value, r.*t.value, r.*t.present)
                       : storeFloat(value, r.*t.value, r.*t.present);
    }
    return true;
}

} // namespace

double PlainNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    // Only digits and one point: from_chars would also take an exponent.
    const std::size_t start = i;
    bool point = false;
    while (i < text.size() && ((text[i] >= '0' && text[i] <= '9') || (text[i] == '.' && !point))) {
        point = point || text[i] == '.';
        ++i;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data() + start, text.data() + i, value,
                                              std::chars_format::fixed);
    if (error == std::errc::result_out_of_range)
        value = std::numeric_limits<double>::infinity();
    else if (error != std::errc() || end == text.data() + start)
        value = 0;
    return negative ? -value : value;
}

bool ReadTaggedSentence(std::string_view line, CompassReading &reading)
{
    if (const auto star = line.find('*'); star != std::string_view::npos)
        line = line.substr(0, star);
    if (!line.empty() && line.front() == '$')
        line.remove_prefix(1);

    reading.clearPresent();
    const auto runs = tagValueRuns(line);
    for (std::size_t i = 0; i < runs.size(); i += 2) {
        if (i + 1 >= runs.size())
            return false;
        if (!store(runs[i], PlainNumber(runs[i + 1]), reading))
            return false;
    }
    return true;
}

} // namespace device
