#include "fixtures/tempfolder.h"

#include "widgets/batchtoolframe.h"
#include "widgets/drivelist.h"
#include "widgets/filelist.h"
#include "widgets/folderlist.h"
#include "widgets/qtpaths.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace skarde::gui {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using test::writeFile;

QStringList entryTexts(const QListWidget& list) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts << list.item(row)->text();
    return texts;
}

TEST(FileList, ListsMatchingFilesOnlyIgnoringCaseSortedIgnoringCase) {
    TempFolder folder;
    for (const char* name : {"c.Bmp", "a.bmp", "B.BMP", "d.txt", "x.bmp.bak", "bmp", "e.PBA",
                             "f.pft", "G.PFT", "h.pbx"})
        writeFile(folder / name, {});
    fs::create_directory(folder / "sub.bmp");

    const QString path = toQString(folder.path());
    EXPECT_EQ(matchingFileNames(path, "*.BMP"), (QStringList{"a.bmp", "B.BMP", "c.Bmp"}));
    EXPECT_EQ(matchingFileNames(path, "*.PBA;*.pft"), (QStringList{"e.PBA", "f.pft", "G.PFT"}));
    EXPECT_TRUE(matchingFileNames(path + "/missing", "*.BMP").isEmpty());

    FileList list("*.BMP", FileList::Selection::Extended);
    list.setFolder(path);
    EXPECT_EQ(entryTexts(list), (QStringList{"a.bmp", "B.BMP", "c.Bmp"}));
    EXPECT_EQ(list.selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_TRUE(list.selectedItems().isEmpty());
    FileList single("*.PBA;*.pft", FileList::Selection::Single);
    EXPECT_EQ(single.selectionMode(), QAbstractItemView::SingleSelection);
}

TEST(PathInFolder, AddsOneSeparatorAndNoneAfterARoot) {
    EXPECT_EQ(pathInFolder("/", "a.bmp"), fs::path("/a.bmp"));
    EXPECT_EQ(pathInFolder("/games/skarde", "a.bmp"), fs::path("/games/skarde/a.bmp"));
    EXPECT_EQ(pathInFolder("/games/skarde/", "a.bmp"), fs::path("/games/skarde/a.bmp"));
}

// "/" here, a drive such as "C:/" on Windows.
QString rootFolderOf(QString folder) {
    for (QString parent = QFileInfo(folder).path(); parent != folder;
         parent = QFileInfo(folder).path())
        folder = parent;
    return folder;
}

struct FolderListTest : ::testing::Test {
    TempFolder root;
    FolderList list;
    QString top;

    void SetUp() override {
        fs::create_directories(root / "Game" / "bitmaps");
        fs::create_directories(root / "Game" / "Archives");
        fs::create_directories(root / "Game" / "cache");
        writeFile(root / "Game" / "file.bmp", {});
        top = toQString(root.path());
    }
};

TEST_F(FolderListTest, ShowsAncestorsFromTheRootThenSubFolders) {
    list.setFolder(top + "/Game");
    EXPECT_EQ(list.folder(), top + "/Game");
    const QStringList texts = entryTexts(list);
    ASSERT_GE(texts.size(), 5);
    EXPECT_EQ(texts.front(), QDir::toNativeSeparators(rootFolderOf(top)));
    EXPECT_EQ(texts.mid(texts.size() - 4), (QStringList{"Game", "Archives", "bitmaps", "cache"}));
    EXPECT_EQ(list.currentRow(), texts.size() - 4);
    EXPECT_EQ(list.entryFolder(0), rootFolderOf(top));
    EXPECT_EQ(list.entryFolder(static_cast<int>(texts.size()) - 1), top + "/Game/cache");
}

TEST_F(FolderListTest,
       ASingleClickOrEnterOpensAnEntryAnArrowKeyOnlyMovesAndADoubleClickNothingMore) {
    fs::create_directories(root / "Game" / "Archives" / "old");
    list.resize(300, 400);
    list.show();
    list.setFolder(top + "/Game");
    QSignalSpy changes(&list, &FolderList::folderChanged);
    const int archives = list.count() - 3;

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.item(archives)).center());
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).toString(), top + "/Game/Archives");
    EXPECT_EQ(list.entryFolder(list.currentRow()), top + "/Game/Archives");
    EXPECT_EQ(list.entryFolder(list.count() - 1), top + "/Game/Archives/old") << "opened";

    QTest::keyClick(&list, Qt::Key_Up); // "Game", the parent, highlighted but not opened
    EXPECT_EQ(list.folder(), top + "/Game");
    EXPECT_EQ(list.entryFolder(list.currentRow()), top + "/Game");
    EXPECT_EQ(list.entryFolder(list.count() - 1), top + "/Game/Archives/old");
    ASSERT_EQ(changes.count(), 2);
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_EQ(list.folder(), top + "/Game");
    EXPECT_EQ(list.entryFolder(list.count() - 1), top + "/Game/cache") << "opened";
    EXPECT_EQ(changes.count(), 2) << "opening the current folder changes nothing";

    changes.clear();
    const int bitmaps = list.count() - 2;
    const QPoint at = list.visualItemRect(list.item(bitmaps)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(list.folder(), top + "/Game/bitmaps");
}

