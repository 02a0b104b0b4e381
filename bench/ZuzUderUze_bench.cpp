// Tokenizing the 1.2-million-line corpus (the Perl modules four times over) line by line, as the
// editor's full rescan does: each line from the state stored for it, to its end state.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/PerlCorpus.h"
#include "highlight/ZuzUderUze.h"

namespace {

void BM_PerlFullRescan(benchmark::State& state) {
  const std::string corpus = corvane::test::PerlCorpusText(4);
  const std::vector<std::string_view> lines = corvane::test::CorpusLines(corpus);
  std::vector<TqzRangeState> ranges(lines.size() + 1);
  TZuzUderUze h(nullptr);
  for (auto _ : state) {
    h.ResetRange();
    ranges[0] = h.GetRange();
    for (size_t i = 0; i < lines.size(); ++i) {
      h.SetRange(ranges[i]);
      h.SetLine(lines[i], static_cast<int>(i));
      h.NextToEol();
      ranges[i + 1] = h.GetRange();
    }
    benchmark::DoNotOptimize(ranges.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(corpus.size()));
  // bytes_per_second counts in MiB; this one in decimal megabytes, as the target is stated.
  state.counters["MB/s"] = benchmark::Counter(static_cast<double>(corpus.size()) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["lines"] = static_cast<double>(lines.size());
}
BENCHMARK(BM_PerlFullRescan)->Unit(benchmark::kMillisecond);

// The painter's walk: every token's position, text and attribute.
void BM_PerlTokenTexts(benchmark::State& state) {
  const std::string corpus = corvane::test::PerlCorpusText(1);
  const std::vector<std::string_view> lines = corvane::test::CorpusLines(corpus);
  TZuzUderUze h(nullptr);
  std::string text;
  for (auto _ : state) {
    size_t total = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
      h.SetLine(lines[i], static_cast<int>(i));
      while (!h.GetEol()) {
        h.GetTokenText(text);
        total += text.size() + static_cast<size_t>(h.GetTokenPos()) + (h.GetTokenAttribute() != nullptr);
        h.Next();
      }
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(corpus.size()));
}
BENCHMARK(BM_PerlTokenTexts)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
