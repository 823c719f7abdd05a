#include "charts/trace_buffer.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using charts::TraceBuffer;

std::vector<double> xs(const TraceBuffer &buffer)
{
    std::vector<double> values;
    for (int i = 0; i < buffer.size(); ++i)
        values.push_back(buffer.at(i).x);
    return values;
}

void fill(TraceBuffer &buffer, int from, int to)
{
    for (int x = from; x <= to; ++x)
        buffer.push({double(x), x * 0.5});
}

TEST(TraceBuffer, KeepsTheNewestPointsOldestFirst)
{
    TraceBuffer buffer(4);
    fill(buffer, 1, 3);
    EXPECT_EQ(xs(buffer), (std::vector<double>{1, 2, 3}));
    fill(buffer, 4, 9);
    EXPECT_EQ(buffer.size(), 4);
    EXPECT_EQ(xs(buffer), (std::vector<double>{6, 7, 8, 9}));
    EXPECT_EQ(buffer.at(3).y, 4.5);
}

TEST(TraceBuffer, ShrinkingKeepsTheNewestAndGrowingKeepsAll)
{
    TraceBuffer buffer(5);
    fill(buffer, 1, 7);
    buffer.setCapacity(3);
    EXPECT_EQ(xs(buffer), (std::vector<double>{5, 6, 7}));
    buffer.setCapacity(6);
    fill(buffer, 8, 11);
    EXPECT_EQ(xs(buffer), (std::vector<double>{6, 7, 8, 9, 10, 11}));
}

TEST(TraceBuffer, CapacityBelowOneKeepsOnePoint)
{
    TraceBuffer buffer(0);
    fill(buffer, 1, 3);
    EXPECT_EQ(xs(buffer), (std::vector<double>{3}));
    buffer.setCapacity(-5);
    EXPECT_EQ(buffer.capacity(), 1);
    EXPECT_EQ(xs(buffer), (std::vector<double>{3}));
}

} // namespace
