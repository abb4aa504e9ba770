// Drawing strings encode and decode exactly as recorded: every escape rule on a table of awkward strings, and
// every UTF-16 unit and every byte of each code page against a per-unit reference built here.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "drawing/code_page.h"
#include "drawing/dxf_string.h"
#include "textcore/codepage.h"
#include "textcore/utf8.h"

namespace zil::drawing {
namespace {

using namespace std::string_view_literals;

const std::set<std::string_view> kDoubleByte = {"ANSI_932", "DOS932", "ANSI_936", "ANSI_949", "ANSI_950"};

std::shared_ptr<const CodePage> Page(std::string_view name) {
  return name == "UTF-8" ? CodePage::Utf8() : CodePage::ForName(name, "test.dxf");
}

const std::string& UnicodeEscape(char16_t unit) {
  static const std::vector<std::string> escapes = [] {
    std::vector<std::string> all;
    for (unsigned u = 0; u <= 0xFFFF; ++u) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\U+%04X", u);
      all.emplace_back(escape);
    }
    return all;
  }();
  return escapes[unit];
}

// Every UTF-16 unit, each followed by an 'x' so that no two units form a surrogate pair or an escape.
std::u16string EveryUnit() {
  std::u16string text;
  for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
    text += static_cast<char16_t>(unit);
    text += u'x';
  }
  return text;
}

// Where two long sequences first differ, with a little of both from there: a failure names the place
// instead of printing both in full.
template <typename Sequence>
::testing::AssertionResult SameFromStart(const Sequence& actual, const Sequence& expected) {
  const auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
  if (a == actual.end() && e == expected.end()) return ::testing::AssertionSuccess();
  const auto at = static_cast<std::size_t>(a - actual.begin());
  const auto show = [at](const Sequence& s) {
    ::testing::Message m;
    for (std::size_t i = at; i < std::min(s.size(), at + 16); ++i) m << static_cast<unsigned>(s[i]) << ' ';
    return m.GetString();
  };
  return ::testing::AssertionFailure() << "differ from position " << at << ": " << show(actual) << "instead of "
                                       << show(expected);
}

// Encodes EveryUnit() with and without character boundaries and compares both with the pieces `reference`
// gives for each unit alone; with `eachAlone`, also encodes each unit as a string of its own, as most
// strings are short.
template <typename Reference>
void ExpectEveryUnit(const DxfStrings& strings, Reference reference, bool eachAlone = true) {
  std::string expected;
  std::vector<std::size_t> expectedBoundaries;
  for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
    expectedBoundaries.push_back(expected.size());
    expected += reference(static_cast<char16_t>(unit));
    expectedBoundaries.push_back(expected.size());
    expected += 'x';
  }
  const std::u16string text = EveryUnit();
  const std::string_view name = strings.Page().Name();
  std::vector<std::size_t> boundaries;
  const std::string bytes = strings.Encode(text, &boundaries);
  ASSERT_TRUE(SameFromStart(strings.Encode(text), expected)) << name;
  ASSERT_TRUE(SameFromStart(bytes, expected)) << name << " (with boundaries)";
  ASSERT_TRUE(SameFromStart(boundaries, expectedBoundaries)) << name;
  const std::u16string_view units = text;
  const std::string_view pieces = expected;
  for (std::size_t at = 0; eachAlone && at < units.size(); at += 2) {
    const std::string_view piece =
        pieces.substr(expectedBoundaries[at], expectedBoundaries[at + 1] - expectedBoundaries[at]);
    ASSERT_EQ(strings.Encode(units.substr(at, 1)), piece) << name << " unit " << at / 2;
  }
}

// The caret forms every code page shares; empty for any other unit.
std::string CaretForm(char16_t unit) {
  if (unit == u'^') return "^ ";
  if (unit < 0x20) return {'^', static_cast<char>(unit + u'@')};
  return {};
}

