#pragma once

// VOL archives built byte by byte, with a knob for every field. Needs nothing but the core, so
// tools that generate sample archives can use it as well as the tests.

#include "core/bytes.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace skarde::filebuilders {

struct VolMemberFields {
    std::string name; // raw 8-bit bytes, "\" between folders, without the terminating zero
    Bytes data;
    std::uint8_t compressionType = 0;
    int terminatingZeros = 1;               // zero bytes after the name in the names block
    std::optional<std::int32_t> nameOffset; // default: where the name was written
    std::optional<std::int32_t> dataOffset; // default: the member's data block
    std::optional<std::int32_t> size;       // default: the data's length
    std::uint32_t unusedField = 0;          // the entry's first four bytes
    // The member's data block header; default: the archive's data tag and the data's length.
    std::optional<std::string> dataTag;
    std::optional<std::uint32_t> dataHeaderLength;
};

struct VolFields {
    std::string magic = "PVOL";
    std::vector<VolMemberFields> members;
    std::string dataTag = "VBLK"; // of every member's data block header

    // Where the directory is written; default right after the data blocks (never before them).
    // The gap is filled with `filler`.
    std::optional<std::int64_t> directoryPosition;
    // The header's field; default: what locates the directory at its position (16 less
    // without "PVOL").
    std::optional<std::int32_t> directoryOffset;
    std::uint8_t filler = 0xCC;

    std::string namesTag = "vols";
    Bytes extraNames;                        // appended to the names block
    std::optional<std::int32_t> namesLength; // default: the block's length
    std::optional<int> padBytes;             // default: 1 when namesLength is odd, else 0
    std::uint8_t padValue = 0;

    std::string entriesTag = "voli";
    Bytes extraEntries;                        // appended to the entries block
    std::optional<std::int32_t> entriesLength; // default: the block's length
    Bytes trailing;                            // after the entries block
};

// A member with the other fields at their defaults: stored unless `compressionType` says not.
VolMemberFields volMember(std::string name, Bytes data = {1, 2, 3},
                          std::uint8_t compressionType = 0);

Bytes makeVol(const VolFields& fields);
// Creates the parent folders as needed.
void writeVol(const std::filesystem::path& path, const VolFields& fields);

} // namespace skarde::filebuilders
