#include "charts/chart_legend.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace charts {

namespace {

QPixmap square(int side, const QColor &colour, bool hollow)
{
    QPixmap pixmap(side, side);
    pixmap.fill(hollow ? Qt::transparent : colour);
    if (hollow) {
        QPainter painter(&pixmap);
        painter.setPen(QPen(colour, 2));
        painter.drawRect(QRectF(1, 1, side - 2, side - 2));
    }
    return pixmap;
}

} // namespace

ChartLegend::ChartLegend(const std::vector<LegendEntry> &entries, QWidget *parent) : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    for (const LegendEntry &entry : entries) {
        auto *swatch = new QLabel(this);
        auto *label = new QLabel(entry.label, this);
        row->addWidget(swatch);
        row->addWidget(label);
        row->addSpacing(10);
        m_entries.push_back({entry, swatch, label});
        setHiddenUnder(static_cast<int>(m_entries.size()) - 1, {});
    }
    row->addStretch();
}

void ChartLegend::setHiddenUnder(int entry, const QString &topLabel)
{
    Shown &shown = m_entries[entry];
    const bool hidden = !topLabel.isEmpty();
    shown.swatch->setPixmap(square(fontMetrics().height() * 2 / 3, shown.entry.colour, hidden));
    shown.label->setText(hidden ? tr("%1 (under %2)").arg(shown.entry.label, topLabel) : shown.entry.label);
}

} // namespace charts
