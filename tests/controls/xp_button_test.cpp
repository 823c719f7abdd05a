#include "controls/xp_button.h"
#include "tests/controls/widget_fixture.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using controls::XPButton;
using controls::XPButtonDropDownType;

using controls_test::showActive;
using controls_test::snapshot;

const QRgb Border = qRgb(10, 36, 106);
const QRgb NormalFace = qRgb(212, 213, 216);
const QRgb HoverFace = qRgb(182, 189, 210);
const QRgb PressedFace = qRgb(133, 146, 181);

void sendMouse(QWidget &widget, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(pos), widget.mapToGlobal(QPointF(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

class XPButtonTest : public ::testing::Test {
protected:
    XPButtonTest() : button(new XPButton(QStringLiteral("Close"), &window)), clicks(button, &XPButton::clicked)
    {
        button->setGeometry(10, 10, 75, 23);
        window.resize(200, 60);
    }
    void press(QPoint pos, Qt::MouseButton which = Qt::LeftButton)
    {
        sendMouse(*button, QEvent::MouseButtonPress, pos, which, which);
    }
    void moveTo(QPoint pos, Qt::MouseButtons held = Qt::LeftButton)
    {
        sendMouse(*button, QEvent::MouseMove, pos, Qt::NoButton, held);
    }
    void release(QPoint pos, Qt::MouseButton which = Qt::LeftButton)
    {
        sendMouse(*button, QEvent::MouseButtonRelease, pos, which, Qt::NoButton);
    }
    void key(QEvent::Type type, int key, bool repeat = false)
    {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), repeat);
        QApplication::sendEvent(button, &event);
    }
    // A key event from the platform at `ms` on its event clock, not marked auto-repeat.
    void keyAt(QEvent::Type type, int key, ulong ms)
    {
        QKeyEvent event(type, key, Qt::NoModifier);
        event.setTimestamp(ms);
        QApplication::sendEvent(button, &event);
    }
    // Held from `from` to `to`: X repeats it every 40 ms after 660 ms as a
    // release and a press at one instant, which Qt cannot always mark as repeats.
    void holdUnmarked(int key, ulong from, ulong to)
    {
        keyAt(QEvent::KeyPress, key, from);
        for (ulong ms = from + 660; ms < to; ms += 40) {
            keyAt(QEvent::KeyRelease, key, ms);
            keyAt(QEvent::KeyPress, key, ms);
        }
        keyAt(QEvent::KeyRelease, key, to);
    }
    // A face pixel clear of the caption, the border and the focus rectangle.
    QRgb face() { return snapshot(*button).pixel(2, button->height() / 2); }

    QWidget window;
    XPButton *button;
    QSignalSpy clicks;
    const QPoint centre{37, 11};
};

TEST_F(XPButtonTest, MouseClicksOnReleaseOverTheButtonBoundsIncluded)
{
    press(centre);
    EXPECT_TRUE(button->isDown());
    EXPECT_EQ(face(), PressedFace);
    // The far corner is still on the button.
    moveTo({75, 23});
    EXPECT_TRUE(button->isDown());
    release(centre);
    EXPECT_EQ(clicks.count(), 1);

    // Out and back before the release: a click, but the press is gone.
    press(centre);
    moveTo({90, 11});
    moveTo(centre);
    EXPECT_FALSE(button->isDown());
    EXPECT_EQ(face(), HoverFace);
    release(centre);
    EXPECT_EQ(clicks.count(), 2);

    // Released outside: no click, normal face.
    press(centre);
    moveTo({-5, 11});
    EXPECT_EQ(face(), NormalFace);
    release({-5, 11});
    EXPECT_EQ(clicks.count(), 2);

    // Any button clicks; only the left one presses.
    press(centre, Qt::RightButton);
    EXPECT_FALSE(button->isDown());
    release(centre, Qt::RightButton);
    EXPECT_EQ(clicks.count(), 3);
}

TEST_F(XPButtonTest, SpaceClicksOnReleaseEnterAtOnceAndHeldKeysOnce)
{
    showActive(window);
    button->setFocus();
    key(QEvent::KeyPress, Qt::Key_Space);
    EXPECT_EQ(face(), PressedFace);
    EXPECT_EQ(clicks.count(), 0);
    for (int i = 0; i < 3; ++i) {
        key(QEvent::KeyRelease, Qt::Key_Space, true);
        key(QEvent::KeyPress, Qt::Key_Space, true);
    }
    EXPECT_EQ(clicks.count(), 0);
    key(QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_FALSE(button->isDown());
    EXPECT_EQ(clicks.count(), 1);

    key(QEvent::KeyPress, Qt::Key_Return);
    key(QEvent::KeyPress, Qt::Key_Return, true);
    EXPECT_EQ(clicks.count(), 2);
    key(QEvent::KeyPress, Qt::Key_Enter);
    EXPECT_EQ(clicks.count(), 3);
    // A Space release that no Space press began does not click.
    key(QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 3);
}

TEST_F(XPButtonTest, HeldKeyClicksOnceWhenItsRepeatsAreNotMarked)
{
    showActive(window);
    button->setFocus();
    holdUnmarked(Qt::Key_Return, 1000, 4600);
    EXPECT_EQ(clicks.count(), 1);
    // Pressed again 80 ms after letting go: the user's own press.
    keyAt(QEvent::KeyPress, Qt::Key_Return, 4680);
    keyAt(QEvent::KeyRelease, Qt::Key_Return, 4750);
    EXPECT_EQ(clicks.count(), 2);
    holdUnmarked(Qt::Key_Space, 6000, 9000);
    EXPECT_EQ(clicks.count(), 3);
    EXPECT_FALSE(button->isDown());
}

TEST_F(XPButtonTest, DisabledButtonIgnoresMouseAndKeysIsSkippedByTabAndTakesTheSystemColours)
{
    auto *before = new XPButton(QStringLiteral("Open Port"), &window);
    auto *after = new XPButton(QStringLiteral("Quit"), &window);
    QWidget::setTabOrder(before, button);
    QWidget::setTabOrder(button, after);
    button->setEnabled(false);
    showActive(window);

    press(centre);
    release(centre);
    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 0);
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());

    const QImage image = snapshot(*button);
    EXPECT_EQ(image.pixel(0, 0), button->palette().color(QPalette::Active, QPalette::Dark).rgb());
    EXPECT_EQ(image.pixel(2, 11), button->palette().color(QPalette::Active, QPalette::Button).rgb());
}

TEST_F(XPButtonTest, DropDownTypeClicksWhileStillPressed)
{
    bool downDuringClick = false;
    QObject::connect(button, &XPButton::clicked, [&] { downDuringClick = button->isDown(); });
    press(centre);
    release(centre);
    EXPECT_FALSE(downDuringClick);

    button->setButtonType(XPButtonDropDownType);
    press(centre);
    release(centre);
    EXPECT_TRUE(downDuringClick);
    EXPECT_FALSE(button->isDown());
}

TEST_F(XPButtonTest, HeightBelowFourteenSnapsBack)
{
    // Qt tells a shown button of its new size.
    showActive(window);
    button->resize(75, 13);
    EXPECT_EQ(button->height(), 14);
    button->resize(75, 30);
    EXPECT_EQ(button->height(), 30);
}

TEST_F(XPButtonTest, BorderAndFace)
{
    const QImage image = snapshot(*button);
    for (QPoint corner : {QPoint(0, 0), QPoint(74, 0), QPoint(0, 22), QPoint(74, 22), QPoint(37, 22)})
        EXPECT_EQ(image.pixel(corner), Border) << corner.x() << "," << corner.y();
    EXPECT_EQ(image.pixel(1, 1), NormalFace);
}

} // namespace
