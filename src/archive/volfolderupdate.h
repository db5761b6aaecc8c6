#pragma once

// The modder's way back into an archive: every file under a folder whose path, relative to the
// folder, names a stored member (letter case ignored, "\" or "/") and whose content differs
// becomes a replacement; files naming no member are reported, and added only when asked. With
// bitmap conversion, a Windows bitmap standing for a game image is turned back into one that
// keeps the palette number and attributes of the member it replaces. The plan's changes go to
// updateVolArchive; nothing is written while planning.

#include "volchange.h"

#include "core/problem.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace skarde {

class TreeFileOpener;

struct FolderUpdateOptions {
    bool addOthers = false;      // files naming no member are added to the archive
    bool convertBitmaps = false; // Windows bitmaps go back as game images
};

struct FolderFile {
    std::string pathText;                   // UTF-8: the folder's path followed by the relative one
    std::string memberName;                 // UTF-8, "\" between folders: as stored for a match
    std::uint64_t size = 0;                 // as listed
    std::shared_ptr<TreeFileOpener> opener; // shared by the files of one listing
    std::filesystem::path path() const { return std::filesystem::u8path(pathText); }
};

struct FolderUpdatePlan {
    std::vector<VolChange> changes; // replacements first, in directory order, then additions
    std::vector<FolderFile> replaced;
    std::vector<FolderFile> added;
    std::vector<FolderFile> unchanged; // the same content as their member
    std::vector<FolderFile> leftOut;   // naming no member, and not added
    std::vector<Problem> refused;      // files that could not be compared or converted
};

// Throws Problem naming the archive when its directory cannot be read, or the folder when it is
// not one. Files are taken in the order of their relative paths.
FolderUpdatePlan planFolderUpdate(const std::filesystem::path& archivePath,
                                  const std::filesystem::path& folder,
                                  const FolderUpdateOptions& options = {});

// Every file under the folder as a member to add, named by its relative path with "\" between
// folders, in the order of those paths: what a new archive of the folder holds.
std::vector<VolChange> folderAdditions(const std::filesystem::path& folder);

} // namespace skarde
