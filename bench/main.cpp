// Runs the parser benchmarks, then prints how many times faster than the plain
// baseline the parser is, form by form.
#include "baseline_parser.h"
#include "bench_lines.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

namespace bench {
void registerParserBenchmarks();
}

namespace {

// Both parsers must hand on the same values, or the comparison means nothing.
bool parsersAgree()
{
    for (const bench::BenchLines &set : bench::benchLines()) {
        bench::NullTargets fast, plain;
        app::SentenceParser parser('.', fast.targets());
        bench::BaselineParser baseline('.', plain.targets());
        for (const std::string &line : set.lines) {
            parser.ParseSentence(line, set.form, set.displayFields);
            baseline.ParseSentence(line, set.form, set.displayFields);
        }
        if (fast.checksum() != plain.checksum() || fast.values() != plain.values() || fast.values() == 0) {
            std::fprintf(stderr, "bench_parser: parser and baseline disagree on the %s lines\n", set.name);
            return false;
        }
    }
    return true;
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const auto rate = run.counters.find("items_per_second");
            if (rate == run.counters.end())
                continue;
            // With repetitions the median stands for the benchmark.
            if (run.run_type == Run::RT_Iteration && !m_medians.count(run.run_name.str()))
                m_rates[run.run_name.str()] = rate->second.value;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                m_medians.insert(run.run_name.str());
                m_rates[run.run_name.str()] = rate->second.value;
            }
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const auto &[name, rate] : m_rates) {
            if (name.rfind("Parser/", 0) != 0)
                continue;
            const std::string form = name.substr(7);
            const auto baseline = m_rates.find("Baseline/" + form);
            if (baseline == m_rates.end() || baseline->second <= 0)
                continue;
            std::printf("%-12s %12.0f sentences/s, baseline %12.0f: ratio vs baseline %.1fx\n", form.c_str(), rate,
                        baseline->second, rate / baseline->second);
        }
    }

private:
    std::map<std::string, double> m_rates;
    std::set<std::string> m_medians;
};

} // namespace

int main(int argc, char **argv)
{
    if (!parsersAgree())
        return 1;
    bench::registerParserBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
