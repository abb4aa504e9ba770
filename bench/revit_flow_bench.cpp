// What the Revit conversion of one TEXT costs on its own: ConvertTextForRevit on texts held in plain
// fields, with no drawing behind them (revit_flow.h). zil_bench_revit measures the same floor in its own run.
#include <benchmark/benchmark.h>

#include "revit_flow.h"

namespace {

void BM_ConvertTextForRevit(benchmark::State& state) {
  constexpr std::size_t kTexts = 100'000;
  for (auto _ : state) {
    const double seconds = zil::bench::RevitFlowSeconds(kTexts, 1);
    state.SetIterationTime(seconds);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kTexts));
  state.SetLabel("100,000 texts");
}
BENCHMARK(BM_ConvertTextForRevit)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
