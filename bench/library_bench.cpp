// The text library on real files. Targets: FillTree of a library of 100,000 nodes in under 0.5 s; Search
// over 100,000 topics of 1 KB each is measured and reported (no target).
//
// The library is built once per run in a temporary folder (bench_library.h).
#include <benchmark/benchmark.h>

#include <string>

#include "bench_library.h"
#include "library/memory_tree.h"
#include "library/tdb.h"

namespace {

using namespace zil::library;
using zil::bench::BenchLibrary;
using zil::bench::kLibraryCategories;
using zil::bench::kLibraryTopicsPerCategory;

BenchLibrary& Library() {
  static BenchLibrary library;
  return library;
}

void BM_FillTree(benchmark::State& state) {
  Tdb db = Tdb::Create(Library().folder());
  MemoryTree tree;
  for (auto _ : state) benchmark::DoNotOptimize(db.FillTree(tree, kLibTree));
  state.counters["nodes"] = static_cast<double>(tree.Count());
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(tree.Count()));
}
BENCHMARK(BM_FillTree)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Search(benchmark::State& state, std::u16string pattern) {
  Tdb db = Tdb::Create(Library().folder());
  std::size_t found = 0;
  for (auto _ : state) found = db.Search(pattern).size();
  state.counters["found"] = static_cast<double>(found);
  state.counters["topics"] = kLibraryCategories * kLibraryTopicsPerCategory;
}
BENCHMARK_CAPTURE(BM_Search, rare_latin, std::u16string(u"topic 77777 "))->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Search, absent_hebrew, std::u16string(u"שלום"))->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Search, common_hebrew, std::u16string(u"בטון"))->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Search, wildcard, std::u16string(u"w_ll%B30"))->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
