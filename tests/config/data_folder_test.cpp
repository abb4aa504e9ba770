#include "config/data_folder.h"

#include <gtest/gtest.h>

#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace zil::config {
namespace {

TEST(DataFolder, TheFirstRuleThatAppliesWins) {
  test::TempFolder dir;
  test::FakeFolders folders;
  folders.documents = dir / "Documents";
  folders.applicationData = dir / "config";
  folders.fixed = dir / "Veltro";

  // Neither holds Dastel/Veltro: the fixed folder, though it does not exist, and start-up finds nothing.
  EXPECT_EQ(ChooseDataFolder(folders), dir / "Veltro" / "");
  EXPECT_FALSE(FindDataFolder(folders));

  std::filesystem::create_directories(dir / "config" / "Dastel" / "Veltro");
  EXPECT_EQ(ChooseDataFolder(folders), dir / "config" / "Dastel" / "Veltro" / "");

  std::filesystem::create_directories(dir / "Documents" / "Dastel" / "Veltro");
  EXPECT_EQ(ChooseDataFolder(folders), dir / "Documents" / "Dastel" / "Veltro" / "");
  EXPECT_EQ(FindDataFolder(folders), dir / "Documents" / "Dastel" / "Veltro" / "");

  folders.override = dir / "mine";  // ZIL_DATA_FOLDER overrides every rule
  EXPECT_EQ(ChooseDataFolder(folders), dir / "mine" / "");
}

TEST(DataFolder, AlwaysEndsWithTheSeparator) {
  test::FakeFolders folders;
  for (const std::filesystem::path p : {"/a/b", "/a/b/"}) {
    folders.override = p;
    EXPECT_EQ(ChooseDataFolder(folders).string(), "/a/b/");
  }
}

}  // namespace
}  // namespace zil::config
