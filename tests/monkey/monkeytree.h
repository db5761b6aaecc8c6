#pragma once

// The folders the monkey plays in, as a user's disk might hold them: the sample files, every
// hostile file of tests/data, an archive of 30,000 members, an empty folder, folders that
// cannot be read, and names with spaces and accents; plus "out", an empty output folder.

#include "fixtures/tempfolder.h"

#include <filesystem>
#include <vector>

namespace skarde::monkey {

class MonkeyTree {
public:
    static constexpr int kArchiveMembers = 30000;

    // Builds the tree in a fresh folder under `base`. `hostileData` is the source's tests/data.
    MonkeyTree(const std::filesystem::path& base, const std::filesystem::path& hostileData);
    ~MonkeyTree();
    MonkeyTree(const MonkeyTree&) = delete;
    MonkeyTree& operator=(const MonkeyTree&) = delete;

    const std::filesystem::path& root() const { return folder_.path(); }
    const std::vector<std::filesystem::path>& unreadableFolders() const { return unreadable_; }

private:
    void writeSamples();
    void copyHostileFiles(const std::filesystem::path& hostileData);
    void writeLargeArchive();
    void writeAwkwardNames();
    void makeUnreadableFolders();

    test::TempFolder folder_;
    std::vector<std::filesystem::path> unreadable_;
};

} // namespace skarde::monkey
