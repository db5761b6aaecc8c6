#include "volrewriteplan.h"

#include "membername.h"

#include "core/fileio.h"
#include "core/problem.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <unordered_map>

namespace skarde {

namespace {

using DataHeader = std::array<std::uint8_t, kVolBlockHeaderSize>;

// What a new member copies from the member it replaces, or from the model's first member.
struct MemberModel {
    std::uint32_t leadingField = 0;
    DataHeader dataHeader{};
    std::int64_t size = 0;
};

std::string lengthText(std::int64_t bytes) {
    return std::to_string(bytes) + " bytes";
}

[[noreturn]] void refuseMember(std::string_view utf8Name, const std::string& reason) {
    throw Problem::refusal(std::string(utf8Name), reason);
}

[[noreturn]] void refuseTooLarge(const std::string& subject, std::int64_t length) {
    throw Problem::refusal(subject, "The archive would be " + lengthText(length) +
                                        " long, past the 2147483647 bytes (2 GiB - 1) that its "
                                        "offsets and sizes can count; nothing was written.");
}

// Letter case and the separator do not tell names apart.
std::string nameKey(std::string_view rawName) {
    std::string key(rawName);
    for (char& c : key)
        c = c == '/' ? '\\' : foldCase(c);
    return key;
}

std::optional<DataHeader> readDataHeader(VolArchive& archive, const VolEntry& entry) {
    if (!archive.holds(entry.dataOffset, kVolBlockHeaderSize))
        return std::nullopt;
    const Bytes bytes = archive.read(entry.dataOffset, kVolBlockHeaderSize);
    DataHeader header{};
    std::copy(bytes.begin(), bytes.end(), header.begin());
    return header;
}

// The header's second four bytes follow the member's size only where they held the old size:
// anything else in them is not ours to change.
DataHeader headerForSize(const MemberModel& model, std::int64_t newSize) {
    DataHeader header = model.dataHeader;
    if (ByteReader(header).i32(4) != model.size)
        return header;
    Bytes sizeBytes;
    ByteWriter(sizeBytes).i32(static_cast<std::int32_t>(newSize));
    std::copy(sizeBytes.begin(), sizeBytes.end(), header.begin() + 4);
    return header;
}

std::int64_t contentSize(const VolChange& change, const std::string& archiveSubject) {
    const std::uint64_t size = change.content->size();
    if (size > static_cast<std::uint64_t>(kMaxVolBytes))
        refuseTooLarge(archiveSubject,
                       static_cast<std::int64_t>(std::min<std::uint64_t>(size, INT64_MAX / 2)));
    return static_cast<std::int64_t>(size);
}

class Planner {
public:
    Planner(VolArchive& archive, const VolDirectory& directory, std::string subject)
        : archive_(archive), directory_(directory), subject_(std::move(subject)) {}

    void keepEveryMember() {
        for (std::size_t i = 0; i < directory_.directoryEntries.size(); ++i) {
            const VolEntry& entry = directory_.directoryEntries[i];
            PlannedMember member;
            member.name = entry.name;
            member.leadingField = entry.leadingField;
            member.compressionType = entry.compressionType;
            member.size = entry.size;
            member.sourceDataOffset = entry.dataOffset;
            index(member.name, members_.size());
            members_.push_back(std::move(member));
            entryOf_.push_back(i);
            touched_.push_back(false);
        }
    }

    void apply(const VolChange& change) {
        switch (change.kind) {
        case VolChange::Kind::Replace:
            replace(find(change.memberName), change);
            break;
        case VolChange::Kind::Add:
            add(change);
            break;
        case VolChange::Kind::Remove: {
            const std::size_t at = find(change.memberName);
            touch(at, change.memberName);
            removed_.push_back(at);
            break;
        }
        }
    }

    // Kept members must bring their data along; one whose data is not in the archive cannot.
    std::vector<PlannedMember> finish() {
        std::sort(removed_.begin(), removed_.end());
        std::vector<PlannedMember> kept;
        for (std::size_t i = 0; i < members_.size(); ++i) {
            if (std::binary_search(removed_.begin(), removed_.end(), i))
                continue;
            if (members_[i].origin == MemberOrigin::Kept &&
                directory_.directoryEntries[entryOf_[i]].damaged)
                refuseMember(decodeMemberName(members_[i].name),
                             "The member's data lies outside the archive, so it cannot be "
                             "carried into the new one; remove it to go on.");
            kept.push_back(std::move(members_[i]));
        }
        return kept;
    }

private:
    static constexpr std::size_t kNoEntry = static_cast<std::size_t>(-1);

