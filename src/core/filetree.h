#pragma once

// Every regular file under a folder, with its size, found in one pass, and opened again later.
// A folder of tens of thousands of small files is listed and read mostly in system calls, so on
// POSIX systems each file is looked at and opened relative to its open folder, instead of through
// its whole path.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace skarde {

struct TreeFile {
    std::string relativePath; // UTF-8, "/" between folders
    std::uint64_t size = 0;
};

// Links to files count as files; linked folders are not entered. An entry that vanishes or
// cannot be looked at while the folder is listed is left out; a folder that cannot be read sets
// `error` and ends the listing. In no particular order.
std::vector<TreeFile> listRegularFiles(const std::filesystem::path& folder, std::error_code& error);

// Opens listed files for reading, one after the other, relative to their folder where the system
// allows: the folder opened for one file stays open for the next, so a file costs a look-up of
// its own name only. Holds at most one folder open; for one thread at a time.
class TreeFileOpener {
public:
    // `folderText`: the listed folder's path, UTF-8, ending in a separator.
    explicit TreeFileOpener(std::string folderText);
    ~TreeFileOpener();
    TreeFileOpener(const TreeFileOpener&) = delete;
    TreeFileOpener& operator=(const TreeFileOpener&) = delete;

    // `path`: the listed folder's text followed by the file's relative path. -1 (and errno set)
    // when the file cannot be opened.
    int open(const std::string& path);

private:
    std::string folderText_;
    std::string openFolder_; // relative to the listed folder, of the descriptor below
    int folderDescriptor_ = -1;
};

} // namespace skarde
