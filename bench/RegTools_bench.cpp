// Reading 20 settings in a row the way the editor's FormCreate does: each read opens its key,
// reads one value and closes the key again. Target: at most 2 ms for the 20.
#include <benchmark/benchmark.h>

#include <string>

#include "common/TempRegistry.h"
#include "support/RegTools.h"

namespace {

const char* const kKey = "Software\\Ombrix\\Tarnwick";
const char* const kFontKey = "Software\\Ombrix\\Tarnwick\\Font";

void ReadTwentySettings() {
  benchmark::DoNotOptimize(RegReadBool(kKey, "Toolbar", true));
  benchmark::DoNotOptimize(RegReadBool(kKey, "StatusBar", true));
  benchmark::DoNotOptimize(RegReadBool(kKey, "ThinGutter", false));
  benchmark::DoNotOptimize(RegReadBool(kKey, "ReopenInNewWindow", false));
  benchmark::DoNotOptimize(RegReadInteger(kFontKey, "CharSet", 1));
  benchmark::DoNotOptimize(RegReadInteger(kFontKey, "Color", 0));
  benchmark::DoNotOptimize(RegReadInteger(kFontKey, "Height", -13));
  benchmark::DoNotOptimize(RegReadString(kFontKey, "Name", "Courier New"));
  benchmark::DoNotOptimize(RegReadInteger(kFontKey, "Pitch", 0));
  benchmark::DoNotOptimize(RegReadInteger(kFontKey, "Size", 10));
  benchmark::DoNotOptimize(RegReadString(kFontKey, "Style", "----"));
  benchmark::DoNotOptimize(RegReadString(kKey, "ColorScheme", "PurpleStrings"));
  benchmark::DoNotOptimize(RegReadBool(kKey, "WarningsOn", true));
  benchmark::DoNotOptimize(RegReadBool(kKey, "NoAssociation", false));
  benchmark::DoNotOptimize(RegReadBool(kKey, "LineNumbers", false));
  benchmark::DoNotOptimize(RegReadBool(kKey, "ExtraLineSpacing", false));
  benchmark::DoNotOptimize(RegReadBool(kKey, "SmartTabs", true));
  benchmark::DoNotOptimize(RegReadInteger(kKey, "TabWidth", 8));
  benchmark::DoNotOptimize(RegReadString(kKey, "LastDir", ""));
  benchmark::DoNotOptimize(RegReadBool(kKey, "RunBrowserView", true));
}

// Every setting stored, as after the editor has run once.
void BM_FormCreateSettingsStored(benchmark::State& state) {
  corvane::test::TempRegistry store;
  for (const char* name : {"Toolbar", "StatusBar", "ThinGutter", "ReopenInNewWindow", "WarningsOn", "NoAssociation",
                           "LineNumbers", "ExtraLineSpacing", "SmartTabs", "RunBrowserView"})
    RegWriteBool(kKey, name, true);
  RegWriteString(kKey, "ColorScheme", "Standard");
  RegWriteInteger(kKey, "TabWidth", 4);
  RegWriteString(kKey, "LastDir", "/home/user/cgi-bin");
  for (const char* name : {"CharSet", "Color", "Height", "Pitch", "Size"}) RegWriteInteger(kFontKey, name, 1);
  RegWriteString(kFontKey, "Name", "Courier New");
  RegWriteString(kFontKey, "Style", "B---");
  ReadTwentySettings();  // the process opens its store once, as at start-up
  for (auto _ : state) ReadTwentySettings();
}
BENCHMARK(BM_FormCreateSettingsStored)->Unit(benchmark::kMicrosecond);

// A first start: no key exists, every read gives its default.
void BM_FormCreateSettingsFirstStart(benchmark::State& state) {
  corvane::test::TempRegistry store;
  ReadTwentySettings();
  for (auto _ : state) ReadTwentySettings();
}
BENCHMARK(BM_FormCreateSettingsFirstStart)->Unit(benchmark::kMicrosecond);

// The first read of a process, which opens the store: paid once per start.
void BM_OpenStoreAndReadOne(benchmark::State& state) {
  corvane::test::TempRegistry store;
  RegWriteBool(kKey, "Toolbar", true);
  for (auto _ : state) {
    RegistryStore::Instance().SetPath(store.File());
    benchmark::DoNotOptimize(RegReadBool(kKey, "Toolbar", true));
  }
}
BENCHMARK(BM_OpenStoreAndReadOne)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
