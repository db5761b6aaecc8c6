#include "thumbnailscale.h"

#include <algorithm>

namespace skarde {

namespace {

// The longer side becomes `size`; the shorter one keeps the proportion, at least one pixel.
std::int32_t scaledSide(std::int64_t side, std::int64_t longer, std::int64_t size) {
    return static_cast<std::int32_t>(
        std::max<std::int64_t>(1, (side * size + longer / 2) / longer));
}

} // namespace

Thumbnail scaleToFit(const PixelRows& rows, std::int32_t width, std::int32_t size) {
    const std::int32_t height = rows.rows;
    const std::int32_t longer = std::max(width, height);
    Thumbnail thumbnail;
    thumbnail.width = longer <= size ? width : scaledSide(width, longer, size);
    thumbnail.height = longer <= size ? height : scaledSide(height, longer, size);
    thumbnail.rows.resize(static_cast<std::size_t>(thumbnail.width) * thumbnail.height);
    auto out = thumbnail.rows.begin();
    for (std::int32_t y = 0; y < thumbnail.height; ++y) {
        // The middle of the thumbnail's pixel, in the image.
        const auto sourceRow = static_cast<std::int32_t>(
            (static_cast<std::int64_t>(2 * y + 1) * height) / (2 * thumbnail.height));
        const auto row = rows.row(sourceRow + 1);
        for (std::int32_t x = 0; x < thumbnail.width; ++x)
            *out++ = row[static_cast<std::size_t>((static_cast<std::int64_t>(2 * x + 1) * width) /
                                                  (2 * thumbnail.width))];
    }
    return thumbnail;
}

} // namespace skarde
