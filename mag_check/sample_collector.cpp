#include "mag_check/sample_collector.h"

#include <algorithm>

namespace mag_check {

SampleCollector::SampleCollector(int capacity) : m_capacity(std::max(1, capacity)) {}

SampleCollector::Sentence &SampleCollector::sentence(double sampleNumber)
{
    if (m_sentence && m_sentence->sampleNumber != sampleNumber)
        flush();
    if (!m_sentence)
        m_sentence = Sentence{sampleNumber, {}, {}};
    return *m_sentence;
}

void SampleCollector::Parts::set(int axis, double value)
{
    if (axis < 0 || axis > 2)
        return;
    vector(axis) = value;
    axes |= 1u << axis;
}

void SampleCollector::addField(int axis, double sampleNumber, double value)
{
    sentence(sampleNumber).field.set(axis, value);
}

void SampleCollector::addGravity(int axis, double sampleNumber, double value)
{
    sentence(sampleNumber).gravity.set(axis, value);
}

void SampleCollector::flush()
{
    if (!m_sentence)
        return;
    const Sentence s = *m_sentence;
    m_sentence.reset();
    if (!s.field.whole())
        return;
    FieldSample sample{s.field.vector, s.gravity.whole() ? std::optional(s.gravity.vector) : std::nullopt};
    ++m_taken;
    if (m_samples.size() < static_cast<std::size_t>(m_capacity)) {
        m_samples.push_back(sample);
        return;
    }
    m_samples[m_oldest] = sample;
    m_oldest = (m_oldest + 1) % m_samples.size();
}

void SampleCollector::clear()
{
    m_samples.clear();
    m_oldest = 0;
    m_sentence.reset();
}

} // namespace mag_check
