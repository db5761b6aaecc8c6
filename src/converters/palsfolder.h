#pragma once

// Where the programs find their palettes: a `pals` folder beside the executable (the build
// folder, a portable copy), else the installed ones in ../share/skardetools/pals.

#include <filesystem>
#include <string>
#include <vector>

namespace skarde {

// The first of those two folders that exists. When neither does, the one beside the executable,
// so that the converters' message about a missing grey.pal names where a portable copy belongs.
std::filesystem::path findPalsFolder(const std::filesystem::path& executableFolder);

// The palettes of the folder that go by a name rather than a number (grey and the world
// palettes), without ".pal", sorted without regard to case: what a user may choose as a world.
std::vector<std::string> namedPalettesIn(const std::filesystem::path& palsFolder);

} // namespace skarde
