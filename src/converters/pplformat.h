#pragma once

// The game's palette list (PPL): a 52-byte header holding the number of palettes, then one
// 1032-byte record per palette: 256 entries of red, green, blue and an unused byte, the palette's
// number and 4 unused bytes.

#include "core/bytes.h"
#include "palfile.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace skarde {

inline constexpr std::size_t kPplHeaderSize = 52;
inline constexpr std::size_t kPplPaletteSize = 1032;

struct PplHeader {
    Tag tag{}; // not compared with anything
    std::int32_t paletteCount = 0;
    std::array<std::uint8_t, 44> rest{};
};

struct PplColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t unused = 0;
};

struct PplPalette {
    std::array<PplColour, kPaletteEntries> colours{};
    std::int32_t paletteNumber = 0;
    std::uint32_t unused = 0;
};

// Both throw std::out_of_range when the buffer is too short.
PplHeader readPplHeader(const ByteReader& reader);
PplPalette readPplPalette(const ByteReader& reader, std::size_t offset);

// Where record `index` (counting from 0) starts.
constexpr std::uint64_t pplPaletteOffset(std::uint64_t index) {
    return kPplHeaderSize + index * kPplPaletteSize;
}

} // namespace skarde
