// The Windows implementations below the automation object, under Wine: the platform's bidi engine against
// the Linux build's results, UTF-8 through the platform's converters, and the platform services.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/data_folder.h"
#include "conversion_corpus.h"
#include "platform/atomic_file.h"
#include "platform/keyboard_layouts_win.h"
#include "platform/special_folders_win.h"
#include "textcore/font_converter.h"
#include "textcore/keyboard.h"
#include "textcore/utf8.h"
#include "textcore/visual_order.h"

// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

namespace zil::test {
namespace {

namespace fs = std::filesystem;

// The editors' reordering under left-to-right reading (font type 4 in stored order), string by string as
// the Linux build gives it.
TEST(WindowsTextCore, ReordersLikeTheLinuxBuild) {
  const std::vector<ConversionCase> corpus = ReadConversionCorpus(ZIL_CONVERSION_CORPUS);
  textcore::FontConverter conv;
  conv.cStType = TrueType;
  int compared = 0, differing = 0;
  for (const ConversionCase& c : corpus) {
    if (c.conversion != "edit-form" && c.conversion != "drawing-form") continue;
    const std::u16string result =
        c.conversion == "edit-form" ? conv.AcadToEditDos(c.input) : conv.EditToacadDos(c.input);
    ++compared;
    if (result != c.expected && ++differing <= 20) {
      ADD_FAILURE() << c.conversion << " of " << ToHex16(c.input) << ": " << ToHex16(result)
                    << ", the Linux build gives " << ToHex16(c.expected);
    }
  }
  EXPECT_EQ(differing, 0) << "of " << compared;
  EXPECT_GT(compared, 1000);
}

TEST(WindowsTextCore, ReadingOrderComesFromTheContext) {
  const std::string latin = "ab ", hebrew = "\xE0\xE1", tail = " cd";
  EXPECT_EQ(
      textcore::VisualOrderDC(textcore::DeviceContext{textcore::ReadingOrder::LeftToRight}, latin + hebrew + tail),
      "ab \xE1\xE0 cd");
  EXPECT_EQ(textcore::VisualOrderDC(textcore::ScreenDC, latin + hebrew + tail), "cd \xE1\xE0 ab");
  EXPECT_EQ(textcore::VisualOrderDC(textcore::ScreenDC, "12 abc"), "abc 12");
  EXPECT_EQ(textcore::VisualOrderDC(textcore::ScreenDC, ""), "");
  const std::string longText(5000, 'x');
  EXPECT_EQ(textcore::VisualOrderDC(textcore::ScreenDC, longText + "\xE0"), "\xE0" + longText);
}

TEST(WindowsTextCore, ConvertsUtf8) {
  const std::string utf8 = "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D 12 \xF0\x9F\x98\x80";  // "שלום 12 😀"
  const std::u16string utf16 = u"\u05E9\u05DC\u05D5\u05DD 12 \U0001F600";
  EXPECT_EQ(textcore::FromUtf8(utf8), utf16);
  EXPECT_EQ(textcore::ToUtf8(utf16), utf8);
  EXPECT_EQ(textcore::FromUtf8(""), u"");
  EXPECT_EQ(textcore::FromUtf8("a\xFF"
                               "b"),
            u"a\uFFFDb");
  EXPECT_EQ(textcore::ToUtf8(u"a\xD800"
                             u"b"),
            "a\xEF\xBF\xBD"
            "b");
}

fs::path ShellFolder(int csidl) {
  wchar_t folder[MAX_PATH] = {};
  EXPECT_EQ(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder), S_OK);
  return folder;
}

// The data folder rules over the real folders of this Wine prefix (whose home is inside the build folder).
TEST(WindowsServices, DataFolderComesFromTheUsersFolders) {
  SetEnvironmentVariableW(L"ZIL_DATA_FOLDER", nullptr);
  platform::Win32SpecialFolders folders;
  const fs::path documents = ShellFolder(CSIDL_PERSONAL) / L"Dastel" / L"Veltro";
  const fs::path appData = ShellFolder(CSIDL_APPDATA) / L"Dastel" / L"Veltro";
  fs::remove_all(documents.parent_path());
  fs::remove_all(appData.parent_path());

  EXPECT_EQ(config::ChooseDataFolder(folders), fs::path(L"c:\\Veltro\\"));
  EXPECT_EQ(config::FindDataFolder(folders), std::nullopt);
  fs::create_directories(appData);
  EXPECT_EQ(config::ChooseDataFolder(folders), appData / L"");
  fs::create_directories(documents);
  EXPECT_EQ(config::ChooseDataFolder(folders), documents / L"");
  EXPECT_EQ(config::ChooseDataFolder(folders).native().back(), L'\\');

  const fs::path named = fs::temp_directory_path() / L"zil \u05E0\u05EA\u05D5\u05E0\u05D9\u05DD";  // any script
  SetEnvironmentVariableW(L"ZIL_DATA_FOLDER", named.c_str());
  EXPECT_EQ(config::ChooseDataFolder(folders), named / L"");
  SetEnvironmentVariableW(L"ZIL_DATA_FOLDER", nullptr);
  fs::remove_all(documents.parent_path());
  fs::remove_all(appData.parent_path());
}

TEST(WindowsServices, WritesFilesOfAnyNameAtomically) {
  const fs::path folder = fs::temp_directory_path() / (L"zil-test-" + std::to_wstring(GetCurrentProcessId()));
  fs::create_directories(folder);
  const fs::path file = folder / L"\u05D4\u05D2\u05D3\u05E8\u05D5\u05EA.ini";
  platform::WriteFileAtomically(file, "first");
  platform::WriteFileAtomically(file, "second");  // replaces the existing file
  std::ifstream in(file, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  EXPECT_EQ(text, "second");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);  // no temporary left
  fs::remove_all(folder);
}

TEST(WindowsServices, SwitchesTheKeyboardLayout) {
  platform::Win32KeyboardLayouts layouts;
  std::vector<platform::KeyboardLayoutHandle> heard;
  layouts.AddListener([&heard](platform::KeyboardLayoutHandle active) { heard.push_back(active); });

  textcore::EnglishKeyboard(layouts);
  heard.clear();
  textcore::HebrewKeyboard(layouts);
  EXPECT_EQ(platform::LanguageOf(layouts.Active()), platform::kHebrewLanguage);
  EXPECT_EQ(LOWORD(reinterpret_cast<std::uintptr_t>(GetKeyboardLayout(0))), 0x040D);
  EXPECT_TRUE(textcore::KeyboardIsHebrew(layouts));
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0], layouts.Active());

  textcore::HebrewKeyboard(layouts);  // already active: nothing to hear
  EXPECT_EQ(heard.size(), 1u);

  textcore::EnglishKeyboard(layouts);
  EXPECT_EQ(layouts.Active(), 0x04090409u);
  EXPECT_FALSE(textcore::KeyboardIsHebrew(layouts));
  EXPECT_EQ(heard.size(), 2u);
  const auto installed = layouts.Installed();
  EXPECT_NE(std::find(installed.begin(), installed.end(), 0x04090409u), installed.end());
}

}  // namespace
}  // namespace zil::test
