// The stand-in host's automation surface over real drawings: objects by kind, erased and locked objects,
// selection sets and filters, the input source, system variables, the current layer and styles, the
// collections, files, and the command line.
#include <gtest/gtest.h>

#include <functional>

#include "acad/error.h"
#include "drawing/standin/command_text.h"
#include "drawing/standin/selection.h"
#include "drawing/table_views.h"
#include "drawing/tag_values.h"
#include "host_fixtures.h"
#include "textcore/utf8.h"

namespace zil::standin {
namespace {

using test::Bytes;
using test::HandleOf;
using test::Host;

// The message of the acad::Error `body` throws; fails the test when it throws none.
template <typename Body>
std::string ErrorOf(Body&& body) {
  try {
    body();
  } catch (const acad::Error& e) {
    return e.what();
  }
  ADD_FAILURE() << "no acad::Error";
  return {};
}

bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(StandIn, EachKindServesItsMembersAndFailsForOthersAsLateBindingDoes) {
  Host host("hebrew.dxf");
  Host flagged("kinds.dxf");  // dimensions and polylines, named by their flags
  const struct {
    Host& in;
    const char* name;
    std::u16string objectName;
    int entityType;
  } kinds[] = {
      {host, "keys", u"AcDbText", 32},
      {host, "attdef", u"AcDbAttributeDefinition", 5},
      {host, "attrib_name", u"AcDbAttribute", 6},
      {host, "insert", u"AcDbBlockReference", 7},
      {host, "mtext_arial", u"AcDbMText", 21},
      {host, "line", u"AcDbLine", 19},
      {flagged, "dim_linear", u"AcDbRotatedDimension", 15},
      {flagged, "dim_radius", u"AcDbRadialDimension", 14},
      {flagged, "polyline_2d", u"AcDb2dPolyline", 23},
      {flagged, "polyline_3d", u"AcDb3dPolyline", 2},
      {flagged, "polyface", u"AcDbPolyFaceMesh", 39},
      {flagged, "polymesh", u"AcDbPolygonMesh", 25},
  };
  for (const auto& k : kinds) {
    const auto e = k.in.Entity(k.name);
    EXPECT_EQ(e->ObjectName(), k.objectName) << k.name;
    EXPECT_EQ(e->EntityType(), k.entityType) << k.name;
    EXPECT_EQ(e->Handle(), HandleOf(k.name));
  }
  const auto line = host.Entity("line");
  const std::string lacks = ErrorOf([&] { static_cast<void>(line->TextString()); });
  EXPECT_TRUE(Holds(lacks, "AcDbLine") && Holds(lacks, "TextString")) << lacks;
  EXPECT_TRUE(Holds(ErrorOf([&] { static_cast<void>(host.Entity("attrib_name")->PromptString()); }), "PromptString"));
  EXPECT_EQ(host.Entity("attdef")->PromptString(), u"Name");
  EXPECT_EQ(host.Entity("attdef")->TagString(), u"NAME");

  const auto insert = host.Entity("insert");
  EXPECT_EQ(insert->Name(), u"TITLE");
  EXPECT_TRUE(insert->HasAttributes());
  const auto attributes = insert->GetAttributes();
  ASSERT_EQ(attributes.size(), 2u);
  EXPECT_EQ(attributes[0]->TagString(), u"NAME");
  EXPECT_EQ(attributes[1]->TextString(), u"חיפה");
  EXPECT_EQ(attributes[1]->Handle(), HandleOf("attrib_city"));
  EXPECT_THROW(attributes[0]->Copy(), acad::Error);  // it would belong to no block reference

  // A table record is an object with a name and a handle, and nothing of an entity.
  const drawing::Record* record = drawing::FindTableRecord(host.doc->Dwg(), "STYLE", u"Arial");
  const auto style = host.doc->HandleToObject(textcore::FromUtf8(drawing::FormatHandle(record->Handle())));
  EXPECT_EQ(style->ObjectName(), u"AcDbTextStyleTableRecord");
  EXPECT_TRUE(Holds(ErrorOf([&] { static_cast<void>(style->EntityType()); }), "EntityType"));
  EXPECT_THROW(style->Layer(), acad::Error);
}

TEST(StandIn, HandlesThatNameNoLiveEntityFail) {
  Host host("hebrew.dxf");
  for (const std::u16string handle : {u"FFFFF", u"", u"xyz", u"0"})
    EXPECT_TRUE(Holds(ErrorOf([&] { host.doc->HandleToObject(handle); }), "handle")) << textcore::ToUtf8(handle);
}

TEST(StandIn, ErasedObjectsFailAndLockedOnesCanBeReadButNotChanged) {
  Host host("hebrew.dxf");
  const auto text = host.Entity("arial");
  text->SetLayer(u"Locked");
  const std::string before = Bytes(*host.doc);
  EXPECT_EQ(text->TextString(), u"שלום עולם");
  for (const auto& change :
       std::vector<std::function<void()>>{[&] { text->SetTextString(u"x"); },
                                          [&] {
                                            text->Move({0, 0, 0}, {1, 0, 0});
                                          },
                                          [&] { text->SetAlignment(1); }, [&] { text->Erase(); },
                                          [&] { text->SetColor(3); }, [&] { text->SetStyleName(u"Standard"); }})
    EXPECT_TRUE(Holds(ErrorOf(change), "locked layer"));
  EXPECT_EQ(Bytes(*host.doc), before);
  // Unlocked, locked again: each change asks the layer as it is now.
  host.doc->Layers()->Item(u"Locked")->SetLock(false);
  text->SetColor(3);
  text->SetAlignment(text->Alignment());  // the layer asked, the text left as it was
  host.doc->Layers()->Item(u"Locked")->SetLock(true);
  EXPECT_TRUE(Holds(ErrorOf([&] { text->SetColor(4); }), "locked layer"));
  EXPECT_EQ(text->Color(), 3);

  const auto line = host.Entity("line");
  line->Erase();
  EXPECT_TRUE(Holds(ErrorOf([&] { static_cast<void>(line->Layer()); }), "erased"));
  EXPECT_TRUE(Holds(ErrorOf([&] { host.doc->HandleToObject(HandleOf("line")); }), "handle"));
}

// A value of the file that does not parse fails the member that reads it, as that member's error: the
// message names the member and the object, then the file's line. A change that meets it changes nothing.
TEST(StandIn, AValueThatDoesNotParseFailsTheMemberThatMeetsIt) {
  zil::test::TempFolder dir;
  std::string dxf = test::FixtureBytes("hebrew.dxf");
  const std::string handle = textcore::ToUtf8(HandleOf("keys"));
  const std::size_t keys = dxf.find("\n  5\n" + handle + "\n");
  ASSERT_NE(keys, std::string::npos);
  const auto spoil = [&](const std::string& from, const std::string& to) {
    const std::size_t at = dxf.find(from, keys);
    ASSERT_NE(at, std::string::npos) << from;
    dxf.replace(at, from.size(), to);
  };
  spoil("\n 40\n2.0\n", "\n 40\ntall\n");       // the height
  spoil("\n  8\n0\n", "\n  8\n0\n 62\nred\n");  // a colour
  dir.Write("spoilt.dxf", dxf);
  const auto app = StandInApplication::Create();
  const auto doc = app->OpenDrawing(dir / "spoilt.dxf");
  const acad::EntityPtr text = doc->HandleToObject(HandleOf("keys"));
  const std::string before = Bytes(*doc);

  const struct {
    const char* member;
    std::function<void()> call;
  } calls[] = {
      {"Height", [&] { static_cast<void>(text->Height()); }},
      {"Rotation", [&] { static_cast<void>(text->Rotation()); }},
      {"GetBoundingBox", [&] { static_cast<void>(text->GetBoundingBox()); }},
      {"Color", [&] { static_cast<void>(text->Color()); }},
      {"TextString", [&] { text->SetTextString(u"x"); }},
      {"InsertionPoint",
       [&] {
         text->SetInsertionPoint({1, 2, 0});
       }},
  };
  for (const auto& c : calls) {
    const std::string message = ErrorOf(c.call);
    EXPECT_TRUE(message.starts_with(std::string(c.member) + ": the object AcDbText (handle " + handle + "): "))
        << message;
    EXPECT_TRUE(Holds(message, "spoilt.dxf line ")) << message;
  }
  EXPECT_EQ(Bytes(*doc), before);
}

TEST(StandIn, SelectionSetsSelectEverythingThroughTheFilterAndPickThroughTheInput) {
  const auto h = [](const char* name) { return textcore::ToUtf8(HandleOf(name)); };
  Host host("hebrew.dxf",
            "pick " + h("keys") + " " + h("mtext_keys") + " " + h("insert") + " " + h("line") + " FFFF\nenter\n");
  const auto sets = host.doc->SelectionSets();
  const auto set = sets->Add(u"S");
  EXPECT_TRUE(Holds(ErrorOf([&] { sets->Add(u"s"); }), "exists"));
  set->Select(acad::kSelectAll, {}, {}, {0}, {std::u16string(u"Text,MTEXT")});
  EXPECT_EQ(set->Count(), 13);  // eleven texts and two MTEXT of model space; attributes are parts of the insert
  set->Select(acad::kSelectAll, {}, {}, {0}, {std::u16string(u"TEXT")});
  EXPECT_EQ(set->Count(), 13);  // nothing twice

  const auto keys = sets->Add(u"Keys");
  keys->Select(acad::kSelectAll, {}, {}, {0, 7}, {std::u16string(u"*TEXT"), std::u16string(u"keys,backward")});
  EXPECT_EQ(keys->Count(), 3);  // two texts and an MTEXT
  EXPECT_TRUE(Holds(ErrorOf([&] { keys->Select(0, {}, {}, {}, {}); }), "mode 0"));
  EXPECT_TRUE(Holds(ErrorOf([&] { keys->Select(5, {}, {}, {62}, {std::int32_t{1}}); }), "62"));
  EXPECT_TRUE(Holds(ErrorOf([&] { keys->Select(5, {}, {}, {0, 8}, {std::u16string(u"TEXT")}); }), "values"));

  // Picks the filter does not admit, and handles of nothing, are not taken; Enter picks nothing.
  const auto picked = sets->Add(u"Picked");
  picked->SelectOnScreen({0}, {std::u16string(u"Text,INSERT")});
  ASSERT_EQ(picked->Count(), 2);
  EXPECT_EQ(picked->Item(0)->Handle(), HandleOf("keys"));
  EXPECT_EQ(picked->Item(1)->Handle(), HandleOf("insert"));
  picked->SelectOnScreen({}, {});
  EXPECT_EQ(picked->Count(), 2);

  const std::string before = Bytes(*host.doc);
  picked->Erase();
  EXPECT_EQ(picked->Count(), 0);
  EXPECT_THROW(host.Entity("insert"), acad::Error);
  host.doc->SendCommand(u"U ");
  host.app->RunQueuedCommands();
  EXPECT_EQ(Bytes(*host.doc), before);  // the erasure was one step

  picked->Delete();
  EXPECT_THROW(picked->Count(), acad::Error);
  EXPECT_EQ(sets->Count(), 2);
  EXPECT_EQ(sets->Add(u"Picked")->Count(), 0);
}

TEST(StandIn, FiltersReadPatternsAsAutoCadsWildcardMatching) {
  const struct {
    std::u16string_view text, pattern;
    bool match;
  } cases[] = {
      {u"TEXT", u"Text,MTEXT", true}, {u"MTEXT", u"*text", true}, {u"INSERT", u"~*TEXT", true},
      {u"TEXT", u"~*TEXT", false},    {u"A1", u"@#", true},       {u"A1", u"@@", false},
      {u"a,b", u"a`,b", true},        {u"Q", u"[A-Z]", true},     {u"q", u"[~A-Z]", false},
      {u"x-1", u"x.#", true},         {u"LINE", u"L?NE", true},   {u"", u"*", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WildcardMatch(c.text, c.pattern), c.match)
        << textcore::ToUtf8(c.text) << " " << textcore::ToUtf8(c.pattern);
}

TEST(StandIn, UtilityAsksTheInputSource) {
  Host host("hebrew.dxf", "point 1 2\nenter\ndistance 2.5\npoint 4 6\nenter\ncancel\ndistance 1\n");
  const auto utility = host.doc->Utility();
  EXPECT_EQ(utility->GetPoint(std::nullopt, u">Start point:"), (acad::Point{1, 2, 0}));
  EXPECT_TRUE(Holds(ErrorOf([&] { utility->GetPoint(std::nullopt, u"p"); }), "keyword"));
  EXPECT_EQ(utility->GetDistance(acad::Point{1, 2, 0}, u"Height : <2.50>"), 2.5);
  EXPECT_EQ(utility->GetDistance(acad::Point{1, 2, 0}, u"Height"), 5);  // from the base point to the point
  EXPECT_TRUE(Holds(ErrorOf([&] { utility->GetDistance(acad::Point{}, u"Height"); }), "keyword"));
  EXPECT_TRUE(Holds(ErrorOf([&] { utility->GetDistance(acad::Point{}, u"Height"); }), "cancelled"));
  EXPECT_TRUE(Holds(ErrorOf([&] { utility->GetPoint(std::nullopt, u"p"); }), "line 7"));  // a distance for a point
  EXPECT_TRUE(Holds(ErrorOf([&] { utility->GetPoint(std::nullopt, u">Where:"); }), ">Where:"));  // none left
}

TEST(StandIn, AnswersThatAreNotAnswersAreRefusedWithTheirLine) {
  for (const char* text : {"point 1\n", "distance x\n", "pick\n", "enter now\n", "jump 1 2\n"}) {
    std::istringstream in(std::string("# answers\n\n") + text);
    try {
      ScriptedInput::Parse(in, "a.txt");
      ADD_FAILURE() << text;
    } catch (const std::invalid_argument& e) {
      EXPECT_TRUE(Holds(e.what(), "a.txt line 3")) << e.what();
    }
  }
}

TEST(StandIn, SystemVariables) {
  Host host("hebrew.dxf");
  acad::Document& doc = *host.doc;
  EXPECT_EQ(doc.GetVariable(u"Viewctr"), acad::Value(acad::Point{50, 25, 0}));
  EXPECT_EQ(doc.GetVariable(u"viewsize"), acad::Value(10.0));
  EXPECT_EQ(doc.GetVariable(u"screensize"), acad::Value(acad::Point{1600, 800, 0}));
  host.app->SetScreenSize({1000, 500});
  EXPECT_EQ(doc.GetVariable(u"SCREENSIZE"), acad::Value(acad::Point{1000, 500, 0}));
  host.app->ZoomCenter({1, 2, 0}, 5);
  EXPECT_EQ(doc.GetVariable(u"VIEWCTR"), acad::Value(acad::Point{1, 2, 0}));
  EXPECT_EQ(doc.GetVariable(u"VIEWSIZE"), acad::Value(5.0));
  EXPECT_TRUE(Holds(ErrorOf([&] { doc.SetVariable(u"VIEWCTR", acad::Point{}); }), "read only"));

  EXPECT_EQ(doc.GetVariable(u"TEXTSIZE"), acad::Value(2.5));
  doc.SetVariable(u"textsize", 3.5);
  EXPECT_EQ(doc.GetVariable(u"TEXTSIZE"), acad::Value(3.5));
  EXPECT_THROW(doc.SetVariable(u"TEXTSIZE", 0.0), acad::Error);
  EXPECT_THROW(doc.SetVariable(u"TEXTSIZE", std::u16string(u"3")), acad::Error);

  EXPECT_EQ(doc.GetVariable(u"TEXTSTYLE"), acad::Value(std::u16string(u"Standard")));
  doc.SetVariable(u"TEXTSTYLE", std::u16string(u"Arial"));
  EXPECT_EQ(doc.ActiveTextStyle()->Name(), u"Arial");
  EXPECT_THROW(doc.SetVariable(u"TEXTSTYLE", std::u16string(u"Nope")), acad::Error);

  EXPECT_EQ(doc.GetVariable(u"CECOLOR"), acad::Value(std::u16string(u"BYLAYER")));
  doc.SetVariable(u"CECOLOR", std::u16string(u"2"));
  EXPECT_EQ(doc.GetVariable(u"CECOLOR"), acad::Value(std::u16string(u"2")));
  const auto text = doc.ModelSpace()->AddText(u"new", {0, 0, 0}, 1);
  EXPECT_EQ(text->Color(), 2);
  EXPECT_EQ(text->StyleName(), u"Arial");
  doc.SetVariable(u"CECOLOR", std::u16string(u"byblock"));
  EXPECT_EQ(doc.ModelSpace()->AddText(u"x", {}, 1)->Color(), 0);
  for (const acad::Value& bad :
       {acad::Value(std::u16string(u"300")), acad::Value(std::int32_t{2}), acad::Value(std::u16string(u"red"))})
    EXPECT_THROW(doc.SetVariable(u"CECOLOR", bad), acad::Error);

  EXPECT_EQ(doc.GetVariable(u"DIMTXSTY"), acad::Value(std::u16string(u"Standard")));
  EXPECT_EQ(doc.GetVariable(u"TILEMODE"), acad::Value(std::int32_t{1}));  // any header variable
  EXPECT_TRUE(Holds(ErrorOf([&] { doc.GetVariable(u"NOSUCHVAR"); }), "NOSUCHVAR"));
  EXPECT_THROW(doc.SetVariable(u"TILEMODE", std::int32_t{0}), acad::Error);
}

TEST(StandIn, CurrentLayerStylesAndTheCollections) {
  Host host("hebrew.dxf");
  acad::Document& doc = *host.doc;
  EXPECT_EQ(doc.ActiveLayer()->Name(), u"0");
  const auto layers = doc.Layers();
  const auto frozen = layers->Item(u"frozen");
  EXPECT_TRUE(frozen->Freeze());
  EXPECT_TRUE(Holds(ErrorOf([&] { doc.SetActiveLayer(frozen); }), "frozen"));
  frozen->SetFreeze(false);
  doc.SetActiveLayer(frozen);
  EXPECT_EQ(doc.GetVariable(u"CLAYER"), acad::Value(std::u16string(u"Frozen")));
  EXPECT_TRUE(Holds(ErrorOf([&] { frozen->SetFreeze(true); }), "current layer"));
  EXPECT_EQ(doc.ModelSpace()->AddText(u"on it", {}, 1)->Layer(), u"Frozen");
  EXPECT_TRUE(layers->Item(u"Locked")->Lock());
  const int layerCount = layers->Count();
  EXPECT_EQ(layers->Add(u"Locked")->Name(), u"Locked");  // the one it has
  EXPECT_EQ(layers->Add(u"New")->Name(), u"New");
  EXPECT_EQ(layers->Count(), layerCount + 1);
  EXPECT_THROW(layers->Item(layerCount + 1), acad::Error);

  const auto styles = doc.TextStyles();
  EXPECT_EQ(styles->Item(u"ARIAL")->FontFile(), u"arial.ttf");
  EXPECT_EQ(styles->Item(u"BigOnly")->BigFontFile(), u"hebkeys.shx");
  EXPECT_EQ(styles->Item(u"UpsideBack")->TextGenerationFlag(), 6);
  // A style is found as soon as it is added, though it was looked for before.
  const auto text = host.Entity("keys");
  EXPECT_THROW(text->SetStyleName(u"ARIALREVIT"), acad::Error);
  EXPECT_TRUE(Holds(ErrorOf([&] { text->SetStyleName(u"ARIALREVIT"); }), "no text style named \"ARIALREVIT\""));
  const auto revit = styles->Add(u"ARIALREVIT");
  text->SetStyleName(u"ARIALREVIT");
  EXPECT_EQ(text->StyleName(), u"ARIALREVIT");
  revit->SetFont(u"Arial", false, false, 0, 34);
  revit->SetWidth(1);
  EXPECT_EQ(revit->FontFile(), u"");
  EXPECT_EQ(styles->Item(styles->Count() - 1)->Name(), u"ARIALREVIT");
  doc.SetActiveTextStyle(revit);
  EXPECT_EQ(doc.ActiveTextStyle()->Name(), u"ARIALREVIT");

  const auto dimStyle = doc.DimStyles()->Item(0);
  doc.SetActiveDimStyle(dimStyle);
  EXPECT_EQ(doc.ActiveDimStyle()->Name(), dimStyle->Name());
  EXPECT_THROW(doc.DimStyles()->Add(u"New"), acad::Error);

  const auto blocks = doc.Blocks();
  EXPECT_EQ(blocks->Item(0)->Name(), u"*Model_Space");
  EXPECT_TRUE(blocks->Item(0)->IsLayout());
  EXPECT_EQ(blocks->Item(1)->Name(), u"*Paper_Space");
  const auto title = blocks->Item(u"title");
  EXPECT_FALSE(title->IsLayout());
  EXPECT_EQ(title->Count(), 3);  // a line and two attribute definitions
  EXPECT_EQ(title->Item(1)->ObjectName(), u"AcDbAttributeDefinition");
  EXPECT_THROW(blocks->Add(u"NEW"), acad::Error);
  EXPECT_EQ(doc.ModelSpace()->Item(0)->Handle(), HandleOf("keys"));
}

TEST(StandIn, SavingAndOpening) {
  zil::test::TempFolder dir;
  Host host("hebrew.dxf");
  acad::Document& doc = *host.doc;
  EXPECT_TRUE(doc.Saved());
  EXPECT_EQ(doc.Name(), u"hebrew.dxf");
  host.Entity("keys")->SetTextString(u"changed");
  EXPECT_FALSE(doc.Saved());
  EXPECT_TRUE(Holds(ErrorOf([&] { doc.Save(); }), "reading only"));  // the fixture is protected
  EXPECT_TRUE(Holds(ErrorOf([&] { doc.SaveAs(textcore::FromUtf8(test::Fixture("hebrew.dxf"))); }), "reading only"));
  EXPECT_TRUE(Holds(ErrorOf([&] { doc.SaveAs(textcore::FromUtf8((dir / "copy.dwg").string())); }), "DXF"));
  EXPECT_EQ(zil::test::TempFolder::Read(test::Fixture("hebrew.dxf")), test::FixtureBytes("hebrew.dxf"));

  doc.SaveAs(textcore::FromUtf8((dir / "copy.dxf").string()));
  EXPECT_TRUE(doc.Saved());
  EXPECT_EQ(doc.Name(), u"copy.dxf");
  EXPECT_EQ(doc.Path(), textcore::FromUtf8(dir.path().string()));
  host.Entity("keys")->SetTextString(u"again");
  doc.Save();
  EXPECT_EQ(zil::test::TempFolder::Read(dir / "copy.dxf"), Bytes(*host.doc));

  const auto documents = host.app->Documents();
  const auto other = documents->Open(textcore::FromUtf8(test::Fixture("no_texts.dxf")));
  EXPECT_EQ(host.app->ActiveDocument(), other);
  EXPECT_EQ(documents->Count(), 2);
  EXPECT_EQ(documents->Open(textcore::FromUtf8((dir / "copy.dxf").string())), host.doc);  // already open
  EXPECT_EQ(host.app->ActiveDocument(), host.doc);
  EXPECT_THROW(documents->Open(textcore::FromUtf8((dir / "missing.dxf").string())), acad::Error);
}

TEST(StandIn, CommandTextIsReadAsTheCommandLineReadsIt) {
  using Kind = CommandAction::Kind;
  const struct {
    std::u16string_view text;
    std::vector<Kind> actions;  // empty: refused
  } cases[] = {
      {u"U ", {Kind::Undo}},
      {u"_U\n", {Kind::Undo}},
      {u"._u _.U ", {Kind::Undo, Kind::Undo}},
      {u"_PLOT ", {Kind::Plot}},
      {u"(alert \"Press Ok for continue\")(command \"_.u\") ", {Kind::Alert, Kind::Undo}},
      {u"(COMMAND \"_plot\")", {Kind::Plot}},
      {u"U", {}},
      {u"LINE ", {}},
      {u"", {}},
      {u"  ", {}},
      {u"(princ) ", {}},
      {u"(alert \"a\" \"b\")", {}},
      {u"(alert \"open", {}},
      {u"(command)", {}},
      {u"(command \"_LINE\")", {}},
  };
  for (const auto& c : cases) {
    if (c.actions.empty()) {
      EXPECT_THROW(ParseCommandText(c.text), acad::Error) << textcore::ToUtf8(c.text);
      continue;
    }
    std::vector<Kind> kinds;
    for (const CommandAction& a : ParseCommandText(c.text)) kinds.push_back(a.kind);
    EXPECT_EQ(kinds, c.actions) << textcore::ToUtf8(c.text);
  }
  EXPECT_EQ(ParseCommandText(u"(alert \"say \\\"hi\\\"\") ")[0].message, u"say \"hi\"");
}

TEST(StandIn, SentCommandsRunWhenTheHostRunsTheQueueAndRefusedOnesChangeNothing) {
  Host host("hebrew.dxf");
  const std::string before = Bytes(*host.doc);
  host.doc->StartUndoMark();
  host.Entity("keys")->SetTextString(u"x");
  host.doc->EndUndoMark();
  host.doc->SendCommand(u"LINE ");
  host.doc->SendCommand(u"_PLOT ");
  host.doc->SendCommand(u"U ");
  host.doc->SendCommand(u"U ");
  EXPECT_EQ(host.Entity("keys")->TextString(), u"x");  // nothing ran yet
  const auto reports = host.app->RunQueuedCommands();
  ASSERT_EQ(reports.size(), 4u);
  EXPECT_TRUE(Holds(reports[0].error, "LINE"));
  ASSERT_EQ(reports[1].events.size(), 1u);
  EXPECT_EQ(reports[1].events[0].kind, "plot");
  EXPECT_EQ(reports[2].events[0].detail, u"undid the last undo group (1 record changes)");
  EXPECT_EQ(reports[3].events[0].detail, u"nothing to undo");
  EXPECT_EQ(Bytes(*host.doc), before);
  EXPECT_FALSE(host.app->HasQueuedCommands());
}

}  // namespace
}  // namespace zil::standin
