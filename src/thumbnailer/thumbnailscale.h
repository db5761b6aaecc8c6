#pragma once

// A game image brought down to a thumbnail: at most `size` pixels on its longer side, its aspect
// kept, each pixel the nearest one of the image (indices are not colours: they cannot be mixed).
// An image that fits already keeps its size.

#include "converters/convertedbmp.h"

#include <cstdint>

namespace skarde {

struct Thumbnail {
    std::int32_t width = 0;
    std::int32_t height = 0;
    Bytes rows; // `width` bytes each, top row first
};

Thumbnail scaleToFit(const PixelRows& rows, std::int32_t width, std::int32_t size);

} // namespace skarde
