// The general keyword highlighter over the Perl corpus line by line, as the editor's full rescan does,
// with C block comments and a few keywords; and the HTML export of a slice of it, token markup included.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/PerlCorpus.h"
#include "common/TestApp.h"
#include "editctl/qzCustomEdit.h"
#include "highlight/qzGeneralSyn.h"
#include "editaddons/qzHtmlExport.h"

namespace {

void Configure(TqzGeneralSyn& h) {
  h.SetComments({csCStyle, csPasStyle});
  TStringList words;
  words.SetText("my\r\nsub\r\nif\r\nelse\r\nreturn\r\nforeach\r\nuse\r\nprint");
  h.SetKeyWords(&words);
}

void BM_GeneralFullRescan(benchmark::State& state) {
  const std::string corpus = corvane::test::PerlCorpusText(1);
  const std::vector<std::string_view> lines = corvane::test::CorpusLines(corpus);
  std::vector<TqzRangeState> ranges(lines.size() + 1);
  TqzGeneralSyn h(nullptr);
  Configure(h);
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
  state.counters["MB/s"] = benchmark::Counter(static_cast<double>(corpus.size()) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["lines"] = static_cast<double>(lines.size());
}
BENCHMARK(BM_GeneralFullRescan)->Unit(benchmark::kMillisecond);

void BM_HtmlExportLines(benchmark::State& state) {
  corvane::test::EnsureApplication();
  const std::string corpus = corvane::test::PerlCorpusText(1).substr(0, 2'000'000);
  TqzGeneralSyn h(nullptr);
  Configure(h);
  TqzCustomEdit edit(nullptr);
  edit.HandleNeeded();
  edit.SetHighLighter(&h);
  edit.SetText(corpus);
  TqzHtmlExport exporter(nullptr);
  for (auto _ : state) {
    exporter.ExportLines(1, edit.LineCount(), &h, &edit);
    benchmark::DoNotOptimize(exporter.Output().data());
  }
  state.counters["MB/s"] = benchmark::Counter(static_cast<double>(corpus.size()) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["lines"] = static_cast<double>(edit.LineCount());
}
BENCHMARK(BM_HtmlExportLines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
