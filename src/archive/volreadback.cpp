#include "volreadback.h"

#include "membername.h"
#include "voldirectory.h"

#include "core/bytedigest.h"
#include "core/problem.h"

#include <algorithm>

namespace skarde {

namespace {

[[noreturn]] void refuseWritten(const std::string& subject, const std::string& what) {
    throw Problem(subject, "The archive written does not read back as it should (" + what +
                               "); it was not put in place and nothing was changed.");
}

std::uint64_t digestOfMember(VolArchive& archive, const VolEntry& entry, Bytes& buffer) {
    ByteDigest digest;
    std::int64_t next = std::int64_t{entry.dataOffset} + kVolBlockHeaderSize;
    std::int64_t left = entry.size;
    while (left > 0) {
        const auto count =
            static_cast<std::size_t>(std::min<std::int64_t>(left, std::ssize(buffer)));
        const std::span<std::uint8_t> piece(buffer.data(), count);
        archive.read(next, piece);
        digest.add(piece);
        next += std::ssize(piece);
        left -= std::ssize(piece);
    }
    return digest.value();
}

void checkEntry(const VolEntry& entry, const PlannedMember& member, const std::string& subject) {
    const std::string which = "member " + decodeMemberName(member.name);
    if (entry.name != member.name)
        refuseWritten(subject, which + " reads back as " + decodeMemberName(entry.name));
    if (entry.size != member.size || entry.dataOffset != member.dataOffset)
        refuseWritten(subject, which + " reads back with " + std::to_string(entry.size) +
                                   " bytes at byte " + std::to_string(entry.dataOffset) +
                                   " instead of " + std::to_string(member.size) + " at " +
                                   std::to_string(member.dataOffset));
    if (entry.compressionType != member.compressionType || entry.damaged)
        refuseWritten(subject, which + " reads back damaged");
}

} // namespace

void checkWrittenArchive(const std::filesystem::path& written, const VolRewritePlan& plan,
                         const VolArchiveStream& stream, const std::string& subject,
                         std::size_t bufferBytes) {
    VolArchive archive(written);
    if (static_cast<std::int64_t>(archive.length()) != plan.length)
        refuseWritten(subject, std::to_string(archive.length()) + " bytes instead of " +
                                   std::to_string(plan.length));
    VolDirectory directory;
    try {
        directory = readVolDirectory(archive);
    } catch (const Problem& problem) {
        refuseWritten(subject, problem.what());
    }
    if (directory.directoryEntries.size() != plan.members.size())
        refuseWritten(subject, std::to_string(directory.directoryEntries.size()) +
                                   " members instead of " + std::to_string(plan.members.size()));
    Bytes buffer(std::max<std::size_t>(bufferBytes, 64));
    for (std::size_t i = 0; i < plan.members.size(); ++i) {
        const PlannedMember& member = plan.members[i];
        checkEntry(directory.directoryEntries[i], member, subject);
        if (member.origin != MemberOrigin::Kept &&
            digestOfMember(archive, directory.directoryEntries[i], buffer) !=
                stream.contentDigest(i))
            refuseWritten(subject, "the bytes of member " + decodeMemberName(member.name) +
                                       " differ from those of " + member.content->subject());
    }
}

} // namespace skarde
