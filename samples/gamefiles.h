#pragma once

// Byte builders for the sample game files: images, image arrays, palette lists, archives and
// palette files, each laid out as the game stores them.

#include "converters/palfile.h"
#include "core/bytes.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace skarde::samples {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};
using Colours = std::array<Rgb, 256>;

// An 8-bit picture: rows of `stride` bytes, top row first, padding included.
struct Picture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    Bytes rows;
};

struct PbaImage {
    Picture picture;
    std::int32_t paletteNumber = 0;
    bool hasPalettePart = true; // the palette part of an entry is optional
};

struct PplPalette {
    Colours colours{};
    std::int32_t paletteNumber = 0;
};

struct VolMember {
    std::string name; // "\" separates folders
    Bytes data;
    std::uint8_t compressionType = 0; // 0: stored
};

Bytes makePbmpFile(const Picture& picture, std::int32_t paletteNumber);
Bytes makePbaFile(const std::vector<PbaImage>& images);
Bytes makePplFile(const std::vector<PplPalette>& palettes);
Bytes makeBmpFile(const Picture& picture, const Colours& colours);
Bytes makeVolFile(const std::vector<VolMember>& members);
// A palette file: grey.pal with its red, green and blue replaced.
Bytes makePalFile(const Colours& colours);

} // namespace skarde::samples
