#pragma once
// The strip charts the program keeps, one row each: what their windows show,
// what feeds them, where their ranges come from and where the user sets them.
// Every place that deals with the charts reads it, so a chart is added here.
// Plain data on Qt Core, so the sentence parser and the settings can use it too.
#include "protocol/reading_value.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <cstdint>
#include <span>

namespace charts {

enum class ChartId : std::uint8_t { Cmp, Mag, Acc };
constexpr int ChartCount = 3;

constexpr int indexOf(ChartId id) { return static_cast<int>(id); }

// One T for each chart, at its id's place.
template <class T>
struct PerChart : std::array<T, ChartCount> {
    T &operator[](ChartId id) { return std::array<T, ChartCount>::operator[](static_cast<std::size_t>(indexOf(id))); }
    const T &operator[](ChartId id) const
    {
        return std::array<T, ChartCount>::operator[](static_cast<std::size_t>(indexOf(id)));
    }
};

// A colour as red, green, blue.
struct Rgb {
    std::uint8_t red, green, blue;
};

// The translation context of the table's texts; ChartText() looks them up.
#define CHART_TEXT(text) QT_TRANSLATE_NOOP("charts::ChartTable", text)

struct ChartTraceRow {
    const char *legend; // CHART_TEXT
    Rgb legendColour;
    Rgb traceColour;
    // The reading whose values the parser adds to this trace.
    protocol::ReadingValue value;
};

// A chart's range: its default, and the setup dialog's frame that edits it.
// Compass.ini holds the ranges at the places its format gives them (config::clsConfig).
struct ChartRangeRow {
    double defaultMin;
    double defaultMax;
    // Names the range in a message about the settings file ("the magnetic chart range ..."): CHART_TEXT.
    const char *name;
    const char *frameName;
    const char *frameCaption; // CHART_TEXT
    const char *minBoxName;
    const char *maxBoxName;
};

struct ChartRow {
    ChartId id;
    const char *windowName;
    const char *caption; // CHART_TEXT
    const char *chartName;
    const char *verticalTitle; // CHART_TEXT
    std::span<const ChartTraceRow> traces;
    // Trace indices in the order the legend lists them.
    std::span<const int> legendOrder;
    // The data view's "Show Graph" button that opens the window, and what its
    // accessible name says the graph is of (CHART_TEXT).
    const char *showButtonName;
    const char *showButtonOf;
    // The tagged form feeds every chart; the forms whose fields the display
    // fields choose feed only these.
    bool fedByCommaForms;
    // Whether a value reaches the chart before its label on the data view, or after it.
    bool pointBeforeLabel;
    ChartRangeRow range;
};

namespace chart_rows {

constexpr Rgb Red{255, 0, 0};
constexpr Rgb Orange{255, 128, 0};
constexpr Rgb PitchTrace{255, 128, 64};
constexpr Rgb Green{0, 255, 0};
constexpr Rgb Blue{0, 0, 255};

using V = protocol::ReadingValue;

constexpr ChartTraceRow CmpTraces[] = {{CHART_TEXT("Heading"), Red, Red, V::Heading},
                                       {CHART_TEXT("Pitch"), Orange, PitchTrace, V::Pitch},
                                       {CHART_TEXT("Roll"), Green, Green, V::Roll}};
constexpr ChartTraceRow MagTraces[] = {{CHART_TEXT("M"), Red, Red, V::MagVector},
                                       {CHART_TEXT("Mx"), Orange, PitchTrace, V::MagX},
                                       {CHART_TEXT("My"), Green, Green, V::MagY},
                                       {CHART_TEXT("Mz"), Blue, Blue, V::MagZ}};
constexpr ChartTraceRow AccTraces[] = {{CHART_TEXT("A"), Red, Red, V::AccVector},
                                       {CHART_TEXT("Ax"), Orange, PitchTrace, V::AccX},
                                       {CHART_TEXT("Ay"), Green, Green, V::AccY},
                                       {CHART_TEXT("Az"), Blue, Blue, V::AccZ}};
constexpr int HeadingRollPitch[] = {0, 2, 1};
constexpr int InTraceOrder[] = {0, 1, 2, 3};

} // namespace chart_rows

// clang-format off
inline constexpr std::array<ChartRow, ChartCount> ChartTable{{
    {ChartId::Cmp, "frmCmpGraph", CHART_TEXT("Compass Data Graph"), "graphCmp", CHART_TEXT("Data"),
     chart_rows::CmpTraces, chart_rows::HeadingRollPitch,
     "cmdShowCmpGraph", CHART_TEXT("Heading, Pitch and Roll"), false, false,
     {-180.0, 360.0, CHART_TEXT("compass"),
      "Frame6", CHART_TEXT(" Compass Chart "), "txtCMin", "txtCMax"}},
    {ChartId::Mag, "frmMagGraph", CHART_TEXT("Magnometer Mag Graph"), "graphMag", CHART_TEXT("Magnetic Field"),
     chart_rows::MagTraces, chart_rows::InTraceOrder,
     "cmdShowMag", CHART_TEXT("Magnetic Field"), true, true,
     {-300.0, 300.0, CHART_TEXT("magnetic"),
      "Frame4", CHART_TEXT(" Magnetic Chart "), "txtMMin", "txtMMax"}},
    {ChartId::Acc, "frmAccGraph", CHART_TEXT("Accelerometer Data Graph"), "graphAcc",
     CHART_TEXT("Acceleration (Normalized 1 G)"),
     chart_rows::AccTraces, chart_rows::InTraceOrder,
     "cmdShowAcc", CHART_TEXT("Acceleration"), true, true,
     {-2.0, 2.0, CHART_TEXT("acceleration"),
      "Frame5", CHART_TEXT(" Acceleration Chart "), "txtAMin", "txtAMax"}},
}};
// clang-format on
#undef CHART_TEXT

// The orders in which the program walks the charts where the order shows.
// Made at load, each set up right after it is made.
inline constexpr std::array<ChartId, ChartCount> CreationOrder{ChartId::Acc, ChartId::Mag, ChartId::Cmp};
// The setup dialog's frames from top to bottom, and the ranges as they are applied.
inline constexpr std::array<ChartId, ChartCount> RangeOrder{ChartId::Mag, ChartId::Acc, ChartId::Cmp};
// Emptied, in this order, when the sample number starts over; the others keep their points.
inline constexpr std::array<ChartId, 2> ClearedAtWrap{ChartId::Acc, ChartId::Mag};

constexpr const ChartRow &Chart(ChartId id) { return ChartTable[static_cast<std::size_t>(indexOf(id))]; }

// Each row stands at its id's place, and each order names every chart once.
consteval bool TableIsConsistent()
{
    for (int i = 0; i < ChartCount; ++i) {
        const ChartRow &row = ChartTable[static_cast<std::size_t>(i)];
        if (indexOf(row.id) != i || row.legendOrder.size() != row.traces.size())
            return false;
        int inCreation = 0;
        int inRange = 0;
        for (int j = 0; j < ChartCount; ++j) {
            inCreation += CreationOrder[static_cast<std::size_t>(j)] == row.id;
            inRange += RangeOrder[static_cast<std::size_t>(j)] == row.id;
        }
        if (inCreation != 1 || inRange != 1)
            return false;
    }
    return true;
}
static_assert(TableIsConsistent());

// The chart trace a reading feeds, for the parser: one look-up a value.
struct FedTrace {
    bool fed = false;
    ChartId chart{};
    int trace = 0;
    bool fedByCommaForms = false;
    bool pointBeforeLabel = false;
};
inline constexpr std::array<FedTrace, protocol::ReadingValueCount> FedTraces = [] {
    std::array<FedTrace, protocol::ReadingValueCount> fed{};
    for (const ChartRow &row : ChartTable)
        for (std::size_t trace = 0; trace < row.traces.size(); ++trace)
            fed[static_cast<std::size_t>(protocol::indexOf(row.traces[trace].value))] = {
                true, row.id, static_cast<int>(trace), row.fedByCommaForms, row.pointBeforeLabel};
    return fed;
}();
constexpr const FedTrace &TraceFedBy(protocol::ReadingValue value)
{
    return FedTraces[static_cast<std::size_t>(protocol::indexOf(value))];
}

// A text of the table as the user reads it.
QString ChartText(const char *text);

} // namespace charts
