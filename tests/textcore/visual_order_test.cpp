#include "textcore/visual_order.h"

#include <gtest/gtest.h>
#include <unicode/ubidi.h>

#include <random>

#include "text_helpers.h"
#include "textcore/codepage.h"

namespace zil::textcore {
namespace {

using test::Hex;
using test::W;

TEST(VisualOrder, ReordersUnderTheReadingOrderOfTheContext) {
  const Canvas canvas;  // a window's canvas reads left to right
  struct Case {
    ReadingOrder reading;
    std::string logical;
    std::string visual;
  } cases[] = {
      {ReadingOrder::LeftToRight, "abc 12", "abc 12"},
      {ReadingOrder::LeftToRight, W("אבג"), W("גבא")},
      {ReadingOrder::LeftToRight, W("אב 12"), "12 " + W("בא")},
      {ReadingOrder::LeftToRight, "ab " + W("אב") + " cd", "ab " + W("בא") + " cd"},
      {ReadingOrder::RightToLeft, W("אבג"), W("גבא")},
      {ReadingOrder::RightToLeft, "12 abc", "abc 12"},
      {ReadingOrder::RightToLeft, "ab " + W("אב") + " cd", "cd " + W("בא") + " ab"},
      // Reorder only: brackets move but are not mirrored.
      {ReadingOrder::RightToLeft, W("א") + "(" + W("ב") + ")", ")" + W("ב") + "(" + W("א")},
  };
  for (const Case& c : cases) {
    const DeviceContext dc{c.reading};
    EXPECT_EQ(VisualOrderDC(dc, c.logical), c.visual) << Hex(c.logical);
    if (c.reading == ReadingOrder::LeftToRight) {
      EXPECT_EQ(VisualOrder(canvas, c.logical), c.visual);
    }
  }
}

TEST(VisualOrder, ScreenContextAlwaysReadsRightToLeft) {
  // The same call gives the same result whatever ran before it.
  const std::string s = "12 abc";
  EXPECT_EQ(VisualOrderDC(ScreenDC, s), "abc 12");
  EXPECT_EQ(VisualOrder(Canvas{}, s), s);
  EXPECT_EQ(VisualOrderDC(ScreenDC, s), "abc 12");
}

TEST(VisualOrder, KeepsEveryByteAndTheLength) {
  EXPECT_EQ(VisualOrderDC(ScreenDC, ""), "");
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  std::string visual = VisualOrderDC(ScreenDC, all);
  ASSERT_EQ(visual.size(), all.size());
  std::sort(visual.begin(), visual.end());
  std::string sorted = all;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(visual, sorted);
  const std::string longText(5000, 'x');
  EXPECT_EQ(VisualOrderDC(ScreenDC, longText + W("א")), W("א") + longText);
}

// The engine is given runs of equal classes as single characters; the result must be what the engine
// gives for the whole string, character by character.
std::string ReferenceOrder(ReadingOrder reading, std::string_view s) {
  const std::u16string text = FromAnsi(s);
  const auto n = static_cast<int32_t>(text.size());
  UErrorCode status = U_ZERO_ERROR;
  UBiDi* bidi = ubidi_open();
  ubidi_setPara(bidi, text.data(), n, reading == ReadingOrder::RightToLeft ? UBIDI_RTL : UBIDI_LTR, nullptr, &status);
  std::vector<int32_t> map(text.size());
  ubidi_getVisualMap(bidi, map.data(), &status);
  ubidi_close(bidi);
  EXPECT_TRUE(U_SUCCESS(status));
  std::string out;
  for (int32_t logical : map) out += s[static_cast<std::size_t>(logical)];
  return out;
}

TEST(VisualOrder, AgreesWithTheEngineOnEveryCharacter) {
  std::mt19937 random(1255);
  // Letters of both directions, digits, separators, terminators, spaces, brackets, marks, controls.
  const std::string common = "ab12 .,:-+%$#()[]<>/\t\x81\xE0\xE1\xF9\xC4\xFD\xFE\xA4";
  for (int round = 0; round < 20000; ++round) {
    std::string s(1 + random() % 30, ' ');
    for (char& c : s) c = (random() % 4 == 0) ? static_cast<char>(random() % 256) : common[random() % common.size()];
    for (ReadingOrder reading : {ReadingOrder::LeftToRight, ReadingOrder::RightToLeft})
      ASSERT_EQ(VisualOrderDC(DeviceContext{reading}, s), ReferenceOrder(reading, s)) << Hex(s);
  }
}

}  // namespace
}  // namespace zil::textcore
