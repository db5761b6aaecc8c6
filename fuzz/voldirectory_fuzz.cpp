// Feeds arbitrary bytes to the archive directory reader and to everything that then handles
// the members' names and data, as an extraction or a preview would.

#include "archive/membername.h"
#include "archive/voldirectory.h"
#include "archive/volmember.h"
#include "core/problem.h"

#include <cstddef>
#include <cstdint>

namespace {

void handleMember(skarde::VolArchive& archive, const skarde::VolEntry& entry) {
    (void)skarde::decodeMemberName(entry.name);
    (void)skarde::isBitmapMemberName(entry.name);
    if (!skarde::unsafeMemberNameReason(entry.name))
        (void)skarde::memberRelativePath(entry.name);
    try {
        const skarde::Bytes data = skarde::ReadMemberData(archive, entry);
        if (data.size() != static_cast<std::size_t>(entry.size))
            __builtin_trap();
    } catch (const skarde::Problem&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    skarde::VolArchive archive("fuzz.vol", skarde::Bytes(data, data + size));
    try {
        const skarde::VolDirectory directory = skarde::readVolDirectory(archive);
        if (directory.storedRows.size() + directory.compressedRows.size() !=
            directory.directoryEntries.size())
            __builtin_trap();
        for (const skarde::VolEntry& entry : directory.directoryEntries)
            handleMember(archive, entry);
    } catch (const skarde::Problem&) {
    }
    return 0;
}
