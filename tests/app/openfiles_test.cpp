// The program handed files, as a file manager's "Open with" hands them: the main window at once,
// and each file in the tool window that fits it, with its folder chosen and the file marked.

#include "app/mainwindow.h"
#include "app/startup.h"
#include "guifixtures/apptestsupport.h"
#include "guifixtures/modalanswerer.h"
#include "testsupport/pbabuilder.h"
#include "testsupport/pbmpbuilder.h"
#include "testsupport/pplbuilder.h"
#include "testsupport/volbuilder.h"
#include "widgets/filelist.h"
#include "widgets/folderlist.h"
#include "widgets/qtpaths.h"

#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <gtest/gtest.h>

namespace skarde::gui {
namespace {

namespace fs = std::filesystem;
using test::settle;
using test::writeFile;

// The tool window with this objectName among the main window's children, or null.
QWidget* childWindow(const MainWindow& main, const char* name) {
    for (QMdiSubWindow* child : main.mdiArea().subWindowList())
        if (child->widget()->objectName() == QLatin1String(name))
            return child->widget();
    return nullptr;
}

QStringList markedFiles(const QWidget& window) {
    QStringList names;
    for (const QListWidgetItem* item :
         window.findChild<FileList*>(QStringLiteral("File1"))->selectedItems())
        names.append(item->text());
    return names;
}

QString sourceFolder(const QWidget& window) {
    return window.findChild<FolderList*>(QStringLiteral("Dir1"))->folder();
}

struct OpenFiles : ::testing::Test {
    test::SettingsSandbox settings;
    test::TempFolder root;
    fs::path game = root / "game";

    void SetUp() override {
        writeFile(game / "other.bmp", filebuilders::makePbmpOfSize(2, 2));
        writeFile(game / "dunes.bmp", filebuilders::makePbmpOfSize(3, 2));
        filebuilders::PbaFields array;
        array.entries = {filebuilders::pbaEntry(3, 2, 500, 0)};
        writeFile(game / "icons.pba", filebuilders::makePba(array));
        filebuilders::PplFields list;
        list.palettes = {filebuilders::pplPalette(500)};
        writeFile(game / "worlds.ppl", filebuilders::makePpl(list));
        filebuilders::VolFields archive;
        archive.members = {filebuilders::volMember("a.txt"), filebuilders::volMember("b.txt")};
        writeFile(game / "game.vol", filebuilders::makeVol(archive));
    }
};

TEST_F(OpenFiles, EachFileOpensInTheToolThatFitsItWithoutTheSplash) {
    Startup startup;
    startup.openFiles({game / "dunes.bmp", game / "icons.pba", game / "worlds.ppl",
                       game / "game.vol", game / "other.bmp"});
    settle();
    EXPECT_EQ(startup.splashWindow(), nullptr);
    MainWindow& main = *startup.mainWindow();
    EXPECT_TRUE(main.isVisible());
    const QString folder = toQString(game);

    QWidget* images = childWindow(main, "frmpbmp2bmp");
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(sourceFolder(*images), folder);
    EXPECT_EQ(markedFiles(*images),
              (QStringList{QStringLiteral("dunes.bmp"), QStringLiteral("other.bmp")}));

    QWidget* arrays = childWindow(main, "frmpba2bmp");
    ASSERT_NE(arrays, nullptr);
    EXPECT_EQ(markedFiles(*arrays), QStringList{QStringLiteral("icons.pba")});

    QWidget* palettes = childWindow(main, "frmpplextract");
    ASSERT_NE(palettes, nullptr);
    EXPECT_EQ(markedFiles(*palettes), QStringList{QStringLiteral("worlds.ppl")});

    QWidget* archives = childWindow(main, "frmvolextract");
    ASSERT_NE(archives, nullptr);
    EXPECT_EQ(sourceFolder(*archives), folder);
    EXPECT_EQ(markedFiles(*archives), QStringList{QStringLiteral("game.vol")});
    EXPECT_EQ(archives->findChild<QListWidget*>(QStringLiteral("List1"))->count(), 2);

    main.close();
    settle();
}

// An archive is told by its tag whatever its name; a file of no known kind, one that cannot be
// read, and one its window cannot list each get one message naming it, and the program goes on
// with the others.
TEST_F(OpenFiles, UnknownAndUnreadableFilesAreNamedAndTheRestStillOpen) {
    fs::copy_file(game / "game.vol", game / "backup.dat");
    fs::copy_file(game / "dunes.bmp", game / "dunes.pbmp");
    writeFile(game / "notes.txt", Bytes{'h', 'i'});
    test::ModalAnswerer answerer;
    for (int message = 0; message < 3; ++message)
        answerer.enqueue(test::pressOk());
    Startup startup;
    startup.openFiles(
        {game / "notes.txt", game / "missing.vol", game / "backup.dat", game / "dunes.pbmp"});
    settle();
    ASSERT_EQ(answerer.seen().size(), 3u);
    EXPECT_EQ(answerer.seen()[0], "SkardeTools | " + (game / "notes.txt").string() +
                                      "\n\nSkardeTools opens game images, image arrays, palette "
                                      "lists and archives; this file is none of them.");
    EXPECT_EQ(answerer.seen()[1], "SkardeTools | " + (game / "missing.vol").string() +
                                      "\n\nThe file cannot be read: No such file or directory.");
    // A game image the PBMP -> BMP window cannot list under its name.
    EXPECT_EQ(answerer.seen()[2], "SkardeTools | " + (game / "dunes.pbmp").string() +
                                      "\n\nIts folder is chosen in PBMP -> BMP, but that window "
                                      "does not list files of this name.");
    EXPECT_EQ(answerer.unexpected(), 0);
    MainWindow& main = *startup.mainWindow();
    EXPECT_TRUE(main.isVisible());
    QWidget* archives = childWindow(main, "frmvolextract");
    ASSERT_NE(archives, nullptr);
    EXPECT_EQ(archives->findChild<QListWidget*>(QStringLiteral("List1"))->count(), 2);
    main.close();
    settle();
}

} // namespace
} // namespace skarde::gui
