#pragma once

// The game image a file manager shows for a file: a game image itself, the first image of an
// image array, or the first stored game image of an archive.

#include "converters/convertedbmp.h"

#include <filesystem>
#include <optional>

namespace skarde {

struct ThumbnailSource {
    GameImage image;
    // The palette its colours come from; none for an array's last image without its palette
    // part, which is drawn in grey.
    std::optional<std::int32_t> paletteNumber;
};

// Throws Problem naming the file (or the archive member) when there is no image to show.
ThumbnailSource findThumbnailSource(const std::filesystem::path& file);

} // namespace skarde
