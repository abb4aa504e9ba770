// The attribute defaults of blocks, read from a real library file and the portable registry file, and the
// pick list driven over plain grid rows as the attribute grid will drive it.
#include <gtest/gtest.h>

#include "attributes/block_defaults.h"
#include "attributes/pick_list.h"
#include "blocks_attr_rows.h"
#include "platform/portable_registry.h"
#include "support/temp_folder.h"
#include "textcore/utf8.h"

namespace zil::attributes {
namespace {

using zil::test::TempFolder;

class Defaults : public ::testing::Test {
 protected:
  Defaults() : db(library::Tdb::Create(dir.path())), registry([this] { return dir.path(); }) {}

  void PutDatabase(const std::string& block, const std::string& json) {
    test::PutBlocksAttr(db.slDBPath(), block, json);
  }
  void PutRegistry(const std::string& lines) {
    dir.Write("registry.ini", "[Software\\Dastel\\Lisp\\Blocks]\r\n" + lines);
  }
  BlockDefaults Load(std::u16string_view block) { return LoadBlockDefaults(&db, registry, block); }
  std::string Failure(std::u16string_view block) {
    try {
      Load(block);
    } catch (const std::runtime_error& e) {
      return e.what();
    }
    return "(no error)";
  }

  TempFolder dir;
  library::Tdb db;
  platform::PortableRegistry registry;
};

TEST_F(Defaults, TheDatabaseFirstThenTheRegistry) {
  PutDatabase("Door", R"({"MAT": {"A": ["db"]}})");
  PutDatabase("Gate", "");
  PutRegistry(
      "Door=not json: never read while the database has the block\r\n"
      "Gate={\"MAT\": {\"A\": [\"registry\"]}}\r\n"
      "חלון = {\"חומר\": {\"A\": [\"עץ\"]}}\r\n");
  const struct {
    std::u16string block;
    DefaultsSource source;
    std::string document;
  } cases[] = {
      {u"DOOR", DefaultsSource::Database, R"({"MAT":{"A":["db"]}})"},        // names compare without case
      {u"gate", DefaultsSource::Registry, R"({"MAT":{"A":["registry"]}})"},  // an empty row counts as none
      {u"חלון", DefaultsSource::Registry, R"({"חומר":{"A":["עץ"]}})"},
      {u"Window", DefaultsSource::None, "{}"},
  };
  for (const auto& c : cases) {
    const BlockDefaults d = Load(c.block);
    EXPECT_EQ(d.source, c.source) << textcore::ToUtf8(c.block);
    EXPECT_EQ(d.document.dump(), c.document) << textcore::ToUtf8(c.block);
  }
  // Without a library database only the registry is asked.
  EXPECT_EQ(LoadBlockDefaults(nullptr, registry, u"Gate").source, DefaultsSource::Registry);
}

TEST_F(Defaults, ADocumentThatIsNotAJsonObjectIsAnErrorNamingTheBlock) {
  PutDatabase("Broken", "{\"MAT\": {\"A\": [\"x\"]");
  PutDatabase("List", "[1, 2]");
  PutRegistry("Crooked={'MAT': 1}\r\n");
  const struct {
    std::u16string block;
    std::string where;
    std::string what;
  } cases[] = {
      {u"Broken", "library database", "not valid JSON"},
      {u"List", "library database", "not a JSON object"},
      {u"Crooked", "registry", "not valid JSON"},
  };
  for (const auto& c : cases) {
    const std::string message = Failure(c.block);
    EXPECT_NE(message.find("block \"" + textcore::ToUtf8(c.block) + "\""), std::string::npos) << message;
    EXPECT_NE(message.find(c.where), std::string::npos) << message;
    EXPECT_NE(message.find(c.what), std::string::npos) << message;
  }
}

// The grid's rows: tag, value, and the mark the grid gives rows whose tag has an entry.
class GridRows final : public AttributeRows {
 public:
  struct Row {
    std::u16string tag;
    std::u16string value;
    bool marked = false;
  };
  std::vector<Row> rows;

  int RowCount() const override { return static_cast<int>(rows.size()); }
  std::u16string Tag(int row) const override { return rows.at(static_cast<std::size_t>(row)).tag; }
  std::u16string Value(int row) const override { return rows.at(static_cast<std::size_t>(row)).value; }
  void SetValue(int row, std::u16string_view value) override { rows.at(static_cast<std::size_t>(row)).value = value; }
  bool Marked(int row) const override { return rows.at(static_cast<std::size_t>(row)).marked; }
  std::u16string ValueOf(std::u16string_view tag) const {
    for (const Row& r : rows)
      if (r.tag == tag) return r.value;
    return u"(no row)";
  }
  int RowOf(std::u16string_view tag) const {
    for (std::size_t i = 0; i < rows.size(); ++i)
      if (rows[i].tag == tag) return static_cast<int>(i);
    return -1;
  }
};

class PickLists : public Defaults {
 protected:
  PickLists() {
    PutDatabase("Wall", R"({
      "MAT":   {"A": ["Concrete", "Steel", "Wood"], "B": ["C30", "S235"], "S": "DESC", "note": "ignored"},
      "FIN":   {"A": ["Paint", "Plaster", "Paint"]},
      "CODE":  {"A": ["a", "b", "c"], "B": ["x", "x", "y"]},
      "NUM":   {"A": [12, null, "12"]},
      "BAD":   ["not", "an", "object"],
      "NOA":   {"B": ["x"]},
      "BADB":  {"A": ["a"], "B": "x"},
      "GHOST": {"A": ["g"], "S": "NOSUCHTAG"},
      "ABSENT": {"A": ["never shown"]}
    })");
    for (const char16_t* tag : {u"MAT", u"DESC", u"FIN", u"CODE", u"NUM", u"BAD", u"NOA", u"BADB", u"GHOST", u"PLAIN"})
      grid.rows.push_back({tag, u""});
    pick.LoadBlockDefaults(db, registry, u"WALL");
    for (auto& row : grid.rows) row.marked = pick.HasEntry(row.tag);  // as the grid colours the tag cells
  }
  void Select(std::u16string_view tag) { pick.ShowPickList(grid, grid.RowOf(tag)); }

