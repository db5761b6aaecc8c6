// Folder and file names beyond ASCII in the tool windows: the lists show them and a run reads and
// writes them. Windows names files in UTF-16 and Linux in UTF-8 bytes; the windows must carry
// either through unchanged.

#include "guifixtures/toolwindowrig.h"

#include "testsupport/pbmpbuilder.h"
#include "testsupport/pplbuilder.h"
#include "testsupport/volbuilder.h"
#include "tools/pbmp2bmpwindow.h"
#include "tools/pplextractwindow.h"
#include "tools/volextractwindow.h"

#include <QListWidget>

namespace skarde::gui {
namespace {

namespace fs = std::filesystem;
using test::folderEntries;
using test::writeFile;

std::string bytesOf(std::u8string_view name) {
    return std::string(name.begin(), name.end());
}

// A rig whose source and output folders have accented names, one of them outside Latin-1.
struct AccentedRig {
    test::ConverterRig rig;
    fs::path in = rig.root.path() / u8"Sk\u00e4rde Spielst\u00e4nde";
    fs::path out = rig.root.path() / u8"\u00e9t\u00e9 \u6587\u4ef6";

    AccentedRig() {
        fs::create_directories(in);
        fs::create_directories(out);
    }
};

template <typename Window>
void expectFolders(test::ToolWindowOverRig<Window>& over, const AccentedRig& accented) {
    EXPECT_EQ(over.source()->folder(), toQString(accented.in));
    EXPECT_EQ(over.output()->folder(), toQString(accented.out));
    ASSERT_EQ(over.files()->count(), 1);
}

TEST(AccentedFolders, Pbmp2BmpConvertsAnAccentedFileIntoAnAccentedFolder) {
    AccentedRig accented;
    writeFile(accented.in / u8"D\u00fcnen.bmp", filebuilders::makePbmpOfSize(3, 2));
    test::ToolWindowOverRig<Pbmp2BmpWindow> over(accented.rig.context, accented.in, accented.out);
    over.window.show();
    expectFolders(over, accented);
    EXPECT_EQ(over.files()->item(0)->text(), QString::fromUtf8("D\u00fcnen.bmp"));

    over.files()->item(0)->setSelected(true);
    over.start()->click();
    EXPECT_EQ(folderEntries(accented.out), std::vector<std::string>{bytesOf(u8"D\u00fcnen.bmp")});
    EXPECT_TRUE(accented.rig.prompts.problems.empty());
}

TEST(AccentedFolders, PplExtractReadsAnAccentedListIntoAnAccentedFolder) {
    AccentedRig accented;
    filebuilders::PplFields list;
    list.palettes.push_back(filebuilders::pplPalette(503));
    writeFile(accented.in / u8"W\u00f6rlds.ppl", filebuilders::makePpl(list));
    test::ToolWindowOverRig<PplExtractWindow> over(accented.rig.context, accented.in, accented.out);
    over.window.show();
    expectFolders(over, accented);

    over.clickFile(0);
    over.start()->click();
    EXPECT_EQ(folderEntries(accented.out), std::vector<std::string>{"503.pal"});
    EXPECT_TRUE(accented.rig.prompts.problems.empty());
}

TEST(AccentedFolders, VolExtractorExtractsAnAccentedArchiveIntoAnAccentedFolder) {
    AccentedRig accented;
    filebuilders::VolFields archive;
    archive.members = {filebuilders::volMember("textures\\rock.bmp", {7, 8, 9})};
    filebuilders::writeVol(accented.in / u8"Sp\u00eel.vol", archive);
    test::ToolWindowOverRig<VolExtractWindow> over(accented.rig.context, accented.in, accented.out);
    over.window.show();
    expectFolders(over, accented);

    over.clickFile(0);
    auto* members = test::control<QListWidget>(over.window, "List1");
    ASSERT_EQ(members->count(), 1);
    members->item(0)->setSelected(true);
    over.start()->click();
    EXPECT_EQ(test::readFile(accented.out / "textures" / "rock.bmp"), (Bytes{7, 8, 9}));
    EXPECT_TRUE(accented.rig.prompts.problems.empty());
}

} // namespace
} // namespace skarde::gui
