#pragma once

// Where the programs find their palettes: a `pals` folder beside the executable (the build
// folder, a portable copy), else the installed ones in ../share/skardetools/pals.

#include <filesystem>

namespace skarde {

// The first of those two folders that exists. When neither does, the one beside the executable,
// so that the converters' message about a missing grey.pal names where a portable copy belongs.
std::filesystem::path findPalsFolder(const std::filesystem::path& executableFolder);

} // namespace skarde
