// The drawing-wide commands through the automation object on the stand-in host: the character chart,
// the plot preparation, and the conversions of an entity's text with kinds above 10.
#include "acad/drawing_commands.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "acad/error.h"
#include "drawing/standin/entity.h"
#include "host_fixtures.h"
#include "support/ezdxf_fixtures.h"
#include "textcore/codepage.h"
#include "textcore/utf8.h"
#include "textcore/visual_order.h"

namespace zil::standin {
namespace {

using test::Bytes;
using test::HandleOf;

void ExpectNear(const acad::Point& a, const acad::Point& b, const std::string& what) {
  EXPECT_NEAR(a.x, b.x, 1e-9) << what;
  EXPECT_NEAR(a.y, b.y, 1e-9) << what;
}

TEST(CharacterChart, AViewTenHighOnAScreenOf1600By800) {
  const auto chart = acad::CharacterChart::ForView({50, 25, 0}, 10, 1600, 800);
  EXPECT_NEAR(chart.x2 - chart.x1, 18, 1e-12);  // 0.9 of the view width 20
  EXPECT_NEAR(chart.top - chart.bottom, 9, 1e-12);
  EXPECT_NEAR(chart.x1, 41, 1e-12);
  EXPECT_NEAR(chart.top, 29.5, 1e-12);
  EXPECT_NEAR(chart.l, 0.45, 1e-12);
  EXPECT_NEAR(chart.m, 0.9, 1e-12);
  EXPECT_NEAR(chart.textHeight, 0.225, 1e-12);
  ExpectNear(chart.ColumnHeading(0), {44.6, 28.6}, "column 0");
  ExpectNear(chart.ColumnHeading(15), {58.1, 28.6}, "column F");
  ExpectNear(chart.RowHeading(1), {42.8, 27.25}, "row 1");
  ExpectNear(chart.Cell(15, 15), {58.1, 20.95}, "cell FF");
}

class Commands : public test::AddInOnHost {
 protected:
  explicit Commands(const std::string& fixture = "hebrew.dxf") : AddInOnHost(fixture) {}

  // The entities of model space added since `count` of them were there.
  std::vector<acad::EntityPtr> AddedSince(int count) {
    std::vector<acad::EntityPtr> added;
    const auto space = host.doc->ModelSpace();
    for (int i = count; i < space->Count(); ++i) added.push_back(space->Item(i));
    return added;
  }
};

TEST_F(Commands, TheChartIsDrawnInOneGroupAndTheQueuedAlertTakesItAway) {
  const std::string before = Bytes(*host.doc);
  const int count = host.doc->ModelSpace()->Count();
  ASSERT_EQ(Call(u"HShowfont").hr, automation::S_OK);

  const auto added = AddedSince(count);
  ASSERT_EQ(added.size(), 1u + 16u + 16u * 17u);
  EXPECT_EQ(added[0]->ObjectName(), u"AcDbSolid");
  EXPECT_EQ(added[0]->Color(), 251);
  ExpectNear(added[0]->GetBoundingBox().first, {41, 20.5}, "background");
  ExpectNear(added[0]->GetBoundingBox().second, {59, 29.5}, "background");
  const auto chart = acad::CharacterChart::ForView({50, 25, 0}, 10, 1600, 800);
  EXPECT_EQ(added[1]->TextString(), u"0");
  EXPECT_EQ(added[16]->TextString(), u"F");
  EXPECT_EQ(added[16]->Color(), 1);
  ExpectNear(added[16]->InsertionPoint(), chart.ColumnHeading(15), "heading F");
  EXPECT_NEAR(added[16]->Height(), 0.225, 1e-12);
  // Row 14: its heading, then the cells of codes E0..EF; E0 is alef in Windows-1255.
  const auto& rowE = added[17 + 14 * 17];
  EXPECT_EQ(rowE->TextString(), u"E");
  EXPECT_EQ(rowE->Color(), 1);
  EXPECT_EQ(added[17 + 14 * 17 + 1]->TextString(), u"\u05D0");
  EXPECT_EQ(added[17 + 14 * 17 + 1]->Color(), 2);
  ExpectNear(added[17 + 14 * 17 + 1]->InsertionPoint(), chart.Cell(14, 0), "cell E0");
  EXPECT_EQ(added[18]->TextString(), std::u16string(1, u'\0'));  // code 0 is drawn too
  EXPECT_EQ(host.doc->GetVariable(u"CECOLOR"), acad::Value(std::u16string(u"2")));
  EXPECT_FALSE(host.doc->Undo().GroupOpen());

  const auto reports = host.app->RunQueuedCommands();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].text, acad::kChartUndoCommand);
  EXPECT_EQ(reports[0].text.size(), 47u);
  ASSERT_EQ(reports[0].events.size(), 2u);
  EXPECT_EQ(reports[0].events[0].detail, u"Press Ok for continue");
  EXPECT_EQ(host.input.Alerts(), std::vector<std::u16string>{u"Press Ok for continue"});
  EXPECT_EQ(reports[0].events[1].kind, "undo");
  EXPECT_TRUE(Bytes(*host.doc) == before);  // the chart, and the colour, are gone
}

