#pragma once

// Watches a folder tree between two moments: what was added, removed or changed in content,
// and which scratch files lie anywhere in it. After the first look only the folders the kernel
// noticed a change in are read again (the whole tree when its notices cannot be trusted), and
// file contents are hashed again only when a file's size, time or inode moved, or its time is
// too close to the last look to tell, so a look after every event stays cheap however large
// the tree grows.

#include "foldernotices.h"
#include <cstdint>
#include <filesystem>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace skarde::monkey {

class TreeWatch {
public:
    explicit TreeWatch(std::filesystem::path root);

    // A folder that runs may write into: the files directly in it, and with `withSubfolders`
    // (an archive's members extracted into their folders) everything under it.
    struct OutputFolder {
        std::filesystem::path folder;
        bool withSubfolders = false;
    };

    // Takes a new look at the tree. Returns every path (relative, "/" between parts, folders
    // ending in "/") that differs from the previous look, except what a run may write: added or
    // changed entries in `outputs`. Nothing may disappear: no run removes anything.
    std::vector<std::string> update(const std::vector<OutputFolder>& outputs);
    // Files of the last look that a finished write never leaves behind: the writers' scratch
    // files (".NAME.TAG.part") and the old fixed scratch names.
    std::vector<std::string> scratchFiles() const;
    std::size_t entries() const { return entries_.size(); }

private:
    struct Entry {
        bool folder = false;
        std::int64_t size = 0;
        std::int64_t modified = 0;
        std::uint64_t inode = 0;
        std::uint64_t digest = 0;
    };

    // One second, far above any file system's clock step.
    static constexpr std::int64_t kCoarseClockMargin = 1000000000;

    using Entries = std::map<std::string, Entry>;
    using Listing = std::vector<std::pair<std::string, Entry>>;

    Entries lookAtEverything();
    Entries lookAgain();
    // `folder` is "" for the root, else relative with a final "/".
    void walk(const std::string& folder, Entries& into);
    void lookAgainAt(const std::string& folder, Entries& into);
    bool readFolder(const std::string& folder, Listing& listed) const;
    bool entryOf(const std::string& name, int folderDescriptor, const std::string& relative,
                 Entry& entry) const;
    std::string onDisk(const std::string& relative) const;
    bool mayWrite(const std::string& relative, const std::vector<OutputFolder>& outputs) const;

    std::filesystem::path root_;
    std::string rootText_;
    Entries entries_;
    FolderNotices notices_;
    // Folders the kernel would not watch: read again at every look.
    std::set<std::string> unwatched_;
    // When the last look began, in the file system's time (ns since the epoch).
    std::int64_t lastLookAt_ = 0;
};

} // namespace skarde::monkey
