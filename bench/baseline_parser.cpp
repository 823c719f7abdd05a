#include "baseline_parser.h"

#include <cctype>
#include <map>
#include <stdexcept>
#include <vector>

namespace bench {

namespace {

using V = protocol::ReadingValue;

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> items;
    if (text.empty())
        return items;
    std::string item;
    for (char c : text) {
        if (c == separator) {
            items.push_back(item);
            item.clear();
        } else {
            item += c;
        }
    }
    items.push_back(item);
    return items;
}

bool isLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

struct TagInfo {
    V value;
    std::int32_t bit;
};

const std::map<std::string, TagInfo> &tags()
{
    static const std::map<std::string, TagInfo> table = {
        {"C", {V::Heading, 1}},    {"P", {V::Pitch, 2}},      {"R", {V::Roll, 4}},    {"T", {V::Temperature, 8}},
        {"D", {V::Depth, 16}},     {"M", {V::MagVector, 32}}, {"Mx", {V::MagX, 64}},  {"My", {V::MagY, 0}},
        {"Mz", {V::MagZ, 0}},      {"A", {V::AccVector, 128}}, {"Ax", {V::AccX, 256}}, {"Ay", {V::AccY, 0}},
        {"Az", {V::AccZ, 0}},      {"G", {V::GyroVect, 512}}, {"Gx", {V::GyroX, 1024}}, {"Gy", {V::GyroY, 0}},
        {"L", {V::LifeCount, 2048}}, {"S", {V::SPIErr, 4096}},
    };
    return table;
}

const std::vector<std::vector<V>> &fieldGroups()
{
    static const std::vector<std::vector<V>> groups = {
        {V::Heading}, {V::Pitch}, {V::Roll}, {V::Temperature}, {V::Depth}, {V::MagVector},
        {V::MagX, V::MagY, V::MagZ}, {V::AccVector}, {V::AccX, V::AccY, V::AccZ}, {V::GyroVect},
        {V::GyroX, V::GyroY}, {V::LifeCount}, {V::SPIErr}};
    return groups;
}

} // namespace

BaselineParser::BaselineParser(char decimalSeparator, app::SentenceTargets targets)
    : m_decimalSeparator(decimalSeparator), m_targets(targets)
{
}

void BaselineParser::ParseSentence(std::string line, std::int32_t form, std::int32_t displayFields)
{
    if (++m_sampleNumber > 2000000) {
        m_sampleNumber = 0;
        m_targets.charts[charts::ChartId::Acc]->clearTraces();
        m_targets.charts[charts::ChartId::Mag]->clearTraces();
    }
    m_reading.clearPresent();
    m_mask = 0;
    bool complete = true;
    if (form == 4) {
        const std::vector<std::string> fields = split(line, ',');
        if (fields.size() >= 2 && deliver(V::Heading, fields[1], false))
            m_mask = 1;
    } else if (form == 2 || form == 8) {
        if (form == 2)
            line = line.size() < 8 ? std::string() : line.substr(6, line.size() - 8);
        const std::vector<std::string> items = split(line, ',');
        std::size_t index = 0;
        for (int bit = 0; bit < 13 && index < items.size(); ++bit, ++index) {
            if (!(displayFields & (1 << bit)))
                continue;
            const std::vector<V> &group = fieldGroups()[bit];
            bool whole = true;
            for (std::size_t i = 0; i < group.size() && whole; ++i) {
                if (i > 0)
                    ++index;
                whole = index < items.size() && deliver(group[i], items[index], false);
            }
            if (!whole)
                break;
            m_mask |= 1 << bit;
        }
    } else if (form == 1) {
        const std::size_t star = line.find('*');
        if (star != std::string::npos)
            line = line.substr(0, star);
        if (!line.empty() && line[0] == '$')
            line = line.substr(1);
        std::string withCommas;
        for (std::size_t k = 0; k < line.size(); ++k) {
            const bool letter = isLetter(line[k]);
            if ((k == 0 && letter) || (k > 0 && letter != isLetter(line[k - 1])))
                withCommas += ',';
            withCommas += line[k];
        }
        const std::vector<std::string> items = split(withCommas, ',');
        for (std::size_t i = 1; i < items.size() && complete; i += 2) {
            if (i + 1 >= items.size()) {
                complete = false;
                break;
            }
            const auto known = tags().find(items[i]);
            if (known == tags().end()) {
                try {
                    std::stod(items[i + 1]);
                } catch (const std::exception &) {
                    complete = false;
                }
                continue;
            }
            complete = deliver(known->second.value, items[i + 1], true);
            if (complete)
                m_mask |= known->second.bit;
        }
    } else {
        return;
    }
    if (!complete)
        return;
    m_targets.display.ShowItems(m_reading);
    if (m_mask != 0 && m_targets.log.LoggingActive())
        m_targets.log.WriteLogLine(m_mask);
}

bool BaselineParser::deliver(protocol::ReadingValue value, const std::string &text, bool feedsCompassChart)
{
    // std::stod reads through the C locale's ".".
    std::string plain = text;
    for (char &c : plain) {
        if (c == m_decimalSeparator)
            c = '.';
    }
    double number = 0;
    try {
        std::size_t used = 0;
        number = std::stod(plain, &used);
        for (std::size_t i = used; i < plain.size(); ++i) {
            if (!std::isspace(static_cast<unsigned char>(plain[i])))
                return false;
        }
    } catch (const std::exception &) {
        return false;
    }
    protocol::valueOf(m_reading, value) = number;
    protocol::presentOf(m_reading, value) = true;
    const double x = m_sampleNumber;
    const int index = protocol::indexOf(value);
    if (value >= V::MagVector && value <= V::MagZ) {
        m_targets.charts[charts::ChartId::Mag]->addPoint(index - protocol::indexOf(V::MagVector), x, number);
        m_targets.display.ShowValue(value, number);
    } else if (value >= V::AccVector && value <= V::AccZ) {
        m_targets.charts[charts::ChartId::Acc]->addPoint(index - protocol::indexOf(V::AccVector), x, number);
        m_targets.display.ShowValue(value, number);
    } else {
        m_targets.display.ShowValue(value, number);
        if (feedsCompassChart && value <= V::Roll)
            m_targets.charts[charts::ChartId::Cmp]->addPoint(index, x, number);
    }
    return true;
}

} // namespace bench
