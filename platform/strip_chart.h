#pragma once

namespace platform {

class StripChart {
public:
    virtual ~StripChart() = default;
    virtual void addPoint(int trace, double x, double y) = 0;
    virtual void clearTraces() = 0;
    // Applies to both the plotted range and the axis scale.
    virtual void setRange(double maximum, double minimum) = 0;
    // How many recent points each trace keeps (the load-time set-up passes 20000).
    virtual void setHistoryLength(int points) = 0;
};

} // namespace platform
