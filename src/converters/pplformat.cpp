#include "pplformat.h"

#include <algorithm>

namespace skarde {

PplHeader readPplHeader(const ByteReader& reader) {
    PplHeader header;
    header.tag = reader.tag(0);
    header.paletteCount = reader.i32(4);
    const auto rest = reader.slice(8, header.rest.size());
    std::copy(rest.begin(), rest.end(), header.rest.begin());
    return header;
}

PplPalette readPplPalette(const ByteReader& reader, std::size_t offset) {
    const auto bytes = reader.slice(offset, kPplPaletteSize);
    PplPalette palette;
    for (std::size_t i = 0; i < kPaletteEntries; ++i)
        palette.colours[i] = {bytes[4 * i], bytes[4 * i + 1], bytes[4 * i + 2], bytes[4 * i + 3]};
    palette.paletteNumber = reader.i32(offset + 1024);
    palette.unused = reader.u32(offset + 1028);
    return palette;
}

} // namespace skarde
