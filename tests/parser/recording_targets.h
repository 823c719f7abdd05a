#pragma once
#include "app/sentence_parser.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace parser_test {

inline std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

inline const char *nameOf(protocol::ReadingValue value)
{
    static const char *const names[protocol::ReadingValueCount] = {
        "Heading", "Pitch", "Roll", "Temperature", "Depth", "MagVector", "MagX", "MagY", "MagZ",
        "AccVector", "AccX", "AccY", "AccZ", "GyroVect", "GyroX", "GyroY", "LifeCount", "SPIErr"};
    return names[protocol::indexOf(value)];
}

// Everything the parser hands on, in one journal, in the order it happened.
using Journal = std::vector<std::string>;

struct RecordingDisplay : app::ReadingSink {
    explicit RecordingDisplay(Journal &journal) : journal(journal) {}
    void ShowValue(protocol::ReadingValue value, double x) override
    {
        journal.push_back(std::string("show ") + nameOf(value) + " " + number(x));
    }
    void ShowItems(const protocol::CompassReading &reading) override
    {
        lastItems = reading;
        journal.push_back("items");
    }
    Journal &journal;
    protocol::CompassReading lastItems;
};

struct RecordingChart : platform::StripChart {
    RecordingChart(Journal &journal, std::string name) : journal(journal), name(std::move(name)) {}
    void addPoint(int trace, double x, double y) override
    {
        journal.push_back(name + " " + std::to_string(trace) + " " + number(x) + " " + number(y) +
                          (note ? note(trace) : ""));
    }
    void clearTraces() override { journal.push_back("clear " + name); }
    void setRange(double, double) override { journal.push_back("range " + name); }
    void setHistoryLength(int) override { journal.push_back("history " + name); }
    Journal &journal;
    std::string name;
    // What else to note with each point.
    std::function<std::string(int trace)> note;
};

struct RecordingLog : app::SentenceLog {
    explicit RecordingLog(Journal &journal) : journal(journal) {}
    bool LoggingActive() const override { return active; }
    void WriteLogLine(std::int32_t mask) override { journal.push_back("log " + std::to_string(mask)); }
    Journal &journal;
    bool active = true;
};

// A parser wired to recorders.
struct RecordedParser {
    explicit RecordedParser(char decimalSeparator = '.') : parser(decimalSeparator, {display, {&cmp, &mag, &acc}, log})
    {
    }
    Journal parse(std::string_view line, std::int32_t form, std::int32_t displayFields = 0)
    {
        journal.clear();
        parser.ParseSentence(line, form, displayFields);
        return journal;
    }

    Journal journal;
    RecordingDisplay display{journal};
    RecordingChart cmp{journal, "cmp"};
    RecordingChart mag{journal, "mag"};
    RecordingChart acc{journal, "acc"};
    RecordingLog log{journal};
    app::SentenceParser parser;
};

} // namespace parser_test
