#include "pplformat.h"

#include <algorithm>
#include <string>

namespace skarde {

PplHeader readPplHeader(const ByteReader& reader) {
    PplHeader header;
    header.tag = reader.tag(0);
    header.paletteCount = reader.i32(4);
    const auto rest = reader.slice(8, header.rest.size());
    std::copy(rest.begin(), rest.end(), header.rest.begin());
    return header;
}

std::optional<std::string> whyNotAPaletteList(const ByteReader& reader, const PplHeader& header) {
    const std::int32_t count = header.paletteCount;
    if (count < 0 || count > kMaxPaletteCount)
        return "The file is not a palette list: it declares " + std::to_string(count) +
               " palettes; a list holds 0 to 32767.";
    const std::uint64_t declaredLength = pplPaletteOffset(static_cast<std::uint64_t>(count));
    if (reader.size() > declaredLength)
        return "The file is not a palette list: it is " + std::to_string(reader.size()) +
               " bytes long, more than the " + std::to_string(declaredLength) +
               " bytes of a list of the " + std::to_string(count) + " palettes it declares.";
    for (std::int32_t k = 0; k < count; ++k) {
        const std::uint64_t offset = pplPaletteOffset(static_cast<std::uint64_t>(k));
        if (!reader.fits(offset, kPplPaletteSize))
            break;
        const std::int32_t number = reader.i32(static_cast<std::size_t>(offset) + 1024);
        if (number < kMinPaletteNumber || number > kMaxPaletteNumber)
            return "The file is not a palette list: palette record " + std::to_string(k) +
                   " (counting from 0; at byte " + std::to_string(offset) +
                   ") carries the number " + std::to_string(number) +
                   "; palette numbers are -32768 to 32767.";
    }
    return std::nullopt;
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
