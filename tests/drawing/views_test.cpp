// The typed views read what ezdxf wrote: strings in the drawing's code page with escapes resolved,
// numbers, styles, layers, blocks, attributes, dimensions, layouts and header variables; and what lax
// writers leave out.
#include <gtest/gtest.h>

#include "drawing/dxf_file.h"
#include "drawing/header_view.h"
#include "drawing/loader.h"
#include "drawing/new_table_records.h"
#include "drawing/spaces.h"
#include "drawing/table_views.h"
#include "drawing/writer.h"
#include "fixtures.h"
#include "textcore/utf8.h"

namespace zil::drawing {
namespace {

std::vector<std::u16string> TextStrings(Drawing& d, const Space& space) {
  std::vector<std::u16string> texts;
  for (Record* r : space.Entities()) {
    if (r->Type() == "TEXT") texts.push_back(TextView(d, *r).TextString());
    if (r->Type() == "MTEXT") texts.push_back(MTextView(d, *r).TextString());
  }
  return texts;
}

class Views : public ::testing::TestWithParam<const char*> {};

TEST_P(Views, ReadWhatEzdxfWrote) {
  const bool r2000 = std::string(GetParam()) == "r2000_ansi_1255.dxf";
  const auto drawing = LoadDxfFile(test::Fixture(GetParam()));
  Drawing& d = *drawing;
  EXPECT_EQ(d.Strings().Page().Name(), r2000 ? "ANSI_1255" : "UTF-8");

  const std::vector<std::u16string> texts = TextStrings(d, ModelSpace(d));
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_EQ(texts[0], u"שלום עולם");
  EXPECT_EQ(texts[1], u"aligned");
  EXPECT_EQ(texts[2], r2000 ? u"\u0081\u008A\u008C\u008D\u008E\u008F\u0090\u009A 12" : u"אבג 😀");
  EXPECT_EQ(texts[3], r2000 ? u"tab\there, caret^there" : u"tab\there, caret^there ב");
  // ezdxf writes Ω as \U+03a9 in R2000; the literal \U+05D0 of the source text is an escape in both.
  EXPECT_EQ(texts[4], u"{\\fArial|b1|i0;מודגש}\\Pשורה שנייה א Ω");
  EXPECT_EQ(texts[5].size(), 5u + 11u * 60u);

  const auto entities = ModelSpace(d).Entities();
  TextView rotated(d, *entities[0]);
  EXPECT_DOUBLE_EQ(rotated.RotationDegrees(), 30);
  EXPECT_DOUBLE_EQ(rotated.Height(), 2.5);
  EXPECT_EQ(rotated.StyleName(), u"Arial");
  EXPECT_EQ(rotated.Layer(), u"שכבה");
  EXPECT_EQ(rotated.InsertionPoint(), (Point{10, 20, 0}));
  TextView aligned(d, *entities[1]);
  EXPECT_EQ(aligned.HorizontalAlignment(), 3);
  EXPECT_EQ(aligned.VerticalAlignment(), 0);
  EXPECT_EQ(aligned.AlignmentPoint(), (Point{40, 0, 0}));
  EXPECT_EQ(TextView(d, *entities[2]).StyleName(), u"Backward");
  MTextView mtext(d, *entities[4]);
  EXPECT_EQ(mtext.AttachmentPoint(), 3);
  EXPECT_DOUBLE_EQ(mtext.Width(), 50);

  InsertView title(d, *entities[6]);
  EXPECT_EQ(title.Name(), u"TITLE");
  ASSERT_TRUE(title.HasAttributes());
  const auto attributes = title.Attributes();
  ASSERT_EQ(attributes.size(), 2u);
  EXPECT_EQ(AttributeView(d, *attributes[0]).TagString(), u"NAME");
  EXPECT_EQ(AttributeView(d, *attributes[0]).TextString(), u"בניין א");
  EXPECT_EQ(AttributeView(d, *attributes[1]).TextString(), u"2024-01-01");
  const auto block = FindBlock(d, u"title");
  ASSERT_TRUE(block);
  EXPECT_FALSE(BlockView(d, *block->Entities().front()->Prev()).IsAnonymous());
  std::vector<std::u16string> prompts;
  for (Record* r : block->Entities())
    if (r->Type() == "ATTDEF") prompts.push_back(AttributeView(d, *r).PromptString());
  EXPECT_EQ(prompts, (std::vector<std::u16string>{u"שם הפרויקט", u"Date"}));
  EXPECT_TRUE(FindBlock(d, InsertView(d, *entities[7]).Name()).has_value());
  EXPECT_TRUE(InsertView(d, *entities[7]).Name().starts_with(u"*U"));

  DimensionView dimension(d, *entities[8]);
  EXPECT_EQ(dimension.TextOverride(), u"<> מ\"מ");
  EXPECT_TRUE(dimension.BlockName().starts_with(u"*D"));
  EXPECT_NE(entities[8]->Tags().back().code, 0);  // the override's XDATA is there
  EXPECT_EQ(entities[8]->Tags().back().code >= 1000, true);

  EXPECT_TRUE(LayerView(d, *FindTableRecord(d, "LAYER", u"frozen")).IsFrozen());
  EXPECT_FALSE(LayerView(d, *FindTableRecord(d, "LAYER", u"frozen")).IsLocked());
  EXPECT_TRUE(LayerView(d, *FindTableRecord(d, "LAYER", u"Locked")).IsLocked());
  StyleView shx(d, *FindTableRecord(d, "STYLE", u"HebrewShx"));
  EXPECT_EQ(shx.FontFile(), u"hebrew.shx");
  EXPECT_EQ(shx.BigFontFile(), u"bigheb.shx");
  EXPECT_TRUE(StyleView(d, *FindTableRecord(d, "STYLE", u"Backward")).IsBackward());
  EXPECT_EQ(StyleView(d, *FindTableRecord(d, "STYLE", u"Arial")).FontFile(), u"arial.ttf");
  EXPECT_NE(FindTableRecord(d, "DIMSTYLE", u"Standard"), nullptr);

  const auto layouts = Layouts(d);
  ASSERT_GE(layouts.size(), 2u);
  EXPECT_EQ(layouts[0].name, u"Model");
  EXPECT_TRUE(layouts[0].space.IsModelSpace());
  EXPECT_EQ(layouts[1].name, u"Layout1");
  EXPECT_EQ(TextStrings(d, layouts[1].space), std::vector<std::u16string>{u"paper space"});
  EXPECT_EQ(PaperSpace(d).Entities().back()->Type(), "SOLID");
  EXPECT_EQ(SolidView(d, *PaperSpace(d).Entities().back()).Corner(3), (Point{10, 10, 0}));

  HeaderView header(d);
  EXPECT_EQ(header.String("$ACADVER"), r2000 ? u"AC1015" : u"AC1032");
  for (const Record* r = d.First(); r; r = r->Next())
    EXPECT_LT(r->Handle(),
              static_cast<std::uint64_t>(std::stoull(std::string(header.Value("$HANDSEED")->value), nullptr, 16)));
  const Record* byHandle = d.FindByHandle(entities[0]->Handle());
  EXPECT_EQ(byHandle, entities[0]);
  EXPECT_EQ(EntityView(d, *entities[0]).OwnerHandle(), ModelSpace(d).BlockRecordHandle());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, Views, ::testing::Values("r2000_ansi_1255.dxf", "r2018.dxf"));

TEST(TableNames, MatchWithoutRegardToCaseWhateverTheirCharacters) {
  // Stored as ASCII, as Windows-1255 letters, with an escape (Ω is not in Windows-1255), with a caret.
  const auto drawing = LoadDxfFile(test::Fixture("r2000_ansi_1255.dxf"));
  Drawing& d = *drawing;
  const Record& walls = AddLayer(d, u"Walls-2");
  const Record& hebrew = AddLayer(d, u"קירות");
  const Record& omega = AddLayer(d, u"Ωmega");
  const Record& caret = AddLayer(d, u"A^B");
  const struct {
    std::u16string_view name;
    const Record* found;
  } cases[] = {{u"walls-2", &walls}, {u"WALLS-2", &walls}, {u"Walls-3", nullptr},
               {u"Walls", nullptr},  {u"קירות", &hebrew},  {u"ωMEGA", &omega},
               {u"OMEGA", nullptr},  {u"a^b", &caret},     {u"A^C", nullptr}};
  for (const auto& c : cases) EXPECT_EQ(FindTableRecord(d, "LAYER", c.name), c.found) << textcore::ToUtf8(c.name);
}

TEST(R12Views, ReadTextsAttributesAndLayers) {
  const auto drawing = LoadDxfFile(test::Fixture("r12.dxf"));
  Drawing& d = *drawing;
  EXPECT_EQ(d.Version(), DxfVersion::R12);
  const auto entities = ModelSpace(d).Entities();
  ASSERT_EQ(entities.size(), 2u);
  EXPECT_EQ(TextView(d, *entities[0]).TextString(), u"R12 text");
  EXPECT_DOUBLE_EQ(TextView(d, *entities[0]).RotationDegrees(), 45);
  const auto attributes = InsertView(d, *entities[1]).Attributes();
  ASSERT_EQ(attributes.size(), 1u);
  EXPECT_EQ(AttributeView(d, *attributes[0]).TextString(), u"42");
  EXPECT_EQ(AttributeView(d, *attributes[0]).TagString(), u"ID");
  EXPECT_TRUE(LayerView(d, *FindTableRecord(d, "LAYER", u"Frozen")).IsFrozen());
}

}  // namespace
}  // namespace zil::drawing

