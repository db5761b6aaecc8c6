#pragma once

// Turning a game palette number into the 256 colours of a bitmap's colour table.

#include "bmpfile.h"
#include "core/convertercontext.h"
#include "palfile.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace skarde {

inline constexpr std::string_view kGreyPaletteName = "grey";
// The world palette of a world-dependent image when the user names none.
inline constexpr std::string_view kDefaultWorldPaletteName = "Grey";

// The world palettes the palette selection dialog offers, in its order.
inline constexpr std::array<std::string_view, 7> kWorldPaletteNames{
    "AlienWorld", "DesertWorld",           "IceWorld", "LushWorld", "MarsWorld",
    "mudWorld",   kDefaultWorldPaletteName};

// The palette file for `name` in the pals folder, when there is one and the name stays inside
// the folder.
std::optional<std::filesystem::path> findNamedPaletteFile(const std::filesystem::path& palsFolder,
                                                          std::string_view name);

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

// Asks the world palette chooser for number 1071. A palette without a file gives grey, and the
// prompts hear of it about `imageName`.
// Throws Problem when no usable palette file (grey.pal included) can be read.
BmpColourTable ResolvePalette(ConverterContext& context, std::int32_t paletteNumber,
                              std::string_view imageName = {});

// The same for a palette given by name ("grey" for the fallback itself); asks nothing.
BmpColourTable resolvePaletteNamed(ConverterContext& context, std::string_view name);

} // namespace skarde
