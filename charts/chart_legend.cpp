#include "charts/chart_legend.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>

namespace charts {

ChartLegend::ChartLegend(const std::vector<LegendEntry> &entries, QWidget *parent) : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    const int side = fontMetrics().height() * 2 / 3;
    for (const LegendEntry &entry : entries) {
        QPixmap square(side, side);
        square.fill(entry.colour);
        auto *swatch = new QLabel(this);
        swatch->setPixmap(square);
        auto *label = new QLabel(entry.label, this);
        row->addWidget(swatch);
        row->addWidget(label);
        row->addSpacing(10);
    }
    row->addStretch();
}

} // namespace charts
