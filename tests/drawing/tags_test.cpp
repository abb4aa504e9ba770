// Tags at the lowest level: read from lines in every form a file may hold, made by the host in the file's
// layout, put in their place among a record's tags, and written back as the record's new bytes.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "drawing/change_journal.h"
#include "drawing/dxf_error.h"
#include "drawing/loader.h"
#include "drawing/ocs.h"
#include "drawing/tag_edit.h"
#include "drawing/tag_values.h"
#include "drawing/tagger.h"
#include "drawing/writer.h"

namespace zil::drawing {
namespace {

std::string BytesOf(const Tag& tag) {
  return std::string(tag.codeLine) + std::string(tag.value) + std::string(tag.valueEnd);
}

TEST(Tags, EveryFormOfCodeLineIsReadAlike) {
  struct Case {
    std::string bytes;
    int code;
    std::string codeLine;
    std::string value;
    std::string valueEnd;
  } cases[] = {
      {"  0\nEOF\n", 0, "  0\n", "EOF", "\n"},
      {"1\r\nabc\r\n", 1, "1\r\n", "abc", "\r\n"},
      {"\t 10\n1.5\n", 10, "\t 10\n", "1.5", "\n"},
      {" 20 \t\r\n2.5\n", 20, " 20 \t\r\n", "2.5", "\n"},
      {"000062\n7\n", 62, "000062\n", "7", "\n"},
      {"32767\n\n", 32767, "32767\n", "", "\n"},
      {"1071\nlast line", 1071, "1071\n", "last line", ""},
      {"999\nvalue\r", 999, "999\n", "value\r", ""},
  };
  for (const Case& c : cases) {
    Tagger tagger(c.bytes, "tags.dxf");
    Tag tag;
    ASSERT_TRUE(tagger.Next(tag)) << c.bytes;
    EXPECT_EQ(tag.code, c.code) << c.bytes;
    EXPECT_EQ(tag.codeLine, c.codeLine) << c.bytes;
    EXPECT_EQ(tag.value, c.value) << c.bytes;
    EXPECT_EQ(tag.valueEnd, c.valueEnd) << c.bytes;
    EXPECT_EQ(tag.line, 1u);
    EXPECT_FALSE(tagger.Next(tag)) << c.bytes;
  }

  // A record's tags, made from its bytes when asked for, are those the tagger reads, the common forms
  // (three characters, digits right-aligned) after any other and among near forms.
  const std::string record =
      "  0\nLINE\n  5\r\n1F\r\n062\n1\n 39\r\n\r\n370\n-3\n6  \nx\n"
      "\t 10\n1.5\n 20 \t\r\n2.5\n 30\n0.0\n000062\n7\n  8\n\n";
  const std::string file = "0\nSECTION\n2\nENTITIES\n" + record + "0\nENDSEC\n0\nEOF\n";
  const auto drawing = LoadDxf(file, "forms.dxf");
  const Record* line = drawing->FindByHandle(0x1F);
  ASSERT_NE(line, nullptr);
  Tagger recordTagger(record, "forms.dxf", 5);
  Tag expected;
  std::size_t count = 0;
  for (; recordTagger.Next(expected); ++count) {
    ASSERT_LT(count, line->Tags().size());
    const Tag& tag = line->Tags()[count];
    EXPECT_EQ(tag.code, expected.code);
    EXPECT_EQ(tag.line, expected.line);
    EXPECT_EQ(BytesOf(tag), BytesOf(expected));
    EXPECT_EQ(tag.value, expected.value);
  }
  EXPECT_EQ(count, 11u);
  EXPECT_EQ(line->Tags().size(), count);

  struct Fault {
    std::string bytes;
    std::string message;
  } faults[] = {
      {"32768\nx\n", "line 3: expected a group code (an integer 0..32767), found \"32768\""},
      {"100000\nx\n", "found \"100000\""},
      {"10\r\r\nx\n", "expected a group code (an integer 0..32767)"},
      {"1 0\nx\n", "found \"1 0\""},
      {"\r\nx\n", "found an empty line"},
      {"10", "line 3: the file ends after group code 10"},
      {"10\r", "expected a group code (an integer 0..32767)"},
  };
  for (const Fault& f : faults) {
    const std::string bytes = "0\nSECTION\n" + f.bytes;
    Tagger tagger(bytes, "tags.dxf");
    Tag tag;
    ASSERT_TRUE(tagger.Next(tag));
    try {
      tagger.Next(tag);
      ADD_FAILURE() << "read " << f.bytes;
    } catch (const DxfError& e) {
      EXPECT_NE(std::string(e.what()).find(f.message), std::string::npos) << e.what();
    }
  }
}

TEST(Tags, NumbersReadAsWrittenToTheLastBit) {
  const struct {
    std::string_view value;
    std::optional<double> number;
  } cases[] = {
      {"0.731", 0.731},
      {" \t12.5 ", 12.5},
      {"+3", 3.0},
      {"1.", 1.0},
      {".5", 0.5},
      {"-.25", -0.25},
      {"+-1", -1.0},  // the sign after the plus, as it has always been read
      {"1e3", 1000.0},
      {"-2.5E-2", -0.025},
      {"9007199254740993", 9007199254740992.0},  // beyond 2^53: rounded to even
      {"0.12345678901234567890123", 0.12345678901234567890123},
      {"1.2.3", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"+", std::nullopt},
      {".", std::nullopt},
      {"1 2", std::nullopt},
      {"inf", std::nullopt},
      {"nan", std::nullopt},
      {"1e400", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToDouble(c.value), c.number) << c.value;
    // A tag's number reads alike, or is refused naming the value's line and the group code.
    const Tag tag{40, 7, " 40\n", c.value, "\n"};
    if (c.number) {
      EXPECT_EQ(DoubleOf(tag, "n.dxf"), *c.number) << c.value;
      continue;
    }
    try {
      DoubleOf(tag, "n.dxf");
      ADD_FAILURE() << "read " << c.value;
    } catch (const DxfError& e) {
      EXPECT_NE(std::string(e.what()).find("n.dxf line 8: expected a number for group code 40, found \""),
                std::string::npos)
          << e.what();
    }
  }
  const auto zero = ToDouble("-0.0");
  ASSERT_TRUE(zero);
  EXPECT_TRUE(*zero == 0 && std::signbit(*zero));

  // Decimals of every length a drawing writes, and some longer: each the very double from_chars reads.
  std::mt19937_64 random(26);
  for (int n = 0; n < 20000; ++n) {
    std::string text = random() % 2 ? "-" : "";
    const int whole = static_cast<int>(random() % 8);
    const int decimals = static_cast<int>(random() % 20);
    for (int i = 0; i < whole; ++i) text += static_cast<char>('0' + random() % 10);
    if (whole == 0 || random() % 4 != 0) text += '.';
    for (int i = 0; i < decimals; ++i) text += static_cast<char>('0' + random() % 10);
    if (whole == 0 && decimals == 0) text += '7';
    double expected = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), expected);
    ASSERT_TRUE(r.ec == std::errc() && r.ptr == text.data() + text.size()) << text;
    const auto read = ToDouble(text);
    ASSERT_TRUE(read) << text;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(*read), std::bit_cast<std::uint64_t>(expected)) << text;
  }
}

