// The drawings the drawing tests read, made once per test program by make_fixtures.py with ezdxf in a
// temporary folder, and ezdxf's view of a file the host wrote.
#pragma once

#include <string>

#include "support/ezdxf_fixtures.h"

namespace zil::drawing::test {

// The path of fixture `name` ("r2000_ansi_1255.dxf", ...).
std::string Fixture(const std::string& name);
// The bytes of fixture `name`.
std::string FixtureBytes(const std::string& name);

using zil::test::ProbeWithEzdxf;

}  // namespace zil::drawing::test