TEST_F(Commands, TheChartAsWrittenIsReadByEzdxfWithEveryCharacter) {
  const int count = host.doc->ModelSpace()->Count();
  ASSERT_EQ(Call(u"HShowfont").hr, automation::S_OK);
  const std::string file = (dir / "chart.dxf").string();
  host.doc->SaveAs(textcore::FromUtf8(file));
  const nlohmann::json found = zil::test::ProbeWithEzdxf(file);
  EXPECT_TRUE(found["errors"].empty()) << found["errors"].dump();
  EXPECT_TRUE(found["fixes"].empty()) << found["fixes"].dump();
  int texts = 0;
  for (const auto& e : AddedSince(count)) {
    if (e->ObjectName() != u"AcDbText") continue;
    ++texts;
    EXPECT_EQ(found["strings"][textcore::ToUtf8(e->Handle())]["text"].get<std::string>(),
              textcore::ToUtf8(e->TextString()))
        << textcore::ToUtf8(e->Handle());
  }
  EXPECT_EQ(texts, 16 + 16 * 17);
}

TEST_F(Commands, AChartThatFailsHalfWayLeavesNoGroupOpen) {
  host.app->SetScreenSize({1600, 0});  // an infinitely wide view: no point of the chart is a number
  const automation::InvokeResult failed = Call(u"HShowfont");
  EXPECT_EQ(failed.hr, automation::E_UNEXPECTED);
  EXPECT_NE(failed.error.find("finite"), std::string::npos) << failed.error;
  EXPECT_FALSE(host.doc->Undo().GroupOpen());
  EXPECT_FALSE(host.app->HasQueuedCommands());
}

TEST_F(Commands, HplotReordersTheTrueTypeTextsInOneGroupAndStartsThePlot) {
  const std::string before = Bytes(*host.doc);
  const auto text = [&](const char* name) { return host.doc->HandleToObject(HandleOf(name))->TextString(); };
  const std::u16string mtextBefore = text("mtext_arial");
  ASSERT_EQ(Call(u"Hplot").hr, automation::S_OK);
  EXPECT_EQ(text("arial"), u"םלוע םולש");
  EXPECT_EQ(text("arial_upper"), u"12 םולש");  // ".TTF" in capitals
  EXPECT_EQ(text("no_font"), u"והד גבא");      // no font file
  EXPECT_EQ(text("mtext_arial"),
            textcore::FromAnsi(textcore::VisualOrder(textcore::Canvas{}, textcore::ToAnsi(mtextBefore))));
  // SHX fonts, and a font without an extension, are left alone.
  EXPECT_EQ(text("keys"), u"ouka");
  EXPECT_EQ(text("no_extension"), u"שלום");
  EXPECT_EQ(text("windows"), u"םולש");
  EXPECT_EQ(text("mtext_keys"), u"ouka");
  EXPECT_EQ(host.doc->SelectionSets()->Count(), 0);  // "PText" lived only during the command

  const auto reports = host.app->RunQueuedCommands();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].text, u"_PLOT ");
  EXPECT_EQ(reports[0].events.at(0).kind, "plot");
  host.doc->SendCommand(u"U ");
  host.app->RunQueuedCommands();
  EXPECT_TRUE(Bytes(*host.doc) == before);  // one undo step
}