namespace zil::drawing {
namespace {

TEST(LaxWriters, TextsWithoutSubclassMarkersAreReadAndChangedInPlace) {
  // An R2000 text without any subclass marker, and one whose vertical alignment sits among the text groups.
  const std::string bytes =
      "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n"
      "0\nTEXT\n5\nA0\n8\n0\n10\n1.0\n20\n2.0\n30\n0.0\n40\n2.5\n1\nplain\n72\n1\n11\n3.0\n21\n4.0\n31\n0.0\n73\n2\n"
      "0\nTEXT\n5\nA1\n100\nAcDbEntity\n8\n0\n100\nAcDbText\n10\n0.0\n20\n0.0\n30\n0.0\n40\n1.0\n1\nx\n72\n2\n73\n3\n"
      "0\nENDSEC\n0\nEOF\n";
  const auto d = LoadDxf(bytes, "lax.dxf");
  const auto entities = ModelSpace(*d).Entities();
  TextView plain(*d, *entities[0]);
  EXPECT_EQ(plain.TextString(), u"plain");
  EXPECT_EQ(plain.VerticalAlignment(), 2);
  EXPECT_EQ(plain.AlignmentPoint(), (Point{3, 4, 0}));
  TextView second(*d, *entities[1]);
  EXPECT_EQ(second.VerticalAlignment(), 3);
  second.SetVerticalAlignment(1);
  plain.SetTextString(u"changed");
  std::string expected = bytes;
  expected.replace(expected.find("plain"), 5, "changed");
  expected.replace(expected.find("73\n3\n"), 5, "73\n1\n");
  EXPECT_EQ(WriteDxfToString(*d), expected);
}

TEST(TextViews, TheVerticalAlignmentIsFoundAlikeWhateverWasReadBefore) {
  // Where the group lies: in the second text segment, wherever that is, or among the text groups when
  // there is none; in a record without markers, anywhere.
  const struct {
    std::string groups;  // after the handle
    int vertical;
  } cases[] = {
      {"100\nAcDbEntity\n8\n0\n100\nAcDbText\n10\n0.0\n1\nx\n100\nAcDbText\n73\n2\n", 2},
      {"100\nAcDbEntity\n8\n0\n100\nAcDbText\n10\n0.0\n1\nx\n73\n1\n", 1},
      {"100\nAcDbEntity\n100\nAcDbText\n10\n0.0\n73\n1\n100\nAcDbOther\n73\n9\n100\nAcDbText\n73\n3\n", 3},
      {"100\nAcDbEntity\n100\nAcDbText\n10\n0.0\n101\nEmbedded Object\n73\n9\n100\nAcDbText\n73\n2\n", 2},
      {"100\nAcDbEntity\n100\nAcDbText\n10\n0.0\n100\nAcDbText\n1001\nAPP\n1070\n3\n", 0},
      {"8\n0\n10\n0.0\n73\n2\n1\nx\n", 2},
  };
  for (const auto& c : cases) {
    const std::string bytes =
        "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nTEXT\n5\nA0\n" +
        c.groups + "0\nENDSEC\n0\nEOF\n";
    const auto d = LoadDxf(bytes, "valign.dxf");
    Record& text = *ModelSpace(*d).Entities().at(0);
    EXPECT_EQ(TextView(*d, text).VerticalAlignment(), c.vertical) << c.groups;
    const TextView view(*d, text);
    ASSERT_NE(view.TextTags()[0], nullptr) << c.groups;  // the text's segment is known first
    EXPECT_EQ(view.VerticalAlignment(), c.vertical) << c.groups;
  }
}

}  // namespace
}  // namespace zil::drawing
