// The portable registry: a UTF-8 INI file in the data folder, read with the registry's name rules.
#include "platform/portable_registry.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace zil::platform {
namespace {

using zil::test::TempFolder;

TEST(PortableRegistry, ReadsStringValuesOfAKeyFromTheDataFolder) {
  TempFolder dir;
  std::filesystem::path folder = dir / "first";
  PortableRegistry registry([&folder] { return folder; });
  EXPECT_EQ(registry.ReadUserString("\\Software\\Dastel\\Lisp\\Blocks", "Door"), std::nullopt);  // no file

  dir.Write("first/registry.ini",
            "\xEF\xBB\xBF[Other]\nDoor=other key\n"
            "[ software\\DASTEL\\Lisp\\Blocks ]\r\n"
            "; Door=a comment\r\n"
            "door = {\"MAT\": {\"A\": [\"x\"]}} \r\n"
            "Door=the second of two equal names\r\n"
            "\xD7\x93\xD7\x9C\xD7\xAA=\"quoted\"\r\n"
            "Empty=\r\n"
            "[Software\\Dastel\\Lisp\\Blocks]\nGate=in a second equal section\n");
  const struct {
    std::string name;
    std::optional<std::string> value;
  } cases[] = {
      {"Door", "{\"MAT\": {\"A\": [\"x\"]}}"},
      {"DOOR", "{\"MAT\": {\"A\": [\"x\"]}}"},
      {"\xD7\x93\xD7\x9C\xD7\xAA", "quoted"},
      {"Empty", ""},
      {"Gate", std::nullopt},
      {"Window", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(registry.ReadUserString("\\Software\\Dastel\\Lisp\\Blocks", c.name), c.value) << c.name;
  EXPECT_EQ(registry.ReadUserString("\\Software\\Dastel\\Lisp\\Blocks2", "Door"), std::nullopt);

  folder = dir / "second";  // the data folder is asked at every read
  EXPECT_EQ(registry.ReadUserString("\\Software\\Dastel\\Lisp\\Blocks", "Door"), std::nullopt);
  std::filesystem::create_directories(folder / "registry.ini");
  EXPECT_THROW(registry.ReadUserString("\\Software\\Dastel\\Lisp\\Blocks", "Door"), std::runtime_error);
}

}  // namespace
}  // namespace zil::platform
