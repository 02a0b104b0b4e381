// The clipboard with the 1.27-million-line corpus (the Perl modules four times over): select all and
// copy it, then paste it into an empty editor. Reports seconds for each; the windows exist but are never
// painted, and the clipboard is the process's own (offscreen), so the figures are the editor's and the
// layer's conversion work.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "common/PerlCorpus.h"
#include "common/TestApp.h"
#include "editctl/qzCustomEdit.h"

namespace {

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

std::unique_ptr<TqzCustomEdit> NewEditor() {
  auto edit = std::make_unique<TqzCustomEdit>(nullptr);
  edit->HandleNeeded();
  edit->SetBounds(0, 0, 800, 600);
  return edit;
}

void BM_CopyAllThenPaste(benchmark::State& state) {
  corvane::test::EnsureApplication();
  const std::string corpus = corvane::test::PerlCorpusText(4);
  double copying = 0;
  double pasting = 0;
  int lines = 0;
  for (auto _ : state) {
    auto source = NewEditor();
    auto stream = std::make_unique<TStringStream>(corpus);
    source->Lines()->LoadFromStream(stream.get());
    stream.reset();
    lines = source->LineCount();

    const auto copyStart = std::chrono::steady_clock::now();
    source->SelectAll();
    source->CopyToClipboard();
    const auto copyEnd = std::chrono::steady_clock::now();

    auto target = NewEditor();
    const auto pasteStart = std::chrono::steady_clock::now();
    target->PasteFromClipboard();
    const auto pasteEnd = std::chrono::steady_clock::now();

    copying = Seconds(copyEnd - copyStart);
    pasting = Seconds(pasteEnd - pasteStart);
    state.SetIterationTime(copying + pasting);
    if (target->LineCount() < lines) state.SkipWithError("the paste lost lines");
  }
  state.counters["lines"] = lines;
  state.counters["copy_s"] = copying;
  state.counters["paste_s"] = pasting;
}

}  // namespace

BENCHMARK(BM_CopyAllThenPaste)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
