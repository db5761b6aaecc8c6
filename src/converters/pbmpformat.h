#pragma once

// The game's single 8-bit image: a 44-byte header, the pixel rows top row first, and a 24-byte
// trailer taken from the file's last 24 bytes wherever the rows end.

#include "core/bytes.h"

#include <cstddef>
#include <cstdint>

namespace skarde {

inline constexpr std::size_t kPbmpHeaderSize = 44;
inline constexpr std::size_t kPbmpTrailerSize = 24;
inline constexpr std::int32_t kWorldPaletteNumber = 1071;

struct PbmpHeader {
    Tag magic = makeTag("PBMP");
    std::uint32_t fileChunkLength = 0;
    Tag headTag = makeTag("head");
    std::uint32_t headLength = 20;
    std::uint32_t headConstant = 3;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t bitsPerPixel = 8;
    std::uint32_t attributes = 8;
    Tag dataTag = makeTag("data");
    std::int32_t dataLength = 0;
};

struct PbmpTrailer {
    Tag detlTag = makeTag("DETL");
    std::uint32_t detlLength = 4;
    std::uint32_t detlConstant = 1;
    Tag pidxTag = makeTag("PiDX");
    std::uint32_t pidxLength = 4;
    std::int32_t paletteNumber = 0;
};

// Read at `offset`; throw std::out_of_range when the buffer is too short.
PbmpHeader readPbmpHeader(const ByteReader& reader, std::size_t offset);
PbmpTrailer readPbmpTrailer(const ByteReader& reader, std::size_t offset);

void writePbmpHeader(ByteWriter& writer, const PbmpHeader& header);
void writePbmpTrailer(ByteWriter& writer, const PbmpTrailer& trailer);

} // namespace skarde
