#include "treewatch.h"

#include "fixtures/tempfolder.h"

#include <gtest/gtest.h>

namespace skarde::monkey {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using test::writeFile;

struct WatchedTree {
    TempFolder root;
    WatchedTree() {
        writeFile(root / "in/a.bmp", {1, 2, 3});
        writeFile(root / "in/deep/b.bmp", {4});
        fs::create_directories(root / "out");
    }
};

TEST(TreeWatch, ReportsWhatChangedOutsideTheFoldersThatMayChange) {
    WatchedTree tree;
    TreeWatch watch(tree.root.path());
    writeFile(tree.root / "in/a.bmp", {1, 2, 4});     // same size, other bytes
    writeFile(tree.root / "in/new.bmp", {9});         // added
    fs::remove(tree.root / "in/deep/b.bmp");          // removed
    writeFile(tree.root / "out/result.bmp", {7});     // in an output folder
    writeFile(tree.root / "out/sub/member.dat", {8}); // under it
    const auto changed = watch.update({{tree.root / "out", false}});
    // A folder directly in the output folder may appear; a file under it only from an extraction.
    EXPECT_EQ(changed, (std::vector<std::string>{"in/a.bmp", "in/new.bmp", "out/sub/member.dat",
                                                 "in/deep/b.bmp"}));
    // The next look compares with this one; an extraction may fill sub-folders.
    writeFile(tree.root / "out/sub/other.dat", {8});
    EXPECT_TRUE(watch.update({{tree.root / "out", true}}).empty());
    // But nothing may disappear, not even from an output folder.
    fs::remove(tree.root / "out/result.bmp");
    EXPECT_EQ(watch.update({{tree.root / "out", true}}),
              (std::vector<std::string>{"out/result.bmp"}));
}

TEST(TreeWatch, ASourceMayChangeWhenItsOwnFolderIsTheOutputAndRewritingTheSameBytesIsNoChange) {
    WatchedTree tree;
    TreeWatch watch(tree.root.path());
    writeFile(tree.root / "in/a.bmp", {5});
    EXPECT_TRUE(watch.update({{tree.root / "in", false}}).empty());
    fs::remove(tree.root / "in/deep/b.bmp");
    writeFile(tree.root / "in/deep/b.bmp", {4});
    EXPECT_TRUE(watch.update({{tree.root / "out", false}}).empty());
    // A folder whose name only starts like an output folder's is not inside it.
    writeFile(tree.root / "outside/c.bmp", {1});
    EXPECT_EQ(watch.update({{tree.root / "out", true}}),
              (std::vector<std::string>{"outside/", "outside/c.bmp"}));
}

// Later looks read only the folders the kernel names as changed: nothing may slip past them.
TEST(TreeWatch, LaterLooksMissNoChangeInFoldersThatAppearedOrMoved) {
    WatchedTree tree;
    TreeWatch watch(tree.root.path());
    writeFile(tree.root / "in/new/deeper/c.bmp", {1});
    EXPECT_EQ(watch.update({}),
              (std::vector<std::string>{"in/new/", "in/new/deeper/", "in/new/deeper/c.bmp"}));
    writeFile(tree.root / "in/new/deeper/c.bmp", {2}); // in a folder first seen by the last look
    EXPECT_EQ(watch.update({}), (std::vector<std::string>{"in/new/deeper/c.bmp"}));
    fs::rename(tree.root / "in/new", tree.root / "in/moved");
    EXPECT_EQ(watch.update({}),
              (std::vector<std::string>{"in/moved/", "in/moved/deeper/", "in/moved/deeper/c.bmp",
                                        "in/new/", "in/new/deeper/", "in/new/deeper/c.bmp"}));
    writeFile(tree.root / "in/moved/deeper/c.bmp", {3}); // followed under its new name
    EXPECT_EQ(watch.update({}), (std::vector<std::string>{"in/moved/deeper/c.bmp"}));
    EXPECT_TRUE(watch.update({}).empty());
    EXPECT_EQ(watch.entries(), 8u);
}

TEST(TreeWatch, FindsScratchFilesAnywhereEvenInOutputFolders) {
    WatchedTree tree;
    writeFile(tree.root / "out/.a.bmp.123.part", {1});
    writeFile(tree.root / "in/TEMP1.BMP", {1});
    writeFile(tree.root / "in/temp.bmp.txt", {1});
    writeFile(tree.root / "in/.part", {1});
    TreeWatch watch(tree.root.path());
    EXPECT_EQ(watch.scratchFiles(),
              (std::vector<std::string>{"in/TEMP1.BMP", "out/.a.bmp.123.part"}));
}

} // namespace
} // namespace skarde::monkey