TEST(DxfStringsExact, AwkwardStringsEncodeAsRecorded) {
  struct Encoded {
    std::string_view bytes;
    std::vector<std::size_t> boundaries;
  };
  struct Case {
    // The same bytes on every page, or each page's own.
    Case(std::u16string_view t, Encoded everyPage) : text(t), byPage{everyPage, everyPage, everyPage} {}
    Case(std::u16string_view t, Encoded ansi1255, Encoded utf8, Encoded ansi932)
        : text(t), byPage{std::move(ansi1255), std::move(utf8), std::move(ansi932)} {}
    std::u16string_view text;
    std::array<Encoded, 3> byPage;  // ANSI_1255, UTF-8, ANSI_932
  };
  const Case cases[] = {
      {u""sv, {""sv, {}}},
      {u"room 000001 Standard"sv,
       {"room 000001 Standard"sv, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}}},
      {u"\u05D7\u05D3\u05E8 0 \u05E7\u05D5\u05DE\u05D4 0 room 000000"sv,
       {"\xE7\xE3\xF8 0 \xF7\xE5\xEE\xE4 0 room 000000"sv,
        {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23}},
       {"\xD7\x97\xD7\x93\xD7\xA8 0 \xD7\xA7\xD7\x95\xD7\x9E\xD7\x94 0 room 000000"sv,
        {0, 2, 4, 6, 7, 8, 9, 11, 13, 15, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30}},
       {"\\U+05D7\\U+05D3\\U+05E8 0 \\U+05E7\\U+05D5\\U+05DE\\U+05D4 0 room 000000"sv,
        {0, 7, 14, 21, 22, 23, 24, 31, 38, 45, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65}}},
      {u"^"sv, {"^ "sv, {0}}},
      {u"^^ "sv, {"^ ^  "sv, {0, 2, 4}}},
      {u"a^b"sv, {"a^ b"sv, {0, 1, 3}}},
      {u"\x0x"sv, {"^@x"sv, {0, 2}}},
      {u"\x9\xA\xD\x1F\x1B\x7F"sv,
       {"^I^J^M^_^[\x7F"sv, {0, 2, 4, 6, 8, 10}},
       {"^I^J^M^_^[\x7F"sv, {0, 2, 4, 6, 8, 10}},
       {"^I^J^M^_^[\x1C"sv, {0, 2, 4, 6, 8, 10}}},
      {u"\\"sv, {"\\"sv, {0}}},
      {u"a\\"sv, {"a\\"sv, {0, 1}}},
      {u"\\\\"sv, {"\\\\"sv, {0, 1}}},
      {u"\\P\\~"sv, {"\\P\\~"sv, {0, 1, 2, 3}}},
      {u"\\U+"sv, {"\\U+"sv, {0, 1, 2}}},
      {u"\\U+05D"sv, {"\\U+05D"sv, {0, 1, 2, 3, 4, 5}}},
      {u"\\U+05D0"sv, {"\\U+005CU+05D0"sv, {0, 7, 8, 9, 10, 11, 12}}},
      {u"\\u+05d0"sv, {"\\u+05d0"sv, {0, 1, 2, 3, 4, 5, 6}}},
      {u"\\U+05dG"sv, {"\\U+05dG"sv, {0, 1, 2, 3, 4, 5, 6}}},
      {u"\\U+05D0\\U+05D1"sv, {"\\U+005CU+05D0\\U+005CU+05D1"sv, {0, 7, 8, 9, 10, 11, 12, 13, 20, 21, 22, 23, 24, 25}}},
      {u"\\M+"sv, {"\\M+"sv, {0, 1, 2}}},
      {u"\\M+1"sv, {"\\M+1"sv, {0, 1, 2, 3}}},
      {u"\\M+18ABC"sv, {"\\U+005CM+18ABC"sv, {0, 7, 8, 9, 10, 11, 12, 13}}},
      {u"\\M+58ABC"sv, {"\\U+005CM+58ABC"sv, {0, 7, 8, 9, 10, 11, 12, 13}}},
      {u"\\M+48ABC"sv, {"\\U+005CM+48ABC"sv, {0, 7, 8, 9, 10, 11, 12, 13}}},
      {u"\\M+68ABC"sv, {"\\M+68ABC"sv, {0, 1, 2, 3, 4, 5, 6, 7}}},
      {u"\\M+08ABC"sv, {"\\M+08ABC"sv, {0, 1, 2, 3, 4, 5, 6, 7}}},
      {u"\\M+1893"sv, {"\\M+1893"sv, {0, 1, 2, 3, 4, 5, 6}}},
      {u"%%c%%d%%p%%%1"sv, {"%%c%%d%%p%%%1"sv, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}},
      {u"\xD83D\xDE00"sv, {"\\U+D83D\\U+DE00"sv, {0, 7}}, {"\xF0\x9F\x98\x80"sv, {0}}, {"\\U+D83D\\U+DE00"sv, {0, 7}}},
      {u"a\xD83D"sv, {"a\\U+D83D"sv, {0, 1}}},
      {u"\xD83D"
       u"a"sv,
       {"\\U+D83Da"sv, {0, 7}}},
      {u"\xDE00"
       u"a"sv,
       {"\\U+DE00a"sv, {0, 7}}},
      {u"\xDE00\xD83D"sv, {"\\U+DE00\\U+D83D"sv, {0, 7}}},
      {u"\xD83D\xD83D\xDE00"sv,
       {"\\U+D83D\\U+D83D\\U+DE00"sv, {0, 7, 14}},
       {"\\U+D83D\xF0\x9F\x98\x80"sv, {0, 7}},
       {"\\U+D83D\\U+D83D\\U+DE00"sv, {0, 7, 14}}},
      {u"\xD83D^"sv, {"\\U+D83D^ "sv, {0, 7}}},
      {u"\xD83D\\U+0041"sv, {"\\U+D83D\\U+005CU+0041"sv, {0, 7, 14, 15, 16, 17, 18, 19}}},
      {u"\u03A9\u65E5\uFFFF\uFFFD\x81\u00D7\u05C7\u200F\u00A5"sv,
       {"\\U+03A9\\U+65E5\\U+FFFF\\U+FFFD\x81\xAA\\U+05C7\xFE\xA5"sv, {0, 7, 14, 21, 28, 29, 30, 37, 38}},
       {"\xCE\xA9\xE6\x97\xA5\xEF\xBF\xBF\xEF\xBF\xBD\xC2\x81\xC3\x97\xD7\x87\xE2\x80\x8F\xC2\xA5"sv,
        {0, 2, 5, 8, 11, 13, 15, 17, 20}},
       {"\x83\xB6\x93\xFA\\U+FFFF\\U+FFFD\\U+0081\x81~\\U+05C7\\U+200F\\U+00A5"sv, {0, 2, 4, 11, 18, 25, 27, 34, 41}}},
      {u"\u05D0^\u05D1\x9\u05D2\\U+0041\u05D3\\M+1ABCD\u05D4%%c"sv,
       {"\xE0^ \xE1^I\xE2\\U+005CU+0041\xE3\\U+005CM+1ABCD\xE4%%c"sv,
        {0, 1, 3, 4, 6, 7, 14, 15, 16, 17, 18, 19, 20, 21, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38}},
       {"\xD7\x90^ \xD7\x91^I\xD7\x92\\U+005CU+0041\xD7\x93\\U+005CM+1ABCD\xD7\x94%%c"sv,
        {0, 2, 4, 6, 8, 10, 17, 18, 19, 20, 21, 22, 23, 25, 32, 33, 34, 35, 36, 37, 38, 39, 41, 42, 43}},
       {"\\U+05D0^ \\U+05D1^I\\U+05D2\\U+005CU+0041\\U+05D3\\U+005CM+1ABCD\\U+05D4%%c"sv,
        {0, 7, 9, 16, 18, 25, 32, 33, 34, 35, 36, 37, 38, 45, 52, 53, 54, 55, 56, 57, 58, 59, 66, 67, 68}}},
      {u"\u05E9\\"sv, {"\xF9\\"sv, {0, 1}}, {"\xD7\xA9\\"sv, {0, 2}}, {"\\U+05E9\\"sv, {0, 7}}},
  };
  const std::array<DxfStrings, 3> pages = {DxfStrings(Page("ANSI_1255")), DxfStrings(Page("UTF-8")),
                                           DxfStrings(Page("ANSI_932"))};
  for (const Case& c : cases) {
    for (std::size_t p = 0; p < pages.size(); ++p) {
      const std::string_view name = pages[p].Page().Name();
      std::vector<std::size_t> boundaries;
      EXPECT_EQ(pages[p].Encode(c.text, &boundaries), c.byPage[p].bytes) << name << " case " << &c - cases;
      EXPECT_EQ(boundaries, c.byPage[p].boundaries) << name << " case " << &c - cases;
      EXPECT_EQ(pages[p].Encode(c.text), c.byPage[p].bytes) << name << " case " << &c - cases;
    }
  }
}