TEST(Tags, TheExtrusionIsTheLastOfEachGroupBeforeXdata) {
  const auto d = LoadDxf("  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF\n", "extrusion.dxf");
  const auto tags = [&d](std::initializer_list<std::pair<int, const char*>> groups) {
    std::vector<Tag> made{d->MakeTag(0, "TEXT")};
    for (const auto& [code, value] : groups) made.push_back(d->MakeTag(code, value));
    return made;
  };
  EXPECT_EQ(ExtrusionOf(tags({{10, "1"}}), "e.dxf"), (Point{0, 0, 1}));
  EXPECT_EQ(ExtrusionOf(tags({{210, "1"}, {220, "2"}, {230, "3"}, {230, "-1"}, {1001, "APP"}, {210, "5"}}), "e.dxf"),
            (Point{1, 2, -1}));
  EXPECT_THROW(ExtrusionOf(tags({{220, "x"}}), "e.dxf"), DxfError);
  EXPECT_EQ(ExtrusionOf(tags({{1001, "APP"}, {220, "x"}}), "e.dxf"), (Point{0, 0, 1}));
}

TEST(Tags, HandlesReadInEveryForm) {
  const struct {
    const char* value;
    std::optional<std::uint64_t> handle;
  } cases[] = {
      {"1A", 0x1A},
      {"ffffFFFFffffFFFF", 0xFFFFFFFFFFFFFFFF},
      {"0", 0},
      {" 2b\t", 0x2B},            // spaces and tabs around it
      {"10000000000000000", {}},  // 17 digits
      {"", {}},
      {" ", {}},
      {"+1", {}},
      {"-1", {}},
      {"1G", {}},
      {"1 2", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ToHandle(c.value), c.handle) << '"' << c.value << '"';
}

TEST(Tags, MadeTagsFollowTheFilesLayout) {
  const auto padded = LoadDxf("  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF\n", "padded.dxf");
  const auto plain = LoadDxf("0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n", "plain.dxf");
  struct Case {
    int code;
    std::string value;
    std::string padded;
    std::string plain;
  } cases[] = {
      {1, "abc", "  1\nabc\n", "1\r\nabc\r\n"},
      {62, "", " 62\n\n", "62\r\n\r\n"},
      {100, "AcDbText", "100\nAcDbText\n", "100\r\nAcDbText\r\n"},
      {1071, "7", "1071\n7\n", "1071\r\n7\r\n"},
  };
  for (const Case& c : cases) {
    const Tag made = padded->MakeTag(c.code, c.value);
    EXPECT_EQ(BytesOf(made), c.padded);
    EXPECT_EQ(made.code, c.code);
    EXPECT_EQ(made.value, c.value);
    EXPECT_EQ(BytesOf(plain->MakeTag(c.code, c.value)), c.plain);
  }
  EXPECT_EQ(BytesOf(padded->MakeIntegerTag(70, -9223372036854775807LL - 1)), " 70\n-9223372036854775808\n");
  EXPECT_EQ(BytesOf(plain->MakeIntegerTag(370, 25)), "370\r\n25\r\n");
  EXPECT_THROW(padded->MakeTag(1, "two\nlines"), DxfError);
}

TEST(Tags, AMissingTagGoesBeforeTheFirstThatComesLaterInTheOrder) {
  const auto d = LoadDxf("  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF\n", "order.dxf");
  struct Case {
    std::vector<int> order;
    std::vector<int> codes;  // the record's, after its group 0 tag
    int code;
    std::vector<int> after;
  } cases[] = {
      {{10, 20, 30, 40}, {10, 40}, 20, {10, 20, 40}},
      {{10, 20, 30, 40}, {10, 20}, 40, {10, 20, 40}},
      {{10, 20, 30, 40}, {40, 10}, 20, {20, 40, 10}},
      // Codes out of their order, and codes the order lacks, are passed over unless they come later.
      {{10, 20, 30, 40}, {10, 50, 5, 40}, 30, {10, 50, 5, 30, 40}},
      {{10, 20, 30, 40, 50}, {30, 10, 60, 50}, 40, {30, 10, 60, 40, 50}},
      {{10, 20, 30, 40, 50}, {40, 30, 20}, 10, {10, 40, 30, 20}},
      // A code also before `code` in the order is not a later one.
      {{10, 20, 30, 10}, {10, 30}, 20, {10, 20, 30}},
      {{20, 10, 30, 10}, {30, 10}, 20, {20, 30, 10}},
      {{10, 20, 30, 40, 10}, {30, 10}, 40, {30, 10, 40}},
      // A code the order lacks goes last.
      {{10, 20}, {20, 10}, 99, {20, 10, 99}},
  };
  for (const Case& c : cases) {
    // With the order's table of ranks too, where its codes are distinct: the same place.
    std::optional<RankTable> ranks;
    if (std::set<int>(c.order.begin(), c.order.end()).size() == c.order.size()) ranks = RanksOf(c.order);
    const RankTable* const ranked = ranks ? &*ranks : nullptr;
    for (const RankTable* table : {static_cast<const RankTable*>(nullptr), ranked}) {
      std::vector<Tag> tags{d->MakeTag(0, "TEXT")};
      for (const int code : c.codes) tags.push_back(d->MakeTag(code, "old"));
      SetIn(*d, tags, Placement{"", 1, c.order, table}, c.code, "new");
      std::vector<int> after;
      for (auto it = tags.begin() + 1; it != tags.end(); ++it) after.push_back(it->code);
      EXPECT_EQ(after, c.after) << "inserting " << c.code << (table ? " (ranked)" : "");
    }
  }
  EXPECT_THROW(RanksOf(std::vector<int>{10, 20, 10}), DxfError);
  EXPECT_THROW(RanksOf(std::vector<int>{10, 1000}), DxfError);
}

TEST(Tags, GroupsSetTogetherGoWhereSettingThemOneByOneWouldPutThem) {
  const auto d = LoadDxf(
      "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  0\nENDSEC\n"
      "  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF\n",
      "together.dxf");
  const std::vector<int> order{10, 20, 30, 40, 1, 50, 41, 7, 72, 11, 21, 31};
  const RankTable ranks = RanksOf(order);
  struct Case {
    std::vector<int> codes;  // the record's after its group 0 tag; each 100 is the marker "AcDbX"
    std::vector<int> groups;
    std::string_view marker = "AcDbX";
    bool ranked = true;
  } cases[] = {
      // The segment's codes in the order's order: groups found get their new values, missing ones go
      // first, last or among them, in their order whatever order they are set in.
      {{100, 10, 20, 30, 40, 1, 50, 41, 100, 73}, {1, 7, 72, 10, 20, 30, 11, 21, 31}},
      {{100, 20, 41, 100, 73}, {11, 10, 50, 7}},
      {{100, 41, 72, 1001}, {10, 31, 7, 11}},
      // Codes the order lacks are passed over; of a code that comes twice the first tag is set.
      {{100, 5, 20, 99, 20, 40, 1001}, {30, 10, 72, 20}},
      // An empty segment; a record without markers, one segment; a missing marker, added before XDATA.
      {{100, 100}, {41, 10}},
      {{8, 41}, {72, 10, 41}},
      {{100, 8, 1001}, {41, 10}, "AcDbY"},
      // Codes out of the order's order.
      {{100, 40, 10, 20}, {30, 41, 1}},
      {{100, 50, 10, 7, 20}, {72, 30, 40, 11}},
      // A group the order lacks, an order without its table of ranks.
      {{100, 10}, {20, 99}},
      {{100, 10, 30}, {20, 11}, "AcDbX", false},
  };
  const auto codesAndValues = [](const std::vector<Tag>& tags) {
    std::vector<std::string> seen;
    for (const Tag& tag : tags) seen.push_back(std::to_string(tag.code) + " " + std::string(tag.value));
    return seen;
  };
  for (const Case& c : cases) {
    std::vector<Tag> tags{d->MakeTag(0, "TEXT")};
    for (const int code : c.codes) tags.push_back(d->MakeTag(code, code == 100 ? "AcDbX" : "old"));
    const Placement placement{c.marker, 1, order, c.ranked ? &ranks : nullptr};
    std::vector<std::string> values;
    for (const int code : c.groups) values.push_back("new " + std::to_string(code));
    std::vector<GroupValue> groups;
    for (std::size_t k = 0; k < c.groups.size(); ++k) groups.push_back({c.groups[k], values[k], k % 2 == 0});

    std::vector<Tag> oneByOne = tags;
    Segment expected;
    for (const GroupValue& group : groups) expected = SetIn(*d, oneByOne, placement, expected, group.code, group.value);
    std::vector<Tag> together = tags;
    const Segment after = SetAllIn(*d, together, placement, Segment{}, groups);
    EXPECT_EQ(codesAndValues(together), codesAndValues(oneByOne)) << "setting " << ::testing::PrintToString(c.groups);
    EXPECT_EQ(after.first, expected.first);
    EXPECT_EQ(after.last, expected.last);
  }

  // A value with a line break is refused before any tag changes.
  std::vector<Tag> tags{d->MakeTag(0, "TEXT"), d->MakeTag(100, "AcDbX"), d->MakeTag(10, "1.0")};
  const std::vector<std::string> before = codesAndValues(tags);
  const GroupValue bad[] = {{20, "2.0", true}, {1, "two\nlines"}};
  EXPECT_THROW(SetAllIn(*d, tags, Placement{"AcDbX", 1, order, &ranks}, Segment{}, bad), DxfError);
  EXPECT_EQ(codesAndValues(tags), before);
}

TEST(Tags, ARecordWrittenBackIsItsTagsInTheirOrder) {
  const std::string bytes =
      "  0\nSECTION\n  2\nENTITIES\n"
      "  0\nTEXT\n  5\n1A\n  8\n0\n 10\n1.0\n 20\n2.0\n  1\nabc\n"
      "  0\nTEXT\n  5\n1B\n  8\n0\n  1\nx\n"
      "  0\nENDSEC\n  0\nEOF\n";
  const auto d = LoadDxf(bytes, "write_back.dxf");
  Record& first = *d->FindByHandle(0x1A);
  Record& second = *d->FindByHandle(0x1B);

  // Tags read together, swapped, repeated, with a new value and a tag made by the host among them.
  const std::vector<Tag> read = first.Tags();
  Tag changed = read[5];
  changed.value = d->KeepValue(1, "new text");
  const std::vector<Tag> tags{read[0], read[1], read[4], read[3], read[2], read[2], d->MakeTag(62, "1"), changed};
  std::string expected;
  for (const Tag& tag : tags) expected += BytesOf(tag);
  d->SetTags(first, tags);
  d->SetTags(second, second.Tags());  // the last record changed stays tags: the first is written back
  d->Settle();

  ASSERT_FALSE(first.Dirty());
  EXPECT_EQ(first.Source(), expected);
  std::vector<std::string> readBack;
  for (const Tag& tag : first.Tags()) readBack.push_back(BytesOf(tag));
  std::vector<std::string> written;
  for (const Tag& tag : tags) written.push_back(BytesOf(tag));
  EXPECT_EQ(readBack, written);
  EXPECT_NE(WriteDxfToString(*d).find(expected), std::string::npos);
}

// Takes the states a change hands over, as the undo stack does.
class KeptStates : public ChangeJournal {
 public:
  void WillChange(Record& record, RecordState before) override { states.emplace_back(&record, std::move(before)); }
  bool Remembers(const Record&) const override { return false; }
  void Inserted(Record&) override {}
  std::vector<std::pair<Record*, RecordState>> states;
};

TEST(Tags, TagsWrittenAtOnceAreTheRecordsBytesAndAreJournalled) {
  const std::string bytes =
      "  0\nSECTION\n  2\nENTITIES\n"
      "  0\nTEXT\n  5\n1A\n  8\n0\n  1\nabc\n"
      "  0\nTEXT\n  5\n1B\n  8\n0\n  1\nx\n"
      "  0\nENDSEC\n  0\nEOF\n";
  const auto d = LoadDxf(bytes, "written_at_once.dxf");
  KeptStates journal;
  d->SetJournal(&journal);
  Record& first = *d->FindByHandle(0x1A);
  Record& second = *d->FindByHandle(0x1B);
  const std::string before(first.Source());

  // A new handle and a new string, one tag made by the host.
  std::vector<Tag> tags = first.Tags();
  tags[1].value = d->KeepValue(5, "1C");
  tags.push_back(d->MakeTag(62, "3"));
  std::string expected;
  for (const Tag& tag : tags) expected += BytesOf(tag);
  const std::uint64_t revision = first.Revision();
  d->WriteTags(first, first.Tags());  // the record's own tags, as they are
  d->WriteTags(first, tags);

  EXPECT_FALSE(first.Dirty());
  EXPECT_FALSE(first.Pristine());
  EXPECT_EQ(first.Source(), expected);
  EXPECT_NE(first.Revision(), revision);
  EXPECT_EQ(d->FindByHandle(0x1C), &first);
  EXPECT_EQ(d->FindByHandle(0x1A), nullptr);
  ASSERT_EQ(journal.states.size(), 2u);
  EXPECT_EQ(journal.states[0].second.bytes, before);
  d->Restore(first, journal.states[0].second);
  EXPECT_EQ(first.Source(), before);
  EXPECT_EQ(d->FindByHandle(0x1A), &first);

  // A record held as tags keeps them, as a change of its tags leaves it.
  d->SetTags(second, second.Tags());
  d->WriteTags(second, second.Tags());
  EXPECT_TRUE(second.Dirty());
  d->SetJournal(nullptr);
}

}  // namespace
}  // namespace zil::drawing
