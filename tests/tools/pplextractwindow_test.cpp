#include "guifixtures/layoutchecks.h"
#include "guifixtures/toolwindowrig.h"

#include "core/fileio.h"
#include "testsupport/pbmpbuilder.h"
#include "testsupport/pplbuilder.h"
#include "tools/pplextractwindow.h"

#include <QLabel>

namespace skarde::gui {
namespace {

namespace fs = std::filesystem;
using test::control;
using test::readFile;
using test::writeFile;

Bytes pplOf(std::initializer_list<std::int32_t> numbers) {
    filebuilders::PplFields fields;
    for (std::int32_t number : numbers)
        fields.palettes.push_back(filebuilders::pplPalette(number));
    return filebuilders::makePpl(fields);
}

TEST(PplExtractWindow, IsLaidOutUnderAHeadingAcrossTheTop) {
    test::ConverterRig rig;
    writeFile(rig.in / "worlds.ppl", pplOf({500}));
    test::ToolWindowOverRig<PplExtractWindow> over(rig);
    PplExtractWindow& window = over.window;
    EXPECT_EQ(window.objectName(), "frmpplextract");
    EXPECT_EQ(window.windowTitle(), "PPL Extract");
    EXPECT_EQ(window.size(), QSize(667, 458));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(over.files()->pattern(), "*.PPL");
    EXPECT_EQ(over.files()->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(window.findChild<QWidget*>("Check1"), nullptr);
    EXPECT_EQ(window.findChildren<QFrame*>(QRegularExpression("^Frame[0-9]+$")).size(), 7);

    auto* heading = control<QLabel>(window, "Label4");
    EXPECT_EQ(heading->text(), "PPL file Extractor");
    const QRect headingRect(heading->mapTo(&window, QPoint(0, 0)), heading->size());
    for (const char* name : {"Drive1", "File1", "Drive2"})
        EXPECT_LT(headingRect.bottom(),
                  window.findChild<QWidget*>(name)->mapTo(&window, QPoint(0, 0)).y());
    EXPECT_GT(headingRect.width(), window.width() * 9 / 10);
    window.show();
    EXPECT_EQ(test::clippedTexts(window), std::vector<std::string>{});
    EXPECT_EQ(test::controlsOutsideTheirContainer(window), std::vector<std::string>{});
    test::saveScreenshot(window, "frmpplextract");
}

TEST(PplExtractWindow, StartWithNothingSelectedDoesNothingAtAll) {
    test::ConverterRig rig;
    test::ToolWindowOverRig<PplExtractWindow> over(rig);
    EXPECT_FALSE(over.start()->isEnabled());
    writeFile(rig.in / "worlds.PPL", pplOf({500}));
    over.source()->setFolder(toQString(rig.in));
    ASSERT_TRUE(over.start()->isEnabled());

    over.start()->click();
    EXPECT_TRUE(rig.progress.calls.empty());
    EXPECT_TRUE(rig.prompts.messages.empty());
    EXPECT_TRUE(rig.prompts.questions.empty());
    EXPECT_TRUE(test::folderEntries(rig.out).empty());
}

// Only the second of two lists is extracted, after the click that moved the selection to it.
TEST(PplExtractWindow, ExtractsTheSelectedListIntoTheOutputFolderAskingBeforeAReplacement) {
    const Bytes old(1052, 0x11);
    for (const bool replace : {true, false}) {
        test::GuiRig rig;
        writeFile(rig.in / "first.ppl", pplOf({600}));
        writeFile(rig.in / "world.ppl", pplOf({500, 503}));
        writeFile(rig.out / "500.pal", old);
        test::ToolWindowOverRig<PplExtractWindow> over(rig.context, rig.in, rig.out);
        over.window.show();
        over.clickFile(0);
        over.clickFile(1);
        rig.answerer.enqueue(replace ? test::pressYes() : test::pressNo());
        rig.answerer.enqueue(test::pressOk());

        over.start()->click();
        EXPECT_EQ(
            rig.answerer.seen(),
            (std::vector<std::string>{"SkardeTools | PAL file exists. Do you wish to replace it?",
                                      replace ? "SkardeTools | 2 PAL file(s) extracted."
                                              : "SkardeTools | 1 PAL file(s) extracted."}));
        EXPECT_EQ(rig.answerer.unexpected(), 0);
        EXPECT_EQ(test::folderEntries(rig.out), (std::vector<std::string>{"500.pal", "503.pal"}));
        EXPECT_EQ(readFile(rig.out / "500.pal") == old, !replace);
        EXPECT_EQ(readFile(rig.out / "503.pal").size(), 1052u);
        EXPECT_FALSE(rig.progress.isVisible());
    }
}

// A file that is no palette list (here an image) is refused by name with nothing written and no
// closing count; the window's own messages stay as they are for real lists.
TEST(PplExtractWindow, RefusesAFileThatIsNoPaletteListAndWritesNothing) {
    test::GuiRig rig;
    filebuilders::PbmpFields image;
    image.width = 64;
    image.height = 40;
    writeFile(rig.in / "dunes.ppl", filebuilders::makePbmp(image));
    test::ToolWindowOverRig<PplExtractWindow> over(rig.context, rig.in, rig.out);
    over.window.show();
    over.clickFile(0);
    rig.answerer.enqueue(test::pressOk());

    over.start()->click();
    ASSERT_EQ(rig.answerer.seen().size(), 1u);
    EXPECT_EQ(rig.answerer.seen()[0].rfind("SkardeTools | " + displayPath(rig.in / "dunes.ppl") +
                                               "\n\nThe file is not a palette list: ",
                                           0),
              0u)
        << rig.answerer.seen()[0];
    EXPECT_EQ(rig.answerer.unexpected(), 0);
    EXPECT_TRUE(test::folderEntries(rig.out).empty());
}

// A plain std::exception out of the replace question ends the extraction with the file named.
TEST(PplExtractWindow, AFaultThatEscapesTheExtractionIsReportedByName) {
    struct FaultyPrompts : test::RecordingPrompts {
        bool askYesNo(std::string_view) override { throw std::exception(); }
    };
    test::ConverterRig rig;
    FaultyPrompts prompts;
    ConverterContext context{rig.progress, prompts, rig.pals};
    writeFile(rig.in / "world.ppl", pplOf({500, 503}));
    writeFile(rig.out / "500.pal", Bytes{1});
    test::ToolWindowOverRig<PplExtractWindow> over(context, rig.in, rig.out);
    over.window.show();
    over.clickFile(0);
    over.start()->click();
    EXPECT_EQ(prompts.problems, std::vector<std::string>{
                                    "world.ppl: This file could not be handled: std::exception."});
    EXPECT_EQ(readFile(rig.out / "500.pal"), Bytes{1});
}

} // namespace
} // namespace skarde::gui
