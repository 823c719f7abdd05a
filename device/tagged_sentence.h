#pragma once
#include "protocol/compass_reading.h"

#include <string_view>

namespace device {

// Reads a tagged "$C" sentence (without its CR LF) into `reading` the way the
// compass object keeps it: the first sixteen values as 32-bit floats,
// LifeCount and SPIErr as rounded 32-bit integers. All present flags are
// cleared first and set for each value stored. The checksum is ignored.
// Returns false when the sentence breaks off (a tag without a value, a value
// too big for its storage); what was stored before that stays.
bool ReadTaggedSentence(std::string_view line, protocol::CompassReading &reading);

} // namespace device
