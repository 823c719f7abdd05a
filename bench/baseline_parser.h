#pragma once
#include "app/sentence_parser.h"

#include <cstdint>
#include <string>

namespace bench {

// The same parsing written the plain way: copied strings, split into vectors,
// std::stod. What the parser's speed is measured against.
class BaselineParser {
public:
    BaselineParser(char decimalSeparator, app::SentenceTargets targets);
    void ParseSentence(std::string line, std::int32_t form, std::int32_t displayFields);

private:
    bool deliver(protocol::ReadingValue value, const std::string &text, bool feedsCompassChart);

    char m_decimalSeparator;
    app::SentenceTargets m_targets;
    protocol::CompassReading m_reading;
    std::int32_t m_sampleNumber = 0;
    std::int32_t m_mask = 0;
};

} // namespace bench
