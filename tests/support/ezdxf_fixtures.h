// Drawings made and read with ezdxf, the independent DXF library the tests check against, by the Python
// scripts of the source tree: the fixture drawings a test program reads, made once per program in a
// temporary folder, and ezdxf's reading of a drawing a test wrote.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "support/temp_folder.h"

namespace zil::test {

// The folder `script` (a path under tests/, e.g. "drawing/make_fixtures.py") fills with its drawings,
// made at the first call; every later call gives the same folder. A script that fails throws with its
// error output.
const TempFolder& FixturesMadeBy(const std::string& script);

// The handle of the entity `name` in the handles.json that `script` writes beside its drawings.
std::u16string HandleMadeBy(const std::string& script, const std::string& name);

// tests/drawing/ezdxf_probe.py on `path`: its audit's errors and fixes, $HANDSEED and the strings it reads
// (see the script). A drawing ezdxf cannot read throws with its error output.
nlohmann::json ProbeWithEzdxf(const std::string& path);

}  // namespace zil::test
