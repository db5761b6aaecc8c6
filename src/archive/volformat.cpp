#include "volformat.h"

namespace skarde {

VolFileHeader readVolFileHeader(const ByteReader& reader) {
    return {reader.tag(0), reader.i32(4)};
}

VolBlockHeader readVolBlockHeader(const ByteReader& reader, std::size_t offset) {
    return {reader.tag(offset), reader.i32(offset + 4)};
}

VolEntry readVolEntry(const ByteReader& reader, std::size_t offset) {
    VolEntry entry;
    entry.leadingField = reader.u32(offset);
    entry.nameOffset = reader.i32(offset + 4);
    entry.dataOffset = reader.i32(offset + 8);
    entry.size = reader.i32(offset + 12);
    entry.compressionType = reader.u8(offset + 16);
    return entry;
}

std::int64_t directoryStart(const VolFileHeader& header) {
    const std::int64_t offset = header.directoryOffset;
    return header.magic == makeTag("PVOL") ? offset : offset + kShiftedDirectoryDistance;
}

} // namespace skarde
