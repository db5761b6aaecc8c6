#pragma once

// The game's palette list (PPL): a 52-byte header holding the number of palettes, then one
// 1032-byte record per palette: 256 entries of red, green, blue and an unused byte, the palette's
// number and 4 unused bytes.

#include "core/bytes.h"
#include "palfile.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

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

// The game counts palettes with signed 16-bit numbers, and its palette numbers (500 to 5150, 1071
// for the world) lie well inside that range too.
inline constexpr std::int32_t kMaxPaletteCount = 32767;
inline constexpr std::int32_t kMinPaletteNumber = -32768;
inline constexpr std::int32_t kMaxPaletteNumber = 32767;

// Both throw std::out_of_range when the buffer is too short.
PplHeader readPplHeader(const ByteReader& reader);
PplPalette readPplPalette(const ByteReader& reader, std::size_t offset);

// Where record `index` (counting from 0) starts.
constexpr std::uint64_t pplPaletteOffset(std::uint64_t index) {
    return kPplHeaderSize + index * kPplPaletteSize;
}

// Why a file whose 52-byte header has been read cannot be a palette list, or nothing when it can
// be one. A list is its header and its declared records, so it must declare 0 to 32767 palettes,
// hold no byte beyond them, and every record it holds whole must carry a palette number from
// -32768 to 32767. A list cut short passes: its whole records can be saved. Any other file,
// read as a list, declares a count its length does not fit or numbers no palette has (an
// archive's or an image's bytes give numbers such as 825109807).
std::optional<std::string> whyNotAPaletteList(const ByteReader& reader, const PplHeader& header);

} // namespace skarde
