#include "app/live_display.h"
#include "platform/sim/sim_event_pump.h"
#include "recording_targets.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

// A chart that notes the text of the label of the value it is given.
struct LabelWatchingChart : platform::StripChart {
    LabelWatchingChart(parser_test::Journal &journal, std::string name, const app::LiveDisplay &display,
                       std::vector<ReadingValue> labels)
        : journal(journal), name(std::move(name)), display(display), labels(std::move(labels))
    {
    }
    void addPoint(int trace, double, double y) override
    {
        journal.push_back(name + " " + std::to_string(trace) + " " + parser_test::number(y) + " label " +
                          display.LabelText(labels.at(trace)).toStdString());
    }
    void clearTraces() override {}
    void setRange(double, double) override {}
    void setHistoryLength(int) override {}
    parser_test::Journal &journal;
    std::string name;
    const app::LiveDisplay &display;
    std::vector<ReadingValue> labels;
};

struct NoLog : app::SentenceLog {
    bool LoggingActive() const override { return false; }
    void WriteLogLine(std::int32_t) override {}
};

class LiveDisplayTest : public ::testing::Test {
protected:
    explicit LiveDisplayTest(QChar separator = '.')
        : horizon(new FakeInstrument("Horizon", journal)),
          air1(new FakeInstrument("Air1", journal)),
          display(separator, pump, horizon, air1)
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
    explicit WiredDisplayTest(QChar separator = '.', char wireSeparator = '.')
        : LiveDisplayTest(separator),
          cmp(journal, "cmp", display, {ReadingValue::Heading, ReadingValue::Pitch, ReadingValue::Roll}),
          mag(journal, "mag", display,
              {ReadingValue::MagVector, ReadingValue::MagX, ReadingValue::MagY, ReadingValue::MagZ}),
          acc(journal, "acc", display,
              {ReadingValue::AccVector, ReadingValue::AccX, ReadingValue::AccY, ReadingValue::AccZ}),
          parser(wireSeparator, {display, cmp, mag, acc, log})
    {
    }
    void parse(std::string_view line, std::int32_t form = Form::Tagged, std::int32_t fields = 0)
    {
        journal.clear();
        parser.ParseSentence(line, form, fields);
        refresh();
    }

    LabelWatchingChart cmp;
    LabelWatchingChart mag;
    LabelWatchingChart acc;
    NoLog log;
    app::SentenceParser parser;
};

TEST_F(WiredDisplayTest, InstrumentsThenLabelThenHeadingChartButMagneticChartFirst)
{
    parse("$C10Mx3Gy-3.5\r\n");
    EXPECT_THAT(journal, ElementsAre("Horizon 79 10 label ?", "Air1 79 10 label ?", "Air1 83 10 label ?",
                                     "Air1 12 10 label ?", "cmp 0 10 label 10\u00B0", "mag 1 3 label ?"));
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

class CommaLocaleDisplayTest : public WiredDisplayTest {
protected:
    CommaLocaleDisplayTest() : WiredDisplayTest(',', ',') {}
};

TEST_F(CommaLocaleDisplayTest, ShowsTheUsersSeparator)
{
    parse("$C12.5P25T-0.5");
    EXPECT_EQ(text("lblHeading"), "12,5\u00B0");
    EXPECT_EQ(text("lblPitch"), "25\u00B0");
    EXPECT_EQ(text("lblTemp"), "-0,5\u00B0C");
    EXPECT_EQ(display.Horizon().value(platform::Instrument::Heading), 12.5);
}

} // namespace
