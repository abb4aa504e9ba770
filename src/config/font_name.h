// Font file names as AutoCAD gives them ("C:\Fonts\ARIAL.TTF", "romans.shx", "hebrew"): the folder ends at
// the last "\", "/" or ":" (drive), the extension begins at the last "." after it.
#pragma once

#include <string>
#include <string_view>

namespace zil::config {

std::u16string_view FileNamePart(std::u16string_view name);
// The extension with its dot, or empty.
std::u16string_view ExtensionOf(std::u16string_view name);
// The name (folder kept) without its extension.
std::u16string_view WithoutExtension(std::u16string_view name);

}  // namespace zil::config
