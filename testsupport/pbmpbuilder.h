#pragma once

// Game bitmaps built byte by byte, with a knob for every field, for the tests and the sample
// files. Needs no test framework.

#include "core/bytes.h"

#include <cstdint>
#include <optional>
#include <string>

namespace skarde::filebuilders {

struct PbmpFields {
    std::string magic = "PBMP";
    std::optional<std::uint32_t> fileChunkLength; // default: dataLength + 32
    std::string headTag = "head";
    std::uint32_t headLength = 20;
    std::uint32_t headConstant = 3;
    std::int32_t width = 3;
    std::int32_t height = 2;
    std::uint32_t bitsPerPixel = 8;
    std::uint32_t attributes = 8;
    std::string dataTag = "data";
    std::optional<std::int32_t> dataLength; // default: height x stride
    std::optional<Bytes> rows; // default: byte i of the pixel area is (i * 7 + 1) mod 256
    Bytes extraBeforeTrailer;  // bytes between the rows and the trailer
    std::string detlTag = "DETL";
    std::uint32_t detlLength = 4;
    std::uint32_t detlConstant = 1;
    std::string pidxTag = "PiDX";
    std::uint32_t pidxLength = 4;
    std::int32_t paletteNumber = 500;
};

// The default pixel area: height x stride bytes of a recognisable pattern, byte i being
// (i * 7 + 1 + seed) mod 256, so that images given different seeds differ in every byte.
Bytes patternRows(std::int32_t width, std::int32_t height, std::uint8_t seed = 0);
Bytes makePbmp(const PbmpFields& fields);
// A game image of that size, with the other fields at their defaults.
Bytes makePbmpOfSize(std::int32_t width, std::int32_t height);

} // namespace skarde::filebuilders
