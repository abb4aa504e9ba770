// The drawings the drawing tests read: made once per test program by make_fixtures.py with ezdxf, in a
// temporary folder; and small helpers for files and for running ezdxf on what the host wrote.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace zil::drawing::test {

// The path of fixture `name` ("r2000_ansi_1255.dxf", ...).
std::string Fixture(const std::string& name);
// A new empty folder for one test.
std::string NewTempDir();

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// ezdxf_probe.py on `path`: audit findings, handles and strings (see the script).
nlohmann::json ProbeWithEzdxf(const std::string& path);

}  // namespace zil::drawing::test
