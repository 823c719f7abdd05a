#include "baseline_parser.h"
#include "bench_lines.h"

#include <benchmark/benchmark.h>

namespace bench {

namespace {

template <class Parser>
void parseSentences(benchmark::State &state, const BenchLines &set)
{
    NullTargets sinks;
    Parser parser('.', sinks.targets());
    std::size_t next = 0;
    for (auto _ : state) {
        parser.ParseSentence(set.lines[next], set.form, set.displayFields);
        next = next + 1 == set.lines.size() ? 0 : next + 1;
    }
    benchmark::DoNotOptimize(sinks.checksum());
    state.SetItemsProcessed(state.iterations());
}

} // namespace

void registerParserBenchmarks()
{
    for (const BenchLines &set : benchLines()) {
        benchmark::RegisterBenchmark((std::string("Parser/") + set.name).c_str(),
                                     [&set](benchmark::State &state) { parseSentences<app::SentenceParser>(state, set); });
        benchmark::RegisterBenchmark((std::string("Baseline/") + set.name).c_str(),
                                     [&set](benchmark::State &state) { parseSentences<BaselineParser>(state, set); });
    }
}

} // namespace bench
