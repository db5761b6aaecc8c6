#pragma once

// One stored member: its bytes from the archive and its place under an output folder. Shared by
// the extraction and the preview.

#include "volarchive.h"
#include "volformat.h"

#include "core/bytes.h"
#include "core/fileio.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_set>

namespace skarde {

// The member's `size` bytes after its 8-byte data block header. Throws Problem naming the
// member when they lie outside the archive.
Bytes ReadMemberData(VolArchive& archive, const VolEntry& entry);
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

// The same for a whole run: each folder is looked at and created once, however many members
// it holds, and a file in a folder the run made needs no look before it is written.
class MemberFolders {
public:
    explicit MemberFolders(std::filesystem::path outputFolder);
    std::filesystem::path create(std::string_view memberName);
    // create(), and what is known of the member's path; the path counts as written from here on.
    MemberTarget place(std::string_view memberName);

private:
    std::filesystem::path outputFolder_;
    using PathText = std::filesystem::path::string_type; // wide on Windows
    std::unordered_set<PathText> known_;                 // folders this run found or made
    std::unordered_set<PathText> made_;                  // folders this run made
    std::unordered_set<PathText> claimed_;               // files placed in those
};

} // namespace skarde
