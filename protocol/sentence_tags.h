#pragma once
#include "protocol/reading_value.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace protocol {

// What a tag of a tagged "$C" sentence stands for.
struct SentenceTag {
    ReadingValue value;
    // The value's field-mask bit; 0 for the later components of a group
    // ("My", "Mz"), whose bit comes from the first.
    std::int32_t bit;
};

// The tag table, case-sensitive ("Mx", not "MX"); nothing for an unknown tag.
std::optional<SentenceTag> LookUpTag(std::string_view tag);

} // namespace protocol
