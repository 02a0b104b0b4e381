// Search and replace in the 1.2-million-line corpus (the Perl modules four times over) with the Perl
// highlighter attached, as the main window has it: finding a word that only the last line holds, from
// the top; replacing every "my" by "our" (case folded, as the dialog's default is) and undoing that in
// one step. Reports milliseconds for each and the number of replacements.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include "CorpusEditor.h"
#include "common/PerlCorpus.h"
#include "common/TestApp.h"
#include "editctl/qzCustomEdit.h"
#include "highlight/ZuzUderUze.h"

namespace {

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

bool SameLines(const TqzCustomEdit& edit, const std::vector<std::string_view>& lines) {
  if (edit.LineCount() < static_cast<int>(lines.size())) return false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (edit.Lines()->GetRef(static_cast<int>(i)) != line) return false;
  }
  return true;
}

void BM_FindReplaceAllUndo(benchmark::State& state) {
  corvane::test::EnsureApplication();
  const std::string corpus = corvane::test::PerlCorpusText(4) + "CorvaneSearchTarget\n";
  const std::vector<std::string_view> lines = corvane::test::CorpusLines(corpus);
  std::unique_ptr<TZuzUderUze> highlighter(CreatePerlColorScheme(nullptr, TPerlColorScheme::VizuviZozaze));
  double find = 0;
  double replace = 0;
  double undo = 0;
  int hits = 0;
  for (auto _ : state) {
    auto edit = CorpusEditor(corpus, highlighter.get());

    const auto findStart = std::chrono::steady_clock::now();
    const int found = edit->SearchReplace("CorvaneSearchTarget", "", {});
    const auto replaceStart = std::chrono::steady_clock::now();
    edit->SetCaretXY(TPoint{1, 1});
    hits = edit->SearchReplace("my", "our", {qzsoReplaceAll, qzsoEntireScope});
    const auto undoStart = std::chrono::steady_clock::now();
    edit->Undo();
    const auto undoEnd = std::chrono::steady_clock::now();

    find = Milliseconds(replaceStart - findStart);
    replace = Milliseconds(undoStart - replaceStart);
    undo = Milliseconds(undoEnd - undoStart);
    state.SetIterationTime((find + replace + undo) / 1000);
    if (found != 1) state.SkipWithError("the word on the last line was not found");
    if (!SameLines(*edit, lines)) state.SkipWithError("undo did not restore the text");
    edit->SetHighLighter(nullptr);
  }
  state.counters["find_ms"] = find;
  state.counters["replace_all_ms"] = replace;
  state.counters["undo_ms"] = undo;
  state.counters["hits"] = hits;
}

}  // namespace

BENCHMARK(BM_FindReplaceAllUndo)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
