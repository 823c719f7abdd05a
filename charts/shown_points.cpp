#include "charts/shown_points.h"

#include <charconv>
#include <cmath>
#include <map>

namespace charts {

namespace {

// The shortest text that reads back as the same double.
QByteArray numberText(double value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return QByteArray(text, end - text);
}

} // namespace

PointSpan shownSpan(const TraceBuffer &points, const AxisRange &visible)
{
    int first = points.size();
    double later = visible.maximum;
    while (first > 0) {
        const double x = points.at(first - 1).x;
        if (x > later || x < visible.minimum)
            break;
        later = x;
        --first;
    }
    return {first, points.size()};
}

std::vector<std::optional<int>> coveringTraces(const std::vector<const TraceBuffer *> &traces,
                                               const AxisRange &visible)
{
    const int count = static_cast<int>(traces.size());
    std::vector<PointSpan> spans;
    for (const TraceBuffer *trace : traces)
        spans.push_back(shownSpan(*trace, visible));

    std::vector<std::optional<int>> covering(traces.size());
    for (int below = 0; below < count; ++below) {
        // One cursor per later trace; x values rise within a span.
        std::vector<int> cursor;
        for (const PointSpan &span : spans)
            cursor.push_back(span.first);
        std::optional<int> onNewest;
        bool hidden = true;
        for (int i = spans[below].first; hidden && i < spans[below].end; ++i) {
            const ChartPoint point = traces[below]->at(i);
            if (std::isnan(point.y))
                continue;
            std::optional<int> onTop;
            for (int above = below + 1; above < count; ++above) {
                int &c = cursor[above];
                while (c < spans[above].end && traces[above]->at(c).x < point.x)
                    ++c;
                if (c < spans[above].end && traces[above]->at(c).x == point.x && traces[above]->at(c).y == point.y)
                    onTop = above;
            }
            hidden = onTop.has_value();
            onNewest = onTop;
        }
        if (hidden)
            covering[below] = onNewest;
    }
    return covering;
}

QByteArray chartCsv(const QString &xTitle, const std::vector<QString> &names,
                    const std::vector<const TraceBuffer *> &traces, const AxisRange &visible)
{
    std::map<double, std::vector<std::optional<double>>> rows;
    for (std::size_t trace = 0; trace < traces.size(); ++trace) {
        const PointSpan span = shownSpan(*traces[trace], visible);
        for (int i = span.first; i < span.end; ++i) {
            const ChartPoint point = traces[trace]->at(i);
            auto &row = rows[point.x];
            row.resize(traces.size());
            if (!std::isnan(point.y))
                row[trace] = point.y;
        }
    }
    QByteArray csv = xTitle.toUtf8();
    for (const QString &name : names)
        csv += ',' + name.toUtf8();
    csv += '\n';
    for (const auto &[x, values] : rows) {
        csv += numberText(x);
        for (const std::optional<double> &value : values)
            csv += ',' + (value ? numberText(*value) : QByteArray());
        csv += '\n';
    }
    return csv;
}

} // namespace charts