    void index(const std::string& rawName, std::size_t at) {
        byKey_[nameKey(rawName)].push_back(at);
    }

    // A name written exactly as stored wins over one that differs in case or separator; a name
    // that fits several members in those ways only is ambiguous.
    std::size_t find(const std::string& requested) const {
        const std::optional<std::string> raw = encodeMemberName(requested);
        const auto found = raw ? byKey_.find(nameKey(*raw)) : byKey_.end();
        if (found == byKey_.end() || found->second.empty())
            refuseMember(requested, "The archive holds no member of this name.");
        for (std::size_t at : found->second)
            if (members_[at].name == *raw)
                return at;
        if (found->second.size() > 1)
            refuseMember(requested, "The name fits " + std::to_string(found->second.size()) +
                                        " members of the archive that differ only in letter case; "
                                        "name one exactly as it is stored.");
        return found->second.front();
    }

    void touch(std::size_t at, const std::string& requested) {
        if (touched_[at])
            refuseMember(requested, "The member is named by two changes at once.");
        touched_[at] = true;
    }

    void replace(std::size_t at, const VolChange& change) {
        touch(at, change.memberName);
        PlannedMember& member = members_[at];
        if (member.compressionType != 0)
            refuseMember(change.memberName,
                         "The member is compressed, and this program has no compressor to store "
                         "a file in its place; remove it and add the file instead.");
        const VolEntry& entry = directory_.directoryEntries[entryOf_[at]];
        const std::optional<DataHeader> header = readDataHeader(archive_, entry);
        if (!header || entry.damaged)
            refuseMember(change.memberName,
                         "The member's data lies outside the archive, so there is no data block "
                         "header to copy for its new bytes; remove it and add the file instead.");
        const std::int64_t size = contentSize(change, subject_);
        member.dataHeader = headerForSize({entry.leadingField, *header, entry.size}, size);
        member.origin = MemberOrigin::Replaced;
        member.size = size;
        member.content = change.content;
    }

    void add(const VolChange& change) {
        const std::optional<std::string> raw = encodeMemberName(change.memberName);
        if (!raw)
            refuseMember(change.memberName, "The name holds a character that the archive's "
                                            "Windows-1252 names cannot hold.");
        if (const auto reason = unsafeMemberNameReason(*raw))
            refuseMember(change.memberName, *reason);
        const auto same = byKey_.find(nameKey(*raw));
        if (same != byKey_.end() && !same->second.empty())
            refuseMember(change.memberName, "The archive already holds a member of this name; "
                                            "replace it instead.");
        const MemberModel& model = firstMemberModel(change.memberName);
        PlannedMember member;
        member.name = *raw;
        member.origin = MemberOrigin::Added;
        member.leadingField = model.leadingField;
        member.size = contentSize(change, subject_);
        member.dataHeader = headerForSize(model, member.size);
        member.content = change.content;
        index(member.name, members_.size());
        members_.push_back(std::move(member));
        entryOf_.push_back(kNoEntry);
        touched_.push_back(true);
    }

    // Never invented: without a first member there is nothing to copy them from.
    const MemberModel& firstMemberModel(const std::string& requested) {
        if (!firstMember_) {
            const auto& entries = directory_.directoryEntries;
            const std::optional<DataHeader> header =
                entries.empty() ? std::nullopt : readDataHeader(archive_, entries.front());
            if (!header)
                refuseMember(requested,
                             "The archive " + subject_ +
                                 " has no first member whose entry and data block header a new "
                                 "member could copy, and this program does not invent them.");
            firstMember_ = MemberModel{entries.front().leadingField, *header, entries.front().size};
        }
        return *firstMember_;
    }

