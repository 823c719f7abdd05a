#include "controls/xp_button.h"

#include "controls/xp_button_accessible.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace controls {

namespace {
constexpr int captionFlags = Qt::TextShowMnemonic | Qt::TextSingleLine;

void drawFocusRect(QPainter &painter, const QRect &rect, const QColor &colour)
{
    QPen dotted(colour, 1, Qt::CustomDashLine);
    dotted.setDashPattern({1, 1});
    dotted.setCosmetic(true);
    painter.setPen(dotted);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

// A downward triangle of rows 7, 5, 3 and 1 pixels wide.
void drawArrow(QPainter &painter, const QRect &box, const QColor &colour)
{
    for (int row = 0; row < box.height(); ++row)
        painter.fillRect(QRect(box.left() + row, box.top() + row, box.width() - 2 * row, 1), colour);
}
} // namespace

XPButton::XPButton(QWidget *parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    // Fixed: a layout gives the button its full height however small the window.
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    installXPButtonAccessibility();
}

XPButton::XPButton(const QString &caption, QWidget *parent) : XPButton(parent)
{
    setText(caption);
}

XPButton::XPButton(const QString &caption, const char *objectName, QWidget *parent) : XPButton(caption, parent)
{
    setObjectName(QLatin1String(objectName));
}

void XPButton::setButtonType(int type)
{
    if (type == m_buttonType)
        return;
    m_buttonType = type;
    updateGeometry();
    update();
}

QString XPButton::spokenName() const
{
    if (!accessibleName().isEmpty())
        return accessibleName();
    return text() + m_nameSuffix;
}

XPButtonLayout XPButton::parts() const
{
    return layoutXPButton(size(), captionSize(), m_buttonType);
}

QSize XPButton::captionSize() const
{
    return fontMetrics().size(captionFlags, text());
}

QSize XPButton::sizeHint() const
{
    const QSize caption = captionSize();
    const int segment = m_buttonType == XPButtonDropDownType ? 20 : 0;
    return {std::max(75, caption.width() + 16 + segment), std::max(23, caption.height() + 8)};
}

QSize XPButton::minimumSizeHint() const
{
    const QSize caption = captionSize();
    const int segment = m_buttonType == XPButtonDropDownType ? 20 : 0;
    return {caption.width() + 8 + segment, std::max(MinimumHeight, caption.height())};
}

QColor XPButton::faceColour() const
{
    if (isDown())
        return QColor(PressedFace);
    if (!isEnabled())
        return palette().color(QPalette::Active, QPalette::Button);
    return QColor(m_hovered ? HoverFace : NormalFace);
}

QColor XPButton::inkColour() const
{
    return isEnabled() ? QColor(Qt::black) : palette().color(QPalette::Active, QPalette::Dark);
}

void XPButton::paintEvent(QPaintEvent *)
{
    const XPButtonLayout layout = parts();
    const QColor ink = inkColour();
    const QColor border = isEnabled() ? QColor(BorderColour) : ink;

    QPainter painter(this);
    painter.fillRect(rect(), faceColour());
    painter.setPen(border);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (layout.dropDown)
        painter.drawLine(layout.dividerX, 0, layout.dividerX, height() - 1);

    painter.setPen(ink);
    painter.setFont(font());
    painter.drawText(QRect(layout.caption, captionSize()), captionFlags | Qt::AlignLeft | Qt::AlignTop, text());

    if (hasFocus() && isEnabled() && layout.focus.isValid())
        drawFocusRect(painter, layout.focus, ink);
    if (layout.dropDown)
        drawArrow(painter, layout.arrow, ink);
}

// The bounds count as inside, as the pointer's own position does.
bool XPButton::containsPointer(QPointF position) const
{
    return position.x() >= 0 && position.y() >= 0 && position.x() <= width() && position.y() <= height();
}

void XPButton::setHovered(bool hovered)
{
    if (hovered == m_hovered)
        return;
    m_hovered = hovered;
    update();
}

void XPButton::press()
{
    m_armed = true;
    setDown(true);
}

void XPButton::release(bool clicks)
{
    m_armed = false;
    m_hovered = false;
    if (!clicks) {
        setDown(false);
        return;
    }
    if (m_buttonType == XPButtonDropDownType) {
        // The segment stays pressed while its handler runs (it may open a menu).
        QPointer<XPButton> self(this);
        emit clicked(isChecked());
        if (self)
            setDown(false);
    } else {
        setDown(false);
        emit clicked(isChecked());
    }
}

// Any button's press and release over the face clicks; only the left one shows the press.
void XPButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        press();
    else
        m_armed = true;
}

void XPButton::mouseMoveEvent(QMouseEvent *event)
{
    const bool inside = containsPointer(event->position());
    // Leaving while pressed lets go of the press; coming back does not renew it.
    if (!inside && isDown())
        setDown(false);
    setHovered(inside);
}

void XPButton::mouseReleaseEvent(QMouseEvent *event)
{
    release(m_armed && containsPointer(event->position()));
}

void XPButton::leaveEvent(QEvent *event)
{
    setHovered(false);
    QAbstractButton::leaveEvent(event);
}

// A press of the key just let go, at the same instant, is the key's repeat.
// Events the program makes itself carry no time and are always the user's.
bool XPButton::pressedAnew(const QKeyEvent &event) const
{
    if (event.isAutoRepeat())
        return false;
    const bool rightAfterRelease = event.key() == m_releasedKey && m_releasedAt != 0
                                   && event.timestamp() >= m_releasedAt
                                   && event.timestamp() - m_releasedAt <= RepeatGapMs;
    return !rightAfterRelease;
}

void XPButton::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    // A held key repeats its press; only the first one is the user's.
    case Qt::Key_Space:
        if (pressedAnew(*event))
            press();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (pressedAnew(*event))
            emit clicked(isChecked());
        break;
    default:
        QAbstractButton::keyPressEvent(event);
    }
}

void XPButton::keyReleaseEvent(QKeyEvent *event)
{
    m_releasedKey = event->key();
    m_releasedAt = event->timestamp();
    if (event->key() == Qt::Key_Space) {
        if (!event->isAutoRepeat())
            release(m_armed);
        return;
    }
    QAbstractButton::keyReleaseEvent(event);
}

// The hover face comes only with a mouse move: any other redraw shows the normal face.
void XPButton::focusInEvent(QFocusEvent *event)
{
    m_hovered = false;
    QAbstractButton::focusInEvent(event);
}

void XPButton::focusOutEvent(QFocusEvent *event)
{
    m_armed = false;
    m_hovered = false;
    QAbstractButton::focusOutEvent(event);
}

void XPButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        m_armed = false;
        m_hovered = false;
    }
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    QAbstractButton::changeEvent(event);
}

void XPButton::resizeEvent(QResizeEvent *event)
{
    QAbstractButton::resizeEvent(event);
    if (height() < MinimumHeight)
        resize(width(), MinimumHeight);
}

} // namespace controls
