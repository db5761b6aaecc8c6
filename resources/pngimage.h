#pragma once

// PNG files of 8-bit RGBA pixels, for the desktop's icon theme. The pixels go into stored
// (uncompressed) deflate blocks: the icons are small, and a package compresses them anyway.

#include "core/bytes.h"

namespace skarde::artwork {

// Four bytes a pixel (red, green, blue, alpha), rows from the top.
struct RgbaImage {
    int width = 0;
    int height = 0;
    Bytes pixels;
};

Bytes encodePng(const RgbaImage& image);

} // namespace skarde::artwork
