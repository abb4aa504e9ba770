// The database verbs through `zil script`, and `zil library` on a library in a temporary data folder.
#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "zil_binary.h"

namespace zil::cli {
namespace {

using test::TempFolder;
using test::Zil;

TEST(LibraryCommands, ScriptsReachTheDatabaseVerbs) {
  TempFolder data;
  const std::string db = "'" + (data / "t.db").string() + "'";
  const auto run = Zil({"script"},
                       "Cmd db_sqlexec " + db +
                           " 'CREATE TABLE t (a TEXT, r REAL); INSERT INTO t VALUES (1, 2)'\n"
                           "Cmd db_sqlexec " +
                           db +
                           " \"INSERT INTO t VALUES ('\xD7\xA9 \\\"q\\\"', 2.5)\"\n"
                           "Cmd db_gettable " +
                           db +
                           " 'SELECT a, r, NULL FROM t'\n"
                           "Hebstr\n"
                           "Cmd db_sqlexec " +
                           db +
                           " 'SELECT * FROM t'\n"
                           "Hebstr\n",
                       {"ZIL_DATA_FOLDER=" + data.path().string(), "LC_ALL=C"});
  EXPECT_EQ(run.exitCode, 1);  // the query given to db_sqlexec
  EXPECT_EQ(run.err, "zil: 1 of 6 calls failed\n");
  const std::string ok = "{\"member\": \"Cmd\", \"hresult\": \"0x00000000\"}\n";
  const std::string table = "\\\"\xD7\xA9 \\\\\\\"q\\\\\\\"\\\" \\\"2.5\\\" \\\"\\\"\\r\\n";
  const std::string expected =
      ok + ok + ok + "{\"member\": \"Hebstr\", \"hresult\": \"0x00000000\", \"value\": \"" + table + "\"}\n";
  ASSERT_EQ(run.out.substr(0, expected.size()), expected);
  EXPECT_NE(run.out.find("\"hresult\": \"0x8000FFFF\", \"error\": \"Database error in"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("returned rows"), std::string::npos) << run.out;
  EXPECT_TRUE(run.out.ends_with("\"value\": \"" + table + "\"}\n"));  // the failure kept the result
}

TEST(LibraryCommands, TreePrintsTheLibraryOfTheDataFolder) {
  TempFolder data;
  const std::vector<std::string> env = {"ZIL_DATA_FOLDER=" + data.path().string()};
  const auto none = Zil({"library", "tree"}, {}, env);
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_NE(none.err.find("there is no text library in " + data.path().string()), std::string::npos) << none.err;
  EXPECT_FALSE(std::filesystem::exists(data / "zil.db"));

  const std::string db = "'" + (data / "zil.db").string() + "'";
  const auto made = Zil({"script"},
                        "Cmd db_sqlexec " + db +
                            " 'CREATE TABLE LibTree ([ID] INTEGER PRIMARY KEY, nid, icon, name, id_parent, txt)'\n"
                            "Cmd db_sqlexec " +
                            db +
                            " \"INSERT INTO LibTree (nid, id_parent, icon, name) VALUES (0, -1, NULL, 'All "
                            "Categories'), (2, 1, 2, '\xD7\x91\xD7\x98\xD7\x95\xD7\x9F'), (1, 0, 0, "
                            "'\xD7\xA7\xD7\x99\xD7\xA8\xD7\x95\xD7\xAA'), (3, 0, 2, 'Note')\"\n",
                        env);
  ASSERT_EQ(made.exitCode, 0) << made.err;
  const std::string outline =
      "All Categories [0]\n  \xD7\xA7\xD7\x99\xD7\xA8\xD7\x95\xD7\xAA [1]\n    \xD7\x91\xD7\x98\xD7\x95\xD7\x9F [2] "
      "(topic)\n  Note [3] (topic)\n";
  const auto tree = Zil({"library", "tree"}, {}, env);
  EXPECT_EQ(tree.exitCode, 0) << tree.err;
  EXPECT_EQ(tree.out, outline);
  const auto elsewhere = Zil({"library", "tree", "--data-folder", data.path().string()});
  EXPECT_EQ(elsewhere.out, outline);
  EXPECT_EQ(Zil({"library"}).exitCode, 2);
}

TEST(LibraryCommands, InitMakesTheLibraryAndMendsAFileADatabaseCommandLeftEmpty) {
  TempFolder data;
  const std::string folder = (data / "Dastel" / "Veltro").string();
  const std::vector<std::string> env = {"ZIL_DATA_FOLDER=" + folder};
  const auto made = Zil({"library", "init"}, {}, env);
  EXPECT_EQ(made.exitCode, 0) << made.err;
  EXPECT_EQ(made.out, "made the text library " + folder + "/zil.db\n");
  EXPECT_EQ(Zil({"library", "tree"}, {}, env).out, "All Categories [0]\n");
  EXPECT_EQ(Zil({"library", "init"}, {}, env).out, "the text library " + folder + "/zil.db already exists\n");

  // db_gettable on a library that does not exist yet leaves an empty file; the library still opens.
  const std::string other = (data / "other").string();
  std::filesystem::create_directory(other);
  ASSERT_EQ(Zil({"script"}, "Cmd db_gettable '" + other + "/zil.db' 'SELECT 1'\n", env).exitCode, 0);
  ASSERT_EQ(std::filesystem::file_size(other + "/zil.db"), 0u);
  EXPECT_EQ(Zil({"library", "init", "--data-folder", other}).out,
            "the text library " + other + "/zil.db already exists; it lacked 6 of its tables, which it has now\n");
  const auto tree = Zil({"library", "tree", "--data-folder", other});
  EXPECT_EQ(tree.exitCode, 0) << tree.err;
  EXPECT_EQ(tree.out, "All Categories [0]\n");
}

TEST(LibraryCommands, DefaultsComeFromTheDatabaseElseTheRegistry) {
  TempFolder data;
  const std::vector<std::string> env = {"ZIL_DATA_FOLDER=" + data.path().string()};
  data.Write("registry.ini", "[Software\\Dastel\\Lisp\\Blocks]\nWindow={\"W\": {\"A\": [\"a\"]}}\nBad={\n");
  const auto registry = Zil({"library", "defaults", "window"}, {}, env);
  EXPECT_EQ(registry.exitCode, 0) << registry.err;
  EXPECT_EQ(registry.out, "# from the registry " + (data / "registry.ini").string() +
                              "\n{\n  \"W\": {\n    \"A\": [\n      \"a\"\n    ]\n  }\n}\n");
  EXPECT_FALSE(std::filesystem::exists(data / "zil.db"));  // looking creates no library

  const std::string db = "'" + (data / "zil.db").string() + "'";
  const auto made =
      Zil({"script"},
          "Cmd db_sqlexec " + db +
              " 'CREATE TABLE BlocksAttr (ID INTEGER PRIMARY KEY, bname TEXT COLLATE NOCASE, json)'\n" +
              "Cmd db_sqlexec " + db + " \"INSERT INTO BlocksAttr (bname, json) VALUES ('WINDOW', '{}')\"\n",
          env);
  ASSERT_EQ(made.exitCode, 0) << made.err;
  const auto database = Zil({"library", "defaults", "Window"}, {}, env);
  EXPECT_EQ(database.out, "# from the library database " + (data / "zil.db").string() + "\n{}\n");

  const auto bad = Zil({"library", "defaults", "Bad"}, {}, env);
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.err.find("block \"Bad\" in the registry are not valid JSON"), std::string::npos) << bad.err;
  EXPECT_EQ(Zil({"library", "defaults", "Door"}, {}, env).out, "No attribute defaults for block \"Door\"\n");
}

}  // namespace
}  // namespace zil::cli
