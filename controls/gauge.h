#pragma once
#include "platform/instrument.h"

#include <QColor>
#include <QImage>
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
    // Fills the background, draws the bezel ring and the face and sets up
    // the painter for the design square. False when the widget is too small to draw on.
    bool beginDial(QPainter &painter);
    // What never moves on the dial over the bezel, in the design square.
    virtual void drawFace(QPainter &) const {}
    // The heading in whole degrees in a small box on `face`, its top edge at `top`.
    static void drawHeadingReadout(QPainter &painter, double top, const QColor &face, double heading);
    // Whether the dial draws anything differently when the number under
    // `dispatchNumber` goes from `before` to `after`.
    virtual bool changesPicture(int dispatchNumber, double before, double after) const = 0;

private:
    // Scales the design square into the widget; no pen and the bezel's brush.
    void setUpDesignSquare(QPainter &painter) const;

    std::map<int, double> m_values;
    QColor m_background;
    // The background, bezel and face as last drawn: the same pixels each
    // time until the size or the background changes, so drawn once.
    QImage m_face;
};

} // namespace controls
