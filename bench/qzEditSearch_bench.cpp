// The search engine over a script of 20000 lines, the way a replace-all visits it: every hit of each line
// gathered at once. Figures in bytes per second, for a short and a longer pattern.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "editctl/qzEditSearch.h"

namespace {

std::vector<std::string> ScriptLines() {
  const std::vector<std::string> sample = {
      "#!/usr/bin/perl -w",
      "use strict;",
      "my %config = (name => 'Corvane', lines => 20000, tabs => 8);",
      "foreach my $key (sort keys %config) {",
      "    print STDOUT \"$key = $config{$key}\\n\" if defined $config{$key};",
      "}",
      "sub Greeting { my ($who) = @_; return \"Hello, $who!\"; }",
      "",
  };
  std::vector<std::string> lines;
  for (int i = 0; i < 20000; ++i) lines.push_back(sample[static_cast<size_t>(i) % sample.size()]);
  return lines;
}

void SearchAll(benchmark::State& state, const std::string& pattern, bool whole) {
  const std::vector<std::string> lines = ScriptLines();
  size_t bytes = 0;
  for (const std::string& line : lines) bytes += line.size();
  TqzEditSearch engine;
  engine.SetWhole(whole);
  engine.SetPattern(pattern);
  for (auto _ : state) {
    int hits = 0;
    for (const std::string& line : lines) hits += engine.FindAll(line);
    benchmark::DoNotOptimize(hits);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_FindAllShortPattern(benchmark::State& state) { SearchAll(state, "my", true); }
void BM_FindAllLongPattern(benchmark::State& state) { SearchAll(state, "CONFIG{$KEY}", false); }

BENCHMARK(BM_FindAllShortPattern)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAllLongPattern)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
