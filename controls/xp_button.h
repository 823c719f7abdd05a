#pragma once
#include "controls/xp_button_layout.h"

#include <QAbstractButton>
#include <QRgb>
#include <cstdint>

namespace controls {

// The flat push button of every window. Its caption is text(); clicked() is
// its one event. A button of type 2 adds a narrow drop-down segment with an
// arrow at the right.
class XPButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(int buttonType READ buttonType WRITE setButtonType)

public:
    static constexpr QRgb BorderColour = qRgb(10, 36, 106);
    static constexpr QRgb NormalFace = qRgb(212, 213, 216);
    static constexpr QRgb HoverFace = qRgb(182, 189, 210);
    static constexpr QRgb PressedFace = qRgb(133, 146, 181);
    static constexpr int MinimumHeight = 14;
    // X repeats a held key as a release and a press at one instant; Qt marks
    // the pair as auto-repeat only when it reads both in time.
    static constexpr std::uint64_t RepeatGapMs = 10;

    explicit XPButton(QWidget *parent = nullptr);
    explicit XPButton(const QString &caption, QWidget *parent = nullptr);
    XPButton(const QString &caption, const char *objectName, QWidget *parent);

    int buttonType() const { return m_buttonType; }
    void setButtonType(int type);

    // Screen readers read the caption followed by `suffix` (" Baud Rate"), and
    // go on doing so when the caption changes. An accessible name set on the
    // widget replaces both.
    void setAccessibleNameSuffix(const QString &suffix) { m_nameSuffix = suffix; }
    QString spokenName() const;

    // Where caption, focus rectangle, divider and arrow go at the current size and font.
    XPButtonLayout parts() const;
    bool isHovered() const { return m_hovered; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QSize captionSize() const;
    QColor faceColour() const;
    QColor inkColour() const;
    bool containsPointer(QPointF position) const;
    void setHovered(bool hovered);
    void press();
    // Clears the press; raises Click when `clicks`.
    void release(bool clicks);
    // The user's own press, not one the key's repeat made.
    bool pressedAnew(const QKeyEvent &event) const;

    int m_buttonType = 1;
    bool m_hovered = false;
    // A mouse press or Space began on this button; only then does a release click.
    bool m_armed = false;
    QString m_nameSuffix;
    // The last key let go and when, in the platform's event time.
    int m_releasedKey = 0;
    std::uint64_t m_releasedAt = 0;
};

} // namespace controls
