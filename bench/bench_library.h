// The library the library benchmarks open: 1,000 categories of 99 topics each under the root, with a
// 1 KB text of Hebrew and Latin words for every topic, 100,001 nodes in all. Made once in a temporary
// folder, which goes with the object.
#pragma once

#include <filesystem>

namespace zil::bench {

inline constexpr int kLibraryCategories = 1000;
inline constexpr int kLibraryTopicsPerCategory = 99;

class BenchLibrary {
 public:
  BenchLibrary();
  ~BenchLibrary();
  BenchLibrary(const BenchLibrary&) = delete;
  BenchLibrary& operator=(const BenchLibrary&) = delete;

  // The folder holding zil.db.
  const std::filesystem::path& folder() const { return folder_; }
  int nodes() const { return nodes_; }

 private:
  std::filesystem::path folder_;
  int nodes_ = 0;
};

}  // namespace zil::bench