    VolArchive& archive_;
    const VolDirectory& directory_;
    std::string subject_;
    std::vector<PlannedMember> members_;
    std::vector<std::size_t> entryOf_; // the directory entry of each kept or replaced member
    std::vector<bool> touched_;
    std::vector<std::size_t> removed_;
    std::unordered_map<std::string, std::vector<std::size_t>> byKey_;
    std::optional<MemberModel> firstMember_;
};

std::int64_t alignUp(std::int64_t position, std::int64_t alignment) {
    return (position + alignment - 1) / alignment * alignment;
}

void placeMembers(VolRewritePlan& plan, bool shifted, const std::string& subject) {
    std::int64_t position = kVolFileHeaderSize;
    for (PlannedMember& member : plan.members) {
        member.dataOffset = alignUp(position, plan.alignment);
        position = member.dataOffset + static_cast<std::int64_t>(kVolBlockHeaderSize) + member.size;
        if (position > kMaxVolBytes)
            refuseTooLarge(subject, position);
    }
    // The header's field stays 16 less than the directory's position, and never below zero.
    plan.directoryPosition =
        std::max<std::int64_t>(position, shifted ? kShiftedDirectoryDistance : 0);
}

Bytes directoryBytes(const VolRewritePlan& plan, const VolDirectory& model) {
    Bytes names;
    std::vector<std::int32_t> nameOffsets;
    for (const PlannedMember& member : plan.members) {
        nameOffsets.push_back(static_cast<std::int32_t>(names.size()));
        names.insert(names.end(), member.name.begin(), member.name.end());
        names.push_back(0);
    }
    Bytes out;
    ByteWriter writer(out);
    writer.tag(model.namesTag);
    writer.i32(static_cast<std::int32_t>(names.size()));
    writer.bytes(names);
    if (names.size() % 2 != 0)
        writer.u8(0); // the reader skips one byte after an odd names block
    writer.tag(model.entriesTag);
    writer.i32(static_cast<std::int32_t>(plan.members.size() * kVolEntrySize));
    for (std::size_t i = 0; i < plan.members.size(); ++i) {
        const PlannedMember& member = plan.members[i];
        writer.u32(member.leadingField);
        writer.i32(nameOffsets[i]);
        writer.i32(static_cast<std::int32_t>(member.dataOffset));
        writer.i32(static_cast<std::int32_t>(member.size));
        writer.u8(member.compressionType);
    }
    return out;
}

VolRewritePlan layOut(std::vector<PlannedMember> members, const VolDirectory& model,
                      const std::string& subject) {
    VolRewritePlan plan;
    plan.alignment = sharedDataAlignment(model);
    plan.members = std::move(members);
    const bool shifted = model.fileHeader.magic != makeTag("PVOL");
    placeMembers(plan, shifted, subject);
    // The directory's own size counts before its bytes are made: names can be long.
    std::int64_t namesLength = 0;
    for (const PlannedMember& member : plan.members)
        namesLength += static_cast<std::int64_t>(member.name.size()) + 1;
    plan.length = plan.directoryPosition + 2 * static_cast<std::int64_t>(kVolBlockHeaderSize) +
                  namesLength + namesLength % 2 +
                  static_cast<std::int64_t>(plan.members.size() * kVolEntrySize);
    if (plan.length > kMaxVolBytes)
        refuseTooLarge(subject, plan.length);
    plan.directory = directoryBytes(plan, model);

    ByteWriter writer(plan.fileHeader);
    writer.tag(model.fileHeader.magic);
    writer.i32(static_cast<std::int32_t>(plan.directoryPosition -
                                         (shifted ? kShiftedDirectoryDistance : 0)));
    return plan;
}

} // namespace

std::int64_t sharedDataAlignment(const VolDirectory& directory) {
    std::uint32_t shared = 0;
    for (const VolEntry& entry : directory.directoryEntries)
        if (entry.dataOffset > 0)
            shared |= static_cast<std::uint32_t>(entry.dataOffset);
    if (shared == 0)
        return 1;
    // The lowest bit set in any offset is the largest power of two dividing them all.
    return std::min<std::int64_t>(std::int64_t{1} << std::countr_zero(shared), kMaxVolAlignment);
}

VolRewritePlan planVolRewrite(VolArchive& archive, const VolDirectory& directory,
                              const std::vector<VolChange>& changes, const std::string& subject) {
    Planner planner(archive, directory, subject);
    planner.keepEveryMember();
    for (const VolChange& change : changes)
        planner.apply(change);
    return layOut(planner.finish(), directory, subject);
}

VolRewritePlan planVolPack(VolArchive& model, const VolDirectory& modelDirectory,
                           const std::vector<VolChange>& additions, const std::string& subject) {
    Planner planner(model, modelDirectory, subject);
    for (const VolChange& addition : additions) {
        if (addition.kind != VolChange::Kind::Add)
            refuseMember(addition.memberName, "A new archive can only be given members to add.");
        planner.apply(addition);
    }
    return layOut(planner.finish(), modelDirectory, subject);
}

} // namespace skarde