  GridRows grid;
  PickList pick;
};

TEST_F(PickLists, RowsWithAnEntryAreMarkedAndShowTheirItems) {
  ASSERT_TRUE(pick.isBson());
  std::vector<std::u16string> marked;
  for (const auto& row : grid.rows)
    if (row.marked) marked.push_back(row.tag);
  EXPECT_EQ(marked, (std::vector<std::u16string>{u"MAT", u"FIN", u"CODE", u"NUM", u"BAD", u"NOA", u"BADB", u"GHOST"}));

  Select(u"MAT");
  EXPECT_TRUE(pick.Visible());
  EXPECT_EQ(pick.Items(), (std::vector<std::u16string>{u"Concrete", u"Steel", u"Wood"}));
  Select(u"NUM");
  EXPECT_EQ(pick.Items(), (std::vector<std::u16string>{u"12", u"", u"12"}));
  Select(u"PLAIN");
  EXPECT_FALSE(pick.Visible());
  EXPECT_TRUE(pick.Items().empty());
  Select(u"DESC");
  EXPECT_FALSE(pick.Visible());
}

TEST_F(PickLists, PickingStoresTheValueAndFillsTheSecondAttribute) {
  Select(u"MAT");
  pick.ApplyPick(grid, 1, u"Steel");
  EXPECT_EQ(grid.ValueOf(u"MAT"), u"S235");    // "B" by position
  EXPECT_EQ(grid.ValueOf(u"DESC"), u"Steel");  // "S" gets the item
  pick.ApplyPick(grid, 2, u"Wood");
  EXPECT_EQ(grid.ValueOf(u"MAT"), u"");  // past the end of "B"
  EXPECT_EQ(grid.ValueOf(u"DESC"), u"Wood");
  pick.ApplyPick(grid, -1, u"Brick");  // typed, not picked: kept as typed
  EXPECT_EQ(grid.ValueOf(u"MAT"), u"Brick");
  EXPECT_EQ(grid.ValueOf(u"DESC"), u"Brick");

  Select(u"FIN");
  pick.ApplyPick(grid, 1, u"Plaster");  // without "B" the item itself
  EXPECT_EQ(grid.ValueOf(u"FIN"), u"Plaster");
  EXPECT_EQ(grid.ValueOf(u"DESC"), u"Brick");  // no "S": only the selected row changes

  Select(u"GHOST");
  pick.ApplyPick(grid, 0, u"g");  // "S" names no row of the block
  EXPECT_EQ(grid.ValueOf(u"GHOST"), u"g");
  EXPECT_EQ(grid.ValueOf(u"DESC"), u"Brick");
}

TEST_F(PickLists, TheLastMatchingItemIsPreselected) {
  const struct {
    const char16_t* tag;
    std::u16string value;
    int index;
  } cases[] = {
      {u"FIN", u"Paint", 2},                            // two equal items: the later one
      {u"FIN", u"Plaster", 1}, {u"FIN", u"paint", -1},  // exactly
      {u"CODE", u"x", 1},                               // with "B", the stored values are compared
      {u"CODE", u"a", -1},     {u"MAT", u"", 2},        // "Wood" stores nothing: an empty value matches it
      {u"NUM", u"12", 2},                               // only string items match
  };
  for (const auto& c : cases) {
    grid.rows[static_cast<std::size_t>(grid.RowOf(c.tag))].value = c.value;
    Select(c.tag);
    EXPECT_EQ(pick.ItemIndex(), c.index) << textcore::ToUtf8(c.tag) << " " << textcore::ToUtf8(c.value);
  }
}

TEST_F(PickLists, AnEntryThatIsNoPickListFailsForItsRowOnly) {
  const struct {
    const char16_t* tag;
    std::string what;
  } cases[] = {
      {u"BAD", "not a JSON object"},
      {u"NOA", "\"A\" is not an array"},
      {u"BADB", "\"B\" is not an array"},
  };
  for (const auto& c : cases) {
    Select(u"MAT");
    try {
      Select(c.tag);
      ADD_FAILURE() << "no error for " << textcore::ToUtf8(c.tag);
    } catch (const std::runtime_error& e) {
      const std::string message = e.what();
      EXPECT_NE(message.find(c.what), std::string::npos) << message;
      EXPECT_NE(message.find("\"" + textcore::ToUtf8(c.tag) + "\""), std::string::npos) << message;
      EXPECT_NE(message.find("\"WALL\""), std::string::npos) << message;
    }
    EXPECT_FALSE(pick.Visible());
    EXPECT_TRUE(pick.Items().empty());
    pick.ApplyPick(grid, 0, u"x");  // the hidden list writes nothing
    EXPECT_EQ(grid.ValueOf(c.tag), u"");
  }
  Select(u"FIN");  // the other rows go on working
  EXPECT_TRUE(pick.Visible());
}

}  // namespace
}  // namespace zil::attributes
