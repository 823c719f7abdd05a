#pragma once
#include <cstddef>
#include <vector>

namespace charts {

struct ChartPoint {
    double x;
    double y;
};

// The most recent points of one trace, oldest first. Once full, each new
// point replaces the oldest one.
class TraceBuffer {
public:
    explicit TraceBuffer(int capacity);

    void push(ChartPoint point);
    void clear();
    // Keeps the newest points that fit. A capacity below 1 counts as 1.
    void setCapacity(int capacity);

    int capacity() const { return m_capacity; }
    int size() const { return static_cast<int>(m_points.size()); }
    bool empty() const { return m_points.empty(); }
    // 0 is the oldest point kept, size() - 1 the newest.
    const ChartPoint &at(int index) const;

private:
    std::vector<ChartPoint> m_points;
    std::size_t m_oldest = 0;
    int m_capacity;
};

} // namespace charts
