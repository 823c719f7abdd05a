#pragma once
#include "mag_check/calibration_check.h"

#include <QPolygonF>
#include <QWidget>

namespace mag_check {

// The sphere of field directions unrolled: the +Z cap along the top, the
// three bands of six sectors below it by azimuth, the -Z cap along the
// bottom. Sectors with enough points are filled; each point is a dot.
class CoverageView : public QWidget {
    Q_OBJECT

public:
    explicit CoverageView(QWidget *parent = nullptr);

    void setCoverage(std::span<const FieldSample> samples, const CheckResult &result);

    QSize sizeHint() const override { return {460, 250}; }
    QSize minimumSizeHint() const override { return {300, 170}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    SectorCounts m_counts{};
    // Azimuth in degrees and height of each point's direction.
    QPolygonF m_directions;
};

// A sector's name for the reader: "+Z cap", "upper band 60–120°" and the like.
QString sectorName(int sector);

} // namespace mag_check
