#pragma once

// What a rewritten archive will hold, worked out before a byte of it is written: every member in
// directory order with where its bytes come from and where they go, the bytes copied from the
// archive being updated (or named as a model), and the directory. Refusals (a name that cannot
// be stored, a member that cannot be carried over, an archive past 2 GiB - 1) happen here.

#include "volarchive.h"
#include "volchange.h"
#include "voldirectory.h"

#include "core/bytes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace skarde {

// Offsets and sizes are signed 32-bit: no archive may reach past this.
inline constexpr std::int64_t kMaxVolBytes = 0x7FFFFFFF;
// Data blocks are placed at the largest power of two all of the model's data offsets share, but
// never further apart than this: one member at byte 1 MiB says nothing about alignment.
inline constexpr std::int64_t kMaxVolAlignment = 4096;

enum class MemberOrigin { Kept, Replaced, Added };

struct PlannedMember {
    std::string name; // the raw 8-bit name, "\" between folders
    MemberOrigin origin = MemberOrigin::Kept;
    std::uint32_t leadingField = 0;
    std::uint8_t compressionType = 0;
    std::int64_t size = 0;
    // Kept: its data block (header and bytes) is copied from here in the old archive.
    std::int64_t sourceDataOffset = 0;
    // Replaced or added: the data block header to write, and where the bytes come from.
    std::array<std::uint8_t, kVolBlockHeaderSize> dataHeader{};
    std::shared_ptr<MemberContent> content;
    std::int64_t dataOffset = 0; // of its data block in the new archive
};

struct VolRewritePlan {
    std::int64_t alignment = 1;
    std::vector<PlannedMember> members;
    Bytes fileHeader; // the 8 bytes at the start
    Bytes directory;  // both directory blocks, written after the last data block
    std::int64_t directoryPosition = 0;
    std::int64_t length = 0; // of the whole archive
};

// The archive's members with the changes applied: kept members in their order, replaced ones in
// their place, added ones at the end, removed ones gone. `subject` names the archive in
// messages. Throws Problem (a refusal) naming the member or the archive when a change cannot be
// made; nothing is read but the data block headers the new members copy.
VolRewritePlan planVolRewrite(VolArchive& archive, const VolDirectory& directory,
                              const std::vector<VolChange>& changes, const std::string& subject);

// A new archive of the given members only, copying the header, the tags, and the entry's and
// data block header's bytes of `model`'s first member.
VolRewritePlan planVolPack(VolArchive& model, const VolDirectory& modelDirectory,
                           const std::vector<VolChange>& additions, const std::string& subject);

// The largest power of two that divides every positive data offset of the directory, at most
// kMaxVolAlignment; 1 when there is none.
std::int64_t sharedDataAlignment(const VolDirectory& directory);

} // namespace skarde
