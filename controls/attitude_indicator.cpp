#include "controls/attitude_indicator.h"

#include "controls/dial_angles.h"
#include "controls/dial_style.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace controls {

namespace {

constexpr double ballRadius = 80;
// Design pixels per degree of pitch: the ball shows about 35 degrees either way.
constexpr double pitchScale = ballRadius / 35.0;

const QColor sky(58, 130, 214);
const QColor ground(150, 96, 44);
const QColor aircraft(255, 170, 0);

void drawBall(QPainter &painter, double pitch, double roll)
{
    painter.save();
    QPainterPath ball;
    ball.addEllipse(QPointF(0, 0), ballRadius, ballRadius);
    painter.setClipPath(ball);
    painter.rotate(-roll);

    // The roll pointer turns with the horizon but does not move with pitch.
    painter.save();
    painter.translate(0, pitch * pitchScale);
    const double reach = 2 * dial::BezelRadius + 90 * pitchScale;
    painter.fillRect(QRectF(-reach, -reach, 2 * reach, reach), sky);
    painter.fillRect(QRectF(-reach, 0, 2 * reach, reach), ground);
    painter.setPen(QPen(dial::Marking, 1.5));
    painter.drawLine(QPointF(-reach, 0), QPointF(reach, 0));

    QFont ladderFont = painter.font();
    ladderFont.setPixelSize(9);
    painter.setFont(ladderFont);
    painter.setPen(QPen(dial::Marking, 1.2));
    for (int degrees = -90; degrees <= 90; degrees += 5) {
        if (degrees == 0 || std::abs(degrees - pitch) > 30)
            continue;
        const double y = -degrees * pitchScale;
        const bool major = degrees % 10 == 0;
        const double half = major ? 22 : 10;
        painter.drawLine(QPointF(-half, y), QPointF(half, y));
        if (major) {
            const QString label = QString::number(std::abs(degrees));
            painter.drawText(QRectF(-half - 22, y - 6, 18, 12), Qt::AlignRight | Qt::AlignVCenter, label);
            painter.drawText(QRectF(half + 4, y - 6, 18, 12), Qt::AlignLeft | Qt::AlignVCenter, label);
        }
    }
    painter.restore();

    painter.setPen(Qt::NoPen);
    painter.setBrush(aircraft);
    painter.drawPolygon(QPolygonF({QPointF(0, -ballRadius + 2), QPointF(-6, -ballRadius + 12),
                                   QPointF(6, -ballRadius + 12)}));
    painter.restore();
}

void drawRollScale(QPainter &painter)
{
    painter.save();
    painter.setPen(QPen(dial::Marking, 1.5));
    for (int degrees : {-60, -45, -30, -20, -10, 10, 20, 30, 45, 60}) {
        painter.save();
        painter.rotate(degrees);
        const bool major = std::abs(degrees) == 30 || std::abs(degrees) == 60;
        painter.drawLine(QPointF(0, -ballRadius - 1), QPointF(0, -ballRadius - (major ? 12 : 7)));
        painter.restore();
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(dial::Marking);
    painter.drawPolygon(QPolygonF({QPointF(0, -ballRadius - 1), QPointF(-6, -ballRadius - 12),
                                   QPointF(6, -ballRadius - 12)}));
    painter.restore();
}

void drawAircraft(QPainter &painter)
{
    painter.save();
    QPen pen(aircraft, 4);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.drawPolyline(QPolygonF({QPointF(-52, 0), QPointF(-20, 0), QPointF(-20, 7)}));
    painter.drawPolyline(QPolygonF({QPointF(52, 0), QPointF(20, 0), QPointF(20, 7)}));
    painter.setPen(Qt::NoPen);
    painter.setBrush(aircraft);
    painter.drawEllipse(QPointF(0, 0), 3.5, 3.5);
    painter.restore();
}

} // namespace

AttitudeIndicator::AttitudeIndicator(QWidget *parent) : Gauge(parent)
{
    setAccessibleName(tr("Attitude indicator"));
    setBackgroundColor(0x202020);
}

void AttitudeIndicator::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!beginDial(painter))
        return;

    // Numbers that are no angle at all draw as level flight.
    drawBall(painter, limitedPitch(value(Pitch)).value_or(0), signedAngle(value(Roll)).value_or(0));
    drawRollScale(painter);
    drawAircraft(painter);
    drawHeadingReadout(painter, ballRadius - 6, QColor(20, 20, 20), value(Heading));
}

bool AttitudeIndicator::changesPicture(int dispatchNumber, double before, double after) const
{
    switch (dispatchNumber) {
    case Pitch: return limitedPitch(before) != limitedPitch(after);
    case Roll: return signedAngle(before) != signedAngle(after);
    case Heading: return wholeHeading(before) != wholeHeading(after);
    default: return false;
    }
}

} // namespace controls