TEST(DxfStringsExact, AwkwardBytesDecodeAsRecorded) {
  struct Case {
    std::string_view bytes;
    std::u16string_view byPage[3];  // ANSI_1255, UTF-8, ANSI_932
  };
  const Case cases[] = {
      {""sv, {u""sv, u""sv, u""sv}},
      {"plain"sv, {u"plain"sv, u"plain"sv, u"plain"sv}},
      {"\\U+05D0"sv, {u"\u05D0"sv, u"\u05D0"sv, u"\u05D0"sv}},
      {"\\U+05d0x"sv, {u"\u05D0x"sv, u"\u05D0x"sv, u"\u05D0x"sv}},
      {"\\u+05D0"sv, {u"\\u+05D0"sv, u"\\u+05D0"sv, u"\\u+05D0"sv}},
      {"\\U+05D"sv, {u"\\U+05D"sv, u"\\U+05D"sv, u"\\U+05D"sv}},
      {"\\U+05DG"sv, {u"\\U+05DG"sv, u"\\U+05DG"sv, u"\\U+05DG"sv}},
      {"\\U+D83D\\U+DE00"sv, {u"\xD83D\xDE00"sv, u"\xD83D\xDE00"sv, u"\xD83D\xDE00"sv}},
      {"\\\\U+0041"sv, {u"\\A"sv, u"\\A"sv, u"\\A"sv}},
      {"\\U+005CU+0041"sv, {u"\\U+0041"sv, u"\\U+0041"sv, u"\\U+0041"sv}},
      {"\\M+18ABC"sv, {u"\u6B3E"sv, u"\u6B3E"sv, u"\u6B3E"sv}},
      {"\\M+1893E"sv, {u"\x1A>"sv, u"\x1A>"sv, u"\x1A>"sv}},
      {"\\M+2A440"sv, {u"\u4E00"sv, u"\u4E00"sv, u"\u4E00"sv}},
      {"\\M+3B0A1"sv, {u"\uAC00"sv, u"\uAC00"sv, u"\uAC00"sv}},
      {"\\M+5B0A1"sv, {u"\u554A"sv, u"\u554A"sv, u"\u554A"sv}},
      {"\\M+4B0A1"sv, {u"\\M+4B0A1"sv, u"\\M+4B0A1"sv, u"\\M+4B0A1"sv}},
      {"\\M+1FFFF"sv, {u"\x1A\x1A"sv, u"\x1A\x1A"sv, u"\x1A\x1A"sv}},
      {"\\M+1"sv, {u"\\M+1"sv, u"\\M+1"sv, u"\\M+1"sv}},
      {"\\M+18ab"sv, {u"\\M+18ab"sv, u"\\M+18ab"sv, u"\\M+18ab"sv}},
      {"^"sv, {u"^"sv, u"^"sv, u"^"sv}},
      {"^^"sv, {u"\x1E"sv, u"\x1E"sv, u"\x1E"sv}},
      {"^ "sv, {u"^"sv, u"^"sv, u"^"sv}},
      {"^@^_^`^?"sv, {u"\x0\x1F^`^?"sv, u"\x0\x1F^`^?"sv, u"\x0\x1F^`^?"sv}},
      {"^I^J"sv, {u"\x9\xA"sv, u"\x9\xA"sv, u"\x9\xA"sv}},
      {"^ ^ "sv, {u"^^"sv, u"^^"sv, u"^^"sv}},
      {"a^"sv, {u"a^"sv, u"a^"sv, u"a^"sv}},
      {"\\"sv, {u"\\"sv, u"\\"sv, u"\\"sv}},
      {"%%c"sv, {u"%%c"sv, u"%%c"sv, u"%%c"sv}},
      {"\xF9\xEC\xE5\xED"sv, {u"\u05E9\u05DC\u05D5\u05DD"sv, u"\uFFFD\uFFFD\uFFFD\uFFFD"sv, u"\uE747\u890A"sv}},
      {"\x81\xFF\xCA"sv, {u"\x81\u00FF\u00CA"sv, u"\uFFFD\uFFFD\uFFFD"sv, u"\x1A\x1A\uFF8A"sv}},
      {"\xD7\xA9"sv, {u"\u05F3\u00A9"sv, u"\u05E9"sv, u"\uFF97\uFF69"sv}},
      {"\xC3"sv, {u"\u05B3"sv, u"\uFFFD"sv, u"\uFF83"sv}},
      {"\xF0\x9F\x98\x80"sv, {u"\u05E0\x9F\u02DC\u20AC"sv, u"\xD83D\xDE00"sv, u"\uE05E\uFFFD"sv}},
      {"\xED\xA0\xBD"sv, {u"\u05DD\u00A0\u00BD"sv, u"\uFFFD\uFFFD\uFFFD"sv, u"\u605D\uFF7D"sv}},
      {"\xE6\x97\xA5"sv, {u"\u05D6\u2014\u00A5"sv, u"\u65E5"sv, u"\u8B4C\uFF65"sv}},
      {"\x93\xFA\x82"sv, {u"\u201C\u05EA\u201A"sv, u"\uFFFD\uFFFD\uFFFD"sv, u"\u65E5\x1A"sv}},
      {"\x00"
       "a"sv,
       {u"\x0"
        u"a"sv,
        u"\x0"
        u"a"sv,
        u"\x0"
        u"a"sv}},
  };
  const std::array<DxfStrings, 3> pages = {DxfStrings(Page("ANSI_1255")), DxfStrings(Page("UTF-8")),
                                           DxfStrings(Page("ANSI_932"))};
  for (const Case& c : cases) {
    for (std::size_t p = 0; p < pages.size(); ++p)
      EXPECT_EQ(pages[p].Decode(c.bytes), c.byPage[p]) << pages[p].Page().Name() << " case " << &c - cases;
  }
}

