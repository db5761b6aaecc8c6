#pragma once

// PNG beside the Windows bitmap. The PNG encoding itself lives in its own library (src/png), so
// that the core needs nothing beyond the standard library; a program built with it hands the
// converters a codec through their context, one built without it hands none.

#include "bmpfile.h"
#include "core/bytes.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace skarde {

inline constexpr std::string_view kPngUnavailableReason =
    "This is a PNG file; this build of SkardeTools cannot read or write PNG files.";

// An 8-bit image in memory: `height` rows of `rowLength` bytes (the width and any padding), top
// row first, coloured by a 256-entry table.
struct IndexedImageView {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t rowLength = 0;
    std::span<const std::uint8_t> rows;
    const BmpColourTable* colours = nullptr;
};

struct PngCodec {
    // The 8-bit indexed PNG of the image, every colour of the table in its palette.
    Bytes (*encode)(const IndexedImageView& image) = nullptr;
    // The 8-bit Windows bitmap with the PNG's indices and colours. Throws Problem naming
    // `subject` when the PNG is damaged or not 8-bit indexed.
    Bytes (*decodeAsBmp)(std::span<const std::uint8_t> png, const std::string& subject) = nullptr;
};

// The eight bytes every PNG file starts with.
bool hasPngSignature(std::span<const std::uint8_t> bytes);

// The file name of the PNG written in place of the bitmap `bmpName`: its extension replaced by
// ".png", or ".png" added when it has none.
std::filesystem::path pngPathFor(const std::filesystem::path& bmpName);

// The file name of the game bitmap made from the image file `imageFile`: a PNG's name with ".bmp"
// for ".png" (whatever its case), as game bitmaps are named; any other name as it is.
std::filesystem::path pbmpNameFor(const std::filesystem::path& imageFile);

} // namespace skarde
