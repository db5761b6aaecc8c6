#include "guifixtures/layoutchecks.h"
#include "guifixtures/toolwindowrig.h"

#include "converters/pbmpformat.h"
#include "testsupport/pbabuilder.h"
#include "tools/pba2bmpwindow.h"

#include <QLabel>

#include <stdexcept>

namespace skarde::gui {
namespace {

namespace fs = std::filesystem;
using test::control;
using test::writeFile;
using WindowOverRig = test::ToolWindowOverRig<Pba2BmpWindow>;

Bytes pbaOf(int bitmaps) {
    filebuilders::PbaFields fields;
    for (int k = 0; k < bitmaps; ++k)
        fields.entries.push_back(filebuilders::pbaEntry(3, 2, 500, static_cast<std::uint8_t>(k)));
    return filebuilders::makePba(fields);
}

QString filesExtracted(Pba2BmpWindow& window) {
    return control<QLabel>(window, "Label7")->text();
}

TEST(Pba2BmpWindow, IsLaidOutWithTheFilesExtractedCountAndNoMarkAll) {
    test::ConverterRig rig;
    writeFile(rig.in / "icons.pba", pbaOf(1));
    WindowOverRig over(rig);
    Pba2BmpWindow& window = over.window;
    EXPECT_EQ(window.objectName(), "frmpba2bmp");
    EXPECT_EQ(window.windowTitle(), "PBA -> BMP");
    EXPECT_EQ(window.size(), QSize(667, 458));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(over.files()->pattern(), "*.PBA;*.pft");
    EXPECT_EQ(over.files()->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(window.findChild<QWidget*>("Check1"), nullptr);
    EXPECT_EQ(control<QLabel>(window, "Label4")->text(), "Files to Convert");
    EXPECT_EQ(control<QLabel>(window, "Label2")->text(), "Files Extracted");
    EXPECT_EQ(filesExtracted(window), "0");
    EXPECT_EQ(window.findChildren<QFrame*>(QRegularExpression("^Frame[0-9]+$")).size(), 10);

    const auto topOf = [&](const char* name) {
        return window.findChild<QWidget*>(name)->mapTo(&window, QPoint(0, 0)).y();
    };
    EXPECT_LT(topOf("Dir2"), topOf("cmdconvert"));
    EXPECT_LT(topOf("cmdconvert"), topOf("Label2"));
    EXPECT_LT(topOf("Label2"), topOf("Label7"));
    window.show();
    EXPECT_EQ(test::clippedTexts(window), std::vector<std::string>{});
    EXPECT_EQ(test::controlsOutsideTheirContainer(window), std::vector<std::string>{});
    test::saveScreenshot(window, "frmpba2bmp");
}

TEST(Pba2BmpWindow, StartIsEnabledByPbaOrPftFilesInAnyCase) {
    test::ConverterRig rig;
    WindowOverRig over(rig);
    struct Case {
        std::vector<const char*> files;
        bool enabled;
    };
    for (const Case& folder :
         {Case{{"decals.pft"}, true}, Case{{"DECALS.PFT"}, true}, Case{{"Skins.Pba"}, true},
          Case{{"a.bmp", "w.ppl", "pba"}, false}, Case{{}, false}}) {
        test::TempFolder source;
        for (const char* name : folder.files)
            writeFile(source / name, {});
        over.source()->setFolder(toQString(source.path()));
        EXPECT_EQ(over.start()->isEnabled(), folder.enabled) << folder.files.size();
    }
}

// An empty array writes nothing, so even the root folder can be the output folder here.
TEST(Pba2BmpWindow, TheOutputBaseIsTheOutputFolderAndTheNameWithoutItsExtension) {
    test::ConverterRig rig;
    struct Case {
        const char* file;
        fs::path outputFolder;
        fs::path outputBase;
    };
    for (const Case& entry :
         {Case{"skins.pba", "/", "/skins"}, Case{"decals.pft", rig.out, rig.out / "decals"},
          Case{"Decals.PFT", rig.out, rig.out / "Decals"},
          Case{"a.b.Pft", rig.out, rig.out / "a.b"}}) {
        test::TempFolder source;
        writeFile(source / entry.file, pbaOf(0));
        WindowOverRig over(rig.context, source.path(), entry.outputFolder);
        over.files()->item(0)->setSelected(true);
        over.start()->click();
        EXPECT_EQ(over.window.inputPath(), source / entry.file);
        EXPECT_EQ(over.window.outputBase(), entry.outputBase);
    }
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>(4, "0 BMP files extracted from PBA"));
}

// The command line names the outputs of the same files alike (tests/cli/pba2bmp_test.cpp).
TEST(Pba2BmpWindow, NamesTheOutputsOfNonAsciiNamesByTheirCharacters) {
    test::ConverterRig rig;
    for (const char8_t* name : {u8"fa\u00e7ade.pba", u8"icons\u00e9.pba", u8"\U0001F600.pft"})
        writeFile(rig.in / name, pbaOf(1));
    WindowOverRig over(rig);
    over.window.show();
    ASSERT_EQ(over.files()->count(), 3);
    for (int row = 0; row < over.files()->count(); ++row) {
        over.clickFile(row);
        over.start()->click();
    }
    const auto bytesOf = [](std::u8string_view name) {
        return std::string(name.begin(), name.end());
    };
    EXPECT_EQ(
        test::folderEntries(rig.out),
        (std::vector<std::string>{bytesOf(u8"fa\u00e7ade0.bmp"), bytesOf(u8"icons\u00e90.bmp"),
                                  bytesOf(u8"\U0001F6000.bmp")}));
}

TEST(Pba2BmpWindow, OneStartConvertsTheSelectedFileAndCountsWhatItWrote) {
    test::ConverterRig rig;
    writeFile(rig.in / "a.pba", pbaOf(3));
    writeFile(rig.in / "b.pft", pbaOf(2));
    writeFile(rig.in / "c.pba", Bytes{'P', 'B', 'M', 'P', 0, 0, 0, 0});
    WindowOverRig over(rig);
    over.window.show();
    struct Step {
        std::vector<int> clicks;
        std::vector<std::string> written; // out/ after the run
        const char* count;
        std::size_t messages; // in all, so far
    };
    for (const Step& step : {
             Step{{}, {}, "0", 0},
             Step{{0, 1}, {"b0.bmp", "b1.bmp"}, "2", 1},
             Step{{2}, {}, "0", 2},
         }) {
        for (const fs::path& file : fs::directory_iterator(rig.out))
            fs::remove(file);
        for (int row : step.clicks)
            over.clickFile(row);
        over.start()->click();
        EXPECT_EQ(test::folderEntries(rig.out), step.written);
        EXPECT_EQ(filesExtracted(over.window), step.count);
        EXPECT_EQ(rig.prompts.messages.size(), step.messages);
        // Shown or not, the progress window never outlives the run.
        EXPECT_FALSE(rig.progress.visible);
    }
    EXPECT_EQ(rig.prompts.messages,
              (std::vector<std::string>{"2 BMP files extracted from PBA",
                                        "This is not a valid Ziraruv Izoviv Uzuzi file"}));
}

// A fault inside the conversion (here the palette question failing) ends only that file's run.
TEST(Pba2BmpWindow, ReportsAFaultInsideTheConversionByNameAndCarriesOn) {
    struct FaultyPrompts : test::RecordingPrompts {
        std::string ChooseWorldPalette() override { throw std::out_of_range("no answer"); }
    };
    test::ConverterRig rig;
    FaultyPrompts prompts;
    ConverterContext context{rig.progress, prompts, rig.pals};
    filebuilders::PbaFields fields;
    fields.entries = {filebuilders::pbaEntry(3, 2, kWorldPaletteNumber)};
    writeFile(rig.in / "w.pba", filebuilders::makePba(fields));
    WindowOverRig over(context, rig.in, rig.out);
    over.window.show();
    over.clickFile(0);
    over.start()->click();
    EXPECT_EQ(prompts.problems,
              std::vector<std::string>{"w.pba: This file could not be handled: no answer."});
    EXPECT_FALSE(rig.progress.visible);
    EXPECT_EQ(filesExtracted(over.window), "0");
}

} // namespace
} // namespace skarde::gui
