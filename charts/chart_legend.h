#pragma once
#include <QColor>
#include <QWidget>
#include <vector>

class QLabel;

namespace charts {

struct LegendEntry {
    QString label;
    QColor colour;
};

// One row of small filled squares, each followed by its label. An entry whose
// trace lies hidden under another gets a hollow square and says which one.
class ChartLegend : public QWidget {
    Q_OBJECT

public:
    explicit ChartLegend(const std::vector<LegendEntry> &entries, QWidget *parent = nullptr);

    // An empty `topLabel` shows the entry as plain again.
    void setHiddenUnder(int entry, const QString &topLabel);

private:
    struct Shown {
        LegendEntry entry;
        QLabel *swatch;
        QLabel *label;
    };
    std::vector<Shown> m_entries;
};

} // namespace charts