TEST_F(Commands, HplotThatFailsClosesItsGroupAndDeletesItsSelectionSet) {
  host.doc->HandleToObject(HandleOf("no_font"))->SetLayer(u"Locked");
  const automation::InvokeResult failed = Call(u"Hplot");
  EXPECT_EQ(failed.hr, automation::E_UNEXPECTED);
  EXPECT_NE(failed.error.find("locked layer"), std::string::npos) << failed.error;
  EXPECT_FALSE(host.doc->Undo().GroupOpen());
  EXPECT_EQ(host.doc->SelectionSets()->Count(), 0);
  EXPECT_FALSE(host.app->HasQueuedCommands());
  // The texts reordered before the failure are one step; the next Hplot can run.
  host.doc->Layers()->Item(u"Locked")->SetLock(false);
  EXPECT_EQ(Call(u"Hplot").hr, automation::S_OK);
}

class PlotWithoutTexts : public Commands {
 protected:
  PlotWithoutTexts() : Commands("no_texts.dxf") {}
};

TEST_F(PlotWithoutTexts, NothingChangesAndNoPlotStarts) {
  const std::string before = Bytes(*host.doc);
  ASSERT_EQ(Call(u"Hplot").hr, automation::S_OK);
  EXPECT_FALSE(host.app->HasQueuedCommands());
  EXPECT_EQ(host.doc->SelectionSets()->Count(), 0);
  EXPECT_FALSE(host.doc->Undo().GroupOpen());
  EXPECT_EQ(Bytes(*host.doc), before);
  EXPECT_TRUE(host.doc->Saved());
}

TEST_F(Commands, KindsAboveTenConvertTextsAndAttributesByTheirStyles) {
  const struct {
    const char* entity;
    std::u16string editForm;
  } reads[] = {
      {"keys", u"שלום"}, {"keys_backward", u"םולש"}, {"keys_upside_back", u"שלום"}, {"big_only", u"שלום"},
      {"dos", u"שלום"},  {"arial", u"שלום עולם"},    {"attrib_name", u"שלום"},      {"attrib_city", u"חיפה"},
  };
  for (const int kind : {11, 12, 100}) {
    for (const auto& r : reads) {
      ASSERT_EQ(Call(u"acadtostr", {HandleOf(r.entity), kind}).hr, automation::S_OK) << r.entity;
      EXPECT_EQ(Hebstr(), r.editForm) << r.entity << " kind " << kind;
    }
  }
  // Another kind of entity leaves the result as it was; an unknown handle fails and leaves it too.
  ASSERT_EQ(Call(u"acadtostr", {u"abc", 3}).hr, automation::S_OK);
  for (const std::u16string_view member : {u"acadtostr", u"strtoacad"}) {
    EXPECT_EQ(Call(member, {HandleOf("line"), 11}).hr, automation::S_OK);
    EXPECT_EQ(Call(member, {HandleOf("mtext_keys"), 12}).hr, automation::S_OK);
    EXPECT_EQ(Call(member, {HandleOf("insert"), 12}).hr, automation::S_OK);
    EXPECT_EQ(Call(member, {u"FFFFF", 11}).hr, automation::E_UNEXPECTED);
  }
  EXPECT_EQ(Hebstr(), u"abc");
}

