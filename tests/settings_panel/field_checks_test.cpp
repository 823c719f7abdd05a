#include "panel_bench.h"

#include "settings_panel/field_checks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QCheckBox>
#include <QComboBox>
#include <QScrollBar>
#include <QTest>

namespace panel_test {
namespace {

using settings_panel::CheckedField;
using Cmd = settings_panel::CompassSettingsPanel;

std::optional<QString> refusal(CheckedField field, const QString &text, char separator = '.')
{
    return settings_panel::CheckField(field, text, separator).refusal;
}

TEST(FieldCheck, WholeNumberRangesRoundBeforeTheyCompare)
{
    const QString numeric = "Please enter a valid numeric value for Deguass.";
    const QString range = "Please enter a valid range for deguass (5~4000).";
    EXPECT_EQ(refusal(CheckedField::Deguass, "4"), range);
    EXPECT_EQ(refusal(CheckedField::Deguass, "4001"), range);
    EXPECT_EQ(refusal(CheckedField::Deguass, "4000.4"), std::nullopt);
    EXPECT_EQ(refusal(CheckedField::Deguass, "5"), std::nullopt);
    EXPECT_EQ(refusal(CheckedField::Deguass, "abc"), numeric);
    EXPECT_EQ(refusal(CheckedField::Deguass, ""), numeric);
    EXPECT_EQ(refusal(CheckedField::Deguass, "1e12"), range) << "far out of range is a range refusal";

    EXPECT_EQ(refusal(CheckedField::AccRange, "1.4"), std::nullopt);
    EXPECT_EQ(refusal(CheckedField::AccRange, "1.5"),
              "Please enter a valid range for Accelerator Range (0..1).");
    EXPECT_EQ(refusal(CheckedField::DecimationFilter, "6.5"), std::nullopt) << "6.5 rounds to 6";
    EXPECT_EQ(refusal(CheckedField::DecimationFilter, "0"),
              "Please enter a valid range for Decimation Filter (1 to 6).");
}

TEST(FieldCheck, AnglesAreInclusiveAndNotRounded)
{
    EXPECT_EQ(refusal(CheckedField::Declination, "180"), std::nullopt);
    EXPECT_EQ(refusal(CheckedField::Declination, "-180"), std::nullopt);
    EXPECT_EQ(refusal(CheckedField::Declination, "180.1"),
              "Please enter a valid range for declination (-180.0~180).");
    EXPECT_EQ(refusal(CheckedField::Deviation, "-180.01"),
              "Please enter a valid range for deviation (-180.0~180).");
    EXPECT_EQ(refusal(CheckedField::Deviation, "12,5", ','), std::nullopt);
    EXPECT_EQ(refusal(CheckedField::TempOffset, "x"), "Please enter a valid numeric value for Temp Offset.");
}

TEST(FieldCheck, OutputFormatIsOneOrAnExactText)
{
    const QString range = "Please enter a valid value for output format (1,2,4,8 or 16).";
    for (const char *good : {"1", "1.0", "1.2", "0.6", "2", "4", "8", "16"})
        EXPECT_EQ(refusal(CheckedField::OutFormat, good), std::nullopt) << good;
    for (const char *bad : {"3", "08", " 8", "16.0", "32", "0"})
        EXPECT_EQ(refusal(CheckedField::OutFormat, bad), range) << bad;
    EXPECT_EQ(refusal(CheckedField::OutFormat, "x"), "Please enter a valid numeric value for Output format.");
}

// The panel in an active window, driven with real focus changes.
class FieldFocus : public PanelBench {
protected:
    void SetUp() override
    {
        // The default "0" is below the Deguass range, and that field has the focus first.
        panel->txtCSDeguass()->setText("50");
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void focus(QWidget *w)
    {
        w->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(w->hasFocus());
    }

    void type(QLineEdit *field, const QString &text)
    {
        focus(field);
        field->selectAll();
        QTest::keyClicks(field, text);
    }
};

TEST_F(FieldFocus, KeepFocusFieldHoldsTheFocusAndSwallowsTheClick)
{
    QLineEdit *declination = panel->txtCSDeclination();
    type(declination, "180.1");
    QTest::keyClick(declination, Qt::Key_Tab);
    EXPECT_TRUE(declination->hasFocus());
    EXPECT_EQ(sim.messages.texts(), QStringList{"Please enter a valid range for declination (-180.0~180)."});
    EXPECT_EQ(sim.messages.shown()[0].icon, platform::MessageIcon::Exclamation);

    // Clicking a "Set" button does not leave the field, and the button does nothing.
    QTest::mouseClick(panel->cmdSet(Cmd::ZeroDepth), Qt::LeftButton);
    EXPECT_TRUE(declination->hasFocus());
    EXPECT_TRUE(host.sim().written().empty());
    EXPECT_EQ(sim.messages.shown().size(), 2u);
    EXPECT_EQ(declination->text(), "180.1") << "the text stays as typed";

    // Once fixed the focus moves and the click acts.
    type(declination, "180");
    QTest::mouseClick(panel->cmdSet(Cmd::ZeroDepth), Qt::LeftButton);
    EXPECT_FALSE(declination->hasFocus());
    EXPECT_EQ(host.sim().writtenText(), "\x1bP ");
    EXPECT_EQ(sim.messages.shown().size(), 2u);
}

TEST_F(FieldFocus, AfterLeavingFieldTakesTheFocusBackButTheClickActs)
{
    QLineEdit *deguass = panel->txtCSDeguass();
    QAbstractButton *setMaxPressure = panel->cmdSet(Cmd::MaxPressure);
    type(deguass, "4001");
    // The user lets go of the mouse while the box is up, as with a real box,
    // whose own loop takes the release before the press reaches the button.
    sim.messages.setOnShow([&](const auto &) { QTest::mouseRelease(setMaxPressure, Qt::LeftButton); });
    QTest::mousePress(setMaxPressure, Qt::LeftButton);
    sim.messages.setOnShow({});
    QApplication::processEvents();
    sim.advance(5000);
    EXPECT_EQ(sim.messages.texts(), QStringList{"Please enter a valid range for deguass (5~4000)."});
    EXPECT_TRUE(deguass->hasFocus());
    EXPECT_FALSE(setMaxPressure->isDown());
    EXPECT_EQ(host.sim().writtenText(), "\x1bM100\r");
}

TEST_F(FieldFocus, RateFieldsResetToZeroOrMoveTheirScrollBar)
{
    QLineEdit *rate = panel->txtCSOutRate();
    type(rate, "41");
    QTest::keyClick(rate, Qt::Key_Tab);
    EXPECT_EQ(sim.messages.texts(), QStringList{"Please enter a valid range for the rate value (-50 to 40)."});
    EXPECT_EQ(rate->text(), "0");
    EXPECT_FALSE(rate->hasFocus());
    EXPECT_EQ(panel->lblCSOutRateUnit()->text(), "samples/s");

    type(rate, "-5");
    EXPECT_EQ(panel->lblCSOutRateUnit()->text(), "s/samples") << "the label follows every edit";
    QTest::keyClick(rate, Qt::Key_Tab);
    EXPECT_EQ(panel->vsCSOutRate()->value(), -5);
    EXPECT_EQ(rate->text(), "-5");

    QLineEdit *skip = panel->txtCSSkipReadings();
    type(skip, "21");
    QTest::keyClick(skip, Qt::Key_Tab);
    EXPECT_EQ(sim.messages.texts().back(), "Please enter a valid range for the skipping values (0 to 20).");
    EXPECT_EQ(skip->text(), "0");
    // What a settings read writes into the field while the box is up stays.
    type(skip, "21");
    sim.messages.setOnShow([&](const auto &) { skip->setText("8"); });
    QTest::keyClick(skip, Qt::Key_Tab);
    sim.messages.setOnShow({});
    EXPECT_EQ(skip->text(), "8");
    type(skip, "7");
    QTest::keyClick(skip, Qt::Key_Tab);
    EXPECT_EQ(panel->vsCSSkipReadings()->value(), 13);
}

TEST_F(FieldFocus, ScrollBarsWriteTheirFieldsUpsideDown)
{
    panel->vsCSOutRate()->setValue(40);
    EXPECT_EQ(panel->txtCSOutRate()->text(), "-50");
    EXPECT_EQ(panel->lblCSOutRateUnit()->text(), "s/samples");
    panel->vsCSOutRate()->setValue(-50);
    EXPECT_EQ(panel->txtCSOutRate()->text(), "40");
    EXPECT_EQ(panel->lblCSOutRateUnit()->text(), "samples/s");
    panel->vsCSSkipReadings()->setValue(0);
    EXPECT_EQ(panel->txtCSSkipReadings()->text(), "20");
    // Program writes run no check.
    panel->txtCSDeguass()->setText("1");
    EXPECT_TRUE(sim.messages.shown().empty());
}

TEST_F(FieldFocus, DefaultsOfTheMainWindow)
{
    EXPECT_EQ(panel->txtCSOutRate()->text(), "7");
    EXPECT_EQ(panel->vsCSOutRate()->value(), -17);
    EXPECT_EQ(panel->lblCSOutRateUnit()->text(), "samples/s");
    EXPECT_EQ(panel->txtCSSkipReadings()->text(), "8");
    EXPECT_EQ(panel->vsCSSkipReadings()->value(), 12);
    EXPECT_EQ(panel->txtCSTempOffset()->text(), "0.0");
    EXPECT_EQ(panel->findChild<QComboBox *>("cmbCSBaud")->currentText(), "9600");
    EXPECT_EQ(panel->findChild<QComboBox *>("cmbCSMountPos")->currentText(), "Standard Flat = 1");
    EXPECT_TRUE(panel->findChild<QCheckBox *>("chkCSShowItem(2)")->isChecked());
    EXPECT_FALSE(panel->findChild<QCheckBox *>("chkCSShowItem(3)")->isChecked());
    for (int i = 0; i < settings_panel::CompassSettingsPanel::CommandCount; ++i)
        EXPECT_NE(panel->findChild<QAbstractButton *>(QStringLiteral("cmdSet(%1)").arg(i)), nullptr) << i;
}

} // namespace
} // namespace panel_test
