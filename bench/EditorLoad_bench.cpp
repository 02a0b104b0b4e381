// Loading the 1.2-million-line corpus (the Perl modules four times over) into the editor through
// Lines.LoadFromStream with a highlighter attached, so the load ends with the range scan of the first
// lines (the rest is scanned while the program is idle).
// Reports the time and the heap the loaded lines take per line and against the file's size.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <string>
#include <string_view>

#include "common/PerlCorpus.h"
#include "common/TestApp.h"
#include "editctl/qzCustomEdit.h"
#include "editctl/qzSupportClasses.h"
#include "highlight/ZuzUderUze.h"
#include "highlight/qzHighlighter.h"
#include "win/Gdi.h"

namespace {

// A tokenizer that does as little as the contract allows: the whole line is one token.
class TMinimalHighlighter : public TqzCustomHighLighter {
 public:
  using TqzCustomHighLighter::TqzCustomHighLighter;
  TqzHighLightAttributes* GetDefaultAttribute(int) const override { return nullptr; }
  void NextForExport() override { Next(); }
  bool GetEol() const override { return eol_; }
  TqzRangeState GetRange() const override { return range_; }
  void GetTokenText(std::string& S) const override { S.assign(eol_ ? std::string_view() : text_); }
  TqzHighLightAttributes* GetTokenAttribute() const override { return nullptr; }
  int GetTokenKind() const override { return 0; }
  int GetTokenPos() const override { return eol_ ? static_cast<int>(text_.size()) : 0; }
  void Next() override { eol_ = true; }
  void SetLine(std::string_view Text, int) override {
    text_ = Text;
    eol_ = Text.empty();
  }
  void SetLineForExport(std::string_view Text) override { SetLine(Text, 0); }
  void SetRange(TqzRangeState Value) override { range_ = Value; }
  void ResetRange() override { range_ = 0; }

 private:
  std::string_view text_;
  bool eol_ = true;
  TqzRangeState range_ = 0;
};

// Small blocks from the arena plus the large ones malloc maps on its own.
size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

void BM_EditorLoadFromStream(benchmark::State& state) {
  corvane::test::EnsureApplication();
  const std::string corpus = corvane::test::PerlCorpusText(4);
  TMinimalHighlighter highlighter(nullptr);
  double perLine = 0;
  double ratio = 0;
  int lines = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto edit = std::make_unique<TqzCustomEdit>(nullptr);
    edit->SetHighLighter(&highlighter);
    const size_t before = HeapInUse();
    auto stream = std::make_unique<TStringStream>(corpus);
    state.ResumeTiming();

    edit->Lines()->LoadFromStream(stream.get());

    state.PauseTiming();
    stream.reset();  // the stream's copy of the file is not the editor's
    const size_t used = HeapInUse() - before;
    lines = edit->LineCount();
    perLine = static_cast<double>(used) / lines;
    ratio = static_cast<double>(used) / static_cast<double>(corpus.size());
    edit.reset();
    state.ResumeTiming();
  }
  state.counters["lines"] = lines;
  state.counters["bytes_per_line"] = perLine;
  state.counters["storage_to_file"] = ratio;
  state.counters["file_bytes_per_line"] = static_cast<double>(corpus.size()) / lines;
}
BENCHMARK(BM_EditorLoadFromStream)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same load with the Perl highlighter, for comparison.
void BM_EditorLoadWithPerlHighlighter(benchmark::State& state) {
  corvane::test::EnsureApplication();
  const std::string corpus = corvane::test::PerlCorpusText(4);
  TZuzUderUze highlighter(nullptr);
  for (auto _ : state) {
    state.PauseTiming();
    auto edit = std::make_unique<TqzCustomEdit>(nullptr);
    edit->SetHighLighter(&highlighter);
    TStringStream stream(corpus);
    state.ResumeTiming();
    edit->Lines()->LoadFromStream(&stream);
    state.PauseTiming();
    edit.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_EditorLoadWithPerlHighlighter)->Unit(benchmark::kMillisecond)->Iterations(3);

// One full repaint of an 800 x 600 window of coloured Perl text into an image.
void BM_EditorPaintWindow(benchmark::State& state) {
  corvane::test::EnsureApplication();
  TZuzUderUze* highlighter = CreatePerlColorScheme(nullptr, TPerlColorScheme::StandardSyntax);
  const std::unique_ptr<TZuzUderUze> owned(highlighter);
  TqzCustomEdit edit(nullptr);
  edit.HandleNeeded();
  edit.SetBounds(0, 0, 800, 600);
  edit.Gutter()->SetShowLineNumbers(true);
  edit.SetHighLighter(highlighter);
  edit.SetText(corvane::test::PerlCorpusText(1).substr(0, 200000));
  TImageDC image(800, 600);
  for (auto _ : state) edit.Perform(WM_PAINT, reinterpret_cast<WPARAM>(image.Handle()));
  state.counters["lines_shown"] = edit.LinesInWindow();
}
BENCHMARK(BM_EditorPaintWindow)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
