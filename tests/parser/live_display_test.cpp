#include "app/live_display.h"
#include "platform/sim/sim_event_pump.h"
#include "recording_targets.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <map>

namespace {

using ::testing::ElementsAre;
using protocol::ReadingValue;
namespace Form = protocol::SentenceForm;

// Records each write together with the heading label's text at that moment
// (as the display holds it), so the order of instrument and label writes shows.
class FakeInstrument : public QWidget, public platform::Instrument {
public:
    FakeInstrument(std::string name, parser_test::Journal &journal) : m_name(std::move(name)), m_journal(journal) {}
    void setValue(int dispatchNumber, double value) override
    {
        m_values[dispatchNumber] = value;
        m_journal.push_back(m_name + " " + std::to_string(dispatchNumber) + " " + parser_test::number(value) +
                            " label " + headingText().toStdString());
    }
    double value(int dispatchNumber) const override
    {
        const auto found = m_values.find(dispatchNumber);
        return found == m_values.end() ? 0 : found->second;
    }
    void setBackgroundColor(std::uint32_t rgb) override { background = rgb; }

    const app::LiveDisplay *display = nullptr;
    std::uint32_t background = 0;

private:
    QString headingText() const { return display ? display->LabelText(ReadingValue::Heading) : QString("-"); }

    std::string m_name;
    parser_test::Journal &m_journal;
    std::map<int, double> m_values;
};

class LiveDisplayTest : public ::testing::Test {
protected:
    LiveDisplayTest()
        : horizon(new FakeInstrument("Horizon", journal)),
          air1(new FakeInstrument("Air1", journal)),
          display('.', pump, horizon, air1)
    {
        horizon->display = &display;
        air1->display = &display;
        display.ClearReadings();
    }
    // Lets the labels show what they were given.
    void refresh() { pump.advance(app::LiveDisplay::LabelRefreshMs); }

    QLabel *label(const char *name) const
    {
        QLabel *found = display.findChild<QLabel *>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString text(const char *name) const { return label(name)->text(); }
    bool shown(const char *name) const
    {
        QWidget *widget = display.findChild<QWidget *>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget && !widget->isHidden();
    }
    // The shown items among the display's optional ones.
    std::vector<std::string> shownItems() const
    {
        std::vector<std::string> names;
        for (const char *name : {"lblHeading", "lblHeadingL", "lblPitch", "lblPitchL", "lblRoll", "lblRollL",
                                 "lblTemp", "lblTempL", "lblDepth", "lblDepthL", "lblLifeCnt", "lblLifeCountL",
                                 "lblSPIErr", "lblSPIErrL", "frMag", "frAcc", "frGyro"}) {
            if (shown(name))
                names.push_back(name);
        }
        return names;
    }

    platform::sim::SimClock clock;
    platform::sim::SimEventPump pump{clock};
    parser_test::Journal journal;
    FakeInstrument *horizon;
    FakeInstrument *air1;
    app::LiveDisplay display;
};

TEST_F(LiveDisplayTest, StartsWithQuestionMarksAndOnlyTheAttitudeItems)
{
    EXPECT_EQ(text("lblHeading"), "?");
    EXPECT_EQ(text("lblPitch"), "?");
    EXPECT_EQ(text("lblRoll"), "?");
    for (const char *name : {"lblTemp", "lblAcc", "lblAccX", "lblMagZ", "lblLifeCnt", "lblDepth"})
        EXPECT_EQ(text(name), "?") << name;
    EXPECT_EQ(text("lblGyro"), "");
    EXPECT_EQ(text("lblSPIErr"), "");
    EXPECT_THAT(shownItems(), ElementsAre("lblHeading", "lblHeadingL", "lblPitch", "lblPitchL", "lblRoll", "lblRollL"));
    EXPECT_TRUE(shown("cmdShowCmpGraph"));
    EXPECT_EQ(air1->background, 0xFFFFFFu);
}

// The display fed by the parser, as the main window wires them.
class WiredDisplayTest : public LiveDisplayTest {
protected:
    WiredDisplayTest()
    {
        // Each point notes the text its label has at that moment.
        const auto watch = [this](parser_test::RecordingChart &chart, std::vector<ReadingValue> labels) {
            chart.note = [this, labels](int trace) {
                return " label " + display.LabelText(labels.at(trace)).toStdString();
            };
        };
        watch(cmp, {ReadingValue::Heading, ReadingValue::Pitch, ReadingValue::Roll});
        watch(mag, {ReadingValue::MagVector, ReadingValue::MagX, ReadingValue::MagY, ReadingValue::MagZ});
        log.active = false;
    }
    void parse(std::string_view line, std::int32_t form = Form::Tagged, std::int32_t fields = 0)
    {
        journal.clear();
        parser.ParseSentence(line, form, fields);
        refresh();
    }

