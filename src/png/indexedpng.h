#pragma once

// The 8-bit indexed PNG, read and written with libspng: the one format the converters take and
// give beside the Windows bitmap.

#include "converters/pngcodec.h"

#include <cstdint>
#include <span>
#include <string>

namespace skarde {

// The PNG of the image: 8 bits per pixel, the 256 colours of its table in the palette, rows
// unfiltered (filters rarely help indexed images, and leaving them out keeps writing fast).
Bytes encodeIndexedPng(const IndexedImageView& image);

// A decoded 8-bit indexed PNG: rows of `width` bytes, top row first.
struct IndexedPng {
    std::int32_t width = 0;
    std::int32_t height = 0;
    Bytes rows;
    BmpColourTable colours{}; // blue, green, red, 0; entries beyond the PNG's palette are black
};

// Throws Problem naming `subject` for damaged data, a PNG that is not 8-bit indexed, or an image
// larger than the game formats hold.
IndexedPng decodeIndexedPng(std::span<const std::uint8_t> png, const std::string& subject);

// The 8-bit Windows bitmap of the same indices and colours, bottom row first as bitmaps are.
Bytes encodeIndexedPngAsBmp(const IndexedPng& image);

} // namespace skarde
