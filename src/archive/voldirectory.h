#pragma once

// An archive's directory in memory: every entry in directory order with its name, and the two
// member lists, stored members (which can be extracted) apart from
// compressed ones (which are only listed). A row of either list refers to its own entry.

#include "volarchive.h"
#include "volformat.h"

#include "core/userprompts.h"

#include <cstddef>
#include <filesystem>
#include <vector>

namespace skarde {

struct VolDirectory {
    std::filesystem::path archivePath;
    // Bytes the program never examines, kept so that a rewrite can copy them.
    VolFileHeader fileHeader;
    Tag namesTag{};
    Tag entriesTag{};
    std::vector<VolEntry> directoryEntries;
    std::vector<std::size_t> storedRows;     // row r shows directoryEntries[storedRows[r]]
    std::vector<std::size_t> compressedRows; // likewise, for the compressed members

    const VolEntry& storedEntry(std::size_t row) const {
        return directoryEntries.at(storedRows.at(row));
    }
    const VolEntry& compressedEntry(std::size_t row) const {
        return directoryEntries.at(compressedRows.at(row));
    }
};

// Reads the directory; throws Problem naming the archive when the directory itself is malformed
// (a block or name offset outside the file or its block, a negative length, an entries block
// that is not whole entries, or names out of order). An entry whose data lies outside the file
// is kept, marked damaged. Reads only the header and the directory blocks, never member data.
VolDirectory readVolDirectory(VolArchive& archive);
VolDirectory readVolDirectory(const std::filesystem::path& archivePath);

// Loading an archive to list it: the directory, or after one message naming the archive
// an empty directory. The archive path is kept either way.
VolDirectory LoadVolDirectory(const std::filesystem::path& archivePath, UserPrompts& prompts);

} // namespace skarde
