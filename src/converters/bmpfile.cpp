#include "bmpfile.h"

namespace skarde {

BmpHeaders makeBmpHeaders(std::int32_t width, std::int32_t height, std::uint32_t pixelDataSize) {
    BmpHeaders headers;
    headers.file.bfSize = pixelDataSize + static_cast<std::uint32_t>(kBmpHeadersSize);
    headers.file.bfOffBits = static_cast<std::uint32_t>(kBmpHeadersSize);
    headers.info.biSize = static_cast<std::uint32_t>(kBmpInfoHeaderSize);
    headers.info.biWidth = width;
    headers.info.biHeight = height;
    headers.info.biPlanes = 1;
    headers.info.biBitCount = 8;
    headers.info.biCompression = 0;
    headers.info.biSizeImage = pixelDataSize;
    headers.info.biClrUsed = 256;
    headers.info.biClrImportant = 256;
    return headers;
}

BmpHeaders WriteBmpHeaders(ByteWriter& writer, std::int32_t width, std::int32_t height,
                           std::uint32_t pixelDataSize, const BmpColourTable& colourTable) {
    const BmpHeaders headers = makeBmpHeaders(width, height, pixelDataSize);
    const BmpFileHeader& file = headers.file;
    writer.u8(static_cast<std::uint8_t>(file.bfType[0]));
    writer.u8(static_cast<std::uint8_t>(file.bfType[1]));
    writer.u32(file.bfSize);
    writer.u16(file.bfReserved1);
    writer.u16(file.bfReserved2);
    writer.u32(file.bfOffBits);
    const BmpInfoHeader& info = headers.info;
    writer.u32(info.biSize);
    writer.i32(info.biWidth);
    writer.i32(info.biHeight);
    writer.u16(info.biPlanes);
    writer.u16(info.biBitCount);
    writer.u32(info.biCompression);
    writer.u32(info.biSizeImage);
    writer.i32(info.biXPelsPerMeter);
    writer.i32(info.biYPelsPerMeter);
    writer.u32(info.biClrUsed);
    writer.u32(info.biClrImportant);
    writer.bytes(colourTable);
    return headers;
}

BmpFileHeader readBmpFileHeader(const ByteReader& reader) {
    BmpFileHeader file;
    file.bfType = {static_cast<char>(reader.u8(0)), static_cast<char>(reader.u8(1))};
    file.bfSize = reader.u32(2);
    file.bfReserved1 = reader.u16(6);
    file.bfReserved2 = reader.u16(8);
    file.bfOffBits = reader.u32(10);
    return file;
}

BmpInfoHeader readBmpInfoHeader(const ByteReader& reader) {
    constexpr std::size_t at = kBmpFileHeaderSize;
    BmpInfoHeader info;
    info.biSize = reader.u32(at);
    info.biWidth = reader.i32(at + 4);
    info.biHeight = reader.i32(at + 8);
    info.biPlanes = reader.u16(at + 12);
    info.biBitCount = reader.u16(at + 14);
    info.biCompression = reader.u32(at + 16);
    info.biSizeImage = reader.u32(at + 20);
    info.biXPelsPerMeter = reader.i32(at + 24);
    info.biYPelsPerMeter = reader.i32(at + 28);
    info.biClrUsed = reader.u32(at + 32);
    info.biClrImportant = reader.u32(at + 36);
    return info;
}

} // namespace skarde
