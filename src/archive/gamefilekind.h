#pragma once

// Which of the game's kinds a file is, for a file handed to the program from outside (the file
// manager's "Open with"): told by its first bytes where the format has a tag, by its name where
// it has none.

#include <filesystem>

namespace skarde {

enum class GameFileKind { Archive, GameImage, ImageArray, PaletteList, Unknown };

// Throws Problem naming the file when it cannot be read.
GameFileKind identifyGameFile(const std::filesystem::path& file);

} // namespace skarde
