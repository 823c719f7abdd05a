#include "controls/heading_indicator.h"

#include "controls/dial_angles.h"
#include "controls/dial_style.h"

#include <QCoreApplication>
#include <QPainter>

namespace controls {

namespace {

constexpr double cardRadius = 86;

const QColor card(22, 22, 24);
const QColor bug(255, 140, 0);

QString cardLabel(int degrees)
{
    switch (degrees) {
    case 0: return QCoreApplication::translate("controls::HeadingIndicator", "N");
    case 90: return QCoreApplication::translate("controls::HeadingIndicator", "E");
    case 180: return QCoreApplication::translate("controls::HeadingIndicator", "S");
    case 270: return QCoreApplication::translate("controls::HeadingIndicator", "W");
    default: return QString::number(degrees / 10);
    }
}

void drawCard(QPainter &painter, double heading)
{
    painter.save();
    painter.rotate(-heading);
    QFont font = painter.font();
    font.setPixelSize(14);
    font.setBold(true);
    painter.setFont(font);
    for (int degrees = 0; degrees < 360; degrees += 5) {
        painter.save();
        painter.rotate(degrees);
        const bool major = degrees % 10 == 0;
        painter.setPen(QPen(dial::Marking, major ? 1.6 : 1));
        painter.drawLine(QPointF(0, -cardRadius + 1), QPointF(0, -cardRadius + (major ? 11 : 6)));
        if (degrees % 30 == 0)
            painter.drawText(QRectF(-14, -cardRadius + 13, 28, 18), Qt::AlignCenter, cardLabel(degrees));
        painter.restore();
    }
    painter.restore();
}

void drawBug(QPainter &painter, double heading, double bugHeading)
{
    painter.save();
    painter.rotate(bugHeading - heading);
    painter.setPen(Qt::NoPen);
    painter.setBrush(bug);
    // A notched block on the card's rim.
    painter.drawPolygon(QPolygonF({QPointF(-7, -cardRadius), QPointF(-3, -cardRadius), QPointF(0, -cardRadius + 5),
                                   QPointF(3, -cardRadius), QPointF(7, -cardRadius), QPointF(7, -cardRadius + 7),
                                   QPointF(-7, -cardRadius + 7)}));
    painter.restore();
}

void drawLubberAndAircraft(QPainter &painter)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(bug);
    painter.drawPolygon(QPolygonF({QPointF(0, -cardRadius + 2), QPointF(-6, -dial::BezelRadius + 1),
                                   QPointF(6, -dial::BezelRadius + 1)}));
    painter.setBrush(dial::Marking);
    painter.drawPolygon(QPolygonF({QPointF(0, -24), QPointF(3, -14), QPointF(3, -4), QPointF(22, 4),
                                   QPointF(22, 8), QPointF(3, 4), QPointF(3, 14), QPointF(9, 19),
                                   QPointF(9, 22), QPointF(0, 19), QPointF(-9, 22), QPointF(-9, 19),
                                   QPointF(-3, 14), QPointF(-3, 4), QPointF(-22, 8), QPointF(-22, 4),
                                   QPointF(-3, -4), QPointF(-3, -14)}));
    painter.restore();
}

} // namespace

HeadingIndicator::HeadingIndicator(QWidget *parent) : Gauge(parent)
{
    setAccessibleName(tr("Heading indicator"));
}

void HeadingIndicator::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!beginDial(painter))
        return;

    // A number that is no angle leaves the card at north and the readout blank.
    const double heading = compassAngle(value(Heading)).value_or(0);
    drawCard(painter, heading);
    if (const auto bugHeading = compassAngle(value(HeadingBug)))
        drawBug(painter, heading, *bugHeading);
    drawLubberAndAircraft(painter);
    drawHeadingReadout(painter, 28, Qt::black, value(Heading));
}

void HeadingIndicator::drawFace(QPainter &painter) const
{
    painter.setBrush(card);
    painter.drawEllipse(QPointF(0, 0), cardRadius, cardRadius);
}

bool HeadingIndicator::changesPicture(int dispatchNumber, double before, double after) const
{
    switch (dispatchNumber) {
    // The readout follows the card.
    case Heading:
    case HeadingBug: return compassAngle(before) != compassAngle(after);
    default: return false;
    }
}

} // namespace controls