// Opening a folder on every arrow key would re-list the rows under the highlight, so only the
// first sub-folder could ever be reached from the keyboard.
TEST_F(FolderListTest, TheMovingKeysReachEveryRowShownAndEachRowTheyReachIsTheCurrentFolder) {
    fs::create_directories(root / "Game" / "Archives" / "old");
    list.resize(300, 400);
    list.show();
    list.setFolder(top + "/Game");
    const QStringList rowsShown = entryTexts(list);
    const int game = list.currentRow();
    QSignalSpy changes(&list, &FolderList::folderChanged);
    const auto lastChange = [&] {
        return changes.isEmpty() ? QString() : changes.last().at(0).toString();
    };

    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(list.folder(), top + "/Game/bitmaps");
    EXPECT_EQ(list.entryFolder(list.currentRow()), top + "/Game/bitmaps");
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(lastChange(), top + "/Game/bitmaps");

    QTest::keyClick(&list, Qt::Key_End);
    EXPECT_EQ(list.folder(), top + "/Game/cache");
    EXPECT_EQ(lastChange(), top + "/Game/cache");
    QTest::keyClick(&list, Qt::Key_Home);
    EXPECT_EQ(list.folder(), rootFolderOf(top));
    EXPECT_EQ(lastChange(), rootFolderOf(top));
    QTest::keyClick(&list, Qt::Key_PageDown);
    EXPECT_EQ(list.folder(), top + "/Game/cache");
    QTest::keyClick(&list, Qt::Key_PageUp);
    EXPECT_EQ(list.folder(), rootFolderOf(top));
    EXPECT_EQ(entryTexts(list), rowsShown) << "the keys only move the highlight";

    list.setCurrentRow(game + 1); // "Archives"
    QTest::keyClick(&list, Qt::Key_Enter);
    EXPECT_EQ(list.folder(), top + "/Game/Archives");
    EXPECT_EQ(list.entryFolder(list.count() - 1), top + "/Game/Archives/old");
    EXPECT_EQ(list.entryFolder(list.currentRow()), top + "/Game/Archives");
}

TEST_F(FolderListTest, AFolderThatVanishedIsReportedAndTheNearestReadableOneShown) {
    QSignalSpy problems(&list, &FolderList::folderUnreadable);
    QSignalSpy changes(&list, &FolderList::folderChanged);
    list.setFolder(top + "/Game/bitmaps");
    fs::remove_all(root / "Game");

    list.setFolder(top + "/Game/bitmaps");
    ASSERT_EQ(problems.count(), 1);
    EXPECT_EQ(problems.at(0).at(0).toString(), top + "/Game/bitmaps");
    EXPECT_EQ(problems.at(0).at(1).toString(), "it does not exist");
    EXPECT_EQ(list.folder(), top);
    EXPECT_EQ(changes.last().at(0).toString(), top);

    // A row that vanished since it was listed, reached with the keys.
    fs::create_directories(root / "Game" / "Archives");
    fs::create_directories(root / "Game" / "bitmaps");
    list.setFolder(top + "/Game");
    fs::remove(root / "Game" / "bitmaps");
    problems.clear();
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Down);
    ASSERT_EQ(problems.count(), 1);
    EXPECT_EQ(problems.at(0).at(0).toString(), top + "/Game/bitmaps");
    EXPECT_EQ(list.folder(), top + "/Game");
    EXPECT_EQ(list.entryFolder(list.currentRow()), top + "/Game");
    EXPECT_EQ(list.entryFolder(list.count() - 1), top + "/Game/Archives");
    EXPECT_EQ(changes.last().at(0).toString(), top + "/Game");
}

TEST(DriveList, ShowsTheVolumeHoldingAFolderAndRaisesChangesOnlyForAChoice) {
    TempFolder a;
    TempFolder b;
    DriveList drives;
    const QString rootA = toQString(a.path());
    const QString rootB = toQString(b.path());
    drives.setDrives({QDir::rootPath(), rootA, rootB});
    QSignalSpy changes(&drives, &DriveList::driveChanged);

    drives.showDriveOf(rootB + "/deep/folder");
    EXPECT_EQ(drives.drive(), rootB);
    drives.showDriveOf(QDir::rootPath() + "usr");
    EXPECT_EQ(drives.drive(), QDir::rootPath());
    EXPECT_EQ(changes.count(), 0);

    drives.setCurrentIndex(drives.findData(rootA));
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).toString(), rootA);
}

#ifdef Q_OS_WIN
// As Explorer shows them: "C:\", and a folder's drive whatever the case of its letter.
TEST(DriveList, OffersTheDriveLettersAndFindsAFoldersDriveWithoutRegardToCase) {
    DriveList drives;
    QStringList texts;
    for (int row = 0; row < drives.count(); ++row)
        texts << drives.itemText(row);
    EXPECT_TRUE(texts.contains("C:\\")) << texts.join(' ').toStdString();
    const int rows = drives.count();
    drives.showDriveOf("c:/windows");
    EXPECT_EQ(drives.drive(), "C:/");
    EXPECT_EQ(drives.currentText(), "C:\\");
    EXPECT_EQ(drives.count(), rows);
}
#endif

} // namespace
} // namespace skarde::gui
