#include "controls/attitude_indicator.h"
#include "controls/heading_indicator.h"
#include "controls/xp_button.h"
#include "tests/controls/screenshot_dir.h"
#include "tests/controls/widget_fixture.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QTest>

namespace {

using controls::XPButton;
using controls::XPButtonDropDownType;

using platform::Instrument;

TEST(ControlsScreenshots, Instruments)
{
    controls_test::ScreenshotDir dir;
    controls::AttitudeIndicator horizon;
    horizon.resize(220, 220);
    horizon.setValue(Instrument::Heading, 328.1);
    horizon.setValue(Instrument::Pitch, -8.4);
    horizon.setValue(Instrument::Roll, 15.2);
    dir.save(horizon, QStringLiteral("controls_attitude"));

    controls::HeadingIndicator air1;
    air1.resize(220, 220);
    air1.setBackgroundColor(0xFFFFFF);
    air1.setValue(Instrument::Heading, 328.1);
    air1.setValue(Instrument::HeadingBug, 20);
    air1.setValue(Instrument::HeadingSelect, 20);
    dir.save(air1, QStringLiteral("controls_heading"));
}

TEST(ControlsScreenshots, ButtonStates)
{
    controls_test::ScreenshotDir dir;
    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    auto *button = new XPButton(QStringLiteral("Open Port"), &window);
    auto *other = new XPButton(QStringLiteral("Quit"), &window);
    layout->addWidget(button);
    layout->addWidget(other);
    controls_test::showActive(window);
    other->setFocus();

    dir.save(*button, QStringLiteral("controls_button_normal"));

    QMouseEvent move(QEvent::MouseMove, QPointF(30, 10), button->mapToGlobal(QPointF(30, 10)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(button, &move);
    dir.save(*button, QStringLiteral("controls_button_hover"));

    QTest::mousePress(button, Qt::LeftButton);
    dir.save(*button, QStringLiteral("controls_button_pressed"));
    QTest::mouseRelease(button, Qt::LeftButton);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);

    button->setFocus();
    dir.save(*button, QStringLiteral("controls_button_focus"));

    button->setEnabled(false);
    dir.save(*button, QStringLiteral("controls_button_disabled"));
    button->setEnabled(true);

    button->setButtonType(XPButtonDropDownType);
    button->setText(QStringLiteral("Options"));
    dir.save(*button, QStringLiteral("controls_button_dropdown"));
}

} // namespace
