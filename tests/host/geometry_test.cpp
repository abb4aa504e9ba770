// Where the stand-in host puts texts: the alignment rules and bounding boxes of texts, attributes, MTEXT
// and block references, read through the automation surface from real drawings.
#include <gtest/gtest.h>

#include <functional>
#include <numbers>
#include <vector>

#include "acad/error.h"
#include "host_fixtures.h"

namespace zil::standin {
namespace {

using test::Host;

void ExpectNear(const acad::Point& a, const acad::Point& b, const std::string& what) {
  EXPECT_NEAR(a.x, b.x, 1e-9) << what;
  EXPECT_NEAR(a.y, b.y, 1e-9) << what;
}

void ExpectBox(const acad::Entity& e, const acad::Point& lo, const acad::Point& hi, const std::string& what) {
  const auto [low, high] = e.GetBoundingBox();
  ExpectNear(low, lo, what + ": lower corner");
  ExpectNear(high, hi, what + ": upper corner");
}

// Four characters 1 high are 3.2 long: the text "abcd" at (10, 20) covers (10, 20) to (13.2, 21). Setting an
// alignment keeps it there and gives the point the alignment names.
TEST(Geometry, SettingTheAlignmentKeepsTheTextAndGivesTheNamedPoint) {
  const struct {
    int alignment;
    int horizontal, vertical;
    acad::Point alignmentPoint;
  } cases[] = {
      {0, 0, 0, {0, 0}},        {1, 1, 0, {11.6, 20}},    {2, 2, 0, {13.2, 20}}, {3, 3, 0, {13.2, 20}},
      {4, 4, 0, {11.6, 20.5}},  {5, 5, 0, {13.2, 20}},    {6, 0, 3, {10, 21}},   {7, 1, 3, {11.6, 21}},
      {10, 1, 2, {11.6, 20.5}}, {11, 2, 2, {13.2, 20.5}}, {12, 0, 1, {10, 20}},  {14, 2, 1, {13.2, 20}},
  };
  Host host("hebrew.dxf");
  for (const auto& c : cases) {
    const auto text = host.doc->ModelSpace()->AddText(u"abcd", {10, 20, 0}, 1);
    text->SetAlignment(c.alignment);
    const std::string what = "alignment " + std::to_string(c.alignment);
    EXPECT_EQ(text->HorizontalAlignment(), c.horizontal) << what;
    EXPECT_EQ(text->VerticalAlignment(), c.vertical) << what;
    ExpectNear(text->TextAlignmentPoint(), c.alignmentPoint, what);
    ExpectNear(text->InsertionPoint(), {10, 20}, what);
    EXPECT_NEAR(text->Height(), 1, 1e-9) << what;
    ExpectBox(*text, {10, 20}, {13.2, 21}, what);
  }
}

TEST(Geometry, TheDefiningPointsStayWhenTheTextChanges) {
  Host host("hebrew.dxf");
  const auto space = host.doc->ModelSpace();
  const auto left = space->AddText(u"abcd", {10, 20, 0}, 1);
  left->SetTextString(u"abcdefgh");
  ExpectBox(*left, {10, 20}, {16.4, 21}, "left: the insertion point stays");
  EXPECT_THROW(left->SetTextAlignmentPoint({0, 0, 0}), acad::Error);  // left: set Alignment first

  const auto centred = space->AddText(u"abcd", {10, 20, 0}, 1);
  centred->SetAlignment(1);
  centred->SetTextString(u"abcdefgh");
  ExpectNear(centred->TextAlignmentPoint(), {11.6, 20}, "centre: the alignment point stays");
  ExpectNear(centred->InsertionPoint(), {8.4, 20}, "centre: the insertion point follows");
  centred->SetTextAlignmentPoint({0, 0, 0});
  ExpectBox(*centred, {-3.2, 0}, {3.2, 1}, "centre: moved by its alignment point");
  centred->SetInsertionPoint({0, 0, 0});  // moves the whole text
  ExpectNear(centred->TextAlignmentPoint(), {3.2, 0}, "centre: moved by its insertion point");

  const auto aligned = space->AddText(u"abcd", {10, 20, 0}, 1);
  aligned->SetAlignment(3);
  aligned->SetTextString(u"abcdefgh");  // the same distance for twice the characters: half the height
  EXPECT_NEAR(aligned->Height(), 0.5, 1e-9);
  ExpectBox(*aligned, {10, 20}, {13.2, 20.5}, "aligned");
  const auto fit = space->AddText(u"abcd", {10, 20, 0}, 1);
  fit->SetAlignment(5);
  fit->SetTextString(u"ab");  // the same distance for half the characters: twice the width factor
  EXPECT_NEAR(fit->ScaleFactor(), 2, 1e-9);
  EXPECT_NEAR(fit->Height(), 1, 1e-9);

  const auto right = space->AddText(u"abcd", {10, 20, 0}, 1);
  right->SetAlignment(2);
  right->SetHeight(2);  // grows leftwards from its right end
  ExpectBox(*right, {6.8, 20}, {13.2, 22}, "right, height 2");
  right->SetHorizontalAlignment(1);
  right->SetVerticalAlignment(3);
  EXPECT_EQ(right->Alignment(), 7);  // top center
  ExpectBox(*right, {6.8, 20}, {13.2, 22}, "right then top centre");
}

TEST(Geometry, FlagsWidthAndRotationTurnTheBox) {
  Host host("hebrew.dxf");
  const auto space = host.doc->ModelSpace();
  const auto text = [&] { return space->AddText(u"abcd", {10, 20, 0}, 1); };
  auto t = text();
  t->SetBackward(true);
  EXPECT_EQ(t->TextGenerationFlag(), 2);
  ExpectBox(*t, {6.8, 20}, {10, 21}, "backward");
  t = text();
  t->SetTextGenerationFlag(4);
  EXPECT_FALSE(t->Backward());
  ExpectBox(*t, {10, 19}, {13.2, 20}, "upside down");
  EXPECT_THROW(t->SetTextGenerationFlag(1), acad::Error);
  t = text();
  t->SetScaleFactor(2);
  ExpectBox(*t, {10, 20}, {16.4, 21}, "width factor 2");
  t = text();
  t->SetRotation(std::numbers::pi / 2);
  ExpectBox(*t, {9, 20}, {10, 23.2}, "turned a quarter about its start");
  t = text();
  t->Rotate({0, 0, 0}, -std::numbers::pi / 2);
  ExpectNear(t->InsertionPoint(), {20, -10}, "turned about the origin");
  EXPECT_NEAR(t->Rotation(), 3 * std::numbers::pi / 2, 1e-9);  // kept in [0, 2 pi)
  ExpectBox(*t, {20, -13.2}, {21, -10}, "turned about the origin");
  t->Move({0, 0, 0}, {1, 1, 0});
  ExpectNear(t->InsertionPoint(), {21, -9}, "moved");
  const auto copy = t->Copy();
  EXPECT_NE(copy->Handle(), t->Handle());
  ExpectNear(copy->InsertionPoint(), {21, -9}, "copied");
}

// The object that changed a text keeps what it wrote; a fresh object reads it from the drawing. Both must
// see the same text, exactly, after every kind of change.
TEST(Geometry, TheTextThatChangedItSeesWhatTheDrawingHolds) {
  Host host("hebrew.dxf");
  const auto text = host.doc->ModelSpace()->AddText(u"שלום 12", {10.1, 20.3, 0}, 1.7);
  const std::vector<std::function<void()>> changes = {
      [&] { text->SetRotation(0.7); },
      [&] { text->SetAlignment(10); },
      [&] { text->SetTextString(u"שלום עולם (A-12) \\U+05D0 %%c"); },
      [&] {
        text->SetTextAlignmentPoint({3.3, -4.1, 0});
      },
      [&] { text->SetScaleFactor(0.83); },
      [&] { text->SetAlignment(3); },
      [&] {
        text->SetTextAlignmentPoint({40.7, 7.9, 0});
      },
      [&] { text->SetBackward(true); },
      [&] { text->SetStyleName(u"Keys"); },
      [&] {
        text->Rotate({1, 2, 0}, -0.7);
      },
      [&] { text->SetAlignment(5); },
      [&] { text->SetHeight(2.9); },
      [&] {
        text->SetInsertionPoint({-5.5, 1.25, 0});
      },
      [&] { text->SetTextGenerationFlag(4); },
      [&] { text->SetAlignment(0); },
  };
  for (std::size_t i = 0; i < changes.size(); ++i) {
    changes[i]();
    const auto fresh = host.doc->HandleToObject(text->Handle());
    const std::string what = "after change " + std::to_string(i);
    EXPECT_EQ(text->InsertionPoint(), fresh->InsertionPoint()) << what;
    EXPECT_EQ(text->TextAlignmentPoint(), fresh->TextAlignmentPoint()) << what;
    EXPECT_EQ(text->Rotation(), fresh->Rotation()) << what;
    EXPECT_EQ(text->Height(), fresh->Height()) << what;
    EXPECT_EQ(text->ScaleFactor(), fresh->ScaleFactor()) << what;
    EXPECT_EQ(text->Alignment(), fresh->Alignment()) << what;
    EXPECT_EQ(text->TextGenerationFlag(), fresh->TextGenerationFlag()) << what;
    EXPECT_EQ(text->GetBoundingBox(), fresh->GetBoundingBox()) << what;
  }
}

// A font that draws right to left runs the text towards -x of its start. What the host knows of a style's
// direction follows both the style's font and the fonts the application was told draw right to left.
TEST(Geometry, ATextRunsTheWayItsStylesFontDrawsAfterEitherChanges) {
  Host host("hebrew.dxf");
  const auto added = host.doc->ModelSpace()->AddText(u"abcd", {10, 20, 0}, 1);
  added->SetStyleName(u"Keys");
  const auto box = [&](const acad::Point& lo, const acad::Point& hi, const std::string& what) {
    ExpectBox(*host.doc->HandleToObject(added->Handle()), lo, hi, what);
  };
  const auto rightToLeft = [](std::u16string_view font) { return font == u"hebkeys.shx"; };
  host.app->SetRightToLeftFonts(rightToLeft);
  box({6.8, 20}, {10, 21}, "hebkeys draws right to left");
  const auto keys = host.doc->TextStyles()->Item(u"Keys");
  keys->SetFontFile(u"txt.shx");
  box({10, 20}, {13.2, 21}, "the style's font changed");
  host.app->SetRightToLeftFonts([](std::u16string_view) { return true; });
  box({6.8, 20}, {10, 21}, "every font draws right to left");
  keys->SetFontFile(u"hebkeys.shx");
  host.app->SetRightToLeftFonts([](std::u16string_view) { return false; });
  box({10, 20}, {13.2, 21}, "no font draws right to left");
}

TEST(Geometry, AStaleInsertionPointIsComputedFromTheAlignmentPoint) {
  // The fixture's centred text was written with both points at (10, 20), as some writers leave them.
  Host host("hebrew.dxf");
  const auto centred = host.Entity("centered");
  ExpectNear(centred->TextAlignmentPoint(), {10, 20}, "alignment point");
  ExpectNear(centred->InsertionPoint(), {8.4, 20}, "computed insertion point");
  ExpectBox(*centred, {8.4, 20}, {11.6, 21}, "centred text");
}

// MTEXT "abcd" 1 high is a box 3.2 by 1 placed by its attachment point.
TEST(Geometry, MTextBoxesFollowTheAttachmentPointParagraphsAndWrapping) {
  const struct {
    int attachment;
    acad::Point lo, hi;
  } cases[] = {
      {1, {10, 19}, {13.2, 20}},      {2, {8.4, 19}, {11.6, 20}}, {3, {6.8, 19}, {10, 20}},
      {5, {8.4, 19.5}, {11.6, 20.5}}, {7, {10, 20}, {13.2, 21}},  {9, {6.8, 20}, {10, 21}},
  };
  Host host("hebrew.dxf");
  const auto space = host.doc->ModelSpace();
  for (const auto& c : cases) {
    const auto m = space->AddMText({10, 20, 0}, 0, u"{\\fArial|b1;ab}\\Lcd");  // format codes draw nothing
    m->SetHeight(1);
    m->SetAttachmentPoint(c.attachment);
    ExpectBox(*m, c.lo, c.hi, "attachment " + std::to_string(c.attachment));
  }
  const auto paragraphs = space->AddMText({10, 20, 0}, 0, u"ab\\Pabcd");
  paragraphs->SetHeight(1);
  ExpectBox(*paragraphs, {10, 20 - 1 - 5.0 / 3}, {13.2, 20}, "two paragraphs");
  const auto wrapped = space->AddMText({0, 0, 0}, 2, u"ab cd ef");
  wrapped->SetHeight(1);
  ExpectBox(*wrapped, {0, -1 - 2 * 5.0 / 3}, {1.6, 0}, "three lines within the width");
  EXPECT_THROW(wrapped->SetAttachmentPoint(10), acad::Error);
}

TEST(Geometry, ABlockReferenceHoldsItsBlocksEntitiesAndItsAttributes) {
  // TITLE: a line (0, 0)-(100, 0); the insert at (300, 0) with attributes "ouka" at (302, 2) and "חיפה" at
  // (302, 6), 2 high: 6.4 long.
  Host host("hebrew.dxf");
  ExpectBox(*host.Entity("insert"), {300, 0}, {400, 8}, "insert");
  ExpectBox(*host.Entity("attrib_name"), {302, 2}, {308.4, 4}, "attribute");
  ExpectBox(*host.Entity("line"), {0, 0}, {10, 0}, "line");
  host.Entity("insert")->Rotate({300, 0, 0}, std::numbers::pi / 2);
  ExpectBox(*host.Entity("insert"), {292, 0}, {300, 100}, "insert turned with its attributes");
  ExpectNear(host.Entity("attrib_name")->InsertionPoint(), {298, 2}, "attribute turned");
}

}  // namespace
}  // namespace zil::standin
