#include "device/tagged_sentence.h"

#include "numbers/number_reader.h"

#include <cstdint>
#include <vector>

namespace device {

namespace {

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
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

// Counts are kept as rounded 32-bit integers, the rest as single floats.
bool store(double value, bool whole, double &field, bool &present)
{
    if (whole) {
        const auto count = numbers::WholeOf<std::int32_t>(value);
        if (!count)
            return false;
        field = *count;
    } else {
        const auto single = numbers::SingleOf(value);
        if (!single)
            return false;
        field = *single;
    }
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
        return store(value, t.whole, r.*t.value, r.*t.present);
    }
    return true;
}

} // namespace

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
        if (!store(runs[i], numbers::LeadingNumber(runs[i + 1]), reading))
            return false;
    }
    return true;
}

} // namespace device
