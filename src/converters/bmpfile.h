#pragma once

// The uncompressed 8-bit Windows bitmap: 14-byte file header, 40-byte info header, a 256-entry
// colour table, then the pixel rows bottom row first.

#include "core/bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace skarde {

inline constexpr std::size_t kBmpFileHeaderSize = 14;
inline constexpr std::size_t kBmpInfoHeaderSize = 40;
inline constexpr std::size_t kBmpColourTableSize = 1024;
inline constexpr std::size_t kBmpHeadersSize =
    kBmpFileHeaderSize + kBmpInfoHeaderSize + kBmpColourTableSize; // 1078

struct BmpFileHeader {
    std::array<char, 2> bfType{'B', 'M'};
    std::uint32_t bfSize = 0;
    std::uint16_t bfReserved1 = 0;
    std::uint16_t bfReserved2 = 0;
    std::uint32_t bfOffBits = 0;
};

struct BmpInfoHeader {
    std::uint32_t biSize = 0;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 0;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};

// Entries of blue, green, red, reserved.
using BmpColourTable = std::array<std::uint8_t, kBmpColourTableSize>;

struct BmpHeaders {
    BmpFileHeader file;
    BmpInfoHeader info;
};

// The headers this program writes for an image of the given size and pixel area.
BmpHeaders makeBmpHeaders(std::int32_t width, std::int32_t height, std::uint32_t pixelDataSize);

// Writes bytes 0 to 1077 of the bitmap and returns the headers written.
BmpHeaders WriteBmpHeaders(ByteWriter& writer, std::int32_t width, std::int32_t height,
                           std::uint32_t pixelDataSize, const BmpColourTable& colourTable);

// Both read at offset 0 and 14; throw std::out_of_range for a shorter buffer.
BmpFileHeader readBmpFileHeader(const ByteReader& reader);
BmpInfoHeader readBmpInfoHeader(const ByteReader& reader);

} // namespace skarde
