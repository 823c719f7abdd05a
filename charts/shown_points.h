#pragma once
#include "charts/axis_scale.h"
#include "charts/trace_buffer.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace charts {

// Indices [first, end) of a trace's points, oldest first.
struct PointSpan {
    int first;
    int end;
};

// The points of a trace inside the visible x range: back from the newest one
// to where the range starts or where the x values last started over.
PointSpan shownSpan(const TraceBuffer &points, const AxisRange &visible);

// For each trace, the later-drawn trace that lies on its newest shown point
// when every shown point of it lies under a later trace's point of equal x and
// y, so that nothing of it can be seen; nothing for a trace that shows.
std::vector<std::optional<int>> coveringTraces(const std::vector<const TraceBuffer *> &traces,
                                               const AxisRange &visible);

// The shown points as comma-separated text, one line per x value in rising
// order: the x value, then one column per trace, empty where the trace has no
// value there. The first line names the columns.
QByteArray chartCsv(const QString &xTitle, const std::vector<QString> &names,
                    const std::vector<const TraceBuffer *> &traces, const AxisRange &visible);

} // namespace charts
