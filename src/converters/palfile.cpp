#include "palfile.h"

#include <stdexcept>

namespace skarde {

PalFile readPalFile(const ByteReader& reader) {
    if (!reader.fits(0, kPalFileSize))
        throw std::out_of_range("palette file shorter than 1048 bytes");
    PalFile pal;
    pal.header.riffTag = reader.tag(0);
    pal.header.riffSize = reader.u32(4);
    pal.header.formType = reader.tag(8);
    pal.header.chunkTag = reader.tag(12);
    pal.data.chunkSize = reader.u32(16);
    pal.data.version = reader.u16(20);
    pal.data.entryCount = reader.u16(22);
    for (std::size_t i = 0; i < kPaletteEntries; ++i) {
        const std::size_t at = 24 + 4 * i;
        pal.data.entries[i] = {reader.u8(at), reader.u8(at + 1), reader.u8(at + 2),
                               reader.u8(at + 3)};
    }
    return pal;
}

void writePalFile(ByteWriter& writer, const PalFile& pal) {
    writer.tag(pal.header.riffTag);
    writer.u32(pal.header.riffSize);
    writer.tag(pal.header.formType);
    writer.tag(pal.header.chunkTag);
    writer.u32(pal.data.chunkSize);
    writer.u16(pal.data.version);
    writer.u16(pal.data.entryCount);
    for (const PalEntry& entry : pal.data.entries) {
        writer.u8(entry.red);
        writer.u8(entry.green);
        writer.u8(entry.blue);
        writer.u8(entry.flags);
    }
}

PalFile makeGreyPalette() {
    PalFile pal;
    pal.header = {makeTag("RIFF"), static_cast<std::uint32_t>(kPalFileSize - 8), makeTag("PAL "),
                  makeTag("data")};
    pal.data.chunkSize = static_cast<std::uint32_t>(kPalFileSize - 20);
    pal.data.version = 0x0300;
    pal.data.entryCount = kPaletteEntries;
    for (std::size_t i = 0; i < kPaletteEntries; ++i) {
        const auto level = static_cast<std::uint8_t>(i);
        pal.data.entries[i] = {level, level, level, 0};
    }
    return pal;
}

} // namespace skarde
