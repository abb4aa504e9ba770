#include "drawing/dxf_version.h"

#include <array>

namespace zil::drawing {
namespace {

struct VersionName {
  DxfVersion version;
  std::string_view acadver;
  std::string_view release;
};

constexpr std::array<VersionName, 9> kVersions = {{
    {DxfVersion::R12, "AC1009", "R12"},
    {DxfVersion::R13, "AC1012", "R13"},
    {DxfVersion::R14, "AC1014", "R14"},
    {DxfVersion::R2000, "AC1015", "R2000"},
    {DxfVersion::R2004, "AC1018", "R2004"},
    {DxfVersion::R2007, "AC1021", "R2007"},
    {DxfVersion::R2010, "AC1024", "R2010"},
    {DxfVersion::R2013, "AC1027", "R2013"},
    {DxfVersion::R2018, "AC1032", "R2018"},
}};

}  // namespace

std::optional<DxfVersion> ParseDxfVersion(std::string_view acadver) noexcept {
  for (const VersionName& v : kVersions)
    if (v.acadver == acadver) return v.version;
  return std::nullopt;
}

std::string_view AcadVerName(DxfVersion version) noexcept {
  return kVersions[static_cast<std::size_t>(version)].acadver;
}

std::string_view ReleaseName(DxfVersion version) noexcept {
  return kVersions[static_cast<std::size_t>(version)].release;
}

}  // namespace zil::drawing
