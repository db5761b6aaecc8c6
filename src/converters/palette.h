#pragma once

// Turning a game palette number into the 256 colours of a bitmap's colour table.

#include "bmpfile.h"
#include "core/convertercontext.h"
#include "palfile.h"

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace skarde {

inline constexpr std::string_view kGreyPaletteName = "grey";
// The world palette of a world-dependent image when the user names none.
inline constexpr std::string_view kDefaultWorldPaletteName = "Grey";

// The palette file for `name` in the pals folder, or grey.pal when there is none or the name
// would reach outside the folder. Throws Problem when grey.pal itself is missing.
std::filesystem::path findPaletteFile(const std::filesystem::path& palsFolder,
                                      std::string_view name);

// grey.pal in the pals folder, whatever its case. Throws Problem naming the file it looked for,
// with `missingMessage`, when there is none.
std::filesystem::path findGreyPalette(const std::filesystem::path& palsFolder,
                                      std::string_view missingMessage);

// The PAL file at `path`. Throws Problem naming it, with `shortMessage`, when it is shorter than
// a PAL file.
PalFile loadPaletteFile(const std::filesystem::path& path, std::string_view shortMessage);

BmpColourTable colourTableFromPalette(const PalData& data);

// Asks the world palette chooser for number 1071.
// Throws Problem when no usable palette file (grey.pal included) can be read.
BmpColourTable ResolvePalette(ConverterContext& context, std::int32_t paletteNumber);

// The same for a palette given by name ("grey" for the fallback itself); asks nothing.
BmpColourTable resolvePaletteNamed(ConverterContext& context, std::string_view name);

} // namespace skarde
