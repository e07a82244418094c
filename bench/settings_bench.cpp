// Load, lookups and save of a settings table of many rows, and the escaping of a long text: each
// should grow linearly with its input.
#include <benchmark/benchmark.h>

#include <string>

#include "common/setting_text.h"
#include "common/settings_table.h"
#include "ascii_upper.h"

namespace {

using namespace quorvel;

using quorvel::test::AsciiUpper;

// A file of `rows` entries as the known-software list writes them, names and versions alternating.
std::string SettingsFile(int64_t rows) {
  std::string file;
  for (int64_t i = 0; i < rows; ++i) {
    file += "Plugins\\" + std::to_string(i / 2) +
            (i % 2 ? "\\Version=String:1.2." : "\\Name=String:Plug-in %%") + std::to_string(i) + "\r\n";
  }
  return file;
}

void BM_Load(benchmark::State& state) {
  const std::string file = SettingsFile(state.range(0));
  for (auto _ : state) {
    SettingsTable table(LeadBytes::ShiftJis(), AsciiUpper);
    table.Load(file);
    benchmark::DoNotOptimize(table.RowCount());
  }
  state.SetComplexityN(state.range(0));
}

// As many lookups as rows, each of a different entry, in a different letter case.
void BM_Lookups(benchmark::State& state) {
  SettingsTable table(LeadBytes::ShiftJis(), AsciiUpper);
  table.Load(SettingsFile(state.range(0)));
  const Variant fallback = Variant::String("");
  for (auto _ : state) {
    for (int64_t i = 0; i < state.range(0); ++i)
      benchmark::DoNotOptimize(
          table.Read("plugins\\" + std::to_string(i / 2), i % 2 ? "version" : "name", fallback));
  }
  state.SetComplexityN(state.range(0));
}

void BM_Save(benchmark::State& state) {
  SettingsTable table(LeadBytes::ShiftJis(), AsciiUpper);
  table.Load(SettingsFile(state.range(0)));
  for (auto _ : state)
    benchmark::DoNotOptimize(table.Save());
  state.SetComplexityN(state.range(0));
}

void BM_EscapeAndUnescape(benchmark::State& state) {
  std::string text;
  while (static_cast<int64_t>(text.size()) < state.range(0))
    text += "50% off\r\n日本語\t";
  for (auto _ : state)
    benchmark::DoNotOptimize(
        UnescapeSettingText(EscapeSettingText(text, LeadBytes::ShiftJis()), LeadBytes::ShiftJis()));
  state.SetBytesProcessed(state.iterations() * state.range(0));
  state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_Load)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN);
BENCHMARK(BM_Lookups)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN);
BENCHMARK(BM_Save)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN);
BENCHMARK(BM_EscapeAndUnescape)->RangeMultiplier(10)->Range(10000, 1000000)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
