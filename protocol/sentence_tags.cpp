#include "protocol/sentence_tags.h"

namespace protocol {

namespace {
namespace Mask = FieldMask;
using V = ReadingValue;
} // namespace

std::optional<SentenceTag> LookUpTag(std::string_view tag)
{
    if (tag.size() == 1) {
        switch (tag[0]) {
        case 'C': return SentenceTag{V::Heading, Mask::Heading};
        case 'P': return SentenceTag{V::Pitch, Mask::Pitch};
        case 'R': return SentenceTag{V::Roll, Mask::Roll};
        case 'T': return SentenceTag{V::Temperature, Mask::Temperature};
        case 'D': return SentenceTag{V::Depth, Mask::Depth};
        case 'M': return SentenceTag{V::MagVector, Mask::MagVector};
        case 'A': return SentenceTag{V::AccVector, Mask::AccVector};
        case 'G': return SentenceTag{V::GyroVect, Mask::GyroVector};
        case 'L': return SentenceTag{V::LifeCount, Mask::LifeCount};
        case 'S': return SentenceTag{V::SPIErr, Mask::SpiErr};
        default: return std::nullopt;
        }
    }
    if (tag.size() != 2)
        return std::nullopt;
    const char group = tag[0];
    const char axis = tag[1];
    if (group == 'M' || group == 'A') {
        const bool mag = group == 'M';
        switch (axis) {
        case 'x': return SentenceTag{mag ? V::MagX : V::AccX, mag ? Mask::MagXYZ : Mask::AccXYZ};
        case 'y': return SentenceTag{mag ? V::MagY : V::AccY, 0};
        case 'z': return SentenceTag{mag ? V::MagZ : V::AccZ, 0};
        default: return std::nullopt;
        }
    }
    if (group == 'G') {
        if (axis == 'x')
            return SentenceTag{V::GyroX, Mask::GyroXY};
        if (axis == 'y')
            return SentenceTag{V::GyroY, 0};
    }
    return std::nullopt;
}

} // namespace protocol
