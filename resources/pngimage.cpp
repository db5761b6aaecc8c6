#include "pngimage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace skarde::artwork {

namespace {

// The largest payload of one stored deflate block.
constexpr std::size_t kStoredBlockLimit = 65535;

// PNG and zlib store their numbers most significant byte first.
void putBigEndian32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t crc32(std::span<const std::uint8_t> bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t byte : bytes)
        crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(std::span<const std::uint8_t> bytes) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : bytes) {
        a = (a + byte) % 65521u;
        b = (b + a) % 65521u;
    }
    return b << 16 | a;
}

void appendChunk(Bytes& out, std::string_view type, std::span<const std::uint8_t> data) {
    putBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeStart = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    putBigEndian32(out, crc32(std::span(out).subspan(typeStart)));
}

// Each row led by filter type 0 (none).
Bytes filteredRows(const RgbaImage& image) {
    const auto rowBytes = static_cast<std::size_t>(image.width) * 4;
    Bytes rows;
    rows.reserve((rowBytes + 1) * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        rows.push_back(0);
        const auto row = std::span(image.pixels).subspan(y * rowBytes, rowBytes);
        rows.insert(rows.end(), row.begin(), row.end());
    }
    return rows;
}

Bytes zlibStored(std::span<const std::uint8_t> data) {
    Bytes out{0x78, 0x01};
    ByteWriter writer(out);
    std::size_t offset = 0;
    do {
        const std::size_t count = std::min(kStoredBlockLimit, data.size() - offset);
        const bool last = offset + count == data.size();
        writer.u8(last ? 1 : 0);
        writer.u16(static_cast<std::uint16_t>(count));
        writer.u16(static_cast<std::uint16_t>(~count));
        writer.bytes(data.subspan(offset, count));
        offset += count;
    } while (offset < data.size());
    putBigEndian32(out, adler32(data));
    return out;
}

} // namespace

Bytes encodePng(const RgbaImage& image) {
    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    putBigEndian32(header, static_cast<std::uint32_t>(image.width));
    putBigEndian32(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits a channel, RGBA, no interlace
    appendChunk(out, "IHDR", header);
    appendChunk(out, "IDAT", zlibStored(filteredRows(image)));
    appendChunk(out, "IEND", {});
    return out;
}

} // namespace skarde::artwork
