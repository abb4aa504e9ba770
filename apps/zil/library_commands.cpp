// The library commands: `zil library init` makes the text library (zil.db in the data folder) as the
// add-in makes it when it first opens it; `zil library tree` prints the library as an indented outline of
// labels with their ids; `zil library defaults BLOCK` prints a block's attribute defaults document and
// where it was found. Tree and defaults open the library as the add-in does (a file that lacks tables
// gains them), but neither makes one: without zil.db there is no tree to print, and no defaults in it.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "attributes/block_defaults.h"
#include "command_line.h"
#include "config/data_folder.h"
#include "library/memory_tree.h"
#include "library/tdb.h"
#include "platform/portable_registry.h"
#include "platform/special_folders.h"
#include "textcore/utf8.h"

namespace zil::cli {
namespace {

namespace fs = std::filesystem;

struct LibraryOptions {
  std::optional<std::string> dataFolder;
  std::string block;
};

fs::path DataFolder(const LibraryOptions& opts) {
  if (opts.dataFolder) return fs::path(*opts.dataFolder) / "";
  return config::ChooseDataFolder(platform::XdgSpecialFolders{});
}

int PrintTree(const LibraryOptions& opts, CommandLine& cl) {
  const fs::path folder = DataFolder(opts);
  std::error_code ec;
  if (!fs::exists(folder / library::kLibraryFileName, ec)) {
    cl.err << "zil: there is no text library in " << folder.string() << " (zil library init makes "
           << library::kLibraryFileName << ")\n";
    return 1;
  }
  library::Tdb db = library::Tdb::Create(folder);
  library::MemoryTree tree;
  db.FillTree(tree, library::kLibTree);
  cl.out << textcore::ToUtf8(tree.Outline());
  return 0;
}

int MakeLibrary(const LibraryOptions& opts, CommandLine& cl) {
  const fs::path folder = DataFolder(opts);
  std::error_code ec;
  const bool existed = fs::exists(folder / library::kLibraryFileName, ec);
  const library::Tdb db = library::Tdb::Create(folder);
  if (!existed) {
    cl.out << "made the text library " << db.slDBPath().string() << '\n';
  } else if (db.TablesMade() > 0) {
    cl.out << "the text library " << db.slDBPath().string() << " already exists; it lacked " << db.TablesMade()
           << " of its tables, which it has now\n";
  } else {
    cl.out << "the text library " << db.slDBPath().string() << " already exists\n";
  }
  return 0;
}

int PrintDefaults(const LibraryOptions& opts, CommandLine& cl) {
  const fs::path folder = DataFolder(opts);
  platform::PortableRegistry registry([folder] { return folder; });
  std::optional<library::Tdb> db;
  std::error_code ec;
  if (fs::exists(folder / library::kLibraryFileName, ec)) db.emplace(library::Tdb::Create(folder));
  const attributes::BlockDefaults defaults =
      attributes::LoadBlockDefaults(db ? &*db : nullptr, registry, textcore::FromUtf8(opts.block));
  switch (defaults.source) {
    case attributes::DefaultsSource::None:
      cl.out << "No attribute defaults for block \"" << opts.block << "\"\n";
      return 0;
    case attributes::DefaultsSource::Database:
      cl.out << "# from the library database " << db->slDBPath().string() << '\n';
      break;
    case attributes::DefaultsSource::Registry:
      cl.out << "# from the registry " << registry.File().string() << '\n';
      break;
  }
  cl.out << defaults.document.dump(2) << '\n';
  return 0;
}

}  // namespace

void AddLibraryCommands(CommandLine& cl) {
  CLI::App* library = cl.app.add_subcommand("library", "the text library of the data folder (zil.db)");
  library->require_subcommand(1);
  const auto folderOption = [](CLI::App* cmd, LibraryOptions& opts) {
    cmd->add_option("--data-folder", opts.dataFolder,
                    "the data folder; without it, the add-in's (ZIL_DATA_FOLDER overrides the usual rules)");
  };

  auto initOpts = std::make_shared<LibraryOptions>();
  CLI::App* init = library->add_subcommand("init", "make the text library, as the add-in makes it when first opened");
  folderOption(init, *initOpts);
  init->callback([&cl, initOpts] { cl.action = [&cl, initOpts] { return MakeLibrary(*initOpts, cl); }; });

  auto treeOpts = std::make_shared<LibraryOptions>();
  CLI::App* tree = library->add_subcommand("tree", "print the library's categories and topics with their ids");
  folderOption(tree, *treeOpts);
  tree->callback([&cl, treeOpts] { cl.action = [&cl, treeOpts] { return PrintTree(*treeOpts, cl); }; });

  auto defaultsOpts = std::make_shared<LibraryOptions>();
  CLI::App* defaults = library->add_subcommand(
      "defaults", "print a block's attribute defaults: from the library database, else from the registry");
  defaults->add_option("block", defaultsOpts->block, "the block name")->required();
  folderOption(defaults, *defaultsOpts);
  defaults->callback(
      [&cl, defaultsOpts] { cl.action = [&cl, defaultsOpts] { return PrintDefaults(*defaultsOpts, cl); }; });
}

}  // namespace zil::cli
