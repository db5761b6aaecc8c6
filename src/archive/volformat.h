#pragma once

// The game's VOL archive as far as this program reads it: an 8-byte file header naming where the
// directory is, a names block of zero-terminated member names, then 17-byte directory entries.
// Every member's data block is an 8-byte block header followed by the member's bytes.

#include "core/bytes.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace skarde {

inline constexpr std::size_t kVolFileHeaderSize = 8;
inline constexpr std::size_t kVolBlockHeaderSize = 8;
inline constexpr std::size_t kVolEntrySize = 17;
// Any other magic puts the directory 16 bytes further on.
inline constexpr std::int64_t kShiftedDirectoryDistance = 16;

struct VolFileHeader {
    Tag magic{};
    std::int32_t directoryOffset = 0;
};

struct VolBlockHeader {
    Tag tag{}; // never examined
    std::int32_t length = 0;
};

struct VolEntry {
    std::uint32_t leadingField = 0; // the entry's first four bytes: never examined, only copied
    std::int32_t nameOffset = 0;    // from the start of the names block
    std::int32_t dataOffset = 0;    // of the member's data block header, from the start of the file
    std::int32_t size = 0;
    std::uint8_t compressionType = 0; // 0: stored; anything else: compressed
    std::string name; // the name's 8-bit bytes up to its first zero, "\" between folders
    // Its data block lies outside the file, or its size is negative: the entry is listed, and
    // refused by name when its data is asked for.
    bool damaged = false;

    bool isStored() const { return compressionType == 0; }
};

// All three read at `offset`; throw std::out_of_range when the buffer is too short.
VolFileHeader readVolFileHeader(const ByteReader& reader);
VolBlockHeader readVolBlockHeader(const ByteReader& reader, std::size_t offset);
// Fills every field but the name.
VolEntry readVolEntry(const ByteReader& reader, std::size_t offset);

// Where the directory starts: the directory offset, or 16 bytes beyond it without "PVOL".
std::int64_t directoryStart(const VolFileHeader& header);

} // namespace skarde
