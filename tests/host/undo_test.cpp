// Undo in the stand-in host: the changes between undo marks are one step that "U" takes back byte for
// byte; marks nest; a "U" inside an open group stays inside it; an empty group is still a step.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <numbers>
#include <stdexcept>

#include "acad/error.h"
#include "host_fixtures.h"
#include "support/ezdxf_fixtures.h"
#include "textcore/utf8.h"

namespace zil::standin {
namespace {

using test::Bytes;
using test::Host;

std::u16string RunU(Host& host) {
  host.doc->SendCommand(u"U ");
  const auto reports = host.app->RunQueuedCommands();
  return reports.at(0).events.at(0).detail;
}

// Every kind of change the add-in makes.
void ChangeEverything(Host& host) {
  acad::Document& doc = *host.doc;
  const auto space = doc.ModelSpace();
  doc.SetVariable(u"CECOLOR", std::u16string(u"2"));
  const auto text = space->AddText(u"חדש", {1, 2, 0}, 2.5);
  text->SetAlignment(10);
  text->SetTextString(u"חדש יותר");
  text->SetColor(1);
  text->Rotate({0, 0, 0}, std::numbers::pi / 3);
  const auto keys = host.Entity("keys");
  keys->SetTextString(u"שונה");
  keys->Move({0, 0, 0}, {5, 5, 0});
  keys->SetStyleName(u"Arial");
  keys->Copy()->SetHeight(7);
  host.Entity("line")->Erase();
  host.Entity("insert")->Rotate({300, 0, 0}, 1);
  host.Entity("attrib_city")->SetTextString(u"עכו");
  std::u16string lines;
  for (int i = 0; i < 60; ++i) lines += u"שורה ארוכה \\P";
  space->AddMText({0, 0, 0}, 40, lines);
  space->AddSolid({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0});
  doc.PaperSpace()->AddText(u"paper", {0, 0, 0}, 1);
  doc.TextStyles()->Add(u"NEWSTYLE")->SetFont(u"Arial", true, false, 177, 34);
  doc.Layers()->Add(u"NEWLAYER");
  doc.Layers()->Item(u"Frozen")->SetFreeze(false);
  doc.SetVariable(u"TEXTSIZE", 7.0);
  host.app->ZoomCenter({3, 4, 0}, 6);
}

TEST(Undo, OneUTakesBackAGroupOfEveryKindOfChangeByteForByte) {
  for (const char* fixture : {"hebrew.dxf", "r12.dxf"}) {
    Host host(fixture);
    const std::string before = Bytes(*host.doc);
    host.doc->StartUndoMark();
    if (std::string(fixture) == "r12.dxf") {
      host.doc->ModelSpace()->AddText(u"r12", {0, 0, 0}, 1)->SetAlignment(4);
      host.Entity("r12_keys")->SetTextString(u"x");
      host.Entity("r12_attrib")->Move({}, {1, 1, 0});
      host.doc->SetVariable(u"CECOLOR", std::u16string(u"3"));
    } else {
      ChangeEverything(host);
    }
    host.doc->EndUndoMark();
    ASSERT_NE(Bytes(*host.doc), before);
    EXPECT_EQ(RunU(host).substr(0, 23), u"undid the last undo gro") << fixture;
    EXPECT_TRUE(Bytes(*host.doc) == before) << fixture;
    EXPECT_FALSE(host.doc->Saved());  // an undo is a change
    // The drawing works on: a new entity gets a handle no other record has.
    const auto again = host.doc->ModelSpace()->AddText(u"again", {}, 1);
    EXPECT_EQ(host.doc->HandleToObject(again->Handle())->TextString(), u"again");
  }
}

TEST(Undo, TheChangesWrittenOutAreADrawingEzdxfReadsWithoutFindings) {
  zil::test::TempFolder dir;
  Host host("hebrew.dxf");
  ChangeEverything(host);
  host.doc->SaveAs(textcore::FromUtf8((dir / "changed.dxf").string()));
  const nlohmann::json found = zil::test::ProbeWithEzdxf((dir / "changed.dxf").string());
  EXPECT_TRUE(found["errors"].empty()) << found["errors"].dump();
  EXPECT_TRUE(found["fixes"].empty()) << found["fixes"].dump();
  EXPECT_EQ(found["strings"][textcore::ToUtf8(test::HandleOf("keys"))]["text"], "שונה");
}

TEST(Undo, MarksNestAndOnlyTheOutermostPairMakesTheStep) {
  Host host("hebrew.dxf");
  const std::string original = Bytes(*host.doc);
  host.Entity("keys")->SetTextString(u"before the group");  // a step of its own
  const std::string afterFirst = Bytes(*host.doc);
  host.doc->StartUndoMark();
  host.Entity("arial")->SetTextString(u"a");
  host.doc->StartUndoMark();
  host.Entity("arial")->SetTextString(u"b");
  host.doc->EndUndoMark();  // inner: the group stays open
  EXPECT_TRUE(host.doc->Undo().GroupOpen());
  host.doc->ModelSpace()->AddText(u"c", {}, 1);
  host.doc->EndUndoMark();
  host.doc->EndUndoMark();  // unbalanced: nothing
  EXPECT_FALSE(host.doc->Undo().GroupOpen());
  RunU(host);
  EXPECT_TRUE(Bytes(*host.doc) == afterFirst);
  EXPECT_EQ(RunU(host), u"undid the last change (1 record changes)");
  EXPECT_TRUE(Bytes(*host.doc) == original);
  EXPECT_EQ(RunU(host), u"nothing to undo");
}

TEST(Undo, InsideAnOpenGroupUTakesBackItsChangesButNeverPastItsStart) {
  Host host("hebrew.dxf");
  host.Entity("keys")->SetTextString(u"kept");
  const std::string kept = Bytes(*host.doc);
  host.doc->StartUndoMark();
  host.Entity("arial")->SetTextString(u"a");
  host.Entity("arial")->SetTextString(u"b");
  EXPECT_EQ(RunU(host), u"undid the last change inside the open undo group (1 record changes)");
  EXPECT_EQ(host.Entity("arial")->TextString(), u"a");
  RunU(host);
  EXPECT_EQ(RunU(host), u"nothing to undo inside the open undo group");
  EXPECT_TRUE(Bytes(*host.doc) == kept);
  host.doc->EndUndoMark();
  // The group, empty now, is still a step: a "U" meant for it does not take back the change before it.
  EXPECT_EQ(RunU(host), u"undid the last undo group (0 record changes)");
  EXPECT_EQ(host.Entity("keys")->TextString(), u"kept");
  RunU(host);
  EXPECT_EQ(host.Entity("keys")->TextString(), u"ouka");
}

TEST(Undo, AChangeThatFailsIsTakenBackAtOnce) {
  Host host("hebrew.dxf");
  const std::string before = Bytes(*host.doc);
  try {
    UndoStack::Operation failing(host.doc->Undo());
    host.doc->ModelSpace()->AddText(u"half done", {}, 1);
    host.Entity("keys")->SetTextString(u"changed");
    throw std::runtime_error("the rest of the change fails");
  } catch (const std::runtime_error&) {
  }
  EXPECT_TRUE(Bytes(*host.doc) == before);
  EXPECT_EQ(RunU(host), u"nothing to undo");
}

TEST(Undo, WithoutHistoryTheChangesStayAFailedCallIsStillTakenBackAndNothingIsUndone) {
  Host kept("hebrew.dxf");
  Host batch("hebrew.dxf");
  batch.doc->Undo().KeepHistory(false);
  for (Host* host : {&kept, &batch}) {
    host->doc->StartUndoMark();
    ChangeEverything(*host);
    try {
      UndoStack::Operation failing(host->doc->Undo());
      host->Entity("keys")->SetTextString(u"half done");
      throw std::runtime_error("the rest of the change fails");
    } catch (const std::runtime_error&) {
    }
    host->doc->EndUndoMark();
  }
  EXPECT_TRUE(Bytes(*batch.doc) == Bytes(*kept.doc));
  EXPECT_EQ(batch.doc->Undo().StepCount(), 0u);
  EXPECT_EQ(RunU(batch), u"nothing to undo");
  EXPECT_TRUE(Bytes(*batch.doc) == Bytes(*kept.doc));
  EXPECT_FALSE(batch.doc->Saved());
}

TEST(Undo, AnObjectReadsWhatAnotherObjectOfTheSameEntityAndAnUndoChanged) {
  Host host("hebrew.dxf");
  const auto reader = host.Entity("keys");
  const auto writer = host.Entity("keys");
  const double height = reader->Height();
  const acad::Point at = reader->InsertionPoint();
  host.doc->StartUndoMark();
  writer->SetHeight(height * 2);
  writer->Move(at, {at.x + 5, at.y, at.z});
  host.doc->EndUndoMark();
  EXPECT_EQ(reader->Height(), height * 2);
  EXPECT_NEAR(reader->InsertionPoint().x, at.x + 5, 1e-9);
  RunU(host);
  EXPECT_EQ(reader->Height(), height);
  EXPECT_EQ(reader->InsertionPoint().x, at.x);
}

TEST(Undo, ObjectsAnUndoTookBackAreGoneAndErasedOnesComeBack) {
  Host host("hebrew.dxf");
  host.doc->StartUndoMark();
  const auto added = host.doc->ModelSpace()->AddText(u"new", {}, 1);
  const std::u16string handle = added->Handle();
  host.Entity("line")->Erase();
  host.doc->EndUndoMark();
  RunU(host);
  EXPECT_THROW(added->TextString(), acad::Error);
  EXPECT_THROW(host.doc->HandleToObject(handle), acad::Error);
  EXPECT_EQ(host.Entity("line")->ObjectName(), u"AcDbLine");
}

}  // namespace
}  // namespace zil::standin
