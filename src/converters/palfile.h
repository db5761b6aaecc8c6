#pragma once

// The RIFF palette file ("PAL "): a 16-byte header and a 1032-byte data chunk. Readers take the
// first 1048 bytes; files written by the palette list extraction carry 4 more.

#include "core/bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace skarde {

inline constexpr std::size_t kPalFileSize = 1048;
inline constexpr std::size_t kPaletteEntries = 256;

struct PalFileHeader {
    Tag riffTag{};
    std::uint32_t riffSize = 0;
    Tag formType{};
    Tag chunkTag{};
};

struct PalEntry {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t flags = 0;
};

struct PalData {
    std::uint32_t chunkSize = 0;
    std::uint16_t version = 0;
    std::uint16_t entryCount = 0;
    std::array<PalEntry, kPaletteEntries> entries{};
};

struct PalFile {
    PalFileHeader header;
    PalData data;
};

// Reads the 1048 bytes at the start; throws std::out_of_range for a shorter buffer.
PalFile readPalFile(const ByteReader& reader);
void writePalFile(ByteWriter& writer, const PalFile& pal);

// The shipped fallback palette: entry i is (i, i, i, 0).
PalFile makeGreyPalette();

} // namespace skarde
