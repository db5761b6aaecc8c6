#include "pbaformat.h"

#include "pixelrows.h"

#include <string>

namespace skarde {

PbaHeader readPbaHeader(const ByteReader& reader) {
    PbaHeader header;
    header.magic = reader.tag(0);
    header.field4 = reader.u32(4);
    header.field8 = reader.u32(8);
    header.field12 = reader.tag(12);
    header.bitmapCount = reader.i32(16);
    header.field20 = reader.u32(20);
    return header;
}

namespace {

std::string sizeText(std::int64_t width, std::int64_t height) {
    return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

} // namespace

PbaEntry locatePbaEntry(const ByteReader& reader, std::uint64_t offset) {
    const std::string fileLength = std::to_string(reader.size());
    if (!reader.fits(offset, kPbmpHeaderSize))
        throw MalformedPbaEntry("the file (" + fileLength +
                                " bytes) ends before the entry's 44-byte header.");
    PbaEntry entry;
    entry.offset = offset;
    entry.header = readPbmpHeader(reader, static_cast<std::size_t>(offset));
    const std::int64_t width = entry.header.width;
    const std::int64_t height = entry.header.height;
    if (const ImageSizeFault fault = checkImageSize(width, height); fault != ImageSizeFault::None)
        throw MalformedPbaEntry("the image is " + sizeText(width, height) + "; " +
                                std::string(imageSizeReason(fault)));
    entry.stride = stride(width);
    entry.rowBytes = static_cast<std::uint64_t>(entry.stride * height);

    const std::uint64_t detailOffset = entry.rowsOffset() + entry.rowBytes;
    if (!reader.fits(entry.rowsOffset(), entry.rowBytes + kPbaDetailPartSize))
        throw MalformedPbaEntry("the file (" + fileLength + " bytes) ends before the entry's " +
                                std::to_string(entry.rowBytes) +
                                " bytes of pixel rows and its 12-byte detail part.");
    const std::uint64_t paletteOffset = detailOffset + kPbaDetailPartSize;
    entry.hasPalettePart = reader.fits(paletteOffset, 4) &&
                           reader.tag(static_cast<std::size_t>(paletteOffset)) == makeTag("PiDX");
    if (entry.hasPalettePart && !reader.fits(paletteOffset, kPbaPalettePartSize))
        throw MalformedPbaEntry("the file (" + fileLength +
                                " bytes) ends inside the entry's palette part.");
    entry.nextOffset = paletteOffset + (entry.hasPalettePart ? kPbaPalettePartSize : 0);
    if (reader.fits(detailOffset, kPbmpTrailerSize))
        entry.trailer = readPbmpTrailer(reader, static_cast<std::size_t>(detailOffset));
    return entry;
}

} // namespace skarde