    parser_test::RecordingChart cmp{journal, "cmp"};
    parser_test::RecordingChart mag{journal, "mag"};
    parser_test::RecordingChart acc{journal, "acc"};
    parser_test::RecordingLog log{journal};
    app::SentenceParser parser{'.', {display, {&cmp, &mag, &acc}, log}};
};

TEST_F(WiredDisplayTest, InstrumentsThenLabelThenHeadingChartButMagneticChartFirst)
{
    parse("$C10Mx3Gy-3.5\r\n");
    EXPECT_THAT(journal, ElementsAre("Horizon 79 10 label ?", "Air1 79 10 label ?", "Air1 83 10 label ?",
                                     "Air1 12 10 label ?", "cmp 0 1 10 label 10\u00B0", "mag 1 1 3 label ?"));
    EXPECT_EQ(text("lblMagX"), "3");
    EXPECT_EQ(display.LabelText(ReadingValue::GyroY), "-3.5");
    EXPECT_EQ(display.Horizon().value(platform::Instrument::Heading), 10);
}

TEST_F(WiredDisplayTest, VisibilityFollowsEachSentence)
{
    parse("$C328.1P-0.4R1.2T26.3*3F\r\n");
    EXPECT_THAT(shownItems(), ElementsAre("lblHeading", "lblHeadingL", "lblPitch", "lblPitchL", "lblRoll",
                                          "lblRollL", "lblTemp", "lblTempL"));
    parse("$C330\r\n");
    EXPECT_THAT(shownItems(), ElementsAre("lblHeading", "lblHeadingL"));
    EXPECT_EQ(text("lblHeading"), "330\u00B0");
    EXPECT_EQ(text("lblPitch"), "-0.4\u00B0");
    EXPECT_EQ(display.Horizon().value(platform::Instrument::Pitch), -0.4);
    parse("$D2L9S1Gy4Az1");
    EXPECT_THAT(shownItems(), ElementsAre("lblDepth", "lblDepthL", "lblLifeCnt", "lblLifeCountL", "lblSPIErr",
                                          "lblSPIErrL", "frAcc", "frGyro"));
    // A broken tagged sentence writes its values but keeps the visibility.
    parse("$C5Dx\r\n");
    EXPECT_EQ(text("lblHeading"), "5\u00B0");
    EXPECT_THAT(shownItems(), ElementsAre("lblDepth", "lblDepthL", "lblLifeCnt", "lblLifeCountL", "lblSPIErr",
                                          "lblSPIErrL", "frAcc", "frGyro"));
}

TEST_F(WiredDisplayTest, CommaFormsShowWhatTheyCarried)
{
    parse("1,2,3,4\r\n", Form::Bare, 1 | 2 | 8);
    EXPECT_THAT(shownItems(), ElementsAre("lblHeading", "lblHeadingL", "lblPitch", "lblPitchL", "lblTemp", "lblTempL"));
    parse("$HCHDT,90,T", Form::HeadingOnly);
    EXPECT_THAT(shownItems(), ElementsAre("lblHeading", "lblHeadingL"));
    EXPECT_EQ(text("lblHeading"), "90\u00B0");
}

TEST_F(WiredDisplayTest, LabelsShowAValueAtOnceAfterAQuietFrameAndAtMost25FramesASecond)
{
    const auto send = [this](int heading) { parser.ParseSentence("$C" + std::to_string(heading) + "\r\n", Form::Tagged, 0); };
    send(1);
    EXPECT_EQ(text("lblHeading"), "1\u00B0");
    send(2);
    send(3);
    EXPECT_EQ(text("lblHeading"), "1\u00B0");
    pump.advance(40);
    EXPECT_EQ(text("lblHeading"), "3\u00B0");
    // A value every millisecond for a second.
    int changes = 0;
    for (int ms = 0; ms < 1000; ++ms) {
        const QString before = text("lblHeading");
        send(ms % 360);
        pump.advance(1);
        changes += text("lblHeading") != before;
    }
    EXPECT_LE(changes, 26);
    pump.advance(40);
    EXPECT_EQ(text("lblHeading"), "279\u00B0");
    pump.advance(80);
    send(5);
    EXPECT_EQ(text("lblHeading"), "5\u00B0");
    // A repaint of the window within the frame shows the latest value with it.
    send(6);
    QEvent repaint(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(&display, &repaint);
    EXPECT_EQ(text("lblHeading"), "6\u00B0");
}

} // namespace