TEST_F(Commands, AWriteWithKindElevenUsesTheFontOfTheReadBeforeIt) {
  const auto keys = host.doc->HandleToObject(HandleOf("keys"));
  ASSERT_EQ(Call(u"acadtostr", {HandleOf("keys"), 11}).hr, automation::S_OK);
  EXPECT_EQ(Hebstr(), u"שלום");
  // The command layer puts the edit form into the entity; meanwhile the entity's style changes.
  keys->SetTextString(u"שלום");
  keys->SetStyleName(u"Arial");
  ASSERT_EQ(Call(u"strtoacad", {HandleOf("keys"), 11}).hr, automation::S_OK);
  EXPECT_EQ(Hebstr(), u"ouka");  // the key-mapped font of the read
  EXPECT_EQ(keys->TextString(), u"ouka");

  keys->SetTextString(u"שלום");
  ASSERT_EQ(Call(u"strtoacad", {HandleOf("keys"), 12}).hr, automation::S_OK);
  EXPECT_EQ(Hebstr(), u"םולש");  // its own style's TrueType font
  EXPECT_EQ(keys->TextString(), u"םולש");

  // Attributes are written back the same way.
  const auto attribute = host.doc->HandleToObject(HandleOf("attrib_name"));
  attribute->SetTextString(u"תל אביב");
  ASSERT_EQ(Call(u"strtoacad", {HandleOf("attrib_name"), 12}).hr, automation::S_OK);
  ASSERT_EQ(Call(u"acadtostr", {HandleOf("attrib_name"), 12}).hr, automation::S_OK);
  EXPECT_EQ(Hebstr(), u"תל אביב");
}

TEST_F(Commands, EditAndBlockRouteByTheObjectName) {
  const struct {
    std::u16string_view member;
    const char* entity;
    const char* target;
  } routes[] = {
      {u"edit", "mtext_arial", "The MText editor"}, {u"edit", "attdef", "The attribute grid"},
      {u"edit", "keys", "The text dialog"},         {u"edit", "attrib_name", "The text dialog"},
      {u"block", "attrib_name", "The text dialog"}, {u"block", "attdef", "The text dialog"},
      {u"block", "insert", "The attribute grid"},   {u"block", "line", "The attribute grid"},
  };
  for (const auto& r : routes) {
    const automation::InvokeResult result = Call(r.member, {HandleOf(r.entity)});
    EXPECT_EQ(result.hr, automation::E_NOTIMPL) << r.entity;
    EXPECT_EQ(result.error.rfind(r.target, 0), 0u) << result.error;
  }
  for (const std::u16string_view member : {u"edit", u"block"})
    EXPECT_NE(Call(member, {u"FFFFF"}).error.find("handle"), std::string::npos);
  for (const std::u16string_view member : {u"replace", u"HtoMtext", u"Hlib", u"Convert"})
    EXPECT_EQ(Call(member).hr, automation::E_NOTIMPL);
  EXPECT_EQ(Call(u"newtext", {HandleOf("keys")}).hr, automation::E_NOTIMPL);
  EXPECT_EQ(Call(u"mtext", {u""}).hr, automation::E_NOTIMPL);
  EXPECT_EQ(Call(u"Cmd", {u"hfont_convert", u"", u""}).hr, automation::E_NOTIMPL);
}

class OnR12 : public Commands {
 protected:
  OnR12() : Commands("r12.dxf") {}
};

TEST_F(OnR12, KindsAboveTenOnAnOldDrawing) {
  for (const char* name : {"r12_keys", "r12_attrib"}) {
    ASSERT_EQ(Call(u"acadtostr", {HandleOf(name), 11}).hr, automation::S_OK);
    EXPECT_EQ(Hebstr(), u"שלום") << name;
  }
}

}  // namespace
}  // namespace zil::standin