// A single-byte code page encodes a unit as the byte that decodes to it. Where two bytes decode to the same
// unit (a byte the code page leaves undefined keeps its own value), the byte it writes is recorded here.
TEST(DxfStringsExact, SingleByteCodePagesEncodeEveryUnitAsTheByteThatDecodesToIt) {
  const std::map<std::pair<std::string_view, char16_t>, unsigned char> shared = {
      {{"DOS857", 0xD5}, 0xD5}, {{"DOS857", 0xE7}, 0xE7},    {{"DOS857", 0xF2}, 0xF2},
      {{"DOS864", 0xA6}, 0xDB}, {{"ISO8859-8", 0xD7}, 0xD7},
  };
  for (const std::string_view name : SupportedCodePageNames()) {
    if (kDoubleByte.count(name)) continue;
    const DxfStrings strings(Page(name));
    std::vector<int> byteOf(0x10000, -1);
    for (unsigned b = 0x80; b < 0x100; ++b) {
      const std::u16string unit = strings.Decode(std::string(1, static_cast<char>(b)));
      ASSERT_EQ(unit.size(), 1u) << name << " byte " << b;
      if (byteOf[unit[0]] < 0) {
        byteOf[unit[0]] = static_cast<int>(b);
        continue;
      }
      const auto it = shared.find({name, unit[0]});
      ASSERT_NE(it, shared.end()) << name << ": bytes " << byteOf[unit[0]] << " and " << b << " share a unit";
      byteOf[unit[0]] = it->second;
    }
    ExpectEveryUnit(
        strings,
        [&byteOf](char16_t unit) {
          if (const std::string caret = CaretForm(unit); !caret.empty()) return caret;
          if (unit < 0x80) return std::string(1, static_cast<char>(unit));
          if (byteOf[unit] >= 0) return std::string(1, static_cast<char>(byteOf[unit]));
          return UnicodeEscape(unit);
        },
        name == "ANSI_1255" || name == "ISO8859-8");  // a short string takes the same path on every page
  }
}

