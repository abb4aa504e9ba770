#include "config/key_texts.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace zil::config {
namespace {

TEST(KeyTexts, SlotsFilledByTheFileRules) {
  test::TempFolder dir;
  dir.Write("editdef.txt",
            "[FKeys]\nF0=zero\nF13=thirteen\nFa=letter\nf3=three\nF5=five\nF12=twelve\n"
            "[Alt]\n7x=seven\nx1=none\n2=two\n2=second two\n"
            "[Ctrl]\n0=\xF9\xEC\xE5\xED\n");
  KeyTexts keys;
  keys.Load(dir.path());
  EXPECT_FALSE(keys.NoKeyDefs);
  const struct {
    unsigned shift, key;
    std::u16string expected;
  } cases[] = {
      {0, kVkF1 + 2, u"three"},
      {kCtrl, kVkF1 + 4, u"five"},
      {kShift | kAlt, kVkF12, u"twelve"},
      {0, kVkF1, u""},
      {kAlt, kVk0 + 7, u"seven"},
      {kAlt, kVk0 + 1, u""},
      {kAlt, kVk0 + 2, u"two"},  // two lines of one name: the first value serves both
      {kCtrl, kVk0, u"\u05E9\u05DC\u05D5\u05DD"},
      {kAlt | kCtrl, kVk0 + 5, u""},
      {0, kVk0 + 7, u""},
      {kShift | kAlt, kVk0 + 7, u""},
  };
  for (const auto& c : cases) EXPECT_EQ(keys.GetKeyText(c.shift, c.key), c.expected) << c.shift << " " << c.key;
  for (std::size_t i = 0; i < keys.fkeys.size(); ++i) {
    if (i != 3 && i != 5 && i != 12) {
      EXPECT_EQ(keys.fkeys[i], u"") << "F" << i;
    }
  }
}

TEST(KeyTexts, WithoutTheFileEveryTextIsEmpty) {
  test::TempFolder dir;
  KeyTexts keys;
  keys.Load(dir.path());
  EXPECT_TRUE(keys.NoKeyDefs);
  EXPECT_EQ(keys.GetKeyText(0, kVkF1), u"");
  EXPECT_EQ(keys.GetKeyText(kAlt, kVk0), u"");
}

}  // namespace
}  // namespace zil::config
