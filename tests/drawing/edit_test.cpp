// Changing drawings: only changed tags differ, ezdxf reads our changed output with the same strings and
// its audit finds nothing, and the change journal is enough to undo every change byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <type_traits>

#include "drawing/dxf_error.h"
#include "drawing/dxf_file.h"
#include "drawing/entity_edit.h"
#include "drawing/header_view.h"
#include "drawing/loader.h"
#include "drawing/new_entities.h"
#include "drawing/table_views.h"
#include "drawing/writer.h"
#include "fixtures.h"
#include "support/temp_folder.h"
#include "textcore/utf8.h"

namespace zil::drawing {
namespace {

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(Edit, OnlyTheChangedTagDiffers) {
  const std::string bytes = test::FixtureBytes("r2000_crlf.dxf");
  const auto drawing = LoadDxf(bytes, "crlf.dxf");
  Record& text = *ModelSpace(*drawing).Entities().front();
  TextView view(*drawing, text);
  view.SetTextString(u"שלום חדש Ω");
  const std::uint32_t valueLine = text.Find(1)->line + 1;
  std::vector<std::string> expected = Lines(bytes);
  expected[valueLine - 1] = "\xF9\xEC\xE5\xED \xE7\xE3\xF9 \\U+03A9\r";
  EXPECT_EQ(Lines(WriteDxfToString(*drawing)), expected);
}

// The edits the add-in makes, on any fixture; returns the strings it wrote.
std::vector<std::u16string> EditDrawing(Drawing& d) {
  const bool r12 = d.Version() == DxfVersion::R12;
  const Space model = ModelSpace(d);
  const auto entities = model.Entities();
  TextView first(d, *entities[0]);
  first.SetTextString(u"טקסט \u0081\u009A Ω");
  first.SetHeight(4);
  first.SetHorizontalAlignment(1);
  first.SetVerticalAlignment(2);
  first.SetAlignmentPoint({12, 22, 0});
  MoveEntity(d, *entities[0], {1, 2, 0});
  std::vector<std::u16string> written{u"טקסט \u0081\u009A Ω", u"חדש במודל", u"נייר"};
  AddText(d, model, written[1], {1, 1, 0}, 2.5);
  AddText(d, PaperSpace(d), written[2], {5, 5, 0}, 3);
  AddSolid(d, model, {Point{0, 0, 0}, Point{1, 0, 0}, Point{0, 1, 0}, Point{1, 1, 0}});
  if (!r12) {
    std::u16string longText = u"{\\fArial|b1;כותרת}\\P";
    for (int i = 0; i < 40; ++i) longText += u"שורה Ω ^ \\U+05D0 ";
    AddMText(d, PaperSpace(d), {0, 0, 0}, 80, longText);
    written.push_back(longText);
  }
  Record* insert = nullptr;
  for (Record* r : model.Entities())
    if (r->Type() == "INSERT" && InsertView(d, *r).HasAttributes()) insert = r;
  AttributeView attribute(d, *InsertView(d, *insert).Attributes()[0]);
  attribute.SetTextString(u"ערך חדש");
  written.push_back(u"ערך חדש");
  Record& copy = CopyEntity(d, *insert);
  MoveEntity(d, copy, {100, 0, 0});
  EraseEntity(d, *entities[1]);
  for (Record* r : model.Entities())
    if (r->Type() == "DIMENSION") DimensionView(d, *r).SetTextOverride(u"<> ס\"מ");
  LayerView(d, *FindTableRecord(d, "LAYER", u"Frozen")).SetFrozen(false);
  if (Record* locked = FindTableRecord(d, "LAYER", u"Locked")) LayerView(d, *locked).SetLocked(false);
  StyleView(d, *FindTableRecord(d, "STYLE", u"Standard")).SetGenerationFlags(2);
  return written;
}

class EditFixture : public ::testing::TestWithParam<const char*> {};

TEST_P(EditFixture, EzdxfReadsTheSameStringsAndItsAuditFindsNothing) {
  const zil::test::TempFolder folder;
  const std::string out = (folder / "edited.dxf").string();
  {
    const auto drawing = LoadDxfFile(test::Fixture(GetParam()));
    EditDrawing(*drawing);
    SaveDxfFile(*drawing, out);
  }
  const nlohmann::json probe = test::ProbeWithEzdxf(out);
  EXPECT_TRUE(probe["errors"].empty()) << probe["errors"].dump();
  EXPECT_TRUE(probe["fixes"].empty()) << probe["fixes"].dump();

  // Every string ezdxf reads is the one the host reads, and the new ones are among them.
  const auto drawing = LoadDxfFile(out);
  Drawing& d = *drawing;
  for (const Record* r = d.First(); r != nullptr; r = r->Next())
    EXPECT_LT(r->Handle(), probe["handseed"].get<std::uint64_t>()) << r->Type() << " line " << r->Line();
  std::vector<std::u16string> ours;
  for (const auto& [handle, entry] : probe["strings"].items()) {
    Record* r = d.FindByHandle(std::stoull(handle, nullptr, 16));
    ASSERT_NE(r, nullptr) << handle;
    std::u16string text;
    if (r->Type() == "MTEXT")
      text = MTextView(d, *r).TextString();
    else if (r->Type() == "DIMENSION")
      text = DimensionView(d, *r).TextOverride();
    else
      text = TextView(d, *r).TextString();
    EXPECT_EQ(textcore::ToUtf8(text), entry["text"].get<std::string>()) << handle;
    ours.push_back(text);
  }
  const auto drawingAgain = LoadDxfFile(test::Fixture(GetParam()));
  for (const std::u16string& s : EditDrawing(*drawingAgain))
    EXPECT_NE(std::find(ours.begin(), ours.end(), s), ours.end()) << textcore::ToUtf8(s);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, EditFixture, ::testing::Values("r2000_ansi_1255.dxf", "r2018.dxf", "r12.dxf"));

// Keeps the state before each change, as an undo stack will.
class RecordingJournal final : public ChangeJournal {
 public:
  void WillChange(Record& record, RecordState before) override {
    steps_.push_back({&record, std::move(before), false});
  }
  void Inserted(Record& record) override { steps_.push_back({&record, {}, true}); }
  bool Remembers(const Record&) const override { return false; }
  bool HoldsStates() const override { return !steps_.empty(); }
  std::size_t Changes() const { return steps_.size(); }

