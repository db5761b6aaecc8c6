#include "core/filedescriptor.h"
#include "core/fileio.h"
#include "core/filetree.h"

#include "fixtures/tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace skarde {
namespace {

namespace fs = std::filesystem;

std::vector<std::pair<std::string, std::uint64_t>> sortedListing(const fs::path& folder) {
    std::error_code error;
    std::vector<std::pair<std::string, std::uint64_t>> found;
    for (const TreeFile& file : listRegularFiles(folder, error))
        found.emplace_back(file.relativePath, file.size);
    EXPECT_FALSE(error) << error.message();
    std::sort(found.begin(), found.end());
    return found;
}

// Files at every depth with their sizes; links to files count with their target's size, while
// linked folders, dangling links and empty folders add nothing.
TEST(FileTree, ListsEveryRegularFileWithItsSize) {
    const test::TempFolder folder;
    fs::create_directories(folder / "a/b/c");
    fs::create_directories(folder / "empty");
    fs::create_directories(folder / "d\xc3\xa9j\xc3\xa0 vu");
    test::writeFile(folder / "top.txt", Bytes(3, 1));
    test::writeFile(folder / "a/one.bin", Bytes(10, 2));
    test::writeFile(folder / "a/b/c/deep.bin", {});
    test::writeFile(folder / "d\xc3\xa9j\xc3\xa0 vu/n\xc3\xa9.txt", Bytes(5, 3));
#ifndef _WIN32
    fs::create_symlink(folder / "a/one.bin", folder / "link.bin");
    fs::create_directory_symlink(folder / "a", folder / "linked-folder");
    fs::create_symlink(folder / "missing", folder / "dangling");
#endif
    std::vector<std::pair<std::string, std::uint64_t>> expected{
        {"a/b/c/deep.bin", 0},
        {"a/one.bin", 10},
        {"d\xc3\xa9j\xc3\xa0 vu/n\xc3\xa9.txt", 5},
        {"top.txt", 3},
    };
#ifndef _WIN32
    expected.insert(expected.begin() + 3, {"link.bin", 10});
#endif
    EXPECT_EQ(sortedListing(folder.path()), expected);

    std::error_code error;
    EXPECT_TRUE(listRegularFiles(folder / "missing", error).empty());
    EXPECT_TRUE(error);
}

// Files asked for out of folder order still open as themselves: the folder kept open for one
// file is never taken for another's.
TEST(FileTree, OpensEachListedFileWhateverTheOrder) {
    const test::TempFolder folder;
    fs::create_directories(folder / "a/b");
    const std::vector<std::string> names{"a/x", "a/b/y", "a/z", "w", "a/b/y", "a/x"};
    for (const std::string& name : names)
        test::writeFile(folder / name, Bytes(name.begin(), name.end()));
    const std::string folderText = displayPath(folder.path() / "");
    TreeFileOpener opener(folderText);
    for (const std::string& name : names) {
        const int descriptor = opener.open(folderText + name);
        ASSERT_GE(descriptor, 0) << name;
        Bytes read(name.size() + 1);
        EXPECT_EQ(readFully(descriptor, read), name.size());
        EXPECT_EQ(std::string(read.begin(), read.begin() + name.size()), name);
        closeDescriptor(descriptor);
    }
    EXPECT_LT(opener.open(folderText + "a/none"), 0);
    EXPECT_LT(opener.open(folderText + "gone/none"), 0);
    const int again = opener.open(folderText + "w");
    EXPECT_GE(again, 0);
    closeDescriptor(again);
}

} // namespace
} // namespace skarde
