// Undo in the stand-in host: the changes between undo marks are one step that "U" takes back byte for
// byte; marks nest; a "U" inside an open group stays inside it; an empty group is still a step. REDO puts
// back what "U" took back, byte for byte, until something else changes the drawing.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <numbers>
#include <stdexcept>

#include "acad/error.h"
#include "drawing/standin/host_window.h"
#include "drawing/tag_values.h"
#include "host_fixtures.h"
#include "support/ezdxf_fixtures.h"
#include "textcore/utf8.h"

namespace zil::standin {
namespace {

using test::Bytes;
using test::Host;

std::u16string RunCommand(Host& host, const std::u16string& command) {
  host.doc->SendCommand(command);
  const auto reports = host.app->RunQueuedCommands();
  if (!reports.at(0).error.empty()) return textcore::FromUtf8(reports.at(0).error);
  return reports.at(0).events.at(0).detail;
}

std::u16string RunU(Host& host) { return RunCommand(host, u"U "); }

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

TEST(Undo, RedoPutsBackWhatUTookBackByteForByteInTheOppositeOrder) {
  Host host("hebrew.dxf");
  const std::string original = Bytes(*host.doc);
  host.Entity("keys")->SetTextString(u"a step of its own");
  const std::string afterStep = Bytes(*host.doc);
  host.doc->StartUndoMark();
  ChangeEverything(host);
  const auto added = host.doc->ModelSpace()->AddText(u"added", {7, 7, 0}, 1);
  host.doc->EndUndoMark();
  const std::string afterGroup = Bytes(*host.doc);
  RunU(host);
  RunU(host);
  ASSERT_TRUE(Bytes(*host.doc) == original);
  EXPECT_EQ(RunCommand(host, u"_REDO "), u"put back the change (1 record changes)");
  EXPECT_TRUE(Bytes(*host.doc) == afterStep);
  EXPECT_EQ(RunCommand(host, u"(command \"redo\")").substr(0, 22), u"put back the undo grou");
  EXPECT_TRUE(Bytes(*host.doc) == afterGroup);
  EXPECT_EQ(added->TextString(), u"added");  // the inserted entities are back, handles and all
  EXPECT_EQ(RunCommand(host, u"REDO "), u"nothing to redo");
  // What was put back is undone again as one step, and put back again.
  RunU(host);
  EXPECT_TRUE(Bytes(*host.doc) == afterStep);
  RunCommand(host, u"REDO ");
  EXPECT_TRUE(Bytes(*host.doc) == afterGroup);
  // The drawing works on: a new entity gets a handle no other record has.
  const auto again = host.doc->ModelSpace()->AddText(u"again", {}, 1);
  EXPECT_NE(again->Handle(), added->Handle());
  EXPECT_EQ(host.doc->HandleToObject(again->Handle())->TextString(), u"again");
}

TEST(Undo, AnyOtherChangeAndAUInsideAnOpenGroupForgetWhatRedoWouldPutBack) {
  Host host("hebrew.dxf");
  host.Entity("keys")->SetTextString(u"one");
  RunU(host);
  ASSERT_EQ(host.doc->Undo().RedoCount(), 1u);
  host.Entity("arial")->SetTextString(u"another change");
  EXPECT_EQ(RunCommand(host, u"REDO "), u"nothing to redo");
  EXPECT_EQ(host.Entity("keys")->TextString(), u"ouka");

  host.Entity("keys")->SetTextString(u"two");
  RunU(host);
  host.doc->StartUndoMark();
  host.Entity("arial")->SetTextString(u"in the group");
  RunU(host);  // inside the group
  EXPECT_EQ(RunCommand(host, u"REDO "), u"nothing to redo");
  host.doc->EndUndoMark();
  EXPECT_EQ(host.Entity("keys")->TextString(), u"ouka");
}

// What observers of a document are told, and when.
class RecordingObserver final : public ChangeObserver {
 public:
  void RecordsChanged(StandInDocument&, const std::vector<drawing::Record*>& records) override {
    told.push_back(records);
  }
  std::vector<std::vector<drawing::Record*>> told;
};

drawing::Record& RecordOf(Host& host, const std::string& name) {
  return *host.doc->Dwg().FindByHandle(*drawing::ToHandle(textcore::ToUtf8(test::HandleOf(name))));
}

TEST(ChangeObservers, AreToldWhichRecordsChangedAtUpdateRegenAndEachCommandAndWhenAsked) {
  Host host("hebrew.dxf");
  RecordingObserver observer;
  host.doc->AddObserver(&observer);
  drawing::Record& keys = RecordOf(host, "keys");
  drawing::Record& arial = RecordOf(host, "arial");

  const auto text = host.Entity("keys");
  text->SetTextString(u"first");
  text->SetTextString(u"second");
  EXPECT_TRUE(observer.told.empty());  // nothing is told before the drawing is shown again
  text->Update();
  ASSERT_EQ(observer.told.size(), 1u);
  EXPECT_EQ(observer.told[0], std::vector<drawing::Record*>{&keys});  // once, however often it changed
  text->Update();
  EXPECT_EQ(observer.told.size(), 1u);  // nothing changed since

  host.Entity("arial")->SetColor(3);
  const auto added = host.doc->ModelSpace()->AddText(u"new", {}, 1);
  host.doc->Regen(1);
  ASSERT_EQ(observer.told.size(), 2u);
  ASSERT_GE(observer.told[1].size(), 2u);
  EXPECT_EQ(observer.told[1][0], &arial);
  drawing::Record* inserted = nullptr;
  for (drawing::Record* r : observer.told[1])
    if (r->Type() == "TEXT" && r != &arial) inserted = r;
  ASSERT_NE(inserted, nullptr);

  // An undo tells the records it took back, the removed entity among them.
  RunU(host);
  ASSERT_EQ(observer.told.size(), 3u);
  EXPECT_NE(std::find(observer.told[2].begin(), observer.told[2].end(), inserted), observer.told[2].end());
  EXPECT_TRUE(inserted->Erased());
  RunCommand(host, u"REDO ");
  ASSERT_EQ(observer.told.size(), 4u);
  EXPECT_FALSE(inserted->Erased());
  EXPECT_EQ(added->TextString(), u"new");

  // Highlighting, and the host's own asking; a removed observer hears nothing.
  host.Entity("arial")->Highlight(true);
  host.doc->TellObservers();
  ASSERT_EQ(observer.told.size(), 5u);
  EXPECT_EQ(observer.told[4], std::vector<drawing::Record*>{&arial});
  host.doc->RemoveObserver(&observer);
  host.Entity("keys")->SetTextString(u"unheard");
  host.app->Update();
  EXPECT_EQ(observer.told.size(), 5u);
}

// A window that shows a view of the active space and prints to a list.
class FakeWindow final : public HostWindow {
 public:
  std::optional<View> shown;
  std::vector<std::u16string> plotted;
  std::optional<View> ShownView(StandInDocument&) override { return shown; }
  bool ShowView(StandInDocument&, const View& view) override {
    if (!shown) return false;
    shown = view;
    return true;
  }
  std::u16string Plot(StandInDocument& document) override {
    plotted.push_back(document.Name());
    if (plotted.size() > 1) throw acad::Error("the user cancelled the plot");
    return u"plotted " + document.Name();
  }
};

TEST(HostWindow, ItsViewIsTheActiveSpacesViewZoomMovesItAndPlotPrintsThroughIt) {
  Host host("hebrew.dxf");
  const std::string before = Bytes(*host.doc);
  FakeWindow window;
  host.app->SetWindow(&window);
  // A window that does not show the active space leaves the view to the drawing.
  EXPECT_EQ(std::get<acad::Point>(host.doc->GetVariable(u"VIEWCTR")).x, 50);
  window.shown = View{{1, 2, 0}, 30};
  EXPECT_EQ(std::get<acad::Point>(host.doc->GetVariable(u"VIEWCTR")).y, 2);
  EXPECT_EQ(std::get<double>(host.doc->GetVariable(u"VIEWSIZE")), 30);
  host.app->ZoomCenter({4, 5, 0}, 6);
  EXPECT_EQ(window.shown->center.x, 4);
  EXPECT_EQ(window.shown->height, 6);
  EXPECT_TRUE(Bytes(*host.doc) == before);  // the window's zoom is not a change of the drawing
  EXPECT_TRUE(host.doc->Saved());

  EXPECT_EQ(RunCommand(host, u"_PLOT "), u"plotted hebrew.dxf");
  EXPECT_EQ(RunCommand(host, u"_PLOT "), u"the user cancelled the plot");
  EXPECT_EQ(window.plotted.size(), 2u);
}

}  // namespace
}  // namespace zil::standin
