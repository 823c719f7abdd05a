#pragma once
// What must hold for any line the parser is given, whatever it holds. Shared by
// the fuzzer; plain C++ so it needs no Qt.
#include "app/sentence_parser.h"
#include "numbers/number_reader.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace parser_invariants {

// A number the parser accepts has the value the standard conversion gives the
// same text with "." as its point; returns what went wrong, empty when nothing.
inline std::string checkNumber(std::string_view text, char decimalSeparator)
{
    const std::optional<double> value = numbers::ReadNumber(text, {decimalSeparator});
    if (!value)
        return {};
    std::string plain;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '+')
            continue;
        plain += c == decimalSeparator ? '.' : c;
    }
    double expected = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), expected);
    if (error != std::errc() || end != plain.data() + plain.size())
        return "accepted \"" + std::string(text) + "\", which the standard conversion refuses";
    if (!std::isfinite(*value) || *value != expected || std::signbit(*value) != std::signbit(expected))
        return "\"" + std::string(text) + "\" read as " + std::to_string(*value) + ", not " + std::to_string(expected);
    return {};
}

class CheckedParser : app::ReadingSink, app::SentenceLog {
public:
    explicit CheckedParser(char decimalSeparator)
        : m_parser(decimalSeparator, {*this, {&m_cmp, &m_mag, &m_acc}, *this})
    {
    }

    // Parses one line; returns what went wrong, empty when nothing did.
    std::string check(std::string_view line, std::int32_t form, std::int32_t displayFields, bool logging)
    {
        m_failure.clear();
        m_form = form;
        m_logging = logging;
        m_itemsShown = false;
        m_logged = false;
        const std::int32_t before = m_parser.SampleNumber();
        m_parser.ParseSentence(line, form, displayFields);
        const std::int32_t after = m_parser.SampleNumber();
        const std::int32_t expected = before == app::SentenceParser::SampleNumberLimit ? 0 : before + 1;
        if (after != expected)
            fail("sample number went from " + std::to_string(before) + " to " + std::to_string(after));
        const std::int32_t mask = m_parser.FieldMask();
        if (mask & ~((1 << protocol::FieldMask::BitCount) - 1))
            fail("mask beyond the field bits: " + std::to_string(mask));
        const bool commaForm = form == protocol::SentenceForm::Prefixed || form == protocol::SentenceForm::Bare;
        if (commaForm && (mask & ~displayFields))
            fail("mask has a bit the display fields lack");
        if (form == protocol::SentenceForm::HeadingOnly && mask != protocol::FieldMask::Heading)
            fail("heading-only line with mask " + std::to_string(mask));
        // The comma forms take a group's bit before its values convert.
        if (form == protocol::SentenceForm::Tagged && !maskMatchesReading(mask))
            fail("a mask bit without its value");
        if (m_itemsShown && logging && !m_logged)
            fail("a line whose end step ran was not logged");
        const bool endsAlways = form == protocol::SentenceForm::Prefixed || form == protocol::SentenceForm::Bare ||
                                form == protocol::SentenceForm::HeadingOnly;
        if (endsAlways && !m_itemsShown)
            fail("comma form without its end step");
        return m_failure;
    }

private:
    class Chart : public platform::StripChart {
    public:
        Chart(CheckedParser &owner, protocol::ReadingValue first, int traces)
            : m_owner(owner), m_first(first), m_traces(traces)
        {
        }
        void addPoint(int trace, double x, double y) override { m_owner.point(m_first, m_traces, trace, x, y); }
        void clearTraces() override
        {
            if (m_owner.m_parser.SampleNumber() != 0)
                m_owner.fail("a chart was cleared without the sample number wrapping");
        }
        void setRange(double, double) override { m_owner.fail("the parser set a chart range"); }
        void setHistoryLength(int) override { m_owner.fail("the parser set a chart history"); }

    private:
        CheckedParser &m_owner;
        protocol::ReadingValue m_first;
        int m_traces;
    };

    void point(protocol::ReadingValue first, int traces, int trace, double x, double y)
    {
        if (m_itemsShown)
            fail("chart point after the end step");
        if (trace < 0 || trace >= traces)
            return fail("trace index " + std::to_string(trace) + " out of range");
        if (x != m_parser.SampleNumber())
            fail("point x is not the sample number");
        const auto value = static_cast<protocol::ReadingValue>(protocol::indexOf(first) + trace);
        const protocol::CompassReading &reading = m_parser.Reading();
        if (!std::isfinite(y) || y != protocol::valueOf(reading, value) || !protocol::presentOf(reading, value))
            fail("chart point differs from the value read");
        if (first == protocol::ReadingValue::Heading && m_form != protocol::SentenceForm::Tagged)
            fail("a comma form fed the compass chart");
    }

    void ShowValue(protocol::ReadingValue value, double number) override
    {
        if (m_itemsShown)
            fail("value after the end step");
        if (!std::isfinite(number) || number != protocol::valueOf(m_parser.Reading(), value) ||
            !protocol::presentOf(m_parser.Reading(), value))
            fail("shown value differs from the reading");
    }

    void ShowItems(const protocol::CompassReading &reading) override
    {
        if (m_itemsShown)
            fail("end step ran twice");
        if (&reading != &m_parser.Reading())
            fail("items shown from another reading");
        m_itemsShown = true;
    }

    bool LoggingActive() const override { return m_logging; }

    void WriteLogLine(std::int32_t mask) override
    {
        if (!m_itemsShown)
            fail("logged before the items were shown");
        if (mask != m_parser.FieldMask())
            fail("log mask " + std::to_string(mask) + " is not the line's mask");
        if (!m_logging)
            fail("logged while logging was off");
        if (m_logged)
            fail("logged twice");
        m_logged = true;
    }

    bool maskMatchesReading(std::int32_t mask) const
    {
        const protocol::CompassReading &r = m_parser.Reading();
        const bool present[protocol::FieldMask::BitCount] = {
            r.HeadingPresent, r.PitchPresent, r.RollPresent, r.TemperaturePresent, r.DepthPresent,
            r.MagVectorPresent, r.MagXPresent, r.AccVectorPresent, r.AccXPresent, r.GyroVectPresent,
            r.GyroXPresent, r.LifeCountPresent, r.SpiErrPresent};
        for (int bit = 0; bit < protocol::FieldMask::BitCount; ++bit) {
            if ((mask & (1 << bit)) && !present[bit])
                return false;
        }
        return true;
    }

    void fail(const std::string &what)
    {
        if (m_failure.empty())
            m_failure = what;
    }

    Chart m_cmp{*this, protocol::ReadingValue::Heading, 3};
    Chart m_mag{*this, protocol::ReadingValue::MagVector, 4};
    Chart m_acc{*this, protocol::ReadingValue::AccVector, 4};
    app::SentenceParser m_parser;
    std::string m_failure;
    std::int32_t m_form = 0;
    bool m_logging = false;
    bool m_itemsShown = false;
    bool m_logged = false;
};

} // namespace parser_invariants
