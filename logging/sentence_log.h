#pragma once
#include <cstdint>

namespace logging {

// The data log, as the sentence parser writes to it.
class SentenceLog {
public:
    virtual ~SentenceLog() = default;
    virtual bool LoggingActive() const = 0;
    // `mask`: the field-mask bits of the values the sentence carried.
    virtual void WriteLogLine(std::int32_t mask) = 0;
};

} // namespace logging
