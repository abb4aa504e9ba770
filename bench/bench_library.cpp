#include "bench_library.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <random>
#include <string>

#include "library/tdb.h"

namespace zil::bench {
namespace {

namespace fs = std::filesystem;
using namespace zil::library;

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

}  // namespace

BenchLibrary::BenchLibrary()
    : folder_(fs::temp_directory_path() / ("zil-bench-" + std::to_string(std::random_device{}()))) {
  Tdb::Create(folder_);
  const auto path = (folder_ / kLibraryFileName).u8string();
  SQLite::Database db(std::string(path.begin(), path.end()), SQLite::OPEN_READWRITE);
  SQLite::Transaction transaction(db);
  SQLite::Statement insert(db, "INSERT INTO LibTree (nid, id_parent, icon, name, txt) VALUES (?, ?, ?, ?, ?)");
  std::mt19937 random(7);
  int nid = 1;
  for (int c = 0; c < kLibraryCategories; ++c) {
    const int category = nid++;
    insert.bind(1, category);
    insert.bind(2, 0);
    insert.bind(3, kCategoryImage);
    insert.bind(4, "קטגוריה " + std::to_string(c));
    insert.bind(5);
    insert.exec();
    insert.reset();
    for (int t = 0; t < kLibraryTopicsPerCategory; ++t, ++nid) {
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

BenchLibrary::~BenchLibrary() {
  std::error_code ec;
  fs::remove_all(folder_, ec);
}

}  // namespace zil::bench
