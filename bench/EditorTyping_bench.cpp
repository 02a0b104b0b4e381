// Typing in the middle of the 1.2-million-line corpus (the Perl modules four times over): 10,000
// characters and 1,000 line breaks through the command executor, then undoing every one of them.
// Reports microseconds per keystroke of editor work; the window exists but is never painted.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "CorpusEditor.h"
#include "common/PerlCorpus.h"
#include "common/TestApp.h"
#include "editctl/qzCustomEdit.h"

namespace {

constexpr int kCharacters = 10000;
constexpr int kLineBreaks = 1000;
constexpr int kKeystrokes = kCharacters + kLineBreaks;

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BM_TypeThenUndoAll(benchmark::State& state) {
  corvane::test::EnsureApplication();
  const std::string corpus = corvane::test::PerlCorpusText(4);
  double typing = 0;
  double undoing = 0;
  int lines = 0;
  for (auto _ : state) {
    auto edit = CorpusEditor(corpus);
    lines = edit->LineCount();
    edit->SetMaxUndo(kKeystrokes);
    edit->SetCaretXY(TPoint{1, lines / 2});

    const auto typingStart = std::chrono::steady_clock::now();
    for (int i = 0; i < kCharacters; ++i) {
      edit->ExecuteCommand(ecChar, static_cast<char>('a' + i % 26), nullptr);
      if (i % (kCharacters / kLineBreaks) == kCharacters / kLineBreaks - 1) edit->ExecuteCommand(ecLineBreak, '\r', nullptr);
    }
    const auto undoStart = std::chrono::steady_clock::now();
    while (edit->CanUndo()) edit->Undo();
    const auto undoEnd = std::chrono::steady_clock::now();

    typing = Seconds(undoStart - typingStart);
    undoing = Seconds(undoEnd - undoStart);
    state.SetIterationTime(typing + undoing);
    if (edit->LineCount() != lines) state.SkipWithError("undo did not restore the line count");
  }
  state.counters["lines"] = lines;
  state.counters["typing_us_per_key"] = typing * 1e6 / kKeystrokes;
  state.counters["undo_us_per_key"] = undoing * 1e6 / kKeystrokes;
  state.counters["undo_to_typing"] = undoing / typing;
}

}  // namespace

BENCHMARK(BM_TypeThenUndoAll)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
