// A text's changes held by its object while the undo keeps no history (a batch) and written later: the
// drawing gets the bytes writing each change at once gives, and every reader sees the changes at once.
#include <gtest/gtest.h>

#include <functional>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

#include "acad/error.h"
#include "host_fixtures.h"
#include "support/temp_folder.h"
#include "textcore/utf8.h"

namespace zil::standin {
namespace {

using test::Bytes;
using test::Host;

// The texts the members treat apart, read from a file: the fixture's text (left aligned, without an
// alignment point), an attribute, and made here, a centred text, an aligned one and a backward right
// aligned one at 30 degrees.
struct Texts {
  std::string drawing;
  std::vector<std::u16string> handles;
};

Texts MakeTexts(const zil::test::TempFolder& dir) {
  Host host("hebrew.dxf");
  Texts texts{(dir / "texts.dxf").string(), {test::HandleOf("keys"), test::HandleOf("attrib_city")}};
  const auto space = host.doc->ModelSpace();
  const auto centred = space->AddText(u"אמצע", {10, 10, 0}, 2);
  centred->SetAlignment(10);
  centred->SetTextAlignmentPoint({12.5, 11, 0});
  const auto aligned = space->AddText(u"מיושר", {0, 20, 0}, 2);
  aligned->SetAlignment(3);
  aligned->SetTextAlignmentPoint({15, 25, 0});
  const auto right = space->AddText(u"ימין", {30, 5, 0}, 1.5);
  right->SetAlignment(2);
  right->SetTextAlignmentPoint({35, 5, 0});
  right->SetBackward(true);
  right->Rotate({30, 5, 0}, std::numbers::pi / 6);
  for (const auto& text : {centred, aligned, right}) texts.handles.push_back(text->Handle());
  host.doc->SaveAs(textcore::FromUtf8(texts.drawing));
  return texts;
}

// What a reader sees of a text.
std::vector<double> Seen(acad::Entity& t) {
  const acad::Point at = t.InsertionPoint(), to = t.TextAlignmentPoint();
  return {at.x,
          at.y,
          at.z,
          to.x,
          to.y,
          to.z,
          t.Height(),
          t.Rotation(),
          t.ScaleFactor(),
          static_cast<double>(t.Alignment()),
          static_cast<double>(t.TextGenerationFlag())};
}

using Changes = std::function<void(acad::Entity&)>;

TEST(HeldTextChanges, WriteTheBytesThatWritingEachChangeAtOnceWrites) {
  const zil::test::TempFolder dir;
  const Texts texts = MakeTexts(dir);
  const struct {
    const char* name;
    Changes changes;
  } cases[] = {
      {"the Revit rewrite: turned flat, restyled, aligned between two new points",
       [](acad::Entity& t) {
         const double angle = t.Rotation();
         const acad::Point at = t.InsertionPoint();
         t.Rotate(at, -angle);
         const auto [lo, hi] = t.GetBoundingBox();
         t.SetTextString(u"טקסט חדש 12");
         t.SetStyleName(u"Arial");
         if (t.TextGenerationFlag() != 0) t.SetTextGenerationFlag(6);
         t.SetHorizontalAlignment(3);
         t.SetAlignment(3);
         t.SetInsertionPoint({hi.x, lo.y, at.z});
         t.SetTextAlignmentPoint({lo.x, lo.y, at.z});
       }},
      {"turned twice about other points, resized, flipped",
       [](acad::Entity& t) {
         t.Rotate({3, 4, 0}, 0.3);
         t.SetHeight(t.Height() * 2);
         t.Rotate({-7, 1, 0}, -1.1);
         t.SetScaleFactor(0.7);
         t.SetTextGenerationFlag(4);
         t.SetRotation(2);
       }},
      {"a member that works on the tags between held changes",
       [](acad::Entity& t) {
         t.SetTextString(u"before the move");
         t.Rotate({0, 0, 0}, 0.5);
         t.Move({0, 0, 0}, {2, 3, 0});
         t.SetColor(3);
         t.SetBackward(true);
         t.SetAlignment(10);
       }},
  };
  for (const auto& c : cases) {
    for (const std::u16string& handle : texts.handles) {
      Host kept(texts.drawing);
      Host batch(texts.drawing);
      batch.doc->Undo().KeepHistory(false);
      std::vector<double> seen[2];
      int k = 0;
      for (Host* host : {&kept, &batch}) {
        const auto reader = host->doc->HandleToObject(handle);
        (void)reader->TextString();  // the reader knows the text as it was
        const auto writer = host->doc->HandleToObject(handle);
        c.changes(*writer);
        seen[k] = Seen(*writer);
        // Another object of the same text reads the changes the writer holds.
        EXPECT_EQ(reader->TextString(), writer->TextString()) << c.name;
        EXPECT_EQ(reader->Height(), writer->Height()) << c.name;
        EXPECT_EQ(Seen(*reader), seen[k]) << c.name;
        ++k;
      }
      EXPECT_EQ(seen[1], seen[0]) << c.name;
      EXPECT_TRUE(Bytes(*batch.doc) == Bytes(*kept.doc)) << c.name << ", text " << textcore::ToUtf8(handle);
    }
  }
}

TEST(HeldTextChanges, AreWrittenBeforeTheDrawingIsReadOrSaved) {
  const zil::test::TempFolder dir;
  Host host("hebrew.dxf");
  host.doc->Undo().KeepHistory(false);
  ASSERT_TRUE(host.doc->Saved());
  const auto writer = host.Entity("keys");
  writer->SetTextString(u"held change");
  EXPECT_FALSE(host.doc->Saved());  // a change held is a change
  EXPECT_NE(Bytes(*host.doc).find("held change"), std::string::npos);
  writer->SetTextString(u"saved change");
  const std::string copy = (dir / "copy.dxf").string();
  host.doc->SaveAs(textcore::FromUtf8(copy));
  EXPECT_TRUE(host.doc->Saved());
  EXPECT_NE(zil::test::TempFolder::Read(copy).find("saved change"), std::string::npos);
}

TEST(HeldTextChanges, AMemberThatFailsChangesNothing) {
  for (const bool history : {true, false}) {
    Host host("hebrew.dxf");
    host.doc->Undo().KeepHistory(history);
    const auto text = host.Entity("keys");
    text->SetTextString(u"first");
    // A left-aligned text has no alignment point to set.
    EXPECT_THROW(text->SetTextAlignmentPoint({1, 2, 0}), acad::Error);
    EXPECT_EQ(text->TextString(), u"first");
    EXPECT_EQ(host.Entity("keys")->TextString(), u"first");
  }
}

TEST(HeldTextChanges, AChangeInsideAnOperationIsWrittenAtOnceSoThatItsFailureTakesItBack) {
  Host host("hebrew.dxf");
  host.doc->Undo().KeepHistory(false);
  const std::string before = Bytes(*host.doc);
  const auto text = host.Entity("keys");
  const std::u16string string = text->TextString();
  try {
    UndoStack::Operation failing(host.doc->Undo());
    text->SetTextString(u"half done");
    throw std::runtime_error("the rest of the command fails");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(text->TextString(), string);
  EXPECT_TRUE(Bytes(*host.doc) == before);
}

}  // namespace
}  // namespace zil::standin
