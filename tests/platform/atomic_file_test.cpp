// The file writer every writer goes through: regular files replaced whole through a temporary file,
// links followed, devices and pipes written in place, folders and disks refused.
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "support/file_permissions.h"
#include "support/temp_folder.h"

namespace zil::platform {
namespace {

namespace fs = std::filesystem;
using zil::test::TempFolder;

// The names in a folder, so a test can see that no temporary file was left behind.
std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Message(const std::function<void()>& write) {
  try {
    write();
  } catch (const WriteError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(AtomicFile, ReplacesARegularFileWholeKeepingItsPermissions) {
  TempFolder dir;
  const fs::path file = dir.Write("a.txt", "old");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  WriteFileAtomically(file, "new");
  EXPECT_EQ(TempFolder::Read(file), "new");
  EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  // A producer that fails leaves the file and no temporary file.
  EXPECT_THROW(WriteFileAtomically(file,
                                   [](const ByteWriter& write) {
                                     write("half");
                                     throw std::runtime_error("the producer failed");
                                   }),
               std::runtime_error);
  EXPECT_EQ(TempFolder::Read(file), "new");
  EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"a.txt"});
}

TEST(AtomicFile, RefusesAReadOnlyFileThoughItsFolderIsWritable) {
  TempFolder dir;
  const fs::path file = dir.Write("HebFonts.txt", "[Fonts]\nmine=DosHebrew\n");
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::create_symlink("HebFonts.txt", dir / "link.txt");
  {
    const zil::test::ObeyFilePermissions asAUser;
    for (const fs::path& target : {file, dir / "link.txt"}) {
      EXPECT_EQ(Message([&] { WriteFileAtomically(target, "new"); }),
                "cannot write " + target.string() + ": it is read-only");
      EXPECT_THROW(CheckWritable(target), WriteError);
    }
  }
  EXPECT_EQ(TempFolder::Read(file), "[Fonts]\nmine=DosHebrew\n");
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"HebFonts.txt", "link.txt"}));
}

TEST(AtomicFile, FollowsSymbolicLinksAndReplacesTheFileTheyName) {
  TempFolder dir;
  const fs::path real = dir.Write("data/Hebrew.ini", "old");
  fs::create_symlink("data/Hebrew.ini", dir / "link.ini");
  fs::create_symlink("link.ini", dir / "chain.ini");
  WriteFileAtomically(dir / "chain.ini", "through two links");
  EXPECT_TRUE(fs::is_symlink(dir / "link.ini"));
  EXPECT_TRUE(fs::is_symlink(dir / "chain.ini"));
  EXPECT_EQ(TempFolder::Read(real), "through two links");

  // A link to a file that does not exist yet: the file is made where the link points.
  fs::create_symlink("data/new.txt", dir / "dangling");
  WriteFileAtomically(dir / "dangling", "made");
  EXPECT_TRUE(fs::is_symlink(dir / "dangling"));
  EXPECT_EQ(TempFolder::Read(dir / "data/new.txt"), "made");
}

TEST(AtomicFile, WritesDevicesAndPipesInPlace) {
  TempFolder dir;
  // A FIFO with a reader: the bytes go through it and it stays a FIFO.
  const fs::path fifo = dir / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  WriteFileAtomically(fifo, "through the pipe");
  char buffer[64] = {};
  const ssize_t n = ::read(reader, buffer, sizeof buffer);
  ::close(reader);
  EXPECT_EQ(std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0), "through the pipe");
  EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);

  // Character devices, reached through a link: the device stays, the link stays.
  fs::create_symlink("/dev/null", dir / "null");
  WriteFileAtomically(dir / "null", "gone");
  EXPECT_TRUE(fs::is_symlink(dir / "null"));
  EXPECT_EQ(fs::status("/dev/null").type(), fs::file_type::character);

  fs::create_symlink("/dev/full", dir / "full");
  try {
    WriteFileAtomically(dir / "full", "no room");
    ADD_FAILURE() << "writing to /dev/full succeeded";
  } catch (const WriteError& e) {
    EXPECT_NE(std::string(e.what()).find("No space left on device"), std::string::npos) << e.what();
    EXPECT_FALSE(e.LeftAsItWas());  // a device may have taken part of the bytes
  }
  EXPECT_EQ(fs::status("/dev/full").type(), fs::file_type::character);
}

TEST(AtomicFile, RefusesWhatItCannotWriteAndSaysWhy) {
  TempFolder dir;
  fs::create_directory(dir / "folder");
  const struct {
    fs::path target;
    std::string reason;
  } cases[] = {
      {dir / "folder", "it is a folder"},
      {dir / "no such folder" / "x.txt", "the folder " + (dir / "no such folder").string() + " does not exist"},
      {"", "no file name was given"},
  };
  for (const auto& c : cases) {
    const std::string expected = "cannot write " + c.target.string() + ": " + c.reason;
    EXPECT_EQ(Message([&] { WriteFileAtomically(c.target, "x"); }), expected);
    EXPECT_EQ(Message([&] { CheckWritable(c.target); }), expected);
  }
  EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"folder"});
  EXPECT_TRUE(fs::is_empty(dir / "folder"));

  // A disk is not written over (checked only: a write that went wrong would damage it).
  for (const fs::path disk : {"/dev/loop0", "/dev/sda", "/dev/vda"}) {
    if (!fs::is_block_file(disk)) continue;
    EXPECT_NE(Message([&] { CheckWritable(disk); }).find("it is a block device"), std::string::npos);
    break;
  }

  EXPECT_NO_THROW(CheckWritable(dir / "new.txt"));
  EXPECT_NO_THROW(CheckWritable("/dev/null"));
  EXPECT_FALSE(fs::exists(dir / "new.txt"));
}

}  // namespace
}  // namespace zil::platform
