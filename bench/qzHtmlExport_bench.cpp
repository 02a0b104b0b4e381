// The HTML export of the 318,000-line corpus (the Perl modules once) with the Perl highlighter in the
// main window's first colours: into the exporter's output, streamed to a stream that only counts the
// bytes (the export's own work), and streamed to a file as the window's export command writes it
// (flushed to disk; timed by the clock, as the user waits for it). Reports the input's MB/s, the
// output's size and the resident memory the export adds at its peak: the output's size for the
// first, next to nothing for the streamed ones.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "CorpusEditor.h"
#include "ProcessMemory.h"
#include "common/PerlCorpus.h"
#include "common/TestApp.h"
#include "highlight/ZuzUderUze.h"
#include "editaddons/qzHtmlExport.h"
#include "win/ReplaceFile.h"

namespace {

struct TCorpusExport {
  std::unique_ptr<TZuzUderUze> Highlighter{CreatePerlColorScheme(nullptr, TPerlColorScheme::VizuviZozaze)};
  std::unique_ptr<TqzCustomEdit> Edit;
  TqzHtmlExport Exporter{nullptr};
  double InputBytes = 0;

  TCorpusExport() {
    corvane::test::EnsureApplication();
    const std::string corpus = corvane::test::PerlCorpusText(1);
    InputBytes = static_cast<double>(corpus.size());
    Edit = CorpusEditor(corpus, Highlighter.get());
    Exporter.SetTitle("corpus.pm");
    Exporter.Generator = "Ombrix Tarnwick";
  }
  void ExportLines() { Exporter.ExportLines(1, Edit->LineCount(), Highlighter.get(), Edit.get()); }
};

// Input speed, output size and the memory the export added at its peak over what the process held
// before it.
void ReportCounters(benchmark::State& state, const TCorpusExport& job, double outputBytes, double residentBefore) {
  state.counters["MB/s"] = benchmark::Counter(job.InputBytes / 1e6, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["in_MB"] = job.InputBytes / 1e6;
  state.counters["out_MB"] = outputBytes / 1e6;
  state.counters["export_peak_MiB"] = (StatusKilobytes("VmHWM") - residentBefore) / 1024;
  state.counters["process_peak_MiB"] = StatusKilobytes("VmHWM") / 1024;
}

void BM_HtmlExportCorpus(benchmark::State& state) {
  TCorpusExport job;
  double outputBytes = 0;
  const double residentBefore = StatusKilobytes("VmRSS");
  ResetPeakResident();
  for (auto _ : state) {
    job.ExportLines();
    outputBytes = static_cast<double>(job.Exporter.Output().size());
    job.Exporter.Clear();
  }
  ReportCounters(state, job, outputBytes, residentBefore);
}
BENCHMARK(BM_HtmlExportCorpus)->Unit(benchmark::kMillisecond)->MinTime(3);

// Takes the page and keeps only its size: the export's own work, without a file system's.
class TCountingStream : public TStream {
 public:
  std::int64_t Read(void*, std::int64_t) override { return 0; }
  std::int64_t Write(const void*, std::int64_t Count) override {
    Written += Count;
    return Count;
  }
  std::int64_t Seek(std::int64_t, TSeekOrigin) override { return Written; }
  std::int64_t Written = 0;
};

void BM_HtmlExportCorpusStreamed(benchmark::State& state) {
  TCorpusExport job;
  TCountingStream stream;
  const double residentBefore = StatusKilobytes("VmRSS");
  ResetPeakResident();
  for (auto _ : state) {
    stream.Written = 0;
    job.Exporter.ExportLinesToStream(1, job.Edit->LineCount(), job.Highlighter.get(), job.Edit.get(), stream);
  }
  ReportCounters(state, job, static_cast<double>(stream.Written), residentBefore);
}
BENCHMARK(BM_HtmlExportCorpusStreamed)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_HtmlExportCorpusToFile(benchmark::State& state) {
  TCorpusExport job;
  const std::string dir = corvane::test::MakeTempDir("htmlexportbench");
  const std::string file = dir + "/corpus.htm";
  const double residentBefore = StatusKilobytes("VmRSS");
  ResetPeakResident();
  for (auto _ : state) {
    WriteFileReplacing(file, [&job](TStream& stream) {
      job.Exporter.ExportLinesToStream(1, job.Edit->LineCount(), job.Highlighter.get(), job.Edit.get(), stream);
    });
  }
  ReportCounters(state, job, static_cast<double>(std::filesystem::file_size(file)), residentBefore);
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_HtmlExportCorpusToFile)->Unit(benchmark::kMillisecond)->MinTime(3)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
