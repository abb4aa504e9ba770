// The host state over the stand-in host: the refresh, the current style and its classification, the name
// lists and the keyboard list.
#include <gtest/gtest.h>

#include <algorithm>

#include "acad/error.h"
#include "drawing/tag_values.h"
#include "host_fixtures.h"
#include "textcore/utf8.h"

namespace zil::standin {
namespace {

class HostStateTest : public test::AddInOnHost {
 protected:
  explicit HostStateTest(const std::string& fixture = "hebrew.dxf") : AddInOnHost(fixture) {
    state().RefreshHost(fake.keyboard);
  }
  acad::HostState& state() { return addin.host; }
};

TEST_F(HostStateTest, TheRefreshReadsTheDocumentItsSpaceStylesAndLayer) {
  EXPECT_EQ(state().AcadDoc, host.doc);
  EXPECT_EQ(state().AcadSpace->Name(), u"*Model_Space");
  EXPECT_EQ(state().AcadTextStyles->Item(u"Keys")->FontFile(), u"hebkeys.shx");
  EXPECT_EQ(state().CurLayerName, u"0");
  EXPECT_EQ(state().languages.size(), 2u);  // the portable layouts: US English and Hebrew

  // The current style is the caller's: the refresh keeps it.
  state().CurStyleName = u"Keys";
  state().LoadNamedStyle(addin.frmFonts());
  host.doc->Layers()->Item(u"Frozen")->SetFreeze(false);
  host.doc->SetActiveLayer(host.doc->Layers()->Item(u"Frozen"));
  state().RefreshHost(fake.keyboard);
  EXPECT_EQ(state().CurStyleName, u"Keys");
  EXPECT_EQ(state().CurLayerName, u"Frozen");
}

TEST_F(HostStateTest, StylesAreClassifiedByTheirFontOrBigFontAndOnlyFlagTwoIsBackwards) {
  const struct {
    std::u16string style;
    fntType type;
    bool backwards;
  } cases[] = {
      {u"Keys", DosEnglish, false},     {u"Backward", DosEnglish, true},    {u"UpsideBack", DosEnglish, false},
      {u"Upside", DosEnglish, false},   {u"BigOnly", DosEnglish, false},    {u"Arial", TrueType, false},
      {u"ArialUpper", TrueType, false}, {u"VeltroWin", WindowsHeb, false},  {u"NoFont", TrueType, false},
      {u"DosHeb", DosHebrew, false},    {u"NoExtension", DosHebrew, false},
  };
  config::FontDefinitions& fonts = addin.frmFonts();
  for (const auto& c : cases) {
    fonts.conv.cStType = WindowsHeb;
    fonts.conv.cStBack = !c.backwards;
    state().CurStyleName = c.style;
    state().LoadNamedStyle(fonts);
    EXPECT_EQ(fonts.conv.cStType, c.type) << std::string(c.style.begin(), c.style.end());
    EXPECT_EQ(fonts.conv.cStBack, c.backwards) << std::string(c.style.begin(), c.style.end());
    EXPECT_EQ(state().CurStyle->Name(), c.style);
  }
  state().CurStyleName = u"Missing";
  EXPECT_THROW(state().LoadNamedStyle(fonts), acad::Error);

  host.doc->SetVariable(u"TEXTSTYLE", std::u16string(u"backward"));
  state().LoadActiveStyle(fonts);
  EXPECT_EQ(state().CurStyleName, u"Backward");
  EXPECT_TRUE(fonts.conv.cStBack);
}

TEST_F(HostStateTest, NameListsFollowTheCollections) {
  const auto styles = state().ListStyleNames();
  ASSERT_EQ(static_cast<int>(styles.size()), state().AcadTextStyles->Count());
  for (std::size_t i = 0; i < styles.size(); ++i)
    EXPECT_EQ(styles[i], state().AcadTextStyles->Item(static_cast<int>(i))->Name());
  EXPECT_NE(std::find(styles.begin(), styles.end(), u"UpsideBack"), styles.end());
  const auto layers = state().ListLayerNames();
  EXPECT_EQ(layers, (std::vector<std::u16string>{u"0", u"Defpoints", u"Frozen", u"Locked"}));
}

TEST_F(HostStateTest, OnlyTheFirstFortyKeyboardLayoutsAreListed) {
  std::vector<platform::KeyboardLayoutHandle> installed;
  for (platform::KeyboardLayoutHandle i = 0; i < 45; ++i)
    installed.push_back(((platform::kUsEnglishLanguage + i) << 16) | platform::kUsEnglishLanguage);
  installed[3] = platform::kHebrewLanguage;
  platform::PortableKeyboardLayouts many(installed);
  state().BuildKeyboardList(many);
  ASSERT_EQ(state().languages.size(), acad::kMaxKeyboardLayouts);
  EXPECT_EQ(state().languages[3].LanguageID, 0x040D);
  EXPECT_FALSE(state().keyboardIsHebrew);
}

class PaperSpaceActive : public HostStateTest {
 protected:
  PaperSpaceActive() : HostStateTest("paper.dxf") {}
};

TEST_F(PaperSpaceActive, NewEntitiesGoToPaperSpace) {
  EXPECT_EQ(host.doc->ActiveSpace(), 0);
  EXPECT_EQ(state().AcadSpace->Name(), u"*Paper_Space");
  const auto text = state().AcadSpace->AddText(u"on paper", {0, 0, 0}, 1);
  const drawing::Record* record =
      host.doc->Dwg().FindByHandle(drawing::ToHandle(textcore::ToUtf8(text->Handle())).value());
  ASSERT_NE(record, nullptr);
  EXPECT_TRUE(record->InPaperSpace());
  EXPECT_EQ(host.doc->PaperSpace()->Count(), 2);
  EXPECT_EQ(host.doc->ModelSpace()->Count(), 1);
}

class LayerGone : public HostStateTest {
 protected:
  LayerGone() : HostStateTest("gone_layer.dxf") {}
};

TEST_F(LayerGone, ACurrentLayerThatCannotBeReadIsLayerZeroAndTheRefreshGoesOn) {
  EXPECT_THROW(host.doc->ActiveLayer(), acad::Error);
  EXPECT_EQ(state().CurLayerName, u"0");
  EXPECT_NE(state().AcadTextStyles, nullptr);
  EXPECT_EQ(state().languages.size(), 2u);
}

}  // namespace
}  // namespace zil::standin
