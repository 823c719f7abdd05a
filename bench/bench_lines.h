#pragma once
#include "app/sentence_parser.h"

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

// Lines as a compass sends them, a few of each form.
struct BenchLines {
    const char *name;
    std::int32_t form;
    std::int32_t displayFields;
    std::vector<std::string> lines;
};

const std::vector<BenchLines> &benchLines();

// Targets that only keep enough of what arrives for the work not to be optimised away.
class NullTargets : app::ReadingSink, public platform::StripChart, app::SentenceLog {
public:
    app::SentenceTargets targets() { return {*this, app::AllChartsInto(*this), *this}; }
    double checksum() const { return m_sum; }
    long values() const { return m_values; }

private:
    void ShowValue(protocol::ReadingValue, double number) override { m_sum += number; ++m_values; }
    void ShowItems(const protocol::CompassReading &) override { ++m_values; }
    void addPoint(int trace, double x, double y) override { m_sum += trace + x + y; }
    void clearTraces() override {}
    void setRange(double, double) override {}
    void setHistoryLength(int) override {}
    bool LoggingActive() const override { return true; }
    void WriteLogLine(std::int32_t mask) override { m_sum += mask; }

    double m_sum = 0;
    long m_values = 0;
};

} // namespace bench
