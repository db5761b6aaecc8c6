#pragma once

// Windows bitmaps built byte by byte from the layout, with a knob for every field, for the tests
// and the sample files. Needs no test framework.

#include "core/bytes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace skarde::filebuilders {

struct BmpFields {
    // File header.
    std::string bfType = "BM";
    std::optional<std::uint32_t> bfSize; // default: the length of the file built
    std::uint16_t bfReserved1 = 0;
    std::uint16_t bfReserved2 = 0;
    std::optional<std::uint32_t> bfOffBits; // default: where the rows start

    // Info header. With os2Header the 12-byte OS/2 core header is written instead: biSize,
    // then width, height, planes and bit count as 16-bit numbers.
    bool os2Header = false;
    std::optional<std::uint32_t> biSize; // default: 40 + infoHeaderExtra (12 for OS/2)
    std::int32_t width = 2;
    std::int32_t height = 2; // negative: top-down
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 8;
    std::uint32_t compression = 0;
    std::optional<std::uint32_t> sizeImage; // default: the length of the rows
    std::int32_t xPelsPerMeter = 2835;
    std::int32_t yPelsPerMeter = 2835;
    std::optional<std::uint32_t> clrUsed; // default: colourTableEntries
    std::uint32_t clrImportant = 0;
    Bytes infoHeaderExtra; // after the 40 bytes, as in the larger (V4, V5) headers

    // Colour table: entries of blue, green, red, reserved (3 bytes each for OS/2).
    std::size_t colourTableEntries = 256;
    std::optional<Bytes> colourTable; // default: entry i is (i, 255 - i, i ^ 0x5A, 0)

    Bytes gapBeforeRows;       // between the colour table and the rows
    std::optional<Bytes> rows; // default: patternRows(width, |height|)
    Bytes trailing;            // after the rows
};

Bytes makeBmp(const BmpFields& fields);

// A standard 8-bit bottom-up bitmap (40-byte header, 256 colours) with the given rows in file
// order, bottom row first.
Bytes makeBmp(std::int32_t width, std::int32_t height, const Bytes& rowsBottomFirst);

// The bitmap exactly as the converters write it (bfOffBits 1078, no
// resolution, 256 colours used and important), with the given colour table and rows.
Bytes makeWrittenBmp(std::int32_t width, std::int32_t height, const Bytes& rowsBottomFirst,
                     const Bytes& colourTable);

// The rows of `rows` (each `rowLength` bytes) in reverse order.
Bytes reversedRows(const Bytes& rows, std::size_t rowLength);
// The 1024-byte colour table a bitmap gets from a PAL file's bytes: b, g, r, flags per entry.
Bytes colourTableFromPalBytes(const Bytes& pal);

} // namespace skarde::filebuilders
