// Picking texts from the drawing and placing texts into it, as the library window asks between two
// showings, on a drawing in the stand-in host.
#include "library/window/placement.h"

#include <gtest/gtest.h>

#include <cmath>

#include "acad/error.h"
#include "acad/host_state.h"
#include "config/font_definitions.h"
#include "library_drawing.h"
#include "textcore/font_converter.h"
#include "textcore/utf8.h"

namespace zil::library {
namespace {

using test::DrawingForm;
using test::FixtureHandle;

// The answer that picks the fixture's entities of these names.
std::string Pick(std::initializer_list<const char*> names) {
  std::string answer = "pick";
  for (const char* name : names) answer += " " + textcore::ToUtf8(FixtureHandle(name));
  return answer + "\n";
}

std::u16string EditForm(fntType type, std::u16string_view s) {
  textcore::FontConverter conv;
  conv.cStType = type;
  return conv.AcadToEditWin(s);
}

class PlacementTest : public test::LibraryDrawingTest {
 protected:
  PlacementTest() {
    host.AcadApp = app;
    host.RefreshHost(fake.keyboard);
  }
  void Put(const tprop& prop, std::u16string_view s) { PlaceOneText(host, fonts, prop, s); }

  acad::HostState host;
  config::FontDefinitions fonts{fake.services()};
};

TEST_F(PlacementTest, APlacedTextIsTheDrawingFormOfItsStyleAtThePickedPoint) {
  const struct {
    const char16_t* style;
    fntType type;
    bool backwards;
  } styles[] = {
      {u"DosHeb", DosHebrew, false},   {u"Keys", DosEnglish, false}, {u"KeysR", DosEnglishR, false},
      {u"Win", WindowsHeb, false},     {u"Arial", TrueType, false},  {u"Back", DosEnglish, true},
      {u"BigOnly", DosEnglish, false},  // a style with only a big font is converted by it
  };
  const std::u16string line = u"קיר (בטון) B30";
  for (const auto& s : styles) {
    SCOPED_TRACE(textcore::ToUtf8(s.style));
    Answer("point 100 50\ndistance 3\n");
    const int before = Count();
    Put({s.style, u"Notes", false, 0}, line);
    ASSERT_EQ(Count(), before + 1);  // one text, no second copy
    const acad::EntityPtr text = Last();
    EXPECT_EQ(text->TextString(), DrawingForm(s.type, s.backwards, line));
    EXPECT_EQ(text->StyleName(), s.style);
    EXPECT_EQ(text->Layer(), u"Notes");
    EXPECT_DOUBLE_EQ(text->Height(), 3);
    EXPECT_DOUBLE_EQ(TextSize(), 3);  // the height given is the drawing's text size now
    // On its baseline at the point: its left end for a style that draws backwards, else its right end.
    const auto [lo, hi] = text->GetBoundingBox();
    const acad::Point at = text->InsertionPoint();
    EXPECT_NEAR(at.y, 50, 1e-9);
    EXPECT_NEAR(at.x, s.backwards ? 100 : 100 - std::abs(hi.x - lo.x), 1e-9);
  }
}

TEST_F(PlacementTest, TheHeightComesFromTheStyleThePropertiesOrTheTextSize) {
  // A style of fixed height: nothing is asked, and the drawing's text size stays.
  Answer("point 0 0\n");
  Put({u"Fixed", {}, false, 0}, u"שלום");
  EXPECT_DOUBLE_EQ(Last()->Height(), 5);
  EXPECT_DOUBLE_EQ(TextSize(), 2.5);
  EXPECT_EQ(input.Left(), 0u);
  // Enter at the height prompt: the text size.
  Answer("point 0 0\nenter\n");
  Put({}, u"שלום");
  EXPECT_DOUBLE_EQ(Last()->Height(), 2.5);
  EXPECT_EQ(Last()->StyleName(), u"Keys");  // no style chosen: the drawing's current one
  // A height on the Properties page is not asked.
  Answer("point 0 0\n");
  Put({u"Keys", {}, false, 4}, u"שלום");
  EXPECT_DOUBLE_EQ(Last()->Height(), 4);
  EXPECT_EQ(input.Left(), 0u);
}

TEST_F(PlacementTest, ACancelledPromptPlacesNothing) {
  const int before = Count();
  for (const char* answers : {"cancel\n", "point 0 0\ncancel\n"}) {
    Answer(answers);
    Put({u"Keys", {}, false, 0}, u"שלום");
    EXPECT_EQ(Count(), before) << answers;
  }
  EXPECT_DOUBLE_EQ(TextSize(), 2.5);
}

TEST_F(PlacementTest, LinesGoOneUnderTheOtherAndAnEmptyLineLeavesItsPlace) {
  Answer("point 20 100\ndistance 2\n");
  const int before = Count();
  PlaceLines(host, fonts, {u"Back", {}, false, 0}, u"אחת\r\n\r\nשלוש\r\n");
  ASSERT_EQ(Count(), before + 2);
  const acad::EntityPtr first = doc->ModelSpace()->Item(before);
  const acad::EntityPtr third = doc->ModelSpace()->Item(before + 1);
  EXPECT_EQ(first->TextString(), DrawingForm(DosEnglish, true, u"אחת"));
  EXPECT_EQ(third->TextString(), DrawingForm(DosEnglish, true, u"שלוש"));
  EXPECT_NEAR(first->InsertionPoint().y, 100, 1e-9);
  EXPECT_NEAR(third->InsertionPoint().y, 100 - 2 * 1.5 * 2, 1e-9);  // two line steps: the gap of the empty line
  EXPECT_NEAR(third->InsertionPoint().x, 20, 1e-9);

  // The placement is one undo step.
  doc->SendCommand(u"U ");
  app->RunQueuedCommands();
  EXPECT_EQ(Count(), before);
}

TEST_F(PlacementTest, AFailureOtherThanACancelIsReportedAndWhatWasPlacedStays) {
  Answer("point 0 0\ndistance 2\n");
  const int before = Count();
  EXPECT_THROW(Put({u"Keys", u"Locked", false, 0}, u"שלום"), acad::Error);
  Answer("point 0 0\ndistance 2\n");
  EXPECT_THROW(Put({u"Gone", {}, false, 0}, u"שלום"), acad::Error);  // a style the drawing lacks
  EXPECT_GE(Count(), before);
}

TEST_F(PlacementTest, PickedTextsComeInTheirEditFormInSelectionOrder) {
  const auto sets = doc->SelectionSets();
  const int setsBefore = sets->Count();
  Answer(Pick({"win", "line", "keys", "bigonly"}));
  EXPECT_EQ(PickTexts(host, fonts), EditForm(WindowsHeb, u"2 רוריק") + u"\r\nשלום\r\nשלום\r\n");
  EXPECT_EQ(sets->Count(), setsBefore);  // the selection set is gone again

  // Nothing picked: nothing, and the set stays for the next pick.
  Answer("enter\n");
  EXPECT_EQ(PickTexts(host, fonts), u"");
  EXPECT_EQ(sets->Count(), setsBefore + 1);
  Answer(Pick({"keys"}));
  EXPECT_EQ(PickTexts(host, fonts), u"שלום\r\n");

  // A set of that name holding other texts: only this pick's texts come.
  sets->Add(u"SSText")->Select(acad::kSelectAll, {}, {}, {0}, {acad::Value(std::u16string(u"Text"))});
  Answer(Pick({"keys"}));
  EXPECT_EQ(PickTexts(host, fonts), u"שלום\r\n");
}

}  // namespace
}  // namespace zil::library
