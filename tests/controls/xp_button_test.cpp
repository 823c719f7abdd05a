#include "controls/xp_button.h"
#include "tests/controls/widget_fixture.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using controls::XPButton;
using controls::XPButtonDropDownType;

using controls_test::showActive;
using controls_test::snapshot;

void sendMouse(QWidget &widget, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(pos), widget.mapToGlobal(QPointF(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void press(QWidget &widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonPress, pos, button, button);
}

void moveTo(QWidget &widget, QPoint pos, Qt::MouseButtons held)
{
    sendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, held);
}

void release(QWidget &widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

// A face pixel clear of the caption, the border and the focus rectangle.
QRgb facePixel(XPButton &button)
{
    return snapshot(button).pixel(2, button.height() / 2);
}

class XPButtonTest : public ::testing::Test {
protected:
    XPButtonTest() : button(new XPButton(QStringLiteral("Close"), &window)), clicks(button, &XPButton::clicked)
    {
        button->setGeometry(10, 10, 75, 23);
        window.resize(200, 60);
    }

    QWidget window;
    XPButton *button;
    QSignalSpy clicks;
    const QPoint centre{37, 11};
};

TEST_F(XPButtonTest, CaptionIsTheAccessibleName)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Button);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Close"));
}

TEST_F(XPButtonTest, MouseClickOnTheFace)
{
    press(*button, centre);
    EXPECT_TRUE(button->isDown());
    EXPECT_EQ(facePixel(*button), XPButton::PressedFace);
    EXPECT_EQ(clicks.count(), 0);
    release(*button, centre);
    EXPECT_FALSE(button->isDown());
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(XPButtonTest, PressMoveOutAndReleaseDoesNotClick)
{
    press(*button, centre);
    moveTo(*button, {-5, 11}, Qt::LeftButton);
    EXPECT_FALSE(button->isDown());
    EXPECT_FALSE(button->isHovered());
    EXPECT_EQ(facePixel(*button), XPButton::NormalFace);
    release(*button, {-5, 11});
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(XPButtonTest, ComingBackBeforeReleaseStillClicksWithoutThePressedFace)
{
    press(*button, centre);
    moveTo(*button, {90, 11}, Qt::LeftButton);
    moveTo(*button, centre, Qt::LeftButton);
    EXPECT_FALSE(button->isDown());
    EXPECT_EQ(facePixel(*button), XPButton::HoverFace);
    release(*button, centre);
    EXPECT_EQ(clicks.count(), 1);
}

// Only a mouse move draws the hover face; any other redraw draws the normal one.
TEST_F(XPButtonTest, HoverFaceOnlyAfterAMouseMove)
{
    showActive(window);
    button->clearFocus();
    moveTo(*button, centre, Qt::NoButton);
    EXPECT_EQ(facePixel(*button), XPButton::HoverFace);
    button->setFocus();
    EXPECT_EQ(facePixel(*button), XPButton::NormalFace);
    moveTo(*button, centre, Qt::NoButton);
    press(*button, centre);
    release(*button, centre);
    EXPECT_EQ(facePixel(*button), XPButton::NormalFace);
}

TEST_F(XPButtonTest, AnyMouseButtonClicksButOnlyTheLeftShowsThePress)
{
    press(*button, centre, Qt::RightButton);
    EXPECT_FALSE(button->isDown());
    release(*button, centre, Qt::RightButton);
    EXPECT_EQ(clicks.count(), 1);
    // A Space release that no Space press began does not click.
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(XPButtonTest, SpaceShowsThePressedFaceWhileHeldAndClicksOnRelease)
{
    showActive(window);
    button->setFocus();
    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_TRUE(button->isDown());
    EXPECT_EQ(facePixel(*button), XPButton::PressedFace);
    EXPECT_EQ(clicks.count(), 0);
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_FALSE(button->isDown());
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(XPButtonTest, EnterAndReturnClickAtOnce)
{
    QTest::keyPress(button, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 1);
    QTest::keyPress(button, Qt::Key_Enter);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_FALSE(button->isDown());
}

// A held key repeats: the repeats are no new presses and do not click.
TEST_F(XPButtonTest, HeldKeysClickOnce)
{
    const auto send = [&](QEvent::Type type, int key, bool repeat) {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), repeat);
        QApplication::sendEvent(button, &event);
    };
    send(QEvent::KeyPress, Qt::Key_Return, false);
    for (int i = 0; i < 3; ++i)
        send(QEvent::KeyPress, Qt::Key_Return, true);
    EXPECT_EQ(clicks.count(), 1);

    send(QEvent::KeyPress, Qt::Key_Space, false);
    for (int i = 0; i < 3; ++i) {
        send(QEvent::KeyRelease, Qt::Key_Space, true);
        send(QEvent::KeyPress, Qt::Key_Space, true);
    }
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(button->isDown());
    send(QEvent::KeyRelease, Qt::Key_Space, false);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(XPButtonTest, DisabledButtonIgnoresMouseAndKeysAndIsSkippedByTab)
{
    auto *before = new XPButton(QStringLiteral("Open Port"), &window);
    auto *after = new XPButton(QStringLiteral("Quit"), &window);
    QWidget::setTabOrder(before, button);
    QWidget::setTabOrder(button, after);
    button->setEnabled(false);
    showActive(window);

    press(*button, centre);
    release(*button, centre);
    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 0);

    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());
}

TEST_F(XPButtonTest, DropDownTypeClicksWhileStillPressed)
{
    bool downDuringClick = false;
    QObject::connect(button, &XPButton::clicked, [&] { downDuringClick = button->isDown(); });

    press(*button, centre);
    release(*button, centre);
    EXPECT_FALSE(downDuringClick);

    button->setButtonType(XPButtonDropDownType);
    press(*button, centre);
    release(*button, centre);
    EXPECT_TRUE(downDuringClick);
    EXPECT_FALSE(button->isDown());
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(XPButtonTest, HeightBelowFourteenSnapsBack)
{
    button->resize(75, 5);
    EXPECT_EQ(button->height(), XPButton::MinimumHeight);
    button->resize(75, 30);
    EXPECT_EQ(button->height(), 30);
}

class XPButtonLook : public XPButtonTest {};

TEST_F(XPButtonLook, BorderAndFaceColours)
{
    const QImage image = snapshot(*button);
    for (QPoint corner : {QPoint(0, 0), QPoint(74, 0), QPoint(0, 22), QPoint(74, 22), QPoint(37, 22)})
        EXPECT_EQ(image.pixel(corner), XPButton::BorderColour) << corner.x() << "," << corner.y();
    EXPECT_EQ(image.pixel(1, 1), XPButton::NormalFace);
}

TEST_F(XPButtonLook, CaptionIsCentredInBlack)
{
    const QImage image = snapshot(*button);
    QRect ink;
    for (int y = 1; y < image.height() - 1; ++y)
        for (int x = 1; x < image.width() - 1; ++x)
            if (image.pixel(x, y) != XPButton::NormalFace)
                ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LE(std::abs(ink.left() - (image.width() - 1 - ink.right())), 3);
    EXPECT_LE(std::abs(ink.top() - (image.height() - 1 - ink.bottom())), 4);
    int darkest = 255;
    for (int x = ink.left(); x <= ink.right(); ++x)
        for (int y = ink.top(); y <= ink.bottom(); ++y)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    EXPECT_LT(darkest, 60);
}

TEST_F(XPButtonLook, DisabledUsesTheSystemColours)
{
    button->setEnabled(false);
    const QImage image = snapshot(*button);
    EXPECT_EQ(image.pixel(0, 0), button->palette().color(QPalette::Active, QPalette::Dark).rgb());
    EXPECT_EQ(image.pixel(2, 11), button->palette().color(QPalette::Active, QPalette::Button).rgb());
}

TEST_F(XPButtonLook, FocusRectangleOnlyWithFocus)
{
    auto dotsOnFocusTop = [&] {
        const QImage image = snapshot(*button);
        int dots = 0;
        for (int x = 4; x <= 70; ++x)
            dots += image.pixel(x, 4) == qRgb(0, 0, 0);
        return dots;
    };
    showActive(window);
    button->clearFocus();
    EXPECT_EQ(dotsOnFocusTop(), 0);
    button->setFocus();
    ASSERT_TRUE(button->hasFocus());
    // Every other pixel along the top edge.
    EXPECT_GE(dotsOnFocusTop(), 30);
    EXPECT_LE(dotsOnFocusTop(), 37);
}

TEST_F(XPButtonLook, DropDownDividerAndArrow)
{
    button->setButtonType(XPButtonDropDownType);
    button->setText(QString());
    const QImage image = snapshot(*button);
    EXPECT_EQ(image.pixel(58, 5), XPButton::BorderColour);
    EXPECT_EQ(image.pixel(57, 5), XPButton::NormalFace);
    const QRgb black = qRgb(0, 0, 0);
    // Rows of 7, 5, 3 and 1 pixels from (63, 10).
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(image.pixel(63 + row - 1, 10 + row), XPButton::NormalFace) << row;
        for (int x = 63 + row; x < 70 - row; ++x)
            EXPECT_EQ(image.pixel(x, 10 + row), black) << row << " " << x;
        EXPECT_EQ(image.pixel(70 - row, 10 + row), XPButton::NormalFace) << row;
    }
    EXPECT_EQ(image.pixel(66, 14), XPButton::NormalFace);
}

} // namespace
