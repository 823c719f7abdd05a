#include "controls/gauge.h"

#include "controls/dial_angles.h"
#include "controls/dial_style.h"

#include <QPaintEngine>
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
    m_face = QImage();
    update();
}

bool Gauge::beginDial(QPainter &painter)
{
    const bool large = std::min(width(), height()) >= 20;
    // Drawn in the format of the surface it goes on, so that blending gives the same pixels there.
    const QPaintDevice *surface = painter.paintEngine() ? painter.paintEngine()->paintDevice() : nullptr;
    const QImage::Format format = surface && surface->devType() == QInternal::Image
                                      ? static_cast<const QImage *>(surface)->format()
                                      : QImage::Format_ARGB32_Premultiplied;
    const qreal ratio = painter.device()->devicePixelRatio();
    if (m_face.format() != format || m_face.devicePixelRatio() != ratio || m_face.deviceIndependentSize() != size()) {
        m_face = QImage((QSizeF(size()) * ratio).toSize(), format);
        m_face.setDevicePixelRatio(ratio);
        QPainter face(&m_face);
        face.fillRect(rect(), m_background);
        if (large) {
            setUpDesignSquare(face);
            face.drawEllipse(QPointF(0, 0), dial::BezelRadius, dial::BezelRadius);
            drawFace(face);
        }
    }
    painter.drawImage(QPointF(0, 0), m_face);
    if (!large)
        return false;
    setUpDesignSquare(painter);
    return true;
}

void Gauge::setUpDesignSquare(QPainter &painter) const
{
    const int side = std::min(width(), height());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(width() / 2.0, height() / 2.0);
    painter.scale(side / DesignSide, side / DesignSide);
    painter.setPen(Qt::NoPen);
    painter.setBrush(BezelColour);
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
