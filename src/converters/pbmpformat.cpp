#include "pbmpformat.h"

namespace skarde {

PbmpHeader readPbmpHeader(const ByteReader& reader, std::size_t offset) {
    PbmpHeader header;
    header.magic = reader.tag(offset);
    header.fileChunkLength = reader.u32(offset + 4);
    header.headTag = reader.tag(offset + 8);
    header.headLength = reader.u32(offset + 12);
    header.headConstant = reader.u32(offset + 16);
    header.width = reader.i32(offset + 20);
    header.height = reader.i32(offset + 24);
    header.bitsPerPixel = reader.u32(offset + 28);
    header.attributes = reader.u32(offset + 32);
    header.dataTag = reader.tag(offset + 36);
    header.dataLength = reader.i32(offset + 40);
    return header;
}

PbmpTrailer readPbmpTrailer(const ByteReader& reader, std::size_t offset) {
    PbmpTrailer trailer;
    trailer.detlTag = reader.tag(offset);
    trailer.detlLength = reader.u32(offset + 4);
    trailer.detlConstant = reader.u32(offset + 8);
    trailer.pidxTag = reader.tag(offset + 12);
    trailer.pidxLength = reader.u32(offset + 16);
    trailer.paletteNumber = reader.i32(offset + 20);
    return trailer;
}

void writePbmpHeader(ByteWriter& writer, const PbmpHeader& header) {
    writer.tag(header.magic);
    writer.u32(header.fileChunkLength);
    writer.tag(header.headTag);
    writer.u32(header.headLength);
    writer.u32(header.headConstant);
    writer.i32(header.width);
    writer.i32(header.height);
    writer.u32(header.bitsPerPixel);
    writer.u32(header.attributes);
    writer.tag(header.dataTag);
    writer.i32(header.dataLength);
}

void writePbmpTrailer(ByteWriter& writer, const PbmpTrailer& trailer) {
    writer.tag(trailer.detlTag);
    writer.u32(trailer.detlLength);
    writer.u32(trailer.detlConstant);
    writer.tag(trailer.pidxTag);
    writer.u32(trailer.pidxLength);
    writer.i32(trailer.paletteNumber);
}

} // namespace skarde