// A string a single-byte code page is known to read back as it is (without decoding what was written) does:
// every unit without a rule of its own, on every such page; not known for a caret, a backslash or a control
// character, nor on the other pages. Encoding tells the same, with the same bytes.
TEST(DxfStringsExact, StringsKnownToReadBackAsTheyAreDo) {
  // The units single-byte code pages hold (up to box drawing and symbols; Arabic presentation forms), and
  // lone surrogates.
  std::u16string plain;
  for (const auto& [first, last] :
       {std::pair{0x20u, 0x3000u}, std::pair{0xD700u, 0xE100u}, std::pair{0xF000u, 0x10000u}})
    for (unsigned unit = first; unit < last; ++unit)
      if (unit != u'^' && unit != u'\\') plain += static_cast<char16_t>(unit);
  std::vector<std::string_view> names = SupportedCodePageNames();
  names.push_back("UTF-8");
  for (const std::string_view name : names) {
    const DxfStrings strings(Page(name));
    const bool singleByte = kDoubleByte.count(name) == 0 && name != "UTF-8";
    EXPECT_EQ(strings.ReadsBackAsIs(plain), singleByte) << name;
    bool asIs = !singleByte;
    EXPECT_EQ(strings.Encode(plain, asIs), strings.Encode(plain)) << name;
    EXPECT_EQ(asIs, singleByte) << name;
    if (singleByte) {
      EXPECT_EQ(strings.Decode(strings.Encode(plain)), plain) << name;
    }
    for (const std::u16string_view ruled : {u"a^b"sv, u"a\\U+0041"sv, u"a\tb"sv}) {
      EXPECT_FALSE(strings.ReadsBackAsIs(ruled)) << name;
      asIs = true;
      EXPECT_EQ(strings.Encode(ruled, asIs), strings.Encode(ruled)) << name;
      EXPECT_FALSE(asIs) << name;
    }
  }
}

