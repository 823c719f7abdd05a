#include "app/sentence_parser.h"

#include "app/sentence_items.h"
#include "numbers/number_reader.h"
#include "protocol/sentence_tags.h"

#include <optional>

namespace app {

namespace {

namespace Mask = protocol::FieldMask;
namespace Form = protocol::SentenceForm;
using protocol::indexOf;
using protocol::ReadingValue;
using V = ReadingValue;

// The values behind one bit of the display fields, in the order they are sent.
struct FieldGroup {
    ReadingValue values[3];
    int count;
};

constexpr FieldGroup fieldGroups[Mask::BitCount] = {
    {{V::Heading}, 1},
    {{V::Pitch}, 1},
    {{V::Roll}, 1},
    {{V::Temperature}, 1},
    {{V::Depth}, 1},
    {{V::MagVector}, 1},
    {{V::MagX, V::MagY, V::MagZ}, 3},
    {{V::AccVector}, 1},
    {{V::AccX, V::AccY, V::AccZ}, 3},
    {{V::GyroVect}, 1},
    {{V::GyroX, V::GyroY}, 2},
    {{V::LifeCount}, 1},
    {{V::SPIErr}, 1},
};

// The six characters before the values of a prefixed line, and its terminator.
constexpr std::size_t PrefixLength = 6;
constexpr std::size_t TerminatorLength = 2;

} // namespace

std::int32_t SentenceFormOf(std::string_view line)
{
    const char second = line.size() > 1 ? line[1] : '\0';
    switch (second) {
    case 'C': return Form::Tagged;
    case 'O': return Form::Prefixed;
    case 'H': return Form::HeadingOnly;
    default: return Form::Bare;
    }
}

ChartTargets AllChartsInto(platform::StripChart &chart)
{
    ChartTargets all;
    all.fill(&chart);
    return all;
}

SentenceParser::SentenceParser(char decimalSeparator, SentenceTargets targets)
    : m_number{decimalSeparator}, m_targets(targets)
{
}

void SentenceParser::ParseSentence(std::string_view line, std::int32_t form, std::int32_t displayFields)
{
    countSample();
    m_reading.clearPresent();
    m_mask = 0;
    switch (form) {
    case Form::Tagged:
        if (parseTagged(line))
            finish();
        break;
    case Form::Prefixed:
        if (line.size() >= PrefixLength + TerminatorLength)
            parseFieldList(line.substr(PrefixLength, line.size() - PrefixLength - TerminatorLength), displayFields);
        finish();
        break;
    case Form::Bare:
        parseFieldList(line, displayFields);
        finish();
        break;
    case Form::HeadingOnly:
        parseHeadingOnly(line);
        finish();
        break;
    default:
        break;
    }
}

void SentenceParser::countSample()
{
    if (++m_sampleNumber > SampleNumberLimit) {
        m_sampleNumber = 0;
        for (charts::ChartId cleared : charts::ClearedAtWrap)
            chart(cleared).clearTraces();
    }
}

bool SentenceParser::parseTagged(std::string_view line)
{
    // The checksum is not checked: the compass's own parser ignores it too.
    line = line.substr(0, line.find('*'));
    if (!line.empty() && line.front() == '$')
        line.remove_prefix(1);

    TaggedItems items(line);
    std::string_view tag;
    std::string_view text;
    if (!items.next(text))
        return true;
    while (items.next(tag)) {
        if (!items.next(text))
            return false;
        const std::optional<protocol::SentenceTag> known = protocol::LookUpTag(tag);
        if (!known) {
            // An unknown tag's value must still be a number.
            if (!numbers::ReadNumber(text, m_number))
                return false;
            continue;
        }
        if (!deliver(known->value, text, Feeds::AllCharts))
            return false;
        m_mask |= known->bit;
    }
    return true;
}

void SentenceParser::parseFieldList(std::string_view line, std::int32_t displayFields)
{
    CommaItems items(line);
    std::string_view text;
    for (int bitIndex = 0; bitIndex < Mask::BitCount; ++bitIndex) {
        if (!items.next(text))
            return;
        const std::int32_t bit = 1 << bitIndex;
        if (!(displayFields & bit))
            continue;
        // The log takes the bit even when its values do not convert: its
        // column then shows what the label still shows.
        m_mask |= bit;
        const FieldGroup &group = fieldGroups[bitIndex];
        for (int i = 0; i < group.count; ++i) {
            if ((i > 0 && !items.next(text)) || !deliver(group.values[i], text, Feeds::CommaFormCharts))
                return;
        }
    }
}

void SentenceParser::parseHeadingOnly(std::string_view line)
{
    // The log gets the heading column whether or not the line held a heading.
    m_mask = Mask::Heading;
    CommaItems fields(line);
    std::string_view heading;
    if (fields.next(heading) && fields.next(heading))
        deliver(V::Heading, heading, Feeds::NoChart);
}

bool SentenceParser::deliver(ReadingValue value, std::string_view text, Feeds feeds)
{
    const std::optional<double> number = numbers::ReadNumber(text, m_number);
    if (!number)
        return false;
    valueOf(m_reading, value) = *number;
    presentOf(m_reading, value) = true;

    const charts::FedTrace &fed = charts::TraceFedBy(value);
    const bool feedsChart =
        fed.fed && (feeds == Feeds::AllCharts || (feeds == Feeds::CommaFormCharts && fed.fedByCommaForms));
    if (feedsChart && fed.pointBeforeLabel)
        chart(fed.chart).addPoint(fed.trace, m_sampleNumber, *number);
    m_targets.display.ShowValue(value, *number);
    if (feedsChart && !fed.pointBeforeLabel)
        chart(fed.chart).addPoint(fed.trace, m_sampleNumber, *number);
    return true;
}

void SentenceParser::finish()
{
    m_targets.display.ShowItems(m_reading);
    if (m_targets.log.LoggingActive())
        m_targets.log.WriteLogLine(m_mask);
}

} // namespace app
