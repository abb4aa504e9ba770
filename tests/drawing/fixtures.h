// The drawings the drawing tests read, made once per test program by make_fixtures.py with ezdxf in a
// temporary folder, and ezdxf's view of a file the host wrote.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace zil::drawing::test {

// The path of fixture `name` ("r2000_ansi_1255.dxf", ...).
std::string Fixture(const std::string& name);
// The bytes of fixture `name`.
std::string FixtureBytes(const std::string& name);

// ezdxf_probe.py on `path`: audit findings, $HANDSEED and strings (see the script).
nlohmann::json ProbeWithEzdxf(const std::string& path);

}  // namespace zil::drawing::test