// The text core's Windows-1255, which ANSI_1255 drawings and the conversions share: every unit is the byte
// that decodes to it, or '?'.
TEST(DxfStringsExact, TheTextCoreWritesEveryUnitAsTheByteThatDecodesToIt) {
  std::vector<int> byteOf(0x10000, '?');
  for (unsigned b = 0; b < 0x100; ++b)
    byteOf[textcore::DecodeAnsiByte(static_cast<unsigned char>(b))] = static_cast<int>(b);
  for (char32_t unit = 0; unit <= 0xFFFF; ++unit)
    ASSERT_EQ(textcore::EncodeAnsiUnit(static_cast<char16_t>(unit)), byteOf[unit])
        << "unit " << static_cast<unsigned>(unit);
}

TEST(DxfStringsExact, SingleByteCodePagesDecodeEveryByteAloneAndInARun) {
  for (const std::string_view name : SupportedCodePageNames()) {
    if (kDoubleByte.count(name)) continue;
    const DxfStrings strings(Page(name));
    std::string run;
    std::u16string expected;
    for (unsigned b = 0; b < 0x100; ++b) {
      if (b == '^') continue;  // last, so that it starts no caret form
      const std::string byte(1, static_cast<char>(b));
      const std::u16string unit = strings.Decode(byte);
      ASSERT_EQ(unit.size(), 1u) << name << " byte " << b;
      if (b < 0x80) {
        EXPECT_EQ(unit[0], b) << name;
      }
      run += byte;
      expected += unit;
    }
    run += '^';
    expected += u'^';
    EXPECT_EQ(strings.Decode(run), expected) << name;
  }
}

TEST(DxfStringsExact, Utf8EncodesEveryUnit) {
  ExpectEveryUnit(DxfStrings(CodePage::Utf8()), [](char16_t unit) {
    if (const std::string caret = CaretForm(unit); !caret.empty()) return caret;
    if (unit >= 0xD800 && unit <= 0xDFFF) return UnicodeEscape(unit);
    return textcore::ToUtf8(std::u16string(1, unit));
  });
}

TEST(DxfStringsExact, DoubleByteCodePagesEncodeEveryUnitAsTheCodePageDoesAlone) {
  for (const std::string_view name : kDoubleByte) {
    const std::shared_ptr<const CodePage> page = Page(name);
    ExpectEveryUnit(DxfStrings(page), [&page](char16_t unit) {
      if (const std::string caret = CaretForm(unit); !caret.empty()) return caret;
      std::string bytes;
      const std::u16string text(1, unit);
      return page->EncodeUnit(text, 0, bytes) == 1 ? bytes : UnicodeEscape(unit);
    });
  }
}

}  // namespace
}  // namespace zil::drawing
