#include "panel_bench.h"

#include "protocol/setting_table.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

namespace panel_test {
namespace {

// The check of the field with this input name.
protocol::CheckResult check(const char *field, const char *text, char separator = '.')
{
    return protocol::CheckValue(*protocol::SettingOfInput(field)->check, text, separator);
}

TEST(FieldCheck, EachFieldTakesItsRangeInclusiveAndWholeNumbersRoundFirst)
{
    const struct {
        const char *field;
        std::vector<const char *> good;
        std::vector<const char *> bad;
        const char *range;
    } cases[] = {
        {"txtCSDeguass", {"5", "4000.4"}, {"4.4", "4001", "1e12"}, "Please enter a valid range for deguass (5~4000)."},
        {"txtCSDecimationFilter", {"1", "6.5"}, {"0", "7"}, "Please enter a valid range for Decimation Filter (1 to 6)."},
        {"txtCSDeclination", {"180", "-180"}, {"180.1"}, "Please enter a valid range for declination (-180.0~180)."},
        {"txtCSDeviation", {"-180", "180"}, {"-180.01"}, "Please enter a valid range for deviation (-180.0~180)."},
        {"txtCSAccRange", {"0", "1.4"}, {"1.5", "-1"}, "Please enter a valid range for Accelerator Range (0..1)."},
        {"txtCSOutRate", {"-50", "40"}, {"-51", "41"}, "Please enter a valid range for the rate value (-50 to 40)."},
        {"txtCSSkipReadings", {"0", "20"}, {"-1", "21"}, "Please enter a valid range for the skipping values (0 to 20)."},
        {"txtCSOutFormat", {"1", "1.0", "1.2", "2", "4", "8", "16"}, {"3", "08", " 8", "16.0", "32", "0"},
         "Please enter a valid value for output format (1,2,4,8 or 16)."},
    };
    for (const auto &c : cases) {
        for (const char *text : c.good)
            EXPECT_EQ(check(c.field, text).refusal, std::nullopt) << text;
        for (const char *text : c.bad)
            EXPECT_EQ(check(c.field, text).refusal, QString(c.range)) << text;
    }
    EXPECT_EQ(check("txtCSDeguass", "").refusal, "Please enter a valid numeric value for Deguass.");
    EXPECT_EQ(check("txtCSTempOffset", "x").refusal, "Please enter a valid numeric value for Temp Offset.");
    EXPECT_EQ(check("txtCSDeviation", "12,5", ',').refusal, std::nullopt);
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
    void type(QLineEdit *field, const QString &text)
    {
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    void typeAndTab(QLineEdit *field, const QString &text)
    {
        type(field, text);
        QTest::keyClick(field, Qt::Key_Tab);
    }
};

TEST_F(FieldFocus, AKeepFocusFieldHoldsTheFocusAndSwallowsTheClick)
{
    QLineEdit *declination = panel->txtCSDeclination();
    typeAndTab(declination, "180.1");
    EXPECT_TRUE(declination->hasFocus());
    EXPECT_EQ(sim.messages.texts(), QStringList{"Please enter a valid range for declination (-180.0~180)."});
    EXPECT_EQ(sim.messages.shown()[0].icon, platform::MessageIcon::Exclamation);

    QTest::mouseClick(panel->cmdSet(Cmd::ZeroDepth), Qt::LeftButton);
    QApplication::processEvents();
    sim.advance(2000);
    EXPECT_TRUE(declination->hasFocus());
    EXPECT_TRUE(host.sim().written().empty()) << "the button does nothing";
    EXPECT_EQ(declination->text(), "180.1") << "the text stays as typed";

    type(declination, "180");
    QTest::mouseClick(panel->cmdSet(Cmd::ZeroDepth), Qt::LeftButton);
    EXPECT_FALSE(declination->hasFocus());
    EXPECT_EQ(host.sim().writtenText(), "\x1bP ");
}

TEST_F(FieldFocus, AnAfterLeavingFieldTakesTheFocusBackButTheClickActs)
{
    QAbstractButton *setMaxPressure = panel->cmdSet(Cmd::MaxPressure);
    type(panel->txtCSDeguass(), "4001");
    // The user lets go of the mouse while the box is up, as with a real box,
    // whose own loop takes the release before the press reaches the button.
    sim.messages.setOnShow([&](const auto &) { QTest::mouseRelease(setMaxPressure, Qt::LeftButton); });
    QTest::mousePress(setMaxPressure, Qt::LeftButton);
    sim.messages.setOnShow({});
    QApplication::processEvents();
    sim.advance(5000);
    EXPECT_EQ(sim.messages.texts(), QStringList{"Please enter a valid range for deguass (5~4000)."});
    EXPECT_TRUE(panel->txtCSDeguass()->hasFocus());
    EXPECT_FALSE(setMaxPressure->isDown());
    EXPECT_EQ(host.sim().writtenText(), "\x1bM100\r");
}

// The Set button of the row whose field has just refused its text sends
// nothing, whatever the kind of check: the refused value never reaches the
// module, and the field has the focus again.
TEST_F(FieldFocus, TheRefusingRowsOwnSetButtonSendsNothing)
{
    const struct {
        QLineEdit *field;
        int button;
        const char *refused;
        const char *valid;
    } rows[] = {
        {panel->txtCSDeguass(), Cmd::Deguass, "4001", "50"},
        {panel->txtCSAvgSamples(), Cmd::AvgSamples, "five", "5"},
        {panel->txtCSDecimationFilter(), Cmd::DecimationFilter, "9", "3"},
        {panel->txtCSMaxPressure(), Cmd::MaxPressure, "high", "100"},
        {panel->txtCSOutFormat(), Cmd::OutputFormat, "3", "1"},
        {panel->txtCSOutRate(), Cmd::OutputRate, "41", "7"},
        {panel->txtCSSkipReadings(), Cmd::SkipReadings, "-1", "8"},
        {panel->txtCSDeclination(), Cmd::Declination, "180.1", "0"},
        {panel->txtCSDeviation(), Cmd::Deviation, "east", "0"},
        {panel->txtCSTempOffset(), Cmd::TempOffset, "warm", "0.0"},
        {panel->txtCSAccRange(), Cmd::AccRange, "2", "1"},
    };
    for (const auto &row : rows) {
        const std::string name = row.field->objectName().toStdString();
        QAbstractButton *set = panel->cmdSet(row.button);
        sim.messages.clear();
        type(row.field, row.refused);
        host.sim().clearWritten();
        sim.messages.setOnShow([&](const auto &) { QTest::mouseRelease(set, Qt::LeftButton); });
        QTest::mousePress(set, Qt::LeftButton);
        sim.messages.setOnShow({});
        QApplication::processEvents();
        sim.advance(5000);
        EXPECT_EQ(sim.messages.texts().size(), 1) << name;
        EXPECT_EQ(host.sim().writtenText(), "") << name;
        EXPECT_TRUE(row.field->hasFocus()) << name;
        EXPECT_FALSE(set->isDown()) << name;
        row.field->setText(row.valid);
    }
}

TEST_F(FieldFocus, RateFieldsResetToZeroOrMoveTheirScrollBarsUpsideDown)
{
    QLineEdit *rate = panel->txtCSOutRate();
    typeAndTab(rate, "41");
    EXPECT_EQ(sim.messages.texts(), QStringList{"Please enter a valid range for the rate value (-50 to 40)."});
    EXPECT_EQ(rate->text(), "0");
    EXPECT_FALSE(rate->hasFocus());
    EXPECT_EQ(panel->lblCSOutRateUnit()->text(), "samples/s");
    type(rate, "-5");
    EXPECT_EQ(panel->lblCSOutRateUnit()->text(), "s/samples") << "the label follows every edit";
    QTest::keyClick(rate, Qt::Key_Tab);
    EXPECT_EQ(panel->vsCSOutRate()->value(), -5);

    QLineEdit *skip = panel->txtCSSkipReadings();
    typeAndTab(skip, "21");
    EXPECT_EQ(skip->text(), "0");
    // What a settings read writes into the field while the box is up stays.
    type(skip, "21");
    sim.messages.setOnShow([&](const auto &) { skip->setText("8"); });
    QTest::keyClick(skip, Qt::Key_Tab);
    EXPECT_EQ(skip->text(), "8");
    typeAndTab(skip, "7");
    EXPECT_EQ(panel->vsCSSkipReadings()->value(), 13);

    panel->vsCSOutRate()->setValue(40);
    EXPECT_EQ(rate->text(), "-50");
    EXPECT_EQ(panel->lblCSOutRateUnit()->text(), "s/samples");
    panel->vsCSOutRate()->setValue(-50);
    EXPECT_EQ(rate->text(), "40");
    EXPECT_EQ(panel->lblCSOutRateUnit()->text(), "samples/s");
    panel->vsCSSkipReadings()->setValue(0);
    EXPECT_EQ(skip->text(), "20");
}

} // namespace
} // namespace panel_test