  void UndoAll(Drawing& d) {
    for (auto it = steps_.rbegin(); it != steps_.rend(); ++it)
      it->inserted ? d.Remove(*it->record) : d.Restore(*it->record, it->before);
    steps_.clear();
  }

 private:
  struct Step {
    Record* record;
    RecordState before;
    bool inserted;
  };
  std::vector<Step> steps_;
};

TEST(Edit, TheJournalUndoesEveryChangeByteForByte) {
  for (const char* name : {"r2000_ansi_1255.dxf", "r2018.dxf", "r12.dxf"}) {
    const std::string bytes = test::FixtureBytes(name);
    const auto drawing = LoadDxf(bytes, name);
    RecordingJournal journal;
    drawing->SetJournal(&journal);
    EditDrawing(*drawing);
    ASSERT_NE(WriteDxfToString(*drawing), bytes);
    journal.UndoAll(*drawing);
    EXPECT_TRUE(WriteDxfToString(*drawing) == bytes) << name;
    // And the drawing works on as before: a new entity still gets a fresh handle.
    const Record& text = AddText(*drawing, ModelSpace(*drawing), u"again", {}, 1);
    EXPECT_EQ(drawing->FindByHandle(text.Handle()), &text);
  }
}

// Changes texts over and over, settling after each change when asked (as the stand-in host does after
// every call); returns whether every text read back what was just written.
bool ChangeTextsOverAndOver(Drawing& d, bool settle) {
  const auto settled = [&] {
    if (settle) d.Settle();
  };
  const Space model = ModelSpace(d);
  std::vector<Record*> texts;
  for (int i = 0; i < 50; ++i) texts.push_back(&AddText(d, model, u"חדש", {static_cast<double>(i), 0, 0}, 1));
  bool readBack = true;
  for (int round = 0; round < 2000; ++round) {
    // Long strings, so that the values made on the way outgrow what settling keeps of them.
    const std::u16string text = u"סבב " + textcore::FromUtf8(std::to_string(round)) + std::u16string(120, u'ש');
    for (Record* r : {texts[static_cast<std::size_t>(round % 50)], texts[static_cast<std::size_t>(round * 7 % 50)]}) {
      TextView view(d, *r);
      view.SetTextString(text);
      settled();
      view.SetHeight(round);
      settled();
      readBack = readBack && TextView(d, *r).TextString() == text;
    }
    if (round % 100 == 0) AddText(d, model, u"עוד", {0, static_cast<double>(round), 0}, 2);  // the header moves on
    settled();
    if (settle) d.ReleaseTags(*model.Entities().front());
  }
  return readBack;
}

// Journals as an undo stack keeps them: with its history, and without (nothing kept between calls).
class ForgetfulJournal final : public ChangeJournal {
 public:
  void WillChange(Record&, RecordState) override {}
  void Inserted(Record&) override {}
  bool Remembers(const Record&) const override { return false; }
  bool HoldsStates() const override { return false; }
};

TEST(Edit, SettlingBetweenChangesShowsNowhere) {
  for (const char* name : {"r2000_ansi_1255.dxf", "r12.dxf"}) {
    const std::string bytes = test::FixtureBytes(name);
    const auto plain = LoadDxf(bytes, name);
    ASSERT_TRUE(ChangeTextsOverAndOver(*plain, false));
    const std::string expected = WriteDxfToString(*plain);

    const auto forgetful = LoadDxf(bytes, name);
    ForgetfulJournal none;
    forgetful->SetJournal(&none);
    EXPECT_TRUE(ChangeTextsOverAndOver(*forgetful, true)) << name;
    EXPECT_TRUE(WriteDxfToString(*forgetful) == expected) << name;
    EXPECT_TRUE(WriteDxfToString(*LoadDxf(expected, name)) == expected) << name;

    const auto kept = LoadDxf(bytes, name);
    RecordingJournal journal;
    kept->SetJournal(&journal);
    EXPECT_TRUE(ChangeTextsOverAndOver(*kept, true)) << name;
    EXPECT_TRUE(WriteDxfToString(*kept) == expected) << name;
    journal.UndoAll(*kept);
    EXPECT_TRUE(WriteDxfToString(*kept) == bytes) << name;
  }
}

// A file of many TEXT entities: many more pages of them than settling gives back at a time.
std::string ManyTexts(int texts) {
  const auto d = LoadDxf(test::FixtureBytes("r2000_ansi_1255.dxf"), "many.dxf");
  for (int i = 0; i < texts; ++i)
    AddText(*d, ModelSpace(*d), u"שלום " + textcore::FromUtf8(std::to_string(i)), {static_cast<double>(i), 0, 0}, 1);
  return WriteDxfToString(*d);
}

// Gives the first `count` texts read from the file longer strings, as a batch conversion does, settling
// after each when asked.
void LengthenTexts(Drawing& d, std::size_t count, bool settle) {
  std::size_t changed = 0;
  for (Record* r : ModelSpace(d).Entities()) {
    if (changed == count) break;
    if (r->Type() != "TEXT" || !r->Pristine()) continue;
    TextView view(d, *r);
    view.SetTextString(view.TextString() + u" ואחריו עוד טקסט");
    ++changed;
    if (settle) d.Settle();
  }
}

TEST(Edit, TheFileBytesOfRecordsWrittenAnewAreGivenBackOnceNoJournalNeedsThem) {
  const std::string bytes = ManyTexts(4000);
  const auto expected = [&bytes](std::size_t count) {
    const auto plain = LoadDxf(bytes, "many.dxf");
    LengthenTexts(*plain, count, false);
    EXPECT_EQ(plain->ReleasedFileBytes(), 0u);
    return WriteDxfToString(*plain);
  };
  const std::string all = expected(4000), half = expected(2000);

  // Without a journal's states, the texts' pages go: what is written back reads none of them (the address
  // sanitizer reports a read of a page given back).
  const auto forgetful = LoadDxf(bytes, "many.dxf");
  ForgetfulJournal none;
  forgetful->SetJournal(&none);
  LengthenTexts(*forgetful, 4000, true);
  EXPECT_GT(forgetful->ReleasedFileBytes(), bytes.size() / 2);
  EXPECT_TRUE(WriteDxfToString(*forgetful) == all);

  // A journal keeps the states before the changes: nothing goes while it does, and undoing gives back
  // the bytes read. Once it holds nothing, only the pages of texts changed after that go.
  const auto kept = LoadDxf(bytes, "many.dxf");
  RecordingJournal journal;
  kept->SetJournal(&journal);
  LengthenTexts(*kept, 4000, true);
  EXPECT_EQ(kept->ReleasedFileBytes(), 0u);
  EXPECT_TRUE(WriteDxfToString(*kept) == all);
  journal.UndoAll(*kept);
  EXPECT_TRUE(WriteDxfToString(*kept) == bytes);
  kept->SetJournal(&none);
  LengthenTexts(*kept, 2000, true);
  EXPECT_GT(kept->ReleasedFileBytes(), 0u);
  EXPECT_LT(kept->ReleasedFileBytes(), bytes.size() / 2);
  EXPECT_TRUE(WriteDxfToString(*kept) == half);
}

TEST(Edit, ARecordMadeOfAnothersTagsKeepsTheirBytesAfterTheOtherIsWrittenAnew) {
  const std::string bytes = ManyTexts(4000);
  const auto make = [&bytes](bool settle) {
    auto d = LoadDxf(bytes, "many.dxf");
    // A large record (one settling leaves as tags) made of a text's tags, all but its handle; a text whose
    // page holds only texts.
    const std::vector<Record*> entities = ModelSpace(*d).Entities();
    const Record& text = **(entities.end() - 3800);
    std::vector<Tag> tags{text.Tags().front()};
    for (int i = 0; i < 60; ++i)
      for (const Tag& tag : text.Tags())
        if (tag.code != 0 && tag.code != 5) tags.push_back(tag);
    d->InsertBefore(*entities.back(), std::move(tags));
    if (settle) d->Settle();
    LengthenTexts(*d, 4000, settle);
    return d;
  };
  const auto settled = make(true);
  EXPECT_GT(settled->ReleasedFileBytes(), 0u);
  EXPECT_TRUE(WriteDxfToString(*settled) == WriteDxfToString(*make(false)));
}

TEST(Edit, ABatchIsOneChangeItsGettersSeeItAndWithoutCommitNothingChanges) {
  const std::string bytes = test::FixtureBytes("r2000_crlf.dxf");
  const auto drawing = LoadDxf(bytes, "crlf.dxf");
  RecordingJournal journal;
  drawing->SetJournal(&journal);
  Record& text = *ModelSpace(*drawing).Entities().front();
  TextView view(*drawing, text);
  const double height = view.Height();
  {
    EntityView::Batch batch(view);
    view.SetHeight(height * 2);
    view.SetTextString(u"אחר");
    view.SetInsertionPoint({7, 8, 0});
    EXPECT_EQ(view.Height(), height * 2);
    EXPECT_EQ(view.TextString(), u"אחר");
    EXPECT_EQ(view.InsertionPoint(), (Point{7, 8, 0}));
  }  // left without Commit
  EXPECT_EQ(journal.Changes(), 0u);
  EXPECT_TRUE(WriteDxfToString(*drawing) == bytes);
  EXPECT_EQ(view.Height(), height);

  {
    EntityView::Batch batch(view);
    view.SetHeight(height * 2);
    {
      EntityView::Batch inner(view);  // part of the outer one
      view.SetTextString(u"אחר");
      inner.Commit();
    }
    EXPECT_EQ(journal.Changes(), 0u);
    batch.Commit();
  }
  EXPECT_EQ(journal.Changes(), 1u);
  EXPECT_EQ(TextView(*drawing, text).Height(), height * 2);
  EXPECT_EQ(TextView(*drawing, text).TextString(), u"אחר");
}

// A view kept from one change to the next knows where each subclass's groups are; a change that adds
// groups moves the groups after them, one of values only moves nothing. Whatever it knows must read as a
// view made afresh reads.
template <typename View>
void ChangeKeepingTheView(Drawing& drawing, Record& r, const std::string& name) {
  View kept(drawing, r);
  const auto same = [&](const char* step) {
    const View fresh(drawing, r);
    EXPECT_EQ(kept.Layer(), fresh.Layer()) << name << " " << step;
    EXPECT_EQ(kept.Color(), fresh.Color()) << name << " " << step;
    EXPECT_EQ(kept.Height(), fresh.Height()) << name << " " << step;
    EXPECT_EQ(kept.InsertionPoint(), fresh.InsertionPoint()) << name << " " << step;
    EXPECT_EQ(kept.AlignmentPoint(), fresh.AlignmentPoint()) << name << " " << step;
    EXPECT_EQ(kept.VerticalAlignment(), fresh.VerticalAlignment()) << name << " " << step;
    EXPECT_EQ(kept.TextString(), fresh.TextString()) << name << " " << step;
    if constexpr (std::is_same_v<View, AttributeView>) {
      EXPECT_EQ(kept.TagString(), fresh.TagString()) << name << " " << step;
    }
  };
  same("read");
  kept.SetHeight(kept.Height() + 1);  // a value only
  same("height");
  kept.SetAlignmentPoint({3, 4, 0});  // added, or a value
  same("alignment point");
  kept.SetColor(5);  // before the text's groups, added or a value
  same("colour");
  kept.SetVerticalAlignment(2);  // after the text's groups, in a segment of its own from R13 on
  same("vertical alignment");
  {
    EntityView::Batch batch(kept);
    kept.SetTextString(u"\u05d0");
    kept.SetWidthFactor(0.5);
    kept.SetInsertionPoint({1, 2, 0});
    EXPECT_EQ(kept.TextString(), u"\u05d0") << name;
    EXPECT_EQ(kept.InsertionPoint(), (Point{1, 2, 0})) << name;
    batch.Commit();
  }
  same("committed");
  {
    EntityView::Batch batch(kept);
    kept.SetStyleName(u"Standard");
    kept.SetTextString(u"x");
  }  // left without Commit
  same("abandoned");
}

TEST(Edit, AViewKeptAcrossChangesReadsAsANewOne) {
  for (const char* name : {"r2000_ansi_1255.dxf", "r2018.dxf", "r12.dxf"}) {
    const auto drawing = LoadDxf(test::FixtureBytes(name), name);
    int texts = 0;
    for (Record* r = drawing->First(); r; r = r->Next()) {
      if (r->Type() == "TEXT") {
        ChangeKeepingTheView<TextView>(*drawing, *r, name);
      } else if (r->Type() == "ATTRIB" || r->Type() == "ATTDEF") {
        ChangeKeepingTheView<AttributeView>(*drawing, *r, name);
      } else {
        continue;
      }
      ++texts;
    }
    EXPECT_GT(texts, 2) << name;
  }
}

TEST(Edit, ManyNewValuesAndALongOneAreWrittenAsGiven) {
  const auto drawing = LoadDxf(test::FixtureBytes("r2018.dxf"), "r2018.dxf");
  std::vector<std::u16string> strings;
  for (int i = 0; i < 3000; ++i) strings.push_back(u"טקסט " + textcore::FromUtf8(std::to_string(i * 7919)));
  strings.push_back(std::u16string(40000, u'א'));
  for (std::size_t i = 0; i < strings.size(); ++i)
    AddText(*drawing, ModelSpace(*drawing), strings[i], {static_cast<double>(i), 0, 0}, 1);

  const auto again = LoadDxf(WriteDxfToString(*drawing), "again.dxf");
  std::vector<std::u16string> read;
  for (Record* r : ModelSpace(*again).Entities())
    if (r->Type() == "TEXT") read.push_back(TextView(*again, *r).TextString());
  ASSERT_GE(read.size(), strings.size());
  EXPECT_TRUE(std::equal(strings.begin(), strings.end(), read.end() - static_cast<std::ptrdiff_t>(strings.size())));
}

TEST(Edit, MovingFollowsTheEntityCoordinateSystem) {
  // A circle seen from below (extrusion 0,0,-1): its OCS x axis points the other way.
  // A light polyline without elevation, and a 3D polyline whose vertices are world points.
  const std::string bytes =
      "0\nSECTION\n2\nENTITIES\n0\nCIRCLE\n8\n0\n10\n5.0\n20\n5.0\n30\n0.0\n40\n1.0\n210\n0.0\n220\n0.0\n230\n-1.0\n"
      "0\nLWPOLYLINE\n8\n0\n90\n2\n70\n0\n10\n0.0\n20\n0.0\n10\n1.0\n20\n1.0\n"
      "0\nPOLYLINE\n8\n0\n66\n1\n10\n0.0\n20\n0.0\n30\n0.0\n70\n8\n0\nVERTEX\n8\n0\n10\n1.0\n20\n1.0\n30\n1.0\n70\n32\n"
      "0\nSEQEND\n8\n0\n0\nHATCH\n8\n0\n0\nENDSEC\n0\nEOF\n";
  const auto d = LoadDxf(bytes, "ocs.dxf");
  const auto entities = ModelSpace(*d).Entities();
  ASSERT_EQ(entities.size(), 4u);
  for (int i = 0; i < 3; ++i) MoveEntity(*d, *entities[static_cast<std::size_t>(i)], {1, 2, 3});
  const auto values = [](const Record& r, int code) {
    std::vector<std::string> found;
    for (const Tag& tag : r.Tags())
      if (tag.code == code) found.emplace_back(tag.value);
    return found;
  };
  EXPECT_EQ(values(*entities[0], 10), std::vector<std::string>{"4.0"});
  EXPECT_EQ(values(*entities[0], 20), std::vector<std::string>{"7.0"});
  EXPECT_EQ(values(*entities[0], 30), std::vector<std::string>{"-3.0"});
  EXPECT_EQ(values(*entities[1], 10), (std::vector<std::string>{"1.0", "2.0"}));
  EXPECT_EQ(values(*entities[1], 20), (std::vector<std::string>{"2.0", "3.0"}));
  EXPECT_EQ(values(*entities[1], 38), std::vector<std::string>{"3.0"});
  EXPECT_EQ(values(*entities[2], 30), std::vector<std::string>{"0.0"});
  EXPECT_EQ(values(*entities[2]->Next(), 10), std::vector<std::string>{"2.0"});
  EXPECT_EQ(values(*entities[2]->Next(), 30), std::vector<std::string>{"4.0"});
  EXPECT_THROW(MoveEntity(*d, *entities[3], {1, 0, 0}), DxfError);
  EXPECT_TRUE(entities[3]->Pristine());
}

}  // namespace
}  // namespace zil::drawing
