// The whole chain under Wine, as AutoCAD's command layer drives it: the COM test host opens a drawing,
// zil.autozil is given the host's application with SetApp and its members are called by name; zil.dll
// reads and changes the drawing through its late-bound adapter. Every call, its result and the command
// text it queued, and the drawing saved at the end, must be what `zil script --drawing` gives on Linux
// for the same calls (make_chain_cases.py).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "automation/member_table.h"
#include "json_string.h"
#include "late_client.h"
#include "script_words.h"

namespace zil::test {
namespace {

constexpr wchar_t kHost[] = L"zilstandin.Application";
constexpr wchar_t kZil[] = L"zil.autozil";

struct ChainCase {
  std::string name, drawing, script, output, saved;
};

std::vector<ChainCase> ReadCases() {
  std::ifstream in(ZIL_CHAIN_CASES "/cases.tsv");
  std::vector<ChainCase> cases;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    ChainCase c;
    std::getline(fields, c.name, '\t');
    std::getline(fields, c.drawing, '\t');
    std::getline(fields, c.script, '\t');
    std::getline(fields, c.output, '\t');
    std::getline(fields, c.saved, '\t');
    cases.push_back(c);
  }
  return cases;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::u16string FromUtf8(const std::string& text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring units(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), units.data(), size);
  return std::u16string(units.begin(), units.end());
}

// One call as `zil script` prints it.
std::string ReportCall(IDispatch* zil, const std::vector<std::string>& words) {
  const std::u16string name = FromUtf8(words[0]);
  const automation::MemberInfo* member = automation::FindMember(name);
  std::vector<VARIANT> args;
  for (std::size_t i = 1; i < words.size(); ++i) args.push_back(Str(FromUtf8(words[i])));
  const WORD flags =
      member && member->kind == automation::MemberKind::PropertyGet ? DISPATCH_PROPERTYGET : DISPATCH_METHOD;
  const std::wstring wide(name.begin(), name.end());
  const auto reply = Call(zil, wide.c_str(), std::move(args), flags);
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(reply->code()));
  std::string line = "{\"member\": " + cli::EncodeJsonString(member ? FromUtf8(std::string(member->name)) : name) +
                     ", \"hresult\": \"" + code + "\"";
  if (SUCCEEDED(reply->hr) && member && member->ReturnsValue())
    line += ", \"value\": " + cli::EncodeJsonString(reply->text());
  if (FAILED(reply->hr)) line += ", \"error\": " + cli::EncodeJsonString(reply->description());
  return line + "}";
}

// A data folder with the font table of the Linux runs.
class ChainData : public DataFolder {
 public:
  ChainData() { std::filesystem::copy_file(ZIL_CHAIN_CASES "/data/HebFonts.txt", path() / "HebFonts.txt"); }
};

void PrintTo(const ChainCase& c, std::ostream* out) { *out << c.name; }

class Chain : public ::testing::TestWithParam<ChainCase> {};

// A case without a drawing runs the calls alone; its database file DBFILE is a new file of the data folder.
TEST_P(Chain, GivesWhatZilScriptGivesOnLinux) {
  const ChainCase& c = GetParam();
  const bool withDrawing = c.drawing != "-";
  ChainData data;
  const std::string database = (data.path() / "t.db").generic_string();
  LateObject host;
  if (withDrawing) {
    host = LateObject::Create(kHost);
    const std::wstring drawing = WindowsPath(c.drawing);
    host.Object(L"Documents").Call(L"Open", {Str(std::u16string(drawing.begin(), drawing.end()))});
  }
  const LateObject zil = LateObject::Create(kZil);
  if (withDrawing) zil.Call(L"SetApp", {Dispatch(host.get())}, DISPATCH_METHOD);

  std::vector<std::string> got;
  for (const std::string& line : Lines(ReadBytes(c.script))) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> words = cli::SplitScriptWords(line);
    for (std::string& word : words)
      if (word == "DBFILE") word = database;
    std::string reported = ReportCall(zil.get(), words);
    for (std::size_t at; (at = reported.find(database)) != std::string::npos;)
      reported.replace(at, database.size(), "DBFILE");
    got.push_back(reported);
    if (withDrawing) {
      for (const std::u16string& report : Strings(host.Call(L"RunQueuedCommands")->result)) got.push_back(Utf8(report));
    }
  }
  const std::vector<std::string> expected = Lines(ReadBytes(c.output));
  ASSERT_EQ(got.size(), expected.size());
  for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], expected[i]) << "line " << i + 1;

  if (!withDrawing) return;
  const std::filesystem::path saved = data.path() / (c.name + ".dxf");
  const std::wstring savedName = saved.wstring();
  host.Object(L"ActiveDocument").Call(L"SaveAs", {Str(std::u16string(savedName.begin(), savedName.end()))});
  EXPECT_TRUE(ReadBytes(saved) == ReadBytes(c.saved)) << c.name << ": the saved drawing differs from Linux's";
}

INSTANTIATE_TEST_SUITE_P(Drawings, Chain, ::testing::ValuesIn(ReadCases()),
                         [](const ::testing::TestParamInfo<ChainCase>& param) {
                           std::string name = param.param.name;
                           for (char& ch : name)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

}  // namespace
}  // namespace zil::test
