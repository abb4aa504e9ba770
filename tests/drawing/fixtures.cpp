#include "fixtures.h"

#include "support/ezdxf_fixtures.h"

namespace zil::drawing::test {
namespace {

const zil::test::TempFolder& FixtureFolder() { return zil::test::FixturesMadeBy("drawing/make_fixtures.py"); }

}  // namespace

std::string Fixture(const std::string& name) { return (FixtureFolder() / name).string(); }

std::string FixtureBytes(const std::string& name) { return zil::test::TempFolder::Read(Fixture(name)); }

}  // namespace zil::drawing::test
