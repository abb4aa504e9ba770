// The string commands run as a user runs them: the real `zil` binary, its exit codes and output.
#include <gtest/gtest.h>

#include <sstream>

#include "support/temp_folder.h"
#include "zil_binary.h"

namespace zil::cli {
namespace {

using test::Zil;

TEST(TextCommands, ArgumentInUtf8OutWithTheConversionsResults) {
  struct Case {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {{"acadtostr", "--kind", "0", "(a<b)"}, ")a>b(\n"},
      {{"acadtostr", "--kind", "1", "ouka"}, "שלום\n"},
      {{"strtoacad", "--kind", "3", "שלום 12"}, " 12םולש\n"},
      {{"strtoacad", "--kind", "3", "--backwards", "שלום (1)"}, "שלום(1) \n"},
      {{"acadtostr", "--kind", "dos-english", "ouka"}, "שלום\n"},  // the names --type takes
      {{"acadtostr", "--kind", "5", "abc"}, "\n"},
      {{"strtoacad", "--kind", "99", "abc"}, "\n"},
      {{"acadtostr", "--kind", "-1", "abc"}, "\n"},
      {{"acadtostr", "--kind", "0", ""}, "\n"},
      {{"transcode", "--from", "windows", "--to", "dos-english", "אב"}, "ct\n"},
      {{"transcode", "--from", "3", "--to", "4", "אב"}, "\n"},
      {{"transcode", "--from", "truetype", "--to", "windows", "אב 12"}, "12 בא\n"},
      {{"remap", "--from", "dos-hebrew", "--to", "dos-english-r", "€"}, "€\n"},
      {{"remap", "--from", "dos-english", "--to", "windows", "tc A"}, "אב A\n"},
  };
  for (const Case& c : cases) {
    const auto result = Zil(c.args);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, c.out) << c.args[0] << " " << c.args.back();
  }
}

TEST(TextCommands, JsonLinesPassEveryUnitIntact) {
  // DOS letters on undefined bytes (U+0081), the euro sign (DOS alef) and an unpaired surrogate.
  const auto result =
      Zil({"transcode", "--from", "dos-hebrew", "--to", "windows"}, "\"\\u0081\\u20ac\"\n\n\"\\ud800x\"\n\"\"\n");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "\"אב\"\n\"x?\"\n\"\"\n");
  const auto same = Zil({"remap", "--from", "truetype", "--to", "windows"}, "\"\\ud800\\u0081\"\n");
  EXPECT_EQ(same.out, "\"?\\u0081\"\n");  // the surrogate has no Windows-1255 byte
}

TEST(TextCommands, BadInputIsReportedWithItsLine) {
  const auto result = Zil({"acadtostr", "--kind", "3"}, "\"ok\"\nnot json\n\"never read\"\n");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "\"ok\"\n");
  EXPECT_NE(result.err.find("line 2"), std::string::npos) << result.err;
}

TEST(TextCommands, BadOptionsGiveUsageAndExitCodeTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"acadtostr", "x"},                                   // --kind missing
      {"acadtostr", "--kind", "x", "abc"},                  // not a number
      {"transcode", "--from", "hebrew", "--to", "0", "a"},  // not a font type
      {"remap", "--from", "5", "--to", "0", "a"},
      {"frobnicate"},
  };
  for (const auto& args : cases) {
    const auto result = Zil(args);
    EXPECT_EQ(result.exitCode, 2) << (args.empty() ? "(none)" : args[0]);
    EXPECT_FALSE(result.err.empty());
    EXPECT_TRUE(result.out.empty());
  }
}

TEST(TextCommands, MessagesNameWhatIsWrong) {
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{}, "zil: a command is needed; the commands are acadtostr, strtoacad,"},
      {{"foo"}, "zil: unknown command 'foo'; the commands are acadtostr, strtoacad,"},
      {{"version"}, "zil: unknown command 'version' (the version: zil --version); the commands are"},
      {{"-V"}, "zil: unknown option '-V' (the version: zil --version)"},
      {{"dxf", "foo"}, "zil dxf: unknown command 'foo'; the commands are info, copy"},
      {{"library"}, "zil library: a command is needed; the commands are"},
      {{"acadtostr", "--kind", "1", "\xff\xfe"},
       "zil: the argument \"\\xFF\\xFE\" (argument 4) is not valid UTF-8 (at byte 1)"},
      {{"classify", "a\xD7.shx"}, "zil: the argument \"a\\xD7.shx\" (argument 2) is not valid UTF-8 (at byte 2)"},
      {{"acadtostr", "--kind", "x", "a"}, "zil acadtostr: --kind: 'x' is not a kind (0..4, dos-hebrew,"},
      {{"edit-form", "--type", "99", "a"}, "zil edit-form: --type: '99' is not a font type (0..4, dos-hebrew,"},
  };
  for (const auto& c : cases) {
    const auto result = Zil(c.args);
    EXPECT_EQ(result.exitCode, 2) << c.message;
    EXPECT_EQ(result.err.rfind(c.message, 0), 0u) << result.err;
    EXPECT_TRUE(result.out.empty());
  }
}

TEST(TextCommands, StringsReadsTypesAsTheOptionsDoAndSaysWhatALineLacks) {
  const test::TempFolder dir;
  const auto good =
      dir.Write("good.jsonl", "{\"type\": 3, \"stored\": \"abc\"}\n{\"type\": \"windows\", \"stored\": \"x\"}\n");
  const auto table = Zil({"strings", good.string()});
  EXPECT_EQ(table.exitCode, 0) << table.err;
  EXPECT_NE(table.out.find("windows    no         abc"), std::string::npos) << table.out;
  const struct {
    std::string line;
    std::string message;
  } cases[] = {
      {"\"just a string\"", "line 1: not a JSON object;"},
      {"{\"type\": 9, \"stored\": \"a\"}", "line 1: \"type\" is 9, not a font type;"},
      {"{\"stored\": \"a\"}", "line 1: \"type\" is missing;"},
      {"{\"type\": 0, \"stored\": 5}", "line 1: \"stored\" is 5, not a string;"},
      {"{\"type\": 0, \"backwards\": 1, \"stored\": \"a\"}", "line 1: \"backwards\" is 1, not true or false;"},
  };
  for (const auto& c : cases) {
    const auto result = Zil({"strings", dir.Write("bad.jsonl", c.line + "\n").string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("json.exception"), std::string::npos) << result.err;
  }
}

TEST(TextCommands, StringsPrintsTheBundledSampleAsATable) {
  const auto result = Zil({"strings", ZIL_SOURCE_DIR "/samples/drawing-strings.jsonl"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  std::istringstream lines(result.out);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line.rfind("font type", 0), 0u) << line;
  int rows = 0;
  while (std::getline(lines, line)) {
    ++rows;
    // Every SHX form comes back from its edit form; TrueType reordering is not its own inverse.
    if (line.rfind("truetype", 0) != 0) {
      EXPECT_EQ(line.substr(line.size() - 4), "same") << line;
    }
  }
  EXPECT_EQ(rows, 13);
  EXPECT_NE(result.out.find("  תכנית קומה א  "), std::string::npos) << result.out;
}

}  // namespace
}  // namespace zil::cli
