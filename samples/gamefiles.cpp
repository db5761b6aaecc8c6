#include "gamefiles.h"

#include "converters/bmpfile.h"
#include "converters/pbmpformat.h"

namespace skarde::samples {
namespace {

PbmpHeader headerFor(const Picture& picture) {
    PbmpHeader header;
    header.width = picture.width;
    header.height = picture.height;
    header.dataLength = static_cast<std::int32_t>(picture.rows.size());
    header.fileChunkLength = static_cast<std::uint32_t>(picture.rows.size()) + 32;
    return header;
}

PbmpTrailer trailerFor(std::int32_t paletteNumber) {
    PbmpTrailer trailer;
    trailer.paletteNumber = paletteNumber;
    return trailer;
}

std::size_t pbaEntrySize(const PbaImage& image) {
    return kPbmpHeaderSize + image.picture.rows.size() + (image.hasPalettePart ? 24 : 12);
}

} // namespace

Bytes makePbmpFile(const Picture& picture, std::int32_t paletteNumber) {
    Bytes bytes;
    ByteWriter writer(bytes);
    writePbmpHeader(writer, headerFor(picture));
    writer.bytes(picture.rows);
    writePbmpTrailer(writer, trailerFor(paletteNumber));
    return bytes;
}

Bytes makePbaFile(const std::vector<PbaImage>& images) {
    std::size_t length = 24;
    for (const PbaImage& image : images) {
        length += pbaEntrySize(image);
    }
    Bytes bytes;
    ByteWriter writer(bytes);
    writer.tag(makeTag("PBMA"));
    writer.u32(static_cast<std::uint32_t>(length - 8));
    writer.u32(1);
    writer.tag(makeTag("head"));
    writer.i32(static_cast<std::int32_t>(images.size()));
    writer.u32(0);
    for (const PbaImage& image : images) {
        writePbmpHeader(writer, headerFor(image.picture));
        writer.bytes(image.picture.rows);
        Bytes trailer;
        ByteWriter trailerWriter(trailer);
        writePbmpTrailer(trailerWriter, trailerFor(image.paletteNumber));
        // The detail part always; the palette part only when the image names its palette.
        writer.bytes(std::span(trailer).first(image.hasPalettePart ? 24 : 12));
    }
    return bytes;
}

Bytes makePplFile(const std::vector<PplPalette>& palettes) {
    Bytes bytes;
    ByteWriter writer(bytes);
    writer.tag(makeTag("PPAL"));
    writer.i32(static_cast<std::int32_t>(palettes.size()));
    writer.bytes(Bytes(44, 0));
    for (const PplPalette& palette : palettes) {
        for (const Rgb& colour : palette.colours) {
            writer.u8(colour.red);
            writer.u8(colour.green);
            writer.u8(colour.blue);
            writer.u8(0);
        }
        writer.i32(palette.paletteNumber);
        writer.u32(0);
    }
    return bytes;
}

Bytes makeBmpFile(const Picture& picture, const Colours& colours) {
    BmpColourTable table{};
    for (std::size_t i = 0; i < colours.size(); ++i) {
        table[4 * i] = colours[i].blue;
        table[4 * i + 1] = colours[i].green;
        table[4 * i + 2] = colours[i].red;
    }
    Bytes bytes;
    ByteWriter writer(bytes);
    WriteBmpHeaders(writer, picture.width, picture.height,
                    static_cast<std::uint32_t>(picture.rows.size()), table);
    const std::size_t stride = picture.rows.size() / static_cast<std::size_t>(picture.height);
    for (std::int32_t row = picture.height - 1; row >= 0; --row) {
        writer.bytes(
            std::span(picture.rows).subspan(static_cast<std::size_t>(row) * stride, stride));
    }
    return bytes;
}

// The members' data blocks first, then the directory: the names block, a pad byte when its
// length is odd, and the entries block of 17 bytes per member.
Bytes makeVolFile(const std::vector<VolMember>& members) {
    std::size_t directoryOffset = 8;
    for (const VolMember& member : members) {
        directoryOffset += 8 + member.data.size();
    }
    Bytes bytes;
    ByteWriter writer(bytes);
    writer.tag(makeTag("PVOL"));
    writer.u32(static_cast<std::uint32_t>(directoryOffset));
    std::vector<std::uint32_t> dataOffsets;
    for (const VolMember& member : members) {
        dataOffsets.push_back(static_cast<std::uint32_t>(bytes.size()));
        writer.tag(makeTag("VBLK"));
        writer.u32(static_cast<std::uint32_t>(member.data.size()));
        writer.bytes(member.data);
    }

    Bytes names;
    std::vector<std::uint32_t> nameOffsets;
    for (const VolMember& member : members) {
        nameOffsets.push_back(static_cast<std::uint32_t>(names.size()));
        names.insert(names.end(), member.name.begin(), member.name.end());
        names.push_back(0);
    }
    writer.tag(makeTag("vols"));
    writer.u32(static_cast<std::uint32_t>(names.size()));
    writer.bytes(names);
    if (names.size() % 2 == 1) {
        writer.u8(0);
    }
    writer.tag(makeTag("voli"));
    writer.u32(static_cast<std::uint32_t>(members.size() * 17));
    for (std::size_t i = 0; i < members.size(); ++i) {
        writer.u32(static_cast<std::uint32_t>(i));
        writer.u32(nameOffsets[i]);
        writer.u32(dataOffsets[i]);
        writer.u32(static_cast<std::uint32_t>(members[i].data.size()));
        writer.u8(members[i].compressionType);
    }
    return bytes;
}

Bytes makePalFile(const Colours& colours) {
    PalFile pal = makeGreyPalette();
    for (std::size_t i = 0; i < colours.size(); ++i) {
        pal.data.entries[i].red = colours[i].red;
        pal.data.entries[i].green = colours[i].green;
        pal.data.entries[i].blue = colours[i].blue;
    }
    Bytes bytes;
    ByteWriter writer(bytes);
    writePalFile(writer, pal);
    return bytes;
}

} // namespace skarde::samples
