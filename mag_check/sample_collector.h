#pragma once
#include "mag_check/calibration_check.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace mag_check {

// Gathers the magnetic field, and the acceleration with it, of each data
// sentence from the values the parser hands to the charts. The values of one
// sentence share one sample number; a sentence whose field came whole (X, Y
// and Z) becomes a sample. Keeps the newest `capacity` samples.
class SampleCollector {
public:
    static constexpr int DefaultCapacity = 20000;

    explicit SampleCollector(int capacity = DefaultCapacity);

    // `axis`: 0, 1, 2 for X, Y, Z; `sampleNumber`: the sentence's.
    void addField(int axis, double sampleNumber, double value);
    void addGravity(int axis, double sampleNumber, double value);
    // Takes the sentence in progress; the next value starts a new one.
    void flush();
    void clear();

    // In no particular order.
    std::span<const FieldSample> samples() const { return m_samples; }
    int capacity() const { return m_capacity; }
    // Counts every sample ever taken, so a reader can tell when there are new ones.
    std::uint64_t taken() const { return m_taken; }

private:
    // One vector as its axes arrive.
    struct Parts {
        Eigen::Vector3d vector = Eigen::Vector3d::Zero();
        unsigned axes = 0;

        void set(int axis, double value);
        bool whole() const { return axes == 0b111; }
    };
    struct Sentence {
        double sampleNumber;
        Parts field;
        Parts gravity;
    };

    Sentence &sentence(double sampleNumber);

    std::vector<FieldSample> m_samples;
    std::size_t m_oldest = 0;
    int m_capacity;
    std::optional<Sentence> m_sentence;
    std::uint64_t m_taken = 0;
};

} // namespace mag_check
