// Printing the 318,000-line corpus (the Perl modules once) with the Perl highlighter and colours to a
// PDF file. Reports pages per second and the process's resident memory early in the job and at its
// end: a job that kept its pages would grow with the page count.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "ProcessMemory.h"
#include "common/PerlCorpus.h"
#include "common/TestApp.h"
#include "editctl/qzCustomEdit.h"
#include "editctl/qzPrint.h"
#include "highlight/ZuzUderUze.h"
#include "vcl/Printers.h"

namespace {

void BM_PrintCorpusToPdf(benchmark::State& state) {
  corvane::test::EnsureApplication();
  TZuzUderUze* highlighter = CreatePerlColorScheme(nullptr, TPerlColorScheme::StandardSyntax);
  const std::unique_ptr<TZuzUderUze> owned(highlighter);
  TqzCustomEdit edit(nullptr);
  edit.SetHighLighter(highlighter);
  edit.SetText(corvane::test::PerlCorpusText(1));
  const std::string dir = corvane::test::MakeTempDir("printbench");
  Printer()->SetOutputFileName(dir + "/corpus.pdf");
  TStringList header;
  TStringList footer;
  header.AddObject("File: $title$", PrintAlignmentObject(taCenter));
  footer.AddObject("Page Number: $pagenum$", PrintAlignmentObject(taRightJustify));
  TqzPrintOptions options;
  options.Highlight = true;
  options.MarginUnits = muMillimeters;
  options.Margins = TRect{15, 8, 5, 5};
  options.Title = "corpus.pl";
  options.Header = &header;
  options.Footer = &footer;
  int pages = 0;
  double rssEarly = 0;
  edit.OnPrintStatus = TPrintStatusEvent([&](TObject*, TqzPrintStatus status, int page, bool&) {
    if (status != prsNewPage) return;
    pages = page;
    if (page == 100) rssEarly = StatusKilobytes("VmRSS");
  });
  for (auto _ : state) edit.PrintText(nullptr, options);
  state.counters["lines"] = edit.LineCount();
  state.counters["pages"] = pages;
  state.counters["pages_per_s"] = benchmark::Counter(pages, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["rss_MB_at_page_100"] = rssEarly / 1024;
  state.counters["rss_MB_at_end"] = StatusKilobytes("VmRSS") / 1024;
  state.counters["peak_rss_MB"] = StatusKilobytes("VmHWM") / 1024;
  state.counters["pdf_MB"] = static_cast<double>(std::filesystem::file_size(dir + "/corpus.pdf")) / (1 << 20);
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_PrintCorpusToPdf)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
