// The word lists: the hunspell reader's prefixes and patterns on a small dictionary of our own, the real
// Debian lists, and what happens when a list is missing or cannot be used.
#include "config/word_lists.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "config/hunspell_words.h"
#include "support/temp_folder.h"
#include "textcore/codepage.h"
#include "textcore/utf8.h"

namespace zil::config {
namespace {

using zil::test::TempFolder;

std::string Bytes(const char* utf8) { return textcore::ToAnsi(textcore::FromUtf8(utf8)); }

bool Knows(const HunspellWords& words, const char* utf8) {
  const std::string word = Bytes(utf8);
  return words.Known({word})[0];
}

// A dictionary in the shape of Debian's Hebrew one: full forms, prefix classes only, the vav rule, and a
// stem that never stands alone.
class SmallDictionary : public ::testing::Test {
 protected:
  SmallDictionary() {
    folder.Write("he.aff",
                 "SET UTF-8\n"
                 "NEEDAFFIX j\n"
                 "# the particles\n"
                 "PFX a N 5\n"
                 "PFX a 0 ב [^ו]\n"
                 "PFX a 0 בו ו[^ו]\n"
                 "PFX a 0 ו .\n"
                 "PFX a 0 וה [^ו]\n"
                 "PFX a 0 ה [^ו]\n"
                 "PFX b N 1\n"
                 "PFX b 0 ש .\n"
                 "PFX c N 1\n"
                 "PFX c א ל .\n");
    folder.Write("he.dic",
                 "6\n"
                 "בית/a\n"
                 "ורד/a\n"
                 "שלום/b\n"
                 "אבותיו/bj\n"
                 "אמר/c\n"
                 "מ\"ר\n");
  }
  TempFolder folder;
};

TEST_F(SmallDictionary, KnowsStemsAndThePrefixesTheirClassesTake) {
  const HunspellWords words(folder / "he.dic", folder / "he.aff");
  EXPECT_EQ(words.StemCount(), 6u);
  const struct {
    const char* word;
    bool known;
  } cases[] = {
      {"בית", true},     {"בבית", true},    {"והבית", true}, {"ובית", true},
      {"שבית", false},  // ש is not of the class of בית
      {"בוורד", true},  // before a single vav, ב is written בו and the vav doubles
      {"בורד", false},   {"ורד", true},     {"שלום", true},  {"ששלום", true},
      {"בשלום", false},  {"אבותיו", false},  // never alone
      {"שאבותיו", true}, {"למר", true},      // ל replaces the stem's א
      {"אמר", true},     {"מ\"ר", true},    {"תיב", false},  {"ב", false},
  };
  for (const auto& c : cases) EXPECT_EQ(Knows(words, c.word), c.known) << c.word;
  // Many words at once, in their order.
  const std::vector<std::string> several = {Bytes("תיב"), Bytes("הבית"), "", Bytes("בית")};
  EXPECT_EQ(words.Known({several.begin(), several.end()}), (std::vector<bool>{false, true, false, true}));
}

TEST_F(SmallDictionary, RefusesWhatItCannotReadWithTheFileAndLine) {
  folder.Write("long.aff", "SET UTF-8\nFLAG long\n");
  try {
    HunspellWords(folder / "he.dic", folder / "long.aff");
    FAIL() << "long flags accepted";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("long.aff, line 2: FLAG"), std::string::npos) << e.what();
  }
  folder.Write("koi.aff", "SET KOI8-R\n");
  EXPECT_THROW(HunspellWords(folder / "he.dic", folder / "koi.aff"), std::runtime_error);
  EXPECT_THROW(HunspellWords(folder / "none.dic", folder / "he.aff"), std::runtime_error);
}

TEST(WordLists, TheDebianListsKnowRealWordsWithTheirPrefixes) {
  const WordLists lists = LoadWordLists({"/usr/share/hunspell", "/usr/share/dict"});
  ASSERT_TRUE(lists.hebrew && lists.english) << (lists.problems.empty() ? "" : lists.problems[0]);
  for (const char* word : {"שלום", "ושלום", "בבית", "והמדרגות", "לחניה", "שבמרתף", "קומה", "חזית"})
    EXPECT_TRUE(Knows(*lists.hebrew, word)) << word;
  for (const char* word : {"םולש", "המוק", "תיזח", "תינכת"}) EXPECT_FALSE(Knows(*lists.hebrew, word)) << word;
  EXPECT_TRUE(lists.english->Contains("Kitchen"));
  EXPECT_TRUE(lists.english->Contains("ROOM"));
  EXPECT_FALSE(lists.english->Contains("ouka"));
}

TEST(WordLists, AMissingListIsAProblemNamingItsPackageAndTheOtherStillLoads) {
  const TempFolder english;
  english.Write("american-english", "room\nKitchen\ncan't\ncafé\n");
  const TempFolder empty;
  const WordLists lists = LoadWordLists({empty.path(), english.path()});
  EXPECT_FALSE(lists.hebrew);
  ASSERT_TRUE(lists.english);
  EXPECT_EQ(lists.english->Size(), 3u);  // "café" is not of the letters a..z
  ASSERT_EQ(lists.problems.size(), 1u);
  EXPECT_NE(lists.problems[0].find("he_IL.dic"), std::string::npos);
  EXPECT_NE(lists.problems[0].find("install the package hunspell-he"), std::string::npos) << lists.problems[0];
  EXPECT_NE(lists.problems[0].find(empty.path().string()), std::string::npos);

  // A broken dictionary is a problem too, not a failure.
  english.Write("he_IL.dic", "1\nשלום\n");
  english.Write("he_IL.aff", "SET UTF-8\nFLAG num\n");
  const WordLists broken = LoadWordLists({english.path()});
  EXPECT_FALSE(broken.hebrew);
  ASSERT_EQ(broken.problems.size(), 1u);
  EXPECT_NE(broken.problems[0].find("cannot be used"), std::string::npos) << broken.problems[0];
}

TEST(WordLists, TheDataFolderComesFirstAndTheVariableAlone) {
  ::unsetenv("ZIL_WORD_LISTS");
  const auto folders = WordListFolders("/data/");
  ASSERT_EQ(folders.size(), 4u);
  EXPECT_EQ(folders[0], "/data/");
  EXPECT_EQ(folders[1], "/usr/share/hunspell");
  ::setenv("ZIL_WORD_LISTS", "/lists", 1);
  EXPECT_EQ(WordListFolders("/data/"), std::vector<std::filesystem::path>{"/lists"});
  ::unsetenv("ZIL_WORD_LISTS");
}

}  // namespace
}  // namespace zil::config
