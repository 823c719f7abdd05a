#pragma once
#include <cstdint>

namespace platform {

// An aviation instrument addressed by property dispatch numbers.
class Instrument {
public:
    static constexpr int Heading = 79;
    static constexpr int Pitch = 72;
    static constexpr int Roll = 73;
    // The heading instrument also takes the heading under these numbers.
    static constexpr int HeadingBug = 83;
    static constexpr int HeadingSelect = 12;

    virtual ~Instrument() = default;
    // Redraws with the new value.
    virtual void setValue(int dispatchNumber, double value) = 0;
    // The number last written under that dispatch number (0 when never written).
    virtual double value(int dispatchNumber) const = 0;
    virtual void setBackgroundColor(std::uint32_t rgb) = 0;
};

} // namespace platform
