#include "controls/gauge.h"

#include "controls/dial_angles.h"
#include "controls/dial_style.h"

#include <QPainter>
#include <algorithm>

namespace controls {

namespace {
const QColor BezelColour(46, 46, 50);
} // namespace

Gauge::Gauge(QWidget *parent) : QWidget(parent), m_background(palette().color(QPalette::Window))
{
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void Gauge::setValue(int dispatchNumber, double value)
{
    const double before = Gauge::value(dispatchNumber);
    m_values[dispatchNumber] = value;
    if (changesPicture(dispatchNumber, before, value))
        update();
}

double Gauge::value(int dispatchNumber) const
{
    const auto found = m_values.find(dispatchNumber);
    return found == m_values.end() ? 0.0 : found->second;
}

void Gauge::setBackgroundColor(std::uint32_t rgb)
{
    m_background = QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    update();
}

bool Gauge::beginDial(QPainter &painter)
{
    painter.fillRect(rect(), m_background);
    const int side = std::min(width(), height());
    if (side < 20)
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(width() / 2.0, height() / 2.0);
    painter.scale(side / DesignSide, side / DesignSide);
    painter.setPen(Qt::NoPen);
    painter.setBrush(BezelColour);
    painter.drawEllipse(QPointF(0, 0), dial::BezelRadius, dial::BezelRadius);
    return true;
}

void Gauge::drawHeadingReadout(QPainter &painter, double top, const QColor &face, double heading)
{
    painter.save();
    const QRectF box(-22, top, 44, 18);
    painter.setPen(QPen(dial::Marking, 1));
    painter.setBrush(face);
    painter.drawRoundedRect(box, 3, 3);
    QFont font = painter.font();
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(box, Qt::AlignCenter, headingReadout(heading) + QChar(0x00B0));
    painter.restore();
}

} // namespace controls
