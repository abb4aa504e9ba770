// The text library on real files. Targets: FillTree of a library of 100,000 nodes in under 0.5 s; Search
// over 100,000 topics of 1 KB each is measured and reported (no target).
//
// The libraries are built once per run in a temporary folder: 1,000 categories of 99 topics each under
// the root, with a 1 KB text of Hebrew and Latin words for every topic.
#include <SQLiteCpp/SQLiteCpp.h>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "library/memory_tree.h"
#include "library/tdb.h"

namespace {

namespace fs = std::filesystem;
using namespace zil::library;

constexpr int kCategories = 1000;
constexpr int kTopicsPerCategory = 99;

std::string TopicText(std::mt19937& random, int nid) {
  static const char* const words[] = {"קיר", "בטון", "wall", "B30", "טיח", "20", "ס\"מ", "concrete", "פלדה", "גבס"};
  std::string text = "topic " + std::to_string(nid);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(words) - 1);
  while (text.size() < 1024) {
    text += ' ';
    text += words[pick(random)];
    if (text.size() % 80 < 8) text += "\r\n";
  }
  text.resize(1024);
  if (static_cast<unsigned char>(text.back()) >= 0xC0) text.back() = ' ';  // not half a Hebrew letter
  return text;
}

// A library of 1 + kCategories * (1 + kTopicsPerCategory) = 100,001 nodes, made once.
class BenchLibrary {
 public:
  BenchLibrary() : folder_(fs::temp_directory_path() / ("zil-bench-" + std::to_string(std::random_device{}()))) {
    Tdb::Create(folder_);
    const auto path = (folder_ / kLibraryFileName).u8string();
    SQLite::Database db(std::string(path.begin(), path.end()), SQLite::OPEN_READWRITE);
    SQLite::Transaction transaction(db);
    SQLite::Statement insert(db, "INSERT INTO LibTree (nid, id_parent, icon, name, txt) VALUES (?, ?, ?, ?, ?)");
    std::mt19937 random(7);
    int nid = 1;
    for (int c = 0; c < kCategories; ++c) {
      const int category = nid++;
      insert.bind(1, category);
      insert.bind(2, 0);
      insert.bind(3, kCategoryImage);
      insert.bind(4, "קטגוריה " + std::to_string(c));
      insert.bind(5);
      insert.exec();
      insert.reset();
      for (int t = 0; t < kTopicsPerCategory; ++t, ++nid) {
        insert.bind(1, nid);
        insert.bind(2, category);
        insert.bind(3, kTopicImage);
        insert.bind(4, "נושא " + std::to_string(nid));
        insert.bind(5, TopicText(random, nid));
        insert.exec();
        insert.reset();
      }
    }
    transaction.commit();
    nodes_ = nid;
  }
  ~BenchLibrary() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  const fs::path& folder() const { return folder_; }
  int nodes() const { return nodes_; }

 private:
  fs::path folder_;
  int nodes_ = 0;
};

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
  state.counters["topics"] = kCategories * kTopicsPerCategory;
}
BENCHMARK_CAPTURE(BM_Search, rare_latin, std::u16string(u"topic 77777 "))->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Search, absent_hebrew, std::u16string(u"שלום"))->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Search, common_hebrew, std::u16string(u"בטון"))->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Search, wildcard, std::u16string(u"w_ll%B30"))->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
