// The DXF versions the host reads and writes, R12 (AC1009) to R2018 (AC1032), by their $ACADVER names.
#pragma once

#include <optional>
#include <string_view>

namespace zil::drawing {

enum class DxfVersion { R12, R13, R14, R2000, R2004, R2007, R2010, R2013, R2018 };

// "AC1009" -> R12 ...; nullopt for a name outside R12..R2018.
std::optional<DxfVersion> ParseDxfVersion(std::string_view acadver) noexcept;
std::string_view AcadVerName(DxfVersion version) noexcept;  // "AC1015"
std::string_view ReleaseName(DxfVersion version) noexcept;  // "R2000"

// From R2007 on, strings are UTF-8; before, bytes of $DWGCODEPAGE.
inline bool UsesUtf8(DxfVersion v) noexcept { return v >= DxfVersion::R2007; }
// From R13 on, objects carry owners (group 330) and subclass markers (group 100).
inline bool HasSubclasses(DxfVersion v) noexcept { return v >= DxfVersion::R13; }

}  // namespace zil::drawing
