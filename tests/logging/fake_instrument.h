#pragma once
#include "platform/instrument.h"

#include <map>

// An instrument that only remembers what it was given.
class FakeInstrument : public platform::Instrument {
public:
    void setValue(int dispatchNumber, double value) override { m_values[dispatchNumber] = value; }
    double value(int dispatchNumber) const override
    {
        const auto it = m_values.find(dispatchNumber);
        return it == m_values.end() ? 0.0 : it->second;
    }
    void setBackgroundColor(std::uint32_t) override {}

private:
    std::map<int, double> m_values;
};
