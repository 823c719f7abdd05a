#pragma once
#include "platform/instrument.h"

#include <QColor>
#include <QWidget>
#include <map>

namespace controls {

// A round instrument drawn on its own surface. Keeps every number written to
// it, under its dispatch number, and schedules a redraw when a write changes
// what the dial draws: a module sends far more values than a dial can show.
class Gauge : public QWidget, public platform::Instrument {
    Q_OBJECT

public:
    explicit Gauge(QWidget *parent = nullptr);

    void setValue(int dispatchNumber, double value) override;
    double value(int dispatchNumber) const override;
    // 0xRRGGBB.
    void setBackgroundColor(std::uint32_t rgb) override;
    QColor backgroundColour() const { return m_background; }

    QSize sizeHint() const override { return {180, 180}; }
    // The dial is drawn in the largest centred square, so any shape will do;
    // height-for-width would let the window squeeze the readings below it.
    QSize minimumSizeHint() const override { return {120, 120}; }

protected:
    // Side of the design square that paint code draws in, centred on the origin.
    static constexpr double DesignSide = 200;
    // Fills the background, sets up the painter for the design square and
    // draws the bezel ring. False when the widget is too small to draw on.
    bool beginDial(QPainter &painter);
    // The heading in whole degrees in a small box on `face`, its top edge at `top`.
    static void drawHeadingReadout(QPainter &painter, double top, const QColor &face, double heading);
    // Whether the dial draws anything differently when the number under
    // `dispatchNumber` goes from `before` to `after`.
    virtual bool changesPicture(int dispatchNumber, double before, double after) const = 0;

private:
    std::map<int, double> m_values;
    QColor m_background;
};

} // namespace controls
