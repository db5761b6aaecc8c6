#pragma once

// The game's bitmap array ("Ziraruv Izoviv Uzuzi", magic "PBMA"): a 24-byte header, then the
// bitmap entries back to back. Each entry is a PBMP header, the pixel rows, a 12-byte detail part
// ("DETL" and two numbers) and an optional 12-byte palette part ("PiDX", a length, the palette
// number). Entries are located from their width and height alone.

#include "core/bytes.h"
#include "pbmpformat.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>

namespace skarde {

inline constexpr std::size_t kPbaHeaderSize = 24;
inline constexpr std::size_t kPbaDetailPartSize = 12;
inline constexpr std::size_t kPbaPalettePartSize = 12;

// The same shape as PbmpTrailer: 4 characters, two numbers, 4 characters, two numbers.
struct PbaHeader {
    Tag magic = makeTag("PBMA");
    std::uint32_t field4 = 0;
    std::uint32_t field8 = 0;
    Tag field12{};
    std::int32_t bitmapCount = 0;
    std::uint32_t field20 = 0;
};

// Reads the 24 bytes at the start; throws std::out_of_range for a shorter buffer.
PbaHeader readPbaHeader(const ByteReader& reader);

// One bitmap entry, located.
struct PbaEntry {
    std::uint64_t offset = 0;    // E: where its PbmpHeader starts
    PbmpHeader header;           // only width, height and dataLength mean anything
    std::int64_t stride = 0;     // the row length, from width
    std::uint64_t rowBytes = 0;  // R = height x stride
    bool hasPalettePart = false; // "PiDX" at E + 56 + R
    // The 24 bytes at E + 44 + R read as a PbmpTrailer: its palette number comes from E + 64 + R
    // with or without the palette part. Empty when those bytes run past the end of the file,
    // which only a last entry without its palette part can do.
    std::optional<PbmpTrailer> trailer;
    std::uint64_t nextOffset = 0; // E + 68 + R with the palette part, E + 56 + R without

    std::uint64_t rowsOffset() const { return offset + kPbmpHeaderSize; }
};

// An entry that cannot be converted; the text says why, in a phrase that starts in lower case.
class MalformedPbaEntry : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Locates the entry at `offset`. Throws MalformedPbaEntry when its width or height is below 1,
// when its height or stride is above 32767, or when the file ends before the entry's header,
// rows and detail part, or inside a palette part that begins with "PiDX".
PbaEntry locatePbaEntry(const ByteReader& reader, std::uint64_t offset);

} // namespace skarde
