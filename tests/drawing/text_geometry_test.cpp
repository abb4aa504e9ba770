#include "drawing/text_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "textcore/utf8.h"

namespace zil::drawing {
namespace {

using acad::Point;

void ExpectNear(const Point& a, const Point& b, const char* what) {
  EXPECT_NEAR(a.x, b.x, 1e-9) << what;
  EXPECT_NEAR(a.y, b.y, 1e-9) << what;
}

TextGeometry Text(int characters, int horizontal, int vertical, Point defining) {
  TextGeometry t;
  t.characters = characters;
  t.horizontal = horizontal;
  t.vertical = vertical;
  if (UsesInsertionPoint(t)) {
    t.insertion = defining;
  } else {
    t.alignment = defining;
  }
  Recompute(t);
  return t;
}

// Four characters of height 1 are 3.2 long; the named point of each alignment sits at (10, 20).
TEST(TextGeometry, TheAlignmentPointNamesAPointOfTheBox) {
  const struct {
    int horizontal, vertical;
    Point insertion;
    Point lo, hi;
  } cases[] = {
      {kLeft, kBaseline, {10, 20}, {10, 20}, {13.2, 21}},
      {kCenter, kBaseline, {8.4, 20}, {8.4, 20}, {11.6, 21}},
      {kRight, kBaseline, {6.8, 20}, {6.8, 20}, {10, 21}},
      {kMiddle, kBaseline, {8.4, 19.5}, {8.4, 19.5}, {11.6, 20.5}},
      {kRight, kTop, {6.8, 19}, {6.8, 19}, {10, 20}},
      {kLeft, kVerticalMiddle, {10, 19.5}, {10, 19.5}, {13.2, 20.5}},
      {kCenter, kBottom, {8.4, 20}, {8.4, 20}, {11.6, 21}},
  };
  for (const auto& c : cases) {
    const TextGeometry t = Text(4, c.horizontal, c.vertical, {10, 20});
    ExpectNear(t.insertion, c.insertion, "insertion");
    const auto [lo, hi] = BoundingBox(t);
    ExpectNear(lo, c.lo, "lower corner");
    ExpectNear(hi, c.hi, "upper corner");
  }
}

TEST(TextGeometry, CharactersAreCodePointsAndControlCodesDrawAsTheyShow) {
  const struct {
    std::u16string_view text;
    int characters;
  } cases[] = {
      {u"abc", 3},
      {u"", 0},
      {u"%%d45", 3},
      {u"%%u%%Oab", 2},
      {u"%%%", 1},
      {u"%%123x", 2},
      {u"%%", 2},
      {u"\U0001F600!", 2},
      {u"\u05E9\u05DC\u05D5\u05DD", 4},
      {u"\u200F 3\u05D7\u200E", 3},              // the marks draw nothing
      {u"\u202Ba\u202C\u2067b\u2069\u061C", 2},  // nor do embeddings, isolates and ALM
      {u"%%253", 1},                             // a code is the font's byte, whatever it stands for
      {u"a%b%", 4},                              // a lone '%' is a character
      {u"ab %%d%%uc", 5},                        // codes after plain letters
      {u"%%\u200Fab", 2},                        // a code for a mark draws nothing either
      {u"a\xD800z\xDC00", 4},                    // lone surrogates take a cell each
      {u"\xDC00\xD800", 2},                      // and so does a pair in the wrong order
      {u"\x7F\x05EA\x061B\x061D", 4},            // the units around the first mark
  };
  for (const auto& c : cases) EXPECT_EQ(GlyphCount(c.text), c.characters) << textcore::ToUtf8(c.text);
}

TEST(TextGeometry, FlagsAndRotationTurnTheBox) {
  TextGeometry t = Text(4, kLeft, kBaseline, {10, 20});
  t.backward = true;
  ExpectNear(BoundingBox(t).first, {6.8, 20}, "backward runs to the left");
  t.backward = false;
  t.upsideDown = true;
  ExpectNear(BoundingBox(t).first, {10, 19}, "upside down hangs below");
  t.upsideDown = false;
  t.rotation = std::numbers::pi / 2;
  const auto [lo, hi] = BoundingBox(t);
  ExpectNear(lo, {9, 20}, "rotated lower");
  ExpectNear(hi, {10, 23.2}, "rotated upper");
}

TEST(TextGeometry, AlignedAndFitTextFillTheDistanceBetweenTheirPoints) {
  TextGeometry aligned;
  aligned.characters = 4;
  aligned.horizontal = kAligned;
  aligned.alignment = {8, 0};
  Recompute(aligned);
  EXPECT_NEAR(aligned.height, 2.5, 1e-12);
  EXPECT_NEAR(aligned.rotation, 0, 1e-12);
  ExpectNear(BoundingBox(aligned).second, {8, 2.5}, "aligned box");

  TextGeometry fit = aligned;
  fit.horizontal = kFit;
  fit.height = 1;
  fit.alignment = {0, 8};
  Recompute(fit);
  EXPECT_NEAR(fit.widthFactor, 2.5, 1e-12);
  EXPECT_NEAR(fit.rotation, std::numbers::pi / 2, 1e-12);
  ExpectNear(BoundingBox(fit).first, {-1, 0}, "fit box");
}

TEST(TextGeometry, ChangingTheAlignmentKeepsTheTextInPlace) {
  TextGeometry t = Text(5, kLeft, kBaseline, {3, 4});
  t.rotation = 0.7;
  t.height = 2;
  t.widthFactor = 0.9;
  const auto before = BoundingBox(t);
  for (int code = 0; code <= 14; ++code) {
    TextGeometry changed = t;
    SetAlignmentCode(changed, code);
    EXPECT_EQ(AlignmentCode(changed), code);
    Recompute(changed);  // the text, recomputed from its new defining point(s), is where it was
    const auto after = BoundingBox(changed);
    ExpectNear(after.first, before.first, "lower corner");
    ExpectNear(after.second, before.second, "upper corner");
  }
}

TEST(TextGeometry, MovingRotatingAndSettingPoints) {
  TextGeometry t = Text(4, kCenter, kBaseline, {10, 20});
  SetAlignmentPoint(t, {0, 0});
  ExpectNear(t.insertion, {-1.6, 0}, "the text follows its alignment point");
  SetInsertionPoint(t, {0, 0});  // a centered text moves as a whole
  ExpectNear(t.alignment, {1.6, 0}, "alignment point moved along");
  Rotate(t, {0, 0}, std::numbers::pi);
  ExpectNear(t.alignment, {-1.6, 0}, "rotated alignment point");
  EXPECT_NEAR(t.rotation, std::numbers::pi, 1e-12);
  Move(t, {0, 0}, {1, 1});
  ExpectNear(t.insertion, {1, 1}, "moved");

  TextGeometry aligned = Text(4, kLeft, kBaseline, {0, 0});
  SetAlignmentCode(aligned, kAligned);
  ExpectNear(aligned.alignment, {3.2, 0}, "the end of the baseline");
  SetInsertionPoint(aligned, {-3.2, 0});  // the other point stays
  Recompute(aligned);
  EXPECT_NEAR(aligned.height, 2, 1e-12);
}

// A caller that recomputes after every change may place a point instead of setting it: the same doubles.
TEST(TextGeometry, PlacingAPointAndRecomputingIsSettingIt) {
  for (const int horizontal : {kLeft, kCenter, kRight, kAligned, kMiddle, kFit}) {
    TextGeometry t = Text(4, horizontal, kBaseline, {10, 20});
    t.rotation = 0.3;  // a text between two points takes the angle between them
    Recompute(t);
    for (const bool insertion : {true, false}) {
      const Point p{-7.125, 3.3, 0};
      TextGeometry set = t, placed = t;
      insertion ? SetInsertionPoint(set, p) : SetAlignmentPoint(set, p);
      insertion ? PlaceInsertionPoint(placed, p) : PlaceAlignmentPoint(placed, p);
      Recompute(set);
      Recompute(placed);
      for (const auto& [a, b] :
           {std::pair{set.insertion, placed.insertion}, std::pair{set.alignment, placed.alignment}})
        EXPECT_TRUE(a.x == b.x && a.y == b.y && a.z == b.z) << horizontal << (insertion ? " insertion" : " alignment");
      EXPECT_TRUE(set.rotation == placed.rotation && set.height == placed.height &&
                  set.widthFactor == placed.widthFactor)
          << horizontal;
    }
  }
}

}  // namespace
}  // namespace zil::drawing
