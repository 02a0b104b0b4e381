// Saving the 1.2-million-line corpus (the Perl modules four times over) from the editor's lines to a
// file, as File > Save does: the time to the file being on disk, and the most heap the save takes
// beyond the lines themselves, against the size of the text.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>

#include "common/PerlCorpus.h"
#include "common/TestApp.h"
#include "editctl/qzCustomEdit.h"
#include "win/ReplaceFile.h"

namespace {

// The heap the program holds and the most it held since the last reset, counted at every new and delete.
std::atomic<long long> gHeld{0};
std::atomic<long long> gPeak{0};

void Count(long long bytes) {
  const long long held = gHeld += bytes;
  long long peak = gPeak.load();
  while (held > peak && !gPeak.compare_exchange_weak(peak, held)) {
  }
}

}  // namespace

void* operator new(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (!p) throw std::bad_alloc();
  Count(static_cast<long long>(malloc_usable_size(p)));
  return p;
}

void operator delete(void* p) noexcept {
  if (!p) return;
  Count(-static_cast<long long>(malloc_usable_size(p)));
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

void BM_SaveCorpus(benchmark::State& state) {
  corvane::test::EnsureApplication();
  const std::string folder = corvane::test::MakeTempDir("save-bench");
  const std::string file = folder + "/corpus.pl";
  TqzCustomEdit edit(nullptr);
  {
    TStringStream stream(corvane::test::PerlCorpusText(4));
    edit.Lines()->LoadFromStream(&stream);
  }
  long long extra = 0;
  for (auto _ : state) {
    gPeak = gHeld.load();
    const long long before = gHeld.load();
    WriteFileReplacing(file, [&](TStream& stream) { edit.Lines()->SaveToStream(&stream); });
    extra = std::max(extra, gPeak.load() - before);
  }
  const auto bytes = static_cast<double>(std::filesystem::file_size(file));
  state.counters["lines"] = edit.LineCount();
  state.counters["MB"] = bytes / 1e6;
  state.counters["extra_heap_KB"] = static_cast<double>(extra) / 1024;
  state.counters["extra_heap_to_text"] = static_cast<double>(extra) / bytes;
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SaveCorpus)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
