#pragma once

// One stored member: its bytes from the archive and its place under an output folder. Shared by
// the extraction and the preview.

#include "volarchive.h"
#include "volformat.h"

#include "core/bytes.h"
#include "core/fileio.h"
#include "core/textset.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace skarde {

// Where the member's data starts in the archive, after its 8-byte data block header. Throws
// Problem naming the member when its `size` bytes lie outside the archive.
std::int64_t memberDataStart(const VolArchive& archive, const VolEntry& entry);

// The member's `size` bytes after its 8-byte data block header, whole in memory. Throws Problem
// naming the member when they lie outside the archive or number more than `maxBytes`.
Bytes ReadMemberData(VolArchive& archive, const VolEntry& entry,
                     std::uint64_t maxBytes = kMaxWholeFileBytes);
// The same with the archive open for this one read (the preview's way); a missing archive is a
// Problem naming it.
Bytes ReadMemberData(const std::filesystem::path& archivePath, const VolEntry& entry);

// Creates under the output folder each folder the member's name carries, parents first, and
// returns the path the member's file takes. Existing folders are left as they are. Throws
// Problem naming the member when the name is unsafe (see memberRelativePath), a file stands
// where a folder should be, or a folder cannot be created.
std::filesystem::path CreateMemberFolders(const std::filesystem::path& outputFolder,
                                          std::string_view memberName);

struct MemberTarget {
    std::filesystem::path path;
    // KnownAbsent when the run made the member's folder and wrote nothing of this name in it.
    Destination destination = Destination::Unknown;
};

// How members go from the archive to their files. The defaults serve the programs; tests shrink
// the sizes and make the writes fail.
struct MemberTransfer {
    // A copied member passes through a buffer of this size, however large it is.
    std::size_t copyBufferBytes = std::size_t{1} << 20;
    // A member read whole (to be converted) above this size is refused; copies have no cap.
    std::uint64_t maxWholeMemberBytes = kMaxWholeFileBytes;
    // How copied members are written; the disk's own steps when null.
    const FileWriteSteps* writeSteps = nullptr;
};

// Copies the member's bytes to its file through one buffer (MemberTransfer::copyBufferBytes),
// never holding the member whole; the file is written whole or not at all, as writeFileWhole
// does. Throws Problem naming the member when its data lies outside the archive, and naming the
// file or the archive when either fails on the way.
void copyMemberToFile(VolArchive& archive, const VolEntry& entry, const MemberTarget& target,
                      const MemberTransfer& transfer = {});

// The same for a whole run: each folder is looked at and created once, however many members
// it holds, and a file in a folder the run made needs no look before it is written.
class MemberFolders {
public:
    explicit MemberFolders(std::filesystem::path outputFolder);
    std::filesystem::path create(std::string_view memberName);
    // create(), and what is known of the member's path; the path counts as written from here on.
    MemberTarget place(std::string_view memberName);

private:
    void createFoldersOf(std::string_view memberName, const std::string& relative);
    bool madeByThisRun(std::string_view folderText) const;

    std::filesystem::path outputFolder_;
    // Folders below the output folder ("/" between parts) this run found (false) or made (true).
    TextMap<bool> folders_;
    TextSet claimed_; // files placed in folders the run made
};

} // namespace skarde
