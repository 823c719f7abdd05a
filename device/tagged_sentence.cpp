#include "device/tagged_sentence.h"

#include "numbers/number_reader.h"
#include "protocol/sentence_tags.h"

#include <cstdint>
#include <optional>
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

// Stores one value by its tag, counts as rounded 32-bit integers and the rest
// as single floats; an unknown tag is skipped.
bool store(std::string_view tag, double value, protocol::CompassReading &reading)
{
    const auto known = protocol::LookUpTag(tag);
    if (!known)
        return true;
    using V = protocol::ReadingValue;
    std::optional<double> kept;
    if (known->value == V::LifeCount || known->value == V::SPIErr) {
        if (const auto whole = numbers::WholeOf<std::int32_t>(value))
            kept = *whole;
    } else if (const auto single = numbers::SingleOf(value)) {
        kept = *single;
    }
    if (!kept)
        return false;
    protocol::valueOf(reading, known->value) = *kept;
    protocol::presentOf(reading, known->value) = true;
    return true;
}

} // namespace

bool ReadTaggedSentence(std::string_view line, protocol::CompassReading &reading)
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
