#include "charts/trace_buffer.h"

#include <algorithm>

namespace charts {

TraceBuffer::TraceBuffer(int capacity) : m_capacity(std::max(1, capacity)) {}

void TraceBuffer::push(ChartPoint point)
{
    if (size() < m_capacity) {
        m_points.push_back(point);
        return;
    }
    m_points[m_oldest] = point;
    m_oldest = (m_oldest + 1) % m_points.size();
}

void TraceBuffer::clear()
{
    m_points.clear();
    m_oldest = 0;
}

const ChartPoint &TraceBuffer::at(int index) const
{
    return m_points[(m_oldest + static_cast<std::size_t>(index)) % m_points.size()];
}

void TraceBuffer::setCapacity(int capacity)
{
    capacity = std::max(1, capacity);
    const int kept = std::min(size(), capacity);
    std::vector<ChartPoint> newest;
    newest.reserve(static_cast<std::size_t>(kept));
    for (int i = size() - kept; i < size(); ++i)
        newest.push_back(at(i));
    m_points = std::move(newest);
    m_oldest = 0;
    m_capacity = capacity;
}

} // namespace charts
