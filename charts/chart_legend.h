#pragma once
#include <QColor>
#include <QWidget>
#include <vector>

namespace charts {

struct LegendEntry {
    QString label;
    QColor colour;
};

// One row of small filled squares, each followed by its label.
class ChartLegend : public QWidget {
    Q_OBJECT

public:
    explicit ChartLegend(const std::vector<LegendEntry> &entries, QWidget *parent = nullptr);
};

} // namespace charts
