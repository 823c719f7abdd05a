#pragma once
#include "charts/chart_table.h"
#include "logging/sentence_log.h"
#include "numbers/number_reader.h"
#include "platform/strip_chart.h"
#include "protocol/compass_reading.h"
#include "protocol/reading_value.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace app {

// Where the values of a sentence are shown: instruments and labels.
class ReadingSink {
public:
    virtual ~ReadingSink() = default;
    // One value, the moment it has been read.
    virtual void ShowValue(protocol::ReadingValue value, double number) = 0;
    // After a sentence: exactly the items whose present flag is set are shown.
    virtual void ShowItems(const protocol::CompassReading &reading) = 0;
};

// The data log: the parser writes a line to it after each sentence.
using logging::SentenceLog;

// A chart for each row of the chart table, at its id's place.
using ChartTargets = charts::PerChart<platform::StripChart *>;
// Every chart fed into the one given, for a user that shows none.
ChartTargets AllChartsInto(platform::StripChart &chart);

struct SentenceTargets {
    ReadingSink &display;
    ChartTargets charts;
    SentenceLog &log;
};

// The form of a data line, from its second character: "C" tagged, "O"
// prefixed, "H" heading only, anything else (none included) bare values.
std::int32_t SentenceFormOf(std::string_view line);

// Takes the values out of one data line and hands each on as soon as it is read:
// to the display, and to its chart trace at x = SampleNumber. After the line the
// display shows the items the line carried and the log gets the line's mask.
class SentenceParser {
public:
    // SampleNumber runs 1 ... SampleNumberLimit, then 0, 1, ...
    static constexpr std::int32_t SampleNumberLimit = 2'000'000;

    // `decimalSeparator`: the monetary separator as a byte (platform::PointByte).
    SentenceParser(char decimalSeparator, SentenceTargets targets);

    // `form`: the protocol::SentenceForm code the line handler gave the line; other
    // codes only count a sample. `displayFields`: the compass's DISPLAY_FIELDS,
    // which say what the comma forms carry.
    void ParseSentence(std::string_view line, std::int32_t form, std::int32_t displayFields);

    std::int32_t SampleNumber() const { return m_sampleNumber; }
    // The latest values; the present flags are those of the last line.
    const protocol::CompassReading &Reading() const { return m_reading; }
    // The field mask of the last line, as the log gets it: the values it
    // delivered, a comma form's groups it reached, and always heading in form 4.
    std::int32_t FieldMask() const { return m_mask; }

private:
    void countSample();
    // False when the line broke off: then it is neither shown nor logged.
    bool parseTagged(std::string_view line);
    void parseFieldList(std::string_view line, std::int32_t displayFields);
    void parseHeadingOnly(std::string_view line);
    // Which charts a form feeds: the tagged form all, the forms whose fields
    // the display fields choose those the table marks, the heading-only form none.
    enum class Feeds { AllCharts, CommaFormCharts, NoChart };
    // False when `text` does not convert.
    bool deliver(protocol::ReadingValue value, std::string_view text, Feeds feeds);
    void finish();
    platform::StripChart &chart(charts::ChartId id) { return *m_targets.charts[id]; }

    // "." or the monetary separator serves as the point.
    numbers::NumberRules m_number;
    SentenceTargets m_targets;
    protocol::CompassReading m_reading;
    std::int32_t m_sampleNumber = 0;
    std::int32_t m_mask = 0;
};

} // namespace app
