#pragma once

// The converters' image buffer: `rows` rows of `columns` bytes (the stride, padding included),
// each row contiguous, numbered from 1 like the formats describe them.

#include "core/bytes.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace skarde {

// Image sizes are counted with signed 16-bit counters in the game's tools.
inline constexpr std::int64_t kMaxImageDimension = 32767;

// The row length in bytes: the width rounded up to a multiple of 4.
constexpr std::int64_t stride(std::int64_t width) {
    const std::int64_t pad = (4 - width % 4) % 4;
    return width + pad;
}

enum class ImageSizeFault { None, TooSmall, TooLarge };

// Width and height at least 1, the row length and the height at most 32767.
constexpr ImageSizeFault checkImageSize(std::int64_t width, std::int64_t height) {
    if (width < 1 || height < 1)
        return ImageSizeFault::TooSmall;
    if (height > kMaxImageDimension || stride(width) > kMaxImageDimension)
        return ImageSizeFault::TooLarge;
    return ImageSizeFault::None;
}

// The end of the message that refuses an image of that size.
constexpr std::string_view imageSizeReason(ImageSizeFault fault) {
    return fault == ImageSizeFault::TooSmall ? "width and height must be at least 1."
                                             : "rows and height are limited to 32767.";
}

struct PixelRows {
    std::int32_t columns = 0;
    std::int32_t rows = 0;
    Bytes data;

    std::span<std::uint8_t> row(std::int32_t number) {
        return std::span(data).subspan(static_cast<std::size_t>(number - 1) * columns, columns);
    }
    std::span<const std::uint8_t> row(std::int32_t number) const {
        return std::span(data).subspan(static_cast<std::size_t>(number - 1) * columns, columns);
    }
};

} // namespace skarde
