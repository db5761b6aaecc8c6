#include "indexedpng.h"

#include "converters/pixelrows.h"
#include "core/problem.h"

#include <spng.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <stdexcept>

namespace skarde {

namespace {

struct ContextFree {
    void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};
using SpngContext = std::unique_ptr<spng_ctx, ContextFree>;

struct BufferFree {
    void operator()(void* buffer) const { std::free(buffer); }
};

// Deflate expands at most about 1032 times; a header promising more pixels than the data can
// hold is refused before a buffer of that size is asked for.
constexpr std::uint64_t kMaxInflation = 1032;
// Far beyond any real chunk, small enough that a hostile length cannot exhaust memory.
constexpr std::size_t kMaxChunkBytes = std::size_t{1} << 26;

void check(int error, const char* what) {
    if (error != 0)
        throw std::runtime_error(std::string(what) + ": " + spng_strerror(error));
}

std::string colourTypeText(std::uint8_t colourType) {
    switch (colourType) {
    case SPNG_COLOR_TYPE_GRAYSCALE:
        return "grey";
    case SPNG_COLOR_TYPE_TRUECOLOR:
        return "RGB";
    case SPNG_COLOR_TYPE_INDEXED:
        return "indexed";
    case SPNG_COLOR_TYPE_GRAYSCALE_ALPHA:
        return "grey with alpha";
    case SPNG_COLOR_TYPE_TRUECOLOR_ALPHA:
        return "RGB with alpha";
    default:
        return "colour type " + std::to_string(colourType);
    }
}

spng_ihdr readHeader(spng_ctx* context, std::size_t fileSize, const std::string& subject) {
    spng_ihdr header{};
    if (const int error = spng_get_ihdr(context, &header); error != 0)
        throw Problem::refusal(subject, std::string("The PNG file cannot be read: ") +
                                            spng_strerror(error) + ".");
    if (header.color_type != SPNG_COLOR_TYPE_INDEXED || header.bit_depth != 8)
        throw Problem::refusal(subject, "The PNG is " + std::to_string(header.bit_depth) + "-bit " +
                                            colourTypeText(header.color_type) +
                                            "; only 8-bit indexed PNG files are converted.");
    const std::int64_t width = header.width;
    const std::int64_t height = header.height;
    if (const ImageSizeFault fault = checkImageSize(width, height); fault != ImageSizeFault::None)
        throw Problem::refusal(subject, "The PNG is " + std::to_string(width) + " x " +
                                            std::to_string(height) + " pixels; " +
                                            std::string(imageSizeReason(fault)));
    if (static_cast<std::uint64_t>(width * height) > kMaxInflation * fileSize)
        throw Problem::refusal(subject, "The PNG declares " + std::to_string(width) + " x " +
                                            std::to_string(height) + " pixels, more than its " +
                                            std::to_string(fileSize) + " bytes can hold.");
    return header;
}

BmpColourTable readColours(spng_ctx* context) {
    BmpColourTable colours{};
    spng_plte palette{};
    if (spng_get_plte(context, &palette) != 0)
        return colours; // libspng refuses an indexed image without PLTE while decoding
    for (std::uint32_t i = 0; i < palette.n_entries && i < 256; ++i) {
        colours[4 * i] = palette.entries[i].blue;
        colours[4 * i + 1] = palette.entries[i].green;
        colours[4 * i + 2] = palette.entries[i].red;
    }
    return colours;
}

// The rows without their padding, as PNG stores them.
Bytes packedRows(const IndexedImageView& image) {
    Bytes packed;
    packed.reserve(static_cast<std::size_t>(image.width) * image.height);
    for (std::int32_t row = 0; row < image.height; ++row) {
        const auto start = image.rows.subspan(static_cast<std::size_t>(row) * image.rowLength,
                                              static_cast<std::size_t>(image.width));
        packed.insert(packed.end(), start.begin(), start.end());
    }
    return packed;
}

} // namespace

Bytes encodeIndexedPng(const IndexedImageView& image) {
    const SpngContext context(spng_ctx_new(SPNG_CTX_ENCODER));
    if (!context)
        throw std::bad_alloc();
    check(spng_set_option(context.get(), SPNG_ENCODE_TO_BUFFER, 1), "PNG buffer");
    check(spng_set_option(context.get(), SPNG_FILTER_CHOICE, SPNG_DISABLE_FILTERING), "PNG filter");
    spng_ihdr header{};
    header.width = static_cast<std::uint32_t>(image.width);
    header.height = static_cast<std::uint32_t>(image.height);
    header.bit_depth = 8;
    header.color_type = SPNG_COLOR_TYPE_INDEXED;
    check(spng_set_ihdr(context.get(), &header), "PNG header");
    spng_plte palette{};
    palette.n_entries = 256;
    for (std::size_t i = 0; i < 256; ++i) {
        palette.entries[i].red = (*image.colours)[4 * i + 2];
        palette.entries[i].green = (*image.colours)[4 * i + 1];
        palette.entries[i].blue = (*image.colours)[4 * i];
    }
    check(spng_set_plte(context.get(), &palette), "PNG palette");
    Bytes packed;
    std::span<const std::uint8_t> rows = image.rows.first(
        static_cast<std::size_t>(image.rowLength) * static_cast<std::size_t>(image.height));
    if (image.rowLength != image.width) {
        packed = packedRows(image);
        rows = packed;
    }
    check(spng_encode_image(context.get(), rows.data(), rows.size(), SPNG_FMT_PNG,
                            SPNG_ENCODE_FINALIZE),
          "PNG encoding");
    std::size_t length = 0;
    int error = 0;
    const std::unique_ptr<void, BufferFree> buffer(
        spng_get_png_buffer(context.get(), &length, &error));
    check(error, "PNG buffer");
    const auto* bytes = static_cast<const std::uint8_t*>(buffer.get());
    return Bytes(bytes, bytes + length);
}

IndexedPng decodeIndexedPng(std::span<const std::uint8_t> png, const std::string& subject) {
    const SpngContext context(spng_ctx_new(0));
    if (!context)
        throw std::bad_alloc();
    spng_set_chunk_limits(context.get(), kMaxChunkBytes, kMaxChunkBytes);
    if (png.empty() || spng_set_png_buffer(context.get(), png.data(), png.size()) != 0)
        throw Problem::refusal(subject, "The PNG file cannot be read: it is empty.");
    const spng_ihdr header = readHeader(context.get(), png.size(), subject);
    IndexedPng image;
    image.width = static_cast<std::int32_t>(header.width);
    image.height = static_cast<std::int32_t>(header.height);
    std::size_t size = 0;
    int error = spng_decoded_image_size(context.get(), SPNG_FMT_PNG, &size);
    if (error == 0) {
        image.rows.resize(size);
        error = spng_decode_image(context.get(), image.rows.data(), size, SPNG_FMT_PNG, 0);
    }
    if (error != 0)
        throw Problem::refusal(subject, std::string("The PNG file is damaged: ") +
                                            spng_strerror(error) + ".");
    image.colours = readColours(context.get());
    return image;
}

Bytes encodeIndexedPngAsBmp(const IndexedPng& image) {
    const auto rowLength = static_cast<std::size_t>(stride(image.width));
    const auto width = static_cast<std::size_t>(image.width);
    const auto pixelDataSize = static_cast<std::uint32_t>(rowLength * image.height);
    Bytes out;
    out.reserve(kBmpHeadersSize + pixelDataSize);
    ByteWriter writer(out);
    WriteBmpHeaders(writer, image.width, image.height, pixelDataSize, image.colours);
    const Bytes padding(rowLength - width, 0);
    for (std::int32_t row = image.height - 1; row >= 0; --row) {
        writer.bytes(std::span(image.rows).subspan(row * width, width));
        writer.bytes(padding);
    }
    return out;
}

} // namespace skarde
